#pragma once
// The one owner of the painter's state while a drawing is made: the current
// fill and stroke, fill and stroke of transformed outlines with an opacity,
// clips expressed in any coordinate system, and RAII guards for the scene
// and for saving and restoring the state.

#include <QPaintDevice>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QRectF>
#include <QTransform>

#include "svg/render/render_paint.h"
#include "svg/render/stroke_style.h"
#include "svg/render/transformed_path.h"
#include "svg/values/colors.h"

namespace zor {

// Canvas coordinates are those of the painter when the context was made
// (the host's transform, a supersampling scale for instance); outlines
// arrive already mapped into them, so the painter's own transform stays
// that base transform except while a clip is made.
class TRenderContext {
public:
    // Painter must be active; antialiasing is switched on.
    explicit TRenderContext(QPainter& Painter);
    TRenderContext(const TRenderContext&) = delete;
    TRenderContext& operator=(const TRenderContext&) = delete;

    // The painter drawing goes to: the target's, or an open layer's.
    QPainter& Painter() const { return *FPainter; }
    // Maps canvas coordinates to the current painter's device.
    const QTransform& BaseTransform() const { return FBase; }

    const TRenderPaint& Fill() const { return FFill; }
    void SetFill(const TRenderPaint& Paint) { FFill = Paint; }
    const TRenderPaint& Stroke() const { return FStroke; }
    const TStrokeStyle& StrokeStyle() const { return FStrokeStyle; }
    void SetStroke(const TRenderPaint& Paint, const TStrokeStyle& Style);
    // A paint and a drawable width.
    bool StrokePaints() const { return FStroke.Paints() && FStrokeStyle.IsDrawable(); }

    // Fills the outline (open subpaths as if closed) with the current fill,
    // at Opacity × the fill's own opacity.
    void FillPath(const TTransformedPath& Path, double Opacity);
    // Strokes the outline with the current stroke, at Opacity × the
    // stroke's own opacity.
    void StrokePath(const TTransformedPath& Path, double Opacity);
    // Fill, then stroke. With both painted and Opacity (times an opacity
    // folded in around it) below 1, they are drawn into one layer composited
    // at that opacity, so that the stroke does not show the fill through
    // it; otherwise Opacity goes to each.
    void FillAndStroke(const TTransformedPath& Path, double Opacity);

    // Fills Text in Font with the current fill, at Opacity × the fill's own
    // opacity: the platform's text drawing, with the text's baseline origin
    // at (0, 0) of the coordinates that M maps into the canvas.
    void FillText(const QString& Text, const QFont& Font, const QTransform& M, double Opacity);

    // Draws the whole of Bitmap, smoothly scaled, into Target, a rectangle
    // in the coordinates that M maps into the canvas, at Opacity.
    void DrawBitmap(const QImage& Bitmap, const QRectF& Target, const QTransform& M, double Opacity);

    // Intersects the clip with R given in the coordinates that M maps into
    // the canvas (a viewport clips in its own coordinates).
    void IntersectClipRect(const QRectF& R, const QTransform& M);
    // Sets every pixel of the current device to Color, whatever the clip.
    void Clear(TAlphaColor Color);

    // What is drawn now is drawn for a disabled element (the markers of a
    // disabled path): it turns gray as that element's own paints do.
    bool DrawsDisabled() const { return FDisabledDepth > 0; }

private:
    friend class TCanvasStateGuard;
    friend class TDisabledDrawing;
    friend class TFoldedOpacity;
    friend class TTransparentLayer;

    // Sets the painter's opacity for one call; false when nothing would show.
    bool PrepareOpacity(double Opacity);
    // Whether the stroke can be a pen on the canvas outline, and its scale.
    bool StrokesWithPen(const QTransform& M, double& Scale) const;
    // Where the outline and its stroke can reach, in canvas coordinates.
    QRectF PaintedBounds(const TTransformedPath& Path) const;

    QPainter* FPainter;
    QTransform FBase;
    // Opacity of the layers folded into the drawing instead of made offscreen.
    double FOpacityScale = 1;
    int FLayerDepth = 0;
    int FDisabledDepth = 0;
    TRenderPaint FFill;
    TRenderPaint FStroke;
    TStrokeStyle FStrokeStyle;
};

// Saves the painter state (clip included) and the current fill and stroke,
// and restores them on every exit path.
class TCanvasStateGuard {
public:
    explicit TCanvasStateGuard(TRenderContext& Context);
    ~TCanvasStateGuard();
    TCanvasStateGuard(const TCanvasStateGuard&) = delete;
    TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

private:
    TRenderContext& FContext;
    QPainter& FPainter;
    TRenderPaint FFill;
    TRenderPaint FStroke;
    TStrokeStyle FStrokeStyle;
};

// Everything drawn in its scope is drawn for a disabled element. The state
// belongs to the drawing, not to the elements drawn, so no element changes.
class TDisabledDrawing {
public:
    explicit TDisabledDrawing(TRenderContext& Context)
        : FContext(Context)
    {
        ++FContext.FDisabledDepth;
    }
    ~TDisabledDrawing() { --FContext.FDisabledDepth; }
    TDisabledDrawing(const TDisabledDrawing&) = delete;
    TDisabledDrawing& operator=(const TDisabledDrawing&) = delete;

private:
    TRenderContext& FContext;
};

// Multiplies everything drawn in its scope by an opacity, without a layer:
// for content that paints a single part, where both look the same.
class TFoldedOpacity {
public:
    TFoldedOpacity(TRenderContext& Context, double Opacity);
    ~TFoldedOpacity();
    TFoldedOpacity(const TFoldedOpacity&) = delete;
    TFoldedOpacity& operator=(const TFoldedOpacity&) = delete;

private:
    TRenderContext& FContext;
    double FOuterOpacityScale;
};

// Begins painting on a device, with antialiasing, and ends it on every exit
// path. A device that cannot be painted on (a bitmap without pixels) leaves
// the scene inactive: there is nothing to draw.
class TCanvasScene {
public:
    explicit TCanvasScene(QPaintDevice& Device);
    ~TCanvasScene();
    TCanvasScene(const TCanvasScene&) = delete;
    TCanvasScene& operator=(const TCanvasScene&) = delete;

    bool IsActive() const { return FPainter.isActive(); }
    QPainter& Painter() { return FPainter; }

private:
    QPainter FPainter;
};

} // namespace zor
