#pragma once
// The element kinds of the document model with their tag names, the sets of
// kinds that the container classes accept as children, the document options
// and the element states.

#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/enum_set.h"

namespace zor {

enum class TSVGElementType {
    etNone,
    etDoc,
    etGroup,
    etImage,
    etDefs,
    etUse,
    etCircle,
    etEllipse,
    etRectangle,
    etLine,
    etPolyline,
    etPolygon,
    etPath,
    etText,
    etSwitch,
    etDesc,
    etTitle,
    etStyle,
    etTSpan,
    etTextPath,
    etTRef,
    etClipPath,
    etLinearGradient,
    etRadialGradient,
    etGradientStop,
    etMarker,
    etMetadata,
    etScript,
    etComment,
    etSymbol,
    etPattern
};
constexpr std::size_t EnumCount(TSVGElementType) { return 31; }

using TSVGElementTypes = TEnumSet<TSVGElementType>;

// The tag name of a kind; empty for etNone.
QString SVGElementName(TSVGElementType Kind);

// The kind whose tag name equals Name exactly (case-sensitive); etNone when
// no kind has that name.
TSVGElementType SVGElementTypeByName(QStringView Name);
TSVGElementType SVGElementTypeByName(QByteArrayView Name);

// Child kinds of the container classes (groups, documents, defs, symbols,
// markers, patterns).
const TSVGElementTypes& ContainerChildTypes();
// Child kinds of a switch.
const TSVGElementTypes& SwitchChildTypes();
// Child kinds of a clip path.
const TSVGElementTypes& ClipPathChildTypes();
// The kinds whose outlines make a clip region: the shapes and text, as
// children of a clip path or referenced by a use among them.
const TSVGElementTypes& ClipShapeTypes();
// The descriptive kinds (desc, title, metadata): the only children of images,
// uses and paths.
const TSVGElementTypes& DescriptiveTypes();
// Child kinds of the gradients: stops and the descriptive kinds.
const TSVGElementTypes& GradientChildTypes();

enum class TSVGOption {
    soSkipUnknownXML,
    soUseLocaleForLanguage,
    soEnforceUniqueID,
    soApplyClipping,
    soCompactExport,
    soExportUnknownXML,
    soExportDisabled,
    soExportOptimizedBinaryStyleProperties,
    soFMXRadialGradientPatch,
    soUseFillText,
    soApplyFillRule,
    // Draws and hit-tests elements as if no clip-path were given.
    soIgnoreClipPaths,
    // Images show only pictures given inline (data: URIs): no file is read.
    soIgnoreExternalImages
};
constexpr std::size_t EnumCount(TSVGOption) { return 13; }

// Stored as a 16-bit set: bit n is the option with ordinal n.
using TSVGOptions = TEnumSet<TSVGOption>;

// The options of a new document and of an element without one.
inline constexpr std::array DefaultSVGOptionList = {
    TSVGOption::soSkipUnknownXML,   TSVGOption::soUseLocaleForLanguage,
    TSVGOption::soApplyClipping,    TSVGOption::soCompactExport,
    TSVGOption::soExportUnknownXML, TSVGOption::soExportOptimizedBinaryStyleProperties,
    TSVGOption::soFMXRadialGradientPatch, TSVGOption::soApplyFillRule,
};
// Stored documents hold the options as this number.
static_assert(TSVGOptions::BitsOf(DefaultSVGOptionList) == 1467);

inline TSVGOptions DefaultSVGOptions()
{
    return TSVGOptions::FromBits(TSVGOptions::BitsOf(DefaultSVGOptionList));
}

enum class TSVGElementStateFlag { esReading, esWriting, esDestroying };
constexpr std::size_t EnumCount(TSVGElementStateFlag) { return 3; }

using TSVGElementState = TEnumSet<TSVGElementStateFlag>;

} // namespace zor
