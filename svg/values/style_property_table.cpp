// The table of presentation properties: one row per property with its CSS
// name, initial value, default inheritance and value parser.

#include <algorithm>
#include <array>
#include <type_traits>
#include <vector>

#include "platform/enum_table.h"
#include "svg/values/colors.h"
#include "svg/values/number_parsers.h"
#include "svg/values/reference_parsers.h"
#include "svg/values/style_value_parsers.h"
#include "svg/values/style_values.h"

namespace zor {

namespace {

using TValues = TSVGStyleValues;
using TMember = TSVGStyleProperty;
using TContext = TSVGStyleContext;

// Runs Parse(bool& inherited) on the Inherits bit of Member.
template <typename ParseFunction>
void WithInherited(TValues& Values, TMember Member, ParseFunction&& Parse)
{
    bool inherited = Values.Inherits.Contains(Member);
    Parse(inherited);
    if (inherited)
        Values.Inherits.Include(Member);
    else
        Values.Inherits.Exclude(Member);
}

// Field := Parser(text, Field, inherited).
template <auto Field, auto Parser>
void ParseField(TValues& Values, TMember Member, QStringView Text, const TContext&)
{
    WithInherited(Values, Member, [&](bool& inherited) { Values.*Field = Parser(Text, Values.*Field, inherited); });
}

template <auto Field>
void ParseKeywordField(TValues& Values, TMember Member, QStringView Text, const TContext& Context)
{
    using TKeyword = std::remove_cvref_t<decltype(Values.*Field)>;
    ParseField<Field, &ParseKeywordProperty<TKeyword>>(Values, Member, Text, Context);
}

// Object.Setter(Parser(text, Object.Getter(), inherited)) for a property of
// the brush, pen or font.
template <auto Object, auto Getter, auto Setter, auto Parser>
void ParseObjectProperty(TValues& Values, TMember Member, QStringView Text, const TContext&)
{
    auto& object = Values.*Object;
    WithInherited(Values, Member, [&](bool& inherited) {
        (object.*Setter)(Parser(Text, (object.*Getter)(), inherited));
    });
}

// Parser(text, Object, inherited[, unit factors]) for parsers that fill an object themselves.
template <auto Object, auto Parser>
void ParseIntoObject(TValues& Values, TMember Member, QStringView Text, const TContext& Context)
{
    auto& object = Values.*Object;
    WithInherited(Values, Member, [&](bool& inherited) {
        if constexpr (std::is_invocable_v<decltype(Parser), QStringView, decltype(object), bool&,
                                          const TSVGUnitFactors&>)
            Parser(Text, object, inherited, Context.UnitFactors);
        else
            Parser(Text, object, inherited);
    });
}

float NumberValue(QStringView Text, float Current, bool& Inherited)
{
    return ParseNumber(Text, Inherited, Current);
}

float FloatValue(QStringView Text, float Current, bool& Inherited)
{
    return ParseFloatValue(Text, Inherited, Current);
}

// A colour where "currentColor" stands for the color property.
template <auto Field>
void ParseColorField(TValues& Values, TMember Member, QStringView Text, const TContext&)
{
    WithInherited(Values, Member, [&](bool& inherited) {
        bool noPaint = false;
        Values.*Field = ParseColor(Text, Values.*Field, noPaint, Values.Color, inherited);
    });
}

// The colour rows read everything before they store anything: the colour is
// read last and may be refused, which must leave the paint references as they
// were.

void ParseColorProperty(TValues& Values, TMember Member, QStringView Text, const TContext&)
{
    WithInherited(Values, Member, [&](bool& inherited) {
        // A paint server named by color reaches fill and stroke.
        bool referenceInherited = inherited;
        const QString brushURI = ParsePaintReferenceValue(Text, Values.Brush.URI(), referenceInherited);
        referenceInherited = inherited;
        const QString penURI = ParsePaintReferenceValue(Text, Values.Pen.URI(), referenceInherited);
        bool noPaint = false;
        const TAlphaColor color = ParseColor(Text, Values.Color, noPaint, Values.Color, inherited);
        Values.Brush.SetURI(brushURI);
        Values.Pen.SetURI(penURI);
        Values.Color = noPaint ? NoPaintColor : color;
    });
}

// "url(#id)" with an optional fallback: the reference paints, and the
// fallback colour, when written, stands in for a reference that cannot.
template <typename TPaint>
void ParsePaintServer(TPaint& Paint, TValues& Values, const TSVGPaintReferenceParts& Reference)
{
    bool noFallback = Reference.Fallback.isEmpty();
    bool inherited = false;
    const TAlphaColor color =
        noFallback ? Paint.Color() : ParseColor(Reference.Fallback, Paint.Color(), noFallback, Values.Color, inherited);
    Paint.SetColor(color);
    Paint.SetKind(TBrushKind::Solid);
    Paint.SetURI(Reference.ID);
    Paint.SetHasFallback(!noFallback);
}

// Fill and stroke: colour, "none" as no paint, and a paint server reference
// that survives the change of kind.
template <typename TPaint>
void ParsePaint(TPaint& Paint, TValues& Values, TMember Member, QStringView Text)
{
    WithInherited(Values, Member, [&](bool& inherited) {
        const TSVGPaintReferenceParts server = SplitPaintReference(Text);
        if (!server.ID.isEmpty()) {
            ParsePaintServer(Paint, Values, server);
            inherited = false;
            return;
        }
        const QString reference = ParsePaintReferenceValue(Text, Paint.URI(), inherited);
        bool noPaint = Paint.Kind() == TBrushKind::None;
        const TAlphaColor color = ParseColor(Text, Paint.Color(), noPaint, Values.Color, inherited);
        Paint.SetColor(color);
        Paint.SetKind(noPaint ? TBrushKind::None : TBrushKind::Solid);
        Paint.SetURI(reference);
    });
}

void ParseFill(TValues& Values, TMember Member, QStringView Text, const TContext&)
{
    ParsePaint(Values.Brush, Values, Member, Text);
}

void ParseStroke(TValues& Values, TMember Member, QStringView Text, const TContext&)
{
    ParsePaint(Values.Pen, Values, Member, Text);
}

void ParseClipRect(TValues& Values, TMember Member, QStringView Text, const TContext& Context)
{
    WithInherited(Values, Member, [&](bool& inherited) {
        Values.ClipRect = ParseClip(Text, Values.ClipRect, inherited, Context.UnitFactors);
    });
}

void ParseBaselineShiftLength(TValues& Values, TMember, QStringView Text, const TContext&)
{
    ParseBaselineShift(Text, Values.BaselineShift);
}

template <auto Field>
void ParseNormalLength(TValues& Values, TMember, QStringView Text, const TContext&)
{
    ParseAutoLength(Text, Values.*Field, u"normal");
}

void ParseKerning(TValues& Values, TMember, QStringView Text, const TContext&)
{
    ParseAutoLength(Text, Values.Kerning, u"auto");
}

void ParseMarkerShorthand(TValues& Values, TMember, QStringView Text, const TContext& Context)
{
    if (TrimBlanks(Text).isEmpty())
        return;
    ParseField<&TValues::MarkerStartURI, &ParseReferenceValue>(Values, TMember::ipMarkerStart, Text, Context);
    ParseField<&TValues::MarkerMidURI, &ParseReferenceValue>(Values, TMember::ipMarkerMid, Text, Context);
    ParseField<&TValues::MarkerEndURI, &ParseReferenceValue>(Values, TMember::ipMarkerEnd, Text, Context);
}

void ParseFont(TValues& Values, TMember Member, QStringView Text, const TContext& Context)
{
    WithInherited(Values, Member, [&](bool& inherited) {
        ParseFontShorthand(Text, Values.Font, inherited, Context.UnitFactors, Context.ParentFontSize);
    });
}

void ParseFontSizeValue(TValues& Values, TMember Member, QStringView Text, const TContext& Context)
{
    WithInherited(Values, Member, [&](bool& inherited) {
        Values.Font.SetSize(
            ParseFontSize(Text, inherited, Context.UnitFactors, Context.ParentFontSize, Values.Font.Size()));
    });
}

void ParseTextDecorationValue(TValues& Values, TMember Member, QStringView Text, const TContext&)
{
    WithInherited(Values, Member, [&](bool& inherited) {
        TFontStyles style = Values.Font.Style();
        TExtendedFontStyles extended = Values.Font.ExtendStyles();
        ParseTextDecoration(Text, style, extended, inherited);
        Values.Font.SetStyle(style);
        Values.Font.SetExtendStyles(extended);
    });
}

using enum TSVGStyleProperty;

// The initial value of font and font-family, whose families depend on the
// platform: no value read from a document equals it, so they are always saved.
constexpr const char* PlatformDependent = "???";

// Indexed by TSVGStyleProperty.
constexpr std::array<TSVGStylePropertyInfo, EnumCount(TSVGStyleProperty{})> StyleProperties = {{
    {ipNone, "ipNone", "", "", false, nullptr},
    {ipAlignmentBaseline, "ipAlignmentBaseline", "alignment-baseline", "auto", false, &ParseKeywordField<&TValues::AlignmentBaseline>},
    {ipBaselineShift, "ipBaselineShift", "baseline-shift", "baseline", false, &ParseBaselineShiftLength},
    {ipClip, "ipClip", "clip", "auto", false, &ParseClipRect},
    {ipClipPath, "ipClipPath", "clip-path", "none", true, &ParseField<&TValues::ClipURI, &ParseReferenceValue>},
    {ipClipRule, "ipClipRule", "clip-rule", "nonzero", true, &ParseKeywordField<&TValues::ClipRule>},
    {ipColor, "ipColor", "color", "", true, &ParseColorProperty},
    {ipColorInterpolation, "ipColorInterpolation", "color-interpolation", "sRGB", true, &ParseKeywordField<&TValues::ColorInterpolation>},
    {ipColorRendering, "ipColorRendering", "color-rendering", "auto", true, &ParseKeywordField<&TValues::ColorRendering>},
    {ipCursor, "ipCursor", "cursor", "auto", true, &ParseField<&TValues::Cursor, &ParseCursor>},
    {ipDirection, "ipDirection", "direction", "ltr", true, &ParseKeywordField<&TValues::Direction>},
    {ipDisplay, "ipDisplay", "display", "inline", false, &ParseField<&TValues::Display, &ParseDisplay>},
    {ipDominantBaseline, "ipDominantBaseline", "dominant-baseline", "auto", false, &ParseKeywordField<&TValues::DominantBaseline>},
    {ipFill, "ipFill", "fill", "black", true, &ParseFill},
    {ipFillOpacity, "ipFillOpacity", "fill-opacity", "1", true, &ParseObjectProperty<&TValues::Brush, &TSVGBrush::Opacity, &TSVGBrush::SetOpacity, &NumberValue>},
    {ipFillRule, "ipFillRule", "fill-rule", "nonzero", true, &ParseKeywordField<&TValues::FillRule>},
    {ipFloodColor, "ipFloodColor", "flood-color", "black", false, &ParseColorField<&TValues::FloodColor>},
    {ipFloodOpacity, "ipFloodOpacity", "flood-opacity", "1", false, &ParseField<&TValues::FloodOpacity, &NumberValue>},
    {ipFont, "ipFont", "font", PlatformDependent, true, &ParseFont},
    {ipFontFamily, "ipFontFamily", "font-family", PlatformDependent, true, &ParseIntoObject<&TValues::Font, &ParseFontFamily>},
    {ipFontSize, "ipFontSize", "font-size", "medium", true, &ParseFontSizeValue},
    {ipFontStyle, "ipFontStyle", "font-style", "normal", true, &ParseObjectProperty<&TValues::Font, &TSVGFont::Style, &TSVGFont::SetStyle, &ParseFontStyle>},
    {ipFontVariant, "ipFontVariant", "font-variant", "normal", true, &ParseObjectProperty<&TValues::Font, &TSVGFont::FontVariant, &TSVGFont::SetFontVariant, &ParseKeywordProperty<TSVGFontVariant>>},
    {ipFontWeight, "ipFontWeight", "font-weight", "normal", true, &ParseObjectProperty<&TValues::Font, &TSVGFont::Weight, &TSVGFont::SetWeight, &ParseKeywordProperty<TSVGFontWeight>>},
    {ipGlyphOrientationHorizontal, "ipGlyphOrientationHorizontal", "glyph-orientation-horizontal", "0deg", true, &ParseField<&TValues::GlyphOrientationHorizontal, &ParseGlyphOrientationHorizontal>},
    {ipGlyphOrientationVertical, "ipGlyphOrientationVertical", "glyph-orientation-vertical", "auto", true, &ParseField<&TValues::GlyphOrientationVertical, &ParseGlyphOrientationVertical>},
    {ipKerning, "ipKerning", "kerning", "auto", true, &ParseKerning},
    {ipLetterSpacing, "ipLetterSpacing", "letter-spacing", "normal", true, &ParseNormalLength<&TValues::LetterSpacing>},
    {ipMarker, "ipMarker", "marker", "none", true, &ParseMarkerShorthand},
    {ipMarkerEnd, "ipMarkerEnd", "marker-end", "none", true, &ParseField<&TValues::MarkerEndURI, &ParseReferenceValue>},
    {ipMarkerMid, "ipMarkerMid", "marker-mid", "none", true, &ParseField<&TValues::MarkerMidURI, &ParseReferenceValue>},
    {ipMarkerStart, "ipMarkerStart", "marker-start", "none", true, &ParseField<&TValues::MarkerStartURI, &ParseReferenceValue>},
    {ipOpacity, "ipOpacity", "opacity", "1", false, &ParseField<&TValues::Opacity, &NumberValue>},
    {ipOverflow, "ipOverflow", "overflow", "visible", false, &ParseField<&TValues::Overflow, &ParseOverflow>},
    {ipShapeRendering, "ipShapeRendering", "shape-rendering", "auto", true, &ParseKeywordField<&TValues::ShapeRendering>},
    {ipStopColor, "ipStopColor", "stop-color", "black", false, &ParseColorField<&TValues::StopColor>},
    {ipStopOpacity, "ipStopOpacity", "stop-opacity", "1", false, &ParseField<&TValues::StopOpacity, &NumberValue>},
    {ipStroke, "ipStroke", "stroke", "none", true, &ParseStroke},
    {ipStrokeDasharray, "ipStrokeDasharray", "stroke-dasharray", "none", true, &ParseIntoObject<&TValues::Pen, &ParseStrokeDashArray>},
    {ipStrokeDashOffset, "ipStrokeDashOffset", "stroke-dashoffset", "0", true, &ParseIntoObject<&TValues::Pen, &ParseStrokeDashOffset>},
    {ipStrokeLinecap, "ipStrokeLinecap", "stroke-linecap", "butt", true, &ParseObjectProperty<&TValues::Pen, &TSVGPen::Cap, &TSVGPen::SetCap, &ParseStrokeLinecap>},
    {ipStrokeLineJoin, "ipStrokeLineJoin", "stroke-linejoin", "miter", true, &ParseObjectProperty<&TValues::Pen, &TSVGPen::Join, &TSVGPen::SetJoin, &ParseStrokeLinejoin>},
    {ipStrokeMiterLimit, "ipStrokeMiterLimit", "stroke-miterlimit", "4", true, &ParseObjectProperty<&TValues::Pen, &TSVGPen::MiterLimit, &TSVGPen::SetMiterLimit, &FloatValue>},
    {ipStrokeOpacity, "ipStrokeOpacity", "stroke-opacity", "1", true, &ParseObjectProperty<&TValues::Pen, &TSVGPen::Opacity, &TSVGPen::SetOpacity, &NumberValue>},
    {ipStrokeWidth, "ipStrokeWidth", "stroke-width", "1", true, &ParseIntoObject<&TValues::Pen, &ParseStrokeWidth>},
    {ipTextAnchor, "ipTextAnchor", "text-anchor", "start", true, &ParseField<&TValues::TextAlign, &ParseTextAnchor>},
    {ipTextDecoration, "ipTextDecoration", "text-decoration", "none", true, &ParseTextDecorationValue},
    {ipTextRendering, "ipTextRendering", "text-rendering", "auto", true, &ParseKeywordField<&TValues::TextRendering>},
    {ipVectorEffect, "ipVectorEffect", "vector-effect", "none", false, &ParseKeywordField<&TValues::VectorEffect>},
    {ipVisibility, "ipVisibility", "visibility", "visible", true, &ParseField<&TValues::Visible, &ParseVisibility>},
    {ipWordSpacing, "ipWordSpacing", "word-spacing", "normal", true, &ParseNormalLength<&TValues::WordSpacing>},
    {ipWritingMode, "ipWritingMode", "writing-mode", "lr-tb", true, &ParseKeywordField<&TValues::WritingMode>},
}};

static_assert(RowsFollowTheEnumeration<&TSVGStylePropertyInfo::Member>(StyleProperties),
              "the property table is indexed by TSVGStyleProperty");

// The rows sorted by one of their texts, for a binary search: every
// attribute and declaration of a document is looked up by name.
class TPropertyIndex {
public:
    template <typename KeyFunction>
    explicit TPropertyIndex(KeyFunction&& KeyOf)
    {
        for (const TSVGStylePropertyInfo& row : StyleProperties)
            if (row.Member != ipNone)
                FEntries.push_back({QLatin1StringView(KeyOf(row)), row.Member});
        std::ranges::sort(FEntries, [](const TEntry& a, const TEntry& b) { return a.Key < b.Key; });
    }

