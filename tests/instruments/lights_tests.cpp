// The traffic light and the cube light: lamps lit and dark, one change event
// per switch, lamp emblems, gradient-backed colours, parts, what they tell
// assistive technology, and their state after a reload.

#include <gtest/gtest.h>

#include "instruments/gradient_colors.h"
#include "instruments/lights.h"
#include "gallery_test_support.h"

namespace zor::test {
namespace {

using TLight = TZorTrafficLight::TLight;

TAlphaColor FillOf(TZorSVGControl& Control, const char* ID)
{
    return ElementOf(Control, QString::fromLatin1(ID))->Brush().Color();
}

QString ShineOf(TZorSVGControl& Control, const char* ID)
{
    return ElementOf(Control, QString::fromLatin1(ID))->Brush().URI();
}

TEST(TrafficLight, LightsAnyLampsWithOneChange)
{
    auto light = CreateInstrument<TZorTrafficLight>();
    EXPECT_EQ(light->Lights(), TZorTrafficLight::TLights{TLight::ltRed});
    EXPECT_EQ(light->ActiveSVGElement(), ElementOf(*light, QStringLiteral("Lights")));
    int changes = 0;
    light->OnChange = [&](TZorSVGCustomInstrument*) { ++changes; };
    light->SetLights({TLight::ltRed, TLight::ltGreen});
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(FillOf(*light, "RedLight"), light->RedLightColor());
    EXPECT_EQ(FillOf(*light, "GreenLight"), light->GreenLightColor());
    EXPECT_EQ(FillOf(*light, "YellowLight"), light->OffColor());
    EXPECT_EQ(ShineOf(*light, "GreenLightShine"), "GradientShine");
    EXPECT_EQ(ShineOf(*light, "YellowLightShine"), "GradientDim");
    EXPECT_EQ(light->AccessibleValueText(), "Red and green");
    light->SetLights({TLight::ltRed, TLight::ltGreen});
    EXPECT_EQ(changes, 1);

    light->SetLights({});
    EXPECT_EQ(changes, 2);
    for (const char* lamp : {"RedLight", "YellowLight", "GreenLight"})
        EXPECT_EQ(FillOf(*light, lamp), 0xFF000000u) << lamp;
    for (const char* shine : {"RedLightShine", "YellowLightShine", "GreenLightShine"})
        EXPECT_EQ(ShineOf(*light, shine), "GradientDim") << shine;
    EXPECT_EQ(light->AccessibleValueText(), "Off");
    // A lamp colour changes the lamps but is no value change.
    light->SetOffColor(0xFF202020);
    EXPECT_EQ(FillOf(*light, "YellowLight"), 0xFF202020u);
    EXPECT_EQ(changes, 2);
}

TEST(TrafficLight, SwitchingLampsDrawsOnlyTheLamps)
{
    auto light = CreateInstrument<TZorTrafficLight>();
    light->resize(60, 80);
    Picture(*light);
    ASSERT_FALSE(light->NeedBuffers());
    light->SetLights({TLight::ltYellow});
    EXPECT_FALSE(light->NeedBuffers());
    const QImage lit = Picture(*light);
    light->SetLights({});
    EXPECT_NE(Picture(*light), lit);
}

TEST(TrafficLight, LampEmblemsAreTheOnesThatSuitALamp)
{
    auto light = CreateInstrument<TZorTrafficLight>();
    const auto pathOf = [&](const char* ID) {
        return ElementOf<TSVGPath>(*light, QString::fromLatin1(ID))->Data().Data();
    };
    light->SetGreenDecoration(TDecoration::dcBolt);
    const QString bolt = pathOf("DecorationGreen");
    EXPECT_FALSE(bolt.isEmpty());
    light->SetGreenDecoration(TDecoration::dcCar);
    EXPECT_EQ(light->GreenDecoration(), TDecoration::dcCar);
    EXPECT_EQ(pathOf("DecorationGreen"), bolt);
    light->SetGreenDecoration(TDecoration::dcNone);
    EXPECT_TRUE(pathOf("DecorationGreen").isEmpty());
    // The emblem every instrument has is the red lamp's.
    light->SetDecoration(TDecoration::dcStar);
    EXPECT_EQ(light->RedDecoration(), TDecoration::dcStar);
    EXPECT_FALSE(pathOf("DecorationRed").isEmpty());
}

TEST(TrafficLight, GradientColoursKeepTheirShading)
{
    auto light = CreateInstrument<TZorTrafficLight>();
    const std::vector<TAlphaColor> dome = StopsOf(*light, "radialGradientDome");
    ASSERT_GE(dome.size(), 2U);
    EXPECT_EQ(light->DomeColor(), dome[1]);
    light->SetDomeColor(0xFF494949);
    const std::vector<TAlphaColor> shifted = StopsOf(*light, "radialGradientDome");
    EXPECT_EQ(shifted[1], 0xFF494949u);
    EXPECT_EQ(shifted[0], OffsetColor(dome[0], 0x10));
    // Without gradients the dome is painted flat.
    light->SetEnableGradients(false);
    light->SetDomeColor(0xFF123456);
    EXPECT_EQ(FillOf(*light, "TopDome"), 0xFF123456u);
    EXPECT_FALSE(ElementOf(*light, QStringLiteral("RedLightShine"))->Display());
}

TEST(TrafficLight, PartsHideTheirElements)
{
    auto light = CreateInstrument<TZorTrafficLight>();
    light->SetParts(TZorTrafficLight::TParts::All() - TZorTrafficLight::TParts{TTrafficLightPart::tlYellowLight,
                                                                                TTrafficLightPart::tlTopDome});
    EXPECT_FALSE(ElementOf(*light, QStringLiteral("AssemblyYellow"))->Display());
    EXPECT_FALSE(ElementOf(*light, QStringLiteral("TopDome"))->Display());
    EXPECT_TRUE(ElementOf(*light, QStringLiteral("AssemblyRed"))->Display());
}

TEST(TrafficLight, AReloadKeepsWhatThePropertiesSay)
{
    auto light = CreateInstrument<TZorTrafficLight>();
    light->SetLights({TLight::ltGreen});
    light->SetYellowDecoration(TDecoration::dcWifi);
    light->SetParts(TZorTrafficLight::TParts::All() - TZorTrafficLight::TParts{TTrafficLightPart::tlFrame});
    light->SetDesign(TSVGDesign::sdSimple);
    light->SetDesign(TSVGDesign::sdDetailed);
    EXPECT_EQ(FillOf(*light, "GreenLight"), light->GreenLightColor());
    EXPECT_EQ(FillOf(*light, "RedLight"), light->OffColor());
    EXPECT_FALSE(ElementOf<TSVGPath>(*light, QStringLiteral("DecorationYellow"))->Data().Data().isEmpty());
    EXPECT_FALSE(ElementOf(*light, QStringLiteral("Frame"))->Display());
    EXPECT_EQ(light->ActiveSVGElement(), ElementOf(*light, QStringLiteral("Lights")));
}

TEST(CubeLight, ChecksOnAndOff)
{
    auto cube = CreateInstrument<TZorCubeLight>();
    EXPECT_EQ(cube->size(), QSize(100, 100));
    EXPECT_TRUE(cube->Checked());
    EXPECT_EQ(FillOf(*cube, "RedLight"), cube->OnColor());
    int changes = 0;
    cube->OnChange = [&](TZorSVGCustomInstrument*) { ++changes; };
    cube->SetChecked(false);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(FillOf(*cube, "RedLight"), cube->OffColor());
    EXPECT_EQ(ShineOf(*cube, "RedLightShine"), "GradientDim");
    EXPECT_EQ(cube->AccessibleValueText(), "Off");
    cube->SetChecked(false);
    EXPECT_EQ(changes, 1);
    cube->SetOnColor(0xFF00FF00);
    EXPECT_EQ(FillOf(*cube, "RedLight"), cube->OffColor());
    cube->SetChecked(true);
    EXPECT_EQ(FillOf(*cube, "RedLight"), 0xFF00FF00u);
    cube->SetDecoration(TDecoration::dcBolt);
    EXPECT_FALSE(ElementOf<TSVGPath>(*cube, QStringLiteral("DecorationRed"))->Data().Data().isEmpty());
}

} // namespace
} // namespace zor::test
