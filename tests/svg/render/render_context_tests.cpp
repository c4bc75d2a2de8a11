// The render context: fill and stroke with opacity, group-opacity layers,
// clips in viewport coordinates, the state and scene guards, and the
// disabled appearance.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "geometry/geometry_functions.h"
#include "svg/render/disabled_appearance.h"
#include "svg/render/gradient_brush.h"
#include "svg/render/transparent_layer.h"
#include "tests/svg/render/render_test_support.h"

using namespace zor;
using namespace zor::testing;

namespace {

constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;

TTransformedPath Rect(const QRectF& R, const QTransform& M = QTransform())
{
    QPainterPath path;
    path.addRect(R);
    return TTransformedPath(path, M);
}

TStrokeStyle Width(double W)
{
    TStrokeStyle style;
    style.Width = W;
    return style;
}

TEST(GroupOpacity, OverlappingChildrenDoNotDarkenEachOther)
{
    // Two opaque squares overlapping in the middle, in a group of opacity 0.5.
    TTestCanvas layered;
    layered.Context.SetFill(SolidPaint(Red));
    {
        TTransparentLayer layer(layered.Context, 0.5);
        EXPECT_TRUE(layer.IsOffscreen());
        layered.Context.FillPath(Rect({10, 10, 50, 50}), 1);
        layered.Context.FillPath(Rect({40, 40, 50, 50}), 1);
    }
    const QImage& image = layered.Image();
    EXPECT_NEAR(AlphaAt(image, 20, 20), 128, 1);
    EXPECT_NEAR(AlphaAt(image, 50, 50), 128, 1);
    EXPECT_NEAR(AlphaAt(image, 80, 80), 128, 1);
    EXPECT_EQ(AlphaAt(image, 80, 20), 0);

    // Folding the opacity into each child shows the overlap.
    TTestCanvas folded;
    folded.Context.SetFill(SolidPaint(Red));
    folded.Context.FillPath(Rect({10, 10, 50, 50}), 0.5);
    folded.Context.FillPath(Rect({40, 40, 50, 50}), 0.5);
    EXPECT_EQ(AlphaAt(folded.Image(), 50, 50), 191);
}

TEST(GroupOpacity, FillAndStrokeUnderOpacityShareOneLayer)
{
    TTestCanvas canvas;
    canvas.Context.SetFill(SolidPaint(Blue));
    canvas.Context.SetStroke(SolidPaint(Red), Width(10));
    canvas.Context.FillAndStroke(Rect({20, 20, 60, 60}), 0.5);
    const QImage& image = canvas.Image();
    // The inner half of the stroke covers the fill instead of showing it through.
    EXPECT_TRUE(SameColor(image.pixel(22, 50), qPremultiply(qRgba(255, 0, 0, 128)))) << std::hex << image.pixel(22, 50);
    EXPECT_TRUE(SameColor(image.pixel(50, 50), qPremultiply(qRgba(0, 0, 255, 128))));
    EXPECT_TRUE(SameColor(image.pixel(17, 50), qPremultiply(qRgba(255, 0, 0, 128))));

    // A single painted part takes the opacity directly.
    TTestCanvas single;
    single.Context.SetFill(SolidPaint(Blue, 0.5));
    single.Context.FillAndStroke(Rect({20, 20, 60, 60}), 0.5);
    EXPECT_EQ(AlphaAt(single.Image(), 50, 50), 64);
}

TEST(GroupOpacity, LayersKeepTheClipTheBaseTransformAndThePixelRatio)
{
    // A supersampling host: the painter's own scale, and a high-density image.
    TTestCanvas canvas(100, 100, 2);
    canvas.Painter().scale(0.5, 0.5);
    TRenderContext context(canvas.Painter());
    context.IntersectClipRect({0, 0, 40, 100}, QTransform());
    context.SetFill(SolidPaint(Red));
    {
        TTransparentLayer layer(context, 0.5, QRectF(0, 0, 100, 100));
        EXPECT_TRUE(layer.IsOffscreen());
        context.FillPath(Rect({10, 10, 80, 80}), 1);
    }
    const QImage& image = canvas.Image();
    // Canvas unit 10 is 5 logical units and 10 pixels of this image.
    EXPECT_EQ(AlphaAt(image, 9, 50), 0);
    EXPECT_NEAR(AlphaAt(image, 10, 50), 128, 1);
    EXPECT_NEAR(AlphaAt(image, 39, 50), 128, 1);
    EXPECT_EQ(AlphaAt(image, 40, 50), 0);
    EXPECT_EQ(AlphaAt(image, 60, 89), 0);
}

TEST(GroupOpacity, DeepNestingFoldsAndInvisibleLayersDrawNothing)
{
    TTestCanvas canvas;
    canvas.Context.SetFill(SolidPaint(Red));
    {
        std::vector<std::unique_ptr<TTransparentLayer>> layers;
        for (int i = 0; i < 12; ++i)
            layers.push_back(std::make_unique<TTransparentLayer>(canvas.Context, 0.9));
        EXPECT_TRUE(layers[TTransparentLayer::MaxDepth - 1]->IsOffscreen());
        EXPECT_FALSE(layers[TTransparentLayer::MaxDepth]->IsOffscreen());
        canvas.Context.FillPath(Rect({0, 0, 50, 100}), 1);
        while (!layers.empty())
            layers.pop_back();
    }
    {
        TTransparentLayer invisible(canvas.Context, 0);
        EXPECT_FALSE(invisible.IsOffscreen());
        canvas.Context.FillPath(Rect({50, 0, 50, 50}), 1);
    }
    {
        TTransparentLayer outside(canvas.Context, 0.5, QRectF(200, 200, 10, 10));
        canvas.Context.FillPath(Rect({50, 50, 50, 50}), 1);
    }
    {
        TTransparentLayer opaque(canvas.Context, 1);
        EXPECT_FALSE(opaque.IsOffscreen());
    }
    const QImage& image = canvas.Image();
    // Each composite rounds once.
    EXPECT_NEAR(AlphaAt(image, 25, 50), std::pow(0.9, 12) * 255, 3);
    EXPECT_EQ(AlphaAt(image, 75, 25), 0);
    EXPECT_EQ(AlphaAt(image, 75, 75), 0);
}

TEST(Clipping, ViewportClipsAreMadeInTheViewportsCoordinates)
{
    // A viewport of 50 × 50 units shown at twice the size from (10, 10).
    TTestCanvas canvas(120, 120);
    canvas.Context.IntersectClipRect({0, 0, 50, 50}, ScalingMatrix(2, 2) * TranslationMatrix(10, 10));
    canvas.Context.SetFill(SolidPaint(Blue));
    canvas.Context.FillPath(Rect({0, 0, 120, 120}), 1);
    // The painter's transform is back to the base for what follows.
    EXPECT_TRUE(canvas.Painter().worldTransform().isIdentity());
    const QImage& image = canvas.Image();
    EXPECT_EQ(AlphaAt(image, 10, 10), 255);
    EXPECT_EQ(AlphaAt(image, 109, 109), 255);
    EXPECT_EQ(AlphaAt(image, 9, 50), 0);
    EXPECT_EQ(AlphaAt(image, 110, 50), 0);

    // Rotated viewports clip to their rotated rectangle.
    TTestCanvas rotated;
    rotated.Context.IntersectClipRect({-20, -20, 40, 40},
                                      RotationMatrix(std::numbers::pi / 4) * TranslationMatrix(50, 50));
    rotated.Context.SetFill(SolidPaint(Blue));
    rotated.Context.FillPath(Rect({0, 0, 100, 100}), 1);
    EXPECT_EQ(AlphaAt(rotated.Image(), 50, 25), 255);
    EXPECT_EQ(AlphaAt(rotated.Image(), 28, 28), 0);
}

TEST(CanvasState, GuardsRestoreClipAndPaintsOnEveryExit)
{
    TTestCanvas canvas;
    canvas.Context.SetFill(SolidPaint(Red));
    canvas.Context.SetStroke(SolidPaint(Blue), Width(3));
    try {
        TCanvasStateGuard guard(canvas.Context);
        canvas.Context.IntersectClipRect({0, 0, 10, 10}, QTransform());
        canvas.Context.SetFill(TRenderPaint());
        canvas.Context.SetStroke(SolidPaint(Red), Width(7));
        throw std::runtime_error("drawing failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(canvas.Painter().hasClipping());
    EXPECT_EQ(canvas.Context.Fill().UserBrush().color().rgba(), Red);
    EXPECT_EQ(canvas.Context.Stroke().UserBrush().color().rgba(), Blue);
    EXPECT_EQ(canvas.Context.StrokeStyle().Width, 3);
}

TEST(CanvasState, ScenesBeginOnlyOnDevicesWithPixelsAndAlwaysEnd)
{
    QImage empty;
    EXPECT_FALSE(TCanvasScene(empty).IsActive());
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    {
        TCanvasScene scene(image);
        ASSERT_TRUE(scene.IsActive());
        EXPECT_TRUE(scene.Painter().testRenderHint(QPainter::Antialiasing));
        TRenderContext context(scene.Painter());
        context.IntersectClipRect({0, 0, 1, 1}, QTransform());
        // Clearing ignores the clip.
        context.Clear(0x80102030);
    }
    EXPECT_EQ(image.pixel(3, 3), qPremultiply(0x80102030u));
    // The scene has ended: another painter may begin.
    QPainter painter;
    EXPECT_TRUE(painter.begin(&image));
}

TEST(DisabledAppearance, FillsStrokesGradientsAndTexturesTurnGray)
{
    const QRgb grayRed = qRgb(143, 143, 143); // 0.56 × 255
    TTestCanvas canvas(100, 40);
    TGradient gradient;
    gradient.Stops = {{0, Red}, {1, Blue}};
    canvas.Context.SetFill(TRenderPaint(*GradientBrush(gradient, QRectF(0, 0, 40, 40))));
    canvas.Context.SetStroke(SolidPaint(Red), Width(4));
    ApplyDisabledAppearance(canvas.Context);
    canvas.Context.FillAndStroke(Rect({0, 0, 40, 40}), 1);

    QImage texture(2, 2, QImage::Format_ARGB32_Premultiplied);
    texture.fill(QColor(Qt::red));
    canvas.Context.SetFill(GrayPaint(TRenderPaint(QBrush(texture))));
    canvas.Context.FillPath(Rect({60, 0, 40, 40}), 1);

    const QImage& image = canvas.Image();
    EXPECT_TRUE(SameColor(image.pixel(0, 20), grayRed)) << std::hex << image.pixel(0, 20);
    for (int x : {5, 20, 35}) {
        const QRgb p = image.pixel(x, 20);
        EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << std::hex << " " << p;
    }
    EXPECT_TRUE(SameColor(image.pixel(80, 20), grayRed));
    // The gray brush keeps its kind and transform.
    const QBrush gray = GrayBrush(TRenderPaint(*GradientBrush(gradient, QRectF(5, 5, 10, 10))).UserBrush());
    EXPECT_EQ(gray.style(), Qt::LinearGradientPattern);
    EXPECT_EQ(gray.transform(), ScalingMatrix(10, 10) * TranslationMatrix(5, 5));
    EXPECT_EQ(gray.gradient()->stops().last().second.rgba(), qRgb(28, 28, 28)); // 0.11 × 255
}

} // namespace
