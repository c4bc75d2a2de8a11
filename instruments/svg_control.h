#pragma once
// The widget every instrument descends from: it owns one document and paints
// it into its rectangle. A descendant names the document's moving part as
// the active element; what the document draws before and after it is cached
// in two layers, so a repaint draws that element alone between them.

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QIODevice;

#include "instruments/layer_buffers.h"
#include "platform/control.h"
#include "platform/events.h"
#include "svg/model/draw_events.h"

namespace zor {

class TSVGDocument;
class TSVGGraphicElement;

// A control of a stored layout too: its place and its stored children (the
// animations that drive it) go with it when it is stored or copied.
class TZorSVGControl : public QWidget, public TControl {
    Q_OBJECT
    Q_PROPERTY(bool Buffered READ Buffered WRITE SetBuffered NOTIFY bufferedChanged)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch NOTIFY stretchChanged)
    Q_PROPERTY(int Quality READ Quality WRITE SetQuality NOTIFY qualityChanged)

public:
    static constexpr int DefaultQuality = 2;

    explicit TZorSVGControl(QWidget* Parent = nullptr);
    ~TZorSVGControl() override;

    TSVGDocument& SVG() { return *FSVG; }
    const TSVGDocument& SVG() const { return *FSVG; }

    // Cache the drawing around the active element. Turning it on marks the
    // layers stale; neither way repaints.
    bool Buffered() const { return FBuffered; }
    void SetBuffered(bool Value);
    // Stretch the document over the control instead of keeping its aspect.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    // Supersampling of the layers and of the active element, limited to
    // MinQuality..MaxQuality; 1 draws the active element as vectors.
    int Quality() const { return FQuality; }
    void SetQuality(int Value);

    // The document's drawing events: they report every element drawn, in
    // every way the control draws.
    TSVGDrawingQEvent& OnDrawing();
    TSVGDrawingEvent& OnDrawn();

    // The element drawn live between the layers; null draws the whole
    // document every time.
    TSVGGraphicElement* ActiveSVGElement() const { return FActiveSVGElement; }
    // The layers must be drawn again before the next buffered paint.
    bool NeedBuffers() const { return FNeedBuffers; }
    const TSVGLayerBuffers& Buffers() const { return FBuffers; }

    // Replaces the document with the artwork of the program's resource
    // ResName (its name compared without case). The active element is
    // cleared first, since the elements it could name are freed; raises
    // EResNotFound when there is no such resource.
    virtual void LoadFromResource(const QString& ResName);
    // Draws the layers again for the size of the last paint (or the
    // control's size on its screen) when they are stale.
    virtual void UpdateBuffers();

    // Paints the control into Painter, at the painter's device resolution,
    // as a paint event does; errors reach the caller.
    void PaintTo(QPainter& Painter);
    // Where the document goes in a device area of the control: the fitted,
    // centred rectangle of whole device pixels.
    QRect GetDrawRect(const QRectF& DeviceArea) const;

    // The message of the last error a paint event met, which was not
    // passed on (the widget system cannot carry it); empty after a paint
    // without error.
    const QString& LastPaintError() const { return FLastPaintError; }
    // Told of each error a paint event meets.
    TEvent<const QString&> OnPaintError;

    // A press and release of the left button inside the control.
    TEvent<TZorSVGControl*> OnClick;
    // The message of the last error a mouse handler met (the widget system
    // cannot carry it either); told to OnEventError.
    const QString& LastEventError() const { return FLastEventError; }
    TEvent<const QString&> OnEventError;

    QSize sizeHint() const override;

Q_SIGNALS:
    void bufferedChanged();
    void stretchChanged();
    void qualityChanged();

protected:
    // Stores the element; a different one marks the layers stale. Nothing is
    // repainted.
    void SetActiveSVGElement(TSVGGraphicElement* Element);
    // The document was changed outside the active element.
    void InvalidateBuffers() { FNeedBuffers = true; }
    // Invalidates the widget's picture.
    void Repaint() { update(); }
    // Invalidates the part of the widget's picture that shows DocumentArea
    // of the document's user space, with room for strokes and antialiasing;
    // a null area invalidates it all.
    void RepaintArea(const QRectF& DocumentArea);
    // Reads the document from Source.
    virtual void LoadFromStream(QIODevice& Source);
    // Draws the active element between the layers into Target (device
    // pixels; the painter's coordinates are device pixels): as vectors at
    // quality 1, supersampled otherwise. A descendant whose live part only
    // turns may draw it more cheaply.
    virtual void PaintActiveElement(QPainter& Painter, const QRect& Target);
    // Whether a picture drawn earlier may stand in for the active element:
    // above quality 1, and while no handler listens to OnDrawing, OnDrawn,
    // OnShouldDraw or OnDisableAppearance of the document, which are told of
    // every element as it is drawn.
    bool MayPaintActiveElementFromPicture() const;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    // Raises OnClick; descendants that act on a release call this first.
    void mouseReleaseEvent(QMouseEvent* Event) override;
    // Runs Handler, keeping an error it raises in LastEventError instead of
    // letting it into the event loop.
    void Guarded(const std::function<void()>& Handler);

private:
    // Rebuilds the layers for a picture of Size device pixels.
    void UpdateBuffersFor(QSize Size);
    // The buffered paint: layers copied, the active element between them.
    void PaintBuffered(QPainter& Painter, const QRect& Target);
    // The whole document drawn as vectors.
    void PaintDirect(QPainter& Painter, const QRect& Target);
    // The control's size in device pixels on its own screen.
    QSize ScreenDeviceSize() const;

    std::unique_ptr<TSVGDocument> FSVG;
    TSVGGraphicElement* FActiveSVGElement = nullptr;
    bool FBuffered = true;
    bool FNeedBuffers = true;
    TSVGLayerBuffers FBuffers;
    bool FStretch = false;
    int FQuality = DefaultQuality;
    // The device pixels of the last paint's drawing rectangle.
    QSize FLastTargetSize;
    QString FLastPaintError;
    QString FLastEventError;
    bool FPressed = false;
};

} // namespace zor
