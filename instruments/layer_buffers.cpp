#include "instruments/layer_buffers.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "instruments/image_reduction.h"
#include "svg/model/document.h"
#include "svg/render/render_context.h"
#include "svg/values/bitmap_size.h"

namespace zor {

int LimitedQuality(int Quality)
{
    return std::clamp(Quality, MinQuality, MaxQuality);
}

QSize SupersampledSize(QSize Size, int Quality)
{
    const QSizeF wanted = QSizeF(std::max(Size.width(), 0), std::max(Size.height(), 0)) * LimitedQuality(Quality);
    const double longest = std::max(wanted.width(), wanted.height());
    const double scale = longest > MaxBitmapSide ? MaxBitmapSide / longest : 1.0;
    return QSize(static_cast<int>(std::lround(wanted.width() * scale)),
                 static_cast<int>(std::lround(wanted.height() * scale)));
}

QRect FittedDeviceRect(const QRectF& Area, QSizeF DocumentSize, bool Stretch)
{
    const QSizeF fitted =
        CalcBitmapSize(Stretch ? TSVGImageWrapMode::iwStretch : TSVGImageWrapMode::iwFit,
                       static_cast<float>(DocumentSize.width()), static_cast<float>(DocumentSize.height()),
                       static_cast<float>(Area.width()), static_cast<float>(Area.height()), 1);
    // Whole pixels, so that a cached layer is copied without resampling.
    const int width = static_cast<int>(std::lround(fitted.width()));
    const int height = static_cast<int>(std::lround(fitted.height()));
    const double left = Area.left() + (Area.width() - width) / 2;
    const double top = Area.top() + (Area.height() - height) / 2;
    return QRect(static_cast<int>(std::nearbyint(left)), static_cast<int>(std::nearbyint(top)), width, height);
}

QSizeF DocumentSize(const TSVGDocument& Document)
{
    return Document.GetBoundsRect(QTransform()).size();
}

int OutlineMargin(QSize Size)
{
    return std::max(4, std::max(Size.width(), Size.height()) / 32);
}

QRect DeviceAreaOf(const TSVGDocument& Document, const QRectF& DocumentArea, QSize Size)
{
    const QRect whole(QPoint(0, 0), Size);
    const QRectF shown = Document.GetViewMatrix(QRectF(whole)).mapRect(DocumentArea);
    const int margin = OutlineMargin(Size);
    return shown.toAlignedRect().adjusted(-margin, -margin, margin, margin) & whole;
}

QImage RenderSupersampled(QSize Size, int Quality, const TLayerDrawing& Draw)
{
    const QSize renderSize = SupersampledSize(Size, Quality);
    QImage image(renderSize, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        // Nothing to draw on; the picture stays transparent.
        QImage empty(Size, QImage::Format_ARGB32_Premultiplied);
        empty.fill(Qt::transparent);
        return empty;
    }
    image.fill(Qt::transparent);
    {
        TCanvasScene scene(image);
        if (scene.IsActive()) {
            TRenderContext canvas(scene.Painter());
            Draw(canvas, QRectF(QPointF(0, 0), renderSize));
        }
    }
    if (renderSize == Size)
        return image;
    // An area-averaging reduction: every supersampled pixel counts.
    return ReducedImage(image, Size);
}

void TSVGLayerBuffers::Update(TSVGDocument& Document, TSVGGraphicElement& Active, QSize Size, int Quality)
{
    FRenderSize = SupersampledSize(Size, Quality);
    FBackground = RenderSupersampled(Size, Quality, [&](TRenderContext& Canvas, const QRectF& Target) {
        Document.DrawBeforeElement(&Active, Document.GetViewMatrix(Target), Canvas, Target, false);
    });
    FForeground = RenderSupersampled(Size, Quality, [&](TRenderContext& Canvas, const QRectF& Target) {
        Document.DrawAfterElement(&Active, Document.GetViewMatrix(Target), Canvas, Target, false);
    });
}

void TSVGLayerBuffers::Release()
{
    FBackground = QImage();
    FForeground = QImage();
    FRenderSize = QSize();
}

} // namespace zor
