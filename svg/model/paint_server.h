#pragma once
// Elements that paint fills and strokes by reference (url(#id)): gradients
// and patterns. The renderer's paint resolver asks the referenced element
// through this interface, so it needs to know no element class.

#include <QSizeF>
#include <QTransform>
#include <optional>

#include "svg/render/render_paint.h"
#include "svg/values/style_keywords.h"

namespace zor {

class TSVGGraphicElement;
class TSVGLength;

// Where a paint is used. DeviceMatrix maps the referrer's user space into
// device pixels, the resolution a pattern renders its tile at; without one
// only whether the server paints is asked (hit testing), and a pattern makes
// no pixels.
struct TPaintTarget {
    std::optional<QTransform> DeviceMatrix;
};

class TSVGPaintServerElement {
public:
    virtual ~TSVGPaintServerElement() = default;

    // The paint for a fill or stroke of Referrer, in Referrer's user space;
    // monostate when this element paints nothing usable (no stops, a
    // reference loop).
    virtual TPaintServer PaintServer(const TSVGGraphicElement& Referrer, const TPaintTarget& Target) const = 0;
};

// Measures a paint server's lengths for one referring element. In
// bounding-box units a length is a fraction of the box (a percentage its
// fraction, 0.25 a quarter); in user space a length is in the referrer's user
// units and a percentage a fraction of its viewport (a radius of the
// viewport's normalised diagonal).
class TPaintServerSpace {
public:
    TPaintServerSpace(TSVGCoordinateSystemUnit Units, const TSVGGraphicElement& Referrer);

    bool UserSpace() const { return FUserSpace; }
    double X(const TSVGLength& Length) const;
    double Y(const TSVGLength& Length) const;
    double Radius(const TSVGLength& Length) const;

private:
    double Measured(const TSVGLength& Length, double Base) const;

    bool FUserSpace;
    // Without a viewport around, percentages stay fractions, as elsewhere.
    QSizeF FBase{1, 1};
};

} // namespace zor
