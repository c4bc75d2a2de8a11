// Drawing text: outlines filled and stroked like paths, platform text with
// soUseFillText, decorations and whole pictures against reference images.

#include <gtest/gtest.h>

#include "tests/support/reference_image.h"
#include "text_test_support.h"

namespace zor::test {
namespace {

using zor::testing::MatchesReferenceImage;

class TextDrawingTest : public TextTest {};

TEST_F(TextDrawingTest, GlyphOutlinesAreFilledAndStroked)
{
    AddText(QStringLiteral("I"), 20, 80, QStringLiteral("font-size:80px;fill:blue"));
    AddText(QStringLiteral("I"), 120, 80, QStringLiteral("font-size:80px;fill:none;stroke:red;stroke-width:2"));
    const QImage image = Render();
    // The stem of an I: DejaVu Sans draws it about 0.1 em right of the origin, 0.14 em wide.
    const int stem = 20 + static_cast<int>(0.17 * 80);
    EXPECT_EQ(image.pixel(stem, 50), 0xFF0000FFu);
    EXPECT_EQ(image.pixel(stem + 100, 50), 0xFFFFFFFFu);
    EXPECT_GT(InkIn(image, QRect(120, 20, 40, 60)), 40);
}

TEST_F(TextDrawingTest, PlatformTextDrawsWhereTheOutlinesWould)
{
    AddText(QStringLiteral("Hxg"), 20, 60, QStringLiteral("font-size:40px"));
    const QImage outlines = Render();
    TSVGOptions options = Doc.Options();
    options.Include(TSVGOption::soUseFillText);
    Doc.SetOptions(options);
    const QImage platform = Render();
    const QRect box(10, 10, 180, 80);
    const int outlineInk = InkIn(outlines, box);
    const int platformInk = InkIn(platform, box);
    ASSERT_GT(outlineInk, 200);
    EXPECT_NEAR(platformInk, outlineInk, outlineInk * 0.1);
    // The same pixels, give or take the edges.
    int differing = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            differing += IsInk(outlines.pixel(x, y)) != IsInk(platform.pixel(x, y)) ? 1 : 0;
    EXPECT_LT(differing, outlineInk / 5);
}

TEST_F(TextDrawingTest, DecorationsRunAlongTheText)
{
    struct Case {
        const char* decoration;
        int y; // a row the line covers, below or above the baseline at 50
    };
    // DejaVu Sans at 20 units: the underline just below the baseline, the
    // line-through a quarter em above it, the overline at the ascent.
    const Case cases[] = {{"underline", 50}, {"line-through", 45}, {"overline", 31}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.decoration);
        auto* text = AddText(QStringLiteral("a a"), 20, 50, QStringLiteral("text-decoration:") + c.decoration);
        // A span inherits the line of the text around it.
        Add<TSVGTextSpan>(*text, QStringLiteral(" b"));
        const QImage image = Render();
        const double end = 20 + AdvanceOf(QStringLiteral("a a b"));
        // Under the space, where no glyph has ink, the line is drawn.
        const int space = static_cast<int>(20 + AdvanceOf(QStringLiteral("a")) + AdvanceOf(QStringLiteral(" ")) / 2);
        EXPECT_TRUE(IsInk(image.pixel(space, c.y)));
        EXPECT_EQ(InkIn(image, QRect(space, 0, 1, Height)), 1);
        EXPECT_TRUE(IsInk(image.pixel(static_cast<int>(end) - 1, c.y)));
        EXPECT_FALSE(IsInk(image.pixel(static_cast<int>(end) + 3, c.y)));
        EXPECT_FALSE(text->DecorationOutline().IsEmpty());
        Doc.RemoveChild(text);
    }
}

TEST_F(TextDrawingTest, AnchorsMatchTheReference)
{
    auto* guide = AddPath(QStringLiteral("guide"), QStringLiteral("M100,0 V100"));
    SetStyle(*guide, QStringLiteral("fill:none;stroke:gray;stroke-width:1"));
    AddText(QStringLiteral("start"), 100, 30, QStringLiteral("text-anchor:start"));
    AddText(QStringLiteral("middle"), 100, 60, QStringLiteral("text-anchor:middle;fill:green"));
    AddText(QStringLiteral("end"), 100, 90, QStringLiteral("text-anchor:end;fill:blue"));
    EXPECT_TRUE(MatchesReferenceImage(Render(), QStringLiteral("text-anchors")));
}

TEST_F(TextDrawingTest, SpansRotationsAndDecorationsMatchTheReference)
{
    auto* text = AddText(QStringLiteral("Mixed"), 10, 40, QStringLiteral("text-decoration:underline"));
    Add<TSVGTextSpan>(*text, QStringLiteral("bold"), QStringLiteral("font-weight:bold;fill:red"));
    auto* lifted = Add<TSVGTextSpan>(*text, QStringLiteral("up"), QStringLiteral("baseline-shift:super;font-size:12px"));
    lifted->SetDXStr(u"4");
    auto* turned = AddText(QStringLiteral("rotate"), 20, 85, QStringLiteral("fill:purple;stroke:black;stroke-width:0.5"));
    turned->SetRotateStr(u"0 15 30 45 60 75");
    turned->SetDYStr(u"0 -3 -3 -3 -3 -3");
    EXPECT_TRUE(MatchesReferenceImage(Render(), QStringLiteral("text-spans")));
}

} // namespace
} // namespace zor::test
