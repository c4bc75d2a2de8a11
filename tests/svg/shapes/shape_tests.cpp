// The basic shapes: their outlines (start point, direction, closing), bounds,
// the values that disable drawing, percentages, copies, and a picture of all
// of them.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>

#include "tests/svg/model/drawing_test_support.h"
#include "geometry/path_data.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/shapes/ellipse_shapes.h"
#include "svg/shapes/line.h"
#include "svg/shapes/polyline.h"
#include "svg/shapes/rectangle.h"
#include "svg/values/length_text.h"
#include "svg/values/view_box.h"
#include "tests/support/reference_image.h"

namespace zor::test {
namespace {

// The outline as its segment ends: "M x,y", "L x,y", "C x,y" (the end of a
// curve), "Z"; coordinates rounded to whole units.
QString Segments(const TZorPathData& Path)
{
    QStringList parts;
    int curvePoint = 0;
    for (const TPathPoint& p : Path.PointList()) {
        const QString at = QStringLiteral("%1,%2").arg(std::lround(p.Point.x())).arg(std::lround(p.Point.y()));
        switch (p.Kind) {
        case TPathPointKind::MoveTo:
            parts << QStringLiteral("M") + at;
            break;
        case TPathPointKind::LineTo:
            parts << QStringLiteral("L") + at;
            break;
        case TPathPointKind::CurveTo:
            if (++curvePoint % 3 == 0)
                parts << QStringLiteral("C") + at;
            break;
        case TPathPointKind::Close:
            parts << QStringLiteral("Z");
            break;
        }
    }
    return parts.join(u' ');
}

class ShapeTest : public DrawingTest {
public:
    static void Set(TSVGLength& Length, const char* Text) { ParseLengthValue(QString::fromLatin1(Text), Length, 0, 1); }

