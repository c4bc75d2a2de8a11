#include "svg/render/gradient_brush.h"

#include <QColor>
#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "geometry/geometry_functions.h"

namespace zor {

namespace {

// Far below what a 1024-entry colour table resolves, far above rounding.
constexpr double StopGap = 1e-6;

bool IsFinite(QPointF P)
{
    return std::isfinite(P.x()) && std::isfinite(P.y());
}

QColor StopColor(const TGradientStop& Stop)
{
    const double opacity = std::isfinite(Stop.Opacity) ? std::clamp(Stop.Opacity, 0.0, 1.0) : 1.0;
    return QColor::fromRgba(ColorWithOpacity(Stop.Color, opacity * qAlpha(Stop.Color) / 255.0));
}

QGradient::Spread SpreadOf(TSVGGradientSpread Spread)
{
    switch (Spread) {
    case TSVGGradientSpread::gsReflect:
        return QGradient::ReflectSpread;
    case TSVGGradientSpread::gsRepeat:
        return QGradient::RepeatSpread;
    case TSVGGradientSpread::gsNone:
    case TSVGGradientSpread::gsPad:
        break;
    }
    return QGradient::PadSpread;
}

// Maps gradient units to the element's user space.
std::optional<QTransform> UnitsMatrix(const TGradient& Gradient, const QRectF& BoundingBox)
{
    if (Gradient.Units != TSVGCoordinateSystemUnit::csuObjectBoundingBox)
        return QTransform();
    if (!(BoundingBox.width() > 0) || !(BoundingBox.height() > 0))
        return std::nullopt;
    return ScalingMatrix(BoundingBox.width(), BoundingBox.height())
        * TranslationMatrix(BoundingBox.left(), BoundingBox.top());
}

bool HasFiniteGeometry(const TGradient& Gradient)
{
    return IsFinite(Gradient.Start) && IsFinite(Gradient.Stop) && IsFinite(Gradient.Center)
        && std::isfinite(Gradient.Radius) && (!Gradient.Focal || IsFinite(*Gradient.Focal));
}

// A gradient that degenerates to one colour paints the last stop's colour.
bool PaintsOneColor(const TGradient& Gradient)
{
    if (Gradient.Stops.size() == 1)
        return true;
    if (Gradient.Kind == TGradientKind::gkLinear)
        return Gradient.Start == Gradient.Stop;
    return Gradient.Radius == 0;
}

} // namespace

QGradientStops SanitizedStops(const std::vector<TGradientStop>& Stops)
{
    QGradientStops result;
    result.reserve(qsizetype(Stops.size()));
    double previous = 0;
    for (const TGradientStop& stop : Stops) {
        const double written = std::isfinite(stop.Offset) ? std::clamp(stop.Offset, 0.0, 1.0) : previous;
        double offset = std::max(written, previous);
        if (!result.isEmpty() && offset <= previous)
            offset = previous + StopGap;
        result.append({offset, StopColor(stop)});
        previous = offset;
    }
    // Parting may have pushed a run at the end past 1: pull it back from the end.
    double next = 1;
    for (qsizetype i = result.size() - 1; i >= 0 && result[i].first > next; --i) {
        result[i].first = next;
        next -= StopGap;
    }
    return result;
}

std::optional<QBrush> GradientBrush(const TGradient& Gradient, const QRectF& BoundingBox, const QTransform& M)
{
    if (Gradient.Stops.empty() || !HasFiniteGeometry(Gradient) || Gradient.Radius < 0)
        return std::nullopt;
    const std::optional<QTransform> units = UnitsMatrix(Gradient, BoundingBox);
    if (!units)
        return std::nullopt;
    const QTransform toCanvas = Gradient.Matrix * *units * M;
    if (!toCanvas.isInvertible())
        return std::nullopt;
    if (PaintsOneColor(Gradient))
        return QBrush(StopColor(Gradient.Stops.back()));

    QGradient gradient;
    if (Gradient.Kind == TGradientKind::gkLinear)
        gradient = QLinearGradient(Gradient.Start, Gradient.Stop);
    else // a focal point outside the circle is moved just inside its edge, as SVG 1.1 asks
        gradient = QRadialGradient(Gradient.Center, Gradient.Radius, Gradient.Focal.value_or(Gradient.Center));
    gradient.setStops(SanitizedStops(Gradient.Stops));
    gradient.setSpread(SpreadOf(Gradient.Spread));
    QBrush brush(gradient);
    brush.setTransform(toCanvas);
    return brush;
}

} // namespace zor
