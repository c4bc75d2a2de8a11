#include "geometry/arc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zor {

namespace {

constexpr double Pi = std::numbers::pi;
// The last piece may be this much longer than a quarter turn rather than
// leaving a sliver of a piece behind it.
constexpr double PieceSlack = 0.01;
constexpr double NegligibleSweep = 1e-10;

// The ellipse with its centre, radii and axis rotation, in parametric form.
struct TEllipse {
    QPointF Centre;
    double RadiusX;
    double RadiusY;
    double CosPhi;
    double SinPhi;

    QPointF PointAt(double Angle) const
    {
        const double x = RadiusX * std::cos(Angle);
        const double y = RadiusY * std::sin(Angle);
        return Centre + QPointF(CosPhi * x - SinPhi * y, SinPhi * x + CosPhi * y);
    }
    QPointF TangentAt(double Angle) const
    {
        const double x = -RadiusX * std::sin(Angle);
        const double y = RadiusY * std::cos(Angle);
        return QPointF(CosPhi * x - SinPhi * y, SinPhi * x + CosPhi * y);
    }
    // The usual cubic for an arc piece: control points along the tangents
    // at 4/3 · tan(sweep / 4).
    TCubicBezier Piece(double Start, double Sweep) const
    {
        const double k = 4.0 / 3.0 * std::tan(Sweep / 4);
        const double end = Start + Sweep;
        const QPointF p0 = PointAt(Start);
        const QPointF p3 = PointAt(end);
        return {p0, p0 + k * TangentAt(Start), p3 - k * TangentAt(end), p3};
    }
};

// The signed angle from U to V.
double AngleBetween(QPointF U, QPointF V)
{
    const double lengths = std::hypot(U.x(), U.y()) * std::hypot(V.x(), V.y());
    const double cosine = std::clamp((U.x() * V.x() + U.y() * V.y()) / lengths, -1.0, 1.0);
    const double angle = std::acos(cosine);
    return U.x() * V.y() - U.y() * V.x() < 0 ? -angle : angle;
}

QList<TCubicBezier> Pieces(const TEllipse& Ellipse, double Start, double Sweep)
{
    QList<TCubicBezier> curves;
    Sweep = std::clamp(Sweep, -2 * Pi, 2 * Pi);
    const double total = std::abs(Sweep);
    if (total < NegligibleSweep)
        return curves;
    const double direction = Sweep < 0 ? -1 : 1;
    double covered = 0;
    while (covered < total) {
        const double rest = total - covered;
        const double piece = rest <= Pi / 2 + PieceSlack ? rest : Pi / 2;
        curves.append(Ellipse.Piece(Start + direction * covered, direction * piece));
        covered += piece;
    }
    return curves;
}

TArcShape Line() { return {TArcShapeKind::akLine, {}}; }

} // namespace

TArcShape ArcToCurves(const TEndpointArc& Arc)
{
    // Endpoint-to-centre conversion of the SVG implementation notes.
    if (Arc.From == Arc.To)
        return {};
    double rx = std::abs(Arc.RadiusX);
    double ry = std::abs(Arc.RadiusY);
    if (!(rx > 0 && ry > 0))
        return Line();
    const double phi = Arc.RotationDegrees * Pi / 180;
    const double cosPhi = std::cos(phi);
    const double sinPhi = std::sin(phi);
    const double dx = (Arc.From.x() - Arc.To.x()) / 2;
    const double dy = (Arc.From.y() - Arc.To.y()) / 2;
    const double x1 = cosPhi * dx + sinPhi * dy;
    const double y1 = -sinPhi * dx + cosPhi * dy;

    // Radii too small to reach the end point grow just enough; the centre
    // then lies midway. The coefficient is written with lambda rather than
    // the radii's fourth powers, which overflow for large radii.
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    double coefficient = 0;
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    } else {
        coefficient = std::sqrt((1 - lambda) / lambda);
    }
    if (Arc.LargeArc == Arc.Sweep)
        coefficient = -coefficient;
    const double cx1 = coefficient * rx * y1 / ry;
    const double cy1 = -coefficient * ry * x1 / rx;
    const QPointF centre(cosPhi * cx1 - sinPhi * cy1 + (Arc.From.x() + Arc.To.x()) / 2,
                         sinPhi * cx1 + cosPhi * cy1 + (Arc.From.y() + Arc.To.y()) / 2);

    const QPointF u((x1 - cx1) / rx, (y1 - cy1) / ry);
    const QPointF v((-x1 - cx1) / rx, (-y1 - cy1) / ry);
    const double start = AngleBetween(QPointF(1, 0), u);
    double sweep = AngleBetween(u, v);
    if (!Arc.Sweep && sweep > 0)
        sweep -= 2 * Pi;
    else if (Arc.Sweep && sweep < 0)
        sweep += 2 * Pi;

    TArcShape shape{TArcShapeKind::akCurves, Pieces({centre, rx, ry, cosPhi, sinPhi}, start, sweep)};
    if (shape.Curves.isEmpty())
        return Line();
    // Rounding must not move the end point: relative commands go on from it.
    shape.Curves.last().P3 = Arc.To;
    for (const TCubicBezier& curve : shape.Curves)
        if (!curve.IsFinite())
            return Line();
    return shape;
}

} // namespace zor
