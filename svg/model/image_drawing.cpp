// Drawing and hit testing of images: a bitmap drawn into its fitted
// rectangle, or an SVG document drawn there, clipped to its own viewport.

#include <QPolygonF>

#include "svg/model/document.h"
#include "svg/model/image.h"
#include "svg/render/fitting.h"
#include "svg/render/render_context.h"
#include "svg/render/transparent_layer.h"

namespace zor {

void TSVGImage::Draw(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect)
{
    if (!ShouldDraw())
        return;
    const TCanvasStateGuard state(Canvas);
    // The viewport lies in the element's own coordinates: x and y are not
    // a view box translation here.
    ClipToViewport(ImageViewport(), Matrix() * aMatrix, Canvas);
    DrawTransformed(aMatrix, Canvas, aRect);
}

bool TSVGImage::DrawShape(const QTransform& M, TRenderContext& Canvas, const QRectF&)
{
    if (!Visible())
        return false;
    const TImagePicture* picture = ShownPicture();
    const QRectF target = PictureRect();
    if (picture == nullptr || target.isEmpty())
        return false;
    const double opacity = Opacity() * Brush().Opacity();
    if (!picture->Bitmap().isNull()) {
        Canvas.DrawBitmap(picture->Bitmap(), target, M, opacity);
        return true;
    }
    TSVGDocument& document = *picture->Document();
    const TCanvasStateGuard state(Canvas);
    // An SVG picture shows what its own viewport shows, whatever the
    // image's overflow.
    Canvas.IntersectClipRect(target, M);
    const TTransparentLayer layer(Canvas, opacity, M.mapRect(target));
    document.Draw(DocumentMatrix(document, target) * M, Canvas, M.mapRect(target));
    return true;
}

QTransform TSVGImage::DocumentMatrix(const TSVGDocument& Document, const QRectF& Target) const
{
    // The document's view box fills its own size, which fills Target.
    const QRectF own(QPointF(), FPicture.IntrinsicSize());
    const QTransform placed = zor::FitToRect(Target, own);
    if (!Document.ViewBox().Specified())
        return placed;
    return ViewBoxMatrix(Document.ViewBox().Rect(), own, Document.AspectRatio()).value_or(QTransform()) * placed;
}

TSVGGraphicElement* TSVGImage::ElementAtPos(const QTransform& aMatrix, const QPointF& Pt, const QRectF& aRect,
                                            TSVGFindOptions Options)
{
    // An image has no view box matrix for content: its own shape is the picture.
    return TSVGGraphicElement::ElementAtPos(aMatrix, Pt, aRect, Options);
}

TSVGGraphicElement* TSVGImage::HitTestShape(const QTransform& M, const QPointF& Pt, const QRectF&,
                                            TSVGFindOptions Options)
{
    if (!Visible() && !Options.Contains(TSVGFindOption::foFindHiddenElements))
        return nullptr;
    QRectF area = ImageViewport();
    if (!Options.Contains(TSVGFindOption::foUseBoundingBox)) {
        if (ShownPicture() == nullptr)
            return nullptr;
        const QRectF picture = PictureRect();
        area = ClipsContent() ? picture.intersected(area) : picture;
    }
    if (area.isEmpty() || !M.map(QPolygonF(area)).containsPoint(Pt, Qt::OddEvenFill))
        return nullptr;
    return DoElementFound(this);
}

} // namespace zor
