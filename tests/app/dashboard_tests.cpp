#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QMouseEvent>

#include "app/dashboard_window.h"
#include "app/season.h"
#include "instruments/altimeters.h"
#include "instruments/barometers.h"
#include "instruments/batteries.h"
#include "instruments/car_speedometer.h"
#include "instruments/classic_clock.h"
#include "instruments/clocks.h"
#include "instruments/digital_clock.h"
#include "instruments/instrument_registry.h"
#include "instruments/label_fit.h"
#include "instruments/lights.h"
#include "instruments/metallic_compass.h"
#include "instruments/switches.h"
#include "instruments/thermometers.h"
#include "svg/model/document.h"
#include "svg/shapes/text_element.h"
#include "svg/shapes/text_path.h"

using namespace zor;

namespace {

template <typename T = TZorSVGControl>
T& Component(const QObject& Window, const QString& Name)
{
    for (QObject* found : Window.findChildren<QObject*>(Name))
        if (auto* typed = dynamic_cast<T*>(found))
            return *typed;
    throw std::runtime_error("no component " + Name.toStdString());
}

QByteArray Store(const TPersistent& Object)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter(buffer, DashboardClasses()).WriteRootComponent(Object);
    return bytes;
}

// Where a widget is in the window, in pixels.
QRect InWindow(const QWidget& Window, const QWidget& Child)
{
    return QRect(Child.mapTo(&Window, QPoint(0, 0)), Child.size());
}

} // namespace

TEST(Dashboard, AtItsStoredSizeTheWindowIsTheLayoutExactly)
{
    TfrmDashboard window;
    EXPECT_EQ(window.windowTitle(), "VEYRA Dashboard Demo (FMX)");
    EXPECT_EQ(window.size(), QSize(752, 527));
    const struct {
        const char* Name;
        QRect Place;
    } places[] = {
        {"Panel1", {0, 0, 100, 527}},
        {"Panel2", {552, 0, 100, 527}},
        {"Panel4", {652, 0, 100, 527}},
        {"Panel3", {100, 0, 452, 527}},
        {"GridLayout1", {100, 463, 452, 64}},
        {"CenterStage", {100, 0, 452, 463}},
        {"ZorCircularAltimeter1", {0, 0, 100, 100}},
        {"ZorCircularBarometer1", {0, 100, 100, 100}},
        {"ZorCircularCompass1", {0, 200, 100, 100}},
        {"ZorCompass1", {0, 300, 100, 100}},
        {"ZorRotaryDial1", {0, 400, 100, 100}},
        {"ZorTrafficLight1", {552, 0, 100, 100}},
        {"ZorAnalogCalendar1", {552, 100, 100, 100}},
        {"ZorCircularClock1", {552, 200, 100, 100}},
        {"ZorClock1", {552, 300, 100, 100}},
        {"ZorThermometer1", {552, 400, 100, 100}},
        {"ZorCircularFuelGauge1", {652, 0, 100, 100}},
        {"ZorCircularSpeedometer2", {652, 105, 100, 100}},
        {"ZorSpeedometer2", {652, 205, 100, 100}},
        {"ZorBattery1", {652, 310, 100, 100}},
        {"ZorBatteryModern1", {652, 420, 100, 100}},
        {"ZorDigitalClock1", {408, 8, 136, 50}},
        {"ZorRotarySwitch1", {104, 8, 50, 50}},
    };
    for (const auto& place : places)
        EXPECT_EQ(InWindow(window, Component<QWidget>(window, place.Name)), place.Place) << place.Name;
    for (int i = 0; i < TfrmDashboard::CubeLights; ++i) {
        const QString name = QStringLiteral("ZorCubeLight%1").arg(i + 1);
        EXPECT_EQ(InWindow(window, Component<QWidget>(window, name)), QRect(100 + 64 * i, 463, 64, 64))
            << name.toStdString();
    }
    EXPECT_EQ(window.Timer1().interval(), 1000);
    EXPECT_EQ(window.Timer2().interval(), 250);
    EXPECT_TRUE(window.Timer1().Enabled() && window.Timer2().Enabled());
}

