#include "geometry/path_walk.h"

namespace zor {

void WalkPath(const TPathPoints& Points, TPathVisitor& Visitor)
{
    QPointF current;
    const qsizetype count = Points.size();
    for (qsizetype i = 0; i < count; ++i) {
        const TPathPoint& entry = Points[i];
        switch (entry.Kind) {
        case TPathPointKind::MoveTo:
            Visitor.MoveTo(entry.Point);
            break;
        case TPathPointKind::LineTo:
            Visitor.LineTo(current, entry.Point);
            break;
        case TPathPointKind::CurveTo: {
            // A truncated triple would end the walk rather than read past the list.
            if (i + 2 >= count)
                return;
            Visitor.CurveTo({current, entry.Point, Points[i + 1].Point, Points[i + 2].Point});
            i += 2;
            break;
        }
        case TPathPointKind::Close:
            Visitor.Close(current, entry.Point);
            break;
        }
        current = Points[i].Point;
    }
}

} // namespace zor
