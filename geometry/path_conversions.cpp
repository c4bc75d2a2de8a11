#include "geometry/path_conversions.h"

#include <algorithm>

#include "geometry/path_walk.h"

namespace zor {

namespace {

// Curves become the lines of their flattening; everything else stays.
class TFlattener : public TPathVisitor {
public:
    explicit TFlattener(double Flatness)
        : FFlatness(Flatness)
    {
    }
    void MoveTo(QPointF To) override { Add(TPathPointKind::MoveTo, To); }
    void LineTo(QPointF, QPointF To) override { Add(TPathPointKind::LineTo, To); }
    void CurveTo(const TCubicBezier& Curve) override
    {
        QPolygonF points;
        Curve.Flatten(FFlatness, points);
        for (const QPointF& p : points)
            Add(TPathPointKind::LineTo, p);
    }
    void Close(QPointF, QPointF Start) override { Add(TPathPointKind::Close, Start); }

    TPathPoints Points;

private:
    void Add(TPathPointKind Kind, QPointF P) { Points.append({Kind, P}); }
    double FFlatness;
};

class TBoundsCollector : public TPathVisitor {
public:
    void MoveTo(QPointF To) override { Include(QRectF(To, To)); }
    void LineTo(QPointF From, QPointF To) override { Include(QRectF(From, To).normalized()); }
    void CurveTo(const TCubicBezier& Curve) override { Include(Curve.Bounds()); }
    void Close(QPointF From, QPointF Start) override { LineTo(From, Start); }

    QRectF Bounds;

private:
    void Include(const QRectF& R)
    {
        // QRectF::united ignores empty rectangles, so points and straight
        // lines are joined by their edges.
        if (!FAny) {
            Bounds = R;
            FAny = true;
            return;
        }
        Bounds.setLeft(std::min(Bounds.left(), R.left()));
        Bounds.setTop(std::min(Bounds.top(), R.top()));
        Bounds.setRight(std::max(Bounds.right(), R.right()));
        Bounds.setBottom(std::max(Bounds.bottom(), R.bottom()));
    }
    bool FAny = false;
};

class TPainterPathBuilder : public TPathVisitor {
public:
    void MoveTo(QPointF To) override
    {
        Path.moveTo(To);
        FOpen = true;
    }
    void LineTo(QPointF From, QPointF To) override
    {
        Open(From);
        Path.lineTo(To);
    }
    void CurveTo(const TCubicBezier& Curve) override
    {
        Open(Curve.P0);
        Path.cubicTo(Curve.P1, Curve.P2, Curve.P3);
    }
    void Close(QPointF, QPointF) override
    {
        if (FOpen)
            Path.closeSubpath();
        FOpen = false;
    }

    QPainterPath Path;

private:
    // Segments after a close, or at the very start, begin where the last ended.
    void Open(QPointF From)
    {
        if (!FOpen)
            MoveTo(From);
    }
    bool FOpen = false;
};

} // namespace

TPathPoints FlattenedPoints(const TPathPoints& Points, double Flatness)
{
    TFlattener flattener(Flatness);
    WalkPath(Points, flattener);
    return std::move(flattener.Points);
}

QRectF PathBounds(const TPathPoints& Points)
{
    TBoundsCollector collector;
    WalkPath(Points, collector);
    return collector.Bounds;
}

QPainterPath PainterPathOf(const TPathPoints& Points)
{
    TPainterPathBuilder builder;
    WalkPath(Points, builder);
    return builder.Path;
}

} // namespace zor
