#include "instruments/gallery_instruments.h"

#include <cmath>

#include "instruments/batteries.h"
#include "instruments/car_speedometer.h"
#include "instruments/classic_clock.h"
#include "instruments/digital_clock.h"
#include "instruments/instrument_registry.h"
#include "instruments/lights.h"
#include "instruments/metallic_compass.h"
#include "instruments/thermometers.h"

namespace zor {

namespace {

// Shows a time through T's own Time setter.
template <typename T>
void ShowTime(TZorSVGCustomInstrument& Instrument, const QDateTime& Time)
{
    static_cast<T&>(Instrument).SetTime(ToDateTime(Time));
}

} // namespace

void RegisterGalleryInstruments(TInstrumentRegistry& Registry)
{
    // A traffic light shows the lamps of a value's bits: 1 red, 2 yellow, 4 green.
    Registry.Register({QStringLiteral("traffic_light"), InstrumentMaker<TZorTrafficLight>(),
                       [](TZorSVGCustomInstrument& Instrument, double Value) {
                           static_cast<TZorTrafficLight&>(Instrument).SetLightBits(
                               static_cast<quint64>(std::clamp(std::lround(Value), 0L, 7L)));
                       },
                       nullptr});
    Registry.Register({QStringLiteral("cube_light"), InstrumentMaker<TZorCubeLight>(),
                       [](TZorSVGCustomInstrument& Instrument, double Value) {
                           static_cast<TZorCubeLight&>(Instrument).SetChecked(Value != 0);
                       },
                       nullptr});
    Registry.Register({QStringLiteral("speedometer"), InstrumentMaker<TZorSpeedometer>(), ShowValue<TZorSpeedometer>,
                       nullptr});
    Registry.Register({QStringLiteral("battery"), InstrumentMaker<TZorBattery>(), ShowValue<TZorBattery>, nullptr});
    Registry.Register({QStringLiteral("battery_modern"), InstrumentMaker<TZorBatteryModern>(),
                       ShowValue<TZorBatteryModern>, nullptr});
    Registry.Register({QStringLiteral("thermometer"), InstrumentMaker<TZorThermometer>(), ShowValue<TZorThermometer>,
                       nullptr});
    Registry.Register({QStringLiteral("compass_metallic"), InstrumentMaker<TZorCompass>(),
                       [](TZorSVGCustomInstrument& Instrument, double Value) {
                           static_cast<TZorCompass&>(Instrument).SetAngle(static_cast<float>(Value));
                       },
                       nullptr});
    Registry.Register({QStringLiteral("clock_classic"), InstrumentMaker<TZorClock>(), nullptr, ShowTime<TZorClock>});
    Registry.Register({QStringLiteral("clock_digital"), InstrumentMaker<TZorDigitalClock>(), nullptr,
                       ShowTime<TZorDigitalClock>});
}

} // namespace zor
