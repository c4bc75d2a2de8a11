// Building paths: drawing operations, polygons and rectangles, copying and
// appending, transforms, conversions and change notification.

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "geometry/geometry_functions.h"
#include "geometry/path_data.h"
#include "geometry/path_walk.h"

using namespace zor;

namespace {

QString DataOf(void (*Build)(TZorPathData&))
{
    TZorPathData path;
    Build(path);
    return path.Data();
}

TEST(PathBuilding, DrawingOperationsWriteTheirEntries)
{
    const struct {
        void (*Build)(TZorPathData&);
        const char* Written;
    } cases[] = {
        {[](TZorPathData& p) { p.MoveTo({1, 2}); p.MoveToRel({1, 1}); p.LineToRel({1, 0}); p.ClosePath(); },
         "M1,2 M2,3 L3,3 Z "},
        {[](TZorPathData& p) { p.MoveTo({1, 2}); p.HLineTo(5); p.VLineTo(7); p.HLineToRel(-1); p.VLineToRel(-1); },
         "M1,2 L5,2 L5,7 L4,7 L4,6 "},
        {[](TZorPathData& p) { p.MoveTo({1, 1}); p.CurveToRel({1, 0}, {2, 1}, {2, 2}); },
         "M1,1 C2,1 3,2 3,3 "},
        // Smooth curves mirror a curve's control point, and only a curve's.
        {[](TZorPathData& p) { p.MoveTo({0, 0}); p.CurveTo({1, 1}, {2, 2}, {3, 3}); p.SmoothCurveTo({5, 5}, {6, 6}); },
         "M0,0 C1,1 2,2 3,3 C4,4 5,5 6,6 "},
        {[](TZorPathData& p) { p.MoveTo({0, 0}); p.LineTo({1, 0}); p.LineTo({3, 3}); p.SmoothCurveToRel({2, 2}, {3, 3}); },
         "M0,0 L1,0 L3,3 C3,3 5,5 6,6 "},
        {[](TZorPathData& p) { p.SmoothCurveTo({2, 2}, {3, 3}); }, "C0,0 2,2 3,3 "},
        {[](TZorPathData& p) { p.AddRectangle(QRectF(1, 2, 3, 4)); }, "M1,2 L4,2 L4,6 L1,6 Z "},
        {[](TZorPathData& p) { p.AddEllipse(QRectF(0, 0, 20, 10)); },
         "M0,5 C0,2.238576251 4.477152502,0 10,0 C15.522847498,0 20,2.238576251 20,5 "
         "C20,7.761423749 15.522847498,10 10,10 C4.477152502,10 0,7.761423749 0,5 "},
        // The point overload turns a closing duplicate into the close itself ...
        {[](TZorPathData& p) { p.AddPolygon(QPolygonF({{0, 0}, {10, 0}, {0, 0}})); }, "M0,0 L10,0 Z "},
        {[](TZorPathData& p) { p.AddPolygon(QPolygonF({{0, 0}, {10, 0}, {5, 5}})); }, "M0,0 L10,0 L5,5 "},
        {[](TZorPathData& p) { p.AddPolygon(QPolygonF({{3, 4}})); }, "M3,4 Z "},
        {[](TZorPathData& p) { p.AddPolygon(QPolygonF()); }, ""},
        // ... the integer overload draws it before closing.
        {[](TZorPathData& p) { p.AddPolygon(QPolygon({{0, 0}, {10, 0}, {0, 0}})); }, "M0,0 L10,0 L0,0 Z "},
        {[](TZorPathData& p) { p.AddPolygons(QList<QPolygon>{QPolygon({{0, 0}, {1, 0}}), QPolygon({{5, 5}, {6, 6}})}); },
         "M0,0 L1,0 M5,5 L6,6 "},
        {[](TZorPathData& p) { p.AddPolygons(TZorPolygons{QPolygonF({{0, 0}, {1, 0}, {0, 0}})}); }, "M0,0 L1,0 Z "},
        {[](TZorPathData& p) { p.AddLineOutline({0, 0}, {10, 0}, 1); }, "M0,-1 L0,1 L10,1 L10,-1 Z "},
        {[](TZorPathData& p) { p.AddLineOutline({2, 2}, {2, 2}, 1); }, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DataOf(c.Build), QString::fromUtf8(c.Written));
}

TEST(PathBuilding, PointAccessIsChecked)
{
    TZorPathData path;
    EXPECT_EQ(path.LastPoint(), QPointF(0, 0));
    path.SetData("M1,2 L3,4");
    EXPECT_EQ(path.LastPoint(), QPointF(3, 4));
    for (qsizetype index : {qsizetype(-1), qsizetype(2)}) {
        try {
            path.Points(index);
            ADD_FAILURE() << index;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (%1)").arg(index));
        }
    }
}

class PathChanges : public ::testing::Test {
protected:
    void SetUp() override
    {
        Path.SetData("M0,0 L10,0");
        Path.OnChanged = [this](TZorPathData& sender) {
            EXPECT_EQ(&sender, &Path);
            ++Changes;
        };
    }
    TZorPathData Path;
    int Changes = 0;
};

TEST_F(PathChanges, EveryOperationNotifiesOnce)
{
    TZorPathData other;
    other.SetData("M1,1 L2,2 L3,3");
    const std::function<void()> operations[] = {
        [&] { Path.LineTo({1, 1}); },
        [&] { Path.CurveTo({1, 1}, {2, 2}, {3, 3}); },
        [&] { Path.AddEllipse(QRectF(0, 0, 4, 4)); },
        [&] { Path.AddRectangle(QRectF(0, 0, 4, 4)); },
        [&] { Path.AddPolygon(QPolygonF({{0, 0}, {1, 1}, {2, 0}})); },
        [&] { Path.AddPolygons(QList<QPolygon>{QPolygon({{0, 0}, {1, 1}}), QPolygon({{2, 2}, {3, 3}})}); },
        [&] { Path.AddPathOutline(other, 2); },
        [&] { Path.Append(other); },
        [&] { Path.Append(QStringLiteral("L5,5 L6,6")); },
        [&] { Path.ApplyMatrix(ScalingMatrix(2, 2)); },
        [&] { Path.Flatten(0.25); },
        [&] { Path.Assign(&other); },
        [&] { Path.Clear(); },
    };
    for (const auto& operation : operations) {
        Changes = 0;
        const std::uint64_t revision = Path.Revision();
        operation();
        EXPECT_EQ(Changes, 1);
        EXPECT_NE(Path.Revision(), revision);
    }
    // No two paths share a revision, even with the same entries.
    EXPECT_NE(other.Revision(), Path.Revision());
    EXPECT_NE(TZorPathData().Revision(), TZorPathData().Revision());
}

TEST(PathChangeHandlers, AThrowingHandlerReachesTheCallerAndLeavesTheOperationWhole)
{
    TZorPathData outline;
    outline.SetData("M0,0 L4,0 L4,4");
    const QPainterPath painted = [] {
        QPainterPath p;
        p.addRect(0, 0, 2, 2);
        return p;
    }();
    const struct {
        const char* Name;
        std::function<void(TZorPathData&)> Edit;
    } operations[] = {
        {"MoveTo", [](TZorPathData& p) { p.MoveTo({7, 7}); }},
        {"CurveTo", [](TZorPathData& p) { p.CurveTo({1, 1}, {2, 2}, {3, 3}); }},
        {"CurveToRel", [](TZorPathData& p) { p.CurveToRel({1, 1}, {2, 2}, {3, 3}); }},
        {"SmoothCurveTo", [](TZorPathData& p) { p.SmoothCurveTo({2, 2}, {3, 3}); }},
        {"AddEllipse", [](TZorPathData& p) { p.AddEllipse(QRectF(0, 0, 4, 4)); }},
        {"AddRectangle", [](TZorPathData& p) { p.AddRectangle(QRectF(1, 1, 2, 2)); }},
        {"AddPolygon", [](TZorPathData& p) { p.AddPolygon(QPolygon({{0, 0}, {1, 1}, {0, 0}})); }},
        {"AddPolygonF", [](TZorPathData& p) { p.AddPolygon(QPolygonF({{0, 0}, {1, 1}, {0, 0}})); }},
        {"AddPolygons", [](TZorPathData& p) { p.AddPolygons(QList<QPolygon>{QPolygon({{0, 0}, {1, 1}})}); }},
        {"AddPolygonsF", [](TZorPathData& p) { p.AddPolygons(TZorPolygons{QPolygonF({{0, 0}, {1, 1}})}); }},
        {"AddLineOutline", [](TZorPathData& p) { p.AddLineOutline({0, 0}, {4, 0}, 1); }},
        {"AddPathOutline", [&](TZorPathData& p) { p.AddPathOutline(outline, 2); }},
        {"AddPainterPath", [&](TZorPathData& p) { p.AddPainterPath(painted); }},
        {"Append", [&](TZorPathData& p) { p.Append(outline); }},
        {"Append text", [](TZorPathData& p) { p.Append(QStringLiteral("M9,9 L8,8 Z")); }},
        {"SetData", [](TZorPathData& p) { p.SetData(QStringLiteral("M1,1 L2,2")); }},
    };
    for (const auto& operation : operations) {
        SCOPED_TRACE(operation.Name);
        TZorPathData expected;
        expected.SetData("M5,5 L6,5");
        operation.Edit(expected);

        TZorPathData path;
        path.SetData("M5,5 L6,5");
        int calls = 0;
        path.OnChanged = [&](TZorPathData&) {
            ++calls;
            throw EInvalidOperation(QStringLiteral("handler"));
        };
        EXPECT_THROW(operation.Edit(path), EInvalidOperation);
        EXPECT_EQ(calls, 1);
        // The whole operation is there, the subpath start included.
        path.OnChanged = nullptr;
        path.ClosePath();
        expected.ClosePath();
        EXPECT_EQ(path.Data(), expected.Data());
    }
}

TEST_F(PathChanges, BracketsDeferTheNotificationButNotTheMeasurement)
{
    EXPECT_EQ(Path.GetLength(), 10);
    {
        TPathUpdate outer(Path);
        TPathUpdate inner(Path);
        const std::uint64_t revision = Path.Revision();
        Path.LineTo({10, 10});
        // Measuring and caching inside the bracket see the change already.
        EXPECT_EQ(Path.GetLength(), 20);
        EXPECT_NE(Path.Revision(), revision);
        Path.LineTo({0, 10});
        EXPECT_EQ(Changes, 0);
    }
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Path.GetLength(), 30);
    // An unmatched end changes nothing.
    Path.EndUpdate();
    Path.LineTo({0, 0});
    EXPECT_EQ(Changes, 2);
}

TEST_F(PathChanges, AnEmptyPolygonAddsAndReportsNothing)
{
    Path.AddPolygon(QPolygon());
    Path.AddPolygon(QPolygonF());
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Path.Data(), "M0,0 L10,0 ");
}

