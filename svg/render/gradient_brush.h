#pragma once
// Turns a gradient into the brush that paints it on one element.

#include <QBrush>
#include <QGradientStops>
#include <QRectF>
#include <QTransform>
#include <optional>
#include <vector>

#include "svg/render/gradient.h"

namespace zor {

// The stops as the painter wants them: offsets clamped to 0..1, each at
// least the one before, the stop opacity folded into the colour, and stops
// at the same offset parted by a hair so that the painter keeps both (a hard
// edge) instead of dropping one.
QGradientStops SanitizedStops(const std::vector<TGradientStop>& Stops);

// The brush painting Gradient on an element whose bounding box is
// BoundingBox (in its user space) and whose user space maps to the canvas by
// M. Empty where SVG paints nothing: no stops, bounding-box units on a box
// without width or height, a negative radius, a matrix that cannot be
// inverted or a coordinate that is not finite. One stop, a linear vector of
// no length or a radius of 0 paint the one colour SVG names; a focal point
// outside the end circle is moved onto it.
std::optional<QBrush> GradientBrush(const TGradient& Gradient, const QRectF& BoundingBox,
                                    const QTransform& M = QTransform());

} // namespace zor
