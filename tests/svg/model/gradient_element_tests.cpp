// Gradient elements as paint servers: what a fill or stroke naming one
// paints, the spreads beyond the vector, units, href inheritance and the
// cases SVG paints one colour or nothing.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "drawing_test_support.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/values/length_text.h"
#include "svg/values/view_box.h"
#include "tests/support/reference_image.h"

namespace zor::test {
namespace {

using enum TSVGGradientAttribute;

class GradientTest : public DrawingTest {
protected:
    void SetUp() override { Defs = Add<TSVGDefs>(Doc); }

    template <typename T = TSVGLinearGradient>
    T* AddGradient(const QString& ID, std::initializer_list<std::pair<float, QRgb>> Stops = {{0, OpaqueRed},
                                                                                          {1, OpaqueBlue}})
    {
        T* gradient = Add<T>(*Defs);
        gradient->SetID(ID);
        for (const auto& [offset, color] : Stops)
            AddStop(*gradient, offset, color);
        return gradient;
    }

    TSVGGradientStop* AddStop(TSVGElement& Gradient, float Offset, QRgb Color)
    {
        auto* stop = Add<TSVGGradientStop>(Gradient);
        stop->SetOffset(Offset);
        stop->SetStopColor(Color);
        return stop;
    }

    static TSVGLength& Set(TSVGLength& Length, const char* Text)
    {
        ParseLengthValue(QString::fromLatin1(Text), Length, 0, 1);
        return Length;
    }

    // What the gradient paints on a plain path.
    TGradient Painted(const TSVGCustomGradient& Gradient)
    {
        if (Probe == nullptr)
            Probe = AddPath(*Defs, QStringLiteral("M0,0 H1 V1 Z"));
        TPaintServer server = Gradient.PaintServer(*Probe, {});
        EXPECT_TRUE(std::holds_alternative<TGradient>(server));
        return std::get<TGradient>(server);
    }

    TSVGDefs* Defs = nullptr;
    TSVGPath* Probe = nullptr;
};

// --- Spreads ---------------------------------------------------------------

TEST_F(GradientTest, SpreadsContinueBeyondTheVectorAsSVGDefinesThem)
{
    // The vector runs from x 40 to 60 of a 100 wide band: red at 40, blue at 60.
    struct Case {
        TSVGGradientSpread spread;
        QRgb at45;   // a quarter along: mostly red
        QRgb at5;    // well before the vector
        QRgb at95;   // well after
        QRgb at65;   // a quarter of a period after the end
    };
    const QRgb reddish = 0xFFBF0040;
    const QRgb bluish = 0xFF4000BF;
    const Case cases[] = {
        {TSVGGradientSpread::gsPad, reddish, OpaqueRed, OpaqueBlue, OpaqueBlue},
        {TSVGGradientSpread::gsRepeat, reddish, reddish, bluish, reddish},
        {TSVGGradientSpread::gsReflect, reddish, reddish, bluish, bluish},
    };
    auto* gradient = AddGradient(QStringLiteral("g"));
    gradient->SetX1(Set(gradient->X1(), "0.4"));
    gradient->SetX2(Set(gradient->X2(), "60%"));
    AddPath(Doc, QStringLiteral("M0,0 H100 V100 H0 Z"), QStringLiteral("fill:url(#g)"));
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.spread));
        gradient->SetSpread(c.spread);
        const QImage image = Render();
        EXPECT_TRUE(SameColor(image.pixel(45, 50), c.at45, 16));
        EXPECT_TRUE(SameColor(image.pixel(5, 50), c.at5, 16));
        EXPECT_TRUE(SameColor(image.pixel(95, 50), c.at95, 16));
        EXPECT_TRUE(SameColor(image.pixel(65, 50), c.at65, 16));
    }
}

// --- Units -----------------------------------------------------------------

