// Stroke geometry: widths under rotation, non-uniform scale and skew, dashes,
// caps and joins, zero widths, and the stroke read from a pen.

#include <gtest/gtest.h>

#include <QPainterPathStroker>
#include <cmath>
#include <numbers>

#include "geometry/geometry_functions.h"
#include "svg/render/stroke_style.h"
#include "svg/render/transformed_path.h"
#include "tests/svg/render/render_test_support.h"

using namespace zor;
using namespace zor::testing;

namespace {

constexpr QRgb Black = 0xFF000000;

QPainterPath Line(QPointF From, QPointF To)
{
    QPainterPath path;
    path.moveTo(From);
    path.lineTo(To);
    return path;
}

TStrokeStyle Style(double Width, TStrokeCap Cap = TStrokeCap::Flat, std::vector<double> Dashes = {})
{
    TStrokeStyle style;
    style.Width = Width;
    style.Cap = Cap;
    style.Dashes = std::move(Dashes);
    return style;
}

// Strokes Local, mapped by M, with Style into a fresh canvas.
QImage Stroked(const QPainterPath& Local, const QTransform& M, const TStrokeStyle& Style, int Size = 100)
{
    TTestCanvas canvas(Size, Size);
    canvas.Context.SetStroke(SolidPaint(Black), Style);
    canvas.Context.StrokePath(TTransformedPath(Local, M), 1);
    return canvas.Image();
}

bool IsBlank(const QImage& Image)
{
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (AlphaAt(Image, x, y) != 0)
                return false;
    return true;
}

TEST(StrokeScaling, ScaleIsRotationInvariantAndUniformityIsDetected)
{
    const struct {
        QTransform M;
        double Scale;
        bool Uniform;
    } cases[] = {
        {QTransform(), 1, true},
        {RotationMatrix(std::numbers::pi / 2) * ScalingMatrix(3, 3), 3, true},
        {RotationMatrix(0.5) * TranslationMatrix(40, -7), 1, true},
        {ScalingMatrix(-2, 2), 2, true},
        {ScalingMatrix(4, 1), 2, false},
        {QTransform(1, 0, 1, 1, 0, 0), 1, false}, // skewX(45°)
        {ScalingMatrix(0, 0), 0, true},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(StrokeScale(c.M), c.Scale, 1e-12);
        EXPECT_EQ(IsUniformScale(c.M), c.Uniform) << c.Scale;
    }
    EXPECT_NEAR(LargestStretch(ScalingMatrix(4, 1)), 4, 1e-12);
    EXPECT_NEAR(LargestStretch(RotationMatrix(1) * ScalingMatrix(2, 2)), 2, 1e-12);
}

TEST(StrokeScaling, RotatedElementsKeepTheirScaledWidth)
{
    // A needle pointing sideways: a horizontal line turned by 90° and scaled by 3.
    const QTransform m = ScalingMatrix(3, 3) * RotationMatrix(std::numbers::pi / 2) * TranslationMatrix(50, 10);
    const QImage image = Stroked(Line({0, 0}, {20, 0}), m, Style(2));
    EXPECT_EQ(RunLength(image, {40, 40}, {1, 0}, 0) + RunLength(image, {40, 40}, {-1, 0}, 0), 0);
    EXPECT_EQ(RunLength(image, {47, 40}, {1, 0}), 6);
}

TEST(StrokeScaling, NonUniformScaleStretchesTheStrokeWithTheShape)
{
    // scale(4, 1): the horizontal leg keeps its thickness 2, the vertical one becomes 8 wide.
    QPainterPath corner;
    corner.moveTo(2, 10);
    corner.lineTo(20, 10);
    corner.lineTo(20, 90);
    const QImage image = Stroked(corner, ScalingMatrix(4, 1), Style(2));
    EXPECT_EQ(RunLength(image, {40, 9}, {0, 1}), 2);
    EXPECT_EQ(RunLength(image, {76, 50}, {1, 0}), 8);
}

TEST(StrokeScaling, SkewedStrokesMatchTheOutlineMadeInTheElementsOwnSpace)
{
    const QTransform m = QTransform(1, 0.2, 0.6, 1, 10, 5) * ScalingMatrix(1.5, 1);
    QPainterPath path;
    path.moveTo(10, 10);
    path.cubicTo(60, 0, 20, 60, 50, 60);
    path.lineTo(15, 45);
    const TStrokeStyle style = Style(5, TStrokeCap::Round, {12, 4});
    const QImage image = Stroked(path, m, style);

    QPainterPathStroker stroker;
    stroker.setWidth(5);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::SvgMiterJoin);
    stroker.setMiterLimit(4);
    stroker.setDashPattern(QList<qreal>{12.0 / 5, 4.0 / 5});
    QImage expected(100, 100, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(m.map(stroker.createStroke(path)), QColor(Qt::black));
    painter.end();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(image.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
}

TEST(StrokeDashes, DashesScaleWithTheElement)
{
    const QPainterPath line = Line({0, 5}, {50, 5});
    const struct {
        QTransform M;
        TStrokeStyle Style;
        QPoint Probe; // a pixel of the first dash where it starts
        QPoint Step;  // along the line
        int Dash;     // dash and gap, in device pixels
    } cases[] = {
        {ScalingMatrix(2, 2), Style(1, TStrokeCap::Flat, {5, 5}), {0, 10}, {1, 0}, 10},
        {ScalingMatrix(2, 1), Style(1, TStrokeCap::Flat, {5, 5}), {0, 5}, {1, 0}, 10},
        {ScalingMatrix(2, 2) * RotationMatrix(std::numbers::pi / 2) * TranslationMatrix(20, 0),
         Style(1, TStrokeCap::Flat, {5, 5}), {10, 0}, {0, 1}, 10},
        // The painter would measure these in pixels, not widths, and draw 16-pixel dashes.
        {QTransform(), Style(0.25, TStrokeCap::Flat, {4, 4}), {0, 5}, {1, 0}, 4},
    };
    for (const auto& c : cases) {
        const QImage image = Stroked(line, c.M, c.Style);
        EXPECT_EQ(RunLength(image, c.Probe, c.Step, 0), c.Dash) << c.Style.Width;
        EXPECT_EQ(RunLength(image, c.Probe + c.Step * c.Dash, c.Step, 0), 0) << c.Style.Width;
        EXPECT_EQ(RunLength(image, c.Probe + c.Step * 2 * c.Dash, c.Step, 0), c.Dash) << c.Style.Width;
    }
    // The offset starts the pattern that far into it.
    TStrokeStyle offset = Style(1, TStrokeCap::Flat, {5, 5});
    offset.DashOffset = 2.5;
    EXPECT_EQ(RunLength(Stroked(line, ScalingMatrix(2, 2), offset), {0, 10}, {1, 0}), 5);
}

TEST(StrokeWidths, ZeroNegativeAndCollapsedStrokesDrawNothing)
{
    const QPainterPath line = Line({10, 50}, {90, 50});
    EXPECT_TRUE(IsBlank(Stroked(line, QTransform(), Style(0))));
    EXPECT_TRUE(IsBlank(Stroked(line, QTransform(), Style(-3))));
    EXPECT_TRUE(IsBlank(Stroked(line, QTransform(), Style(std::nan("")))));
    // A matrix that collapses the element must not leave a hairline.
    EXPECT_TRUE(IsBlank(Stroked(line, ScalingMatrix(0, 0), Style(4))));
    EXPECT_TRUE(IsBlank(Stroked(line, ScalingMatrix(0, 0), Style(4, TStrokeCap::Flat, {3, 3}))));
}

TEST(StrokeCaps, SquareRoundAndFlatEnds)
{
    const QPainterPath line = Line({20, 50}, {80, 50});
    const struct {
        TStrokeCap Cap;
        QTransform M;
        QPoint Covered;
        QPoint Uncovered;
    } cases[] = {
        {TStrokeCap::Flat, QTransform(), {21, 50}, {18, 50}},
        {TStrokeCap::Square, QTransform(), {16, 46}, {14, 50}},
        {TStrokeCap::Round, QTransform(), {16, 50}, {15, 45}},
        // Through the outline path: scale(0.5, 1) halves the cap's length, not its width.
        {TStrokeCap::Square, ScalingMatrix(0.5, 1), {8, 46}, {6, 50}},
    };
    for (const auto& c : cases) {
        const QImage image = Stroked(line, c.M, Style(10, c.Cap));
        EXPECT_GT(AlphaAt(image, c.Covered.x(), c.Covered.y()), 200) << int(c.Cap);
        EXPECT_EQ(AlphaAt(image, c.Uncovered.x(), c.Uncovered.y()), 0) << int(c.Cap);
    }
}

TEST(StrokeJoins, LongMitersAreBevelledAtTheLimit)
{
    // Legs 20° apart: the miter would be 5.76 widths long.
    QPainterPath corner;
    corner.moveTo(0, 100);
    corner.lineTo(100, 100);
    corner.lineTo(100 - 100 * std::cos(0.349), 100 - 100 * std::sin(0.349));
    TStrokeStyle style = Style(10);
    EXPECT_LT(StrokeOutline(corner, style).boundingRect().right(), 103);
    style.MiterLimit = 6;
    EXPECT_GT(StrokeOutline(corner, style).boundingRect().right(), 125);
}

TEST(StrokeWidths, NonScalingStrokesKeepTheirCanvasWidth)
{
    TStrokeStyle style = Style(2);
    style.NonScaling = true;
    const QImage uniform = Stroked(Line({5, 10}, {30, 10}), ScalingMatrix(3, 3), style);
    EXPECT_EQ(RunLength(uniform, {50, 29}, {0, 1}), 2);
    const QImage stretched = Stroked(Line({5, 10}, {30, 10}), ScalingMatrix(3, 5), style);
    EXPECT_EQ(RunLength(stretched, {50, 49}, {0, 1}), 2);
}

TEST(StrokeFromPen, WidthsDashesAndPercentages)
{
    TSVGPen pen(TBrushKind::Solid, 0xFF000000);
    pen.SetThickness(2);
    pen.SetCap(TStrokeCap::Square);
    pen.SetJoin(TStrokeJoin::Bevel);
    pen.SetMiterLimit(0.5);
    pen.SetDash(TStrokeDash::DashDot);
    TStrokeStyle style = StrokeStyleOf(pen, TSVGVectorEffect::veNone, std::nullopt);
    EXPECT_EQ(style.Width, 2);
    EXPECT_EQ(style.Cap, TStrokeCap::Square);
    EXPECT_EQ(style.Join, TStrokeJoin::Bevel);
    EXPECT_EQ(style.MiterLimit, 1); // SVG allows no limit below 1
    EXPECT_EQ(style.Dashes, (std::vector<double>{6, 2, 2, 2}));
    EXPECT_FALSE(style.NonScaling);
    EXPECT_TRUE(StrokeStyleOf(pen, TSVGVectorEffect::veNonScalingStroke, std::nullopt).NonScaling);

    // Percentages are fractions of the normalised diagonal of the nearest view box.
    pen.SetThickness(0.1f);
    pen.SetThicknessIsPercent(true);
    pen.SetCustomDashArray(u"5, 10%");
    pen.SVGDashOffset().Initialize(0.5f, true, TSVGUnit::suPercent);
    const double diagonal = std::sqrt((300.0 * 300 + 400.0 * 400) / 2);
    style = StrokeStyleOf(pen, TSVGVectorEffect::veNone, QSizeF(300, 400));
    EXPECT_NEAR(style.Width, 0.1 * diagonal, 1e-4);
    ASSERT_EQ(style.Dashes.size(), 2u);
    EXPECT_NEAR(style.Dashes[0], 5, 1e-6);
    EXPECT_NEAR(style.Dashes[1], 0.1 * diagonal, 1e-4);
    EXPECT_NEAR(style.DashOffset, 0.5 * diagonal, 1e-3);
    // Without a view box the fraction stays as it is.
    EXPECT_NEAR(StrokeStyleOf(pen, TSVGVectorEffect::veNone, std::nullopt).Width, 0.1, 1e-7);

    // A pattern that cannot be drawn is solid.
    pen.SetThicknessIsPercent(false);
    pen.SetCustomDash({3, -1}, 0);
    EXPECT_TRUE(StrokeStyleOf(pen, TSVGVectorEffect::veNone, std::nullopt).Dashes.empty());
    pen.SetCustomDash({0, 0}, 0);
    EXPECT_TRUE(StrokeStyleOf(pen, TSVGVectorEffect::veNone, std::nullopt).Dashes.empty());
    pen.SetCustomDash({0, 4, 2}, 0);
    EXPECT_EQ(StrokeStyleOf(pen, TSVGVectorEffect::veNone, std::nullopt).Dashes,
              (std::vector<double>{0, 4, 2, 0, 4, 2}));
}

} // namespace
