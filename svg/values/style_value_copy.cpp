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

// Equality of what each copy above copies.
using TEqual = bool (*)(const TValues&, const TValues&);

template <auto Field>
bool EqualField(const TValues& A, const TValues& B)
{
    return A.*Field == B.*Field;
}

bool SameLength(const TSVGLength& A, const TSVGLength& B)
{
    return A.Raw() == B.Raw() && A.IsPercent() == B.IsPercent() && A.DefaultIsPercent() == B.DefaultIsPercent()
        && A.aUnit() == B.aUnit();
}

template <auto Field>
bool EqualLength(const TValues& A, const TValues& B)
{
    return SameLength(A.*Field, B.*Field);
}

template <auto Field>
bool EqualAutoLength(const TValues& A, const TValues& B)
{
    return EqualLength<Field>(A, B) && (A.*Field).Automatic() == (B.*Field).Automatic();
}

bool EqualBaselineShift(const TValues& A, const TValues& B)
{
    return EqualLength<&TValues::BaselineShift>(A, B) && A.BaselineShift.Shift() == B.BaselineShift.Shift();
}

template <auto Paint>
bool EqualPaint(const TValues& A, const TValues& B)
{
    const auto& a = A.*Paint;
    const auto& b = B.*Paint;
    return a.Kind() == b.Kind() && a.Color() == b.Color() && a.URI() == b.URI() && a.HasFallback() == b.HasFallback();
}

template <auto Paint>
bool EqualPaintOpacity(const TValues& A, const TValues& B)
{
    return (A.*Paint).Opacity() == (B.*Paint).Opacity();
}

template <auto Getter>
bool EqualPenValue(const TValues& A, const TValues& B)
{
    return (A.Pen.*Getter)() == (B.Pen.*Getter)();
}

bool EqualStrokeWidth(const TValues& A, const TValues& B)
{
    return A.Pen.Thickness() == B.Pen.Thickness() && A.Pen.ThicknessIsPercent() == B.Pen.ThicknessIsPercent()
        && A.Pen.ThicknessPreferredUnit() == B.Pen.ThicknessPreferredUnit();
}

bool EqualDashArray(const TValues& A, const TValues& B)
{
    const TSVGPen& a = A.Pen;
    const TSVGPen& b = B.Pen;
    return a.Dash() == b.Dash() && a.DashArrayPreferredUnits() == b.DashArrayPreferredUnits()
        && a.DashArrayIsPercent() == b.DashArrayIsPercent()
        && (a.Dash() != TStrokeDash::Custom || a.DashArray() == b.DashArray());
}

bool EqualDashOffset(const TValues& A, const TValues& B)
{
    return SameLength(A.Pen.SVGDashOffset(), B.Pen.SVGDashOffset());
}

bool EqualFontStyleBits(const TValues& A, const TValues& B, std::initializer_list<TFontStyle> Bits)
{
    return std::all_of(Bits.begin(), Bits.end(),
                       [&](TFontStyle bit) { return A.Font.Style().Contains(bit) == B.Font.Style().Contains(bit); });
}

bool EqualFontFamily(const TValues& A, const TValues& B)
{
    return A.Font.Family() == B.Font.Family() && A.Font.Families() == B.Font.Families();
}

bool EqualFontSize(const TValues& A, const TValues& B)
{
    return A.Font.Size() == B.Font.Size() && A.Font.SizePreferredUnit() == B.Font.SizePreferredUnit();
}

bool EqualFontStyle(const TValues& A, const TValues& B)
{
    return EqualFontStyleBits(A, B, {fsItalic});
}

bool EqualFontVariant(const TValues& A, const TValues& B)
{
    return A.Font.FontVariant() == B.Font.FontVariant();
}

bool EqualFontWeight(const TValues& A, const TValues& B)
{
    return A.Font.Weight() == B.Font.Weight() && EqualFontStyleBits(A, B, {fsBold});
}

