// Writing the presentation properties, position and transformation of
// graphic elements.

#include <QStringList>
#include <array>
#include <optional>

#include "svg/model/attribute_writer.h"
#include "svg/model/graphic_element.h"
#include "svg/model/property_export.h"

namespace zor {

namespace {

using enum TSVGStyleProperty;

// The order in which saved elements list their properties.
constexpr auto SavedProperties = std::to_array<TSVGStyleProperty>({
    ipColor,
    ipVisibility,
    ipDisplay,
    ipAlignmentBaseline,
    ipBaselineShift,
    ipDominantBaseline,
    ipColorInterpolation,
    ipColorRendering,
    ipShapeRendering,
    ipTextRendering,
    ipKerning,
    ipLetterSpacing,
    ipWordSpacing,
    ipWritingMode,
    ipGlyphOrientationHorizontal,
    ipGlyphOrientationVertical,
    ipDirection,
    ipFill,
    ipStroke,
    ipFillOpacity,
    ipFillRule,
    ipStrokeLinecap,
    ipStrokeMiterLimit,
    ipStrokeDashOffset,
    ipStrokeDasharray,
    ipStrokeLineJoin,
    ipStrokeWidth,
    ipStrokeOpacity,
    ipVectorEffect,
    ipOpacity,
    ipFont,
    ipFontFamily,
    ipFontSize,
    ipFontStyle,
    ipFontWeight,
    ipFontVariant,
    ipTextAnchor,
    ipTextDecoration,
    ipCursor,
    ipClipPath,
    ipClipRule,
    ipClip,
    ipOverflow,
    ipMarkerStart,
    ipMarkerMid,
    ipMarkerEnd,
    ipStopColor,
    ipStopOpacity,
    ipFloodColor,
    ipFloodOpacity,
});

// The id a property value references, if any.
const QString* ReferencedID(const TSVGStyleValues& Values, TSVGStyleProperty Property)
{
    switch (Property) {
    case ipFill:
        return &Values.Brush.URI();
    case ipStroke:
        return &Values.Pen.URI();
    case ipClipPath:
        return &Values.ClipURI;
    case ipMarkerStart:
        return &Values.MarkerStartURI;
    case ipMarkerMid:
        return &Values.MarkerMidURI;
    case ipMarkerEnd:
        return &Values.MarkerEndURI;
    default:
        return nullptr;
    }
}

// Text of a property that references an element, with the reference as the
// saving writes it.
QString WithReference(const TSVGAttributeWriter& Writer, const TSVGStyleValues& Values, TSVGStyleProperty Property,
                      const QString& Text)
{
    const QString* id = ReferencedID(Values, Property);
    if (id == nullptr || id->isEmpty())
        return Text;
    const QString written = Writer.ReferenceID(*id);
    if (written == *id)
        return Text;
    QString text = Text;
    return text.replace(QStringLiteral("url(#") + *id + u')', QStringLiteral("url(#") + written + u')');
}

// The font shorthand of the own font: style, variant, weight, size and family.
std::optional<QString> FontShorthand(const TSVGStyleValues& Values)
{
    QStringList parts;
    for (const TSVGStyleProperty longhand : {ipFontStyle, ipFontVariant, ipFontWeight, ipFontSize, ipFontFamily})
        if (const std::optional<QString> text = StylePropertyText(Values, longhand); text && !text->isEmpty())
            parts << *text;
    if (!StylePropertyText(Values, ipFontFamily))
        return std::nullopt;
    return parts.join(u' ');
}

// The colour a colour property holds, if it is one.
std::optional<TAlphaColor> ColorOf(const TSVGStyleValues& Values, TSVGStyleProperty Property)
{
    switch (Property) {
    case ipColor:
        return Values.Color;
    case ipFill:
        return Values.Brush.URI().isEmpty() && Values.Brush.Kind() != TBrushKind::None ? std::optional(Values.Brush.Color())
                                                                                         : std::nullopt;
    case ipStroke:
        return Values.Pen.URI().isEmpty() && Values.Pen.Kind() != TBrushKind::None ? std::optional(Values.Pen.Color())
                                                                                     : std::nullopt;
    case ipStopColor:
        return Values.StopColor;
    case ipFloodColor:
        return Values.FloodColor;
    default:
        return std::nullopt;
    }
}

// The text of a property in Values; the font shorthand is composed. Colour
// text has no alpha: a colour without any (a refused "#") reads back as
// "transparent", which draws as little.
QString PropertyText(const TSVGStyleValues& Values, TSVGStyleProperty Property)
{
    if (const std::optional<TAlphaColor> color = ColorOf(Values, Property); color && (*color >> 24) == 0)
        return QStringLiteral("transparent");
    const std::optional<QString> text =
        Property == ipFont ? FontShorthand(Values) : StylePropertyText(Values, Property);
    return text.value_or(QString());
}

// The element's own sources name the property's value "currentColor": what it
// stands for follows the color property where the element is drawn (a use
// gives the colour of its own).
bool IsCurrentColor(const TSVGStyle& Style, const TSVGStyle& Attributes, TSVGStyleProperty Property)
{
    if (Property != ipFill && Property != ipStroke && Property != ipStopColor && Property != ipFloodColor)
        return false;
    const QString name = StylePropertyName(Property);
    QString text = Style.Value(name);
    if (text.isEmpty())
        text = Attributes.Value(name);
    return text.trimmed().compare(u"currentColor", Qt::CaseInsensitive) == 0;
}

bool SameLength(const TSVGLength& A, float Raw, bool Percent)
{
    return A.Raw() == Raw && A.IsPercent() == Percent && (Percent || A.aUnit() == TSVGUnit::suNone);
}

} // namespace

void TSVGGraphicElement::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    TSVGStyleValues defaults;
    ResetOwnValues(defaults);
    const TSVGStyleProperties preferred = PreferredStyles();
    for (const TSVGStyleProperty property : SavedProperties) {
        const QString text = !FSetInCode.Contains(property) && IsCurrentColor(Style(), PresentationAttributes(), property)
                                 ? QStringLiteral("currentColor")
                                 : PropertyText(*FValues, property);
        const QString initial = PropertyText(defaults, property);
        Writer.WriteStyleProperty(property, WithReference(Writer, *FValues, property, text),
                                  FValues->Inherits.Contains(property), preferred.Contains(property), initial);
    }
    SaveTransform(Writer);
}

void TSVGGraphicElement::SaveTransform(TSVGAttributeWriter& Writer) const
{
    Writer.WriteTransform(QStringLiteral("transform"), Matrix());
}

void TSVGGraphicElement::SaveGeometry(TSVGAttributeWriter& Writer, const QRectF& Defaults,
                                      bool DefaultSizeIsPercent) const
{
    const auto write = [&Writer](const char* Name, const TSVGLength& Length, float Raw, bool Percent) {
        Writer.WriteAttribute(QString::fromLatin1(Name), Writer.Length(Length),
                              Writer.Compact() && SameLength(Length, Raw, Percent));
    };
    write("x", Xu(), float(Defaults.x()), false);
    write("y", Yu(), float(Defaults.y()), false);
    write("width", WidthU(), float(Defaults.width()), DefaultSizeIsPercent);
    write("height", HeightU(), float(Defaults.height()), DefaultSizeIsPercent);
}

} // namespace zor
