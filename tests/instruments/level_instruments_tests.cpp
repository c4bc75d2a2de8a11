// The car speedometer, the batteries and the thermometer: their bounds and
// how far the needle or the mercury runs on past them, the needle's angle,
// the level anchored at its bottom, the labels along the scales, and what a
// change of the range does to the live part and the layers.

#include <gtest/gtest.h>

#include "instruments/batteries.h"
#include "instruments/car_speedometer.h"
#include "instruments/label_fit.h"
#include "instruments/thermometers.h"
#include "gallery_test_support.h"

namespace zor::test {
namespace {

QStringList TextsOf(TZorSVGControl& Control, const QString& ID)
{
    QStringList texts;
    for (const TSVGElement* child : ElementOf<TSVGElement>(Control, ID)->Items())
        if (const auto* text = dynamic_cast<const TSVGCustomText*>(child))
            texts += text->Text();
    return texts;
}

TEST(Speedometer, TheNeedleRunsOnPastTheScale)
{
    auto speedometer = CreateInstrument<TZorSpeedometer>();
    EXPECT_EQ(speedometer->MinSpeed(), -10);
    EXPECT_EQ(speedometer->MaxSpeed(), 250);
    EXPECT_NEAR(TurnOf(*speedometer, QStringLiteral("NeedleGroup")), 10.0 / 260 * 200.2 - 100.05, 1e-4);
    speedometer->SetValue(120);
    EXPECT_NEAR(TurnOf(*speedometer, QStringLiteral("NeedleGroup")), 0.05, 1e-4);
    speedometer->SetValue(300);
    EXPECT_EQ(speedometer->Value(), 250);
    speedometer->SetValue(-50);
    EXPECT_EQ(speedometer->Value(), -10);
    EXPECT_EQ(TextsOf(*speedometer, QStringLiteral("Labels")),
              QStringList({"0", "40", "80", "120", "160", "200", "240"}));
    EXPECT_EQ(speedometer->Decoration(), TDecoration::dcFuelTank);
    EXPECT_FALSE(speedometer->IsMaxStored());
}

// A new range relabels the scale, turns the needle to where the value now
// stands and draws the layers with the labels again.
TEST(Speedometer, ARangeChangeMovesTheNeedleAndRelabels)
{
    auto speedometer = CreateInstrument<TZorSpeedometer>();
    speedometer->resize(120, 90);
    speedometer->SetValue(120);
    Picture(*speedometer);
    ASSERT_FALSE(speedometer->NeedBuffers());
    int changes = 0;
    speedometer->OnChange = [&](TZorSVGCustomInstrument*) { ++changes; };
    speedometer->SetMax(120);
    EXPECT_TRUE(speedometer->NeedBuffers());
    EXPECT_EQ(TextsOf(*speedometer, QStringLiteral("Labels")).back(), "120");
    EXPECT_EQ(speedometer->MaxSpeed(), 125);
    EXPECT_NEAR(TurnOf(*speedometer, QStringLiteral("NeedleGroup")), speedometer->NeedleAngle(120), 1e-4);
    EXPECT_GT(TurnOf(*speedometer, QStringLiteral("NeedleGroup")), 80);
    // A value outside what the needle shows is pulled in without a change event.
    speedometer->SetMax(50);
    EXPECT_EQ(speedometer->Value(), 52);
    EXPECT_EQ(changes, 0);
    EXPECT_NEAR(TurnOf(*speedometer, QStringLiteral("NeedleGroup")), 100.15, 1e-4);
    // Min above Max pushes Max.
    speedometer->SetMin(60);
    EXPECT_EQ(speedometer->Max(), 61);
}

TEST(Speedometer, LongLabelsShrinkUntilTheyFit)
{
    auto speedometer = CreateInstrument<TZorSpeedometer>();
    const auto boxes = [&] {
        std::vector<TLabelBox> measured;
        for (const TSVGElement* child : ElementOf<TSVGElement>(*speedometer, QStringLiteral("Labels"))->Items())
            measured.push_back(TextLabelBox(*dynamic_cast<const TSVGCustomText*>(child)));
        return measured;
    };
    const float given = ElementOf(*speedometer, QStringLiteral("Labels"))->Font().Size();
    EXPECT_EQ(FittingLabelScale(boxes()), 1);
    speedometer->SetMax(24000000);
    EXPECT_EQ(FittingLabelScale(boxes()), 1);
    const auto* first = dynamic_cast<const TSVGCustomText*>(
        ElementOf<TSVGElement>(*speedometer, QStringLiteral("Labels"))->Items()[0]);
    EXPECT_LT(first->Font().Size(), given);
    // Back to short numbers, back to the size the labels were given.
    speedometer->SetMax(240);
    EXPECT_EQ(first->Font().Size(), given);
}

TEST(Battery, TheLevelStandsOnItsBottomEdge)
{
    auto battery = CreateInstrument<TZorBattery>();
    EXPECT_EQ(battery->Decoration(), TDecoration::dcBolt);
    EXPECT_FALSE(ElementOf<TSVGPath>(*battery, QStringLiteral("Decoration"))->Data().Data().isEmpty());
    const TSVGGraphicElement* level = ElementOf(*battery, QStringLiteral("LevelGroup"));
    const QRectF full = level->BoundsRect();
    const struct {
        float Value;
        float Stored;
        double Share;
    } values[] = {{50, 50, 0.5}, {150, 100, 1}, {-20, 0, 0}, {25, 25, 0.25}};
    for (const auto& value : values) {
        SCOPED_TRACE(value.Value);
        battery->SetValue(value.Value);
        EXPECT_EQ(battery->Value(), value.Stored);
        const QRectF shown = level->Matrix().mapRect(full);
        EXPECT_NEAR(shown.bottom(), full.bottom(), 1e-4);
        EXPECT_NEAR(shown.height(), full.height() * value.Share, 1e-4);
    }
    // The empty battery still draws.
    EXPECT_FALSE(Picture(*battery).isNull());
    battery->SetMin(150);
    EXPECT_EQ(battery->Max(), 151);
    EXPECT_EQ(battery->Value(), 150);
}

TEST(Battery, WithoutGradientsTheCapsArePaintedFlat)
{
    auto battery = CreateInstrument<TZorBattery>();
    battery->SetEnableGradients(false);
    battery->SetTopColor(0xFF336699);
    EXPECT_EQ(ElementOf(*battery, QStringLiteral("BatteryTop"))->Brush().Kind(), TBrushKind::Solid);
    EXPECT_EQ(ElementOf(*battery, QStringLiteral("BatteryTop"))->Brush().Color(), 0xFF336699u);
    for (const char* id : {"TopHighlights", "BottomHighlights", "LevelHighlights", "GlassHighlightsGroup"})
        EXPECT_FALSE(ElementOf(*battery, QString::fromLatin1(id))->Display()) << id;
}

TEST(BatteryModern, TheTopOfTheChargeRidesOnTheLevel)
{
    auto battery = CreateInstrument<TZorBatteryModern>();
    const TSVGGraphicElement* level = ElementOf(*battery, QStringLiteral("Level"));
    const QRectF full = level->BoundsRect();
    battery->SetValue(30);
    const QRectF shown = level->Matrix().mapRect(full);
    EXPECT_NEAR(shown.bottom(), full.bottom(), 1e-4);
    EXPECT_NEAR(shown.height(), full.height() * 0.3, 1e-4);
    EXPECT_NEAR(ElementOf(*battery, QStringLiteral("LevelTop"))->Y(), shown.top(), 1e-3);
    EXPECT_EQ(battery->ActiveSVGElement(), ElementOf(*battery, QStringLiteral("LevelGroup")));
}

// The column's top for a value, from the rect.
double MercuryTop(TZorThermometer& Thermometer)
{
    return ElementOf(Thermometer, QStringLiteral("Mercury"))->Y();
}

TEST(Thermometer, LabelsAndLimitsFollowTheRange)
{
    auto thermometer = CreateInstrument<TZorThermometer>();
    const QStringList labels = {"120", "105", "90", "75", "60", "45", "30", "15", "0"};
    EXPECT_EQ(TextsOf(*thermometer, QStringLiteral("textLeft")), labels);
    EXPECT_EQ(TextsOf(*thermometer, QStringLiteral("textRight")), labels);
    EXPECT_EQ(thermometer->MinMercury(), -10);
    EXPECT_EQ(thermometer->MaxMercury(), 132);
    thermometer->SetValue(-20);
    EXPECT_EQ(thermometer->Value(), -10);
    thermometer->SetValue(140);
    EXPECT_EQ(thermometer->Value(), 132);
    thermometer->SetMax(200);
    EXPECT_EQ(thermometer->MaxMercury(), 220);
    EXPECT_EQ(TextsOf(*thermometer, QStringLiteral("textLeft")).front(), "200");
    EXPECT_EQ(TextsOf(*thermometer, QStringLiteral("textRight")).back(), "0");
}

TEST(Thermometer, TheColumnGrowsUpFromTheBottomOfTheTube)
{
    auto thermometer = CreateInstrument<TZorThermometer>();
    const TSVGGraphicElement* mercury = ElementOf(*thermometer, QStringLiteral("Mercury"));
    thermometer->SetValue(132);
    const double top = mercury->Y();
    const double bottom = top + mercury->Height();
    thermometer->SetValue(61);
    EXPECT_NEAR(mercury->Y() + mercury->Height(), bottom, 1e-3);
    EXPECT_NEAR(mercury->Height(), (bottom - top) / 2, 1e-3);
    thermometer->SetValue(-10);
    EXPECT_NEAR(mercury->Height(), 0, 1e-4);
}

// A change of range measures the column no more: a column that is short
// for the value it shows keeps the full length for the next.
TEST(Thermometer, ARangeChangeNeverShortensTheColumn)
{
    auto thermometer = CreateInstrument<TZorThermometer>();
    thermometer->SetValue(132);
    const double fullTop = MercuryTop(*thermometer);
    thermometer->SetValue(0);
    thermometer->SetMax(100);
    thermometer->SetMax(120);
    thermometer->SetValue(132);
    EXPECT_NEAR(MercuryTop(*thermometer), fullTop, 1e-4);
}

// The column stands where the value says to a fraction of a unit, not
// rounded to whole ones.
TEST(Thermometer, TheColumnIsNotRoundedToWholeUnits)
{
    auto thermometer = CreateInstrument<TZorThermometer>();
    for (const float value : {0.1F, 0.2F, 0.3F}) {
        thermometer->SetValue(value);
        const auto [top, height] = thermometer->MercuryTopAndHeight(value);
        EXPECT_NEAR(MercuryTop(*thermometer), top, 1e-4);
        EXPECT_NEAR(ElementOf(*thermometer, QStringLiteral("Mercury"))->Height(), height, 1e-4);
    }
    thermometer->SetValue(0.1F);
    const double low = MercuryTop(*thermometer);
    thermometer->SetValue(0.2F);
    EXPECT_NEAR(low - MercuryTop(*thermometer), 0.1 * 568 / 142, 1e-3);
}

TEST(Thermometer, LongLabelsStayInTheirColumn)
{
    auto thermometer = CreateInstrument<TZorThermometer>();
    const TSVGGraphicElement* left = ElementOf(*thermometer, QStringLiteral("textLeft"));
    const float given = left->Font().Size();
    thermometer->SetMax(100000);
    EXPECT_LT(left->Font().Size(), given);
    const QRectF card = ElementOf(*thermometer, QStringLiteral("Backface"))->BoundsRect();
    const QRectF markers = ElementOf(*thermometer, QStringLiteral("MarkersLeftMajor"))->BoundsRect();
    for (const TSVGElement* row : left->Items()) {
        const QRectF ink = dynamic_cast<const TSVGCustomText*>(row)->BoundsRect();
        EXPECT_GT(ink.left(), card.left());
        EXPECT_LT(ink.right(), markers.left());
    }
}

} // namespace
} // namespace zor::test
