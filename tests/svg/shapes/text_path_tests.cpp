// Text on a path: start offsets, anchors, angles, characters off the path,
// spans inside the path, and the references a text path and a tref follow.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/reference_image.h"
#include "text_test_support.h"

namespace zor::test {
namespace {

class TextPathTest : public TextTest {
protected:
    TSVGTextPath* AddOnPath(const QString& Text, const QString& PathID, const QString& Style = {})
    {
        auto* text = Add<TSVGText>(Doc, {}, QStringLiteral("font-family:DejaVu Sans;font-size:20px;") + Style);
        auto* onPath = Add<TSVGTextPath>(*text, Text);
        onPath->SetReference(PathID);
        return onPath;
    }

    static double AngleOf(const TSVGPlacedGlyph& Glyph)
    {
        const QPointF unit = Glyph.Placement.map(QPointF(1, 0)) - OriginOf(Glyph);
        return std::atan2(unit.y(), unit.x()) * 180 / M_PI;
    }
    // Where the middle of the glyph's advance went.
    static QPointF MiddleOf(const TSVGPlacedGlyph& Glyph)
    {
        return Glyph.Placement.map(QPointF(Glyph.Glyph.Advance() / 2, 0));
    }
};

TEST_F(TextPathTest, TheMiddleOfEachAdvanceGoesOnThePath)
{
    AddPath(QStringLiteral("line"), QStringLiteral("M0,50 L200,50"));
    struct Case {
        const char* offset;
        const char* anchor;
        double start;
    };
    const double ab = AdvanceOf(QStringLiteral("AB"));
    const Case cases[] = {
        {"10", "start", 10},
        {"50%", "start", 100},
        {"100", "middle", 100 - ab / 2},
        {"100", "end", 100 - ab},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.offset) + " " + c.anchor);
        auto* onPath = AddOnPath(QStringLiteral("AB"), QStringLiteral("line"), QStringLiteral("text-anchor:") + c.anchor);
        ParseLengthValue(QString::fromLatin1(c.offset), onPath->StartOffset(), 0, 1);
        const auto& glyphs = onPath->PlacedGlyphs();
        ASSERT_EQ(glyphs.size(), 2U);
        const double a = AdvanceOf(QStringLiteral("A"));
        EXPECT_NEAR(MiddleOf(glyphs[0]).x(), c.start + a / 2, 1e-3);
        EXPECT_NEAR(MiddleOf(glyphs[0]).y(), 50, 1e-3);
        EXPECT_NEAR(MiddleOf(glyphs[1]).x(), c.start + a + AdvanceOf(QStringLiteral("B")) / 2, 1e-3);
        EXPECT_NEAR(AngleOf(glyphs[0]), 0, 1e-6);
        Doc.RemoveChild(onPath->Parent());
    }
}

TEST_F(TextPathTest, GlyphsTurnWithThePath)
{
    AddPath(QStringLiteral("down"), QStringLiteral("M100,0 V100"));
    AddPath(QStringLiteral("corner"), QStringLiteral("M0,50 H30 V100"));
    for (const TSVGPlacedGlyph& glyph : AddOnPath(QStringLiteral("abc"), QStringLiteral("down"))->PlacedGlyphs())
        EXPECT_NEAR(AngleOf(glyph), 90, 1e-6);
    const auto& turned = AddOnPath(QStringLiteral("iiiiiiii"), QStringLiteral("corner"))->PlacedGlyphs();
    ASSERT_EQ(turned.size(), 8U);
    EXPECT_NEAR(AngleOf(turned.front()), 0, 1e-6);
    EXPECT_NEAR(AngleOf(turned.back()), 90, 1e-6);
}

TEST_F(TextPathTest, CharactersOffThePathAreNotDrawn)
{
    // The path takes three characters; the others would lie beyond its end
    // (or before its start) and are left out, not drawn somewhere else.
    AddPath(QStringLiteral("short"), QStringLiteral("M20,50 H85"));
    const double w = AdvanceOf(QStringLiteral("W"));
    ASSERT_LT(3 * w, 65);
    ASSERT_GT(3.5 * w, 65);
    auto* onPath = AddOnPath(QStringLiteral("WWWWWW"), QStringLiteral("short"));
    EXPECT_EQ(onPath->PlacedGlyphs().size(), 3U);
    for (const TSVGPlacedGlyph& glyph : onPath->PlacedGlyphs())
        EXPECT_LE(MiddleOf(glyph).x(), 85 + 1e-3);
    ParseLengthValue(u"-20", onPath->StartOffset(), 0, 1);
    EXPECT_EQ(onPath->PlacedGlyphs().size(), 3U);
    EXPECT_GE(MiddleOf(onPath->PlacedGlyphs().front()).x(), 20 - 1e-3);
    const QImage image = Render();
    EXPECT_EQ(InkIn(image, QRect(88, 0, 112, 100)), 0);
    EXPECT_EQ(InkIn(image, QRect(0, 0, 18, 100)), 0);
    EXPECT_GT(InkIn(image, QRect(20, 30, 65, 22)), 0);
}

