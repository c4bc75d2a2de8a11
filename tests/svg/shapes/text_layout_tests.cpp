// Text layout: positions and advances, text-anchor, spans, rotate lists,
// spacing, baseline shift, fonts matched at layout, bounds, hit tests and the
// layout cache.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "text_test_support.h"

namespace zor::test {
namespace {

class TextLayoutTest : public TextTest {};

TEST_F(TextLayoutTest, CharactersFollowEachOtherByTheirKernedAdvances)
{
    TFontRequest request;
    request.Families = {QStringLiteral("DejaVu Sans")};
    const TGlyphFont font = GlyphService().Font(request, 20);
    const TGlyph a = font.Glyph(U'A');
    const TGlyph v = font.Glyph(U'V');
    const double kerning = font.Kerning(a, v);
    // DejaVu Sans kerns this pair.
    ASSERT_LT(kerning, -0.5);
    EXPECT_DOUBLE_EQ(font.Kerning(v, a), kerning);

    auto* text = AddText(QStringLiteral("AVA"), 10, 50);
    const auto& glyphs = text->PlacedGlyphs();
    ASSERT_EQ(glyphs.size(), 3U);
    EXPECT_NEAR(OriginOf(glyphs[0]).x(), 10, 1e-6);
    EXPECT_NEAR(OriginOf(glyphs[0]).y(), 50, 1e-6);
    EXPECT_NEAR(OriginOf(glyphs[1]).x(), 10 + a.Advance() + kerning, 1e-4);
    EXPECT_NEAR(OriginOf(glyphs[2]).x(), 10 + a.Advance() + v.Advance() + 2 * kerning, 1e-4);
    EXPECT_NEAR(text->TextAdvance(), AdvanceOf(QStringLiteral("AVA")) + 2 * kerning, 1e-4);

    // A kerning length stands in for the font's kerning.
    auto* unkerned = AddText(QStringLiteral("AV"), 10, 80, QStringLiteral("kerning:0"));
    EXPECT_NEAR(OriginOf(unkerned->PlacedGlyphs()[1]).x(), 10 + a.Advance(), 1e-4);
}

TEST_F(TextLayoutTest, TextAnchorAlignsEachChunkByItsAdvance)
{
    struct Case {
        const char* anchor;
        double factor;
    };
    const Case cases[] = {{"start", 0}, {"middle", 0.5}, {"end", 1}};
    const double width = AdvanceOf(QStringLiteral("HI"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.anchor);
        auto* text = AddText(QStringLiteral("HI"), 100, 50, QStringLiteral("text-anchor:") + c.anchor);
        const auto& glyphs = text->PlacedGlyphs();
        ASSERT_EQ(glyphs.size(), 2U);
        EXPECT_NEAR(OriginOf(glyphs[0]).x(), 100 - c.factor * width, 1e-4);
        Doc.RemoveChild(text);
    }
    // Right to left swaps start and end at the root.
    auto* rtl = AddText(QStringLiteral("HI"), 100, 50, QStringLiteral("direction:rtl;text-anchor:end"));
    EXPECT_EQ(rtl->GetTextAnchor(), TSVGTextAlign::staLeading);
}

TEST_F(TextLayoutTest, SpansContinueTheLineAndTakeTheirOwnPositions)
{
    auto* text = AddText(QStringLiteral("ab"), 10, 50);
    auto* moved = Add<TSVGTextSpan>(*text, QStringLiteral("cd"));
    moved->SetDXStr(u"5");
    moved->SetDYStr(u"0 7");
    auto* placed = Add<TSVGTextSpan>(*text, QStringLiteral("e"));
    placed->SetXStr(u"150");
    const double ab = AdvanceOf(QStringLiteral("ab"));
    const auto& cd = moved->PlacedGlyphs();
    ASSERT_EQ(cd.size(), 2U);
    EXPECT_NEAR(OriginOf(cd[0]).x(), 10 + ab + 5, 1e-4);
    EXPECT_NEAR(OriginOf(cd[0]).y(), 50, 1e-6);
    EXPECT_NEAR(OriginOf(cd[1]).x(), 10 + ab + 5 + AdvanceOf(QStringLiteral("c")), 1e-4);
    EXPECT_NEAR(OriginOf(cd[1]).y(), 57, 1e-6);
    // y stays where the last dy left it.
    ASSERT_EQ(placed->PlacedGlyphs().size(), 1U);
    EXPECT_EQ(OriginOf(placed->PlacedGlyphs()[0]), QPointF(150, 57));
}

TEST_F(TextLayoutTest, RotateListsTurnEachGlyphAboutItsPosition)
{
    auto* text = AddText(QStringLiteral("abc"), 20, 50);
    text->SetRotateStr(u"90 180");
    const auto& glyphs = text->PlacedGlyphs();
    ASSERT_EQ(glyphs.size(), 3U);
    const double angles[] = {90, 180, 180};
    for (std::size_t i = 0; i < 3; ++i) {
        const QPointF origin = OriginOf(glyphs[i]);
        const QPointF unit = glyphs[i].Placement.map(QPointF(1, 0)) - origin;
        EXPECT_NEAR(std::atan2(unit.y(), unit.x()) * 180 / M_PI, angles[i] > 179 ? 180 : angles[i], 1e-3) << i;
    }
    // Turning does not change the advances.
    EXPECT_NEAR(OriginOf(glyphs[2]).x(), 20 + AdvanceOf(QStringLiteral("ab")), 1e-4);
}

TEST_F(TextLayoutTest, LetterAndWordSpacingAndKerningAddToAdvances)
{
    auto* text = AddText(QStringLiteral("a b"), 0, 50, QStringLiteral("letter-spacing:3px;word-spacing:10px"));
    const auto& glyphs = text->PlacedGlyphs();
    ASSERT_EQ(glyphs.size(), 3U);
    EXPECT_NEAR(OriginOf(glyphs[2]).x(), AdvanceOf(QStringLiteral("a ")) + 3 + 10, 1e-4);
    // A kerning length is extra room, not the advance itself.
    auto* kerned = AddText(QStringLiteral("ab"), 0, 80, QStringLiteral("kerning:2"));
    EXPECT_NEAR(OriginOf(kerned->PlacedGlyphs()[1]).x(), AdvanceOf(QStringLiteral("a")) + 2, 1e-4);
}

TEST_F(TextLayoutTest, BaselineShiftMovesSpansUpAndDown)
{
    struct Case {
        const char* shift;
        double dy;
    };
    const Case cases[] = {{"sub", 8}, {"super", -8}, {"50%", -10}, {"4px", -4}, {"baseline", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shift);
        auto* text = AddText(QStringLiteral("x"), 10, 50);
        auto* span = Add<TSVGTextSpan>(*text, QStringLiteral("2"), QStringLiteral("baseline-shift:") + c.shift);
        ASSERT_EQ(span->PlacedGlyphs().size(), 1U);
        EXPECT_NEAR(OriginOf(span->PlacedGlyphs()[0]).y(), 50 + c.dy, 1e-4);
        Doc.RemoveChild(text);
    }
}

TEST_F(TextLayoutTest, FamilyListsAreMatchedAtLayout)
{
    struct Case {
        const char* families;
        const char* face;
    };
    const Case cases[] = {
        {"'DejaVu Serif', sans-serif", "DejaVu Serif"},
        {"Bogus, 'DejaVu Serif'", "DejaVu Serif"},
        {"sans-serif, 'DejaVu Serif'", "DejaVu Sans"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.families);
        auto* text = Add<TSVGText>(Doc, QStringLiteral("a"), QStringLiteral("font-family:") + c.families);
        ASSERT_EQ(text->PlacedGlyphs().size(), 1U);
        EXPECT_EQ(text->PlacedGlyphs()[0].Glyph.Face().Family(), QString::fromLatin1(c.face));
    }
}

TEST_F(TextLayoutTest, SmallCapitalsUseSmallerCapitals)
{
    auto* text = AddText(QStringLiteral("aA"), 0, 50, QStringLiteral("font-variant:small-caps"));
    const auto& glyphs = text->PlacedGlyphs();
    ASSERT_EQ(glyphs.size(), 2U);
    EXPECT_EQ(glyphs[0].Glyph.Character(), U'A');
    EXPECT_LT(glyphs[0].Glyph.Size(), glyphs[1].Glyph.Size());
}

TEST_F(TextLayoutTest, BoundsAndHitsFollowTheInk)
{
    auto* text = AddText(QStringLiteral("HH"), 10, 60);
    auto* span = Add<TSVGTextSpan>(*text, QStringLiteral("HH"), QStringLiteral("fill:red"));
    const QRectF bounds = text->BoundsRect();
    EXPECT_GT(bounds.left(), 10);
    EXPECT_LT(bounds.left(), 13);
    EXPECT_NEAR(bounds.bottom(), 60, 0.01);
    EXPECT_NEAR(bounds.right(), span->BoundsRect().right(), 1e-6);
    const QRectF aRect(0, 0, Width, Height);
    // The left stem of the first H, and of the span's first H.
    const double stem = 10 + 0.2 * 20 * 0.6;
    EXPECT_EQ(Doc.ElementAtPos(QPointF(stem + 0.5, 55), aRect, {}), text);
    EXPECT_EQ(Doc.ElementAtPos(QPointF(stem + 0.5 + AdvanceOf(QStringLiteral("HH")), 55), aRect, {}), span);
    // Between the strokes of an H nothing is hit.
    EXPECT_EQ(Doc.ElementAtPos(QPointF(10 + AdvanceOf(QStringLiteral("H")) / 2, 50), aRect, {}), nullptr);
}

TEST_F(TextLayoutTest, UnchangedTextIsNotLaidOutAgain)
{
    TSVGPath* path = AddPath(QStringLiteral("p"), QStringLiteral("M10,80 H190"));
    auto* text = AddText(QStringLiteral("abc"), 10, 40);
    auto* span = Add<TSVGTextSpan>(*text, QStringLiteral("d"));
    auto* onPath = Add<TSVGTextPath>(*text, QStringLiteral("e"));
    onPath->SetReference(QStringLiteral("p"));
    Render();
    const std::uint64_t first = text->LayoutCount();
    Render();
    Render();
    EXPECT_EQ(text->LayoutCount(), first);

    struct Step {
        const char* what;
        std::function<void()> edit;
    };
    const Step steps[] = {
        {"text", [&] { span->SetText(QStringLiteral("D")); }},
        {"font", [&] { SetStyle(*text, QStringLiteral("font-family:DejaVu Sans;font-size:12px")); }},
        {"position", [&] { span->SetDXStr(u"3"); }},
        {"path", [&] { path->Data().SetData(QStringLiteral("M10,90 H190")); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const std::uint64_t before = text->LayoutCount();
        step.edit();
        Render();
        Render();
        EXPECT_EQ(text->LayoutCount(), before + 1);
    }
}

} // namespace
} // namespace zor::test
