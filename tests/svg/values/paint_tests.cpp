#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "svg/values/font.h"
#include "svg/values/length_text.h"
#include "svg/values/paint.h"
#include "svg/values/pen.h"
#include "tests/svg/values/values_test_support.h"

using namespace zor;
using namespace zor::testing;

namespace {

template <typename TPaint>
struct TPaintFixture {
    TPaint Paint{TBrushKind::Solid, OpaqueBlack};
    TChangeCounter Changes;
    TPaintFixture() { Paint.OnChanged = Changes.Slot(); }
};

} // namespace

// ---------------------------------------------------------------------------
// Brush

TEST(Brush, OpacityIsLimitedAndNotifiesOnlyRealChanges)
{
    struct Case {
        float value;
        float stored;
        int changes;
    };
    const Case cases[] = {
        {1.5f, 1, 0},
        {1, 1, 0},
        {0.25f, 0.25f, 1},
        {-0.2f, 0, 1},
        {std::numeric_limits<float>::quiet_NaN(), 1, 0},
    };
    for (const Case& c : cases) {
        TPaintFixture<TSVGBrush> fixture;
        fixture.Paint.SetOpacity(c.value);
        EXPECT_EQ(fixture.Paint.Opacity(), c.stored) << c.value;
        EXPECT_EQ(fixture.Changes.Count, c.changes) << c.value;
    }
}

TEST(Brush, PlainKindsDropThePaintServer)
{
    struct Case {
        TBrushKind kind;
        bool keepsReference;
    };
    const Case cases[] = {
        {TBrushKind::None, false},
        {TBrushKind::Gradient, true},
        {TBrushKind::Bitmap, true},
    };
    for (const Case& c : cases) {
        TSVGBrush brush(TBrushKind::Resource, OpaqueBlack);
        brush.SetURI(QStringLiteral("grad"));
        brush.SetKind(c.kind);
        EXPECT_EQ(brush.URI().isEmpty(), !c.keepsReference) << int(c.kind);
    }
    TSVGBrush brush(TBrushKind::Gradient, OpaqueBlack);
    brush.SetURI(QStringLiteral("grad"));
    brush.SetKind(TBrushKind::Solid);
    EXPECT_TRUE(brush.URI().isEmpty());
}

TEST(Brush, ColorTakesTheOpacityAsAlpha)
{
    TSVGBrush brush(TBrushKind::Solid, 0xFF112233);
    brush.SetOpacity(0.5f);
    brush.UpdateColorOpacity();
    EXPECT_EQ(brush.Color(), 0x80112233u);
}

TEST(Brush, ClearAndAssign)
{
    TPaintFixture<TSVGBrush> fixture;
    TSVGBrush& brush = fixture.Paint;
    brush.SetDefaultOpacity(0.5f);
    brush.SetKind(TBrushKind::Gradient);
    brush.SetURI(QStringLiteral("g1"));
    brush.SetColor(0xFF00FF00);
    brush.SetOpacity(0.1f);

    TSVGBrush copy(TBrushKind::None, 0);
    copy.Assign(&brush);
    EXPECT_EQ(copy.Kind(), TBrushKind::Gradient);
    EXPECT_EQ(Text(copy.URI()), "g1");
    EXPECT_EQ(copy.Color(), 0xFF00FF00u);
    EXPECT_FLOAT_EQ(copy.Opacity(), 0.1f);
    EXPECT_FLOAT_EQ(copy.DefaultOpacity(), 0.5f);
    EXPECT_EQ(copy.DefaultKind(), TBrushKind::Solid);

    fixture.Changes.Count = 0;
    brush.Clear();
    EXPECT_EQ(fixture.Changes.Count, 1);
    EXPECT_EQ(brush.Kind(), TBrushKind::Solid);
    EXPECT_EQ(brush.Color(), OpaqueBlack);
    EXPECT_TRUE(brush.URI().isEmpty());
    EXPECT_FLOAT_EQ(brush.Opacity(), 0.5f);
}

// ---------------------------------------------------------------------------
// Pen

TEST(Pen, StandardDashesScaleWithTheWidth)
{
    struct Case {
        TStrokeDash dash;
        float width;
        const char* text;
    };
    const Case cases[] = {
        {TStrokeDash::Solid, 2, "none"},
        {TStrokeDash::Dash, 2, "6 2"},
        {TStrokeDash::Dot, 2, "2 2"},
        {TStrokeDash::DashDot, 2, "6 2 2 2"},
        {TStrokeDash::DashDotDot, 2, "6 2 2 2 2 2"},
        {TStrokeDash::Dash, 1.333f, "4 1.33"},
    };
    for (const Case& c : cases) {
        TSVGPen pen(TBrushKind::Solid, OpaqueBlack);
        pen.SetThickness(c.width);
        pen.SetDash(c.dash);
        EXPECT_EQ(Text(pen.GetDashArray()), c.text);
    }
}

