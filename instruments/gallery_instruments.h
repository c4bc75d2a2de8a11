#pragma once
// The gallery's instruments beyond the round ones in the registry of the
// tools, each by the name of its artwork: "traffic_light", "cube_light",
// "speedometer", "battery", "battery_modern", "thermometer",
// "compass_metallic", "clock_classic" and "clock_digital".

namespace zor {

class TInstrumentRegistry;

void RegisterGalleryInstruments(TInstrumentRegistry& Registry);

} // namespace zor
