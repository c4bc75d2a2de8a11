#include "instruments/round_instruments.h"

#include "instruments/altimeters.h"
#include "instruments/barometers.h"
#include "instruments/clocks.h"
#include "instruments/compass.h"
#include "instruments/fuel_gauges.h"
#include "instruments/instrument_registry.h"
#include "instruments/speedometers.h"
#include "instruments/switches.h"

namespace zor {

namespace {

TDateTime ToDateTime(const QDateTime& Value)
{
    const QDate date = Value.date();
    const QTime time = Value.time();
    return EncodeDate(date.year(), date.month(), date.day()) +
           EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

template <typename T>
TInstrumentClass::TCreate Maker()
{
    return []() -> std::unique_ptr<TZorSVGCustomInstrument> { return CreateInstrument<T>(); };
}

// Shows a value through T's own Value setter.
template <typename T>
void ShowValue(TZorSVGCustomInstrument& Instrument, double Value)
{
    static_cast<T&>(Instrument).SetValue(static_cast<float>(Value));
}

} // namespace

void RegisterRoundInstruments(TInstrumentRegistry& Registry)
{
    Registry.Register({QStringLiteral("circular_speedometer"), Maker<TZorCircularSpeedometer>(),
                       ShowValue<TZorCircularSpeedometer>, nullptr});
    Registry.Register({QStringLiteral("circular_barometer"), Maker<TZorCircularBarometer>(),
                       ShowValue<TZorCircularBarometer>, nullptr});
    Registry.Register({QStringLiteral("circular_altimeter"), Maker<TZorCircularAltimeter>(),
                       ShowValue<TZorCircularAltimeter>, nullptr});
    Registry.Register({QStringLiteral("circular_fuel_gauge"), Maker<TZorCircularFuelGauge>(),
                       ShowValue<TZorCircularFuelGauge>, nullptr});
    Registry.Register({QStringLiteral("rotary_switch"), Maker<TZorRotarySwitch>(),
                       [](TZorSVGCustomInstrument& Instrument, double Value) {
                           static_cast<TZorRotarySwitch&>(Instrument).SetValue(static_cast<int>(std::lround(Value)));
                       },
                       nullptr});
    Registry.Register(
        {QStringLiteral("rotary_dial"), Maker<TZorRotaryDial>(), ShowValue<TZorRotaryDial>, nullptr});
    Registry.Register({QStringLiteral("circular_compass"), Maker<TZorCircularCompass>(),
                       [](TZorSVGCustomInstrument& Instrument, double Value) {
                           static_cast<TZorCircularCompass&>(Instrument).SetAngle(static_cast<float>(Value));
                       },
                       nullptr});
    Registry.Register({QStringLiteral("circular_clock"), Maker<TZorCircularClock>(), nullptr,
                       [](TZorSVGCustomInstrument& Instrument, const QDateTime& Time) {
                           static_cast<TZorCircularClock&>(Instrument).SetTime(ToDateTime(Time));
                       }});
    Registry.Register({QStringLiteral("analog_calendar"), Maker<TZorAnalogCalendar>(),
                       [](TZorSVGCustomInstrument& Instrument, double Value) {
                           static_cast<TZorAnalogCalendar&>(Instrument).SetDayOfYear(static_cast<int>(Value));
                       },
                       [](TZorSVGCustomInstrument& Instrument, const QDateTime& Time) {
                           static_cast<TZorAnalogCalendar&>(Instrument).SetTime(ToDateTime(Time));
                       }});
}

} // namespace zor
