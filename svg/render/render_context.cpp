#include "svg/render/render_context.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <utility>

#include "svg/render/device_pixels.h"
#include "svg/render/transparent_layer.h"

namespace zor {

namespace {

// A texture that lies on the device pixel for pixel (a pattern tile rendered
// at the device's resolution) is sampled without filtering: filtering would
// blur every edge of its content by the fraction of a pixel that rounding
// leaves in the matrix.
class TTextureSampling {
public:
    TTextureSampling(QPainter& Painter, const QBrush& Brush)
        : FPainter(Painter)
        , FSwitched(Brush.style() == Qt::TexturePattern && Painter.testRenderHint(QPainter::SmoothPixmapTransform)
                    && IsPixelForPixel(Brush.transform() * Painter.deviceTransform()))
    {
        if (FSwitched)
            FPainter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    ~TTextureSampling()
    {
        if (FSwitched)
            FPainter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    }
    TTextureSampling(const TTextureSampling&) = delete;
    TTextureSampling& operator=(const TTextureSampling&) = delete;

private:
    static bool IsPixelForPixel(const QTransform& M)
    {
        constexpr double tolerance = 1e-6;
        const auto near = [](double A, double B) { return std::abs(A - B) < tolerance; };
        return near(M.m11(), 1) && near(M.m22(), 1) && near(M.m12(), 0) && near(M.m21(), 0)
            && M.type() <= QTransform::TxScale;
    }

    QPainter& FPainter;
    bool FSwitched;
};

} // namespace

TRenderContext::TRenderContext(QPainter& Painter)
    : FPainter(&Painter)
    , FBase(Painter.worldTransform())
{
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

void TRenderContext::SetStroke(const TRenderPaint& Paint, const TStrokeStyle& Style)
{
    FStroke = Paint;
    FStrokeStyle = Style;
}

void TRenderContext::FillPath(const TTransformedPath& Path, double Opacity)
{
    if (!FFill.Paints() || Path.IsEmpty() || !PrepareOpacity(Opacity * FFill.Opacity()))
        return;
    const QBrush brush = FFill.CanvasBrush(Path.Matrix());
    const TTextureSampling sampling(*FPainter, brush);
    FPainter->fillPath(Path.Canvas(), brush);
}

void TRenderContext::FillText(const QString& Text, const QFont& Font, const QTransform& M, double Opacity)
{
    if (!FFill.Paints() || Text.isEmpty() || !PrepareOpacity(Opacity * FFill.Opacity()))
        return;
    const QTransform base = FPainter->worldTransform();
    FPainter->setWorldTransform(M * FBase);
    FPainter->setFont(Font);
    // The user-space brush follows the text under the painter's transform.
    FPainter->setPen(QPen(FFill.UserBrush(), 0));
    FPainter->drawText(QPointF(0, 0), Text);
    FPainter->setWorldTransform(base);
}

void TRenderContext::DrawBitmap(const QImage& Bitmap, const QRectF& Target, const QTransform& M, double Opacity)
{
    if (Bitmap.isNull() || Target.isEmpty() || !PrepareOpacity(Opacity))
        return;
    const QTransform base = FPainter->worldTransform();
    FPainter->setWorldTransform(M * FBase);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    FPainter->drawImage(Target, Bitmap, QRectF(Bitmap.rect()));
    FPainter->setWorldTransform(base);
}

void TRenderContext::StrokePath(const TTransformedPath& Path, double Opacity)
{
    if (!StrokePaints() || Path.IsEmpty() || !PrepareOpacity(Opacity * FStroke.Opacity()))
        return;
    const QBrush brush = FStroke.CanvasBrush(Path.Matrix());
    const TTextureSampling sampling(*FPainter, brush);
    double scale = 1;
    if (!StrokesWithPen(Path.Matrix(), scale)) {
        FPainter->fillPath(Path.CanvasStrokeOutline(FStrokeStyle), brush);
        return;
    }
    // A pen of width 0 would be a one-pixel hairline: a matrix that
    // collapses the element leaves nothing to stroke.
    if (FStrokeStyle.Width * scale > 0)
        FPainter->strokePath(Path.Canvas(), CanvasPen(FStrokeStyle, scale, brush));
}

void TRenderContext::FillAndStroke(const TTransformedPath& Path, double Opacity)
{
    if (Path.IsEmpty() || !(Opacity > 0))
        return;
    if (FFill.Paints() && StrokePaints() && Opacity * FOpacityScale < 1) {
        // The layer takes the folded opacity too; the scale comes back after
        // the layer has been composited.
        TFoldedOpacity unfolded(*this, 1);
        const double whole = Opacity * std::exchange(FOpacityScale, 1.0);
        TTransparentLayer layer(*this, whole, PaintedBounds(Path));
        FillPath(Path, 1);
        StrokePath(Path, 1);
        return;
    }
    FillPath(Path, Opacity);
    StrokePath(Path, Opacity);
}

void TRenderContext::IntersectClipRect(const QRectF& R, const QTransform& M)
{
    FPainter->setWorldTransform(M * FBase);
    FPainter->setClipRect(R, Qt::IntersectClip);
    FPainter->setWorldTransform(FBase);
}

void TRenderContext::Clear(TAlphaColor Color)
{
    FPainter->save();
    UseDevicePixels(*FPainter);
    FPainter->setClipping(false);
    FPainter->setOpacity(1);
    FPainter->setCompositionMode(QPainter::CompositionMode_Source);
    FPainter->fillRect(DevicePixelRect(*FPainter), QColor::fromRgba(Color));
    FPainter->restore();
}

bool TRenderContext::PrepareOpacity(double Opacity)
{
    const double opacity = Opacity * FOpacityScale;
    if (!(opacity > 0))
        return false;
    FPainter->setOpacity(std::min(opacity, 1.0));
    return true;
}

bool TRenderContext::StrokesWithPen(const QTransform& M, double& Scale) const
{
    Scale = FStrokeStyle.NonScaling ? 1 : StrokeScale(M);
    if (!FStrokeStyle.NonScaling && !IsUniformScale(M))
        return false;
    // The painter measures the dashes of a line thinner than a device pixel
    // in pixels instead of widths; the outline keeps them true.
    return FStrokeStyle.Dashes.empty() || FStrokeStyle.Width * Scale * StrokeScale(FPainter->deviceTransform()) >= 1;
}

QRectF TRenderContext::PaintedBounds(const TTransformedPath& Path) const
{
    const double stretch = FStrokeStyle.NonScaling ? 1 : LargestStretch(Path.Matrix());
    // One more unit for the antialiased edge.
    const double margin = StrokeReach(FStrokeStyle) * stretch + 1;
    return Path.Canvas().controlPointRect().adjusted(-margin, -margin, margin, margin);
}

TCanvasStateGuard::TCanvasStateGuard(TRenderContext& Context)
    : FContext(Context)
    , FPainter(Context.Painter())
    , FFill(Context.FFill)
    , FStroke(Context.FStroke)
    , FStrokeStyle(Context.FStrokeStyle)
{
    FPainter.save();
}

TCanvasStateGuard::~TCanvasStateGuard()
{
    FPainter.restore();
    FContext.FFill = FFill;
    FContext.FStroke = FStroke;
    FContext.FStrokeStyle = FStrokeStyle;
}

TFoldedOpacity::TFoldedOpacity(TRenderContext& Context, double Opacity)
    : FContext(Context)
    , FOuterOpacityScale(Context.FOpacityScale)
{
    FContext.FOpacityScale *= std::isfinite(Opacity) ? std::clamp(Opacity, 0.0, 1.0) : 1.0;
}

TFoldedOpacity::~TFoldedOpacity()
{
    FContext.FOpacityScale = FOuterOpacityScale;
}

TCanvasScene::TCanvasScene(QPaintDevice& Device)
{
    // A device without pixels refuses to begin; the scene then stays inactive.
    if (Device.width() > 0 && Device.height() > 0 && FPainter.begin(&Device))
        FPainter.setRenderHint(QPainter::Antialiasing);
}

TCanvasScene::~TCanvasScene()
{
    if (FPainter.isActive())
        FPainter.end();
}

} // namespace zor