TEST(Pen, CustomDashListsKeepTheirUnits)
{
    struct Case {
        const char16_t* text;
        std::vector<float> pattern;
        std::vector<bool> percent;
        const char* written;
    };
    const Case cases[] = {
        {u"5,10%", {5, 0.1f}, {false, true}, "5 10%"},
        {u"4,2,1", {4, 2, 1, 4, 2, 1}, {false, false, false, false, false, false}, "4 2 1 4 2 1"},
        {u" 5mm 2mm ", {18.9f, 7.56f}, {false, false}, "5mm 2mm"},
        {u"1pt", {1.333f, 1.333f}, {false, false}, "1pt 1pt"},
        {u"3px 1e1", {3, 10}, {false, false}, "3 10"},
        // Entries that "0.###" would write as 0 are written in full.
        {u"0.0001 1", {0.0001f, 1}, {false, false}, "0.0001 1"},
        {u"0.0002in 0.0004%", {0.0192f, 0.000004f}, {false, true}, "0.0002in 0.0004%"},
    };
    for (const Case& c : cases) {
        TSVGPen pen(TBrushKind::Solid, OpaqueBlack);
        pen.SetCustomDashArray(c.text);
        const std::string label = Text(QString::fromUtf16(c.text));
        ASSERT_EQ(pen.Dash(), TStrokeDash::Custom) << label;
        ASSERT_EQ(pen.DashArray().size(), c.pattern.size()) << label;
        for (std::size_t i = 0; i < c.pattern.size(); ++i)
            EXPECT_NEAR(pen.DashArray()[i], c.pattern[i], 1e-4) << label;
        EXPECT_EQ(pen.DashArrayIsPercent(), c.percent) << label;
        EXPECT_EQ(Text(pen.CustomDashArray()), c.written) << label;
        EXPECT_EQ(Text(pen.GetDashArray()), c.written) << label;
    }
}

TEST(Pen, ARejectedDashListLeavesTheOldOneWhole)
{
    TPaintFixture<TSVGPen> fixture;
    TSVGPen& pen = fixture.Paint;
    pen.SetCustomDashArray(u"5mm 10%");
    const std::vector<float> pattern = pen.DashArray();
    fixture.Changes.Count = 0;

    // A negative entry is an error; entries of 0 are dashes without length.
    for (const char16_t* rejected : {u"4 -2 1", u"-1", u"3,abc", u"0 0"}) {
        pen.SetCustomDashArray(rejected);
        EXPECT_EQ(pen.Dash(), TStrokeDash::Custom);
        EXPECT_EQ(pen.DashArray(), pattern);
        EXPECT_EQ(Text(pen.CustomDashArray()), "5mm 10%") << Text(QString::fromUtf16(rejected));
    }
    EXPECT_EQ(fixture.Changes.Count, 0);

    for (const char16_t* solid : {u"none", u"", u" , "}) {
        pen.SetCustomDashArray(u"1 2");
        pen.SetCustomDashArray(solid);
        EXPECT_EQ(pen.Dash(), TStrokeDash::Solid);
        EXPECT_TRUE(pen.DashArrayPreferredUnits().empty());
        EXPECT_EQ(Text(pen.CustomDashArray()), "none");
    }
}

TEST(Pen, DashUnitsFollowTheOwnersFactors)
{
    TSVGPen pen(TBrushKind::Solid, OpaqueBlack);
    pen.OnUnitFactors = [](const TPersistent&, TSVGUnitFactors& factors) { factors = Document96; };
    pen.SetCustomDashArray(u"1in 0.5in");
    EXPECT_EQ(pen.DashArray(), (std::vector<float>{96, 48}));
    // The offset length is measured with the same factors.
    ParseLength(u"0.25in", pen.SVGDashOffset());
    EXPECT_FLOAT_EQ(pen.DashOffset(), 24);
    EXPECT_EQ(Text(pen.CustomDashArray()), "1in 0.5in");
}

