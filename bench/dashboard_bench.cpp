// The dashboard window offscreen with every instrument animating at 60 Hz
// and both timers running: each iteration is one frame, in which each
// instrument's animated property takes its next value, the timers' handlers
// run at their own rates (every 60th and every 15th frame: the clocks, the
// traffic light and the running light of cube lights), and the event loop
// runs until the next frame is due, as the window's does: it paints what the
// changes asked for, the instruments that changed over the area they said
// changed, when the repaints that wait for the screen's refresh are due. The
// CPU time per iteration is the cost of a frame (the wall time is the frame
// period); "core_%" is the share of one core that 60 such frames a second
// take.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <array>
#include <chrono>
#include <cmath>
#include <ctime>

#include "app/dashboard_window.h"
#include "instruments/custom_instrument.h"

namespace {

// Each instrument with an animatable property, the property and the range
// it sweeps.
struct TSweep {
    const char* Instrument;
    const char* Property;
    double From;
    double To;
};
constexpr std::array<TSweep, 16> Sweeps = {{
    {"ZorCircularAltimeter1", "Value", 0, 30000},
    {"ZorCircularBarometer1", "Value", 950, 1050},
    {"ZorCircularCompass1", "Angle", 0, 360},
    {"ZorCompass1", "Angle", 0, 360},
    {"ZorRotaryDial1", "Value", 0, 10},
    {"ZorAnalogCalendar1", "Time", 0, 365},
    {"ZorCircularClock1", "Time", 0, 1},
    {"ZorClock1", "Time", 0, 1},
    {"ZorThermometer1", "Value", 0, 120},
    {"ZorCircularFuelGauge1", "Value", 0, 100},
    {"ZorCircularSpeedometer2", "Value", 0, 120},
    {"ZorSpeedometer2", "Value", 0, 240},
    {"ZorBattery1", "Value", 0, 100},
    {"ZorBatteryModern1", "Value", 0, 100},
    {"ZorDigitalClock1", "Time", 0, 1},
    {"ZorRotarySwitch1", "Value", 0, 1},
}};

// The timers' intervals in frames of 60 Hz.
constexpr int Timer1Frames = 60;
constexpr int Timer2Frames = 15;
constexpr std::chrono::microseconds FramePeriod(16667);
// Two sweeps there and back.
constexpr int Frames = 480;

// Runs the event loop until Due.
void RunEventsUntil(std::chrono::steady_clock::time_point Due)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(Due - std::chrono::steady_clock::now());
    QEventLoop loop;
    QTimer::singleShot(std::max<std::chrono::milliseconds>(left, std::chrono::milliseconds(0)), Qt::PreciseTimer,
                       &loop, &QEventLoop::quit);
    loop.exec();
}

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void BM_DashboardFrameAt60Hz(benchmark::State& State)
{
    zor::TfrmDashboard window;
    window.resize(static_cast<int>(State.range(0)), static_cast<int>(State.range(0) * 527 / 752));
    window.show();
    window.Timer1().SetEnabled(false);
    window.Timer2().SetEnabled(false);
    QApplication::processEvents();
    std::array<zor::TZorSVGControl*, Sweeps.size()> instruments{};
    for (std::size_t i = 0; i < Sweeps.size(); ++i) {
        instruments[i] = window.findChild<zor::TZorSVGControl*>(Sweeps[i].Instrument);
        if (instruments[i] == nullptr) {
            State.SkipWithError("an instrument is missing");
            return;
        }
    }
    // Two-second sweeps there and back, 120 frames each way; the lights
    // switch as the timers say.
    int frame = 0;
    auto due = std::chrono::steady_clock::now();
    const double start = ProcessSeconds();
    for (auto _ : State) {
        const double phase = std::abs(std::fmod(frame / 120.0, 2.0) - 1.0);
        for (std::size_t i = 0; i < Sweeps.size(); ++i) {
            const TSweep& sweep = Sweeps[i];
            instruments[i]->setProperty(sweep.Property, sweep.From + (sweep.To - sweep.From) * phase);
        }
        if (frame % Timer1Frames == 0)
            window.Timer1Timer(window.Timer1());
        if (frame % Timer2Frames == 0)
            window.Timer2Timer(window.Timer2());
        due += FramePeriod;
        RunEventsUntil(due);
        ++frame;
    }
    const double spent = ProcessSeconds() - start;
    State.counters["core_%"] = benchmark::Counter(spent * 60 * 100, benchmark::Counter::kAvgIterations);
    for (const zor::TZorSVGControl* instrument : window.findChildren<zor::TZorSVGControl*>())
        if (!instrument->LastPaintError().isEmpty())
            State.SkipWithError(qPrintable(instrument->LastPaintError()));
}
// At the stored size, and enlarged twice.
BENCHMARK(BM_DashboardFrameAt60Hz)
    ->Arg(752)
    ->Arg(1504)
    ->Iterations(Frames)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
