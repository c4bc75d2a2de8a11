#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "svg/values/colors.h"
#include "svg/values/style_value_parsers.h"
#include "svg/values/style_values.h"
#include "tests/svg/values/values_test_support.h"

using namespace zor;
using namespace zor::testing;
using enum TSVGStyleProperty;

namespace {

// An element's values with the context a 96 dpi document gives them.
struct TStyleFixture {
    TSVGStyleValues Values;
    TSVGStyleContext Context{Document96, 10};

    void Parse(TSVGStyleProperty Member, QStringView Text) { ParseStyleProperty(Values, Member, Text, Context); }
};

std::string Label(const char16_t* Text)
{
    return zor::testing::Text(QString::fromUtf16(Text));
}

} // namespace

// ---------------------------------------------------------------------------
// The property table

TEST(StylePropertyTable, EveryPropertyHasOneNamedRowWithAParser)
{
    std::set<QString> names;
    for (std::size_t i = 1; i < EnumCount(TSVGStyleProperty{}); ++i) {
        const auto member = static_cast<TSVGStyleProperty>(i);
        const QString name = StylePropertyName(member);
        EXPECT_FALSE(name.isEmpty()) << i;
        EXPECT_TRUE(names.insert(name).second) << Text(name);
        EXPECT_EQ(StylePropertyFromName(name), member) << Text(name);
        EXPECT_EQ(StylePropertyFromIdentifier(StylePropertyIdentifier(member)), member);
        EXPECT_NE(StylePropertyInfo(member).Parse, nullptr) << Text(name);
    }
    EXPECT_EQ(names.size(), 51u);
    EXPECT_EQ(StylePropertyFromName(u"Fill"), ipNone);
    EXPECT_EQ(StylePropertyFromName(u""), ipNone);
    EXPECT_EQ(StylePropertyFromName(u"bogus"), ipNone);
}

