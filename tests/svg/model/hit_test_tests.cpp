// Finding the element under a point, and the bounds of elements: fills by
// their fill rule, strokes by their outline, the find options, nested
// transformations and viewports, and the agreement with drawing.

#include <gtest/gtest.h>

#include "drawing_test_support.h"

namespace zor::test {
namespace {

using enum TSVGFindOption;

TEST_F(DrawingTest, FillsAreHitInsideAndStrokesOnTheirOutline)
{
    TSVGPath* square = AddPath(Doc, QStringLiteral("M20,20 H80 V80 H20 Z"), QStringLiteral("fill:red;stroke:blue"));
    EXPECT_EQ(HitAt({50, 50}), square);
    // Found on the edge through the stroke, widened to 3 units for the test.
    EXPECT_EQ(HitAt({18.8, 50}), square);
    EXPECT_EQ(HitAt({17, 50}), nullptr);
    SetStyle(*square, QStringLiteral("fill:none;stroke:blue"));
    EXPECT_EQ(HitAt({50, 50}), nullptr);
    EXPECT_EQ(HitAt({50, 50}, {foFindNonFilled}), square);
    EXPECT_EQ(HitAt({20, 50}), square);
    // A thick stroke is hit where it lies outside the fill.
    SetStyle(*square, QStringLiteral("fill:red;stroke:blue;stroke-width:20"));
    EXPECT_EQ(HitAt({12, 50}), square);
    EXPECT_EQ(HitAt({8, 50}), nullptr);
    // Round joins leave the corner's outer tip out; miter joins keep it.
    EXPECT_EQ(HitAt({12, 12}), square);
    SetStyle(*square, QStringLiteral("fill:red;stroke:blue;stroke-width:20;stroke-linejoin:round"));
    EXPECT_EQ(HitAt({12, 12}), nullptr);
}

TEST_F(DrawingTest, HolesAreNotHitUnderTheEvenOddRule)
{
    const QString ring = QStringLiteral("M10,10 H90 V90 H10 Z M30,30 H70 V70 H30 Z");
    TSVGPath* path = AddPath(Doc, ring, QStringLiteral("fill:red;fill-rule:evenodd"));
    EXPECT_EQ(HitAt({20, 50}), path);
    EXPECT_EQ(HitAt({50, 50}), nullptr);
    SetStyle(*path, QStringLiteral("fill:red;fill-rule:nonzero"));
    EXPECT_EQ(HitAt({50, 50}), path);
    EXPECT_EQ(qAlpha(Render().pixel(50, 50)), 255);
}

TEST_F(DrawingTest, AStraightLineIsHitOnBothSidesOfItsCentre)
{
    const QString stroke = QStringLiteral("fill:none;stroke:blue;stroke-width:6");
    TSVGPath* horizontal = AddPath(Doc, QStringLiteral("M10,30 H90"), stroke);
    TSVGPath* vertical = AddPath(Doc, QStringLiteral("M60,50 V90"), stroke);
    EXPECT_EQ(HitAt({50, 28}), horizontal);
    EXPECT_EQ(HitAt({50, 32}), horizontal);
    EXPECT_EQ(HitAt({50, 34}), nullptr);
    EXPECT_EQ(HitAt({58, 70}), vertical);
    EXPECT_EQ(HitAt({62, 70}), vertical);
    // A hairline is widened to 3 units for the test.
    SetStyle(*horizontal, QStringLiteral("fill:none;stroke:blue;stroke-width:0.1"));
    EXPECT_EQ(HitAt({50, 31.2}), horizontal);
    EXPECT_EQ(HitAt({50, 28.8}), horizontal);
    EXPECT_EQ(HitAt({50, 32}), nullptr);
}

TEST_F(DrawingTest, TheTopmostElementIsFoundFirst)
{
    TSVGPath* below = AddPath(Doc, QStringLiteral("M10,10 H60 V60 H10 Z"));
    TSVGPath* above = AddPath(Doc, QStringLiteral("M40,40 H90 V90 H40 Z"));
    EXPECT_EQ(HitAt({50, 50}), above);
    EXPECT_EQ(HitAt({20, 20}), below);
    EXPECT_EQ(HitAt({95, 5}), nullptr);
}

TEST_F(DrawingTest, GroupsAreFoundOnlyThroughTheirChildrenAndWithFoFindGroups)
{
    auto* outer = Add<TSVGGroup>(Doc);
    auto* inner = Add<TSVGGroup>(*outer);
    TSVGPath* path = AddPath(*inner, QStringLiteral("M10,10 H60 V60 H10 Z"));
    outer->SetBoundsRect(QRectF(0, 0, 100, 100));
    EXPECT_EQ(HitAt({20, 20}), path);
    EXPECT_EQ(HitAt({20, 20}, {foFindGroups}), outer);
    EXPECT_EQ(HitAt({80, 80}), nullptr);
    EXPECT_EQ(HitAt({80, 80}, {foUseBoundingBox}), nullptr);
    EXPECT_EQ(HitAt({59, 12}, {foUseBoundingBox}), path);
}

TEST_F(DrawingTest, HiddenAndDisabledElementsAreSkippedUnlessAskedFor)
{
    TSVGPath* below = AddPath(Doc, QStringLiteral("M10,10 H90 V90 H10 Z"));
    TSVGPath* above = AddPath(Doc, QStringLiteral("M10,10 H90 V90 H10 Z"));
    above->SetVisible(false);
    EXPECT_EQ(HitAt({50, 50}), below);
    EXPECT_EQ(HitAt({50, 50}, {foFindHiddenElements}), above);
    above->SetVisible(true);
    above->SetDisplay(false);
    EXPECT_EQ(HitAt({50, 50}), below);
    EXPECT_EQ(HitAt({50, 50}, {foFindHiddenElements}), above);
    above->SetDisplay(true);
    above->SetEnabled(false);
    EXPECT_EQ(HitAt({50, 50}), below);
    EXPECT_EQ(HitAt({50, 50}, {foFindDisabled}), above);
}

TEST_F(DrawingTest, TheFoundElementCanBeReplacedByTheHandler)
{
    TSVGPath* path = AddPath(Doc, QStringLiteral("M10,10 H90 V90 H10 Z"));
    TSVGPath* other = AddPath(Doc, QStringLiteral("M0,0 H1 V1 Z"));
    Doc.OnElementFound = [&](TSVGDocument* Sender, TSVGGraphicElement*& Element) {
        EXPECT_EQ(Sender, &Doc);
        EXPECT_EQ(Element, path);
        Element = other;
    };
    EXPECT_EQ(HitAt({50, 50}), other);
}

TEST_F(DrawingTest, HitsGoThroughNestedTransformationsAndViewports)
{
    ParseViewBox(u"0 0 50 50", Doc.ViewBox());
    auto* moved = Add<TSVGGroup>(Doc);
    moved->SetTransformMatrix(u"translate(10 10) rotate(90)");
    auto* viewport = Add<TSVGCustomViewBox>(*moved);
    viewport->SetBoundsRect(QRectF(0, -20, 20, 20));
    ParseViewBox(u"0 0 2 2", viewport->ViewBox());
    TSVGPath* path = AddPath(*viewport, QStringLiteral("M0,0 H1 V1 H0 Z"));
    // path (0..1, 0..1) → viewport ×10 at (0, -20) → rotated, moved → (20..30, 10..20) → ×2 in the canvas.
    EXPECT_EQ(HitAt({50, 30}), path);
    EXPECT_EQ(HitAt({30, 50}), nullptr);
    EXPECT_EQ(qAlpha(Render().pixel(50, 30)), 255);
}

TEST_F(DrawingTest, WhatIsNeverDrawnIsNeverFound)
{
    // A hidden nested svg, content outside a clipping viewport, and the
    // children of a switch it does not draw.
    auto* hidden = Add<TSVGCustomViewBox>(Doc);
    hidden->SetBoundsRect(QRectF(0, 0, 100, 100));
    AddPath(*hidden, QStringLiteral("M0,0 H100 V100 H0 Z"));
    hidden->SetDisplay(false);
    auto* clipping = Add<TSVGCustomViewBox>(Doc);
    clipping->SetBoundsRect(QRectF(0, 0, 50, 50));
    TSVGPath* clipped = AddPath(*clipping, QStringLiteral("M0,0 H100 V100 H0 Z"));
    auto* sw = Add<TSVGSwitch>(Doc);
    TSVGPath* chosen = AddPath(*sw, QStringLiteral("M60,60 H70 V70 H60 Z"));
    AddPath(*sw, QStringLiteral("M80,80 H90 V90 H80 Z"));
    EXPECT_EQ(HitAt({25, 25}), clipped);
    EXPECT_EQ(HitAt({75, 25}), nullptr);
    EXPECT_EQ(HitAt({65, 65}), chosen);
    EXPECT_EQ(HitAt({85, 85}), nullptr);
    const QImage image = Render();
    EXPECT_EQ(qAlpha(image.pixel(75, 25)), 0);
    EXPECT_EQ(qAlpha(image.pixel(85, 85)), 0);
}

// --- Bounds -------------------------------------------------------------------

TEST_F(DrawingTest, AGroupIsBoundedByItsChildrenWithTheirTransformations)
{
    auto* group = Add<TSVGGroup>(Doc);
    AddPath(*group, QStringLiteral("M0,0 H10 V10 H0 Z"));
    TSVGPath* moved = AddPath(*group, QStringLiteral("M0,0 H10 V10 H0 Z"));
    moved->SetTransformMatrix(u"translate(20 20)");
    AddPath(*group, QStringLiteral("M50,50 H60 V60 H50 Z"))->SetDisplay(false);
    EXPECT_EQ(group->BoundsRect(), QRectF(0, 0, 30, 30));
    group->SetTransformMatrix(u"rotate(90)");
    EXPECT_EQ(group->GetBoundsRect(QTransform()), QRectF(-30, 0, 30, 30));
    EXPECT_EQ(group->GetBoundsRect(QTransform::fromScale(2, 1)), QRectF(-60, 0, 60, 30));
}

TEST_F(DrawingTest, AGroupsBoundsFollowEveryChangeInside)
{
    auto* group = Add<TSVGGroup>(Doc);
    auto* inner = Add<TSVGGroup>(*group);
    TSVGPath* path = AddPath(*inner, QStringLiteral("M0,0 H10 V10 H0 Z"));
    EXPECT_EQ(group->BoundsRect(), QRectF(0, 0, 10, 10));
    path->Data().SetData(QStringLiteral("M0,0 H20 V10 H0 Z"));
    EXPECT_EQ(group->BoundsRect(), QRectF(0, 0, 20, 10));
    path->SetTransformMatrix(u"translate(5 0)");
    EXPECT_EQ(group->BoundsRect(), QRectF(5, 0, 20, 10));
    AddPath(*inner, QStringLiteral("M0,0 H1 V40 H0 Z"));
    EXPECT_EQ(group->BoundsRect(), QRectF(0, 0, 25, 40));
    inner->SetDisplay(false);
    EXPECT_TRUE(group->BoundsRect().isNull());
}

TEST_F(DrawingTest, ADocumentWithoutSizeIsFittedByItsContent)
{
    Doc.SetBoundsRect(QRectF());
    AddPath(Doc, QStringLiteral("M20,40 H60 V60 H20 Z"));
    EXPECT_EQ(Doc.BoundsRect(), QRectF(20, 40, 40, 20));
    const QImage image = Render();
    // 40 × 20 fitted into 100 × 100: scaled by 2.5 and centred.
    EXPECT_TRUE(SameColor(image.pixel(2, 30), OpaqueRed));
    EXPECT_TRUE(SameColor(image.pixel(97, 70), OpaqueRed));
    EXPECT_EQ(qAlpha(image.pixel(50, 20)), 0);
}

} // namespace
} // namespace zor::test