TEST(Dashboard, EnlargedEverythingGrowsWithTheWindow)
{
    TfrmDashboard window;
    window.show();
    window.resize(1504, 1054);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(window.Scale(), 2);
    EXPECT_EQ(InWindow(window, Component<QWidget>(window, "Panel4")), QRect(1304, 0, 200, 1054));
    EXPECT_EQ(InWindow(window, Component<QWidget>(window, "ZorCircularSpeedometer2")), QRect(1304, 210, 200, 200));
    EXPECT_EQ(InWindow(window, Component<QWidget>(window, "ZorRotarySwitch1")), QRect(208, 16, 100, 100));
    // A wider window than the layout's shape keeps the scale of its height;
    // the centre takes the extra width.
    window.resize(1200, 527);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(window.Scale(), 1);
    EXPECT_EQ(InWindow(window, Component<QWidget>(window, "CenterStage")), QRect(100, 0, 900, 463));
    EXPECT_EQ(InWindow(window, Component<QWidget>(window, "Panel2")), QRect(1000, 0, 100, 527));
    // The digital clock keeps its distance to the centre's right edge.
    EXPECT_EQ(InWindow(window, Component<QWidget>(window, "ZorDigitalClock1")), QRect(856, 8, 136, 50));
}

TEST(Dashboard, TwoStageClicksLeaveOneCopyOfTheLastInstrument)
{
    TfrmDashboard window;
    window.show();
    auto& altimeter = Component<TZorCircularAltimeter>(window, "ZorCircularAltimeter1");
    auto& barometer = Component<TZorCircularBarometer>(window, "ZorCircularBarometer1");
    SendClick(altimeter);
    ASSERT_NE(window.StageCopy(), nullptr);
    EXPECT_NE(dynamic_cast<TZorCircularAltimeter*>(window.StageCopy()), nullptr);
    SendClick(barometer);
    int copies = 0;
    for (QObject* child : window.CenterStage().children())
        copies += dynamic_cast<TZorSVGCustomInstrument*>(child) != nullptr;
    EXPECT_EQ(copies, 1);
    auto* copy = dynamic_cast<TZorCircularBarometer*>(window.StageCopy());
    ASSERT_NE(copy, nullptr);
    // At the stage's size, without a click handler: clicking it changes nothing.
    EXPECT_EQ(copy->geometry(), window.CenterStage().rect());
    EXPECT_FALSE(copy->OnClick);
    SendClick(*copy);
    EXPECT_EQ(window.StageCopy(), copy);
}

TEST(Dashboard, TheCopyKeepsTheStoredPropertiesAndAnimationOfItsOriginal)
{
    TfrmDashboard window;
    auto& barometer = Component<TZorCircularBarometer>(window, "ZorCircularBarometer1");
    barometer.SetFrameColor(0xFF123456);
    barometer.SetCaption("Pressure");
    SendClick(barometer);
    auto& copy = dynamic_cast<TZorCircularBarometer&>(*window.StageCopy());
    EXPECT_EQ(copy.FrameColor(), 0xFF123456u);
    EXPECT_EQ(copy.Caption(), "Pressure");
    EXPECT_EQ(copy.Decoration(), TDecoration::dcRainy);
    EXPECT_EQ(copy.Font().Size(), 8);
    ASSERT_NE(copy.findChild<TFloatAnimation*>("FloatAnimation5"), nullptr);
    EXPECT_EQ(copy.findChild<TFloatAnimation*>("FloatAnimation5")->StopValue(), 1050);
    // What the copy stores differs from the original only in its alignment
    // and its click handler.
    copy.SetAlign(barometer.Align());
    copy.SetEventHandler("OnClick", barometer.EventHandler("OnClick"));
    EXPECT_EQ(Store(copy), Store(barometer));
}