TEST_F(PathChanges, SettingsAreNotChanges)
{
    const std::uint64_t revision = Path.Revision();
    Path.SetFillMode(TZorFillMode::fmNonZero);
    Path.SetFormatStr("0.#");
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Path.Revision(), revision);
    EXPECT_EQ(Path.FillMode(), TZorFillMode::fmNonZero);
}

TEST(PathCopy, AssignAndCloneCopyEverything)
{
    TZorPathData source;
    source.SetData("M1.25,2 L3,4 Z L7,7");
    source.SetFillMode(TZorFillMode::fmNonZero);
    source.SetFormatStr("0.#");
    const std::unique_ptr<TZorPathData> clone = source.Clone();
    EXPECT_EQ(clone->PointList(), source.PointList());
    EXPECT_EQ(clone->FillMode(), TZorFillMode::fmNonZero);
    EXPECT_EQ(clone->Data(), "M1.3,2 L3,4 Z L7,7 ");
    // The copy keeps the subpath start: a close after it closes there.
    clone->ClosePath();
    EXPECT_EQ(clone->LastPoint(), QPointF(1.25, 2));
}

TEST(PathCopy, AssigningAnotherKindRaises)
{
    class TOther : public TPersistent {};
    TOther other;
    TZorPathData path;
    try {
        path.Assign(&other);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TOther to a TZorPathData");
    }
}