TEST_F(GradientTest, RadialLengthsFollowTheUnitsWithoutGuessing)
{
    // A 100 × 100 square; the circle's edge is where the colour turns blue.
    struct Case {
        TSVGCoordinateSystemUnit units;
        const char* r;
        int edge; // distance of the end circle from the centre at (50, 50)
    };
    const Case cases[] = {
        {TSVGCoordinateSystemUnit::csuObjectBoundingBox, "0.25", 25},
        {TSVGCoordinateSystemUnit::csuObjectBoundingBox, "25%", 25},
        {TSVGCoordinateSystemUnit::csuObjectBoundingBox, "1", 100},
        {TSVGCoordinateSystemUnit::csuUserSpaceOnUse, "0.5", 0},
        {TSVGCoordinateSystemUnit::csuUserSpaceOnUse, "30", 30},
    };
    ParseViewBox(u"0 0 100 100", Doc.ViewBox());
    auto* gradient = AddGradient<TSVGRadialGradient>(QStringLiteral("g"), {{0, OpaqueRed}, {0.99f, OpaqueRed}, {1, OpaqueBlue}});
    AddPath(Doc, QStringLiteral("M0,0 H100 V100 H0 Z"), QStringLiteral("fill:url(#g)"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.r);
        gradient->SetUnits(c.units);
        if (c.units == TSVGCoordinateSystemUnit::csuUserSpaceOnUse) {
            gradient->SetCenterX(Set(gradient->CenterX(), "50"));
            gradient->SetCenterY(Set(gradient->CenterY(), "50"));
        }
        gradient->SetRadius(Set(gradient->Radius(), c.r));
        const QImage image = Render();
        const int inside = 50 + c.edge - 3;
        const int outside = 50 + c.edge + 3;
        if (inside > 50 && inside < Side) {
            EXPECT_TRUE(SameColor(image.pixel(inside, 50), OpaqueRed, 16));
        }
        if (outside < Side) {
            EXPECT_TRUE(SameColor(image.pixel(outside, 50), OpaqueBlue, 16));
        }
    }
}