TEST_F(TextPathTest, SpansInsideThePathMoveAlongAndAcrossIt)
{
    AddPath(QStringLiteral("line"), QStringLiteral("M0,50 H200"));
    auto* onPath = AddOnPath(QStringLiteral("a"), QStringLiteral("line"));
    auto* lowered = Add<TSVGTextSpan>(*onPath, QStringLiteral("bc"));
    lowered->SetDYStr(u"5 5");
    auto* restarted = Add<TSVGTextSpan>(*onPath, QStringLiteral("d"));
    restarted->SetXStr(u"150");
    const auto& bc = lowered->PlacedGlyphs();
    ASSERT_EQ(bc.size(), 2U);
    EXPECT_NEAR(MiddleOf(bc[0]).y(), 55, 1e-3);
    EXPECT_NEAR(MiddleOf(bc[1]).y(), 60, 1e-3);
    ASSERT_EQ(restarted->PlacedGlyphs().size(), 1U);
    EXPECT_NEAR(MiddleOf(restarted->PlacedGlyphs()[0]).x(), 150 + AdvanceOf(QStringLiteral("d")) / 2, 1e-3);
    // Method and spacing are kept but move nothing.
    const QPointF before = MiddleOf(onPath->PlacedGlyphs()[0]);
    onPath->SetMethod(TSVGTextPathMethod::tpmStretch);
    onPath->SetSpacing(TSVGTextPathSpacing::tpsAuto);
    EXPECT_EQ(MiddleOf(onPath->PlacedGlyphs()[0]), before);
}

TEST_F(TextPathTest, AMissingPathDrawsNothing)
{
    auto* onPath = AddOnPath(QStringLiteral("abc"), QStringLiteral("nowhere"));
    EXPECT_TRUE(onPath->PlacedGlyphs().empty());
    EXPECT_TRUE(onPath->GetShape().IsEmpty());
    // The path arriving later is found.
    AddPath(QStringLiteral("nowhere"), QStringLiteral("M0,50 H200"));
    onPath->SetText(QStringLiteral("abcd"));
    EXPECT_EQ(onPath->PlacedGlyphs().size(), 4U);
}

TEST_F(TextPathTest, ReferencesAreLeftWhereTheyWereMadeEvenAfterAnIdChange)
{
    TSVGPath* path = AddPath(QStringLiteral("p"), QStringLiteral("M0,50 H200"));
    auto* source = AddText(QStringLiteral("source"), 0, 20);
    source->SetID(QStringLiteral("s"));
    auto* onPath = AddOnPath(QStringLiteral("x"), QStringLiteral("p"));
    auto* ref = Add<TSVGTextRef>(*onPath->Parent());
    ref->SetReference(QStringLiteral("s"));
    EXPECT_EQ(ref->Text(), QStringLiteral("source"));
    ASSERT_TRUE(onPath->Follows(path));
    ASSERT_TRUE(ref->Follows(source));

    path->SetID(QStringLiteral("renamed-path"));
    source->SetID(QStringLiteral("renamed-text"));
    onPath->SetReference(QStringLiteral("other"));
    ref->SetReference(QStringLiteral("other"));
    EXPECT_FALSE(onPath->Follows(path));
    EXPECT_FALSE(ref->Follows(source));

    // Following again and then losing the followed elements leaves nothing behind.
    onPath->SetReference(QStringLiteral("renamed-path"));
    ref->SetReference(QStringLiteral("renamed-text"));
    ASSERT_TRUE(onPath->Follows(path));
    Doc.RemoveChild(path);
    Doc.RemoveChild(source);
    onPath->SetReference(QStringLiteral("again"));
    ref->SetReference(QStringLiteral("again"));
    EXPECT_TRUE(onPath->PlacedGlyphs().empty());
}

TEST_F(TextPathTest, ACircleAndAnOpenCurveLookAsExpected)
{
    AddPath(QStringLiteral("circle"), QStringLiteral("M20,50 A30,30 0 1 1 80,50 A30,30 0 1 1 20,50 Z"));
    AddPath(QStringLiteral("curve"), QStringLiteral("M110,80 C130,10 170,10 195,60"));
    AddOnPath(QStringLiteral("around the circle"), QStringLiteral("circle"), QStringLiteral("font-size:11px"));
    AddOnPath(QStringLiteral("on a curve"), QStringLiteral("curve"), QStringLiteral("font-size:14px;fill:navy"));
    EXPECT_TRUE(zor::testing::MatchesReferenceImage(Render(), QStringLiteral("text-on-paths")));
}

} // namespace
} // namespace zor::test
