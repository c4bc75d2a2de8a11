#pragma once
// Measuring a path: its subpaths as polygons along the drawn curves, the
// distance of every polygon point from the path start, and the point and
// stroke hit tests on those polygons.

#include <QList>

#include "geometry/path_types.h"

namespace zor {

// One polygon per subpath: a move starts a new one, a close appends the
// subpath's start and ends it, curves are flattened within Flatness. Every
// polygon starts at the current point, also after a close without a move.
TZorPolygons PathToPolygons(const TPathPoints& Points, double Flatness);

// Fills Distances with one list per polygon holding the distance of each
// point from the start of the first polygon, and returns the total length.
// Moving from one polygon to the next adds nothing.
double MeasurePolygons(const TZorPolygons& Polygons, QList<QList<double>>& Distances);

// The even-odd crossing test of one polygon, closed implicitly.
bool PolygonContains(const QPolygonF& Polygon, QPointF P);
// True when P is inside any one of the polygons.
bool AnyPolygonContains(const TZorPolygons& Polygons, QPointF P);

// True when P lies within HalfWidth of the segment A-B, measured across the
// segment only: the ends get no caps.
bool SegmentBandContains(QPointF A, QPointF B, double HalfWidth, QPointF P);
// True when P lies within HalfWidth of a segment of any polygon, or of a
// vertex where two of its segments meet (a round join, so that flattened
// curves leave no gaps); the ends of an open polygon get no caps.
bool PolygonEdgesNear(const TZorPolygons& Polygons, QPointF P, double HalfWidth);

} // namespace zor