bool EqualTextDecoration(const TValues& A, const TValues& B)
{
    return EqualFontStyleBits(A, B, {fsUnderline, fsStrikeOut}) && A.Font.ExtendStyles() == B.Font.ExtendStyles();
}

bool EqualFont(const TValues& A, const TValues& B)
{
    return EqualFontFamily(A, B) && EqualFontSize(A, B) && EqualFontStyle(A, B) && EqualFontVariant(A, B)
        && EqualFontWeight(A, B);
}

bool EqualMarkers(const TValues& A, const TValues& B)
{
    return A.MarkerStartURI == B.MarkerStartURI && A.MarkerMidURI == B.MarkerMidURI
        && A.MarkerEndURI == B.MarkerEndURI;
}

struct TCopyRow {
    TSVGStyleProperty Property;
    TCopy Copy; // null for ipNone
    TEqual Equal;
};

// Indexed by TSVGStyleProperty.
constexpr std::array<TCopyRow, EnumCount(TSVGStyleProperty{})> Copies = {{
    {ipNone, nullptr, nullptr},
    {ipAlignmentBaseline, &CopyField<&TValues::AlignmentBaseline>, &EqualField<&TValues::AlignmentBaseline>},
    {ipBaselineShift, &CopyLength<&TValues::BaselineShift>, &EqualBaselineShift},
    {ipClip, &CopyField<&TValues::ClipRect>, &EqualField<&TValues::ClipRect>},
    {ipClipPath, &CopyField<&TValues::ClipURI>, &EqualField<&TValues::ClipURI>},
    {ipClipRule, &CopyField<&TValues::ClipRule>, &EqualField<&TValues::ClipRule>},
    {ipColor, &CopyField<&TValues::Color>, &EqualField<&TValues::Color>},
    {ipColorInterpolation, &CopyField<&TValues::ColorInterpolation>, &EqualField<&TValues::ColorInterpolation>},
    {ipColorRendering, &CopyField<&TValues::ColorRendering>, &EqualField<&TValues::ColorRendering>},
    {ipCursor, &CopyField<&TValues::Cursor>, &EqualField<&TValues::Cursor>},
    {ipDirection, &CopyField<&TValues::Direction>, &EqualField<&TValues::Direction>},
    {ipDisplay, &CopyField<&TValues::Display>, &EqualField<&TValues::Display>},
    {ipDominantBaseline, &CopyField<&TValues::DominantBaseline>, &EqualField<&TValues::DominantBaseline>},
    {ipFill, &CopyPaint<&TValues::Brush>, &EqualPaint<&TValues::Brush>},
    {ipFillOpacity, &CopyPaintOpacity<&TValues::Brush>, &EqualPaintOpacity<&TValues::Brush>},
    {ipFillRule, &CopyField<&TValues::FillRule>, &EqualField<&TValues::FillRule>},
    {ipFloodColor, &CopyField<&TValues::FloodColor>, &EqualField<&TValues::FloodColor>},
    {ipFloodOpacity, &CopyField<&TValues::FloodOpacity>, &EqualField<&TValues::FloodOpacity>},
    {ipFont, &CopyFont, &EqualFont},
    {ipFontFamily, &CopyFontFamily, &EqualFontFamily},
    {ipFontSize, &CopyFontSize, &EqualFontSize},
    {ipFontStyle, &CopyFontStyle, &EqualFontStyle},
    {ipFontVariant, &CopyFontVariant, &EqualFontVariant},
    {ipFontWeight, &CopyFontWeight, &EqualFontWeight},
    {ipGlyphOrientationHorizontal, &CopyField<&TValues::GlyphOrientationHorizontal>, &EqualField<&TValues::GlyphOrientationHorizontal>},
    {ipGlyphOrientationVertical, &CopyField<&TValues::GlyphOrientationVertical>, &EqualField<&TValues::GlyphOrientationVertical>},
    {ipKerning, &CopyLength<&TValues::Kerning>, &EqualAutoLength<&TValues::Kerning>},
    {ipLetterSpacing, &CopyLength<&TValues::LetterSpacing>, &EqualAutoLength<&TValues::LetterSpacing>},
    {ipMarker, &CopyMarkers, &EqualMarkers},
    {ipMarkerEnd, &CopyField<&TValues::MarkerEndURI>, &EqualField<&TValues::MarkerEndURI>},
    {ipMarkerMid, &CopyField<&TValues::MarkerMidURI>, &EqualField<&TValues::MarkerMidURI>},
    {ipMarkerStart, &CopyField<&TValues::MarkerStartURI>, &EqualField<&TValues::MarkerStartURI>},
    {ipOpacity, &CopyField<&TValues::Opacity>, &EqualField<&TValues::Opacity>},
    {ipOverflow, &CopyField<&TValues::Overflow>, &EqualField<&TValues::Overflow>},
    {ipShapeRendering, &CopyField<&TValues::ShapeRendering>, &EqualField<&TValues::ShapeRendering>},
    {ipStopColor, &CopyField<&TValues::StopColor>, &EqualField<&TValues::StopColor>},
    {ipStopOpacity, &CopyField<&TValues::StopOpacity>, &EqualField<&TValues::StopOpacity>},
    {ipStroke, &CopyPaint<&TValues::Pen>, &EqualPaint<&TValues::Pen>},
    {ipStrokeDasharray, &CopyDashArray, &EqualDashArray},
    {ipStrokeDashOffset, &CopyDashOffset, &EqualDashOffset},
    {ipStrokeLinecap, &CopyPenValue<&TSVGPen::Cap, &TSVGPen::SetCap>, &EqualPenValue<&TSVGPen::Cap>},
    {ipStrokeLineJoin, &CopyPenValue<&TSVGPen::Join, &TSVGPen::SetJoin>, &EqualPenValue<&TSVGPen::Join>},
    {ipStrokeMiterLimit, &CopyPenValue<&TSVGPen::MiterLimit, &TSVGPen::SetMiterLimit>, &EqualPenValue<&TSVGPen::MiterLimit>},
    {ipStrokeOpacity, &CopyPaintOpacity<&TValues::Pen>, &EqualPaintOpacity<&TValues::Pen>},
    {ipStrokeWidth, &CopyStrokeWidth, &EqualStrokeWidth},
    {ipTextAnchor, &CopyField<&TValues::TextAlign>, &EqualField<&TValues::TextAlign>},
    {ipTextDecoration, &CopyTextDecoration, &EqualTextDecoration},
    {ipTextRendering, &CopyField<&TValues::TextRendering>, &EqualField<&TValues::TextRendering>},
    {ipVectorEffect, &CopyField<&TValues::VectorEffect>, &EqualField<&TValues::VectorEffect>},
    {ipVisibility, &CopyField<&TValues::Visible>, &EqualField<&TValues::Visible>},
    {ipWordSpacing, &CopyLength<&TValues::WordSpacing>, &EqualAutoLength<&TValues::WordSpacing>},
    {ipWritingMode, &CopyField<&TValues::WritingMode>, &EqualField<&TValues::WritingMode>},
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

bool StylePropertyEquals(const TSVGStyleValues& A, const TSVGStyleValues& B, TSVGStyleProperty Property)
{
    const TEqual equal = Copies[static_cast<std::size_t>(Property)].Equal;
    return equal == nullptr || equal(A, B);
}

bool StylePropertiesEqual(const TSVGStyleValues& A, const TSVGStyleValues& B, const TSVGStyleProperties& Properties)
{
    if (&A == &B)
        return true;
    bool equal = true;
    Properties.ForEach([&](TSVGStyleProperty property) {
        if (equal && !StylePropertyEquals(A, B, property))
            equal = false;
    });
    return equal;
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
