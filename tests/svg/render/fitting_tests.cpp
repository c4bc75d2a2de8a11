// Fitting a drawing into a rectangle: FitToRect, view boxes under every
// preserveAspectRatio, the way back from a viewport point, bitmap targets.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/geometry_functions.h"
#include "svg/render/fitting.h"
#include "svg/render/transformed_path.h"
#include "tests/svg/render/render_test_support.h"

using namespace zor;
using namespace zor::testing;

namespace {

TEST(Fitting, FitToRectMapsTheTargetOntoTheRectangle)
{
    const QTransform m = FitToRect(QRectF(10, 20, 200, 50), QRectF(-5, 0, 100, 100));
    EXPECT_EQ(m.map(QPointF(-5, 0)), QPointF(10, 20));
    EXPECT_EQ(m.map(QPointF(95, 100)), QPointF(210, 70));
    EXPECT_TRUE(FitToRect(QRectF(0, 0, 10, 10), QRectF(0, 0, 0, 5)).isIdentity());
    EXPECT_TRUE(FitToRect(QRectF(0, 0, 10, 10), QRectF(0, 0, 5, 0)).isIdentity());
}

TEST(Fitting, ViewBoxesScaleToTheirViewportForEveryAlignment)
{
    using enum TSVGAlign;
    const struct {
        QRectF ViewBox;
        QRectF Viewport;
        TSVGAlign Align;
        bool Slice;
        double Sx, Sy, Dx, Dy;
    } cases[] = {
        {{0, 0, 200, 100}, {0, 0, 100, 100}, saXMidYMid, false, 0.5, 0.5, 0, 25},
        {{0, 0, 200, 100}, {0, 0, 100, 100}, saNone, false, 0.5, 1, 0, 0},
        {{0, 0, 200, 100}, {0, 0, 100, 100}, saNone, true, 0.5, 1, 0, 0},
        {{0, 0, 200, 100}, {0, 0, 100, 100}, saXMinYMin, false, 0.5, 0.5, 0, 0},
        {{0, 0, 200, 100}, {0, 0, 100, 100}, saXMaxYMax, false, 0.5, 0.5, 0, 50},
        {{0, 0, 200, 100}, {10, 20, 100, 100}, saXMaxYMax, false, 0.5, 0.5, 10, 70},
        {{0, 0, 200, 100}, {0, 0, 100, 100}, saXMidYMid, true, 1, 1, -50, 0},
        {{0, 0, 200, 100}, {0, 0, 100, 100}, saXMinYMid, true, 1, 1, 0, 0},
        {{0, 0, 200, 100}, {0, 0, 100, 100}, saXMaxYMin, true, 1, 1, -100, 0},
        // Unit and smaller view boxes scale to the viewport like any other.
        {{0, 0, 1, 1}, {0, 0, 100, 100}, saXMidYMid, false, 100, 100, 0, 0},
        {{0, 0, 0.5, 0.25}, {0, 0, 100, 100}, saNone, false, 200, 400, 0, 0},
        {{0, 0, 1, 1}, {0, 0, 100, 50}, saXMidYMid, false, 50, 50, 25, 0},
        // The box's own origin moves to the viewport's.
        {{50, 50, 100, 100}, {0, 0, 200, 200}, saXMidYMid, false, 2, 2, -100, -100},
    };
    for (const auto& c : cases) {
        const std::optional<QTransform> m = ViewBoxMatrix(c.ViewBox, c.Viewport, c.Align, c.Slice);
        ASSERT_TRUE(m);
        EXPECT_DOUBLE_EQ(m->m11(), c.Sx) << int(c.Align) << c.Slice;
        EXPECT_DOUBLE_EQ(m->m22(), c.Sy) << int(c.Align) << c.Slice;
        EXPECT_DOUBLE_EQ(m->dx(), c.Dx) << int(c.Align) << c.Slice;
        EXPECT_DOUBLE_EQ(m->dy(), c.Dy) << int(c.Align) << c.Slice;
        EXPECT_EQ(m->m12(), 0);
        EXPECT_EQ(m->m21(), 0);
    }
    TSVGPreserveAspectRatio ratio(TSVGAlign::saXMidYMid, false, false);
    ratio.SetSlice(true);
    EXPECT_EQ(ViewBoxMatrix({0, 0, 200, 100}, {0, 0, 100, 100}, ratio)->dx(), -50);
}

TEST(Fitting, ViewBoxesWithoutAreaDrawNothing)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (double size : {0.0, -10.0, nan, inf}) {
        EXPECT_FALSE(ViewBoxMatrix({0, 0, size, 100}, {0, 0, 100, 100}, TSVGAlign::saXMidYMid, false)) << size;
        EXPECT_FALSE(ViewBoxMatrix({0, 0, 100, size}, {0, 0, 100, 100}, TSVGAlign::saNone, true)) << size;
    }
}

TEST(Fitting, ScreenToLocalStretchesTheViewBoxOverTheRectangle)
{
    const QRectF box(10, 20, 200, 100);
    EXPECT_EQ(ScreenToLocal({50, 25}, QRectF(0, 0, 100, 50), box), QPointF(110, 70));
    EXPECT_EQ(ScreenToLocal({60, 35}, QRectF(10, 10, 100, 50), box), QPointF(110, 70));
    // An axis without extent is left alone instead of divided by zero.
    const QPointF p = ScreenToLocal({5, 25}, QRectF(0, 0, 0, 50), box);
    EXPECT_EQ(p, QPointF(5, 70));
    EXPECT_EQ(ScreenToLocal({5, 6}, QRectF(), box), QPointF(5, 6));
}

TEST(Fitting, BitmapTargetsCoverEveryPixel)
{
    const QSize size(64, 32);
    EXPECT_EQ(BitmapTargetRect(size), QRectF(0, 0, 64, 32));
    // A unit square fitted to the target reaches the last row and column.
    TTestCanvas canvas(size.width(), size.height());
    canvas.Context.SetFill(SolidPaint(qRgb(0, 0, 255)));
    QPainterPath square;
    square.addRect(0, 0, 1, 1);
    canvas.Context.FillPath(TTransformedPath(square, FitToRect(BitmapTargetRect(size), QRectF(0, 0, 1, 1))), 1);
    const QImage& image = canvas.Image();
    EXPECT_EQ(AlphaAt(image, 63, 31), 255);
    EXPECT_EQ(AlphaAt(image, 0, 0), 255);
}

} // namespace
