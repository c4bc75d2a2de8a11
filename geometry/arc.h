#pragma once
// Elliptical arcs in the endpoint form of SVG path text, converted to cubic
// curves.

#include <QList>
#include <QPointF>

#include "geometry/bezier.h"

namespace zor {

struct TEndpointArc {
    QPointF From;
    double RadiusX = 0;
    double RadiusY = 0;
    double RotationDegrees = 0; // of the ellipse's x axis
    bool LargeArc = false;
    bool Sweep = false; // true: the angle grows, clockwise on screen
    QPointF To;
};

enum class TArcShapeKind { akNothing, akLine, akCurves };
constexpr std::size_t EnumCount(TArcShapeKind) { return 3; }

// What an arc draws. Equal end points draw nothing, a zero radius draws a
// straight line to the end, and so does an arc whose numbers overflow; all
// other arcs are cubic curves, in pieces of at most about a quarter turn,
// ending exactly at the end point.
struct TArcShape {
    TArcShapeKind Kind = TArcShapeKind::akNothing;
    QList<TCubicBezier> Curves;
};

TArcShape ArcToCurves(const TEndpointArc& Arc);

} // namespace zor
