#include "svg/model/element_types.h"

#include <array>

namespace zor {

namespace {

using enum TSVGElementType;

// Indexed by TSVGElementType.
constexpr std::array<const char*, EnumCount(TSVGElementType{})> SVGElementNames = {
    "",        "svg",      "g",        "image",    "defs",           "use",
    "circle",  "ellipse",  "rect",     "line",     "polyline",       "polygon",
    "path",    "text",     "switch",   "desc",     "title",          "style",
    "tspan",   "textPath", "tref",     "clipPath", "linearGradient", "radialGradient",
    "stop",    "marker",   "metadata", "script",   "comment",        "symbol",
    "pattern"};

// Function-local sets, so that code running before main can use them too.
const TSVGElementTypes& ShapeTypes()
{
    static const TSVGElementTypes types{etCircle, etEllipse, etRectangle, etLine, etPolyline, etPolygon, etPath};
    return types;
}

} // namespace

QString SVGElementName(TSVGElementType Kind)
{
    // Made once: the name of every element is asked for while styles cascade.
    static const std::array<QString, SVGElementNames.size()> names = [] {
        std::array<QString, SVGElementNames.size()> made;
        for (std::size_t i = 0; i < made.size(); ++i)
            made[i] = QString::fromLatin1(SVGElementNames[i]);
        return made;
    }();
    return names[static_cast<std::size_t>(Kind)];
}

TSVGElementType SVGElementTypeByName(QByteArrayView Name)
{
    for (std::size_t i = static_cast<std::size_t>(etDoc); i < SVGElementNames.size(); ++i)
        if (Name == SVGElementNames[i])
            return static_cast<TSVGElementType>(i);
    return etNone;
}

TSVGElementType SVGElementTypeByName(QStringView Name)
{
    for (std::size_t i = static_cast<std::size_t>(etDoc); i < SVGElementNames.size(); ++i)
        if (Name == QLatin1String(SVGElementNames[i]))
            return static_cast<TSVGElementType>(i);
    return etNone;
}

const TSVGElementTypes& ContainerChildTypes()
{
    static const TSVGElementTypes types =
        ShapeTypes() | DescriptiveTypes()
        | TSVGElementTypes{etDoc,  etGroup, etDefs,     etUse,    etSymbol, etLinearGradient,
                           etRadialGradient, etImage, etText, etSwitch, etStyle, etClipPath,
                           etMarker, etScript, etPattern};
    return types;
}

const TSVGElementTypes& SwitchChildTypes()
{
    static const TSVGElementTypes types =
        ShapeTypes() | DescriptiveTypes() | TSVGElementTypes{etDoc, etGroup, etImage, etUse, etText, etSwitch};
    return types;
}

const TSVGElementTypes& ClipPathChildTypes()
{
    static const TSVGElementTypes types = ShapeTypes() | DescriptiveTypes() | TSVGElementTypes{etUse, etText};
    return types;
}

const TSVGElementTypes& ClipShapeTypes()
{
    static const TSVGElementTypes types = ShapeTypes() | TSVGElementTypes{etText};
    return types;
}

const TSVGElementTypes& DescriptiveTypes()
{
    static const TSVGElementTypes types{etDesc, etTitle, etMetadata};
    return types;
}

const TSVGElementTypes& GradientChildTypes()
{
    static const TSVGElementTypes types = DescriptiveTypes() | TSVGElementTypes{etGradientStop};
    return types;
}

} // namespace zor
