#pragma once
// The presentation properties: one table row per property with its CSS name,
// initial value, whether elements inherit it by default, and the parser of its
// value text; and a notifying set of properties.

#include <QString>
#include <QStringView>

#include "platform/enum_set.h"
#include "platform/events.h"
#include "platform/persistent.h"

namespace zor {

enum class TSVGStyleProperty {
    ipNone,
    ipAlignmentBaseline,
    ipBaselineShift,
    ipClip,
    ipClipPath,
    ipClipRule,
    ipColor,
    ipColorInterpolation,
    ipColorRendering,
    ipCursor,
    ipDirection,
    ipDisplay,
    ipDominantBaseline,
    ipFill,
    ipFillOpacity,
    ipFillRule,
    ipFloodColor,
    ipFloodOpacity,
    ipFont,
    ipFontFamily,
    ipFontSize,
    ipFontStyle,
    ipFontVariant,
    ipFontWeight,
    ipGlyphOrientationHorizontal,
    ipGlyphOrientationVertical,
    ipKerning,
    ipLetterSpacing,
    ipMarker,
    ipMarkerEnd,
    ipMarkerMid,
    ipMarkerStart,
    ipOpacity,
    ipOverflow,
    ipShapeRendering,
    ipStopColor,
    ipStopOpacity,
    ipStroke,
    ipStrokeDasharray,
    ipStrokeDashOffset,
    ipStrokeLinecap,
    ipStrokeLineJoin,
    ipStrokeMiterLimit,
    ipStrokeOpacity,
    ipStrokeWidth,
    ipTextAnchor,
    ipTextDecoration,
    ipTextRendering,
    ipVectorEffect,
    ipVisibility,
    ipWordSpacing,
    ipWritingMode
};
constexpr std::size_t EnumCount(TSVGStyleProperty) { return 52; }

using TSVGStyleProperties = TEnumSet<TSVGStyleProperty>;

// The owner element answers whether it currently inherits a property.
using TSVGIsInheritedEvent = TEvent<const TPersistent&, TSVGStyleProperty, bool&>;

// What OnIsInherited answers for Property; false when it is unassigned.
bool AskIsInherited(const TSVGIsInheritedEvent& OnIsInherited, const TPersistent& Sender,
                    TSVGStyleProperty Property);

class TSVGStyleValues;
struct TSVGStyleContext;

// Reads the value text of a property into the values it governs.
using TSVGStylePropertyParser = void (*)(TSVGStyleValues&, TSVGStyleProperty, QStringView, const TSVGStyleContext&);

struct TSVGStylePropertyInfo {
    TSVGStyleProperty Member;
    const char* Identifier; // "ipFill"
    const char* Name;       // "fill"; empty for ipNone
    const char* InitialValue;
    bool InheritedByDefault;
    TSVGStylePropertyParser Parse; // null for ipNone
};

const TSVGStylePropertyInfo& StylePropertyInfo(TSVGStyleProperty Member);
QString StylePropertyName(TSVGStyleProperty Member);
QString StylePropertyInitialValue(TSVGStyleProperty Member);
QString StylePropertyIdentifier(TSVGStyleProperty Member);
// The member with exactly this CSS name (case-sensitive), or ipNone.
TSVGStyleProperty StylePropertyFromName(QStringView Name);
// The member with exactly this identifier ("ipFill"), or ipNone.
TSVGStyleProperty StylePropertyFromIdentifier(QStringView Identifier);
// Every property an element inherits unless told otherwise.
TSVGStyleProperties DefaultInheritedProperties();

// A set of properties that reports changes through OnChange.
class TSVGStylePropertiesSet : public TPersistent {
public:
    TSVGStylePropertiesSet() = default;
    explicit TSVGStylePropertiesSet(const TSVGStyleProperties& Value)
        : FValue(Value)
    {
    }

    bool GetByIndex(TSVGStyleProperty Member) const { return FValue.Contains(Member); }
    void SetByIndex(TSVGStyleProperty Member, bool Value);
    const TSVGStyleProperties& Value() const { return FValue; }
    void SetValue(const TSVGStyleProperties& Value);
    void Assign(const TPersistent* Source) override;

    // The members' identifiers in enumeration order, joined by ", ".
    QString ToString() const { return ToString(FValue); }
    static QString ToString(const TSVGStyleProperties& Value);
    // Sets exactly the members named in a comma-separated list of identifiers;
    // unknown pieces and "ipNone" are ignored.
    void FromString(QStringView Text);

    TEvent<TSVGStylePropertiesSet&> OnChange;

private:
    TSVGStyleProperties FValue;
};

} // namespace zor
