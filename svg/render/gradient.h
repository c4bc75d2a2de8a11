#pragma once
// A linear or radial gradient as SVG defines it, filled in by the model from
// a gradient element and its stops, and turned into a brush at the canvas.

#include <QPointF>
#include <QTransform>
#include <optional>
#include <vector>

#include "svg/values/colors.h"
#include "svg/values/style_keywords.h"

namespace zor {

enum class TGradientKind { gkLinear, gkRadial };
constexpr std::size_t EnumCount(TGradientKind) { return 2; }

struct TGradientStop {
    // Written position along the gradient; the brush clamps it to 0..1 and
    // keeps the stops in order.
    double Offset = 0;
    TAlphaColor Color = 0xFF000000;
    // stop-opacity, multiplied into the colour's own alpha.
    double Opacity = 1;

    friend bool operator==(const TGradientStop&, const TGradientStop&) = default;
};

// Coordinates are in the gradient's units: fractions of the bounding box of
// the painted element for csuObjectBoundingBox, user units of that element
// for csuUserSpaceOnUse. Matrix (gradientTransform) applies in those units.
struct TGradient {
    TGradientKind Kind = TGradientKind::gkLinear;
    std::vector<TGradientStop> Stops;
    TSVGGradientSpread Spread = TSVGGradientSpread::gsPad;
    TSVGCoordinateSystemUnit Units = TSVGCoordinateSystemUnit::csuObjectBoundingBox;
    QTransform Matrix;
    // Linear: the gradient vector.
    QPointF Start{0, 0};
    QPointF Stop{1, 0};
    // Radial: the end circle and the focal point (the centre when not given).
    QPointF Center{0.5, 0.5};
    double Radius = 0.5;
    std::optional<QPointF> Focal;

    friend bool operator==(const TGradient&, const TGradient&) = default;
};

} // namespace zor