TEST(Dashboard, AFreeStandingInstrumentStoresTheSizeItShows)
{
    // The round instruments' common size and gallery instruments that make
    // themselves at a size of their own.
    const struct {
        const char* Name;
        TInstrumentClass::TCreate Create;
        QSize Shown;
    } cases[] = {
        {"barometer", InstrumentMaker<TZorCircularBarometer>(), QSize(200, 200)},
        {"battery", InstrumentMaker<TZorBattery>(), QSize(100, 200)},
        {"thermometer", InstrumentMaker<TZorThermometer>(), QSize(75, 200)},
        {"digital clock", InstrumentMaker<TZorDigitalClock>(), QSize(200, 75)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::unique_ptr<TZorSVGCustomInstrument> original = c.Create();
        EXPECT_EQ(original->size(), c.Shown);
        EXPECT_EQ(original->Bounds().size(), QSizeF(c.Shown));
        // A copy made from what it stores has its size, placed at one pixel
        // per unit.
        const QByteArray stored = Store(*original);
        QBuffer buffer;
        buffer.setData(stored);
        buffer.open(QIODevice::ReadOnly);
        TLayout stage;
        std::unique_ptr<TPersistent> made = DashboardClasses().ClassOf(*original).Create(&stage);
        auto& copy = dynamic_cast<TZorSVGCustomInstrument&>(*made);
        TReader(buffer, DashboardClasses()).ReadRootComponent(copy);
        EXPECT_EQ(copy.Bounds().size(), QSizeF(c.Shown));
        ArrangeAligned(stage, QSizeF(400, 400), 1);
        EXPECT_EQ(copy.size(), c.Shown);
    }
}

TEST(Dashboard, TheStoredLayoutLoadsIntoTheSameWindow)
{
    TfrmDashboard window;
    Component<TZorCircularAltimeter>(window, "ZorCircularAltimeter1").SetLightColor(0xFF80C0FF);
    const QByteArray stored = window.StoreLayout();
    QBuffer buffer;
    buffer.setData(stored);
    buffer.open(QIODevice::ReadOnly);
    TfrmDashboard again(buffer, DashboardClasses());
    // Each window sets the calendar and the clocks to the time it was made.
    Component<TZorAnalogCalendar>(again, "ZorAnalogCalendar1")
        .SetTime(Component<TZorAnalogCalendar>(window, "ZorAnalogCalendar1").Time());
    Component<TZorCircularClock>(again, "ZorCircularClock1")
        .SetTime(Component<TZorCircularClock>(window, "ZorCircularClock1").Time());
    Component<TZorClock>(again, "ZorClock1").SetTime(Component<TZorClock>(window, "ZorClock1").Time());
    Component<TZorDigitalClock>(again, "ZorDigitalClock1")
        .SetTime(Component<TZorDigitalClock>(window, "ZorDigitalClock1").Time());
    EXPECT_EQ(again.StoreLayout(), stored);
    EXPECT_EQ(Component<TZorCircularAltimeter>(again, "ZorCircularAltimeter1").LightColor(), 0xFF80C0FFu);
    EXPECT_EQ(again.size(), QSize(752, 527));
}

TEST(Dashboard, TheRotarySwitchStopsAndStartsBothTimersAndShowsNoCopy)
{
    TfrmDashboard window;
    window.show();
    auto& rotary = Component<TZorRotarySwitch>(window, "ZorRotarySwitch1");
    EXPECT_TRUE(rotary.Checked());
    window.Timer1().SetTag(6);
    rotary.SetChecked(false);
    EXPECT_FALSE(window.Timer1().Enabled() || window.Timer1().isActive());
    EXPECT_FALSE(window.Timer2().Enabled() || window.Timer2().isActive());
    rotary.SetChecked(true);
    EXPECT_TRUE(window.Timer1().isActive() && window.Timer2().isActive());
    // The timers resume from the step they had.
    EXPECT_EQ(window.Timer1().Tag(), 6);
    SendClick(rotary);
    EXPECT_EQ(window.StageCopy(), nullptr);
}

TEST(Dashboard, TheCalendarShowsTheSeasonOfItsDay)
{
    TfrmDashboard window;
    auto& calendar = Component<TZorAnalogCalendar>(window, "ZorAnalogCalendar1");
    const struct {
        int Day;
        TDecoration Decoration;
    } days[] = {{79, TDecoration::dcWinter}, {80, TDecoration::dcSpring}, {172, TDecoration::dcSummer},
                {266, TDecoration::dcAutumn}, {356, TDecoration::dcWinter}};
    for (const auto& day : days) {
        calendar.SetDayOfYear(day.Day);
        EXPECT_EQ(calendar.Decoration(), day.Decoration) << day.Day;
        EXPECT_EQ(calendar.DecorationFillColor(), SeasonOfDay(day.Day).Color) << day.Day;
    }
}

TEST(Dashboard, TheMouseSweepsAnInstrumentForwardOnEnterAndBackOnLeave)
{
    TfrmDashboard window;
    auto& barometer = Component<TZorCircularBarometer>(window, "ZorCircularBarometer1");
    auto& sweep = *barometer.findChild<TFloatAnimation*>("FloatAnimation5");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&barometer, &enter);
    EXPECT_EQ(sweep.state(), QAbstractAnimation::Running);
    EXPECT_EQ(sweep.direction(), QAbstractAnimation::Forward);
    sweep.setCurrentTime(sweep.duration());
    EXPECT_FLOAT_EQ(barometer.Value(), 1050);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&barometer, &leave);
    EXPECT_EQ(sweep.direction(), QAbstractAnimation::Backward);
    sweep.setCurrentTime(0);
    EXPECT_FLOAT_EQ(barometer.Value(), 950);

    // The altimeter's sweep is played in reverse: from its stop value.
    auto& altimeter = Component<TZorCircularAltimeter>(window, "ZorCircularAltimeter1");
    auto& reverse = *altimeter.findChild<TFloatAnimation*>("FloatAnimation9");
    QApplication::sendEvent(&altimeter, &enter);
    EXPECT_EQ(reverse.direction(), QAbstractAnimation::Backward);
}