TEST(StylePropertyTable, NamesInitialValuesAndInheritance)
{
    struct Case {
        TSVGStyleProperty member;
        const char* name;
        const char* initial;
    };
    const Case cases[] = {
        {ipAlignmentBaseline, "alignment-baseline", "auto"},
        {ipColor, "color", ""},
        {ipColorInterpolation, "color-interpolation", "sRGB"},
        {ipFill, "fill", "black"},
        {ipFont, "font", "???"},
        {ipFontFamily, "font-family", "???"},
        {ipFontSize, "font-size", "medium"},
        {ipGlyphOrientationHorizontal, "glyph-orientation-horizontal", "0deg"},
        {ipStroke, "stroke", "none"},
        {ipStrokeDasharray, "stroke-dasharray", "none"},
        {ipStrokeLinecap, "stroke-linecap", "butt"},
        {ipStrokeMiterLimit, "stroke-miterlimit", "4"},
        {ipWritingMode, "writing-mode", "lr-tb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(StylePropertyName(c.member)), c.name);
        EXPECT_EQ(Text(StylePropertyInitialValue(c.member)), c.initial);
    }
    const TSVGStyleProperties notInherited = {ipAlignmentBaseline, ipBaselineShift, ipClip,        ipDisplay,
                                              ipDominantBaseline,  ipFloodColor,    ipFloodOpacity, ipOpacity,
                                              ipOverflow,          ipStopColor,     ipStopOpacity, ipVectorEffect};
    EXPECT_EQ(DefaultInheritedProperties(), TSVGStyleProperties::All() - notInherited - TSVGStyleProperties{ipNone});
}

TEST(StylePropertiesSet, TextFormAndNotifications)
{
    TSVGStylePropertiesSet set;
    TChangeCounter changes;
    set.OnChange = changes.Slot();
    set.FromString(u"ipFill, ipStroke,bogus, ipNone");
    EXPECT_EQ(set.Value(), (TSVGStyleProperties{ipFill, ipStroke}));
    EXPECT_EQ(Text(set.ToString()), "ipFill, ipStroke");
    EXPECT_EQ(changes.Count, 1);

    set.SetByIndex(ipFill, true);
    set.FromString(u"ipStroke,ipFill");
    EXPECT_EQ(changes.Count, 1);
    set.SetByIndex(ipWritingMode, true);
    EXPECT_TRUE(set.GetByIndex(ipWritingMode));
    EXPECT_EQ(changes.Count, 2);

    TSVGStylePropertiesSet copy;
    copy.Assign(&set);
    EXPECT_EQ(Text(copy.ToString()), "ipFill, ipStroke, ipWritingMode");
    EXPECT_EQ(Text(TSVGStylePropertiesSet::ToString({})), "");
}

// ---------------------------------------------------------------------------
// Keyword properties

TEST(StyleKeywords, KeywordPropertiesFollowTheInheritKeyword)
{
    struct Case {
        const char16_t* text;
        TSVGFillRule rule;
        bool inherited;
    };
    // Each case starts from evenodd, not inherited.
    const Case cases[] = {
        {u"nonzero", TSVGFillRule::frNonZero, false},
        {u" evenodd ", TSVGFillRule::frEvenOdd, false},
        {u"NonZero", TSVGFillRule::frNone, false},
        {u"inherit", TSVGFillRule::frEvenOdd, true},
        {u"", TSVGFillRule::frEvenOdd, false},
    };
    for (const Case& c : cases) {
        bool inherited = false;
        EXPECT_EQ(ParseKeywordProperty(c.text, TSVGFillRule::frEvenOdd, inherited), c.rule) << Label(c.text);
        EXPECT_EQ(inherited, c.inherited) << Label(c.text);
    }
    // Attribute keywords without "inherit".
    EXPECT_EQ(ParseKeywordOrFirst(u"stretch", TSVGTextPathMethod::tpmAlign), TSVGTextPathMethod::tpmStretch);
    EXPECT_EQ(ParseKeywordOrFirst(u"bogus", TSVGTextPathMethod::tpmAlign), TSVGTextPathMethod::tpmNone);
    EXPECT_EQ(ParseKeywordOrFirst(u"", TSVGTextPathMethod::tpmAlign), TSVGTextPathMethod::tpmAlign);
    EXPECT_EQ(ParseKeywordOrKeep(u"reflect", TSVGGradientSpread::gsPad), TSVGGradientSpread::gsReflect);
    EXPECT_EQ(ParseKeywordOrKeep(u"bogus", TSVGGradientSpread::gsPad), TSVGGradientSpread::gsPad);
    EXPECT_EQ(ParseKeywordOrKeep(u"userSpaceOnUse", TSVGCoordinateSystemUnit::csuObjectBoundingBox),
              TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    EXPECT_EQ(Text(KeywordOf(TSVGFontWeight::fw600)), "600");
    EXPECT_EQ(Text(TextAlignName(TSVGTextAlign::staCenter)), "middle");
    EXPECT_EQ(Text(VisibilityName(false)), "hidden");
}

TEST(StyleKeywords, GlyphOrientationsRoundToQuarterTurns)
{
    struct Case {
        const char16_t* text;
        TSVGGlyphOrientationHorizontal horizontal;
        TSVGGlyphOrientationVertical vertical;
    };
    using enum TSVGGlyphOrientationHorizontal;
    using enum TSVGGlyphOrientationVertical;
    const Case cases[] = {
        {u"44deg", oh0Deg, ov0Deg},     {u"46", oh90Deg, ov90Deg},    {u"180DEG", oh180Deg, ov180Deg},
        {u"45", oh0Deg, ov0Deg},        {u"135", oh180Deg, ov180Deg}, {u"270deg", oh270Deg, ov270Deg},
        {u"-90", ohNone, ovNone},       {u"360", ohNone, ovNone},     {u"auto", ohNone, ovAuto},
        {u"abc", ohNone, ovNone},
    };
    for (const Case& c : cases) {
        bool inherited = false;
        EXPECT_EQ(ParseGlyphOrientationHorizontal(c.text, oh90Deg, inherited), c.horizontal) << Label(c.text);
        EXPECT_EQ(ParseGlyphOrientationVertical(c.text, ov90Deg, inherited), c.vertical) << Label(c.text);
    }
}

TEST(StyleKeywords, CursorsMapToPlatformCodes)
{
    struct Case {
        const char16_t* text;
        int code;
    };
    const Case cases[] = {
        {u"auto", 0},
        {u"pointer", -21},
        {u"ne-resize", -6},
        {u"w-resize", -9},
        {u"text", -4},
        {u"Pointer", -1},
        {u"url(\"a.cur\"), url(b.cur), help", -20},
        {u"url(a.cur), wait", -11},
    };
    for (const Case& c : cases) {
        bool inherited = false;
        EXPECT_EQ(ParseCursor(c.text, 5, inherited), c.code) << Label(c.text);
    }
}

TEST(StyleKeywords, SmallValueKeywords)
{
    bool inherited = false;
    EXPECT_EQ(ParseTextAnchor(u"END", TSVGTextAlign::staCenter, inherited), TSVGTextAlign::staLeading);
    EXPECT_EQ(ParseTextAnchor(u"end", TSVGTextAlign::staCenter, inherited), TSVGTextAlign::staTrailing);
    EXPECT_TRUE(ParseOverflow(u"auto", false, inherited));
    EXPECT_FALSE(ParseOverflow(u"scroll", true, inherited));
    EXPECT_FALSE(ParseDisplay(u"none", true, inherited));
    EXPECT_TRUE(ParseDisplay(u"block", false, inherited));
    EXPECT_FALSE(ParseVisibility(u"collapse", true, inherited));
    EXPECT_EQ(ParseStrokeLinecap(u"square", TStrokeCap::Round, inherited), TStrokeCap::Square);
    EXPECT_EQ(ParseStrokeLinecap(u"butt", TStrokeCap::Round, inherited), TStrokeCap::Flat);
    EXPECT_EQ(ParseStrokeLinecap(u"Square", TStrokeCap::Round, inherited), TStrokeCap::Flat);
    EXPECT_EQ(ParseStrokeLinejoin(u"bevel", TStrokeJoin::Miter, inherited), TStrokeJoin::Bevel);
    EXPECT_EQ(ParseStrokeLinejoin(u"arcs", TStrokeJoin::Round, inherited), TStrokeJoin::Miter);
}

// ---------------------------------------------------------------------------
// Font properties

TEST(StyleFont, FontSizes)
{
    struct Case {
        const char16_t* text;
        float size;
    };
    // Parent size 10, current size 7, 96 dpi, ex of an element of size 7.
    const Case cases[] = {
        {u"2em", 20},     {u"larger", 12},    {u"smaller", 8.3333f}, {u"x-small", 8.3333f},
        {u"xx-large", 20.736f}, {u"12pt", 16}, {u"50%", 50},         {u"2ex", 7},
        {u"14", 14},      {u"inherit", 7},    {u"", 7},              {u"huge", 7},
        {u"3e38in", 7},   {u"3e38em", 7}, // beyond the float range once converted
    };
    TSVGUnitFactors factors = Document96;
    factors[std::size_t(TSVGUnit::suFontXHeight)] = 3.5f;
    for (const Case& c : cases) {
        bool inherited = false;
        EXPECT_NEAR(ParseFontSize(c.text, inherited, factors, 10, 7), c.size, 1e-3) << Label(c.text);
    }
}

TEST(StyleFont, StyleDecorationAndWeightProperties)
{
    struct Case {
        TSVGStyleProperty member;
        const char16_t* text;
        TFontStyles style;
        TExtendedFontStyles extended;
    };
    using enum TFontStyle;
    using enum TExtendedFontStyle;
    // Each case starts from a bold, underlined, overlined font.
    const Case cases[] = {
        {ipFontStyle, u"italic", {fsBold, fsUnderline, fsItalic}, {fsOverline}},
        {ipFontStyle, u"oblique", {fsBold, fsUnderline, fsItalic}, {fsOverline}},
        {ipFontStyle, u"normal", {fsBold, fsUnderline}, {fsOverline}},
        {ipTextDecoration, u"line-through", {fsBold, fsStrikeOut}, {}},
        {ipTextDecoration, u"overline", {fsBold}, {fsOverline}},
        {ipTextDecoration, u"blink", {fsBold, fsUnderline}, {fsBlink}},
        {ipTextDecoration, u"none", {fsBold}, {}},
        {ipTextDecoration, u"inherit", {fsBold, fsUnderline}, {fsOverline}},
        {ipFontWeight, u"300", {fsUnderline}, {fsOverline}},
        {ipFontWeight, u"heavy", {fsBold, fsUnderline}, {fsOverline}},
    };
    for (const Case& c : cases) {
        TStyleFixture fixture;
        TSVGFont& font = fixture.Values.Font;
        font.SetWeight(TSVGFontWeight::fwBold);
        font.SetStyle({fsBold, fsUnderline});
        font.SetExtendStyles({fsOverline});
        fixture.Parse(c.member, c.text);
        EXPECT_EQ(font.Style(), c.style) << Label(c.text);
        EXPECT_EQ(font.ExtendStyles(), c.extended) << Label(c.text);
    }
}

TEST(StyleFont, FamilyAndShorthand)
{
    TStyleFixture fixture;
    TSVGFont& font = fixture.Values.Font;
    fixture.Parse(ipFontFamily, u"Bogus, \"Liberation Sans\"");
    EXPECT_EQ(Text(font.Family()), "Liberation Sans");
    EXPECT_EQ(font.Families().Count(), 2);

    fixture.Parse(ipFont, u"italic small-caps 600 1.5em/2 'DejaVu Sans', sans-serif");
    EXPECT_TRUE(font.Style().Contains(TFontStyle::fsItalic));
    EXPECT_TRUE(font.Style().Contains(TFontStyle::fsBold));
    EXPECT_EQ(font.FontVariant(), TSVGFontVariant::fvSmallCaps);
    EXPECT_EQ(font.Weight(), TSVGFontWeight::fw600);
    EXPECT_FLOAT_EQ(font.Size(), 15);
    // The installed family comes before the generic one.
    EXPECT_EQ(Text(font.Family()), "DejaVu Sans");

    fixture.Parse(ipFont, u"12pt / 1.2 'Liberation Sans'");
    EXPECT_FALSE(font.Style().Contains(TFontStyle::fsItalic));
    EXPECT_EQ(font.Weight(), TSVGFontWeight::fwNormal);
    EXPECT_FLOAT_EQ(font.Size(), 16);
    EXPECT_EQ(Text(font.Family()), "Liberation Sans");

    // Without a size or without families the shorthand changes nothing.
    for (const char16_t* incomplete : {u"bold Arial", u"bold 12px", u"caption", u"12px /"}) {
        fixture.Parse(ipFont, incomplete);
        EXPECT_FLOAT_EQ(font.Size(), 16) << Label(incomplete);
        EXPECT_EQ(font.Weight(), TSVGFontWeight::fwNormal) << Label(incomplete);
        EXPECT_EQ(Text(font.Family()), "Liberation Sans") << Label(incomplete);
    }
}

// ---------------------------------------------------------------------------
// Paint and stroke properties

TEST(StylePaint, FillAndStrokeKeepTheirPaintServer)
{
    TStyleFixture fixture;
    TSVGStyleValues& values = fixture.Values;
    EXPECT_TRUE(values.Inherits.Contains(ipFill));
    fixture.Parse(ipStroke, u"url(#g1)");
    EXPECT_EQ(values.Pen.Kind(), TBrushKind::Solid);
    EXPECT_EQ(Text(values.Pen.URI()), "g1");
    fixture.Parse(ipStroke, u"none");
    EXPECT_EQ(values.Pen.Kind(), TBrushKind::None);
    EXPECT_EQ(Text(values.Pen.URI()), "g1");

    fixture.Parse(ipColor, u"#00ff00");
    fixture.Parse(ipFill, u"currentColor");
    EXPECT_EQ(values.Brush.Color(), 0xFF00FF00u);
    EXPECT_EQ(values.Brush.Kind(), TBrushKind::Solid);
    fixture.Parse(ipColor, u"none");
    EXPECT_EQ(values.Color, 0u);

    fixture.Parse(ipFill, u"red");
    EXPECT_EQ(values.Brush.Color(), 0xFFFF0000u);
    EXPECT_FALSE(values.Inherits.Contains(ipFill));
    fixture.Parse(ipFill, u"inherit");
    EXPECT_TRUE(values.Inherits.Contains(ipFill));
    EXPECT_EQ(values.Brush.Color(), 0xFFFF0000u);

    fixture.Parse(ipFillOpacity, u"1.7");
    EXPECT_EQ(values.Brush.Opacity(), 1);
    fixture.Parse(ipStrokeOpacity, u"0.25");
    EXPECT_EQ(values.Pen.Opacity(), 0.25f);
    fixture.Parse(ipStopColor, u"blue");
    EXPECT_EQ(values.StopColor, 0xFF0000FFu);
}

TEST(StylePaint, AFallbackColourAfterAPaintServerIsRecorded)
{
    struct Case {
        const char16_t* text;
        const char* uri;
        bool fallback;
        TAlphaColor color;
    };
    const Case cases[] = {
        {u"url(#g)", "g", false, 0xFF000000},
        {u"url(#g) red", "g", true, 0xFFFF0000},
        {u" url(#g)   #00ff00 ", "g", true, 0xFF00FF00},
        {u"url(#g) currentColor", "g", true, 0xFF0000FF},
        {u"url(#g) none", "g", false, 0xFF000000},
        {u"URL(#a b) blue", "a b", true, 0xFF0000FF},
    };
    for (const Case& c : cases) {
        TStyleFixture fixture;
        fixture.Parse(ipColor, u"blue");
        fixture.Parse(ipFill, c.text);
        const TSVGBrush& brush = fixture.Values.Brush;
        const std::string label = QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(Text(brush.URI()), c.uri) << label;
        EXPECT_EQ(brush.HasFallback(), c.fallback) << label;
        EXPECT_EQ(brush.Color(), c.color) << label;
        EXPECT_EQ(brush.Kind(), TBrushKind::Solid) << label;
    }
    // A malformed fallback is refused whole.
    TStyleFixture fixture;
    fixture.Parse(ipStroke, u"url(#g) red");
    EXPECT_FALSE(ParseStyleProperty(fixture.Values, ipStroke, u"url(#h) #ggg", fixture.Context).Taken());
    EXPECT_EQ(Text(fixture.Values.Pen.URI()), "g");
    EXPECT_TRUE(fixture.Values.Pen.HasFallback());
    EXPECT_EQ(fixture.Values.Pen.Color(), 0xFFFF0000u);
}

TEST(StylePaint, RefusedColourTextsChangeNothingAndGiveTheReason)
{
    const std::tuple<TSVGStyleProperty, const char16_t*, const char*> cases[] = {
        {ipFill, u"#ggg", "'#ggg' is not a valid integer value"},
        {ipStroke, u"#ggg", "'#ggg' is not a valid integer value"},
        {ipColor, u"#ggg", "'#ggg' is not a valid integer value"},
        {ipStopColor, u"rgb(1,x,2)", "'x' is not a valid integer value"},
        {ipFloodColor, u"rgb(1,,2)", "'' is not a valid integer value"},
    };
    for (const auto& [member, text, reason] : cases) {
        TStyleFixture fixture;
        TSVGStyleValues& values = fixture.Values;
        fixture.Parse(ipColor, u"#102030");
        fixture.Parse(ipFill, u"#405060");
        fixture.Parse(ipStroke, u"#708090");
        values.Brush.SetURI(QStringLiteral("f"));
        values.Pen.SetURI(QStringLiteral("s"));
        fixture.Parse(ipStopColor, u"#aabbcc");
        const TSVGStyleProperties inherits = values.Inherits;

        const TSVGStyleParseResult result = ParseStyleProperty(values, member, text, fixture.Context);
        EXPECT_TRUE(result.Known);
        EXPECT_FALSE(result.Taken()) << Label(text);
        EXPECT_EQ(Text(result.Refusal), reason);
        EXPECT_EQ(Text(values.Brush.URI()), "f") << Label(text);
        EXPECT_EQ(values.Brush.Color(), 0xFF405060u);
        EXPECT_EQ(values.Brush.Kind(), TBrushKind::Solid);
        EXPECT_EQ(Text(values.Pen.URI()), "s");
        EXPECT_EQ(values.Pen.Color(), 0xFF708090u);
        EXPECT_EQ(values.Color, 0xFF102030u);
        EXPECT_EQ(values.StopColor, 0xFFAABBCCu);
        EXPECT_EQ(values.Inherits, inherits);
    }
    // Called directly, the colour reader still raises.
    bool noPaint = false, inherited = false;
    EXPECT_THROW(ParseColor(u"#ggg", 0, noPaint, 0, inherited), EConvertError);
    TStyleFixture fixture;
    EXPECT_TRUE(ParseStyleProperty(fixture.Values, u"fill", u"#123", fixture.Context).Taken());
    EXPECT_EQ(fixture.Values.Brush.Color(), 0xFF112233u);
}

TEST(StylePaint, StrokeDashes)
{
    struct Case {
        const char16_t* text;
        TStrokeDash dash;
        std::vector<float> pattern;
    };
    // Each case starts from the custom pattern 9 9.
    const Case cases[] = {
        {u"4,2,1", TStrokeDash::Custom, {4, 2, 1, 4, 2, 1}},
        {u"1in", TStrokeDash::Custom, {96, 96}},
        {u"4 2 0", TStrokeDash::Custom, {4, 2, 0, 4, 2, 0}},
        {u"0 0", TStrokeDash::Solid, {}},
        {u"4 -2", TStrokeDash::Solid, {}},
        {u"none", TStrokeDash::Solid, {}},
        {u"inherit", TStrokeDash::Custom, {9, 9}},
        {u"", TStrokeDash::Custom, {9, 9}},
    };
    for (const Case& c : cases) {
        TStyleFixture fixture;
        TSVGPen& pen = fixture.Values.Pen;
        fixture.Parse(ipStrokeDashOffset, u"3");
        fixture.Parse(ipStrokeDasharray, u"9 9");
        fixture.Parse(ipStrokeDasharray, c.text);
        EXPECT_EQ(pen.Dash(), c.dash) << Label(c.text);
        if (c.dash == TStrokeDash::Custom) {
            EXPECT_EQ(pen.DashArray(), c.pattern) << Label(c.text);
            EXPECT_EQ(pen.DashOffset(), 3);
        }
    }
}

TEST(StylePaint, StrokeWidthsRememberUnitAndPercent)
{
    struct Case {
        const char16_t* text;
        float width;
        TSVGUnit unit;
        bool percent;
    };
    // Each case starts from width 2.
    const Case cases[] = {
        {u"3", 3, TSVGUnit::suNone, false},
        {u"1in", 96, TSVGUnit::suInches, false},
        {u"5%", 0.05f, TSVGUnit::suPercent, true},
        {u"Infinity", 1e8f, TSVGUnit::suNone, false},
        {u"thin", 2, TSVGUnit::suNone, false},
        {u"3e38in", 2, TSVGUnit::suNone, false},
    };
    for (const Case& c : cases) {
        TStyleFixture fixture;
        TSVGPen& pen = fixture.Values.Pen;
        pen.SetThickness(2);
        fixture.Parse(ipStrokeWidth, c.text);
        EXPECT_FLOAT_EQ(pen.Thickness(), c.width) << Label(c.text);
        EXPECT_EQ(pen.ThicknessPreferredUnit(), c.unit) << Label(c.text);
        EXPECT_EQ(pen.ThicknessIsPercent(), c.percent) << Label(c.text);
    }
    TStyleFixture fixture;
    fixture.Parse(ipStrokeLinecap, u"round");
    fixture.Parse(ipStrokeMiterLimit, u"Infinity");
    EXPECT_EQ(fixture.Values.Pen.Cap(), TStrokeCap::Round);
    EXPECT_EQ(fixture.Values.Pen.MiterLimit(), 4);
}

// ---------------------------------------------------------------------------
// Geometry-like properties

TEST(StyleGeometry, ClipRectangles)
{
    struct Case {
        const char16_t* text;
        float top, right, bottom, left;
    };
    // Each case starts from the edges 5 6 7 8.
    const Case cases[] = {
        {u"rect(1 2 3 4)", 1, 2, 3, 4},
        {u"RECT(1pt 1in 3 4)", 1.3333f, 96, 3, 4},
        {u"rect(1,2,3,4)", 0, 0, 0, 0},
        {u"rect(1 x)", 1, 0, 0, 0},
        {u"auto", 0, 0, 0, 0},
        {u"circle(3)", 5, 6, 7, 8},
    };
    for (const Case& c : cases) {
        bool inherited = false;
        const QRectF start(QPointF(8, 5), QPointF(6, 7));
        const QRectF clip = ParseClip(c.text, start, inherited, Document96);
        EXPECT_NEAR(clip.top(), c.top, 1e-3) << Label(c.text);
        EXPECT_NEAR(clip.right(), c.right, 1e-3) << Label(c.text);
        EXPECT_NEAR(clip.bottom(), c.bottom, 1e-3) << Label(c.text);
        EXPECT_NEAR(clip.left(), c.left, 1e-3) << Label(c.text);
    }
}

TEST(StyleGeometry, MarkerShorthandSetsAllThreeMarkers)
{
    TStyleFixture fixture;
    TSVGStyleValues& values = fixture.Values;
    fixture.Parse(ipMarker, u"url(#m)");
    EXPECT_EQ(Text(values.MarkerStartURI), "m");
    EXPECT_EQ(Text(values.MarkerMidURI), "m");
    EXPECT_EQ(Text(values.MarkerEndURI), "m");
    fixture.Parse(ipMarker, u"  ");
    fixture.Parse(ipMarkerMid, u"#other");
    EXPECT_EQ(Text(values.MarkerStartURI), "m");
    EXPECT_EQ(Text(values.MarkerMidURI), "other");
    fixture.Parse(ipClipPath, u"url(#c)");
    EXPECT_EQ(Text(values.ClipURI), "c");
}

TEST(StyleGeometry, SpacingLengthsInheritFromTheParent)
{
    TStyleFixture parent;
    TStyleFixture child;
    child.Values.Parent = &parent.Values;
    parent.Parse(ipLetterSpacing, u"3px");
    EXPECT_FALSE(parent.Values.LetterSpacing.Automatic());

    // Inherited by default: the child shows the parent's spacing.
    EXPECT_TRUE(child.Values.LetterSpacing.ParentValue());
    EXPECT_EQ(child.Values.LetterSpacing.GetValue(), 3);
    EXPECT_FALSE(child.Values.LetterSpacing.Automatic());

    child.Parse(ipLetterSpacing, u"normal");
    EXPECT_FALSE(child.Values.Inherits.Contains(ipLetterSpacing));
    EXPECT_TRUE(child.Values.LetterSpacing.Automatic());
    child.Parse(ipLetterSpacing, u"50%");
    EXPECT_FALSE(child.Values.LetterSpacing.Automatic());
    EXPECT_EQ(child.Values.LetterSpacing.Raw(), 50);
    child.Parse(ipLetterSpacing, u"inherit");
    EXPECT_TRUE(child.Values.Inherits.Contains(ipLetterSpacing));
    EXPECT_EQ(child.Values.LetterSpacing.GetValue(), 3);

    child.Parse(ipKerning, u"auto");
    EXPECT_TRUE(child.Values.Kerning.Automatic());
    EXPECT_FALSE(child.Values.Inherits.Contains(ipKerning));
}

TEST(StyleGeometry, BaselineShifts)
{
    struct Case {
        const char16_t* text;
        TSVGBaselineShift shift;
        float raw;
    };
    using enum TSVGBaselineShift;
    const Case cases[] = {
        {u"sub", bsSubscript, 0},
        {u"super", bsSuperscript, 0},
        {u"50%", bsPercentage, 0.5f},
        {u"3px", bsLength, 3},
        {u"percentage", bsLength, 0},
    };
    for (const Case& c : cases) {
        TStyleFixture fixture;
        fixture.Parse(ipBaselineShift, c.text);
        EXPECT_EQ(fixture.Values.BaselineShift.Shift(), c.shift) << Label(c.text);
        EXPECT_FLOAT_EQ(fixture.Values.BaselineShift.Raw(), c.raw) << Label(c.text);
    }
}

TEST(StyleValues, ClearRestoresTheInitialValues)
{
    TStyleFixture fixture;
    TSVGStyleValues& values = fixture.Values;
    const std::pair<TSVGStyleProperty, const char16_t*> edits[] = {
        {ipFill, u"none"}, {ipVisibility, u"hidden"}, {ipOpacity, u"0.5"}, {ipWritingMode, u"tb"},
        {ipBaselineShift, u"sub"}, {ipWordSpacing, u"2px"}, {ipClip, u"rect(1 2 3 4)"}, {ipCursor, u"wait"},
        {ipFontFamily, u"monospace"},
    };
    for (const auto& [member, text] : edits)
        fixture.Parse(member, text);
    values.Clear();
    EXPECT_EQ(values.Brush.Kind(), TBrushKind::Solid);
    EXPECT_TRUE(values.Visible);
    EXPECT_EQ(values.Opacity, 1);
    EXPECT_EQ(values.WritingMode, TSVGWritingMode::wmLeftRight_TopBottom);
    EXPECT_EQ(values.BaselineShift.Shift(), TSVGBaselineShift::bsBaseline);
    EXPECT_TRUE(values.WordSpacing.Automatic());
    EXPECT_EQ(values.ClipRect, QRectF(0, 0, 0, 0));
    EXPECT_EQ(values.Cursor, 0);
    EXPECT_EQ(values.Font.Family(), TFont::DefaultFamily());
    EXPECT_EQ(values.Inherits, DefaultInheritedProperties());
    EXPECT_FALSE(ParseStyleProperty(values, u"bogus", u"1", fixture.Context).Known);
}
