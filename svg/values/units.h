#pragma once
// The units a length can be written in, and the suffix that names each one in
// SVG text.

#include <QLatin1String>
#include <array>
#include <cstddef>

namespace zor {

enum class TSVGUnit {
    suNone,
    suPixels,
    suPoints,
    suPicas,
    suMillimeters,
    suCentimeters,
    suInches,
    suFontSize,
    suFontXHeight,
    suPercent
};
constexpr std::size_t EnumCount(TSVGUnit) { return 10; }

// Indexed by TSVGUnit; a unitless number has no suffix.
inline constexpr std::array<const char*, EnumCount(TSVGUnit{})> SVGUnitSuffixes = {
    "", "px", "pt", "pc", "mm", "cm", "in", "em", "ex", "%"};

inline QLatin1String UnitSuffix(TSVGUnit Unit)
{
    return QLatin1String(SVGUnitSuffixes[static_cast<std::size_t>(Unit)]);
}

} // namespace zor
