#pragma once
// Elements that paint fills and strokes by reference (url(#id)): gradients now,
// patterns later. The renderer's paint resolver asks the referenced element
// through this interface, so it needs to know no element class.

#include "svg/render/render_paint.h"

namespace zor {

class TSVGGraphicElement;

class TSVGPaintServerElement {
public:
    virtual ~TSVGPaintServerElement() = default;

    // The paint for a fill or stroke of Referrer, in Referrer's user space;
    // monostate when this element paints nothing usable (no stops, a
    // reference loop).
    virtual TPaintServer PaintServer(const TSVGGraphicElement& Referrer) const = 0;
};

} // namespace zor
