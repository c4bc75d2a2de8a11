#include "svg/shapes/shape_outlines.h"

#include "geometry/path_data.h"
#include "platform/update_scope.h"

namespace zor {

namespace {

// Control points of a quarter ellipse lie this fraction of the radius away
// from the on-curve points: 4/3 · (√2 − 1).
constexpr double QuarterArcKappa = 0.5522847498;

// A quarter ellipse from From to To about Corner, the point where the two
// tangents meet.
void QuarterArc(TZorPathData& Path, QPointF From, QPointF Corner, QPointF To)
{
    Path.CurveTo(From + (Corner - From) * QuarterArcKappa, To + (Corner - To) * QuarterArcKappa, To);
}

} // namespace

void AddEllipseOutline(TZorPathData& Path, QPointF Center, double Rx, double Ry)
{
    if (!(Rx > 0) || !(Ry > 0))
        return;
    const double l = Center.x() - Rx;
    const double r = Center.x() + Rx;
    const double t = Center.y() - Ry;
    const double b = Center.y() + Ry;
    TUpdateScope edit(Path);
    Path.MoveTo(QPointF(r, Center.y()));
    QuarterArc(Path, QPointF(r, Center.y()), QPointF(r, b), QPointF(Center.x(), b));
    QuarterArc(Path, QPointF(Center.x(), b), QPointF(l, b), QPointF(l, Center.y()));
    QuarterArc(Path, QPointF(l, Center.y()), QPointF(l, t), QPointF(Center.x(), t));
    QuarterArc(Path, QPointF(Center.x(), t), QPointF(r, t), QPointF(r, Center.y()));
    Path.ClosePath();
}

void AddRoundedRectangle(TZorPathData& Path, const QRectF& R, double Rx, double Ry)
{
    if (!(R.width() > 0) || !(R.height() > 0))
        return;
    if (!(Rx > 0) || !(Ry > 0)) {
        Path.AddRectangle(R);
        return;
    }
    const double l = R.left();
    const double t = R.top();
    const double r = R.right();
    const double b = R.bottom();
    TUpdateScope edit(Path);
    Path.MoveTo(QPointF(l + Rx, t));
    Path.LineTo(QPointF(r - Rx, t));
    QuarterArc(Path, QPointF(r - Rx, t), QPointF(r, t), QPointF(r, t + Ry));
    Path.LineTo(QPointF(r, b - Ry));
    QuarterArc(Path, QPointF(r, b - Ry), QPointF(r, b), QPointF(r - Rx, b));
    Path.LineTo(QPointF(l + Rx, b));
    QuarterArc(Path, QPointF(l + Rx, b), QPointF(l, b), QPointF(l, b - Ry));
    Path.LineTo(QPointF(l, t + Ry));
    QuarterArc(Path, QPointF(l, t + Ry), QPointF(l, t), QPointF(l + Rx, t));
    Path.ClosePath();
}

} // namespace zor