TEST(Pen, ClearAndAssign)
{
    TPaintFixture<TSVGPen> fixture;
    TSVGPen& pen = fixture.Paint;
    pen.SetThickness(3);
    pen.SetCap(TStrokeCap::Round);
    pen.SetJoin(TStrokeJoin::Bevel);
    pen.SetMiterLimit(9);
    pen.SetURI(QStringLiteral("g"));
    pen.SetThicknessIsPercent(true);
    pen.SetThicknessPreferredUnit(TSVGUnit::suPercent);
    pen.SVGDashOffset().Initialize(2, false, TSVGUnit::suPixels);
    pen.SetCustomDashArray(u"2mm 3");

    TSVGPen copy(TBrushKind::None, 0);
    copy.Assign(&pen);
    EXPECT_EQ(copy.Thickness(), 3);
    EXPECT_EQ(copy.Cap(), TStrokeCap::Round);
    EXPECT_EQ(copy.Join(), TStrokeJoin::Bevel);
    EXPECT_EQ(copy.MiterLimit(), 9);
    EXPECT_EQ(Text(copy.URI()), "g");
    EXPECT_TRUE(copy.ThicknessIsPercent());
    EXPECT_EQ(copy.SVGDashOffset().Raw(), 2);
    EXPECT_EQ(copy.DashOffset(), 2);
    EXPECT_EQ(Text(copy.CustomDashArray()), "2mm 3");

    fixture.Changes.Count = 0;
    pen.Clear();
    EXPECT_EQ(fixture.Changes.Count, 1);
    EXPECT_EQ(pen.Kind(), TBrushKind::None);
    EXPECT_EQ(pen.Color(), OpaqueBlack);
    EXPECT_EQ(pen.Dash(), TStrokeDash::Solid);
    EXPECT_EQ(pen.Thickness(), 1);
    EXPECT_EQ(pen.Cap(), TStrokeCap::Flat);
    EXPECT_EQ(pen.Join(), TStrokeJoin::Miter);
    EXPECT_EQ(pen.MiterLimit(), 4);
    EXPECT_FALSE(pen.ThicknessIsPercent());
    EXPECT_EQ(pen.ThicknessPreferredUnit(), TSVGUnit::suNone);
    EXPECT_EQ(pen.SVGDashOffset().Raw(), 0);
    EXPECT_TRUE(pen.DashArrayPreferredUnits().empty());
    EXPECT_TRUE(pen.URI().isEmpty());
}

// ---------------------------------------------------------------------------
// Font

TEST(Font, GenericNamesMapToFamilies)
{
    struct Case {
        const char* name;
        const char* family;
    };
    const Case cases[] = {
        {"serif", "Times New Roman"},
        {"SANS-SERIF", "Tahoma"},
        {"Monospace", "Courier New"},
        {"DejaVu Sans", "DejaVu Sans"},
    };
    for (const Case& c : cases) {
        TSVGFont font;
        font.SetFamily(QString::fromLatin1(c.name));
        EXPECT_EQ(Text(font.Family()), c.family);
    }
}

TEST(Font, FamilyListsPickTheFirstInstalledOrGenericName)
{
    struct Case {
        const char16_t* list;
        const char* family; // empty: the family stays as it was
    };
    const Case cases[] = {
        {u"Bogus, serif", "Times New Roman"},
        {u"serif, DejaVu Sans", "Times New Roman"},
        // An installed family ahead of a generic one is taken, as CSS does.
        {u"DejaVu Sans, sans-serif", "DejaVu Sans"},
        {u"DejaVu Sans, Liberation Sans", "DejaVu Sans"},
        {u"Bogus, Liberation Sans, DejaVu Sans", "Liberation Sans"},
        {u"DejaVu Sans, monospace, Liberation Sans", "DejaVu Sans"},
        {u"liberation sans", "liberation sans"},
        {u"Bogus, Nonexistent", ""},
    };
    for (const Case& c : cases) {
        TSVGFont font;
        const QString before = font.Family();
        font.Families().Assign(ParseFontFamilies(c.list));
        const std::string expected = *c.family ? c.family : Text(before);
        EXPECT_EQ(Text(font.Family()), expected) << Text(QString::fromUtf16(c.list));
    }
}

