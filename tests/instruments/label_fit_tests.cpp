// The rule that keeps labels apart: the largest factor at which every two
// labels, each growing about its anchor, stay a third of their height apart
// and within their room; labels along a circle, the last next to the first.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "instruments/label_fit.h"

namespace zor::test {
namespace {

// A label of Width × Height anchored at the middle of its baseline at (X, Y).
TLabelBox Label(double X, double Y, double Width, double Height, std::optional<QRectF> Room = std::nullopt)
{
    return {QRectF(X - Width / 2, Y - Height, Width, Height), QPointF(X, Y), Room};
}

TEST(LabelFit, LabelsApartKeepTheirSize)
{
    const TLabelBox labels[] = {Label(0, 0, 10, 6), Label(20, 0, 10, 6), Label(0, 30, 40, 6)};
    EXPECT_EQ(FittingLabelScale(labels), 1);
    EXPECT_EQ(FittingLabelScale({}), 1);
}

TEST(LabelFit, NeighboursThatTouchShrinkUntilASpaceIsBetweenThem)
{
    // Side by side: anchors 10 apart, 12 wide each, 6 high: 12 s + 2 s = 10.
    const TLabelBox sideBySide[] = {Label(0, 0, 12, 6), Label(10, 0, 12, 6)};
    EXPECT_NEAR(FittingLabelScale(sideBySide), 10.0 / 14, 1e-12);
    // One above the other: kept apart vertically, however wide they are.
    const TLabelBox stacked[] = {Label(0, 0, 50, 6), Label(0, 16, 50, 6)};
    EXPECT_EQ(FittingLabelScale(stacked), 1);
    const TLabelBox crowded[] = {Label(0, 0, 50, 12), Label(0, 10, 50, 12)};
    EXPECT_NEAR(FittingLabelScale(crowded), 10.0 / 16, 1e-12);
    // Apart along either axis is enough: the smaller shrink wins.
    const TLabelBox diagonal[] = {Label(0, 0, 12, 6), Label(10, 5, 12, 6)};
    EXPECT_NEAR(FittingLabelScale(diagonal), 10.0 / 14, 1e-12);
}

TEST(LabelFit, ALabelStaysInItsRoom)
{
    const QRectF room(QPointF(0, -100), QPointF(40, 100));
    const TLabelBox fits[] = {Label(20, 0, 30, 6, room)};
    EXPECT_EQ(FittingLabelScale(fits), 1);
    // 60 wide about 20: its left half of 30 (plus the gap) must fit into 20.
    const TLabelBox wide[] = {Label(20, 0, 60, 6, room)};
    EXPECT_NEAR(FittingLabelScale(wide), 20.0 / 32, 1e-12);
}

TEST(LabelFit, LabelsThatCannotBeParted)
{
    // Anchors on the same spot: no size parts them; the smallest is taken.
    const TLabelBox same[] = {Label(5, 5, 10, 6), Label(5, 5, 10, 6)};
    EXPECT_EQ(FittingLabelScale(same), SmallestLabelScale);
    // Labels without ink (empty texts) take no room.
    const TLabelBox empty[] = {Label(0, 0, 10, 6), Label(1, 0, 0, 6), Label(2, 0, 0, 0)};
    EXPECT_EQ(FittingLabelScale(empty), 1);
}

TEST(LabelFit, AlongACircleTheLastLabelIsNextToTheFirst)
{
    // Twelve labels a full turn round a circle whose twelfth is 5π ≈ 15.7 long.
    const double radius = 30;
    std::vector<double> angles;
    for (int k = 0; k < 12; ++k)
        angles.push_back(k * 30 + 300);
    std::vector<double> advances(12, 10.0);
    const std::vector<TLabelBox> boxes = CircleLabelBoxes(angles, advances, radius, 8, 2);
    ASSERT_EQ(boxes.size(), 13U);
    EXPECT_LT(boxes.front().Anchor.x(), boxes[1].Anchor.x());
    const double spacing = 2 * std::numbers::pi * radius / 12;
    EXPECT_NEAR(boxes.back().Anchor.x() - boxes[11].Anchor.x(), spacing, 1e-9);
    EXPECT_EQ(FittingLabelScale(boxes), 1);

    // Two labels across twelve o'clock, at 350 and 10 degrees: neighbours
    // 20 degrees apart, not 340.
    const double two[] = {350, 10};
    const double wide[] = {12, 12};
    const double arc = 2 * std::numbers::pi * radius * 20 / 360;
    EXPECT_NEAR(FittingLabelScale(CircleLabelBoxes(two, wide, radius, 8, 2)), arc / (12 + LabelSpacing * 10), 1e-9);
}

} // namespace
} // namespace zor::test
