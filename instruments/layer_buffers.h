#pragma once
// The cached pictures of a split drawing: everything a document draws before
// its active element and everything it draws after it. Each layer is drawn
// supersampled, then reduced once to the device pixels it is shown at, so a
// repaint only copies pixels around a fresh drawing of the active element.

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <functional>

namespace zor {

class TRenderContext;
class TSVGDocument;
class TSVGGraphicElement;

// Supersampling factors of a split drawing.
inline constexpr int MinQuality = 1;
inline constexpr int MaxQuality = 8;
// Quality limited to MinQuality..MaxQuality.
int LimitedQuality(int Quality);

// Size × Quality, scaled down keeping its aspect when a side would pass the
// largest bitmap side.
QSize SupersampledSize(QSize Size, int Quality);

// The rectangle of whole device pixels inside Area (device pixels) that a
// document of DocumentSize fills: stretched over Area, or fitted into it
// keeping its aspect and centred, the margins rounded to whole pixels.
QRect FittedDeviceRect(const QRectF& Area, QSizeF DocumentSize, bool Stretch);

// The size a document occupies when it is fitted: its bounds.
QSizeF DocumentSize(const TSVGDocument& Document);

// How far, in pixels, strokes and antialiasing may reach beyond the bounds
// of the outlines of a drawing Size pixels large.
int OutlineMargin(QSize Size);

// The pixels of a drawing of Document Size pixels large (fitted as
// GetViewMatrix fits it) that show DocumentArea of its user space, with the
// outline margin, within the drawing.
QRect DeviceAreaOf(const TSVGDocument& Document, const QRectF& DocumentArea, QSize Size);

// Draws into a transparent image of Size pixels at Quality times its
// resolution and reduces the result to Size: Draw receives a canvas and the
// target rectangle in the supersampled pixels.
using TLayerDrawing = std::function<void(TRenderContext& Canvas, const QRectF& Target)>;
QImage RenderSupersampled(QSize Size, int Quality, const TLayerDrawing& Draw);

class TSVGLayerBuffers {
public:
    // Draws the layers of Document around Active, for a picture of Size
    // device pixels supersampled Quality times.
    void Update(TSVGDocument& Document, TSVGGraphicElement& Active, QSize Size, int Quality);
    // Frees the pixels; Size becomes empty.
    void Release();

    const QImage& Background() const { return FBackground; }
    const QImage& Foreground() const { return FForeground; }
    // The device pixels the layers were made for.
    QSize Size() const { return FBackground.size(); }
    // The pixels they were drawn in before they were reduced.
    QSize RenderSize() const { return FRenderSize; }

private:
    QImage FBackground;
    QImage FForeground;
    QSize FRenderSize;
};

} // namespace zor
