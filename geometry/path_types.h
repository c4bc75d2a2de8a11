#pragma once
// The entries of a path, the polygons a flattened path is made of, and the
// fill rule.

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <cstddef>

namespace zor {

enum class TPathPointKind { MoveTo, LineTo, CurveTo, Close };
constexpr std::size_t EnumCount(TPathPointKind) { return 4; }

// One entry of a path. A cubic curve takes three consecutive CurveTo entries
// (first control point, second control point, end point); a Close entry
// carries the start point of the subpath it closes.
struct TPathPoint {
    TPathPointKind Kind = TPathPointKind::MoveTo;
    QPointF Point;

    friend bool operator==(const TPathPoint&, const TPathPoint&) = default;
};

using TPathPoints = QList<TPathPoint>;

enum class TZorFillMode { fmEvenOdd, fmNonZero };
constexpr std::size_t EnumCount(TZorFillMode) { return 2; }

// One polygon per subpath of a flattened path.
using TZorPolygons = QList<QPolygonF>;

} // namespace zor