TEST_F(GradientTest, UserSpacePercentagesAreOfTheViewport)
{
    ParseViewBox(u"0 0 200 100", Doc.ViewBox());
    auto* linear = AddGradient(QStringLiteral("l"));
    linear->SetUnits(TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    linear->SetX1(Set(linear->X1(), "10%"));
    linear->SetY2(Set(linear->Y2(), "50%"));
    auto* radial = AddGradient<TSVGRadialGradient>(QStringLiteral("r"));
    radial->SetUnits(TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    radial->SetRadius(Set(radial->Radius(), "10%"));
    const TGradient l = Painted(*linear);
    EXPECT_NEAR(l.Start.x(), 20, 1e-4);
    EXPECT_EQ(l.Stop, QPointF(200, 50));
    const TGradient r = Painted(*radial);
    EXPECT_EQ(r.Center, QPointF(100, 50));
    EXPECT_NEAR(r.Radius, 0.1 * std::sqrt((200.0 * 200 + 100 * 100) / 2), 1e-3);
    EXPECT_FALSE(r.Focal.has_value());
}

TEST_F(GradientTest, TheGradientTransformAppliesInBoundingBoxUnits)
{
    // A vertical vector made by turning the horizontal one a quarter about
    // the box's corner: red along the top of the box, blue along its bottom.
    auto* gradient = AddGradient(QStringLiteral("g"));
    QTransform turn;
    turn.rotate(90);
    gradient->SetGradientTransform(turn);
    AddPath(Doc, QStringLiteral("M20,20 H80 V60 H20 Z"), QStringLiteral("fill:url(#g)"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(50, 21), OpaqueRed, 24));
    EXPECT_TRUE(SameColor(image.pixel(50, 59), OpaqueBlue, 24));
    EXPECT_TRUE(SameColor(image.pixel(21, 40), image.pixel(79, 40), 4));
}

// --- href ----------------------------------------------------------------------

TEST_F(GradientTest, HrefPassesOnEveryAttributeNotGivenHere)
{
    auto* base = AddGradient(QStringLiteral("base"));
    base->SetUnits(TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    base->SetSpread(TSVGGradientSpread::gsReflect);
    base->SetGradientTransform(QTransform::fromScale(2, 1));
    base->SetX1(Set(base->X1(), "5"));
    base->SetY2(Set(base->Y2(), "7"));
    auto* referring = AddGradient(QStringLiteral("referring"), {});
    referring->SetReference(QStringLiteral("base"));

    const TGradient expected = Painted(*base);
    EXPECT_EQ(Painted(*referring), expected);

    // What the referring gradient gives itself wins.
    referring->SetSpread(TSVGGradientSpread::gsPad);
    referring->SetX1(Set(referring->X1(), "1"));
    AddStop(*referring, 0.5f, OpaqueLime);
    const TGradient own = Painted(*referring);
    EXPECT_EQ(own.Spread, TSVGGradientSpread::gsPad);
    EXPECT_EQ(own.Start, QPointF(1, 0));
    EXPECT_EQ(own.Stop, expected.Stop);
    EXPECT_EQ(own.Units, expected.Units);
    EXPECT_EQ(own.Matrix, expected.Matrix);
    ASSERT_EQ(own.Stops.size(), 1u);
    EXPECT_EQ(own.Stops[0].Color, OpaqueLime);
}

TEST_F(GradientTest, HrefBetweenKindsPassesOnlyWhatBothKindsHave)
{
    auto* radial = AddGradient<TSVGRadialGradient>(QStringLiteral("radial"));
    radial->SetRadius(Set(radial->Radius(), "0.1"));
    radial->SetUnits(TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    auto* linear = AddGradient(QStringLiteral("linear"), {});
    linear->SetReference(QStringLiteral("radial"));
    const TGradient painted = Painted(*linear);
    EXPECT_EQ(painted.Kind, TGradientKind::gkLinear);
    EXPECT_EQ(painted.Units, TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    EXPECT_EQ(painted.Stops.size(), 2u);
    EXPECT_EQ(painted.Stop, QPointF(1, 0));
}

TEST_F(GradientTest, ReferenceLoopsEndAtTheFirstRepeatedGradient)
{
    auto* a = AddGradient(QStringLiteral("a"), {});
    auto* b = AddGradient(QStringLiteral("b"), {});
    auto* c = AddGradient(QStringLiteral("c"), {});
    a->SetReference(QStringLiteral("b"));
    b->SetReference(QStringLiteral("c"));
    c->SetReference(QStringLiteral("a"));
    EXPECT_EQ(a->ReferenceChain(), (std::vector<const TSVGCustomGradient*>{a, b, c}));
    EXPECT_TRUE(Painted(*a).Stops.empty());
    a->SetReference(QStringLiteral("a"));
    EXPECT_EQ(a->ReferenceChain().size(), 1u);

    // Without stops anywhere the gradient cannot paint: its fallback colour does.
    TSVGPath* path = AddPath(Doc, QStringLiteral("M0,0 H100 V100 H0 Z"), QStringLiteral("fill:url(#b)"));
    EXPECT_EQ(Render().pixel(50, 50), Transparent);
    SetStyle(*path, QStringLiteral("fill:url(#b) lime"));
    EXPECT_TRUE(SameColor(Render().pixel(50, 50), OpaqueLime));
    AddStop(*c, 0, OpaqueRed);
    EXPECT_TRUE(SameColor(Render().pixel(50, 50), OpaqueRed));
}

TEST_F(GradientTest, AReferencedGradientGoingAwayEmptiesTheReference)
{
    auto* base = AddGradient(QStringLiteral("base"));
    auto* referring = AddGradient(QStringLiteral("referring"), {});
    referring->SetReference(QStringLiteral("base"));
    Defs->RemoveChild(base);
    EXPECT_TRUE(referring->Reference().isEmpty());
    EXPECT_TRUE(Painted(*referring).Stops.empty());
}

// --- Stops -----------------------------------------------------------------------

TEST_F(GradientTest, StopsTakeTheirColourFromTheCascadeAndKeepTheWrittenOffset)
{
    auto* gradient = AddGradient(QStringLiteral("g"), {});
    auto* stop = Add<TSVGGradientStop>(*gradient);
    stop->SetOffset(1.5f);
    SetStyle(*stop, QStringLiteral("stop-color:red;stop-opacity:0.5"));
    const TGradient painted = Painted(*gradient);
    ASSERT_EQ(painted.Stops.size(), 1u);
    EXPECT_EQ(painted.Stops[0], (TGradientStop{1.5, OpaqueRed, 0.5}));

    // Offsets out of order paint as clamped and non-decreasing: a hard edge at 0.8.
    AddStop(*gradient, 0.2f, OpaqueBlue)->SetOffset(0.2f);
    stop->SetOffset(0.8f);
    SetStyle(*stop, QStringLiteral("stop-color:red"));
    AddPath(Doc, QStringLiteral("M0,0 H100 V100 H0 Z"), QStringLiteral("fill:url(#g)"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(70, 50), OpaqueRed, 16));
    EXPECT_TRUE(SameColor(image.pixel(90, 50), OpaqueBlue, 16));
}

// --- Degenerate geometry ---------------------------------------------------------

TEST_F(GradientTest, DegenerateGradientsPaintTheLastStopOrNothing)
{
    auto* linear = AddGradient(QStringLiteral("zeroVector"));
    linear->SetX2(Set(linear->X2(), "0"));
    auto* radial = AddGradient<TSVGRadialGradient>(QStringLiteral("zeroRadius"));
    radial->SetRadius(Set(radial->Radius(), "0"));
    AddGradient(QStringLiteral("box"));
    auto* user = AddGradient(QStringLiteral("user"));
    user->SetUnits(TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    user->SetX2(Set(user->X2(), "100"));
    struct Case {
        const char* data;
        const char* style;
        QRgb at50;
    };
    const Case cases[] = {
        {"M0,0 H100 V100 H0 Z", "fill:url(#zeroVector)", OpaqueBlue},
        {"M0,0 H100 V100 H0 Z", "fill:url(#zeroRadius)", OpaqueBlue},
        // A horizontal line has a box without height: bounding-box units
        // cannot paint, so the fallback does, or nothing.
        {"M0,50 H100", "fill:none;stroke:url(#box);stroke-width:20", Transparent},
        {"M0,50 H100", "fill:none;stroke:url(#box) lime;stroke-width:20", OpaqueLime},
        {"M0,50 H100", "fill:none;stroke:url(#user);stroke-width:20", 0xFF800080},
    };
    TSVGPath* path = AddPath(Doc, QString());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        path->Data().SetData(QString::fromLatin1(c.data));
        SetStyle(*path, QString::fromLatin1(c.style));
        EXPECT_TRUE(SameColor(Render().pixel(50, 50), c.at50, 16));
    }
}

TEST_F(GradientTest, AFocalPointOutsideTheCircleIsMovedOntoIt)
{
    // The focal point lies far to the right: moved onto the circle's edge,
    // the gradient starts there instead of painting nothing or everything.
    auto* gradient = AddGradient<TSVGRadialGradient>(QStringLiteral("g"));
    gradient->SetFocalX(Set(gradient->FocalX(), "3"));
    AddPath(Doc, QStringLiteral("M0,0 H100 V100 H0 Z"), QStringLiteral("fill:url(#g)"));
    const QImage image = Render();
    EXPECT_TRUE(SameColor(image.pixel(97, 50), OpaqueRed, 40));
    EXPECT_TRUE(SameColor(image.pixel(3, 50), OpaqueBlue, 40));
}

TEST_F(GradientTest, WithoutTheRadialOptionTheCircleFillsTheBox)
{
    auto* gradient = AddGradient<TSVGRadialGradient>(QStringLiteral("g"));
    gradient->SetUnits(TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    gradient->SetCenterX(Set(gradient->CenterX(), "0"));
    gradient->SetRadius(Set(gradient->Radius(), "5"));
    TSVGOptions options = Doc.Options();
    options.Exclude(TSVGOption::soFMXRadialGradientPatch);
    Doc.SetOptions(options);
    const TGradient painted = Painted(*gradient);
    EXPECT_EQ(painted.Units, TSVGCoordinateSystemUnit::csuObjectBoundingBox);
    EXPECT_EQ(painted.Center, QPointF(0.5, 0.5));
    EXPECT_EQ(painted.Radius, 0.5);
}

// --- Copies ----------------------------------------------------------------------

TEST_F(GradientTest, ACloneGivesWhatTheOriginalGives)
{
    auto* gradient = AddGradient<TSVGRadialGradient>(QStringLiteral("g"));
    gradient->SetUnits(TSVGCoordinateSystemUnit::csuUserSpaceOnUse);
    gradient->SetFocalY(Set(gradient->FocalY(), "20"));
    gradient->SetSpread(TSVGGradientSpread::gsRepeat);
    std::unique_ptr<TSVGElement> clone = gradient->Clone(&Doc);
    auto* copy = dynamic_cast<TSVGRadialGradient*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Specified(), gradient->Specified());
    EXPECT_EQ(Painted(*copy), Painted(*gradient));
}

} // namespace
} // namespace zor::test
