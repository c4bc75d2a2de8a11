#include "geometry/path_measure.h"

#include <cmath>

#include "geometry/path_walk.h"

namespace zor {

namespace {

class TPolygonBuilder : public TPathVisitor {
public:
    explicit TPolygonBuilder(double Flatness)
        : FFlatness(Flatness)
    {
    }

    void MoveTo(QPointF To) override
    {
        Finish();
        FCurrent.append(To);
    }
    void LineTo(QPointF From, QPointF To) override
    {
        StartAt(From);
        FCurrent.append(To);
    }
    void CurveTo(const TCubicBezier& Curve) override
    {
        StartAt(Curve.P0);
        Curve.Flatten(FFlatness, FCurrent);
    }
    void Close(QPointF From, QPointF) override
    {
        // A close with no open subpath ("Z Z") draws nothing.
        if (FCurrent.isEmpty())
            return;
        StartAt(From);
        FCurrent.append(FCurrent.first());
        Finish();
    }

    TZorPolygons Result()
    {
        Finish();
        return std::move(FPolygons);
    }

private:
    void StartAt(QPointF From)
    {
        if (FCurrent.isEmpty())
            FCurrent.append(From);
    }
    void Finish()
    {
        if (!FCurrent.isEmpty())
            FPolygons.append(std::exchange(FCurrent, {}));
    }

    double FFlatness;
    QPolygonF FCurrent;
    TZorPolygons FPolygons;
};

double Distance(QPointF A, QPointF B) { return std::hypot(B.x() - A.x(), B.y() - A.y()); }

// The polygon without repeated points: a zero-length segment at an open end
// must not turn the end into a join.
QPolygonF WithoutRepeats(const QPolygonF& Polygon)
{
    QPolygonF points;
    for (const QPointF& p : Polygon)
        if (points.isEmpty() || points.last() != p)
            points.append(p);
    return points;
}

} // namespace

TZorPolygons PathToPolygons(const TPathPoints& Points, double Flatness)
{
    TPolygonBuilder builder(Flatness);
    WalkPath(Points, builder);
    return builder.Result();
}

double MeasurePolygons(const TZorPolygons& Polygons, QList<QList<double>>& Distances)
{
    Distances.clear();
    Distances.reserve(Polygons.size());
    double sum = 0;
    for (const QPolygonF& polygon : Polygons) {
        QList<double> distances;
        distances.reserve(polygon.size());
        for (qsizetype i = 0; i < polygon.size(); ++i) {
            if (i > 0)
                sum += Distance(polygon[i - 1], polygon[i]);
            distances.append(sum);
        }
        Distances.append(std::move(distances));
    }
    return sum;
}

bool PolygonContains(const QPolygonF& Polygon, QPointF P)
{
    bool inside = false;
    const qsizetype count = Polygon.size();
    for (qsizetype i = 0, j = count - 1; i < count; j = i++) {
        const QPointF& a = Polygon[i];
        const QPointF& b = Polygon[j];
        if ((a.y() <= P.y()) == (b.y() <= P.y()))
            continue;
        const double crossX = a.x() + (b.x() - a.x()) * (P.y() - a.y()) / (b.y() - a.y());
        if (crossX > P.x())
            inside = !inside;
    }
    return inside;
}

bool AnyPolygonContains(const TZorPolygons& Polygons, QPointF P)
{
    for (const QPolygonF& polygon : Polygons)
        if (PolygonContains(polygon, P))
            return true;
    return false;
}

bool SegmentBandContains(QPointF A, QPointF B, double HalfWidth, QPointF P)
{
    const QPointF d = B - A;
    const double length = std::hypot(d.x(), d.y());
    if (!(length > 0))
        return false;
    const QPointF v = P - A;
    const double along = (v.x() * d.x() + v.y() * d.y()) / length;
    const double across = (v.x() * d.y() - v.y() * d.x()) / length;
    return along >= 0 && along <= length && std::abs(across) <= HalfWidth;
}

bool PolygonEdgesNear(const TZorPolygons& Polygons, QPointF P, double HalfWidth)
{
    auto nearVertex = [&](QPointF vertex) { return Distance(vertex, P) <= HalfWidth; };
    for (const QPolygonF& drawn : Polygons) {
        const QPolygonF polygon = WithoutRepeats(drawn);
        const qsizetype count = polygon.size();
        for (qsizetype i = 1; i < count; ++i)
            if (SegmentBandContains(polygon[i - 1], polygon[i], HalfWidth, P))
                return true;
        // Where two segments meet, the bands leave a wedge open on the outer
        // side; a round join fills it. Open ends get no cap.
        for (qsizetype i = 1; i + 1 < count; ++i)
            if (nearVertex(polygon[i]))
                return true;
        if (count > 2 && polygon.first() == polygon.last() && nearVertex(polygon.first()))
            return true;
    }
    return false;
}

} // namespace zor
