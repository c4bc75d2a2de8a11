// Drawing and hit testing of viewports: the view matrix and the clip to the
// viewport rectangle, made in the coordinates that rectangle is given in.

#include <QPolygonF>

#include "svg/model/viewport.h"
#include "svg/render/render_context.h"

namespace zor {

namespace {

// The viewport's clip: the rectangle itself, or the offsets of the clip
// property ("rect(top right bottom left)", measured from its corner).
QRectF ClipRectangle(const QRectF& Viewport, const QRectF& Clip)
{
    if (Clip.isNull())
        return Viewport;
    return QRectF(Viewport.topLeft() + Clip.topLeft(), Viewport.topLeft() + Clip.bottomRight());
}

} // namespace

void TSVGCustomViewBox::Draw(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect)
{
    DrawViewport(ViewportRect(), aMatrix, Canvas, aRect);
}

void TSVGCustomViewBox::DrawViewport(const QRectF& Viewport, const QTransform& aMatrix, TRenderContext& Canvas,
                                     const QRectF& aRect)
{
    if (!ShouldDraw())
        return;
    const std::optional<QTransform> view = ViewMatrix(Viewport);
    if (!view)
        return;
    const TCanvasStateGuard state(Canvas);
    ClipToViewport(Viewport, aMatrix, Canvas);
    DrawTransformed(*view * aMatrix, Canvas, aRect);
}

void TSVGCustomViewBox::ClipToViewport(const QRectF& Viewport, const QTransform& aMatrix, TRenderContext& Canvas)
{
    if (ClipsContent())
        Canvas.IntersectClipRect(ClipRectangle(Viewport, ResolvedValues().ClipRect), aMatrix);
}

TSVGGraphicElement* TSVGCustomViewBox::ElementAtPos(const QTransform& aMatrix, const QPointF& Pt,
                                                    const QRectF& aRect, TSVGFindOptions Options)
{
    return ViewportElementAtPos(ViewportRect(), aMatrix, Pt, aRect, Options);
}

TSVGGraphicElement* TSVGCustomViewBox::ViewportElementAtPos(const QRectF& Viewport, const QTransform& aMatrix,
                                                            const QPointF& Pt, const QRectF& aRect,
                                                            TSVGFindOptions Options)
{
    if (!IsSearched(Options))
        return nullptr;
    const std::optional<QTransform> view = ViewMatrix(Viewport);
    if (!view)
        return nullptr;
    // What the clip hides is not there to hit.
    const auto clipped = [&] {
        const QPolygonF clip = aMatrix.map(QPolygonF(ClipRectangle(Viewport, ResolvedValues().ClipRect)));
        return !clip.containsPoint(Pt, Qt::OddEvenFill);
    };
    if (ClipsContent() && clipped())
        return nullptr;
    return FindElementAtPos(*view * aMatrix, Pt, aRect, Options);
}

bool TSVGCustomViewBox::ApplyAncestorTransforms(const TSVGGraphicElement&, QTransform& M, TRenderContext& Canvas,
                                                const QRectF&)
{
    if (!ShouldDraw())
        return false;
    const QRectF viewport = ViewportRect();
    const std::optional<QTransform> view = ViewMatrix(viewport);
    if (!view)
        return false;
    ClipToViewport(viewport, M, Canvas);
    M = Matrix() * *view * M;
    return true;
}

} // namespace zor
