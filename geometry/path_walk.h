#pragma once
// Walks the entries of a path as segments, each with the point it starts
// from. The walk keeps the current point itself, so a path that begins with
// a line or a curve, or goes on after a close without a move, starts its
// segments from the current point ((0, 0) at the very beginning) and nothing
// is ever read outside the entry list.

#include "geometry/bezier.h"
#include "geometry/path_types.h"

namespace zor {

class TPathVisitor {
public:
    virtual ~TPathVisitor() = default;
    virtual void MoveTo(QPointF To) = 0;
    virtual void LineTo(QPointF From, QPointF To) = 0;
    virtual void CurveTo(const TCubicBezier& Curve) = 0;
    // Start is the point the close entry carries: the start of its subpath.
    virtual void Close(QPointF From, QPointF Start) = 0;
};

// A curve needs three CurveTo entries; a truncated one at the end is not walked.
void WalkPath(const TPathPoints& Points, TPathVisitor& Visitor);

} // namespace zor
