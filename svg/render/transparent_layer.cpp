#include "svg/render/transparent_layer.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "geometry/geometry_functions.h"
#include "svg/render/clip_region.h"
#include "svg/render/device_pixels.h"
#include "svg/render/render_context.h"

namespace zor {

TTransparentLayer::TTransparentLayer(TRenderContext& Context, double Opacity, const QRectF& Bounds,
                                     const TClipRegion* Clip)
    : FContext(Context)
    , FOpacity(std::isfinite(Opacity) ? std::clamp(Opacity, 0.0, 1.0) : 1.0)
    , FOuterPainter(Context.FPainter)
    , FOuterBase(Context.FBase)
    , FOuterOpacityScale(Context.FOpacityScale)
{
    if (FOpacity >= 1 && Clip == nullptr)
        return;
    QRectF reach = Bounds;
    if (Clip != nullptr) {
        const QRectF clipBounds = Clip->Bounds();
        reach = reach.isNull() ? clipBounds : reach & clipBounds;
    }
    const bool showsAnything = FOpacity > 0 && !(Clip != nullptr && reach.isEmpty());
    const QRect pixels = showsAnything ? VisiblePixels(reach) : QRect();
    if (pixels.isEmpty()) {
        FContext.FOpacityScale = 0;
        return;
    }
    if (FContext.FLayerDepth >= MaxDepth || !OpenImage(pixels)) {
        FContext.FOpacityScale *= FOpacity;
        if (Clip != nullptr)
            ClipTarget(*Clip);
        return;
    }
    FClip = Clip;
    FContext.FPainter = FLayerPainter.get();
    FContext.FBase = FLayerPainter->worldTransform();
    FContext.FOpacityScale = 1;
    ++FContext.FLayerDepth;
}

TTransparentLayer::~TTransparentLayer()
{
    FContext.FOpacityScale = FOuterOpacityScale;
    if (FClipsTarget)
        FOuterPainter->restore();
    if (!FLayerPainter)
        return;
    FLayerPainter->end();
    if (FClip != nullptr)
        FClip->ApplyTo(FImage, FCanvasToImage);
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
    FCanvasToImage = toPixels * toLayer;
    FLayerPainter->setWorldTransform(FCanvasToImage);
    return true;
}

void TTransparentLayer::ClipTarget(const TClipRegion& Clip)
{
    FOuterPainter->save();
    FClipsTarget = true;
    FOuterPainter->setClipPath(Clip.Outline(), Qt::IntersectClip);
}

} // namespace zor