TEST(Dashboard, AnAnimationOfAPropertyTheInstrumentLacksIsRefused)
{
    QObject target;
    TFloatAnimation bound(&target);
    EXPECT_THROW(bound.SetPropertyName("Value"), EConvertError);
    EXPECT_THROW(bound.SetTrigger("IsPressed=true"), EConvertError);
}

TEST(Dashboard, AnErrorInAHandlerStaysWithTheComponentThatRanIt)
{
    TfrmDashboard window;
    auto& clock = Component<TZorCircularClock>(window, "ZorCircularClock1");
    clock.OnClick = [](TZorSVGControl*) { Raise<EInvalidOperation>(QStringLiteral("no stage today")); };
    SendClick(clock);
    EXPECT_EQ(clock.LastEventError(), "no stage today");

    TTimer timer;
    timer.SetInterval(1);
    timer.OnTimer = [](TTimer*) { Raise<EInvalidOperation>(QStringLiteral("tick failed")); };
    QElapsedTimer waited;
    waited.start();
    while (timer.LastError().isEmpty() && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(timer.LastError(), "tick failed");
}

namespace {

using TLight = TZorTrafficLight::TLight;

TZorTrafficLight::TLights TrafficLights(const TfrmDashboard& Window)
{
    return Component<TZorTrafficLight>(Window, "ZorTrafficLight1").Lights();
}

// The cube lit, 1..7, or 0 for none (or more than one).
int LitCube(const TfrmDashboard& Window)
{
    int lit = 0;
    for (int i = 1; i <= TfrmDashboard::CubeLights; ++i)
        if (Component<TZorCubeLight>(Window, QStringLiteral("ZorCubeLight%1").arg(i)).Checked())
            lit = lit == 0 ? i : -1;
    return std::max(lit, 0);
}

} // namespace

TEST(Dashboard, TheTrafficLightCyclesInTwelveSeconds)
{
    TfrmDashboard window;
    TTimer& timer = window.Timer1();
    std::vector<TLight> phases;
    for (int tick = 0; tick < 12; ++tick) {
        window.Timer1Timer(timer);
        const auto lights = TrafficLights(window);
        ASSERT_EQ(lights.ToBits() & (lights.ToBits() - 1), 0U) << "one lamp at a time";
        for (TLight light : {TLight::ltRed, TLight::ltYellow, TLight::ltGreen})
            if (lights.Contains(light))
                phases.push_back(light);
    }
    const std::vector<TLight> expected = {TLight::ltGreen,  TLight::ltGreen, TLight::ltGreen, TLight::ltGreen,
                                          TLight::ltGreen,  TLight::ltYellow, TLight::ltYellow, TLight::ltRed,
                                          TLight::ltRed,    TLight::ltRed,   TLight::ltRed,   TLight::ltRed};
    EXPECT_EQ(phases, expected);
    EXPECT_EQ(timer.Tag(), 0);
    window.Timer1Timer(timer);
    EXPECT_EQ(TrafficLights(window), TZorTrafficLight::TLights{TLight::ltGreen});
}

TEST(Dashboard, OneLitCubeRunsLeftToRight)
{
    TfrmDashboard window;
    TTimer& timer = window.Timer2();
    for (int tick = 1; tick <= 7; ++tick) {
        window.Timer2Timer(timer);
        EXPECT_EQ(LitCube(window), tick);
    }
    EXPECT_EQ(timer.Tag(), 0);
    window.Timer2Timer(timer);
    EXPECT_EQ(LitCube(window), 1);
}

TEST(Dashboard, TheClocksTellTheTimeFromTheStartAndEverySecond)
{
    TfrmDashboard window;
    auto& digital = Component<TZorDigitalClock>(window, "ZorDigitalClock1");
    auto& classic = Component<TZorClock>(window, "ZorClock1");
    auto& round = Component<TZorCircularClock>(window, "ZorCircularClock1");
    constexpr double Minute = 1.0 / 24 / 60;
    EXPECT_NEAR(digital.Time(), Now(), Minute);
    EXPECT_EQ(classic.Time(), digital.Time());
    EXPECT_EQ(round.Time(), digital.Time());
    digital.SetTime(0);
    classic.SetTime(0);
    round.SetTime(0);
    window.Timer1Timer(window.Timer1());
    EXPECT_NEAR(digital.Time(), Now(), Minute);
    EXPECT_EQ(classic.Time(), digital.Time());
    EXPECT_EQ(round.Time(), digital.Time());
}

TEST(Dashboard, StoppedInTheYellowTheCycleResumesWhereItWas)
{
    TfrmDashboard window;
    window.show();
    auto& rotary = Component<TZorRotarySwitch>(window, "ZorRotarySwitch1");
    for (int tick = 0; tick < 6; ++tick)
        window.Timer1Timer(window.Timer1());
    for (int tick = 0; tick < 3; ++tick)
        window.Timer2Timer(window.Timer2());
    ASSERT_EQ(TrafficLights(window), TZorTrafficLight::TLights{TLight::ltYellow});
    rotary.SetChecked(false);
    EXPECT_FALSE(window.Timer1().isActive() || window.Timer2().isActive());
    rotary.SetChecked(true);
    EXPECT_TRUE(window.Timer1().isActive() && window.Timer2().isActive());
    EXPECT_EQ(window.Timer1().Tag(), 6);
    EXPECT_EQ(window.Timer2().Tag(), 3);
    window.Timer1Timer(window.Timer1());
    EXPECT_EQ(TrafficLights(window), TZorTrafficLight::TLights{TLight::ltYellow});
    window.Timer1Timer(window.Timer1());
    EXPECT_EQ(TrafficLights(window), TZorTrafficLight::TLights{TLight::ltRed});
    window.Timer2Timer(window.Timer2());
    EXPECT_EQ(LitCube(window), 4);
}

TEST(Dashboard, TheGalleryInstrumentsCopyOntoTheStage)
{
    TfrmDashboard window;
    auto& compass = Component<TZorCompass>(window, "ZorCompass1");
    SendClick(compass);
    auto* copy = dynamic_cast<TZorCompass*>(window.StageCopy());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Rotate(), TCompassMovablePart::cmpFace);
    EXPECT_EQ(copy->Decoration(), TDecoration::dcCar);
    EXPECT_EQ(copy->ActiveSVGElement(), copy->SVG().AllItems().Items(QStringLiteral("BackfaceDetail")));
    ASSERT_NE(copy->findChild<TFloatAnimation*>("FloatAnimation3"), nullptr);

    auto& battery = Component<TZorBatteryModern>(window, "ZorBatteryModern1");
    SendClick(battery);
    auto* cell = dynamic_cast<TZorBatteryModern*>(window.StageCopy());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->FillColor(), 0xFF55D400u);
    EXPECT_EQ(cell->BandsColor(), 0xFF000000u);
    cell->SetAlign(battery.Align());
    cell->SetEventHandler("OnClick", battery.EventHandler("OnClick"));
    EXPECT_EQ(Store(*cell), Store(battery));

    // The digital clock stores its colours, which have no defaults.
    const QByteArray digital = Store(Component<TZorDigitalClock>(window, "ZorDigitalClock1"));
    EXPECT_TRUE(digital.contains("LabelsStrokeColor"));
    EXPECT_FALSE(digital.contains("TwentyFourHour"));
}