TEST(Font, FamilyListsReadBackAsTheyWereWritten)
{
    struct Case {
        QStringList names;
        const char* written;
    };
    const Case cases[] = {
        {{"Times New Roman", "serif"}, "'Times New Roman', serif"},
        {{"serif", "Times New Roman", "DejaVu Sans"}, "serif, 'Times New Roman', 'DejaVu Sans'"},
        {{"O'Brien Sans", "Arial"}, "\"O'Brien Sans\", Arial"},
        // Both quotes, commas and backslashes are escaped or quoted so that they read back.
        {{"a'b \"c", "x,y", "'q", "back\\slash"}, "'a\\'b \"c', 'x,y', \"'q\", back\\slash"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        TSVGFont font;
        font.Families().Assign(c.names);
        const QString written = font.FamiliesToString();
        EXPECT_EQ(Text(written), c.written);
        EXPECT_EQ(ParseFontFamilies(written), c.names) << c.written;
    }
    EXPECT_EQ(ParseFontFamilies(u"\"DejaVu Sans\",Arial , , 'Liberation Sans"),
              (QStringList{"DejaVu Sans", "Arial", "Liberation Sans"}));
}

TEST(Font, WeightsSetTheBoldStyle)
{
    struct Case {
        TSVGFontWeight weight;
        bool bold;
    };
    using enum TSVGFontWeight;
    const Case cases[] = {
        {fw600, true}, {fw500, false}, {fwBolder, true}, {fwLighter, false},
        {fw900, true}, {fw100, false}, {fwBold, true},   {fwNormal, false},
    };
    for (const Case& c : cases) {
        TSVGFont font;
        font.SetWeight(c.weight == fwNormal ? fwBold : fwNormal);
        font.SetWeight(c.weight);
        EXPECT_EQ(font.Style().Contains(TFontStyle::fsBold), c.bold) << int(c.weight);
    }
    TSVGFont font;
    font.SetStyle({TFontStyle::fsBold});
    font.SetWeight(fwNone);
    EXPECT_TRUE(font.Style().Contains(TFontStyle::fsBold));
}

TEST(Font, DecorationsAreUnderlineStrikeOutAndOverline)
{
    struct Case {
        TFontStyles style;
        TExtendedFontStyles extended;
        bool decorated;
    };
    const Case cases[] = {
        {{}, {}, false},
        {{TFontStyle::fsUnderline}, {}, true},
        {{TFontStyle::fsStrikeOut}, {}, true},
        {{}, {TExtendedFontStyle::fsOverline}, true},
        {{TFontStyle::fsBold, TFontStyle::fsItalic}, {TExtendedFontStyle::fsBlink}, false},
    };
    for (const Case& c : cases) {
        TSVGFont font;
        font.SetStyle(c.style);
        font.SetExtendStyles(c.extended);
        EXPECT_EQ(font.IsDecorated(), c.decorated);
    }
}

TEST(Font, ClearAndAssign)
{
    TSVGFont font;
    TChangeCounter changes;
    font.OnChanged = changes.Slot();
    font.Families().Assign(QStringList{"Liberation Sans"});
    font.SetSize(30);
    font.SetWeight(TSVGFontWeight::fw700);
    font.SetFontVariant(TSVGFontVariant::fvSmallCaps);
    font.SetExtendStyles({TExtendedFontStyle::fsOverline});
    font.SetSizePreferredUnit(TSVGUnit::suPoints);

    TSVGFont copy;
    copy.Assign(&font);
    EXPECT_EQ(Text(copy.Family()), "Liberation Sans");
    EXPECT_EQ(copy.Families(), font.Families());
    EXPECT_EQ(copy.Size(), 30);
    EXPECT_EQ(copy.Weight(), TSVGFontWeight::fw700);
    EXPECT_TRUE(copy.Style().Contains(TFontStyle::fsBold));
    EXPECT_EQ(copy.FontVariant(), TSVGFontVariant::fvSmallCaps);
    EXPECT_EQ(copy.SizePreferredUnit(), TSVGUnit::suPoints);

    TFont plain;
    plain.SetStyle({TFontStyle::fsBold});
    copy.Assign(&plain);
    EXPECT_EQ(copy.Weight(), TSVGFontWeight::fwBold);
    plain.SetStyle({});
    copy.Assign(&plain);
    EXPECT_EQ(copy.Weight(), TSVGFontWeight::fwNormal);

    changes.Count = 0;
    font.Clear();
    EXPECT_EQ(changes.Count, 1);
    EXPECT_TRUE(font.Families().IsEmpty());
    EXPECT_EQ(Text(font.Family()), "Liberation Sans"); // Clear leaves the family alone
    EXPECT_EQ(font.Size(), TFont::DefaultSize);
    EXPECT_TRUE(font.Style().IsEmpty());
    EXPECT_EQ(font.Weight(), TSVGFontWeight::fwNormal);
    EXPECT_EQ(font.FontVariant(), TSVGFontVariant::fvNormal);
    EXPECT_TRUE(font.ExtendStyles().IsEmpty());
    EXPECT_EQ(font.SizePreferredUnit(), TSVGUnit::suNone);
}
