#include "svg/render/transparent_layer.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "geometry/geometry_functions.h"
#include "svg/render/device_pixels.h"
#include "svg/render/render_context.h"

namespace zor {

TTransparentLayer::TTransparentLayer(TRenderContext& Context, double Opacity, const QRectF& Bounds)
    : FContext(Context)
    , FOpacity(std::isfinite(Opacity) ? std::clamp(Opacity, 0.0, 1.0) : 1.0)
    , FOuterPainter(Context.FPainter)
    , FOuterBase(Context.FBase)
    , FOuterOpacityScale(Context.FOpacityScale)
{
    if (FOpacity >= 1)
        return;
    const QRect pixels = FOpacity > 0 ? VisiblePixels(Bounds) : QRect();
    if (pixels.isEmpty()) {
        FContext.FOpacityScale = 0;
        return;
    }
    if (FContext.FLayerDepth >= MaxDepth || !OpenImage(pixels)) {
        FContext.FOpacityScale *= FOpacity;
        return;
    }
    FContext.FPainter = FLayerPainter.get();
    FContext.FBase = FLayerPainter->worldTransform();
    FContext.FOpacityScale = 1;
    ++FContext.FLayerDepth;
}

TTransparentLayer::~TTransparentLayer()
{
    FContext.FOpacityScale = FOuterOpacityScale;
    if (!FLayerPainter)
        return;
    FLayerPainter->end();
    --FContext.FLayerDepth;
    FContext.FPainter = FOuterPainter;
    FContext.FBase = FOuterBase;
    if (!(FOuterOpacityScale > 0))
        return;
    FOuterPainter->save();
    UseDevicePixels(*FOuterPainter);
    FOuterPainter->setOpacity(FOpacity * FOuterOpacityScale);
    FOuterPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    FOuterPainter->drawImage(FOrigin, FImage);
    FOuterPainter->restore();
}

QRect TTransparentLayer::VisiblePixels(const QRectF& Bounds) const
{
    const QTransform toPixels = FOuterPainter->deviceTransform();
    const QRectF device = DevicePixelRect(*FOuterPainter);
    QRectF area = device;
    if (FOuterPainter->hasClipping())
        area &= toPixels.mapRect(FOuterPainter->clipBoundingRect());
    if (!Bounds.isNull())
        area &= toPixels.mapRect(Bounds);
    return area.toAlignedRect() & device.toAlignedRect();
}

bool TTransparentLayer::OpenImage(const QRect& Pixels)
{
    FImage = QImage(Pixels.size(), QImage::Format_ARGB32_Premultiplied);
    if (FImage.isNull())
        return false;
    FImage.fill(Qt::transparent);
    FOrigin = Pixels.topLeft();

    FLayerPainter = std::make_unique<QPainter>(&FImage);
    FLayerPainter->setRenderHints(FOuterPainter->renderHints());
    const QTransform toPixels = FOuterPainter->deviceTransform();
    const QTransform toLayer = TranslationMatrix(-FOrigin.x(), -FOrigin.y());
    // The content keeps the clip it would have had on the target.
    if (FOuterPainter->hasClipping())
        FLayerPainter->setClipPath(toLayer.map(toPixels.map(FOuterPainter->clipPath())));
    FLayerPainter->setWorldTransform(toPixels * toLayer);
    return true;
}

} // namespace zor
