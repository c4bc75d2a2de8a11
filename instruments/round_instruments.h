#pragma once
// The nine round instruments in the registry of the tools, by name:
// "circular_speedometer", "circular_barometer", "circular_altimeter",
// "circular_fuel_gauge", "rotary_switch", "rotary_dial", "circular_compass",
// "circular_clock" and "analog_calendar".

namespace zor {

class TInstrumentRegistry;

void RegisterRoundInstruments(TInstrumentRegistry& Registry);

} // namespace zor
