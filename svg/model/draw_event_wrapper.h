#pragma once
// Turns a drawing of the whole document into the drawing of the elements
// before, at or after one element, by standing in for the document's drawing
// events while it lives.

#include "svg/model/draw_events.h"

namespace zor {

class TSVGDrawEventWrapper {
public:
    enum class TDrawEvent { deReset, deDrawBefore, deDraw, deDrawAfter };

    // Installs the handlers of DrawEvent on Document for the wrapper's lifetime.
    TSVGDrawEventWrapper(bool IncludeElement, TSVGGraphicElement* Element, TSVGDocument* Document,
                         TDrawEvent DrawEvent);
    // Gives the document its own events back.
    virtual ~TSVGDrawEventWrapper();
    TSVGDrawEventWrapper(const TSVGDrawEventWrapper&) = delete;
    TSVGDrawEventWrapper& operator=(const TSVGDrawEventWrapper&) = delete;

    TDrawEvent DrawEvent() const { return FDrawEvent; }
    // Leaving deReset saves the document's OnDrawing, OnDrawn and
    // OnShouldDraw; each mode installs its handlers, which call the saved
    // OnDrawing and OnDrawn after their own work; deReset puts the saved
    // events back.
    void SetDrawEvent(TDrawEvent Value);
    bool IncludeElement() const { return FIncludeElement; }
    void SetIncludeElement(bool Value) { FIncludeElement = Value; }
    const TSVGDrawingEvent& OldDrawn() const { return FOldDrawn; }
    void SetOldDrawn(const TSVGDrawingEvent& Value) { FOldDrawn = Value; }
    const TSVGDrawingQEvent& OldDrawing() const { return FOldDrawing; }
    void SetOldDrawing(const TSVGDrawingQEvent& Value) { FOldDrawing = Value; }
    const TSVGShouldDrawQEvent& OldShouldDraw() const { return FOldShouldDraw; }
    void SetOldShouldDraw(const TSVGShouldDrawQEvent& Value) { FOldShouldDraw = Value; }

protected:
    // deDraw: skips the shapes before the target, draws the target's branch
    // and stops (EAbort) after it.
    virtual void DrawingElement(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                                const QRectF& aRect, bool& DoDraw);
    virtual void DrawnElement(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                              const QRectF& aRect);
    // Every mode: an invisible target still marks where drawing stops.
    virtual void ShouldDrawElement(TSVGElement* Sender, bool& DoDraw);
    // deDrawBefore: stops (EAbort) at the target, before or after it.
    virtual void DrawingBeforeElement(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                                      const QRectF& aRect, bool& DoDraw);
    virtual void DrawnBeforeElement(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                                    const QRectF& aRect);
    // deDrawAfter: skips the shapes up to the target.
    virtual void DrawingAfterElement(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                                     const QRectF& aRect, bool& DoDraw);
    virtual void DrawnAfterElement(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                                   const QRectF& aRect);

private:
    void CallOldDrawing(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                        const QRectF& aRect, bool& DoDraw) const;
    void CallOldDrawn(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                      const QRectF& aRect) const;

    bool FIncludeElement;
    TSVGDrawingEvent FOldDrawn;
    TSVGDrawingQEvent FOldDrawing;
    bool FDoDrawAfter = false;
    TSVGGraphicElement* FElement;
    TSVGDocument* FDocument;
    TDrawEvent FDrawEvent = TDrawEvent::deReset;
    TSVGShouldDrawQEvent FOldShouldDraw;
    bool FFoundElement = false;
};

} // namespace zor
