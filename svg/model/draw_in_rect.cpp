#include "svg/model/draw_in_rect.h"

#include <cmath>

#include "geometry/geometry_functions.h"
#include "svg/model/document.h"
#include "svg/render/fitting.h"
#include "svg/render/render_context.h"

namespace zor {

namespace {

// Tiles drawn at most along one side: a tile too small to see would
// otherwise draw the element without end.
constexpr double MaxTilesPerSide = 256;

QRectF RoundedEdges(const QRectF& R)
{
    return QRectF(QPointF(std::nearbyint(R.left()), std::nearbyint(R.top())),
                  QPointF(std::nearbyint(R.right()), std::nearbyint(R.bottom())));
}

// The element's bounds with their size times Scale.
QRectF ScaledBounds(const TSVGGraphicElement& Element, float Scale)
{
    QRectF bounds = Element.BoundsRect();
    if (Scale != 1)
        bounds.setSize(bounds.size() * Scale);
    return bounds;
}

void DrawTiles(TRenderContext& Canvas, TSVGGraphicElement& Element, const QRectF& Target, const QSizeF& Tile)
{
    const double columns = std::trunc(Target.width() / Tile.width()) + 1;
    const double rows = std::trunc(Target.height() / Tile.height()) + 1;
    if (!(columns <= MaxTilesPerSide && rows <= MaxTilesPerSide))
        return;
    for (int i = 0; i <= int(columns); ++i)
        for (int j = 0; j <= int(rows); ++j)
            DrawSVGElementInRect(&Element, Canvas, QRectF(QPointF(i * Tile.width(), j * Tile.height()), Tile));
}

} // namespace

void DrawSVGElementInRect(TSVGGraphicElement* Element, TRenderContext& Canvas, const QRectF& R)
{
    if (Element == nullptr)
        return;
    const QTransform M = dynamic_cast<TSVGDocument*>(Element) != nullptr ? Element->GetViewMatrix(R)
                                                                         : Element->FitToRect(R);
    Element->Draw(M, Canvas, R);
}

void DrawSVGElementToBitmap(QImage& Bitmap, TSVGGraphicElement* Element, bool ClearFirst)
{
    if (Element == nullptr)
        return;
    TCanvasScene scene(Bitmap);
    if (!scene.IsActive())
        return;
    TRenderContext canvas(scene.Painter());
    if (ClearFirst)
        canvas.Clear(0);
    DrawSVGElementInRect(Element, canvas, BitmapTargetRect(Bitmap.size()));
}

QRectF GetSVGElementRect(const TSVGGraphicElement* Element, const QRectF& Target, TSVGImageWrapMode WrapMode,
                         float Scale)
{
    if (Element == nullptr)
        return QRectF();
    const QRectF bounds = ScaledBounds(*Element, Scale);
    if (bounds.isEmpty())
        return bounds;
    switch (WrapMode) {
    case TSVGImageWrapMode::iwFit: {
        QRectF fitted(QPointF(0, 0), bounds.size());
        FitRect(fitted, Target, true);
        return RoundedEdges(fitted);
    }
    case TSVGImageWrapMode::iwStretch:
        return Target;
    case TSVGImageWrapMode::iwCenter:
        return QRectF(QPointF(std::nearbyint((Target.width() - bounds.width()) / 2),
                              std::nearbyint((Target.height() - bounds.height()) / 2)),
                      bounds.size());
    case TSVGImageWrapMode::iwOriginal:
    case TSVGImageWrapMode::iwTile:
        break;
    }
    return bounds;
}

void DrawSVGElement(TRenderContext& Canvas, TSVGGraphicElement* Element, const QRectF& Target, float Scale,
                    TSVGImageWrapMode WrapMode)
{
    if (Element == nullptr)
        return;
    const QRectF bounds = ScaledBounds(*Element, Scale);
    if (bounds.isEmpty())
        return;
    const TCanvasStateGuard state(Canvas);
    switch (WrapMode) {
    case TSVGImageWrapMode::iwOriginal:
        DrawSVGElementInRect(Element, Canvas, QRectF(Target.topLeft(), bounds.size()));
        break;
    case TSVGImageWrapMode::iwTile:
        DrawTiles(Canvas, *Element, Target, bounds.size());
        break;
    case TSVGImageWrapMode::iwFit:
    case TSVGImageWrapMode::iwStretch:
    case TSVGImageWrapMode::iwCenter:
        DrawSVGElementInRect(Element, Canvas, GetSVGElementRect(Element, Target, WrapMode, Scale));
        break;
    }
}

} // namespace zor