TEST(PathCopy, AppendReplaysEntries)
{
    TZorPathData source;
    source.SetData("M10,10 L20,20 C1,1 2,2 3,3 Z");
    source.SetFormatStr("0.#");

    TZorPathData empty;
    empty.Append(source);
    EXPECT_EQ(empty.PointList(), source.PointList());
    EXPECT_EQ(empty.FormatStr(), TZorPathData::DefaultFormatStr);

    TZorPathData path;
    path.SetData("M0,0 L1,1");
    path.Append(path);
    EXPECT_EQ(path.Data(), "M0,0 L1,1 M0,0 L1,1 ");

    // A source without a move goes on from the current subpath.
    TZorPathData open;
    open.SetData("L5,5 Z");
    path.Append(open);
    EXPECT_EQ(path.Data(), "M0,0 L1,1 M0,0 L1,1 L5,5 Z ");
    EXPECT_EQ(path.LastPoint(), QPointF(0, 0));
}

TEST(PathTransforms, ApplyMatrixUsesRowVectors)
{
    TZorPathData path;
    path.SetData("M1,0 L2,0 Z");
    // Translation first, then scaling.
    path.ApplyMatrix(TranslationMatrix(10, 0) * ScalingMatrix(2, 3));
    EXPECT_EQ(path.Data(), "M22,0 L24,0 Z ");
    path.Translate(-2, 1);
    EXPECT_EQ(path.Data(), "M20,1 L22,1 Z ");
    path.LineTo({0, 0});
    path.ClosePath();
    EXPECT_EQ(path.LastPoint(), QPointF(20, 1)); // the subpath start moved too
}