    TSVGStyleProperty Find(QStringView Key) const
    {
        const auto found = std::ranges::partition_point(FEntries, [Key](const TEntry& e) { return Compare(e.Key, Key) < 0; });
        return found != FEntries.end() && Compare(found->Key, Key) == 0 ? found->Member : ipNone;
    }

private:
    // The order of the UTF-16 code units, as QString orders texts, written
    // out so that the search calls no library function per step.
    static int Compare(QLatin1StringView Key, QStringView Text)
    {
        const qsizetype common = std::min(Key.size(), Text.size());
        for (qsizetype i = 0; i < common; ++i) {
            const char16_t a = static_cast<unsigned char>(Key[i].toLatin1());
            const char16_t b = Text[i].unicode();
            if (a != b)
                return a < b ? -1 : 1;
        }
        return Key.size() < Text.size() ? -1 : Key.size() > Text.size() ? 1 : 0;
    }

    struct TEntry {
        QLatin1StringView Key;
        TSVGStyleProperty Member;
    };
    std::vector<TEntry> FEntries;
};

} // namespace

const TSVGStylePropertyInfo& StylePropertyInfo(TSVGStyleProperty Member)
{
    return StyleProperties[static_cast<std::size_t>(Member)];
}

QString StylePropertyName(TSVGStyleProperty Member)
{
    return QString::fromLatin1(StylePropertyInfo(Member).Name);
}

QString StylePropertyInitialValue(TSVGStyleProperty Member)
{
    return QString::fromLatin1(StylePropertyInfo(Member).InitialValue);
}

QString StylePropertyIdentifier(TSVGStyleProperty Member)
{
    return QString::fromLatin1(StylePropertyInfo(Member).Identifier);
}

TSVGStyleProperty StylePropertyFromName(QStringView Name)
{
    static const TPropertyIndex index([](const TSVGStylePropertyInfo& row) { return row.Name; });
    return index.Find(Name);
}

TSVGStyleProperty StylePropertyFromIdentifier(QStringView Identifier)
{
    static const TPropertyIndex index([](const TSVGStylePropertyInfo& row) { return row.Identifier; });
    return index.Find(Identifier);
}

TSVGStyleProperties DefaultInheritedProperties()
{
    static const TSVGStyleProperties inherited = [] {
        TSVGStyleProperties properties;
        for (const TSVGStylePropertyInfo& row : StyleProperties)
            if (row.InheritedByDefault)
                properties.Include(row.Member);
        return properties;
    }();
    return inherited;
}

} // namespace zor
