#include "svg/model/property_export.h"

#include <QStringList>
#include <array>
#include <charconv>
#include <optional>

#include "svg/model/graphic_element.h"
#include "svg/values/colors.h"
#include "svg/values/style_keywords.h"

namespace zor {

namespace {

using TValues = TSVGStyleValues;
using enum TSVGStyleProperty;

struct TExportSource {
    const TValues& Values;
    const TSVGGraphicElement* Parent;
};

using TExporter = std::optional<QString> (*)(const TExportSource&);

struct TExportRow {
    TSVGStyleProperty Property;
    TExporter Export;
};

// The shortest text that reads back as the same float.
QString Number(float Value)
{
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), Value);
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

QString Reference(const QString& ID)
{
    return QStringLiteral("url(#") + ID + u')';
}

std::optional<QString> Text(QLatin1String Value)
{
    if (Value.isEmpty())
        return std::nullopt;
    return QString(Value);
}

template <auto Field>
std::optional<QString> Keyword(const TExportSource& Source)
{
    return Text(KeywordOf(Source.Values.*Field));
}

template <auto Field>
std::optional<QString> ReferenceOf(const TExportSource& Source)
{
    const QString& id = Source.Values.*Field;
    if (id.isEmpty())
        return std::nullopt;
    return Reference(id);
}

template <auto Paint>
std::optional<QString> PaintText(const TExportSource& Source)
{
    const auto& paint = Source.Values.*Paint;
    if (!paint.URI().isEmpty() && paint.HasFallback())
        return Reference(paint.URI()) + u' ' + ColorToString(paint.Color());
    if (!paint.URI().isEmpty())
        return Reference(paint.URI());
    if (paint.Kind() == TBrushKind::None)
        return QStringLiteral("none");
    return ColorToString(paint.Color());
}

template <auto Paint>
std::optional<QString> PaintOpacity(const TExportSource& Source)
{
    return Number((Source.Values.*Paint).Opacity());
}

template <auto Field>
std::optional<QString> AutoLength(const TExportSource& Source, QLatin1String AutoKeyword)
{
    const TSVGStylePropertyAutoLength& length = Source.Values.*Field;
    return length.Automatic() ? QString(AutoKeyword) : Number(length.GetValue());
}

std::optional<QString> BaselineShift(const TExportSource& Source)
{
    const TSVGBaselineShiftLength& shift = Source.Values.BaselineShift;
    switch (shift.Shift()) {
    case TSVGBaselineShift::bsPercentage:
        return Number(shift.Raw() * 100) + u'%';
    case TSVGBaselineShift::bsLength:
        return Number(shift.GetValue());
    default:
        return Text(KeywordOf(shift.Shift()));
    }
}

std::optional<QString> Clip(const TExportSource& Source)
{
    const QRectF& clip = Source.Values.ClipRect;
    if (clip == QRectF(0, 0, 0, 0))
        return QStringLiteral("auto");
    const QStringList edges = {Number(float(clip.top())), Number(float(clip.right())), Number(float(clip.bottom())),
                               Number(float(clip.left()))};
    return QStringLiteral("rect(") + edges.join(u' ') + u')';
}

std::optional<QString> ColorValue(const TExportSource& Source)
{
    return ColorToString(Source.Values.Color);
}

std::optional<QString> StopColor(const TExportSource& Source)
{
    return ColorToString(Source.Values.StopColor);
}

std::optional<QString> StopOpacity(const TExportSource& Source)
{
    return Number(Source.Values.StopOpacity);
}

std::optional<QString> FloodColor(const TExportSource& Source)
{
    return ColorToString(Source.Values.FloodColor);
}

std::optional<QString> FloodOpacity(const TExportSource& Source)
{
    return Number(Source.Values.FloodOpacity);
}

std::optional<QString> Cursor(const TExportSource& Source)
{
    return Text(CursorKeyword(Source.Values.Cursor));
}

std::optional<QString> Display(const TExportSource& Source)
{
    return Source.Values.Display ? QStringLiteral("inline") : QStringLiteral("none");
}

std::optional<QString> Visibility(const TExportSource& Source)
{
    return QString(VisibilityName(Source.Values.Visible));
}

std::optional<QString> Overflow(const TExportSource& Source)
{
    return QString(VisibilityName(Source.Values.Overflow));
}

std::optional<QString> Opacity(const TExportSource& Source)
{
    return Number(Source.Values.Opacity);
}

std::optional<QString> FontFamily(const TExportSource& Source)
{
    const QString families = Source.Values.Font.FamiliesToString();
    if (families.isEmpty())
        return std::nullopt;
    return families;
}

std::optional<QString> FontSize(const TExportSource& Source)
{
    const float size = Source.Values.Font.Size();
    for (std::size_t i = 1; i < FontSizeKeywords.size(); ++i)
        if (FontSizeKeywordSizes[i] == size)
            return QString::fromLatin1(FontSizeKeywords[i]);
    if (Source.Parent != nullptr) {
        const float parentSize = Source.Parent->Font().Size();
        if (size == parentSize * 1.2f)
            return QStringLiteral("larger");
        if (size == parentSize / 1.2f)
            return QStringLiteral("smaller");
    }
    return Number(size);
}

std::optional<QString> FontStyle(const TExportSource& Source)
{
    if (!Source.Values.Font.Style().Contains(TFontStyle::fsItalic))
        return std::nullopt;
    return QStringLiteral("italic");
}

std::optional<QString> FontVariant(const TExportSource& Source)
{
    return Text(KeywordOf(Source.Values.Font.FontVariant()));
}

std::optional<QString> FontWeight(const TExportSource& Source)
{
    return Text(KeywordOf(Source.Values.Font.Weight()));
}

std::optional<QString> TextAnchor(const TExportSource& Source)
{
    return QString(TextAlignName(Source.Values.TextAlign));
}

std::optional<QString> TextDecoration(const TExportSource& Source)
{
    const TSVGFont& font = Source.Values.Font;
    if (font.ExtendStyles().Contains(TExtendedFontStyle::fsOverline))
        return QStringLiteral("overline");
    if (font.ExtendStyles().Contains(TExtendedFontStyle::fsBlink))
        return QStringLiteral("blink");
    if (font.Style().Contains(TFontStyle::fsUnderline))
        return QStringLiteral("underline");
    if (font.Style().Contains(TFontStyle::fsStrikeOut))
        return QStringLiteral("line-through");
    return std::nullopt;
}

std::optional<QString> DashArray(const TExportSource& Source)
{
    const TSVGPen& pen = Source.Values.Pen;
    if (pen.Dash() != TStrokeDash::Custom)
        return pen.GetDashArray();
    QStringList entries;
    for (float entry : pen.DashArray())
        entries << Number(entry);
    return entries.join(u',');
}

std::optional<QString> DashOffset(const TExportSource& Source)
{
    return Number(Source.Values.Pen.DashOffset());
}

std::optional<QString> Linecap(const TExportSource& Source)
{
    switch (Source.Values.Pen.Cap()) {
    case TStrokeCap::Round:
        return QStringLiteral("round");
    case TStrokeCap::Square:
        return QStringLiteral("square");
    case TStrokeCap::Flat:
        break;
    }
    return QStringLiteral("butt");
}

std::optional<QString> Linejoin(const TExportSource& Source)
{
    switch (Source.Values.Pen.Join()) {
    case TStrokeJoin::Round:
        return QStringLiteral("round");
    case TStrokeJoin::Bevel:
        return QStringLiteral("bevel");
    case TStrokeJoin::Miter:
        break;
    }
    return QStringLiteral("miter");
}

std::optional<QString> MiterLimit(const TExportSource& Source)
{
    return Number(Source.Values.Pen.MiterLimit());
}

std::optional<QString> StrokeWidth(const TExportSource& Source)
{
    const TSVGPen& pen = Source.Values.Pen;
    // A percentage is kept as a fraction of the viewport.
    return pen.ThicknessIsPercent() ? Number(pen.Thickness() * 100) + u'%' : Number(pen.Thickness());
}

const auto ExportRows = std::to_array<TExportRow>({
    {ipAlignmentBaseline, &Keyword<&TValues::AlignmentBaseline>},
    {ipBaselineShift, &BaselineShift},
    {ipClip, &Clip},
    {ipClipPath, &ReferenceOf<&TValues::ClipURI>},
    {ipClipRule, &Keyword<&TValues::ClipRule>},
    {ipColor, &ColorValue},
    {ipColorInterpolation, &Keyword<&TValues::ColorInterpolation>},
    {ipColorRendering, &Keyword<&TValues::ColorRendering>},
    {ipCursor, &Cursor},
    {ipDirection, &Keyword<&TValues::Direction>},
    {ipDisplay, &Display},
    {ipDominantBaseline, &Keyword<&TValues::DominantBaseline>},
    {ipFill, &PaintText<&TValues::Brush>},
    {ipFillOpacity, &PaintOpacity<&TValues::Brush>},
    {ipFillRule, &Keyword<&TValues::FillRule>},
    {ipFloodColor, &FloodColor},
    {ipFloodOpacity, &FloodOpacity},
    {ipFontFamily, &FontFamily},
    {ipFontSize, &FontSize},
    {ipFontStyle, &FontStyle},
    {ipFontVariant, &FontVariant},
    {ipFontWeight, &FontWeight},
    {ipGlyphOrientationHorizontal, &Keyword<&TValues::GlyphOrientationHorizontal>},
    {ipGlyphOrientationVertical, &Keyword<&TValues::GlyphOrientationVertical>},
    {ipKerning, [](const TExportSource& s) { return AutoLength<&TValues::Kerning>(s, QLatin1String("auto")); }},
    {ipLetterSpacing,
     [](const TExportSource& s) { return AutoLength<&TValues::LetterSpacing>(s, QLatin1String("normal")); }},
    {ipMarkerEnd, &ReferenceOf<&TValues::MarkerEndURI>},
    {ipMarkerMid, &ReferenceOf<&TValues::MarkerMidURI>},
    {ipMarkerStart, &ReferenceOf<&TValues::MarkerStartURI>},
    {ipOpacity, &Opacity},
    {ipOverflow, &Overflow},
    {ipShapeRendering, &Keyword<&TValues::ShapeRendering>},
    {ipStopColor, &StopColor},
    {ipStopOpacity, &StopOpacity},
    {ipStroke, &PaintText<&TValues::Pen>},
    {ipStrokeDasharray, &DashArray},
    {ipStrokeDashOffset, &DashOffset},
    {ipStrokeLinecap, &Linecap},
    {ipStrokeLineJoin, &Linejoin},
    {ipStrokeMiterLimit, &MiterLimit},
    {ipStrokeOpacity, &PaintOpacity<&TValues::Pen>},
    {ipStrokeWidth, &StrokeWidth},
    {ipTextAnchor, &TextAnchor},
    {ipTextDecoration, &TextDecoration},
    {ipTextRendering, &Keyword<&TValues::TextRendering>},
    {ipVectorEffect, &Keyword<&TValues::VectorEffect>},
    {ipVisibility, &Visibility},
    {ipWordSpacing,
     [](const TExportSource& s) { return AutoLength<&TValues::WordSpacing>(s, QLatin1String("normal")); }},
    {ipWritingMode, &Keyword<&TValues::WritingMode>},
});

// What a style object takes from an element: the values that draw it, not
// those of stops and filters, nor the hints that change nothing drawn here.
const TSVGStyleProperties NotExported = {ipFloodColor, ipFloodOpacity, ipStopColor, ipStopOpacity, ipTextRendering,
                                         ipVectorEffect};

} // namespace

void ExportStyleProperties(const TSVGGraphicElement& Element, TSVGStyle& Style)
{
    const TExportSource source{Element.ResolvedValues(), Element.GetGraphicParent()};
    for (const TExportRow& row : ExportRows) {
        if (Element.Inherits().Contains(row.Property) || NotExported.Contains(row.Property))
            continue;
        if (const std::optional<QString> text = row.Export(source))
            Style.SetStyleProp(row.Property, *text);
    }
}

std::optional<QString> StylePropertyText(const TSVGStyleValues& Values, TSVGStyleProperty Property)
{
    const TExportSource source{Values, nullptr};
    for (const TExportRow& row : ExportRows)
        if (row.Property == Property)
            return row.Export(source);
    return std::nullopt;
}

} // namespace zor
