// Matrix, point and rectangle functions.

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/geometry_functions.h"

using namespace zor;

namespace {

void ExpectNear(QPointF Actual, QPointF Expected)
{
    EXPECT_NEAR(Actual.x(), Expected.x(), 1e-12);
    EXPECT_NEAR(Actual.y(), Expected.y(), 1e-12);
}

TEST(Matrices, UseRowVectorsAndApplyTheLeftFactorFirst)
{
    const struct {
        QTransform M;
        QPointF From;
        QPointF To;
    } cases[] = {
        {TranslationMatrix(3, -2), {1, 1}, {4, -1}},
        {ScalingMatrix(2, 3), {1, 1}, {2, 3}},
        // Positive angles turn clockwise on screen: +x goes to +y.
        {RotationMatrix(M_PI / 2), {1, 0}, {0, 1}},
        {RotationMatrixAbout({10, 0}, M_PI / 2), {20, 0}, {10, 10}},
        {TranslationMatrix(10, 0) * ScalingMatrix(2, 2), {1, 0}, {22, 0}},
        {ScalingMatrix(2, 2) * TranslationMatrix(10, 0), {1, 0}, {12, 0}},
    };
    for (const auto& c : cases) {
        ExpectNear(TransformPoint(c.From, c.M), c.To);
        ExpectNear(c.M.map(c.From), c.To); // the same convention as the painter's
    }
    EXPECT_EQ(RotationMatrix(0.3).m12(), std::sin(0.3));
    EXPECT_EQ(RotationMatrix(0.3).m21(), -std::sin(0.3));
    // A weight of 0 transforms a direction: the translation drops out.
    EXPECT_EQ(TransformPoint({1, 2}, TranslationMatrix(5, 5) * ScalingMatrix(2, 2), 0), QPointF(2, 4));
}

TEST(Matrices, CompareEveryEntryWithinEpsilon)
{
    const QTransform identity;
    EXPECT_TRUE(SameMatrix(identity, TranslationMatrix(0.000005, 0), 0.00001));
    EXPECT_FALSE(SameMatrix(identity, TranslationMatrix(0.00002, 0), 0.00001));
    EXPECT_FALSE(SameMatrix(identity, QTransform(1, 0, 0.5, 0, 1, 0, 0, 0, 1), 0.00001));
    EXPECT_FALSE(SameMatrix(identity, ScalingMatrix(NAN, 1), 0.00001));
}

TEST(Points, InterpolateAndCompare)
{
    EXPECT_EQ(InterpolatePoint({0, 10}, {10, 20}, 0.25), QPointF(2.5, 12.5));
    EXPECT_EQ(InterpolatePoint({0, 10}, {10, 20}, 2), QPointF(20, 30));
    EXPECT_EQ(VectorLengthSquared({3, -4}), 25);
    EXPECT_TRUE(SameDistance(1, 1.0001));
    EXPECT_FALSE(SameDistance(1, 1.0002));
    EXPECT_TRUE(SamePoint({1, 2}, {1.00005, 2}));
    EXPECT_FALSE(SamePoint({1, 2}, {1.0002, 2}));
    EXPECT_TRUE(SamePoint({100000, 0}, {100005, 0})); // relative above 1
    EXPECT_FALSE(SamePoint({0, 0}, {0, 0.001}));
}

TEST(Rects, CentreAndOffset)
{
    EXPECT_EQ(RectCenter(QRectF(QPointF(2, 4), QPointF(6, 10))), QPointF(4, 7));
    EXPECT_EQ(OffsetRect(QRectF(1, 2, 3, 4), 10, -2), QRectF(11, 0, 3, 4));
    // Half units round to the even neighbour.
    const struct {
        QRectF R;
        QRectF Bounds;
        QRectF Centred;
    } cases[] = {
        {QRectF(7, 7, 1, 1), QRectF(0, 0, 4, 4), QRectF(2, 2, 1, 1)},
        {QRectF(7, 7, 1, 1), QRectF(0, 0, 6, 6), QRectF(2, 2, 1, 1)},
        {QRectF(0, 0, 2, 4), QRectF(10, 20, 6, 6), QRectF(12, 21, 2, 4)},
        {QRectF(0, 0, 10, 10), QRectF(0, 0, 4, 4), QRectF(-3, -3, 10, 10)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CenterRect(c.R, c.Bounds), c.Centred);
}

TEST(Rects, FitScalesKeepingProportions)
{
    const struct {
        QRectF R;
        QRectF Bounds;
        bool AllowEnlarge;
        QRectF Fitted;
        double Ratio;
    } cases[] = {
        {QRectF(5, 5, 200, 100), QRectF(0, 0, 100, 100), false, QRectF(0, 25, 100, 50), 2},
        {QRectF(5, 5, 50, 20), QRectF(0, 0, 100, 100), false, QRectF(25, 40, 50, 20), 0.5},
        {QRectF(5, 5, 50, 20), QRectF(0, 0, 100, 100), true, QRectF(0, 30, 100, 40), 0.5},
        {QRectF(5, 5, 50, 20), QRectF(0, 0, 0, 100), true, QRectF(5, 5, 50, 20), 1},
        // An empty rectangle cannot be scaled: it is only centred.
        {QRectF(5, 5, 0, 0), QRectF(0, 0, 100, 100), true, QRectF(50, 50, 0, 0), 1},
    };
    for (const auto& c : cases) {
        QRectF r = c.R;
        EXPECT_EQ(FitRect(r, c.Bounds, c.AllowEnlarge), c.Ratio);
        EXPECT_EQ(r, c.Fitted);
    }
}

} // namespace
