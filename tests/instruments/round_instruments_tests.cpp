// The nine round instruments: their constructor values and overrides, the
// barometer's labels and hand, the altimeter's hands at any height, clicks
// on the switch, the compass's angle parts and moving parts, the calendar's
// hand and days, and their entries in the registry.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMetaProperty>
#include <QMouseEvent>
#include <limits>
#include <vector>

#include "instruments/altimeters.h"
#include "instruments/barometers.h"
#include "instruments/clocks.h"
#include "instruments/compass.h"
#include "instruments/fuel_gauges.h"
#include "instruments/instrument_registry.h"
#include "instruments/speedometers.h"
#include "instruments/switches.h"
#include "platform/exceptions.h"
#include "round_instrument_support.h"

namespace zor::test {
namespace {

TEST(RoundInstruments, BarometerLabelsItsArcAndRestsAtItsStart)
{
    auto barometer = CreateInstrument<TZorCircularBarometer>();
    EXPECT_EQ(barometer->Value(), 950);
    EXPECT_EQ(barometer->Max(), 1050);
    EXPECT_EQ(LabelTexts(*barometer), QStringList({"950", "960", "970", "980", "990", "1000", "1010", "1020", "1030",
                                                   "1040", "1050"}));
    ExpectHandAt(*barometer, QStringLiteral("BigHand"), 225);
    EXPECT_EQ(ElementOf(*barometer, QStringLiteral("LittleHand")), nullptr);
    EXPECT_EQ(ElementOf(*barometer, QStringLiteral("ThinHand")), nullptr);
    EXPECT_FALSE(barometer->IsCaptionStored());
    EXPECT_FALSE(barometer->IsMinStored());
    barometer->SetValue(1000);
    ExpectHandAt(*barometer, QStringLiteral("BigHand"), 0);
}

TEST(RoundInstruments, AltimeterHandsNeverOverflow)
{
    const struct {
        double Value, Thin, Big, Little;
    } cases[] = {
        {12345, 124.2, 84.42, 44.442},
        {2000000, 0, 0, 360},
        {999.9, 359.64, 35.964, 3.5964},
        // Far beyond any integer: the remainders of the whole number.
        {1e20, std::fmod(1e20, 1000) / 1000 * 360, std::fmod(1e20, 10000) / 10000 * 360, 360},
        {std::numeric_limits<float>::max(), -1, -1, 360},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        const auto angles = TZorCircularAltimeter::HandAngles(c.Value);
        for (double angle : {angles.Thin, angles.Big, angles.Little}) {
            EXPECT_TRUE(std::isfinite(angle));
            EXPECT_GE(angle, 0);
            EXPECT_LE(angle, 360);
        }
        if (c.Thin >= 0) {
            EXPECT_NEAR(angles.Thin, c.Thin, 1e-6);
            EXPECT_NEAR(angles.Big, c.Big, 1e-6);
        }
        EXPECT_NEAR(angles.Little, c.Little, 1e-6);
    }

    auto altimeter = CreateInstrument<TZorCircularAltimeter>();
    altimeter->SetValue(12345);
    ExpectHandAt(*altimeter, QStringLiteral("ThinHand"), 124.2);
    ExpectHandAt(*altimeter, QStringLiteral("BigHand"), 84.42);
    ExpectHandAt(*altimeter, QStringLiteral("LittleHand"), 44.442);
    altimeter->SetValue(std::numeric_limits<float>::infinity());
    EXPECT_EQ(altimeter->Value(), std::numeric_limits<float>::max());
    ExpectHandAt(*altimeter, QStringLiteral("LittleHand"), 0);
    EXPECT_EQ(LabelTexts(*altimeter), QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

// Where a click at Angle (clockwise from twelve o'clock) lands on Control.
QPointF ClickPoint(const QWidget& Control, double Angle)
{
    const double radians = Angle * std::numbers::pi / 180;
    return QPointF(Control.width() / 2.0 + 60 * std::sin(radians), Control.height() / 2.0 - 60 * std::cos(radians));
}

TEST(RoundInstruments, SwitchTurnsToTheNearestEnd)
{
    auto rotary = CreateInstrument<TZorRotarySwitch>();
    int toggles = 0;
    QObject::connect(rotary.get(), &TZorRotarySwitch::checkedChanged, [&] { ++toggles; });
    const struct {
        double Angle;
        bool Checked;
    } clicks[] = {{300, false}, {330, true}, {200, false}, {45, true}, {300, false}};
    for (const auto& click : clicks) {
        rotary->ClickAt(ClickPoint(*rotary, click.Angle));
        EXPECT_EQ(rotary->Checked(), click.Checked) << click.Angle;
        EXPECT_NEAR(rotary->AngleAt(ClickPoint(*rotary, click.Angle)), click.Angle, 1e-9);
    }
    EXPECT_EQ(toggles, 4);
    ExpectHandAt(*rotary, QStringLiteral("KnobSwitch"), 270);
    EXPECT_EQ(LabelTexts(*rotary), QStringList({"Off", "On"}));
    EXPECT_EQ(ElementOf(*rotary, QStringLiteral("BigHand")), nullptr);
    EXPECT_TRUE(ElementOf(*rotary, QStringLiteral("KnobSwitch"))->Display());
    EXPECT_FALSE(ElementOf(*rotary, QStringLiteral("Knob"))->Display());
}

TEST(RoundInstruments, DialTurnsToTheNearestNumber)
{
    auto dial = CreateInstrument<TZorRotaryDial>();
    dial->ClickAt(ClickPoint(*dial, 0));
    EXPECT_EQ(dial->Value(), 5);
    ExpectHandAt(*dial, QStringLiteral("KnobSwitch"), 0);
    dial->ClickAt(ClickPoint(*dial, 170));
    EXPECT_EQ(dial->Value(), 10);
    EXPECT_EQ(LabelTexts(*dial).size(), 11);
    dial->SetMax(4);
    EXPECT_EQ(dial->Max(), 4);
    EXPECT_EQ(dial->Value(), 4);
}

// A release of the left button at Position, as the widget system sends it.
void ReleaseAt(QWidget& Target, QPointF Position)
{
    QMouseEvent release(QEvent::MouseButtonRelease, Position, Target.mapToGlobal(Position), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Target, &release);
}

TEST(RoundInstruments, AKnobKeepsTheErrorOfAReleaseAsEveryEventDoes)
{
    auto rotary = CreateInstrument<TZorRotarySwitch>();
    auto dial = CreateInstrument<TZorRotaryDial>();
    for (TZorCustomRotarySwitch* knob : {static_cast<TZorCustomRotarySwitch*>(rotary.get()),
                                         static_cast<TZorCustomRotarySwitch*>(dial.get())}) {
        SCOPED_TRACE(knob->metaObject()->className());
        std::vector<QString> reported;
        knob->OnEventError = [&](const QString& Message) { reported.push_back(Message); };
        knob->OnChange = [](TZorSVGCustomInstrument*) { throw ESVGException(QStringLiteral("no turn today")); };
        EXPECT_NO_THROW(ReleaseAt(*knob, ClickPoint(*knob, 330)));
        EXPECT_EQ(knob->LastEventError(), QStringLiteral("no turn today"));
        EXPECT_EQ(reported, std::vector<QString>{QStringLiteral("no turn today")});
    }
}

TEST(RoundInstruments, CompassSplitsItsAngle)
{
    auto compass = CreateInstrument<TZorCircularCompass>();
    compass->SetAngle(12.5F);
    EXPECT_EQ(compass->Degrees(), 12);
    EXPECT_EQ(compass->Minutes(), 30);
    EXPECT_NEAR(compass->Seconds(), 0, 1e-3);
    compass->SetMinutes(15);
    EXPECT_NEAR(compass->Angle(), 12.25, 1e-5);
    compass->SetDegrees(100);
    EXPECT_NEAR(compass->Angle(), 100.25, 1e-4);
    compass->SetAngle(10, 20, 30);
    EXPECT_NEAR(compass->Angle(), 10 + 20 / 60.0 + 30 / 3600.0, 1e-5);
    compass->SetAngle(400.0F);
    EXPECT_EQ(compass->Angle(), 360);
    EXPECT_EQ(compass->BigHandColor(), 0xFFFF0000);
}

TEST(RoundInstruments, CompassTurnsTheMovingPartItIsGiven)
{
    auto compass = CreateInstrument<TZorCircularCompass>();
    EXPECT_EQ(compass->ActiveSVGElement(), ElementOf(*compass, QStringLiteral("Dial")));
    compass->SetAngle(90.0F);
    // The face turns by the heading: its hand angle shows 90 less.
    ExpectHandAt(*compass, QStringLiteral("Dial"), 0);
    EXPECT_NEAR(ElementOf(*compass, QStringLiteral("Dial"))->Matrix().m12(), 1, 1e-6);
    compass->SetRotate(TCompassMovablePart::cmpNeedle);
    EXPECT_TRUE(ElementOf(*compass, QStringLiteral("Dial"))->Matrix().isIdentity());
    ExpectHandAt(*compass, QStringLiteral("BigHand"), 90);
    EXPECT_EQ(compass->ActiveSVGElement(), ElementOf(*compass, QStringLiteral("Hands")));
    EXPECT_EQ(compass->Angle(), 90);
}

TEST(RoundInstruments, CalendarShowsTheDayOfTheYear)
{
    auto calendar = CreateInstrument<TZorAnalogCalendar>();
    calendar->SetTime(EncodeDate(2024, 2, 15));
    ExpectHandAt(*calendar, QStringLiteral("BigHand"), (15.0 / 29 + 1) / 12 * 360);
    EXPECT_EQ(calendar->DayOfYear(), 46);
    calendar->SetTime(EncodeDate(2023, 6, 1));
    calendar->SetDayOfYear(400);
    EXPECT_EQ(calendar->Time(), EncodeDate(2023, 12, 31));
    calendar->SetDayOfYear(0);
    EXPECT_EQ(calendar->Time(), EncodeDate(2023, 1, 1));
    EXPECT_EQ(LabelTexts(*calendar).front(), QStringLiteral("Jan"));
    EXPECT_EQ(LabelTexts(*calendar).back(), QStringLiteral("Dec"));
    EXPECT_EQ(ElementOf(*calendar, QStringLiteral("LittleHand")), nullptr);
    EXPECT_FALSE(ElementOf(*calendar, QStringLiteral("SmallMarkers"))->Display());
    EXPECT_EQ(calendar->PartBits(), TZorAnalogCalendar::StreamDefaults.Parts);
}

TEST(RoundInstruments, CalendarRedrawsItsDayMarksWhenTheMonthLengthChanges)
{
    const auto calendarOn = [](TDateTime Day) {
        auto calendar = CreateInstrument<TZorAnalogCalendar>();
        calendar->SetParts(TZorCustomCircularGauge::AllParts());
        calendar->SetTime(Day);
        calendar->resize(200, 200);
        return calendar;
    };
    auto calendar = calendarOn(EncodeDate(2023, 1, 15));
    Picture(*calendar);
    ASSERT_FALSE(calendar->NeedBuffers());
    EXPECT_EQ(MarkCount(*calendar, QStringLiteral("SmallMarkers")), 31);
    // A month of another length: a new ring of day marks, drawn anew.
    calendar->SetTime(EncodeDate(2023, 2, 15));
    EXPECT_EQ(MarkCount(*calendar, QStringLiteral("SmallMarkers")), 28);
    EXPECT_TRUE(calendar->NeedBuffers());
    EXPECT_EQ(LargestDifference(Picture(*calendar), Picture(*calendarOn(EncodeDate(2023, 2, 15)))), 0);
    // A month of the same length keeps the ring and the layers.
    Picture(*calendar);
    calendar->SetTime(EncodeDate(2023, 2, 20));
    EXPECT_FALSE(calendar->NeedBuffers());
    // A hidden ring is made anew but not drawn: the layers stay until the
    // ring is shown.
    calendar->SetParts(TZorCustomCircularGauge::AllParts() -
                       TZorCustomCircularGauge::TParts{TCircularGaugePart::gpMinorMarkers});
    Picture(*calendar);
    calendar->SetTime(EncodeDate(2023, 4, 20));
    EXPECT_EQ(MarkCount(*calendar, QStringLiteral("SmallMarkers")), 30);
    EXPECT_FALSE(calendar->NeedBuffers());
    calendar->SetParts(TZorCustomCircularGauge::AllParts());
    EXPECT_TRUE(calendar->NeedBuffers());
    EXPECT_EQ(LargestDifference(Picture(*calendar), Picture(*calendarOn(EncodeDate(2023, 4, 20)))), 0);
}

TEST(RoundInstruments, ClockFollowsTheTime)
{
    auto clock = CreateInstrument<TZorCircularClock>();
    clock->SetTime(EncodeTime(10, 8, 37, 0));
    ExpectHandAt(*clock, QStringLiteral("LittleHand"), (8 / 60.0 + 10) / 12 * 360);
    ExpectHandAt(*clock, QStringLiteral("BigHand"), (37 / 60.0 + 8) / 60 * 360);
    ExpectHandAt(*clock, QStringLiteral("ThinHand"), 37 / 60.0 * 360);
    EXPECT_EQ(LabelTexts(*clock).front(), QStringLiteral("XII"));
    EXPECT_EQ(clock->AccessibleValueText(), QStringLiteral("10:08:37"));
}

TEST(RoundInstruments, SpeedometerAndFuelGaugeKeepTheirConstructorValues)
{
    auto speedometer = CreateInstrument<TZorCircularSpeedometer>();
    EXPECT_EQ(speedometer->Decoration(), TDecoration::dcFuelTank);
    EXPECT_EQ(speedometer->Hands(), TZorCustomCircularGauge::THands{TCircularGaugeHand::ghBig});
    EXPECT_EQ(LabelTexts(*speedometer).back(), QStringLiteral("120"));
    EXPECT_EQ(MarkCount(*speedometer, QStringLiteral("BigMarkers")), 11);
    auto fuel = CreateInstrument<TZorCircularFuelGauge>();
    EXPECT_EQ(LabelTexts(*fuel), QStringList({"E", "", "", "", "F"}));
    EXPECT_FALSE(fuel->IsLabelsStored());
    EXPECT_EQ(MarkCount(*fuel, QStringLiteral("SmallMarkers")), 0);
    fuel->SetMax(200);
    EXPECT_EQ(LabelTexts(*fuel).front(), QStringLiteral("E"));
}

TEST(RoundInstruments, EveryOneIsRegisteredNotifiesAndDraws)
{
    const TInstrumentRegistry registry;
    for (const char* name : {"circular_speedometer", "circular_barometer", "circular_altimeter", "circular_fuel_gauge",
                             "rotary_switch", "rotary_dial", "circular_compass", "circular_clock", "analog_calendar"}) {
        SCOPED_TRACE(name);
        const TInstrumentClass* entry = registry.Find(QString::fromLatin1(name));
        ASSERT_NE(entry, nullptr);
        std::unique_ptr<TZorSVGCustomInstrument> instrument = entry->Create();
        const QMetaObject& meta = *instrument->metaObject();
        for (int i = TZorSVGControl::staticMetaObject.propertyOffset(); i < meta.propertyCount(); ++i)
            EXPECT_TRUE(meta.property(i).hasNotifySignal()) << meta.property(i).name();
        if (entry->SetValue)
            entry->SetValue(*instrument, 1);
        instrument->resize(64, 64);
        const QImage picture = Picture(*instrument);
        EXPECT_EQ(qAlpha(picture.pixel(32, 32)), 255);
        EXPECT_EQ(instrument->sizeHint(), QSize(200, 200));
    }
}

} // namespace
} // namespace zor::test
