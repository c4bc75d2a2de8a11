// The metallic compass: the heading and its parts, the three moving parts
// and the switch between them, the live part after a reload, and the colours
// it derives.

#include <gtest/gtest.h>

#include "instruments/metallic_compass.h"
#include "gallery_test_support.h"

namespace zor::test {
namespace {

using TMode = TCompassMovablePart;

// The turns of the needle (upright at 0), the card's detail and the card.
struct TTurns {
    double Needle, Detail, Card;
};

TTurns TurnsOf(TZorCompass& Compass)
{
    return {TurnOf(Compass, QStringLiteral("Needle")) + TZorCompass::NeedleTurnInArtwork,
            TurnOf(Compass, QStringLiteral("BackfaceDetail")), TurnOf(Compass, QStringLiteral("Backface"))};
}

void ExpectTurns(TZorCompass& Compass, TTurns Expected)
{
    const TTurns turns = TurnsOf(Compass);
    EXPECT_NEAR(turns.Needle, Expected.Needle, 1e-4);
    EXPECT_NEAR(turns.Detail, Expected.Detail, 1e-4);
    EXPECT_NEAR(turns.Card, Expected.Card, 1e-4);
}

TEST(MetallicCompass, TheHeadingStaysWithinATurnAndRaisesNoChange)
{
    auto compass = CreateInstrument<TZorCompass>();
    int changes = 0;
    compass->OnChange = [&](TZorSVGCustomInstrument*) { ++changes; };
    compass->SetAngle(-5.0F);
    EXPECT_EQ(compass->Angle(), 0);
    compass->SetAngle(400.0F);
    EXPECT_EQ(compass->Angle(), 360);
    compass->SetAngle(12.5F);
    EXPECT_EQ(compass->Degrees(), 12);
    EXPECT_EQ(compass->Minutes(), 30);
    EXPECT_NEAR(compass->Seconds(), 0, 1e-3);
    compass->SetAngle(10, 30, 36);
    EXPECT_NEAR(compass->Angle(), 10.51, 1e-5);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(compass->AccessibleValueText(), QStringLiteral("10° 30′ 36″"));
}

TEST(MetallicCompass, EachModeTurnsItsOwnPartLive)
{
    const struct {
        TMode Mode;
        const char* Live;
        TTurns At90;
    } modes[] = {
        {TMode::cmpNeedle, "Needle", {90, 0, 0}},
        {TMode::cmpFace, "BackfaceDetail", {0, 90, 0}},
        {TMode::cmpFaceNRose, "Backface", {0, 0, 90}},
    };
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.Live);
        auto compass = CreateInstrument<TZorCompass>([&](TZorCompass& Compass) { Compass.SetRotate(mode.Mode); });
        compass->resize(80, 80);
        EXPECT_EQ(compass->ActiveSVGElement(), ElementOf(*compass, QString::fromLatin1(mode.Live)));
        ExpectTurns(*compass, {0, 0, 0});
        Picture(*compass);
        compass->SetAngle(90.0F);
        ExpectTurns(*compass, mode.At90);
        // A turn changes nothing in the layers.
        EXPECT_FALSE(compass->NeedBuffers());
    }
}

TEST(MetallicCompass, SwitchingModesBringsTheOldPartToRest)
{
    auto compass = CreateInstrument<TZorCompass>();
    compass->SetAngle(90.0F);
    ExpectTurns(*compass, {0, 0, 90});
    compass->SetRotate(TMode::cmpNeedle);
    ExpectTurns(*compass, {90, 0, 0});
    EXPECT_EQ(compass->ActiveSVGElement(), ElementOf(*compass, QStringLiteral("Needle")));
    EXPECT_EQ(compass->Angle(), 90);
    compass->SetRotate(TMode::cmpFace);
    ExpectTurns(*compass, {0, 90, 0});
}

// A reload draws the part Rotate names live, the others at rest, whatever
// the mode.
TEST(MetallicCompass, AReloadKeepsThePartRotateNamesLive)
{
    for (const TMode mode : {TMode::cmpNeedle, TMode::cmpFace, TMode::cmpFaceNRose}) {
        SCOPED_TRACE(static_cast<int>(mode));
        auto compass = CreateInstrument<TZorCompass>();
        compass->SetRotate(mode);
        compass->SetAngle(45.0F);
        const TTurns before = TurnsOf(*compass);
        compass->SetDesign(TSVGDesign::sdSimple);
        compass->SetDesign(TSVGDesign::sdDetailed);
        EXPECT_EQ(compass->ActiveSVGElement(), ElementOf(*compass, TZorCompass::MovingElementID(mode)));
        ExpectTurns(*compass, before);
        compass->SetAngle(60.0F);
        EXPECT_NEAR(std::max({TurnsOf(*compass).Needle, TurnsOf(*compass).Detail, TurnsOf(*compass).Card}), 60, 1e-4);
    }
}

TEST(MetallicCompass, NeedleAndKnobColoursAreDerived)
{
    auto compass = CreateInstrument<TZorCompass>();
    compass->SetNeedleHighColor(0xFF00FF00);
    compass->SetNeedleHighColor(0xFFCC0000);
    EXPECT_EQ(ElementOf(*compass, QStringLiteral("NeedleHigh"))->Pen().Color(), 0xFFF50000u);
    EXPECT_EQ(StopsOf(*compass, "linearGradientNeedleHighShadow"),
              std::vector<TAlphaColor>({0xFF3D0000, 0xFFF50000}));
    compass->SetKnobFillColor(0xFF808080);
    EXPECT_EQ(StopsOf(*compass, "linearGradientKnobHead"), std::vector<TAlphaColor>({0xFF808080, 0xFFFFFFFF}));
    EXPECT_EQ(StopsOf(*compass, "linearGradientKnobDriveUp"), std::vector<TAlphaColor>({0xFF404040, 0xFFFFFFFF}));
    EXPECT_EQ(StopsOf(*compass, "linearGradientKnobFrame"), std::vector<TAlphaColor>({0xFFFFFFFF, 0xFF808080}));
}

TEST(MetallicCompass, TheRoseIsTheArtworksUntilADecorationIsChosen)
{
    auto compass = CreateInstrument<TZorCompass>();
    const QString rose = ElementOf<TSVGPath>(*compass, QStringLiteral("Rose"))->Data().Data();
    EXPECT_FALSE(rose.isEmpty());
    compass->SetDecoration(TDecoration::dcStar);
    const QString star = ElementOf<TSVGPath>(*compass, QStringLiteral("Rose"))->Data().Data();
    EXPECT_FALSE(star.isEmpty());
    EXPECT_NE(star, rose);
    compass->SetDecoration(TDecoration::dcNone);
    EXPECT_TRUE(ElementOf<TSVGPath>(*compass, QStringLiteral("Rose"))->Data().Data().isEmpty());
}

} // namespace
} // namespace zor::test