TEST(Dashboard, TheMouseSweepsTheGalleryInstruments)
{
    TfrmDashboard window;
    const struct {
        const char* Instrument;
        const char* Animation;
        const char* Property;
        double Stop;
    } sweeps[] = {
        {"ZorCompass1", "FloatAnimation3", "Angle", 360},       {"ZorThermometer1", "FloatAnimation10", "Value", 120},
        {"ZorBattery1", "FloatAnimation1", "Value", 100},       {"ZorBatteryModern1", "FloatAnimation2", "Value", 100},
        {"ZorSpeedometer2", "FloatAnimation8", "Value", 240},
    };
    QEvent enter(QEvent::Enter);
    for (const auto& sweep : sweeps) {
        SCOPED_TRACE(sweep.Instrument);
        auto& instrument = Component<TZorSVGCustomInstrument>(window, sweep.Instrument);
        auto* animation = instrument.findChild<TFloatAnimation*>(sweep.Animation);
        ASSERT_NE(animation, nullptr);
        QApplication::sendEvent(&instrument, &enter);
        animation->setCurrentTime(animation->duration());
        EXPECT_DOUBLE_EQ(instrument.property(sweep.Property).toDouble(), sweep.Stop);
        EXPECT_TRUE(animation->LastError().isEmpty());
    }
}

