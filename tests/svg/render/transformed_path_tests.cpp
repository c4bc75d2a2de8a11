// The transformed-path cache: what makes it rebuild, fill rules, and open
// outlines filled closed and stroked open.

#include <gtest/gtest.h>

#include "geometry/geometry_functions.h"
#include "svg/render/transformed_path.h"
#include "tests/svg/render/render_test_support.h"

using namespace zor;
using namespace zor::testing;

namespace {

TEST(TransformedPaths, RebuildOnlyWhenThePathOrTheMatrixChanges)
{
    TZorPathData path;
    path.SetData("M0,0 L10,0 L10,10 Z");
    TTransformedPath cached;
    EXPECT_TRUE(cached.Update(path, ScalingMatrix(2, 2)));
    EXPECT_FALSE(cached.Update(path, ScalingMatrix(2, 2)));
    EXPECT_EQ(cached.Canvas().boundingRect(), QRectF(0, 0, 20, 20));
    EXPECT_EQ(cached.Local().boundingRect(), QRectF(0, 0, 10, 10));

    path.LineTo({30, 0});
    EXPECT_TRUE(cached.Update(path, ScalingMatrix(2, 2)));
    EXPECT_EQ(cached.Canvas().boundingRect().width(), 60);
    EXPECT_TRUE(cached.Update(path, TranslationMatrix(1, 0)));
    EXPECT_EQ(cached.Matrix(), TranslationMatrix(1, 0));

    // Another path with the same entries is still another path.
    TZorPathData copy;
    copy.Assign(&path);
    EXPECT_TRUE(cached.Update(copy, TranslationMatrix(1, 0)));
    EXPECT_FALSE(cached.Update(copy, TranslationMatrix(1, 0)));
}

TEST(TransformedPaths, FillRulesFollowThePathUnlessChosen)
{
    TZorPathData path;
    path.SetData("M0,0 L10,0 L10,10 Z");
    TTransformedPath cached;
    cached.Update(path, QTransform());
    EXPECT_EQ(cached.Canvas().fillRule(), Qt::OddEvenFill);
    path.SetFillMode(TZorFillMode::fmNonZero);
    EXPECT_FALSE(cached.Update(path, QTransform()));
    EXPECT_EQ(cached.Canvas().fillRule(), Qt::WindingFill);
    cached.SetFillRule(Qt::OddEvenFill);
    EXPECT_TRUE(cached.Update(path, ScalingMatrix(2, 2)));
    EXPECT_EQ(cached.Canvas().fillRule(), Qt::OddEvenFill);
    EXPECT_EQ(cached.Local().fillRule(), Qt::OddEvenFill);
}

TEST(TransformedPaths, StrokeOutlinesAreKeptPerStyle)
{
    TZorPathData path;
    path.SetData("M0,0 L10,0");
    TTransformedPath cached;
    cached.Update(path, ScalingMatrix(1, 3));
    TStrokeStyle style;
    style.Width = 2;
    const QPainterPath first = cached.CanvasStrokeOutline(style);
    EXPECT_EQ(first.boundingRect(), QRectF(0, -3, 10, 6));
    // Built around the local outline: the stroke stretches with the shape.
    style.Width = 4;
    EXPECT_EQ(cached.CanvasStrokeOutline(style).boundingRect(), QRectF(0, -6, 10, 12));
    style.NonScaling = true;
    EXPECT_EQ(cached.CanvasStrokeOutline(style).boundingRect(), QRectF(0, -2, 10, 4));
    path.LineTo({20, 0});
    cached.Update(path, ScalingMatrix(1, 3));
    EXPECT_EQ(cached.CanvasStrokeOutline(style).boundingRect(), QRectF(0, -2, 20, 4));
}

TEST(TransformedPaths, OpenOutlinesAreFilledClosedAndStrokedOpen)
{
    TZorPathData path;
    path.SetData("M10,10 L90,10 L90,90");
    TTransformedPath cached;
    cached.Update(path, QTransform());

    TTestCanvas filled;
    filled.Context.SetFill(SolidPaint(0xFF0000FF));
    filled.Context.FillPath(cached, 1);
    EXPECT_EQ(AlphaAt(filled.Image(), 70, 30), 255);
    EXPECT_EQ(AlphaAt(filled.Image(), 30, 70), 0);

    TTestCanvas stroked;
    TStrokeStyle style;
    style.Width = 4;
    stroked.Context.SetStroke(SolidPaint(0xFF0000FF), style);
    stroked.Context.StrokePath(cached, 1);
    EXPECT_EQ(AlphaAt(stroked.Image(), 50, 10), 255);
    EXPECT_EQ(AlphaAt(stroked.Image(), 50, 50), 0); // no closing edge along the diagonal
}

} // namespace
