#pragma once
// A cubic Bézier segment: evaluation, tight bounds and flattening into line
// segments with a bounded number of steps.

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

namespace zor {

// Flattening never cuts one curve into more steps than this, whatever its
// coordinates, so input cannot make it run or allocate without bound.
inline constexpr int MaxCurveSteps = 1024;

struct TCubicBezier {
    QPointF P0; // start
    QPointF P1; // first control point
    QPointF P2; // second control point
    QPointF P3; // end

    QPointF PointAt(double T) const;
    // The smallest rectangle holding the drawn curve (not its control points).
    QRectF Bounds() const;
    bool IsFinite() const;

    // How many equal parameter steps keep the polyline within Flatness of the
    // curve: at least 1, at most MaxCurveSteps. Small curves are refined
    // further, relative to their size, so tiny shapes keep their form.
    int FlatteningSteps(double Flatness) const;
    // Appends the polyline's points after P0; the last one is P3 exactly.
    void Flatten(double Flatness, QPolygonF& Points) const;
};

} // namespace zor
