#include "geometry/bezier.h"

#include <algorithm>
#include <cmath>

namespace zor {

namespace {

// Below this size a curve is flattened to a fraction of its own extent
// instead of the absolute flatness, so that small shapes stay round and
// lengths measured along the polygon stay within 0.01 % of the curve's.
constexpr double RelativeFlatness = 2.5e-4;

double Length(QPointF V) { return std::hypot(V.x(), V.y()); }

// Parameters in (0, 1) where one coordinate of the curve has a turning point:
// the roots of the derivative a·t² + b·t + c.
template <typename Out>
void AxisExtrema(double p0, double p1, double p2, double p3, Out&& add)
{
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    auto addInside = [&](double t) {
        if (t > 0 && t < 1)
            add(t);
    };
    if (std::abs(a) < 1e-12) {
        if (b != 0)
            addInside(-c / b);
        return;
    }
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0)
        return;
    const double root = std::sqrt(discriminant);
    addInside((-b + root) / (2 * a));
    addInside((-b - root) / (2 * a));
}

} // namespace

QPointF TCubicBezier::PointAt(double T) const
{
    const double s = 1 - T;
    return s * s * s * P0 + 3 * s * s * T * P1 + 3 * s * T * T * P2 + T * T * T * P3;
}

QRectF TCubicBezier::Bounds() const
{
    double left = std::min(P0.x(), P3.x());
    double right = std::max(P0.x(), P3.x());
    double top = std::min(P0.y(), P3.y());
    double bottom = std::max(P0.y(), P3.y());
    auto include = [&](double t) {
        const QPointF p = PointAt(t);
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    };
    AxisExtrema(P0.x(), P1.x(), P2.x(), P3.x(), include);
    AxisExtrema(P0.y(), P1.y(), P2.y(), P3.y(), include);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

bool TCubicBezier::IsFinite() const
{
    for (const QPointF& p : {P0, P1, P2, P3})
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            return false;
    return true;
}

int TCubicBezier::FlatteningSteps(double Flatness) const
{
    // Wang's bound: n equal steps keep a cubic within 3/4 · M / n² of its
    // chords, M being the larger second difference of the control points.
    const double bend = std::max(Length(P0 - 2 * P1 + P2), Length(P1 - 2 * P2 + P3));
    if (!(bend > 0))
        return 1;
    const QRectF hull = QPolygonF({P0, P1, P2, P3}).boundingRect();
    const double extent = std::max(hull.width(), hull.height());
    const double tolerance = std::min(Flatness, extent * RelativeFlatness);
    const double steps = std::ceil(std::sqrt(0.75 * bend / tolerance));
    // NaN, infinity and huge counts all end at the bound.
    if (!(steps < MaxCurveSteps))
        return MaxCurveSteps;
    return std::max(1, int(steps));
}

void TCubicBezier::Flatten(double Flatness, QPolygonF& Points) const
{
    // No exact reserve here: callers append many curves to one polygon, and
    // reserving just enough each time would copy the polygon for every curve.
    const int steps = FlatteningSteps(Flatness);
    for (int i = 1; i < steps; ++i)
        Points.append(PointAt(double(i) / steps));
    Points.append(P3);
}

} // namespace zor
