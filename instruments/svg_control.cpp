#include "instruments/svg_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "instruments/artwork_resources.h"
#include "platform/exceptions.h"
#include "platform/guarded_call.h"
#include "svg/model/document.h"
#include "svg/render/device_pixels.h"
#include "svg/render/render_context.h"

namespace zor {

namespace {

// Saves the painter's state and restores it on every exit path.
class TPainterSave {
public:
    explicit TPainterSave(QPainter& Painter)
        : FPainter(Painter)
    {
        FPainter.save();
    }
    ~TPainterSave() { FPainter.restore(); }
    TPainterSave(const TPainterSave&) = delete;
    TPainterSave& operator=(const TPainterSave&) = delete;

private:
    QPainter& FPainter;
};

} // namespace

TZorSVGControl::TZorSVGControl(QWidget* Parent)
    : QWidget(Parent)
    , FSVG(std::make_unique<TSVGDocument>())
{
    RegisterArtworkElementClasses();
}

TZorSVGControl::~TZorSVGControl() = default;

void TZorSVGControl::SetBuffered(bool Value)
{
    if (FBuffered == Value)
        return;
    FBuffered = Value;
    FNeedBuffers = Value;
    Q_EMIT bufferedChanged();
}

void TZorSVGControl::SetStretch(bool Value)
{
    if (FStretch == Value)
        return;
    FStretch = Value;
    FNeedBuffers = true;
    Repaint();
    Q_EMIT stretchChanged();
}

void TZorSVGControl::SetQuality(int Value)
{
    Value = LimitedQuality(Value);
    if (FQuality == Value)
        return;
    FQuality = Value;
    FNeedBuffers = true;
    Repaint();
    Q_EMIT qualityChanged();
}

TSVGDrawingQEvent& TZorSVGControl::OnDrawing()
{
    return FSVG->OnDrawing;
}

TSVGDrawingEvent& TZorSVGControl::OnDrawn()
{
    return FSVG->OnDrawn;
}

void TZorSVGControl::SetActiveSVGElement(TSVGGraphicElement* Element)
{
    if (FActiveSVGElement == Element)
        return;
    FActiveSVGElement = Element;
    FNeedBuffers = true;
}

void TZorSVGControl::LoadFromResource(const QString& ResName)
{
    std::unique_ptr<QIODevice> source = OpenArtworkResource(ResName);
    // Loading frees every element of the document: the active element must
    // not outlive it. Whoever set it sets it again from the new tree.
    SetActiveSVGElement(nullptr);
    LoadFromStream(*source);
    FNeedBuffers = true;
}

void TZorSVGControl::LoadFromStream(QIODevice& Source)
{
    FSVG->LoadFromStream(Source);
}

void TZorSVGControl::UpdateBuffers()
{
    UpdateBuffersFor(FLastTargetSize.isValid() ? FLastTargetSize : ScreenDeviceSize());
}

void TZorSVGControl::UpdateBuffersFor(QSize Size)
{
    if (FActiveSVGElement == nullptr || !FNeedBuffers)
        return;
    FBuffers.Update(*FSVG, *FActiveSVGElement, Size, FQuality);
    FNeedBuffers = false;
}

void TZorSVGControl::RepaintArea(const QRectF& DocumentArea)
{
    const QRect target = GetDrawRect(QRectF(rect()));
    if (DocumentArea.isNull() || target.isEmpty()) {
        Repaint();
        return;
    }
    // The margin of the device pixels, in the widget's; one more for the
    // rounding of the fitted rectangle in either.
    const int margin = static_cast<int>(std::ceil(OutlineMargin(ScreenDeviceSize()) / devicePixelRatioF())) + 1;
    const QRect shown = FSVG->GetViewMatrix(QRectF(target)).mapRect(DocumentArea).toAlignedRect();
    update(shown.adjusted(-margin, -margin, margin, margin) & rect());
}

QSize TZorSVGControl::ScreenDeviceSize() const
{
    return GetDrawRect(QRectF(QPointF(0, 0), QSizeF(size()) * devicePixelRatioF())).size();
}

QRect TZorSVGControl::GetDrawRect(const QRectF& DeviceArea) const
{
    return FittedDeviceRect(DeviceArea, DocumentSize(*FSVG), FStretch);
}

void TZorSVGControl::PaintTo(QPainter& Painter)
{
    const TSVGAlign align = FStretch ? TSVGAlign::saNone : TSVGAlign::saXMidYMid;
    FSVG->DefaultAspectRatio().SetAlign(align);
    FSVG->AspectRatio().SetAlign(align);

    TPainterSave save(Painter);
    Painter.resetTransform();
    const QRectF area = Painter.deviceTransform().mapRect(QRectF(rect()));
    // From here on the painter's coordinates are device pixels, so that the
    // cached layers are copied pixel for pixel at any device pixel ratio.
    UseDevicePixels(Painter);
    const QRect target = GetDrawRect(area);
    if (target.isEmpty())
        return;
    if (FActiveSVGElement != nullptr && FBuffered)
        PaintBuffered(Painter, target);
    else
        PaintDirect(Painter, target);
}

void TZorSVGControl::PaintBuffered(QPainter& Painter, const QRect& Target)
{
    if (Target.size() != FBuffers.Size() || FBuffers.RenderSize() != SupersampledSize(Target.size(), FQuality))
        FNeedBuffers = true;
    FLastTargetSize = Target.size();
    UpdateBuffersFor(Target.size());
    Painter.drawImage(Target.topLeft(), FBuffers.Background());
    PaintActiveElement(Painter, Target);
    Painter.drawImage(Target.topLeft(), FBuffers.Foreground());
}

void TZorSVGControl::PaintActiveElement(QPainter& Painter, const QRect& Target)
{
    if (FQuality == 1) {
        TRenderContext canvas(Painter);
        FSVG->DrawElement(FActiveSVGElement, FSVG->GetViewMatrix(QRectF(Target)), canvas, QRectF(Target));
        return;
    }
    const QImage element =
        RenderSupersampled(Target.size(), FQuality, [this](TRenderContext& Canvas, const QRectF& Rect) {
            FSVG->DrawElement(FActiveSVGElement, FSVG->GetViewMatrix(Rect), Canvas, Rect);
        });
    Painter.drawImage(Target.topLeft(), element);
}

bool TZorSVGControl::MayPaintActiveElementFromPicture() const
{
    return FQuality > MinQuality && !FSVG->OnShouldDraw && !FSVG->OnDrawing && !FSVG->OnDrawn &&
           !FSVG->OnDisableAppearance;
}

void TZorSVGControl::PaintDirect(QPainter& Painter, const QRect& Target)
{
    TRenderContext canvas(Painter);
    FSVG->Draw(FSVG->GetViewMatrix(QRectF(Target)), canvas, QRectF(Target));
}

void TZorSVGControl::paintEvent(QPaintEvent*)
{
    // An exception cannot travel through the widget system's event loop:
    // it is kept and reported here, and the next paint tries again.
    FLastPaintError = CallCatching([this] {
        QPainter painter(this);
        PaintTo(painter);
    });
    if (!FLastPaintError.isEmpty())
        Fire(OnPaintError, FLastPaintError);
}

void TZorSVGControl::mousePressEvent(QMouseEvent* Event)
{
    QWidget::mousePressEvent(Event);
    if (Event->button() == Qt::LeftButton)
        FPressed = true;
}

void TZorSVGControl::mouseReleaseEvent(QMouseEvent* Event)
{
    QWidget::mouseReleaseEvent(Event);
    const bool click = FPressed && Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint());
    if (Event->button() == Qt::LeftButton)
        FPressed = false;
    if (click)
        Guarded([this] { Fire(OnClick, this); });
}

void TZorSVGControl::Guarded(const std::function<void()>& Handler)
{
    const QString error = CallCatching(Handler);
    if (error.isEmpty())
        return;
    FLastEventError = error;
    Fire(OnEventError, FLastEventError);
}

void TZorSVGControl::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    FNeedBuffers = true;
}

QSize TZorSVGControl::sizeHint() const
{
    const QSizeF size = DocumentSize(*FSVG);
    if (size.isEmpty())
        return QWidget::sizeHint();
    return size.toSize();
}

} // namespace zor