TEST(PathTransforms, FlattenKeepsEndsAndStaysNearTheCurve)
{
    TZorPathData path;
    path.SetData("M0,0 C0,10 10,10 10,0 Z M20,0 L30,0");
    path.Flatten(0.25);
    int lines = 0;
    for (const TPathPoint& entry : path.PointList()) {
        EXPECT_NE(entry.Kind, TPathPointKind::CurveTo);
        lines += entry.Kind == TPathPointKind::LineTo;
    }
    EXPECT_GT(lines, 4);
    EXPECT_EQ(path.Points(0), (TPathPoint{TPathPointKind::MoveTo, {0, 0}}));
    // The curve's top (5, 7.5) is reached within the flatness.
    double top = 0;
    for (const TPathPoint& entry : path.PointList())
        if (entry.Point.x() < 11)
            top = std::max(top, entry.Point.y());
    EXPECT_NEAR(top, 7.5, 0.25);
    EXPECT_TRUE(path.Data().endsWith("L10,0 Z M20,0 L30,0 "));
}

TEST(PathTransforms, FlatteningIsBoundedWhateverTheSize)
{
    const struct {
        const char* Text;
        QPointF End;
    } cases[] = {
        {"M0,0 C1e300,1e300 -1e300,1e300 1e300,0", {1e300, 0}},
        {"M0,0 C0,1e-9 1e-9,1e-9 1e-9,0", {1e-9, 0}},
        {"M0,0 C1e6,0 1e6,1e6 0,1e6", {0, 1e6}},
    };
    for (const auto& c : cases) {
        TZorPathData path;
        path.SetData(QString::fromUtf8(c.Text));
        path.Flatten(0);
        EXPECT_LE(path.Count(), 1 + 1024) << c.Text;
        EXPECT_GE(path.Count(), 3) << c.Text;
        EXPECT_EQ(path.LastPoint(), c.End) << c.Text;
    }
}

TEST(PathTransforms, BoundsFollowTheDrawnCurve)
{
    const struct {
        const char* Text;
        QRectF Bounds;
    } cases[] = {
        {"", QRectF()},
        {"M0,0 C0,10 10,10 10,0", QRectF(0, 0, 10, 7.5)},
        {"M5,5", QRectF(5, 5, 0, 0)},
        {"M1,1 L4,1", QRectF(1, 1, 3, 0)},
        {"L3,-2", QRectF(0, -2, 3, 2)},
        {"M0,0 L10,0 L10,10 Z M-5,3 L-4,3", QRectF(-5, 0, 15, 10)},
    };
    for (const auto& c : cases) {
        TZorPathData path;
        path.SetData(QString::fromUtf8(c.Text));
        const QRectF bounds = path.GetBounds();
        EXPECT_NEAR(bounds.left(), c.Bounds.left(), 1e-9) << c.Text;
        EXPECT_NEAR(bounds.top(), c.Bounds.top(), 1e-9) << c.Text;
        EXPECT_NEAR(bounds.right(), c.Bounds.right(), 1e-9) << c.Text;
        EXPECT_NEAR(bounds.bottom(), c.Bounds.bottom(), 1e-9) << c.Text;
    }
}

