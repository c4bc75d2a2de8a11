#include "svg/values/style_value_copy.h"

#include "platform/enum_table.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <cmath>

namespace zor {

namespace {

using TValues = TSVGStyleValues;
using TCopy = void (*)(const TValues&, TValues&);
using enum TSVGStyleProperty;
using enum TFontStyle;

template <auto Field>
void CopyField(const TValues& Source, TValues& Dest)
{
    Dest.*Field = Source.*Field;
}

// Lengths that can inherit: their Inherits bit is the values', not copied.
template <auto Field>
void CopyLength(const TValues& Source, TValues& Dest)
{
    (Dest.*Field).Assign(&(Source.*Field));
}

template <auto Paint>
void CopyPaint(const TValues& Source, TValues& Dest)
{
    const auto& from = Source.*Paint;
    auto& to = Dest.*Paint;
    // The kind first: plain kinds drop the paint server, which then comes back.
    to.SetKind(from.Kind());
    to.SetColor(from.Color());
    to.SetURI(from.URI());
    to.SetHasFallback(from.HasFallback());
}

template <auto Paint>
void CopyPaintOpacity(const TValues& Source, TValues& Dest)
{
    (Dest.*Paint).SetOpacity((Source.*Paint).Opacity());
}

template <auto Getter, auto Setter>
void CopyPenValue(const TValues& Source, TValues& Dest)
{
    (Dest.Pen.*Setter)((Source.Pen.*Getter)());
}

void CopyStrokeWidth(const TValues& Source, TValues& Dest)
{
    Dest.Pen.SetThickness(Source.Pen.Thickness());
    Dest.Pen.SetThicknessIsPercent(Source.Pen.ThicknessIsPercent());
    Dest.Pen.SetThicknessPreferredUnit(Source.Pen.ThicknessPreferredUnit());
}

void CopyDashArray(const TValues& Source, TValues& Dest)
{
    const TSVGPen& from = Source.Pen;
    TSVGPen& to = Dest.Pen;
    to.SetDashArrayPreferredUnits(from.DashArrayPreferredUnits());
    to.SetDashArrayIsPercent(from.DashArrayIsPercent());
    if (from.Dash() == TStrokeDash::Custom)
        to.SetCustomDash(from.DashArray(), to.DashOffset());
    else
        to.SetDash(from.Dash());
}

void CopyDashOffset(const TValues& Source, TValues& Dest)
{
    Dest.Pen.SetSVGDashOffset(Source.Pen.SVGDashOffset());
}

// Font style bits: each property owns some of them.
void CopyFontStyleBits(const TValues& Source, TValues& Dest, std::initializer_list<TFontStyle> Bits)
{
    TFontStyles style = Dest.Font.Style();
    for (TFontStyle bit : Bits) {
        if (Source.Font.Style().Contains(bit))
            style.Include(bit);
        else
            style.Exclude(bit);
    }
    Dest.Font.SetStyle(style);
}

void CopyFontFamily(const TValues& Source, TValues& Dest)
{
    // Assigning the whole font copies the family list without looking every
    // name up among the installed families again; the rest is put back.
    TSVGFont& font = Dest.Font;
    if (font.Family() == Source.Font.Family() && font.Families() == Source.Font.Families())
        return;
    const float size = font.Size();
    const TSVGUnit unit = font.SizePreferredUnit();
    const TFontStyles style = font.Style();
    const TExtendedFontStyles extended = font.ExtendStyles();
    const TSVGFontVariant variant = font.FontVariant();
    const TSVGFontWeight weight = font.Weight();
    font.Assign(&Source.Font);
    font.SetSize(size);
    font.SetSizePreferredUnit(unit);
    font.SetWeight(weight);
    font.SetStyle(style);
    font.SetExtendStyles(extended);
    font.SetFontVariant(variant);
}

void CopyFontSize(const TValues& Source, TValues& Dest)
{
    Dest.Font.SetSize(Source.Font.Size());
    Dest.Font.SetSizePreferredUnit(Source.Font.SizePreferredUnit());
}

void CopyFontStyle(const TValues& Source, TValues& Dest)
{
    CopyFontStyleBits(Source, Dest, {fsItalic});
}

void CopyFontVariant(const TValues& Source, TValues& Dest)
{
    Dest.Font.SetFontVariant(Source.Font.FontVariant());
}

void CopyFontWeight(const TValues& Source, TValues& Dest)
{
    Dest.Font.SetWeight(Source.Font.Weight());
    CopyFontStyleBits(Source, Dest, {fsBold});
}

void CopyTextDecoration(const TValues& Source, TValues& Dest)
{
    CopyFontStyleBits(Source, Dest, {fsUnderline, fsStrikeOut});
    Dest.Font.SetExtendStyles(Source.Font.ExtendStyles());
}

void CopyFont(const TValues& Source, TValues& Dest)
{
    for (TCopy copy : {&CopyFontFamily, &CopyFontSize, &CopyFontStyle, &CopyFontVariant, &CopyFontWeight})
        copy(Source, Dest);
}

void CopyMarkers(const TValues& Source, TValues& Dest)
{
    Dest.MarkerStartURI = Source.MarkerStartURI;
    Dest.MarkerMidURI = Source.MarkerMidURI;
    Dest.MarkerEndURI = Source.MarkerEndURI;
}

struct TCopyRow {
    TSVGStyleProperty Property;
    TCopy Copy; // null for ipNone
};

// Indexed by TSVGStyleProperty.
constexpr std::array<TCopyRow, EnumCount(TSVGStyleProperty{})> Copies = {{
    {ipNone, nullptr},
    {ipAlignmentBaseline, &CopyField<&TValues::AlignmentBaseline>},
    {ipBaselineShift, &CopyLength<&TValues::BaselineShift>},
    {ipClip, &CopyField<&TValues::ClipRect>},
    {ipClipPath, &CopyField<&TValues::ClipURI>},
    {ipClipRule, &CopyField<&TValues::ClipRule>},
    {ipColor, &CopyField<&TValues::Color>},
    {ipColorInterpolation, &CopyField<&TValues::ColorInterpolation>},
    {ipColorRendering, &CopyField<&TValues::ColorRendering>},
    {ipCursor, &CopyField<&TValues::Cursor>},
    {ipDirection, &CopyField<&TValues::Direction>},
    {ipDisplay, &CopyField<&TValues::Display>},
    {ipDominantBaseline, &CopyField<&TValues::DominantBaseline>},
    {ipFill, &CopyPaint<&TValues::Brush>},
    {ipFillOpacity, &CopyPaintOpacity<&TValues::Brush>},
    {ipFillRule, &CopyField<&TValues::FillRule>},
    {ipFloodColor, &CopyField<&TValues::FloodColor>},
    {ipFloodOpacity, &CopyField<&TValues::FloodOpacity>},
    {ipFont, &CopyFont},
    {ipFontFamily, &CopyFontFamily},
    {ipFontSize, &CopyFontSize},
    {ipFontStyle, &CopyFontStyle},
    {ipFontVariant, &CopyFontVariant},
    {ipFontWeight, &CopyFontWeight},
    {ipGlyphOrientationHorizontal, &CopyField<&TValues::GlyphOrientationHorizontal>},
    {ipGlyphOrientationVertical, &CopyField<&TValues::GlyphOrientationVertical>},
    {ipKerning, &CopyLength<&TValues::Kerning>},
    {ipLetterSpacing, &CopyLength<&TValues::LetterSpacing>},
    {ipMarker, &CopyMarkers},
    {ipMarkerEnd, &CopyField<&TValues::MarkerEndURI>},
    {ipMarkerMid, &CopyField<&TValues::MarkerMidURI>},
    {ipMarkerStart, &CopyField<&TValues::MarkerStartURI>},
    {ipOpacity, &CopyField<&TValues::Opacity>},
    {ipOverflow, &CopyField<&TValues::Overflow>},
    {ipShapeRendering, &CopyField<&TValues::ShapeRendering>},
    {ipStopColor, &CopyField<&TValues::StopColor>},
    {ipStopOpacity, &CopyField<&TValues::StopOpacity>},
    {ipStroke, &CopyPaint<&TValues::Pen>},
    {ipStrokeDasharray, &CopyDashArray},
    {ipStrokeDashOffset, &CopyDashOffset},
    {ipStrokeLinecap, &CopyPenValue<&TSVGPen::Cap, &TSVGPen::SetCap>},
    {ipStrokeLineJoin, &CopyPenValue<&TSVGPen::Join, &TSVGPen::SetJoin>},
    {ipStrokeMiterLimit, &CopyPenValue<&TSVGPen::MiterLimit, &TSVGPen::SetMiterLimit>},
    {ipStrokeOpacity, &CopyPaintOpacity<&TValues::Pen>},
    {ipStrokeWidth, &CopyStrokeWidth},
    {ipTextAnchor, &CopyField<&TValues::TextAlign>},
    {ipTextDecoration, &CopyTextDecoration},
    {ipTextRendering, &CopyField<&TValues::TextRendering>},
    {ipVectorEffect, &CopyField<&TValues::VectorEffect>},
    {ipVisibility, &CopyField<&TValues::Visible>},
    {ipWordSpacing, &CopyLength<&TValues::WordSpacing>},
    {ipWritingMode, &CopyField<&TValues::WritingMode>},
}};
static_assert(RowsFollowTheEnumeration<&TCopyRow::Property>(Copies), "the copy table is indexed by TSVGStyleProperty");

// The values of an element that no property has touched.
const TValues& InitialValues()
{
    static const TValues initial;
    return initial;
}

} // namespace

float LimitedOpacity(float Value)
{
    return std::isnan(Value) ? 1.0f : std::clamp(Value, 0.0f, 1.0f);
}

void CopyStyleProperty(const TSVGStyleValues& Source, TSVGStyleValues& Dest, TSVGStyleProperty Property)
{
    if (TCopy copy = Copies[static_cast<std::size_t>(Property)].Copy)
        copy(Source, Dest);
}

void CopyStyleProperties(const TSVGStyleValues& Source, TSVGStyleValues& Dest, const TSVGStyleProperties& Properties)
{
    Properties.ForEach([&](TSVGStyleProperty property) { CopyStyleProperty(Source, Dest, property); });
}

TSVGStyleProperties StylePropertyLonghands(TSVGStyleProperty Property)
{
    switch (Property) {
    case ipFont:
        return {ipFontFamily, ipFontSize, ipFontStyle, ipFontVariant, ipFontWeight};
    case ipMarker:
        return {ipMarkerStart, ipMarkerMid, ipMarkerEnd};
    default:
        return {Property};
    }
}

TSVGStyleProperties StyleShorthands()
{
    return {ipFont, ipMarker};
}

void ResetStyleValues(TSVGStyleValues& Values)
{
    const TSVGStyleProperties everything = TSVGStyleProperties::All() - StyleShorthands();
    CopyStyleProperties(InitialValues(), Values, everything);
    Values.Inherits = DefaultInheritedProperties();
}

void LimitOpacities(TSVGStyleValues& Values)
{
    for (float* opacity : {&Values.Opacity, &Values.StopOpacity, &Values.FloodOpacity})
        *opacity = LimitedOpacity(*opacity);
}

} // namespace zor
