#pragma once
// The vertices of a path where markers go: the start of every subpath and
// the end of every segment (line, curve or close), each with the directions
// the outline has there. A curve counts as one segment, whatever its control
// points; arcs arrive here as the curves they were turned into.

#include <QPointF>
#include <optional>
#include <vector>

#include "geometry/path_types.h"

namespace zor {

enum class TVertexPlace { vpStart, vpMid, vpEnd };
constexpr std::size_t EnumCount(TVertexPlace) { return 3; }

struct TPathVertex {
    TVertexPlace Place = TVertexPlace::vpMid;
    QPointF Point;
    // Directions in radians (atan2, y down): of the segment arriving here
    // and of the one leaving, within the same subpath; none where there is
    // no such segment or it has no length.
    std::optional<double> InAngle;
    std::optional<double> OutAngle;

    // The direction of the outline here: the bisector of the two directions
    // where both are known, the one known otherwise, 0 without either.
    double Angle() const;
};

// The vertices of Points in order: the first is vpStart, the last vpEnd and
// every other vpMid; none for a path of fewer than two vertices.
std::vector<TPathVertex> PathVertices(const TPathPoints& Points);

} // namespace zor
