// Gradients as brushes: stops, spreads, units, gradientTransform, focal
// points, the cases that paint one colour or nothing, and paint resolution
// through the model's lookup.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/geometry_functions.h"
#include "svg/render/fitting.h"
#include "svg/render/gradient_brush.h"
#include "svg/render/transformed_path.h"
#include "tests/support/reference_image.h"
#include "tests/svg/render/render_test_support.h"

using namespace zor;
using namespace zor::testing;

namespace {

constexpr TAlphaColor Red = 0xFFFF0000;
constexpr TAlphaColor Blue = 0xFF0000FF;

TGradient RedToBlue()
{
    TGradient gradient;
    gradient.Stops = {{0, Red}, {1, Blue}};
    return gradient;
}

// Fills Box, mapped by M, with Gradient on a canvas of Size.
QImage Filled(const TGradient& Gradient, const QRectF& Box, const QTransform& M = QTransform(), QSize Size = {100, 20})
{
    TTestCanvas canvas(Size.width(), Size.height());
    const std::optional<QBrush> brush = GradientBrush(Gradient, Box);
    if (brush)
        canvas.Context.SetFill(TRenderPaint(*brush));
    QPainterPath path;
    path.addRect(Box);
    canvas.Context.FillPath(TTransformedPath(path, M), 1);
    return canvas.Image();
}

// The share of blue in a red-to-blue mix, 0..1.
double BlueShare(QRgb Pixel)
{
    return qBlue(Pixel) / double(qRed(Pixel) + qBlue(Pixel));
}

TEST(GradientStops, AreClampedOrderedAndKeptApart)
{
    const struct {
        std::vector<TGradientStop> Stops;
        std::vector<double> Offsets;
    } cases[] = {
        {{{-0.5, Red}, {0.3, Blue}, {1.7, Red}}, {0, 0.3, 1}},
        // A stop before the one ahead of it moves up to it; equal offsets part by a hair.
        {{{0.6, Red}, {0.2, Blue}}, {0.6, 0.6 + 1e-6}},
        {{{0.5, Red}, {0.5, Blue}, {0.5, Red}}, {0.5, 0.5 + 1e-6, 0.5 + 2e-6}},
        // A run at the end is pulled back below 1 instead of past it.
        {{{0, Red}, {1, Blue}, {1, Red}}, {0, 1 - 1e-6, 1}},
        {{{std::nan(""), Red}, {0.4, Blue}}, {0, 0.4}},
    };
    for (const auto& c : cases) {
        const QGradientStops stops = SanitizedStops(c.Stops);
        ASSERT_EQ(stops.size(), qsizetype(c.Offsets.size()));
        for (qsizetype i = 0; i < stops.size(); ++i)
            EXPECT_NEAR(stops[i].first, c.Offsets[std::size_t(i)], 1e-12) << i;
    }
    // stop-opacity multiplies into the colour's own alpha.
    const QGradientStops faded = SanitizedStops({{0, Red, 0.5}, {1, 0x80FF0000, 0.5}});
    EXPECT_EQ(faded[0].second.alpha(), 128);
    EXPECT_EQ(faded[1].second.alpha(), 64);
}

TEST(GradientStops, EqualOffsetsMakeAHardEdge)
{
    TGradient gradient;
    gradient.Stops = {{0, Red}, {0.5, Red}, {0.5, Blue}, {1, Blue}};
    const QImage image = Filled(gradient, QRectF(0, 0, 100, 20));
    EXPECT_EQ(image.pixel(48, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(51, 10), qRgb(0, 0, 255));
}

TEST(GradientSpread, PadReflectAndRepeatBeyondTheVector)
{
    const struct {
        TSVGGradientSpread Spread;
        double At60; // blue share at 0.6 of the box, the vector ending at 0.5 of it
        double At90;
    } cases[] = {
        {TSVGGradientSpread::gsPad, 1, 1},
        {TSVGGradientSpread::gsNone, 1, 1},
        {TSVGGradientSpread::gsReflect, 0.8, 0.2},
        {TSVGGradientSpread::gsRepeat, 0.2, 0.8},
    };
    for (const auto& c : cases) {
        TGradient gradient = RedToBlue();
        gradient.Stop = QPointF(0.5, 0);
        gradient.Spread = c.Spread;
        const QImage image = Filled(gradient, QRectF(0, 0, 100, 20));
        EXPECT_NEAR(BlueShare(image.pixel(25, 10)), 0.5, 0.03) << int(c.Spread);
        EXPECT_NEAR(BlueShare(image.pixel(60, 10)), c.At60, 0.03) << int(c.Spread);
        EXPECT_NEAR(BlueShare(image.pixel(90, 10)), c.At90, 0.03) << int(c.Spread);
    }
}

TEST(GradientUnits, BoundingBoxUnitsFollowTheElementAndItsMatrix)
{
    // The box sits at (10, 2) 40 × 8 in the element, which the matrix doubles.
    const QRectF box(10, 2, 40, 8);
    const QImage image = Filled(RedToBlue(), box, ScalingMatrix(2, 2));
    EXPECT_LT(BlueShare(image.pixel(21, 10)), 0.03);
    EXPECT_NEAR(BlueShare(image.pixel(60, 10)), 0.5, 0.03);
    EXPECT_GT(BlueShare(image.pixel(98, 10)), 0.97);
}

TEST(GradientUnits, GradientTransformAppliesInBoundingBoxUnits)
{
    // rotate(90°) in box units turns the vector (0,0)-(1,0) into (0,0)-(0,1):
    // top to bottom of the box, whatever its proportions.
    TGradient gradient = RedToBlue();
    gradient.Matrix = RotationMatrix(std::numbers::pi / 2);
    const QImage image = Filled(gradient, QRectF(0, 0, 100, 20));
    for (int x : {5, 50, 95}) {
        EXPECT_LT(BlueShare(image.pixel(x, 0)), 0.05) << x;
        EXPECT_NEAR(BlueShare(image.pixel(x, 10)), 0.5, 0.05) << x;
        EXPECT_GT(BlueShare(image.pixel(x, 19)), 0.95) << x;
    }
}

TEST(GradientUnits, UserSpaceCoordinatesIgnoreTheBox)
{
    TGradient gradient = RedToBlue();
    gradient.Units = TSVGCoordinateSystemUnit::csuUserSpaceOnUse;
    gradient.Stop = QPointF(50, 0);
    const QImage image = Filled(gradient, QRectF(0, 0, 100, 20));
    EXPECT_NEAR(BlueShare(image.pixel(25, 10)), 0.5, 0.03);
    EXPECT_EQ(image.pixel(75, 10), qRgb(0, 0, 255));
    // A box without height still takes a user-space gradient.
    EXPECT_TRUE(GradientBrush(gradient, QRectF(0, 5, 100, 0)));
}

TEST(RadialGradients, FocalPointsOutsideTheCircleMoveOntoIt)
{
    TGradient gradient = RedToBlue();
    gradient.Kind = TGradientKind::gkRadial;
    gradient.Focal = QPointF(3, 0.5); // far right of the box
    const QImage image = Filled(gradient, QRectF(0, 0, 100, 100), QTransform(), {100, 100});
    // The focal point is on the right edge of the circle: red there, blue at
    // the opposite edge, and every pixel outside the circle padded blue
    // (a focal point outside would leave a cone and unpainted pixels).
    EXPECT_LT(BlueShare(image.pixel(98, 50)), 0.1);
    EXPECT_GT(BlueShare(image.pixel(1, 50)), 0.95);
    for (const QPoint p : {QPoint(0, 0), QPoint(99, 0), QPoint(99, 99), QPoint(95, 20), QPoint(95, 80)}) {
        EXPECT_EQ(AlphaAt(image, p.x(), p.y()), 255) << p.x() << "," << p.y();
        EXPECT_GT(BlueShare(image.pixel(p)), 0.95) << p.x() << "," << p.y();
    }
    const auto focalOf = [](const TGradient& G) {
        const QBrush brush = *GradientBrush(G, QRectF(0, 0, 10, 10));
        return static_cast<const QRadialGradient*>(brush.gradient())->focalPoint();
    };
    EXPECT_NEAR(focalOf(gradient).x(), 1, 1e-3);
    EXPECT_LT(focalOf(gradient).x(), 1);
    EXPECT_EQ(focalOf(gradient).y(), 0.5);
    // Inside the circle the focal point stays.
    gradient.Focal = QPointF(0.6, 0.4);
    EXPECT_EQ(focalOf(gradient), QPointF(0.6, 0.4));
}

TEST(RadialGradients, BoundingBoxUnitsMakeEllipses)
{
    TGradient gradient = RedToBlue();
    gradient.Kind = TGradientKind::gkRadial;
    const QImage image = Filled(gradient, QRectF(0, 0, 100, 20));
    // Half way out along either axis is the same colour.
    EXPECT_NEAR(BlueShare(image.pixel(77, 10)), BlueShare(image.pixel(50, 15)), 0.02);
    EXPECT_GT(BlueShare(image.pixel(99, 10)), 0.95);
}

TEST(GradientBrushes, DegenerateGradientsPaintOneColourOrNothing)
{
    const QRectF box(0, 0, 10, 10);
    TGradient gradient = RedToBlue();
    gradient.Stops.clear();
    EXPECT_FALSE(GradientBrush(gradient, box)) << "no stops";

    gradient = RedToBlue();
    EXPECT_FALSE(GradientBrush(gradient, QRectF(0, 0, 10, 0))) << "box without height";
    EXPECT_FALSE(GradientBrush(gradient, QRectF(0, 0, 0, 10))) << "box without width";
    EXPECT_FALSE(GradientBrush(gradient, box, ScalingMatrix(0, 1))) << "collapsing matrix";
    gradient.Matrix = ScalingMatrix(1, 0);
    EXPECT_FALSE(GradientBrush(gradient, box)) << "collapsing gradientTransform";
    gradient = RedToBlue();
    gradient.Stop = QPointF(std::nan(""), 0);
    EXPECT_FALSE(GradientBrush(gradient, box)) << "not finite";

    const auto solidColor = [&](const TGradient& G) {
        const std::optional<QBrush> brush = GradientBrush(G, box);
        return brush && brush->style() == Qt::SolidPattern ? brush->color().rgba() : 0u;
    };
    gradient = RedToBlue();
    gradient.Stops.pop_back();
    EXPECT_EQ(solidColor(gradient), Red) << "one stop";
    gradient = RedToBlue();
    gradient.Stop = gradient.Start;
    EXPECT_EQ(solidColor(gradient), Blue) << "vector without length";
    gradient = RedToBlue();
    gradient.Kind = TGradientKind::gkRadial;
    gradient.Radius = 0;
    EXPECT_EQ(solidColor(gradient), Blue) << "radius 0";
    gradient.Radius = -1;
    EXPECT_FALSE(GradientBrush(gradient, box)) << "negative radius";
}

TEST(GradientBrushes, AStripOfEveryKind)
{
    // One picture of the main cases, for the eye and against regressions.
    TTestCanvas canvas(120, 90);
    const auto fillBox = [&](TGradient Gradient, const QRectF& Box) {
        canvas.Context.SetFill(TRenderPaint(*GradientBrush(Gradient, QRectF(0, 0, 1, 1))));
        QPainterPath unit;
        unit.addRect(0, 0, 1, 1);
        canvas.Context.FillPath(TTransformedPath(unit, FitToRect(Box, QRectF(0, 0, 1, 1))), 1);
    };
    TGradient linear;
    linear.Stops = {{0, Red}, {0.6, 0xFFFFFF00}, {1, Blue, 0.5}};
    linear.Stop = QPointF(0.4, 0.2);
    for (TSVGGradientSpread spread :
         {TSVGGradientSpread::gsPad, TSVGGradientSpread::gsReflect, TSVGGradientSpread::gsRepeat}) {
        linear.Spread = spread;
        fillBox(linear, QRectF(0, 30 * (int(spread) - 1), 60, 28));
        TGradient radial = linear;
        radial.Kind = TGradientKind::gkRadial;
        radial.Radius = 0.3;
        radial.Focal = QPointF(0.65, 0.4);
        fillBox(radial, QRectF(62, 30 * (int(spread) - 1), 58, 28));
    }
    EXPECT_TRUE(MatchesReferenceImage(canvas.Image(), "gradient-strip"));
}

TEST(PaintResolution, ReferencesGoThroughTheModelsLookup)
{
    const QRectF box(0, 0, 10, 10);
    TSVGBrush brush(TBrushKind::Solid, 0xFF00FF00);
    brush.SetOpacity(0.5);
    const TPaintServerResolver none;
    const TRenderPaint plain = ResolvePaint(brush, box, none, TMissingPaintServer::mpsNone);
    EXPECT_EQ(plain.UserBrush().color().rgba(), 0xFF00FF00);
    EXPECT_EQ(plain.Opacity(), 0.5);

    brush.SetURI("g");
    QString asked;
    const TPaintServerResolver gradients = [&](const QString& URI) -> TPaintServer {
        asked = URI;
        return RedToBlue();
    };
    const TRenderPaint gradient = ResolvePaint(brush, box, gradients, TMissingPaintServer::mpsNone);
    EXPECT_EQ(asked, "g");
    EXPECT_EQ(gradient.UserBrush().style(), Qt::LinearGradientPattern);
    EXPECT_EQ(gradient.Opacity(), 0.5);
    // The canvas brush follows the element's matrix.
    EXPECT_EQ(gradient.CanvasBrush(ScalingMatrix(2, 2)).transform(), ScalingMatrix(20, 20));

    QImage texture(4, 4, QImage::Format_ARGB32_Premultiplied);
    texture.fill(Qt::yellow);
    const TPaintServerResolver patterns = [&](const QString&) -> TPaintServer { return QBrush(texture); };
    EXPECT_EQ(ResolvePaint(brush, box, patterns, TMissingPaintServer::mpsNone).UserBrush().style(),
              Qt::TexturePattern);

    const TPaintServerResolver missing = [](const QString&) -> TPaintServer { return std::monostate(); };
    EXPECT_FALSE(ResolvePaint(brush, box, missing, TMissingPaintServer::mpsNone).Paints());
    EXPECT_EQ(ResolvePaint(brush, box, missing, TMissingPaintServer::mpsFallbackColor).UserBrush().color().rgba(),
              0xFF00FF00);
    // A gradient that cannot paint on this box is passed over: its fallback paints, if written.
    EXPECT_FALSE(ResolvePaint(brush, QRectF(0, 0, 0, 10), gradients, TMissingPaintServer::mpsNone).Paints());
    EXPECT_EQ(ResolvePaint(brush, QRectF(0, 0, 0, 10), gradients, TMissingPaintServer::mpsFallbackColor)
                  .UserBrush()
                  .color()
                  .rgba(),
              0xFF00FF00);

    TSVGPen pen(TBrushKind::Solid, Red);
    pen.SetURI("g");
    EXPECT_EQ(ResolvePaint(pen, box, gradients, TMissingPaintServer::mpsNone).UserBrush().style(),
              Qt::LinearGradientPattern);
    pen.SetKind(TBrushKind::None);
    EXPECT_FALSE(ResolvePaint(pen, box, gradients, TMissingPaintServer::mpsFallbackColor).Paints());
}

} // namespace
