#include "instruments/live_picture.h"

#include <QPainter>
#include <utility>

#include "instruments/layer_buffers.h"
#include "svg/model/document.h"
#include "svg/model/graphic_element.h"

namespace zor {

namespace {

// Area (pixels of a drawing Size large) of Live drawn supersampled, as it
// lies in the whole drawing.
QImage RenderArea(TSVGDocument& Document, TSVGGraphicElement& Live, QSize Size, const QRect& Area, int Quality)
{
    return RenderSupersampled(Area.size(), Quality, [&](TRenderContext& Canvas, const QRectF& Rect) {
        // The whole drawing's rectangle, in the supersampled pixels of the
        // area: whole pixels apart, so an area is drawn as the whole would be.
        const double sx = Rect.width() / Area.width();
        const double sy = Rect.height() / Area.height();
        const QRectF drawing(-Area.left() * sx, -Area.top() * sy, Size.width() * sx, Size.height() * sy);
        Document.DrawElement(&Live, Document.GetViewMatrix(drawing), Canvas, drawing);
    });
}

} // namespace

void TLivePicture::InvalidateArea(const QRectF& DocumentArea)
{
    if (DocumentArea.isNull())
        FValid = false;
    else
        FStale = FStale.isNull() ? DocumentArea : FStale.united(DocumentArea);
}

bool TLivePicture::IsCurrent(QSize Size, int Quality, qint64 LayerKey) const
{
    return FValid && Size == FSize && Quality == FQuality && LayerKey == FLayerKey;
}

void TLivePicture::Paint(QPainter& Painter, TSVGDocument& Document, TSVGGraphicElement& Live, const QRect& Target,
                         int Quality, qint64 LayerKey)
{
    const QSize size = Target.size();
    if (!IsCurrent(size, Quality, LayerKey)) {
        Render(Document, Live, size, Quality);
        FSize = size;
        FQuality = Quality;
        FLayerKey = LayerKey;
        FValid = true;
    } else if (!FStale.isNull()) {
        Patch(Document, Live, size, Quality);
    }
    FStale = QRectF();
    Painter.drawImage(Target.topLeft() + FOrigin, FPicture);
}

void TLivePicture::Render(TSVGDocument& Document, TSVGGraphicElement& Live, QSize Size, int Quality)
{
    // Only the part of the drawing the live part covers is drawn: a needle,
    // a column or a lamp covers little of it.
    const QRectF bounds = Live.AbsoluteMatrix().mapRect(Live.BoundsRect());
    const QRect area = bounds.isEmpty() || !bounds.isValid() ? QRect(QPoint(0, 0), Size)
                                                             : DeviceAreaOf(Document, bounds, Size);
    FOrigin = area.topLeft();
    FPicture = RenderArea(Document, Live, Size, area, Quality);
    ++FRenders;
}

void TLivePicture::Patch(TSVGDocument& Document, TSVGGraphicElement& Live, QSize Size, int Quality)
{
    const QRect area = DeviceAreaOf(Document, FStale, Size);
    if (area.isEmpty())
        return;
    const QRect picture(FOrigin, FPicture.size());
    if (!picture.contains(area)) {
        // The part reaches where it drew nothing before (a level that
        // rises): the picture grows, and what it adds outside the stale
        // area stays as empty as it was.
        const QRect grown = picture | area;
        QImage larger(grown.size(), QImage::Format_ARGB32_Premultiplied);
        larger.fill(Qt::transparent);
        QPainter(&larger).drawImage(FOrigin - grown.topLeft(), FPicture);
        FPicture = std::move(larger);
        FOrigin = grown.topLeft();
    }
    const QImage patch = RenderArea(Document, Live, Size, area, Quality);
    QPainter painter(&FPicture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft() - FOrigin, patch);
    ++FPatches;
}

} // namespace zor
