// Measuring paths: polygons along the drawn curves, lengths and distances,
// splitting the text, and the point and stroke hit tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "geometry/path_data.h"

using namespace zor;

namespace {

std::unique_ptr<TZorPathData> PathOf(const char* Text)
{
    auto path = std::make_unique<TZorPathData>();
    path->SetData(QString::fromUtf8(Text));
    return path;
}

struct TPathCase {
    const char* Text;
    TZorPolygons Polygons;
    TZorPathData::TDistances Distances;
};

void PrintTo(const TPathCase& Case, std::ostream* Out) { *Out << '"' << Case.Text << '"'; }

class PathPolygons : public ::testing::TestWithParam<TPathCase> {};

TEST_P(PathPolygons, FollowTheEntriesFromTheCurrentPoint)
{
    TZorPathData path;
    path.SetData(QString::fromUtf8(GetParam().Text));
    EXPECT_EQ(path.ToPolygons(), GetParam().Polygons) << GetParam().Text;
    EXPECT_EQ(path.Distances(), GetParam().Distances) << GetParam().Text;
    const double last = GetParam().Distances.isEmpty() ? 0 : GetParam().Distances.last().last();
    EXPECT_DOUBLE_EQ(path.GetLength(), last) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Lines, PathPolygons, ::testing::Values(
    TPathCase{"", {}, {}},
    TPathCase{"M0,0 L3,4", {QPolygonF({{0, 0}, {3, 4}})}, {{0, 5}}},
    // The jump between subpaths adds nothing.
    TPathCase{"M0,0 L3,4 M10,0 L10,2", {QPolygonF({{0, 0}, {3, 4}}), QPolygonF({{10, 0}, {10, 2}})},
              {{0, 5}, {5, 7}}},
    TPathCase{"M0,0 L10,0 L10,10 Z", {QPolygonF({{0, 0}, {10, 0}, {10, 10}, {0, 0}})},
              {{0, 10, 20, 20 + std::sqrt(200.0)}}},
    // Without a move a polygon starts at the current point: the origin at
    // first, the closed subpath's start after a close.
    TPathCase{"L3,4", {QPolygonF({{0, 0}, {3, 4}})}, {{0, 5}}},
    TPathCase{"M0,0 L6,0 L6,8 Z L0,4", {QPolygonF({{0, 0}, {6, 0}, {6, 8}, {0, 0}}), QPolygonF({{0, 0}, {0, 4}})},
              {{0, 6, 14, 24}, {24, 28}}},
    // A close without an open subpath draws nothing.
    TPathCase{"M1,1 Z Z", {QPolygonF({{1, 1}, {1, 1}})}, {{0, 0}}},
    TPathCase{"Z", {}, {}},
    TPathCase{"M1,1 M2,2 L2,5", {QPolygonF({{1, 1}}), QPolygonF({{2, 2}, {2, 5}})}, {{0}, {0, 3}}}));

// The length of a half circle of radius 1 drawn as two cubic quarter
// pieces, by integration: 0.014 % longer than π.
constexpr double DrawnHalfCircle = 3.14203339614701;

TEST(PathLength, CurvesAreMeasuredAlongTheDrawnCurve)
{
    const struct {
        const char* Text;
        double Length; // by integration of the curve's speed, or by geometry
    } cases[] = {
        // A straight cubic is as long as its chord, however its controls lie.
        {"M0,0 C0,0 10,0 10,0", 10},
        {"M0,0 C2,0 8,0 10,0", 10},
        // Its controls lie far off the curve: a spline through them would be
        // at least 30 long.
        {"M0,0 C0,10 10,10 10,0", 20},
        {"M0,0 A50,50 0 0 1 100,0", 50 * DrawnHalfCircle},
        {"M0,0 A0.5,0.5 0 0 1 1,0", 0.5 * DrawnHalfCircle},
        {"M0,0 A5000,5000 0 0 1 10000,0", 5000 * DrawnHalfCircle},
        {"M0,0 Q50,100 100,0 Z", 147.894286 + 100},
        // A curve as the very first entry starts at the origin.
        {"C0,0 10,0 10,0", 10},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(PathOf(c.Text)->GetLength(), c.Length, c.Length * 1e-4) << c.Text;
}

TEST(PathLength, CurvePolygonsLieOnTheCurve)
{
    // The drawn curve's top is (5, 7.5); the control points are at y = 10.
    const auto path = PathOf("M0,0 C0,10 10,10 10,0");
    const QPolygonF polygon = path->Polygons().first();
    EXPECT_EQ(polygon.first(), QPointF(0, 0));
    EXPECT_EQ(polygon.last(), QPointF(10, 0));
    double top = 0;
    for (const QPointF& p : polygon) {
        top = std::max(top, p.y());
        // Flattened points lie on the curve, which never rises above its top.
        EXPECT_LE(p.y(), 7.5 + 1e-9);
    }
    EXPECT_NEAR(top, 7.5, 0.01);
    const QList<double> distances = path->Distances().first();
    EXPECT_EQ(distances.size(), polygon.size());
    EXPECT_TRUE(std::is_sorted(distances.begin(), distances.end()));
}

TEST(PathLength, CachesAreDroppedOnChange)
{
    TZorPathData path;
    path.SetData("M0,0 L3,4");
    EXPECT_EQ(path.GetLength(), 5);
    const TZorPolygons before = path.Polygons();
    path.LineTo({3, 0});
    EXPECT_EQ(path.GetLength(), 9);
    EXPECT_NE(path.Polygons(), before);
    EXPECT_EQ(path.Distances(), (TZorPathData::TDistances{{0, 5, 9}}));
    path.Clear();
    EXPECT_EQ(path.GetLength(), 0);
    EXPECT_TRUE(path.Distances().isEmpty());
}

TEST(PathSplit, DelimiterFollowsEveryStretchLongerThanTheLimit)
{
    const struct {
        const char* Text;
        int Len;
        const char* Split;
    } cases[] = {
        {"M0,0 L100,100 L200,200", 10, "M0,0 L100,100 |L200,200 "},
        {"M0,0 L100,100 L200,200", 1000, "M0,0 L100,100 L200,200 "},
        {"M0,0 L1,1 Z", 0, "M0,0 |L1,1 |Z |"},
        {"M0,0 C1,1 2,2 3,3 Z", 5, "M0,0 C1,1 2,2 3,3 |Z "},
        {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathOf(c.Text)->SplitDataByLength(c.Len, "|"), QString::fromUtf8(c.Split)) << c.Text;
}

struct THitCase {
    double X;
    double Y;
    bool Inside;
};

void ExpectHits(const char* Text, std::initializer_list<THitCase> Cases)
{
    const auto path = PathOf(Text);
    for (const THitCase& c : Cases)
        EXPECT_EQ(path->PointInPath(c.X, c.Y), c.Inside) << Text << " at " << c.X << "," << c.Y;
}

TEST(PathHits, AnySubpathContainingThePointCounts)
{
    // The hole is inside its own subpath, whatever the fill mode.
    ExpectHits("M0,0 L10,0 L10,10 L0,10 Z M3,3 L7,3 L7,7 L3,7 Z",
               {{5, 5, true}, {1, 1, true}, {11, 5, false}, {-1, 5, false}});
    // An open subpath is closed implicitly.
    ExpectHits("M0,0 L10,0 L10,10", {{8, 2, true}, {2, 8, false}});
    ExpectHits("M0,0 L10,0 L10,10 Z M20,0 L30,0 L30,10 Z", {{28, 2, true}, {15, 1, false}});
    ExpectHits("", {{0, 0, false}});
    ExpectHits("M5,5 Z", {{5, 5, false}});
}

TEST(PathHits, CurvedEdgesAreTheDrawnCurve)
{
    // The drawn arch reaches y = 7.5 at x = 5; a B-spline of the controls
    // would stop lower and a spline through them would reach y = 10.
    ExpectHits("M0,0 C0,10 10,10 10,0 Z", {{5, 7.4, true}, {5, 7.6, false}, {0.5, 0.2, true}, {9.9, 3, false}});
    ExpectHits("C0,10 10,10 10,0 Z", {{5, 7.4, true}, {5, 7.6, false}});
    ExpectHits("M0,50 A50,50 0 0 1 100,50 Z", {{50, 0.1, true}, {50, -0.1, false}, {85.3, 15, true}});
}

void ExpectStrokeHits(const char* Text, double Width, std::initializer_list<THitCase> Cases)
{
    const auto path = PathOf(Text);
    for (const THitCase& c : Cases)
        EXPECT_EQ(path->PointInPathOutline(c.X, c.Y, Width), c.Inside) << Text << " at " << c.X << "," << c.Y;
}

TEST(PathHits, StrokesAreBandsWithJoinsButWithoutCaps)
{
    ExpectStrokeHits("M0,0 L10,0", 2, {{5, 0.9, true}, {5, -0.9, true}, {5, 1.1, false}, {-0.5, 0, false},
                                       {10.5, 0, false}, {0, 0, true}});
    // The outer corner of a join is on the stroke, also where a ring closes.
    ExpectStrokeHits("M0,0 L10,0 L10,10", 2, {{10.5, -0.5, true}, {11.5, -0.5, false}, {-0.5, -0.5, false}});
    ExpectStrokeHits("M0,0 L10,0 L10,10 Z", 2, {{-0.5, -0.5, true}});
    // The closing segment is stroked; nothing joins two subpaths.
    ExpectStrokeHits("M0,0 L10,0 L10,10 Z M20,0 L30,0 L30,10 Z", 2,
                     {{10, 5, true}, {5, 5.5, true}, {15, 0, false}, {25, 0.5, true}});
    // On a curve, the band follows the drawn curve.
    ExpectStrokeHits("M0,0 C0,10 10,10 10,0", 1, {{5, 7.9, true}, {5, 7.1, true}, {5, 8.1, false}, {5, 6.9, false}});
    // A repeated point at an open end is no join: the end stays without a cap.
    ExpectStrokeHits("M0,0 L0,0 L10,0 L10,0", 2, {{-0.5, 0, false}, {10.5, 0, false}, {5, 0.9, true}});
    ExpectStrokeHits("M0,0 C0,0 0,0 0,0 L10,0", 2, {{-0.5, 0, false}});
    ExpectStrokeHits("M5,5", 10, {{5, 5, false}});
    ExpectStrokeHits("M0,0 L0,0", 10, {{0, 0, false}});
}

TEST(PathHits, OutlineIsTheSameBandsAsAPath)
{
    TZorPathData outline;
    outline.AddPathOutline(*PathOf("M0,0 L10,0 L10,10 M20,20"), 2);
    EXPECT_EQ(outline.Data(), "M0,-1 L0,1 L10,1 L10,-1 Z M11,0 L9,0 L9,10 L11,10 Z ");
    EXPECT_TRUE(outline.PointInPath(5, 0.5));
    EXPECT_TRUE(outline.PointInPath(10.5, 5));
    EXPECT_FALSE(outline.PointInPath(5, 5));

    const auto single = PathOf("M1,1");
    single->AddPathOutline(*single, 4);
    EXPECT_EQ(single->Data(), "M1,1 Z ");
}

} // namespace
