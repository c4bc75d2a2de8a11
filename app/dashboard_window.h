#pragma once
// The dashboard window: made from its stored layout (panels, a grid, the
// centre stage, the instruments with their animations, two timers), shown at
// the layout's size and scaled as a whole when the window is enlarged.
// Clicking an instrument shows a copy of it on the centre stage; the rotary
// switch starts and stops the timers, which run the clocks, the traffic light
// and a running light over the cube lights; the calendar's emblem follows the
// season.

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>

#include "app/components.h"
#include "platform/component.h"

class QIODevice;

namespace zor {

class TStreamRegistry;
class TZorSVGCustomInstrument;
class TZorAnalogCalendar;
class TZorCircularClock;
class TZorClock;
class TZorCubeLight;
class TZorDigitalClock;
class TZorRotarySwitch;
class TZorTrafficLight;

namespace messages {
inline constexpr const char* ComponentNotFound = "Component %s not found";
} // namespace messages

class TfrmDashboard : public TContainerControl {
    Q_OBJECT

public:
    static constexpr double DesignWidth = 752;
    static constexpr double DesignHeight = 527;

    // The window of the program's stored layout.
    TfrmDashboard();
    // The window of the layout in Stream (binary), with the classes of Registry.
    TfrmDashboard(QIODevice& Stream, const TStreamRegistry& Registry);
    ~TfrmDashboard() override;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& Value) { setWindowTitle(Value); }

    // The window and everything on it as a stored layout (binary).
    QByteArray StoreLayout() const;

    // Pixels per layout unit: the largest that fits the window.
    double Scale() const;
    // Places every control for the window's present size.
    void Arrange();

    TLayout& CenterStage() const { return *FCenterStage; }
    // The copy the stage shows, or null.
    TZorSVGCustomInstrument* StageCopy() const;
    TTimer& Timer1() const { return *FTimer1; }
    TTimer& Timer2() const { return *FTimer2; }
    const TStreamRegistry& Registry() const { return FRegistry; }

    // The steps of the two timers' cycles: the traffic light's twelve
    // seconds and the running light's seven cubes.
    static constexpr int TrafficLightSteps = 12;
    static constexpr int CubeLights = 7;

    // --- Handlers the layout binds by name ------------------------------------
    // Sets the calendar, and the clocks, to the present time.
    void FormCreate();
    // Shows a copy of the clicked instrument on the stage, in place of the last.
    void ZorCircularAltimeter1Click(TPersistent& Sender);
    void ZorAnalogCalendar1Change(TPersistent& Sender);
    void ZorRotarySwitch1Change(TPersistent& Sender);
    // Every second: the clocks show the present time and the traffic light
    // takes the phase of Timer1's step (green 5 s, yellow 2 s, red 5 s).
    void Timer1Timer(TPersistent& Sender);
    // Every 250 ms: the cube of Timer2's step alone is lit, left to right.
    void Timer2Timer(TPersistent& Sender);

    // The handler of the layout's name Name; empty when there is none.
    THandler FindHandler(const QString& Name);

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    void Load(QIODevice& Stream);
    template <typename T>
    T* FindComponent(const QString& Name, bool Required) const;
    // A copy of Source made as the stage shows it: its own class, its stored
    // values and children, no click handler.
    void ShowOnStage(TZorSVGCustomInstrument& Source);
    // The three clocks show Time.
    void ShowTime(double Time);

    const TStreamRegistry& FRegistry;
    TLayout* FCenterStage = nullptr;
    TTimer* FTimer1 = nullptr;
    TTimer* FTimer2 = nullptr;
    TZorAnalogCalendar* FCalendar = nullptr;
    TZorCircularClock* FClock = nullptr;
    TZorRotarySwitch* FSwitch = nullptr;
    TZorDigitalClock* FDigitalClock = nullptr;
    TZorClock* FClassicClock = nullptr;
    TZorTrafficLight* FTrafficLight = nullptr;
    std::array<TZorCubeLight*, CubeLights> FCubeLights{};
};

// The classes a dashboard layout is made of, registered once.
const TStreamRegistry& DashboardClasses();
// The program's stored layout, in its text form.
QString DashboardLayoutText();

} // namespace zor
