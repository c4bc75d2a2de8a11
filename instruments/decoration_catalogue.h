#pragma once
// The built-in decoration emblems an instrument shows on its face: one SVG
// path text per decoration, drawn in a frame from (0, 0) to (100, 100) that
// the artwork places on the face. Some emblems overhang the frame by a few
// units; the larger versions for the round instruments overhang it far.
//
// Every emblem is a set of closed subpaths that never cross: outlines run one
// way round and the holes in them the other, so the even-odd and the nonzero
// fill rule draw the same picture, and a stroke only traces the silhouette.

#include <QString>
#include <cstddef>
#include <span>

namespace zor {

enum class TDecoration {
    dcNone,
    dcCustom,
    dcStar,
    dcModern,
    dcDragon,
    dcAnchor,
    dcWheel,
    dcPlane,
    dcPlaneTop,
    dcJet,
    dcCar,
    dcSimpleBoat,
    dcGlobe,
    dcFuelTank,
    dcBolt,
    dcBiohazard,
    dcWifi,
    dcCloudy,
    dcSunny,
    dcStormy,
    dcRainy,
    dcSnowy,
    dcPartlyCloudy,
    dcWinter,
    dcSpring,
    dcSummer,
    dcAutumn
};
constexpr std::size_t EnumCount(TDecoration) { return 27; }

// The value's name as the code spells it ("dcStar").
QString DecorationName(TDecoration Decoration);
// Every value's name, by ordinal, as streaming writes them.
std::span<const char* const> DecorationNames();

// The emblem's path text; empty for dcNone and dcCustom, which clear the
// decoration path (dcCustom leaves it for the application to fill).
QString DecorationPathText(TDecoration Decoration);

// The path text the round instruments (the circular gauges and the metallic
// compass) show: larger versions of dcStar, dcModern (a toothed ring around
// the dial) and dcGlobe; the catalogue text for every other value.
QString LargeDecorationPathText(TDecoration Decoration);

// True for the values a traffic-light lamp takes: dcNone and dcCustom, which
// clear the lamp's decoration, and the emblems that suit a lamp. A lamp keeps
// its previous decoration for any other value.
bool IsLampDecoration(TDecoration Decoration);

} // namespace zor
