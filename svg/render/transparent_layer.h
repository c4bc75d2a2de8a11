#pragma once
// Group opacity and clipping: what is drawn while the layer is open goes to
// an offscreen image that is composited once, at the layer's opacity and
// through the clip region's antialiased coverage, when it closes, so
// overlapping parts do not darken each other and clipped edges stay smooth.

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QTransform>
#include <memory>

namespace zor {

class TClipRegion;
class TRenderContext;

class TTransparentLayer {
public:
    // The most layers open at once; deeper ones fold their opacity into the
    // drawing and clip with the painter's hard-edged clip, so that nesting
    // cannot take memory without bound.
    static constexpr int MaxDepth = 8;

    // Bounds, in canvas coordinates, is where the content can reach (a null
    // rectangle: anywhere); the image covers its part within the clip, in
    // device pixels. An opacity of 1 or more without a clip region needs no
    // layer; a layer that would show nothing (opacity 0, nothing left inside
    // the clip) makes the content draw nothing. Clip, when given, limits the
    // content further and must outlive the layer.
    TTransparentLayer(TRenderContext& Context, double Opacity, const QRectF& Bounds = QRectF(),
                      const TClipRegion* Clip = nullptr);
    ~TTransparentLayer();
    TTransparentLayer(const TTransparentLayer&) = delete;
    TTransparentLayer& operator=(const TTransparentLayer&) = delete;

    // True while the content goes to an offscreen image.
    bool IsOffscreen() const { return FLayerPainter != nullptr; }

private:
    // The device pixels where the layer can show.
    QRect VisiblePixels(const QRectF& Bounds) const;
    bool OpenImage(const QRect& Pixels);
    // Clips the target painter itself, for a clip region without a layer.
    void ClipTarget(const TClipRegion& Clip);

    TRenderContext& FContext;
    double FOpacity;
    QPainter* FOuterPainter;
    QTransform FOuterBase;
    double FOuterOpacityScale;
    QImage FImage;
    QPoint FOrigin;
    // Canvas coordinates to the image's pixels.
    QTransform FCanvasToImage;
    std::unique_ptr<QPainter> FLayerPainter;
    const TClipRegion* FClip = nullptr;
    bool FClipsTarget = false;
};

} // namespace zor
