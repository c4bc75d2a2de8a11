// Reading and writing SVG path text: commands, implicit repetitions, arcs and
// malformed input.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/path_data.h"
#include "geometry/path_parser.h"

using namespace zor;

namespace {

struct TTextCase {
    const char* Input;
    const char* Written;
};

void PrintTo(const TTextCase& Case, std::ostream* Out) { *Out << '"' << Case.Input << '"'; }

class PathTextRoundTrip : public ::testing::TestWithParam<TTextCase> {};

TEST_P(PathTextRoundTrip, ReadsAndWritesAbsoluteCommands)
{
    TZorPathData path;
    path.SetData(QString::fromUtf8(GetParam().Input));
    EXPECT_EQ(path.Data(), QString::fromUtf8(GetParam().Written)) << GetParam().Input;
    // What was written reads back to the same text.
    TZorPathData again;
    again.SetData(path.Data());
    EXPECT_EQ(again.Data(), path.Data()) << GetParam().Input;
}

INSTANTIATE_TEST_SUITE_P(Commands, PathTextRoundTrip, ::testing::Values(
    TTextCase{"", ""},
    TTextCase{"M10,10 20,20 30,10", "M10,10 L20,20 L30,10 "},
    TTextCase{"m10,10 20,20", "M10,10 L30,30 "},
    TTextCase{"M0,0L10-5", "M0,0 L10,-5 "},
    TTextCase{"M0,0 L.5.5", "M0,0 L0.5,0.5 "},
    TTextCase{"M0,0 L1e-1,2", "M0,0 L0.1,2 "},
    TTextCase{"M0,0 L1E2,-2e-1", "M0,0 L100,-0.2 "},
    TTextCase{"M0,0 L+1,+2 L1e+1,0", "M0,0 L1,2 L10,0 "},
    TTextCase{"M0,0 h10 v10 z", "M0,0 L10,0 L10,10 Z "},
    TTextCase{"M1,1 H10 h5 V3 v-1", "M1,1 L10,1 L15,1 L15,3 L15,2 "},
    TTextCase{"M0,0\tL1,1\nL2,2\r\nZ", "M0,0 L1,1 L2,2 Z "},
    TTextCase{"M0,0 Q10,10 20,0", "M0,0 C6.666666667,6.666666667 13.333333333,6.666666667 20,0 "},
    TTextCase{"M0,0 q10,10 20,0 10,10 20,0",
              "M0,0 C6.666666667,6.666666667 13.333333333,6.666666667 20,0 "
              "C26.666666667,6.666666667 33.333333333,6.666666667 40,0 "},
    TTextCase{"M0,0 C1,1 2,2 3,3", "M0,0 C1,1 2,2 3,3 "},
    TTextCase{"m1,1 c1,1 2,2 3,3", "M1,1 C2,2 3,3 4,4 "},
    TTextCase{"L10,10", "L10,10 "},
    TTextCase{"M10,10", "M10,10 Z "},
    TTextCase{"M0,0 L10,10 M5,5", "M0,0 L10,10 M5,5 Z "},
    TTextCase{"M1,2 3,4 z m1,1 2,2", "M1,2 L3,4 Z M2,3 L4,5 "},
    TTextCase{"M0,0 L10,0 L10,10 Z L0,10", "M0,0 L10,0 L10,10 Z L0,10 "},
    TTextCase{"M0,0 Z Z", "M0,0 Z Z "},
    TTextCase{"Z", "Z "},
    TTextCase{"M-0.0000000001,0 L0.1234567891234,3", "M0,0 L0.123456789,3 "}));

INSTANTIATE_TEST_SUITE_P(ImplicitRepetition, PathTextRoundTrip, ::testing::Values(
    TTextCase{"M0,0 L1,1 2,2 3,3", "M0,0 L1,1 L2,2 L3,3 "},
    TTextCase{"M0 0 1 1 -2-2", "M0,0 L1,1 L-2,-2 "},
    TTextCase{"M0,0 .5,.5", "M0,0 L0.5,0.5 "},
    TTextCase{"M.5.5.5.5", "M0.5,0.5 L0.5,0.5 "},
    TTextCase{"m1,1 1,1 .5,.5", "M1,1 L2,2 L2.5,2.5 "},
    TTextCase{"M0,0 l1,1,1,1", "M0,0 L1,1 L2,2 "},
    TTextCase{"M0,0 L1,1,,2,2", "M0,0 L1,1 L2,2 "},
    TTextCase{"M0,0 H1 2 3", "M0,0 L1,0 L2,0 L3,0 "},
    TTextCase{"M0,0 v1 1", "M0,0 L0,1 L0,2 "},
    TTextCase{"M0 0 C1 1 2 2 3 3 4 4 5 5 6 6", "M0,0 C1,1 2,2 3,3 C4,4 5,5 6,6 "},
    TTextCase{"M0,0 zM5,5 L6,6", "M0,0 Z M5,5 L6,6 "}));

INSTANTIATE_TEST_SUITE_P(SmoothCurves, PathTextRoundTrip, ::testing::Values(
    // The first control point mirrors the previous cubic's second one ...
    TTextCase{"M0,0 C1,1 2,2 3,3 S5,5 6,6", "M0,0 C1,1 2,2 3,3 C4,4 5,5 6,6 "},
    TTextCase{"M0,0 C1,1 2,2 3,3 s2,2 3,3", "M0,0 C1,1 2,2 3,3 C4,4 5,5 6,6 "},
    TTextCase{"M0,0 S1,2 3,3 4,5 6,6", "M0,0 C0,0 1,2 3,3 C5,4 4,5 6,6 "},
    // ... but only after a cubic: after a line or a quadratic it is the current point.
    TTextCase{"M0,0 L3,3 S5,5 6,6", "M0,0 L3,3 C3,3 5,5 6,6 "},
    TTextCase{"M0,0 Q3,3 6,0 S7,1 9,0",
              "M0,0 C2,2 4,2 6,0 C6,0 7,1 9,0 "},
    // Quadratic mirroring works on the quadratic control point, after Q or T only.
    TTextCase{"M0,0 Q1,1 2,0 T4,0",
              "M0,0 C0.666666667,0.666666667 1.333333333,0.666666667 2,0 "
              "C2.666666667,-0.666666667 3.333333333,-0.666666667 4,0 "},
    TTextCase{"M0,0 q1,1 2,0 t2,0 2,0",
              "M0,0 C0.666666667,0.666666667 1.333333333,0.666666667 2,0 "
              "C2.666666667,-0.666666667 3.333333333,-0.666666667 4,0 "
              "C4.666666667,0.666666667 5.333333333,0.666666667 6,0 "},
    TTextCase{"M0,0 L2,0 T4,0", "M0,0 L2,0 C2,0 2.666666667,0 4,0 "},
    TTextCase{"M0,0 C1,1 2,2 3,3 T5,3", "M0,0 C1,1 2,2 3,3 C3,3 3.666666667,3 5,3 "}));

// Malformed input: the bad command is dropped, what came before stays, and an
// unknown character ends reading.
INSTANTIATE_TEST_SUITE_P(BadInput, PathTextRoundTrip, ::testing::Values(
    TTextCase{"10,10 L5,5", ""},
    TTextCase{"M0,0 L10,10 L20", "M0,0 L10,10 "},
    TTextCase{"M0,0 L10,10 L", "M0,0 L10,10 "},
    TTextCase{"M0,0 L10,10 X L5,5", "M0,0 L10,10 "},
    TTextCase{"M0,0 L10,10 Z 5,5 L1,1", "M0,0 L10,10 Z "},
    TTextCase{"M0,0 C1,1 2,2", "M0,0 Z "},
    TTextCase{"M0,0 L1e999,0 L5,5", "M0,0 L5,5 "},
    TTextCase{"M0,0 L1.2.3", "M0,0 L1.2,0.3 "},
    TTextCase{"M0,0 L1-,2", "M0,0 Z "},
    TTextCase{"M0,0 L1,2 L3;4", "M0,0 L1,2 "},
    TTextCase{"M0,0 L1,2 A5", "M0,0 L1,2 "},
    TTextCase{"M0,0 L5,5 A10,10 0 2", "M0,0 L5,5 "}));

TEST(PathText, EntriesHaveTheirKinds)
{
    TZorPathData path;
    path.SetData("M1,2 L3,4 C5,6 7,8 9,10 Z");
    const TPathPoints expected = {
        {TPathPointKind::MoveTo, {1, 2}},  {TPathPointKind::LineTo, {3, 4}},
        {TPathPointKind::CurveTo, {5, 6}}, {TPathPointKind::CurveTo, {7, 8}},
        {TPathPointKind::CurveTo, {9, 10}}, {TPathPointKind::Close, {1, 2}},
    };
    EXPECT_EQ(path.PointList(), expected);
    EXPECT_EQ(path.Points(5).Point, QPointF(1, 2)); // a close carries its subpath's start
}

TEST(PathText, OverflowingRelativeCoordinatesAreDropped)
{
    TZorPathData path;
    path.SetData("m1e308,0 1e308,0 q1e308,0 1,1 c1e308,0 0,0 1,1 h1e308");
    ASSERT_EQ(path.Count(), 2);
    EXPECT_EQ(path.Points(0).Kind, TPathPointKind::MoveTo);
    EXPECT_EQ(path.Points(1).Kind, TPathPointKind::Close);
}

TEST(PathText, HostileTextEndsWithFinitePoints)
{
    // Random runs of path characters, and a few extremes, read to an end
    // with finite points only.
    QStringList texts = {QString(100000, u'M'), QStringLiteral("M0,0 L") + QString(5000, u'9'),
                         QStringLiteral("M0,0 L1e-400,1e-400"), QStringLiteral("M0,0 A1,1 0 0 1") + QString(1000, u'1'),
                         QStringLiteral("M0\u0000,0 L1,1"), QStringLiteral("M\u00e9\U0001F600 L1,1")};
    const QString alphabet = QStringLiteral("MmLlHhVvCcSsQqTtAaZz0123456789.-+eE, \t");
    std::mt19937 random(12345);
    std::uniform_int_distribution<qsizetype> pick(0, alphabet.size() - 1);
    for (int i = 0; i < 2000; ++i) {
        QString text;
        for (int j = 0; j < 40; ++j)
            text += alphabet[pick(random)];
        texts << text;
    }
    for (const QString& text : texts) {
        TZorPathData path;
        path.SetData(text);
        for (const TPathPoint& entry : path.PointList())
            ASSERT_TRUE(std::isfinite(entry.Point.x()) && std::isfinite(entry.Point.y())) << text.toStdString();
        ASSERT_TRUE(std::isfinite(path.GetLength())) << text.toStdString();
        TZorPathData again;
        again.SetData(path.Data());
        ASSERT_EQ(again.Data(), path.Data()) << text.toStdString();
    }
}

TEST(PathText, ReadingReplacesAndNotifiesOnce)
{
    TZorPathData path;
    path.SetData("M5,5 L6,6");
    int changes = 0;
    path.OnChanged = [&](TZorPathData&) { ++changes; };
    path.SetData("M0,0 L1,1 L2,2 C1,1 2,2 3,3 A1,1 0 0 1 5,5 Z");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(path.Points(0).Point, QPointF(0, 0));
}

TEST(PathText, AppendedTextContinuesThePath)
{
    TZorPathData path;
    path.SetData("M0,0 L1,1");
    path.Append(QStringLiteral("l1,0 z"));
    EXPECT_EQ(path.Data(), "M0,0 L1,1 L1,0 Z ");
}

// --- Arcs ---------------------------------------------------------------

QPointF PointOf(const TZorPathData& Path, qsizetype Index) { return Path.Points(Index).Point; }

void ExpectNear(QPointF Actual, QPointF Expected, double Tolerance = 1e-9)
{
    EXPECT_NEAR(Actual.x(), Expected.x(), Tolerance);
    EXPECT_NEAR(Actual.y(), Expected.y(), Tolerance);
}

struct TArcCase {
    const char* Input;
    int Curves;
    QPointF Middle; // end of the first piece of a two-piece arc
    QPointF End;
};

void PrintTo(const TArcCase& Case, std::ostream* Out) { *Out << '"' << Case.Input << '"'; }

class PathArcs : public ::testing::TestWithParam<TArcCase> {};

TEST_P(PathArcs, BecomeQuarterTurnCurves)
{
    TZorPathData path;
    path.SetData(QString::fromUtf8(GetParam().Input));
    ASSERT_EQ(path.Count(), 1 + 3 * GetParam().Curves) << GetParam().Input;
    for (qsizetype i = 1; i < path.Count(); ++i)
        EXPECT_EQ(path.Points(i).Kind, TPathPointKind::CurveTo);
    ExpectNear(PointOf(path, 3), GetParam().Middle);
    EXPECT_EQ(path.LastPoint(), GetParam().End);
}

INSTANTIATE_TEST_SUITE_P(EndpointForm, PathArcs, ::testing::Values(
    // Sweep flag 1 turns clockwise on screen: over the top.
    TArcCase{"M0,0 A10,10 0 0,1 20,0", 2, {10, -10}, {20, 0}},
    TArcCase{"M0,0 A10,10 0 0,0 20,0", 2, {10, 10}, {20, 0}},
    // Radii too small to reach the end grow to a half circle.
    TArcCase{"M0,0 A1,1 0 0,1 10,0", 2, {5, -5}, {10, 0}},
    TArcCase{"M0,0 A-5,-5 0 0,1 10,0", 2, {5, -5}, {10, 0}},
    // The x axis of the ellipse turned by 90 degrees.
    TArcCase{"M0,0 A20,10 90 0,1 0,40", 2, {10, 20}, {0, 40}},
    TArcCase{"m10,10 a5,5 0 0 1 10,0", 2, {15, 5}, {20, 10}},
    // A repeated relative arc goes on from the end of the one before.
    TArcCase{"M0,0 a5,5 0 0 1 10,0 5,5 0 0 1 10,0", 4, {5, -5}, {20, 0}},
    // Flags are single digits and need no separators.
    TArcCase{"M0,0 a10,10 0 0120,0", 2, {10, -10}, {20, 0}}));

TEST(PathArcs, LargeArcTakesTheLongWayRound)
{
    TZorPathData path;
    path.SetData("M0,0 A10,10 0 1 1 10,10");
    EXPECT_EQ(path.Count(), 1 + 3 * 3);
    for (const QPointF& p : path.Polygons().first())
        EXPECT_NEAR(std::hypot(p.x() - 10, p.y()), 10, 0.01);
    EXPECT_NEAR(path.GetLength(), 15 * M_PI, 0.01);
    EXPECT_EQ(path.LastPoint(), QPointF(10, 10));
}

TEST(PathArcs, PiecesAreQuarterTurnsWithALastPieceUpToSlightlyMore)
{
    // Arcs on the unit circle of radius 100 from angle 0, turning by Degrees;
    // the last piece may exceed a quarter turn by up to 0.01 rad (0.57°).
    const struct {
        double Degrees;
        int Pieces;
    } cases[] = {{45, 1}, {90.5, 1}, {91, 2}, {180, 2}, {180.5, 2}, {181, 3}, {270, 3}, {359, 4}};
    for (const auto& c : cases) {
        const double angle = c.Degrees * M_PI / 180;
        const QString text = QStringLiteral("M100,0 A100,100 0 %1 1 %2,%3")
                                 .arg(c.Degrees > 180 ? 1 : 0)
                                 .arg(100 * std::cos(angle), 0, 'g', 17)
                                 .arg(100 * std::sin(angle), 0, 'g', 17);
        TZorPathData path;
        path.SetData(text);
        EXPECT_EQ(path.Count(), 1 + 3 * c.Pieces) << c.Degrees;
        // Every piece but the last is exactly a quarter turn.
        for (int piece = 1; piece < c.Pieces; ++piece) {
            const double end = piece * M_PI / 2;
            ExpectNear(PointOf(path, 3 * piece), {100 * std::cos(end), 100 * std::sin(end)}, 1e-6);
        }
    }
}

TEST(PathArcs, DegenerateArcsDrawNothingOrALine)
{
    const TTextCase cases[] = {
        // Equal end points leave the arc out, as SVG does.
        {"M5,5 A3,4 0 0 0 5,5", "M5,5 Z "},
        {"M5,5 A3,4 0 0 0 5,5 L6,6", "M5,5 L6,6 "},
        // A zero radius is a straight line to the end.
        {"M0,0 A0,5 0 0 1 10,0", "M0,0 L10,0 "},
        {"M0,0 a5,0 0 0 1 10,0", "M0,0 L10,0 "},
        // Radii so large that the arc is straight within any precision.
        {"M0,0 A1e200,1e200 0 0 1 10,0", "M0,0 L10,0 "},
        {"M0,0 A1e300,1e300 0 1 1 10,0", "M0,0 L10,0 "},
    };
    for (const TTextCase& c : cases) {
        TZorPathData path;
        path.SetData(QString::fromUtf8(c.Input));
        EXPECT_EQ(path.Data(), QString::fromUtf8(c.Written)) << c.Input;
    }
}

TEST(PathArcs, NearlyCoincidentEndPointsStayFinite)
{
    for (const char* text : {"M0,0 A10,10 0 1 1 1e-12,0", "M0,0 A10,10 0 0 1 1e-300,1e-300",
                             "M0,0 A1e-300,1e-300 0 0 1 1e-300,0", "M1e15,0 A1,1 0 1 0 1e15,1e-300"}) {
        TZorPathData path;
        path.SetData(QString::fromUtf8(text));
        for (const TPathPoint& entry : path.PointList())
            EXPECT_TRUE(std::isfinite(entry.Point.x()) && std::isfinite(entry.Point.y())) << text;
        EXPECT_TRUE(std::isfinite(path.GetLength())) << text;
    }
}

// --- Number format -------------------------------------------------------

TEST(PathFormat, WritesWithTheFormat)
{
    TZorPathData path;
    path.SetData("M0.123456,1 L-2.5,3.14159");
    path.SetFormatStr("0.##");
    EXPECT_EQ(path.Data(), "M0.12,1 L-2.5,3.14 ");
    path.SetFormatStr("0.00E+00");
    EXPECT_EQ(path.Data(), "M1.23E-01,1.00E+00 L-2.50E+00,3.14E+00 ");
    TZorPathData again;
    again.SetData(path.Data());
    EXPECT_EQ(again.Points(1).Point, QPointF(-2.5, 3.14));
}

TEST(PathFormat, RefusesFormatsThatDoNotReadBack)
{
    TZorPathData path;
    path.SetFormatStr("0.###");
    int changes = 0;
    path.OnChanged = [&](TZorPathData&) { ++changes; };
    for (const char* format : {"#,##0.##", "0.#;0.#", "#", "0.0' px'", "'1'0", "0.0E+0;(0.0E+0)"}) {
        try {
            path.SetFormatStr(QString::fromUtf8(format));
            ADD_FAILURE() << format;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' is not a valid number format for path data")
                                       .arg(QString::fromUtf8(format)));
        }
        EXPECT_EQ(path.FormatStr(), "0.###");
    }
    EXPECT_EQ(changes, 0);
}

TEST(PathFormat, PathNumbersAreWholeNumbersOnly)
{
    for (const char* text : {"1", "-1.5", "+2", ".5", "1e-3", "1.5E+2"})
        EXPECT_TRUE(IsPathNumber(QString::fromUtf8(text))) << text;
    for (const char* text : {"", " 1", "1 ", "1,", "1,000", "1.2.3", "1-2", "0x1", "inf", "nan", "1e999"})
        EXPECT_FALSE(IsPathNumber(QString::fromUtf8(text))) << text;
}

} // namespace
