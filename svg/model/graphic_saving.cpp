// Writing the presentation properties, position and transformation of
// graphic elements.

#include <array>

#include "svg/model/attribute_writer.h"
#include "svg/model/graphic_element.h"
#include "svg/model/property_export.h"

namespace zor {

namespace {

using enum TSVGStyleProperty;

// The order in which saved elements list their properties.
constexpr auto SavedProperties = std::to_array<TSVGStyleProperty>({
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
        const QString text = StylePropertyText(FValues, property).value_or(QString());
        const QString initial = StylePropertyText(defaults, property).value_or(QString());
        Writer.WriteStyleProperty(property, WithReference(Writer, FValues, property, text),
                                  FValues.Inherits.Contains(property), preferred.Contains(property), initial);
    }
    SaveTransform(Writer);
}

void TSVGGraphicElement::SaveTransform(TSVGAttributeWriter& Writer) const
{
    Writer.WriteTransform(QStringLiteral("transform"), FMatrix);
}

void TSVGGraphicElement::SaveGeometry(TSVGAttributeWriter& Writer, const QRectF& Defaults,
                                      bool DefaultSizeIsPercent) const
{
    const auto write = [&Writer](const char* Name, const TSVGLength& Length, float Raw, bool Percent) {
        Writer.WriteAttribute(QString::fromLatin1(Name), Writer.Length(Length),
                              Writer.Compact() && SameLength(Length, Raw, Percent));
    };
    write("x", *FX, float(Defaults.x()), false);
    write("y", *FY, float(Defaults.y()), false);
    write("width", *FWidth, float(Defaults.width()), DefaultSizeIsPercent);
    write("height", *FHeight, float(Defaults.height()), DefaultSizeIsPercent);
}

} // namespace zor
