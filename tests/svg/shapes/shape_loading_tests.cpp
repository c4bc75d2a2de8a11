// Shapes, gradients and stops read from SVG text and drawn.

#include <gtest/gtest.h>

#include <QImage>

#include "tests/svg/model/drawing_test_support.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/shapes/ellipse_shapes.h"
#include "svg/shapes/polyline.h"
#include "svg/shapes/rectangle.h"
#include "svg/shapes/shape_classes.h"

namespace zor::test {
namespace {

QString SVG(const char* Body)
{
    return QStringLiteral(R"~(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="100" height="100" viewBox="0 0 100 100">%1</svg>)~")
        .arg(QString::fromUtf8(Body));
}

class ShapeLoading : public DrawingTest {
protected:
    void SetUp() override { RegisterShapeClasses(); }

    template <typename T>
    T* Load(const char* Body, const QString& ID = QStringLiteral("e"))
    {
        Doc.LoadFromText(SVG(Body));
        TSVGElement* element = nullptr;
        Doc.AllItems().TryGetValue(ID, element);
        return dynamic_cast<T*>(element);
    }
};

TEST_F(ShapeLoading, ShapesReadTheirGeometry)
{
    struct Case {
        const char* body;
        QRectF bounds;
    };
    const Case cases[] = {
        {R"(<circle id="e" cx="50" cy="40" r="10" width="99"/>)", {40, 30, 20, 20}},
        {R"(<circle id="e" r="10"/>)", {-10, -10, 20, 20}},
        {R"(<ellipse id="e" cx="50" cy="40" rx="20" ry="5%"/>)", {30, 35, 40, 10}},
        {R"(<line id="e" x1="10" y1="20" x2="5%" y2="80"/>)", {5, 20, 5, 60}},
        {R"(<rect id="e" x="10" y="20" width="30" height="40" rx="-2" ry="8"/>)", {10, 20, 30, 40}},
        {R"(<polygon id="e" points="10,10 20 30,40,5"/>)", {10, 5, 30, 25}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        auto* shape = Load<TSVGGraphicElement>(c.body);
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->BoundsRect(), c.bounds);
    }
    EXPECT_EQ(Load<TSVGRectangle>(R"(<rect id="e" width="30" height="40" rx="-2" ry="8"/>)")->CornerRadii(),
              QSizeF(8, 8));
}

TEST_F(ShapeLoading, PointsStopAtTheFirstUnreadableNumber)
{
    auto* polyline = Load<TSVGPolyline>(R"(<polyline id="e" points="1,2 3,4 5,x 7,8 9"/>)");
    ASSERT_NE(polyline, nullptr);
    EXPECT_EQ(polyline->Points(), (TCanvasPoints{{1, 2}, {3, 4}}));
    ASSERT_EQ(Doc.Diagnostics().size(), 1u);
    EXPECT_EQ(Doc.Diagnostics()[0].Property, QStringLiteral("points"));
}

TEST_F(ShapeLoading, GradientsReadTheirAttributesAndStops)
{
    auto* gradient = Load<TSVGRadialGradient>(R"~(
        <radialGradient id="base" gradientUnits="userSpaceOnUse" spreadMethod="reflect" cx="10" r="20%"/>
        <radialGradient id="e" xlink:href="#base" fx="0.5" gradientTransform="scale(2)" transform="scale(5)">
          <stop offset="20%" stop-color="red"/>
          <stop offset="5mm" style="stop-color:blue;stop-opacity:0.5"/>
          <circle r="5"/>
        </radialGradient>)~");
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->Reference(), QStringLiteral("base"));
    EXPECT_EQ(gradient->Matrix(), QTransform::fromScale(2, 2));
    const std::vector<const TSVGGradientStop*> stops = gradient->EffectiveStops();
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_EQ(stops[0]->GradientStop(), (TGradientStop{0.2f, 0xFFFF0000, 1}));
    // An offset with a unit is no offset: it stays 0.
    EXPECT_EQ(stops[1]->GradientStop(), (TGradientStop{0, 0xFF0000FF, 0.5}));

    const TSVGGraphicElement& referrer = *Doc.AsGraphicElement();
    const TGradient painted = std::get<TGradient>(gradient->PaintServer(referrer, {}));
    EXPECT_EQ(painted.Units, TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    EXPECT_EQ(painted.Spread, TSVGGradientSpread::gsReflect);
    EXPECT_EQ(painted.Center, QPointF(10, 50));
    EXPECT_NEAR(painted.Radius, 20, 1e-4);
    EXPECT_EQ(painted.Focal, QPointF(0.5, 50));
}

TEST_F(ShapeLoading, AFillNamingAGradientDrawsIt)
{
    Doc.LoadFromText(SVG(R"~(
        <linearGradient id="g" x2="0" y2="1"><stop offset="0" stop-color="red"/><stop offset="1" stop-color="blue"/></linearGradient>
        <rect width="100" height="100" fill="url(#g)"/>)~"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(50, 1), OpaqueRed, 8));
    EXPECT_TRUE(SameColor(image.pixel(50, 98), OpaqueBlue, 8));
}

} // namespace
} // namespace zor::test
