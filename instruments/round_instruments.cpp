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

void RegisterRoundInstruments(TInstrumentRegistry& Registry)
{
    Registry.Register({QStringLiteral("circular_speedometer"), InstrumentMaker<TZorCircularSpeedometer>(),
                       ShowValue<TZorCircularSpeedometer>, nullptr});
    Registry.Register({QStringLiteral("circular_barometer"), InstrumentMaker<TZorCircularBarometer>(),
                       ShowValue<TZorCircularBarometer>, nullptr});
    Registry.Register({QStringLiteral("circular_altimeter"), InstrumentMaker<TZorCircularAltimeter>(),
                       ShowValue<TZorCircularAltimeter>, nullptr});
    Registry.Register({QStringLiteral("circular_fuel_gauge"), InstrumentMaker<TZorCircularFuelGauge>(),
                       ShowValue<TZorCircularFuelGauge>, nullptr});
    Registry.Register({QStringLiteral("rotary_switch"), InstrumentMaker<TZorRotarySwitch>(),
                       [](TZorSVGCustomInstrument& Instrument, double Value) {
                           static_cast<TZorRotarySwitch&>(Instrument).SetValue(static_cast<int>(std::lround(Value)));
                       },
                       nullptr});
    Registry.Register(
        {QStringLiteral("rotary_dial"), InstrumentMaker<TZorRotaryDial>(), ShowValue<TZorRotaryDial>, nullptr});
    Registry.Register({QStringLiteral("circular_compass"), InstrumentMaker<TZorCircularCompass>(),
                       [](TZorSVGCustomInstrument& Instrument, double Value) {
                           static_cast<TZorCircularCompass&>(Instrument).SetAngle(static_cast<float>(Value));
                       },
                       nullptr});
    Registry.Register({QStringLiteral("circular_clock"), InstrumentMaker<TZorCircularClock>(), nullptr,
                       [](TZorSVGCustomInstrument& Instrument, const QDateTime& Time) {
                           static_cast<TZorCircularClock&>(Instrument).SetTime(ToDateTime(Time));
                       }});
    Registry.Register({QStringLiteral("analog_calendar"), InstrumentMaker<TZorAnalogCalendar>(),
                       [](TZorSVGCustomInstrument& Instrument, double Value) {
                           static_cast<TZorAnalogCalendar&>(Instrument).SetDayOfYear(static_cast<int>(Value));
                       },
                       [](TZorSVGCustomInstrument& Instrument, const QDateTime& Time) {
                           static_cast<TZorAnalogCalendar&>(Instrument).SetTime(ToDateTime(Time));
                       }});
}

} // namespace zor
