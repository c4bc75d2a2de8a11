#pragma once
// Recolouring the stops of a gradient so that it keeps its shading: every
// stop moves with the new colour, by the same difference (shift) or the same
// brightness ratio (scale) it had to its neighbour.

#include <vector>

#include "svg/values/colors.h"

namespace zor {

// The light colour with its smallest channel taken off all three: white gives
// black, a pure colour stays as it is; the alpha is kept.
TAlphaColor ShadowColorOf(TAlphaColor LightColor);

// The stops recoloured to Color, each keeping its difference to stop
// RefIndex (read before anything changes): a stop of the reference's red,
// green and blue takes Color's, the others Color's plus their difference,
// limited to 0..255; every stop keeps its alpha. A single stop takes Color
// whatever RefIndex says; with more, a RefIndex outside them raises
// EListError "List index out of bounds (%d)".
std::vector<TAlphaColor> ShiftedColors(const std::vector<TAlphaColor>& Stops, TAlphaColor Color, int RefIndex);

// The stops recoloured to Color from the first stop (FromFirst) or the last,
// each next stop keeping the ratio, in the channel that changed most, between
// its old colour and its neighbour's; a stop of the starting stop's colour
// takes Color. Channels are limited to 0..255 before they are rounded. The
// starting stop (or a single one) takes Color with its alpha, the others keep
// theirs.
std::vector<TAlphaColor> ScaledColors(const std::vector<TAlphaColor>& Stops, TAlphaColor Color, bool FromFirst);

// The colour blends of flat bevels: Backdrop lit (dodge) or darkened (burn)
// by mid grey, 0xFF808080, as the compositing blend modes colour-dodge and
// colour-burn compute them on premultiplied channels. For an opaque backdrop
// channel c they are min(255, 255 c / 127) and max(0, 255 - 255 (255 - c) / 128),
// rounded half to even.
TAlphaColor DodgeColor(TAlphaColor Backdrop);
TAlphaColor BurnColor(TAlphaColor Backdrop);

// Lighter and darker colours of one colour, channel by channel: red, green
// and blue each times Factor (or plus Delta), rounded half to even and
// limited to 0..255; the alpha stays.
TAlphaColor MultipliedColor(TAlphaColor Color, double Factor);
TAlphaColor OffsetColor(TAlphaColor Color, int Delta);
// Color lit by half of Light: each channel plus half of Light's (rounded
// down), limited to 0..255, with Color's alpha.
TAlphaColor GlowColor(TAlphaColor Color, TAlphaColor Light);

} // namespace zor
