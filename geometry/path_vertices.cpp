#include "geometry/path_vertices.h"

#include <cmath>
#include <numbers>

#include "geometry/path_walk.h"

namespace zor {

namespace {

std::optional<double> Direction(QPointF From, QPointF To)
{
    const QPointF d = To - From;
    if (d.x() == 0 && d.y() == 0)
        return std::nullopt;
    return std::atan2(d.y(), d.x());
}

// The first of the directions that exists: a curve whose control point lies
// on its end point leaves towards the next point that differs.
std::optional<double> FirstDirection(std::initializer_list<std::optional<double>> Directions)
{
    for (const std::optional<double>& direction : Directions)
        if (direction)
            return direction;
    return std::nullopt;
}

// Collects the vertices: a move starts a vertex without an incoming
// direction, a segment gives the previous vertex its outgoing direction and
// adds its own end point with the incoming one.
class TVertexCollector : public TPathVisitor {
public:
    std::vector<TPathVertex> Vertices;

    void MoveTo(QPointF To) override
    {
        Vertices.push_back({TVertexPlace::vpMid, To, std::nullopt, std::nullopt});
        FInSubpath = true;
    }
    void LineTo(QPointF From, QPointF To) override { Segment(From, To, Direction(From, To), Direction(From, To)); }
    void CurveTo(const TCubicBezier& Curve) override
    {
        Segment(Curve.P0, Curve.P3,
                FirstDirection({Direction(Curve.P0, Curve.P1), Direction(Curve.P0, Curve.P2),
                                Direction(Curve.P0, Curve.P3)}),
                FirstDirection({Direction(Curve.P2, Curve.P3), Direction(Curve.P1, Curve.P3),
                                Direction(Curve.P0, Curve.P3)}));
    }
    void Close(QPointF From, QPointF Start) override { Segment(From, Start, Direction(From, Start), Direction(From, Start)); }

private:
    void Segment(QPointF From, QPointF To, std::optional<double> Leaving, std::optional<double> Arriving)
    {
        // A path that starts with a segment starts at the current point.
        if (!FInSubpath || Vertices.empty())
            Vertices.push_back({TVertexPlace::vpMid, From, std::nullopt, std::nullopt});
        Vertices.back().OutAngle = Leaving;
        Vertices.push_back({TVertexPlace::vpMid, To, Arriving, std::nullopt});
        FInSubpath = true;
    }

    bool FInSubpath = false;
};

} // namespace

double TPathVertex::Angle() const
{
    if (InAngle && OutAngle) {
        // Both taken within one turn from 0, so that the bisector of opposite
        // directions does not depend on the signs atan2 gives them.
        const auto positive = [](double Angle) { return Angle < 0 ? Angle + 2 * std::numbers::pi : Angle; };
        const double in = positive(*InAngle);
        const double out = positive(*OutAngle);
        double bisector = (in + out) / 2;
        // The mean of two directions more than half a turn apart points backwards.
        if (std::abs(out - in) > std::numbers::pi)
            bisector += std::numbers::pi;
        return bisector;
    }
    return InAngle.value_or(OutAngle.value_or(0));
}

std::vector<TPathVertex> PathVertices(const TPathPoints& Points)
{
    TVertexCollector collector;
    WalkPath(Points, collector);
    std::vector<TPathVertex>& vertices = collector.Vertices;
    // A lone point is no outline to mark.
    if (vertices.size() < 2)
        return {};
    vertices.front().Place = TVertexPlace::vpStart;
    vertices.back().Place = TVertexPlace::vpEnd;
    return std::move(vertices);
}

} // namespace zor