namespace {

// The boxes of the labels of a round gauge, laid along its circle.
std::vector<TLabelBox> RoundGaugeLabels(TZorSVGControl& Gauge)
{
    TSVGDocument& document = Gauge.SVG();
    const auto* group = dynamic_cast<TSVGGraphicElement*>(document.AllItems().Items(QStringLiteral("MeasurementLabels")));
    const auto* circle = dynamic_cast<TSVGGraphicElement*>(document.AllItems().Items(QStringLiteral("TextCircle")));
    std::vector<double> angles;
    std::vector<double> advances;
    for (const TSVGElement* child : group->Items()) {
        const auto* text = dynamic_cast<const TSVGCustomText*>(child);
        const auto* along = dynamic_cast<const TSVGTextPath*>(text->Items()[0]);
        angles.push_back((along->StartOffset().Raw() - 0.0625) * 720);
        advances.push_back(text->TextAdvance());
    }
    const double size = group->Font().Size();
    return CircleLabelBoxes(angles, advances, circle->BoundsRect().width() / 2, 0.8 * size, 0.2 * size);
}

// The boxes of the upright labels that are children of the elements IDs.
std::vector<TLabelBox> UprightLabels(TZorSVGControl& Instrument, std::initializer_list<const char*> IDs)
{
    std::vector<TLabelBox> boxes;
    for (const char* id : IDs)
        for (const TSVGElement* child : Instrument.SVG().AllItems().Items(QString::fromLatin1(id))->Items())
            boxes.push_back(TextLabelBox(*dynamic_cast<const TSVGCustomText*>(child)));
    return boxes;
}

} // namespace

// Wherever labels would run into each other they are smaller: none in the
// window touches another, the round speedometer's "96", "108" and "120" included.
TEST(Dashboard, NoLabelsRunIntoEachOther)
{
    TfrmDashboard window;
    for (const char* name : {"ZorCircularAltimeter1", "ZorCircularBarometer1", "ZorCircularCompass1", "ZorRotaryDial1",
                             "ZorAnalogCalendar1", "ZorCircularClock1", "ZorCircularFuelGauge1",
                             "ZorCircularSpeedometer2", "ZorRotarySwitch1"}) {
        SCOPED_TRACE(name);
        EXPECT_GE(FittingLabelScale(RoundGaugeLabels(Component(window, name))), 1 - 1e-6);
    }
    auto& speedometer = Component(window, "ZorCircularSpeedometer2");
    const auto* labels = dynamic_cast<TSVGGraphicElement*>(
        speedometer.SVG().AllItems().Items(QStringLiteral("MeasurementLabels")));
    EXPECT_LT(labels->Font().Size(), labels->GetGraphicParent()->Font().Size());
    EXPECT_GE(FittingLabelScale(UprightLabels(Component(window, "ZorSpeedometer2"), {"Labels"})), 1 - 1e-6);
    EXPECT_GE(FittingLabelScale(UprightLabels(Component(window, "ZorThermometer1"), {"textLeft", "textRight"})),
              1 - 1e-6);
}
