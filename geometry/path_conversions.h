#pragma once
// Whole-path conversions of an entry list: flattened, bounded, painted.

#include <QPainterPath>
#include <QRectF>

#include "geometry/path_types.h"

namespace zor {

// The entries with every curve replaced by lines within Flatness of it.
TPathPoints FlattenedPoints(const TPathPoints& Points, double Flatness);
// The smallest rectangle holding what is drawn (curves by their extremes,
// not their control points); (0, 0, 0, 0) for no entries.
QRectF PathBounds(const TPathPoints& Points);
// The painter's path, subpaths after a close starting at the closed start.
QPainterPath PainterPathOf(const TPathPoints& Points);

} // namespace zor
