#pragma once
// The matrices that place a drawing into a rectangle: fitting one rectangle
// onto another, a view box into its viewport under preserveAspectRatio, and
// the way back from a viewport point to view box coordinates.

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QTransform>
#include <optional>

#include "svg/values/view_box.h"

namespace zor {

// Maps TargetRect onto aRect; the identity when TargetRect has no width or
// no height.
QTransform FitToRect(const QRectF& aRect, const QRectF& TargetRect);

// Maps ViewBox into Viewport: scaled to it by Align and Slice (meet keeps all
// of the box visible, slice fills the viewport) and aligned in it, or
// stretched on both axes for saNone. Empty when the box has a zero, negative
// or non-finite width or height: such a viewport draws nothing.
std::optional<QTransform> ViewBoxMatrix(const QRectF& ViewBox, const QRectF& Viewport, TSVGAlign Align, bool Slice);
std::optional<QTransform> ViewBoxMatrix(const QRectF& ViewBox, const QRectF& Viewport,
                                        const TSVGPreserveAspectRatio& AspectRatio);

// A point of the rectangle aRect (in its own coordinates) in ViewBox
// coordinates, stretching the box over the rectangle. An axis along which
// aRect has no extent is left as it is.
QPointF ScreenToLocal(QPointF Pt, const QRectF& aRect, const QRectF& ViewBox);

// The rectangle a drawing fills in a bitmap of Size: every pixel, from
// (0, 0) to (width, height).
QRectF BitmapTargetRect(const QSize& Size);

} // namespace zor
