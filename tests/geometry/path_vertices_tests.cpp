// The vertices markers go on: one per subpath start and segment end, with
// the directions of the outline there.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "geometry/path_data.h"
#include "geometry/path_vertices.h"

namespace zor::test {
namespace {

struct TExpectedVertex {
    TVertexPlace Place;
    QPointF Point;
    // Degrees; NaN for a direction that is not there.
    double In;
    double Out;
    double Angle;
};

constexpr double None = std::numeric_limits<double>::quiet_NaN();
using enum TVertexPlace;

double Degrees(double Radians)
{
    return Radians * 180 / std::numbers::pi;
}

void ExpectDirection(const std::optional<double>& Actual, double Expected, const char* Which)
{
    if (std::isnan(Expected)) {
        EXPECT_FALSE(Actual.has_value()) << Which;
        return;
    }
    ASSERT_TRUE(Actual.has_value()) << Which;
    EXPECT_NEAR(Degrees(*Actual), Expected, 1e-9) << Which;
}

TEST(PathVertices, FollowTheExplicitPointKinds)
{
    struct Case {
        const char* path;
        std::vector<TExpectedVertex> vertices;
    };
    const Case cases[] = {
        // The bisector of 0° and 90°.
        {"M0,0 L10,0 L10,10",
         {{vpStart, {0, 0}, None, 0, 0}, {vpMid, {10, 0}, 0, 90, 45}, {vpEnd, {10, 10}, 90, None, 90}}},
        // A curve is one segment: its control points are no vertices; its
        // directions run to and from them.
        {"M0,0 C0,10 10,10 10,0",
         {{vpStart, {0, 0}, None, 90, 90}, {vpEnd, {10, 0}, -90, None, -90}}},
        // Control points on the end points: the next point that differs.
        {"M0,0 C0,0 10,10 10,10 L20,10",
         {{vpStart, {0, 0}, None, 45, 45}, {vpMid, {10, 10}, 45, 0, 22.5}, {vpEnd, {20, 10}, 0, None, 0}}},
        // A close is a segment back to the start, and a vertex there.
        {"M0,0 L10,0 Z",
         {{vpStart, {0, 0}, None, 0, 0}, {vpMid, {10, 0}, 0, 180, 90}, {vpEnd, {0, 0}, 180, None, 180}}},
        // Opposite directions bisect the same way whatever the signs atan2 gives.
        {"M0,10 L0,0 L0,10", {{vpStart, {0, 10}, None, -90, -90}, {vpMid, {0, 0}, -90, 90, 180}, {vpEnd, {0, 10}, 90, None, 90}}},
        // A move ends one subpath and starts another: no direction across it.
        {"M0,0 L10,0 M20,0 L20,10",
         {{vpStart, {0, 0}, None, 0, 0},
          {vpMid, {10, 0}, 0, None, 0},
          {vpMid, {20, 0}, None, 90, 90},
          {vpEnd, {20, 10}, 90, None, 90}}},
        // A segment without length has no direction; the marker keeps 0.
        {"M5,5 L5,5", {{vpStart, {5, 5}, None, None, 0}, {vpEnd, {5, 5}, None, None, 0}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        TZorPathData path;
        path.SetData(QString::fromLatin1(c.path));
        const std::vector<TPathVertex> vertices = PathVertices(path.PointList());
        ASSERT_EQ(vertices.size(), c.vertices.size());
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            SCOPED_TRACE(i);
            const TExpectedVertex& expected = c.vertices[i];
            EXPECT_EQ(vertices[i].Place, expected.Place);
            EXPECT_EQ(vertices[i].Point, expected.Point);
            ExpectDirection(vertices[i].InAngle, expected.In, "in");
            ExpectDirection(vertices[i].OutAngle, expected.Out, "out");
            const double angle = std::remainder(Degrees(vertices[i].Angle()) - expected.Angle, 360);
            EXPECT_NEAR(angle, 0, 1e-9);
        }
    }
}

TEST(PathVertices, APathWithoutMoveStartsAtTheOrigin)
{
    TPathPoints points = {{TPathPointKind::LineTo, {10, 0}}, {TPathPointKind::CurveTo, {10, 5}}};
    const std::vector<TPathVertex> vertices = PathVertices(points);
    // The truncated curve is not walked.
    ASSERT_EQ(vertices.size(), 2u);
    EXPECT_EQ(vertices[0].Point, QPointF(0, 0));
    EXPECT_EQ(vertices[1].Point, QPointF(10, 0));
}

} // namespace
} // namespace zor::test