TEST(PainterPaths, ConvertWithSubpathsAndFillRule)
{
    TZorPathData path;
    path.SetData("M0,0 L10,0 L10,10 L0,10 Z M3,3 L7,3 L7,7 L3,7 Z L-5,3");
    QPainterPath painter = path.ToPainterPath();
    EXPECT_FALSE(painter.contains(QPointF(5, 5))); // even-odd: the inner square is a hole
    EXPECT_TRUE(painter.contains(QPointF(1, 1)));
    EXPECT_EQ(painter.currentPosition(), QPointF(-5, 3));
    // The segment after the close starts at the closed subpath's start.
    EXPECT_EQ(painter.elementAt(painter.elementCount() - 2), QPainterPath::Element({3, 3, QPainterPath::MoveToElement}));

    path.SetFillMode(TZorFillMode::fmNonZero);
    painter = path.ToPainterPath();
    EXPECT_EQ(painter.fillRule(), Qt::WindingFill);
    EXPECT_TRUE(painter.contains(QPointF(5, 5)));
}

TEST(PainterPaths, AddedPainterPathsKeepCurvesAndCloses)
{
    QPainterPath painter;
    painter.addRect(0, 0, 10, 5);
    painter.moveTo(20, 0);
    painter.cubicTo(20, 10, 30, 10, 30, 0);
    TZorPathData path;
    path.AddPainterPath(painter);
    EXPECT_EQ(path.Data(), "M0,0 L10,0 L10,5 L0,5 L0,0 Z M20,0 C20,10 30,10 30,0 ");
}

TEST(PathWalk, TruncatedCurveIsNotWalked)
{
    class TCounter : public TPathVisitor {
    public:
        void MoveTo(QPointF) override { ++Moves; }
        void LineTo(QPointF, QPointF) override { ++Others; }
        void CurveTo(const TCubicBezier&) override { ++Others; }
        void Close(QPointF, QPointF) override { ++Others; }
        int Moves = 0;
        int Others = 0;
    } counter;
    const TPathPoints points = {{TPathPointKind::MoveTo, {0, 0}},
                                {TPathPointKind::CurveTo, {1, 1}},
                                {TPathPointKind::CurveTo, {2, 2}}};
    WalkPath(points, counter);
    EXPECT_EQ(counter.Moves, 1);
    EXPECT_EQ(counter.Others, 0);
}

} // namespace

TEST(PathDataDrawing, NonFinitePointsAreRefusedAndLeaveThePathWhole)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::function<void(TZorPathData&)> edit;
    };
    const Case cases[] = {
        {"MoveTo", [&](TZorPathData& p) { p.MoveTo(QPointF(nan, 0)); }},
        {"LineTo", [&](TZorPathData& p) { p.LineTo(QPointF(0, inf)); }},
        {"CurveTo last point", [&](TZorPathData& p) { p.CurveTo(QPointF(1, 1), QPointF(2, 2), QPointF(nan, 3)); }},
        {"AddRectangle", [&](TZorPathData& p) { p.AddRectangle(QRectF(0, 0, inf, 5)); }},
        {"AddEllipse", [&](TZorPathData& p) { p.AddEllipse(QRectF(0, 0, 5, nan)); }},
        {"AddPolygon", [&](TZorPathData& p) { p.AddPolygon(QPolygonF({QPointF(0, 0), QPointF(1, 1), QPointF(inf, 2)})); }},
        {"ApplyMatrix", [&](TZorPathData& p) { p.ApplyMatrix(QTransform(nan, 0, 0, 1, 0, 0)); }},
        {"ApplyMatrix overflow", [&](TZorPathData& p) { p.ApplyMatrix(QTransform(1e308, 0, 0, 1e308, 0, 0)); }},
    };
    for (const Case& c : cases) {
        TZorPathData path;
        path.SetData("M10,10 L20,10 C20,20 30,20 30,10 Z");
        const QString before = path.Data();
        const double length = path.GetLength();
        try {
            c.edit(path);
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const EArgumentOutOfRangeException& e) {
            EXPECT_EQ(e.Message(), "Argument out of range") << c.name;
        }
        EXPECT_EQ(path.Data(), before) << c.name;
        EXPECT_DOUBLE_EQ(path.GetLength(), length) << c.name;
        path.LineToRel(QPointF(1, 0)); // the subpath start survived the rollback
        EXPECT_TRUE(path.Data().endsWith("L11,10 ")) << c.name << ": " << path.Data().toStdString();
    }
}
