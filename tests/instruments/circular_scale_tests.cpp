// The arithmetic of round scales: reduced angles and the shorter way round,
// fractions of empty ranges, label offsets of arcs that start below 0, and
// the marker nearest to a click, inside and outside the arc.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "instruments/circular_scale.h"

namespace zor::test {
namespace {

TEST(CircularScale, ReducesAnglesIntoOneTurn)
{
    const struct {
        double Angle, Reduced;
    } cases[] = {{0, 0}, {360, 0}, {-90, 270}, {495, 135}, {-720.5, 359.5}, {-1e-20, 0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ReducedAngle(c.Angle), c.Reduced) << c.Angle;
    EXPECT_EQ(ReducedAngle(std::numeric_limits<double>::infinity()), 0);
}

TEST(CircularScale, MeasuresTheShorterWayRound)
{
    EXPECT_DOUBLE_EQ(AngleDistance(10, 350), 20);
    EXPECT_DOUBLE_EQ(AngleDistance(-90, 270), 0);
    EXPECT_DOUBLE_EQ(AngleDistance(45, 270), 135);
    EXPECT_DOUBLE_EQ(AngleDistance(0, 180), 180);
    EXPECT_TRUE(IsFullCircle(-90, 270));
    EXPECT_TRUE(IsFullCircle(0, 360));
    EXPECT_FALSE(IsFullCircle(225, 495));
}

TEST(CircularScale, EmptyRangesAndCountsGiveNoFraction)
{
    EXPECT_EQ(RangeFraction(5, 3, 3), 0);
    EXPECT_EQ(CountFraction(1, 0), 0);
    EXPECT_DOUBLE_EQ(RangeFraction(6, 0, 12), 0.5);
    // A hand of an empty range rests at the start of the arc.
    EXPECT_DOUBLE_EQ(ScaleAngle(7, 7, 7, 225, 495), 225);
    EXPECT_DOUBLE_EQ(ScaleAngle(12, 0, 12, 225, 495), 495);
}

TEST(CircularScale, PlacesLabelsOnReducedAngles)
{
    EXPECT_DOUBLE_EQ(LabelOffset(0), 0.0625);
    EXPECT_DOUBLE_EQ(LabelOffset(225), 0.375);
    // An arc from -90 puts its first label where 270 puts it, never before
    // the start of the circle.
    EXPECT_DOUBLE_EQ(LabelOffset(-90), LabelOffset(270));
    EXPECT_DOUBLE_EQ(LabelOffset(360 + 45), LabelOffset(45));
}

TEST(CircularScale, FindsTheNearestMarker)
{
    const struct {
        double Angle, Start, Stop;
        int Markers, Index;
    } cases[] = {
        // The switch: one marker from 270 to 360. Inside the arc the nearer
        // mark wins, outside it the nearer end round the circle.
        {300, 270, 360, 1, 0},
        {330, 270, 360, 1, 1},
        {45, 270, 360, 1, 1},
        {200, 270, 360, 1, 0},
        // The same arc given from -90 to 0.
        {300, -90, 0, 1, 0},
        {330, -90, 0, 1, 1},
        {45, -90, 0, 1, 1},
        {200, -90, 0, 1, 0},
        // The dial: ten markers from 225 to 495, across twelve o'clock.
        {225, 225, 495, 10, 0},
        {0, 225, 495, 10, 5},
        {135, 225, 495, 10, 10},
        {170, 225, 495, 10, 10},
        {190, 225, 495, 10, 0},
        // A full circle takes any angle.
        {359, 0, 360, 12, 12},
        {95, 0, 360, 4, 1},
        // An arc running counter-clockwise.
        {300, 360, 270, 1, 1},
        // Nothing to choose from.
        {45, 0, 360, 0, 0},
        {45, 90, 90, 4, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestMarkerIndex(c.Angle, c.Start, c.Stop, c.Markers), c.Index)
            << c.Angle << " on " << c.Start << ".." << c.Stop << " with " << c.Markers;
}

} // namespace
} // namespace zor::test
