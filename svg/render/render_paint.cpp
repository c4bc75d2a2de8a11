#include "svg/render/render_paint.h"

#include <QColor>
#include <algorithm>
#include <cmath>

#include "svg/render/gradient_brush.h"

namespace zor {

namespace {

template <typename Paint>
TRenderPaint ResolveAnyPaint(const Paint& Source, const QRectF& BoundingBox, const TPaintServerResolver& Resolver,
                             TMissingPaintServer Missing)
{
    if (Source.Kind() == TBrushKind::None)
        return {};
    const double opacity = Source.Opacity();
    const TRenderPaint color(QBrush(QColor::fromRgba(Source.Color())), opacity);
    if (Source.URI().isEmpty() || !Resolver)
        return color;
    const TPaintServer server = Resolver(Source.URI());
    // A gradient that cannot paint here (no stops, a bounding box without
    // width or height in bounding-box units) is passed over like a missing
    // server: the fallback colour paints when one is written.
    if (const auto* gradient = std::get_if<TGradient>(&server)) {
        if (const std::optional<QBrush> brush = GradientBrush(*gradient, BoundingBox))
            return TRenderPaint(*brush, opacity);
    } else if (const auto* brush = std::get_if<QBrush>(&server)) {
        return TRenderPaint(*brush, opacity);
    }
    return Missing == TMissingPaintServer::mpsFallbackColor ? color : TRenderPaint();
}

} // namespace

TRenderPaint::TRenderPaint(const QBrush& UserBrush, double Opacity)
    : FUserBrush(UserBrush)
    , FOpacity(std::isfinite(Opacity) ? std::clamp(Opacity, 0.0, 1.0) : 1.0)
{
}

bool TRenderPaint::Paints() const
{
    return FUserBrush.style() != Qt::NoBrush && FOpacity > 0;
}

QBrush TRenderPaint::CanvasBrush(const QTransform& M) const
{
    if (FUserBrush.style() == Qt::SolidPattern)
        return FUserBrush;
    QBrush brush = FUserBrush;
    brush.setTransform(FUserBrush.transform() * M);
    return brush;
}

TRenderPaint ResolvePaint(const TSVGBrush& Brush, const QRectF& BoundingBox, const TPaintServerResolver& Resolver,
                          TMissingPaintServer Missing)
{
    return ResolveAnyPaint(Brush, BoundingBox, Resolver, Missing);
}

TRenderPaint ResolvePaint(const TSVGPen& Pen, const QRectF& BoundingBox, const TPaintServerResolver& Resolver,
                          TMissingPaintServer Missing)
{
    return ResolveAnyPaint(Pen, BoundingBox, Resolver, Missing);
}

} // namespace zor