    template <typename T>
    T* AddShape(const std::function<void(T&)>& Setup, const QString& Style = QStringLiteral("fill:red"))
    {
        T* shape = Add<T>(Doc);
        Setup(*shape);
        SetStyle(*shape, Style);
        return shape;
    }
};

TEST_F(ShapeTest, OutlinesStartAndRunAsSVGDefinesThem)
{
    struct Case {
        const char* name;
        std::function<TSVGGraphicElement*(ShapeTest&)> make;
        const char* segments;
    };
    const Case cases[] = {
        {"circle from 3 o'clock, clockwise",
         [](ShapeTest& t) {
             return t.AddShape<TSVGCircle>([](TSVGCircle& c) {
                 Set(c.CenterX(), "50");
                 Set(c.CenterY(), "40");
                 Set(c.WidthU(), "10");
             });
         },
         "M60,40 C50,50 C40,40 C50,30 C60,40 Z"},
        {"ellipse",
         [](ShapeTest& t) {
             return t.AddShape<TSVGEllipse>([](TSVGEllipse& e) {
                 Set(e.CenterX(), "50");
                 Set(e.CenterY(), "40");
                 Set(e.RadiusX(), "20");
                 Set(e.RadiusY(), "10");
             });
         },
         "M70,40 C50,50 C30,40 C50,30 C70,40 Z"},
        {"rounded rect from the end of the top-left corner",
         [](ShapeTest& t) {
             return t.AddShape<TSVGRectangle>([](TSVGRectangle& r) {
                 r.SetBoundsRect(QRectF(10, 20, 60, 40));
                 Set(r.RX(), "5");
                 r.SetRXSpecified(true);
             });
         },
         "M15,20 L65,20 C70,25 L70,55 C65,60 L15,60 C10,55 L10,25 C15,20 Z"},
        {"plain rect",
         [](ShapeTest& t) {
             return t.AddShape<TSVGRectangle>([](TSVGRectangle& r) { r.SetBoundsRect(QRectF(10, 20, 60, 40)); });
         },
         "M10,20 L70,20 L70,60 L10,60 Z"},
        {"line",
         [](ShapeTest& t) {
             return t.AddShape<TSVGLine>([](TSVGLine& l) {
                 Set(l.StartX(), "5");
                 Set(l.StartY(), "6");
                 Set(l.EndX(), "70");
                 Set(l.EndY(), "8");
             });
         },
         "M5,6 L70,8"},
        {"polyline ending where it began stays open",
         [](ShapeTest& t) {
             return t.AddShape<TSVGPolyline>([](TSVGPolyline& p) { p.SetPolygon(u"0,0 10,0 0,0"); });
         },
         "M0,0 L10,0 L0,0"},
        {"polygon",
         [](ShapeTest& t) {
             return t.AddShape<TSVGPolygon>([](TSVGPolygon& p) { p.SetPolygon(u"0,0 10,0 10,10"); });
         },
         "M0,0 L10,0 L10,10 Z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Segments(c.make(*this)->GetShape()), QString::fromLatin1(c.segments));
    }
}

TEST_F(ShapeTest, ADashOnACircleStartsAtThreeOClockAndRunsDownwards)
{
    AddShape<TSVGCircle>(
        [](TSVGCircle& c) {
            Set(c.CenterX(), "50");
            Set(c.CenterY(), "50");
            Set(c.WidthU(), "30");
        },
        QStringLiteral("fill:none;stroke:red;stroke-width:4;stroke-dasharray:20 1000"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(79, 56), OpaqueRed, 40));
    EXPECT_EQ(image.pixel(80, 42), Transparent);
    EXPECT_EQ(image.pixel(20, 50), Transparent);
}

TEST_F(ShapeTest, DashesOfLengthZeroShowTheirCapsAlone)
{
    struct Case {
        const char* cap;
        QRgb atDash;
    };
    const Case cases[] = {{"butt", Transparent}, {"round", OpaqueRed}, {"square", OpaqueRed}};
    auto* line = AddShape<TSVGLine>([](TSVGLine& l) {
        Set(l.StartX(), "10");
        Set(l.StartY(), "50");
        Set(l.EndX(), "90");
        Set(l.EndY(), "50");
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cap);
        SetStyle(*line, QStringLiteral("stroke:red;stroke-width:10;stroke-dasharray:0 20;stroke-linecap:%1")
                            .arg(QLatin1String(c.cap)));
        const QImage image = Render();
        EXPECT_TRUE(SameColor(image.pixel(30, 50), c.atDash, 16));
        EXPECT_EQ(image.pixel(40, 50), Transparent);
    }
}

// Values that SVG calls errors or that disable drawing draw nothing, where a
// circle of the absolute radius, a rectangle with reversed corners or a
// corner radius pushed to 0 would show.
TEST_F(ShapeTest, NegativeOrZeroSizesDisableDrawing)
{
    struct Case {
        const char* name;
        std::function<TSVGGraphicElement*(ShapeTest&)> make;
    };
    const Case cases[] = {
        {"circle r -20",
         [](ShapeTest& t) {
             return t.AddShape<TSVGCircle>([](TSVGCircle& c) {
                 Set(c.CenterX(), "50");
                 Set(c.CenterY(), "50");
                 Set(c.WidthU(), "-20");
             });
         }},
        {"ellipse rx -20",
         [](ShapeTest& t) {
             return t.AddShape<TSVGEllipse>([](TSVGEllipse& e) {
                 Set(e.CenterX(), "50");
                 Set(e.CenterY(), "50");
                 Set(e.RadiusX(), "-20");
                 Set(e.RadiusY(), "20");
             });
         }},
        {"ellipse ry -20",
         [](ShapeTest& t) {
             return t.AddShape<TSVGEllipse>([](TSVGEllipse& e) {
                 Set(e.CenterX(), "50");
                 Set(e.CenterY(), "50");
                 Set(e.RadiusX(), "20");
                 Set(e.RadiusY(), "-20");
             });
         }},
        {"rect width -40",
         [](ShapeTest& t) {
             return t.AddShape<TSVGRectangle>([](TSVGRectangle& r) {
                 Set(r.Xu(), "70");
                 Set(r.Yu(), "30");
                 Set(r.WidthU(), "-40");
                 Set(r.HeightU(), "40");
             });
         }},
        {"rect height 0",
         [](ShapeTest& t) {
             return t.AddShape<TSVGRectangle>([](TSVGRectangle& r) {
                 Set(r.Xu(), "30");
                 Set(r.Yu(), "50");
                 Set(r.WidthU(), "40");
             });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSVGGraphicElement* shape = c.make(*this);
        EXPECT_TRUE(shape->GetShape().IsEmpty());
        EXPECT_EQ(Render().pixel(50, 50), Transparent);
        EXPECT_TRUE(shape->BoundsRect().isEmpty());
        Doc.RemoveChild(shape);
    }
}

TEST_F(ShapeTest, CornerRadiiFollowTheOtherRadiusAndStopAtHalfTheSide)
{
    struct Case {
        const char* rx; // nullptr: not given
        const char* ry;
        QSizeF radii; // of a 40 × 20 rectangle
    };
    const Case cases[] = {
        {nullptr, nullptr, {0, 0}},
        {"4", nullptr, {4, 4}},
        {nullptr, "6", {6, 6}},
        {"4", "6", {4, 6}},
        {"15", nullptr, {15, 10}},
        {"30", "30", {20, 10}},
        {"-3", "6", {6, 6}},  // a negative radius is an error: as if not given
        {"-3", nullptr, {0, 0}},
        {"10%", nullptr, {10, 10}}, // of the viewport's width, 100
        {"0", "5", {0, 5}},
    };
    ParseViewBox(u"0 0 100 100", Doc.ViewBox());
    auto* rect = AddShape<TSVGRectangle>([](TSVGRectangle& r) { r.SetBoundsRect(QRectF(0, 0, 40, 20)); });
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.rx ? c.rx : "-") << " " << (c.ry ? c.ry : "-"));
        rect->Clear();
        rect->SetBoundsRect(QRectF(0, 0, 40, 20));
        if (c.rx != nullptr) {
            Set(rect->RX(), c.rx);
            rect->SetRXSpecified(true);
        }
        if (c.ry != nullptr) {
            Set(rect->RY(), c.ry);
            rect->SetRYSpecified(true);
        }
        EXPECT_EQ(rect->CornerRadii(), c.radii);
    }
}

TEST_F(ShapeTest, ACirclesPercentageRadiusIsOfTheNormalisedDiagonal)
{
    ParseViewBox(u"0 0 200 100", Doc.ViewBox());
    auto* circle = AddShape<TSVGCircle>([](TSVGCircle& c) { Set(c.WidthU(), "10%"); });
    const double expected = 0.1 * std::sqrt((200.0 * 200 + 100 * 100) / 2);
    EXPECT_NEAR(circle->RadiusValue(), expected, 1e-3);
    EXPECT_NEAR(circle->BoundsRect().width(), 2 * expected, 1e-3);
}

TEST_F(ShapeTest, BoundsAreThoseOfTheGeometry)
{
    auto* line = AddShape<TSVGLine>([](TSVGLine& l) {
        Set(l.StartX(), "10");
        Set(l.StartY(), "5");
        Set(l.EndX(), "0");
        Set(l.EndY(), "5");
    });
    EXPECT_EQ(line->BoundsRect(), QRectF(0, 5, 10, 0));
    auto* polyline = AddShape<TSVGPolyline>([](TSVGPolyline& p) { p.SetPolygon(u"5,5 -5,8 20,1"); });
    EXPECT_EQ(polyline->BoundsRect(), QRectF(-5, 1, 25, 7));
    auto* rect = AddShape<TSVGRectangle>([](TSVGRectangle& r) { r.SetBoundsRect(QRectF(1, 2, 3, 4)); });
    EXPECT_EQ(rect->BoundsRect(), QRectF(1, 2, 3, 4));
}

TEST_F(ShapeTest, ClonesDrawTheSameOutline)
{
    const std::vector<TSVGGraphicElement*> shapes = {
        AddShape<TSVGRectangle>([](TSVGRectangle& r) {
            r.SetBoundsRect(QRectF(10, 20, 60, 40));
            Set(r.RY(), "7");
            r.SetRYSpecified(true);
        }),
        AddShape<TSVGPolygon>([](TSVGPolygon& p) { p.SetPolygon(u"1,2 30,4 5,60"); }),
        AddShape<TSVGCircle>([](TSVGCircle& c) { Set(c.WidthU(), "3"); }),
    };
    for (const TSVGGraphicElement* shape : shapes) {
        SCOPED_TRACE(shape->SVGTypeName().toStdString());
        std::unique_ptr<TSVGElement> clone = shape->Clone(&Doc);
        ASSERT_EQ(clone->SVGType(), shape->SVGType());
        EXPECT_EQ(Segments(clone->AsGraphicElement()->GetShape()), Segments(shape->GetShape()));
    }
}

TEST_F(ShapeTest, EveryShapeWithAGradient)
{
    auto* defs = Add<TSVGDefs>(Doc);
    auto* gradient = Add<TSVGLinearGradient>(*defs);
    gradient->SetID(QStringLiteral("g"));
    for (auto [offset, color] : {std::pair{0.0f, OpaqueRed}, std::pair{1.0f, OpaqueBlue}}) {
        auto* stop = Add<TSVGGradientStop>(*gradient);
        stop->SetOffset(offset);
        stop->SetStopColor(color);
    }
    const QString style = QStringLiteral("fill:url(#g);stroke:black;stroke-width:2");
    AddShape<TSVGCircle>([](TSVGCircle& c) {
        Set(c.CenterX(), "20"), Set(c.CenterY(), "20"), Set(c.WidthU(), "15");
    }, style);
    AddShape<TSVGEllipse>([](TSVGEllipse& e) {
        Set(e.CenterX(), "65"), Set(e.CenterY(), "20"), Set(e.RadiusX(), "28"), Set(e.RadiusY(), "12");
    }, style);
    AddShape<TSVGRectangle>([](TSVGRectangle& r) {
        r.SetBoundsRect(QRectF(5, 42, 40, 25));
        Set(r.RX(), "8");
        r.SetRXSpecified(true);
    }, style);
    AddShape<TSVGPolygon>([](TSVGPolygon& p) { p.SetPolygon(u"55,65 75,40 95,65"); }, style);
    AddShape<TSVGPolyline>([](TSVGPolyline& p) { p.SetPolygon(u"5,95 25,75 45,95 65,75"); },
                           QStringLiteral("fill:none;stroke:url(#g);stroke-width:4"));
    AddShape<TSVGLine>([](TSVGLine& l) {
        Set(l.StartX(), "70"), Set(l.StartY(), "95"), Set(l.EndX(), "95"), Set(l.EndY(), "75");
    }, QStringLiteral("stroke:url(#g);stroke-width:4"));
    EXPECT_TRUE(testing::MatchesReferenceImage(Render(), QStringLiteral("every-shape")));
}

} // namespace
} // namespace zor::test
