#pragma once
// The fonts text is laid out with: an element's effective font as a CSS font
// request (its family list kept as written, matched against the installed
// fonts at layout), weight and slant.

#include "platform/font_matching.h"
#include "platform/glyph_service.h"

namespace zor {

class TSVGGraphicElement;

// The effective weight, 1 to 1000; bolder and lighter are taken relative to
// the graphic parent's.
int FontWeightOf(const TSVGGraphicElement& Element);
TFontRequest FontRequestOf(const TSVGGraphicElement& Element);
// The element's font at its size times SizeFactor.
TGlyphFont GlyphFontOf(const TSVGGraphicElement& Element, double SizeFactor = 1);

} // namespace zor
