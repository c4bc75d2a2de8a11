#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QMouseEvent>

#include "app/dashboard_window.h"
#include "app/season.h"
#include "instruments/altimeters.h"
#include "instruments/barometers.h"
#include "instruments/clocks.h"
#include "instruments/switches.h"

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
        {"ZorRotaryDial1", {0, 400, 100, 100}},
        {"ZorAnalogCalendar1", {552, 100, 100, 100}},
        {"ZorCircularClock1", {552, 200, 100, 100}},
        {"ZorCircularFuelGauge1", {652, 0, 100, 100}},
        {"ZorCircularSpeedometer2", {652, 105, 100, 100}},
        {"ZorRotarySwitch1", {104, 8, 50, 50}},
    };
    for (const auto& place : places)
        EXPECT_EQ(InWindow(window, Component<QWidget>(window, place.Name)), place.Place) << place.Name;
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
    const auto original = CreateInstrument<TZorCircularBarometer>();
    EXPECT_EQ(original->size(), QSize(200, 200));
    EXPECT_EQ(original->Bounds().size(), QSizeF(200, 200));
    // A copy made from what it stores has its size, placed at one pixel per
    // unit.
    const QByteArray stored = Store(*original);
    QBuffer buffer;
    buffer.setData(stored);
    buffer.open(QIODevice::ReadOnly);
    TLayout stage;
    std::unique_ptr<TPersistent> made = DashboardClasses().ClassOf(*original).Create(&stage);
    auto& copy = dynamic_cast<TZorCircularBarometer&>(*made);
    TReader(buffer, DashboardClasses()).ReadRootComponent(copy);
    EXPECT_EQ(copy.Bounds().size(), QSizeF(200, 200));
    ArrangeAligned(stage, QSizeF(400, 400), 1);
    EXPECT_EQ(copy.size(), QSize(200, 200));
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
    // Each window sets the calendar to the time it was made.
    Component<TZorAnalogCalendar>(again, "ZorAnalogCalendar1")
        .SetTime(Component<TZorAnalogCalendar>(window, "ZorAnalogCalendar1").Time());
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
