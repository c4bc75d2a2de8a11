#include "svg/render/stroke_style.h"

#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace zor {

namespace {

// Relative difference up to which two scale factors count as the same.
constexpr double UniformTolerance = 1e-9;

Qt::PenCapStyle CapOf(TStrokeCap Cap)
{
    switch (Cap) {
    case TStrokeCap::Round:
        return Qt::RoundCap;
    case TStrokeCap::Square:
        return Qt::SquareCap;
    case TStrokeCap::Flat:
        break;
    }
    return Qt::FlatCap;
}

Qt::PenJoinStyle JoinOf(TStrokeJoin Join)
{
    switch (Join) {
    case TStrokeJoin::Round:
        return Qt::RoundJoin;
    case TStrokeJoin::Bevel:
        return Qt::BevelJoin;
    case TStrokeJoin::Miter:
        break;
    }
    // The painter's own miter join clips a long miter; SVG bevels it, and
    // measures the limit the same way.
    return Qt::SvgMiterJoin;
}

double PercentBase(const std::optional<QSizeF>& NearestViewBox)
{
    if (!NearestViewBox)
        return 1;
    return std::hypot(NearestViewBox->width(), NearestViewBox->height()) / std::numbers::sqrt2;
}

// The dash lengths in user units: a standard style scales with the width,
// custom entries may be percentages.
std::vector<double> DashesOf(const TSVGPen& Pen, double Width, double Base)
{
    std::vector<double> dashes;
    if (Pen.Dash() != TStrokeDash::Custom) {
        for (float multiple : StandardDashPattern(Pen.Dash()))
            dashes.push_back(multiple * Width);
        return dashes;
    }
    const std::vector<float>& entries = Pen.DashArray();
    const std::vector<bool>& percent = Pen.DashArrayIsPercent();
    for (std::size_t i = 0; i < entries.size(); ++i)
        dashes.push_back(i < percent.size() && percent[i] ? entries[i] * Base : entries[i]);
    const bool drawable = std::all_of(dashes.begin(), dashes.end(), [](double d) { return std::isfinite(d) && d >= 0; })
        && std::any_of(dashes.begin(), dashes.end(), [](double d) { return d > 0; });
    if (!drawable)
        dashes.clear();
    // Dashes and gaps alternate: an odd list runs twice.
    if (dashes.size() % 2 != 0)
        dashes.insert(dashes.end(), dashes.begin(), dashes.end());
    return dashes;
}

// Pens and strokers both measure dashes and their offset in stroke widths.
template <typename Target>
void ApplyDashes(Target& Stroke, const TStrokeStyle& Style)
{
    if (Style.Dashes.empty())
        return;
    // The painter strokes a dash of length 0 as if the line had no dashes:
    // a hair's length keeps it a dash, which shows its caps alone.
    constexpr double ShortestDash = 1e-3;
    QList<qreal> pattern;
    for (std::size_t i = 0; i < Style.Dashes.size(); ++i)
        pattern.append(i % 2 == 0 ? std::max(Style.Dashes[i] / Style.Width, ShortestDash) : Style.Dashes[i] / Style.Width);
    Stroke.setDashPattern(pattern);
    Stroke.setDashOffset(Style.DashOffset / Style.Width);
}

} // namespace

bool TStrokeStyle::IsDrawable() const
{
    return std::isfinite(Width) && Width > 0;
}

TStrokeStyle StrokeStyleOf(const TSVGPen& Pen, TSVGVectorEffect VectorEffect,
                           const std::optional<QSizeF>& NearestViewBox)
{
    const double base = PercentBase(NearestViewBox);
    TStrokeStyle style;
    style.Width = Pen.ThicknessIsPercent() ? Pen.Thickness() * base : Pen.Thickness();
    style.Cap = Pen.Cap();
    style.Join = Pen.Join();
    style.MiterLimit = std::max(1.0, double(Pen.MiterLimit()));
    style.Dashes = DashesOf(Pen, style.Width, base);
    if (!style.Dashes.empty()) {
        const double offset = Pen.SVGDashOffset().IsPercent() ? Pen.DashOffset() * base : Pen.DashOffset();
        style.DashOffset = std::isfinite(offset) ? offset : 0;
    }
    style.NonScaling = VectorEffect == TSVGVectorEffect::veNonScalingStroke;
    return style;
}

double StrokeScale(const QTransform& M)
{
    return std::sqrt(std::abs(M.m11() * M.m22() - M.m12() * M.m21()));
}

bool IsUniformScale(const QTransform& M)
{
    // The images of the two unit vectors are perpendicular and equally long.
    const double xx = M.m11() * M.m11() + M.m12() * M.m12();
    const double yy = M.m21() * M.m21() + M.m22() * M.m22();
    const double xy = M.m11() * M.m21() + M.m12() * M.m22();
    const double tolerance = UniformTolerance * std::max(xx, yy);
    return std::abs(xx - yy) <= tolerance && std::abs(xy) <= tolerance;
}

double LargestStretch(const QTransform& M)
{
    // The larger singular value of the linear part.
    const double sum = M.m11() * M.m11() + M.m12() * M.m12() + M.m21() * M.m21() + M.m22() * M.m22();
    const double determinant = M.m11() * M.m22() - M.m12() * M.m21();
    return std::sqrt((sum + std::sqrt(std::max(0.0, sum * sum - 4 * determinant * determinant))) / 2);
}

double StrokeReach(const TStrokeStyle& Style)
{
    double reach = Style.Cap == TStrokeCap::Square ? std::numbers::sqrt2 : 1.0;
    if (Style.Join == TStrokeJoin::Miter)
        reach = std::max(reach, Style.MiterLimit);
    return Style.Width / 2 * reach;
}

QPen CanvasPen(const TStrokeStyle& Style, double Scale, const QBrush& Brush)
{
    QPen pen(Brush, Style.Width * Scale, Qt::SolidLine, CapOf(Style.Cap), JoinOf(Style.Join));
    pen.setMiterLimit(Style.MiterLimit);
    ApplyDashes(pen, Style);
    return pen;
}

QPainterPath StrokeOutline(const QPainterPath& Path, const TStrokeStyle& Style)
{
    QPainterPathStroker stroker;
    stroker.setWidth(Style.Width);
    stroker.setCapStyle(CapOf(Style.Cap));
    stroker.setJoinStyle(JoinOf(Style.Join));
    stroker.setMiterLimit(Style.MiterLimit);
    ApplyDashes(stroker, Style);
    QPainterPath outline = stroker.createStroke(Path);
    outline.setFillRule(Qt::WindingFill);
    return outline;
}

} // namespace zor
