#include "svg/model/draw_event_wrapper.h"

#include <functional>

#include "platform/exceptions.h"
#include "svg/model/document.h"

namespace zor {

TSVGDrawEventWrapper::TSVGDrawEventWrapper(bool IncludeElement, TSVGGraphicElement* Element, TSVGDocument* Document,
                                           TDrawEvent DrawEvent)
    : FIncludeElement(IncludeElement)
    , FElement(Element)
    , FDocument(Document)
{
    SetDrawEvent(DrawEvent);
}

TSVGDrawEventWrapper::~TSVGDrawEventWrapper()
{
    SetDrawEvent(TDrawEvent::deReset);
}

void TSVGDrawEventWrapper::SetDrawEvent(TDrawEvent Value)
{
    using namespace std::placeholders;
    if (Value == FDrawEvent || FDocument == nullptr)
        return;
    TSVGDocument& document = *FDocument;
    if (FDrawEvent == TDrawEvent::deReset) {
        FOldDrawing = document.OnDrawing;
        FOldDrawn = document.OnDrawn;
        FOldShouldDraw = document.OnShouldDraw;
        document.OnShouldDraw = std::bind(&TSVGDrawEventWrapper::ShouldDrawElement, this, _1, _2);
    }
    FDrawEvent = Value;
    switch (Value) {
    case TDrawEvent::deReset:
        document.OnDrawing = FOldDrawing;
        document.OnDrawn = FOldDrawn;
        document.OnShouldDraw = FOldShouldDraw;
        break;
    case TDrawEvent::deDrawBefore:
        document.OnDrawing = std::bind(&TSVGDrawEventWrapper::DrawingBeforeElement, this, _1, _2, _3, _4, _5);
        document.OnDrawn = std::bind(&TSVGDrawEventWrapper::DrawnBeforeElement, this, _1, _2, _3, _4);
        break;
    case TDrawEvent::deDraw:
        document.OnDrawing = std::bind(&TSVGDrawEventWrapper::DrawingElement, this, _1, _2, _3, _4, _5);
        document.OnDrawn = std::bind(&TSVGDrawEventWrapper::DrawnElement, this, _1, _2, _3, _4);
        break;
    case TDrawEvent::deDrawAfter:
        document.OnDrawing = std::bind(&TSVGDrawEventWrapper::DrawingAfterElement, this, _1, _2, _3, _4, _5);
        document.OnDrawn = std::bind(&TSVGDrawEventWrapper::DrawnAfterElement, this, _1, _2, _3, _4);
        break;
    }
}

void TSVGDrawEventWrapper::CallOldDrawing(TSVGGraphicElement* Sender, const QTransform& Matrix,
                                          TRenderContext& Canvas, const QRectF& aRect, bool& DoDraw) const
{
    Fire(FOldDrawing, Sender, Matrix, Canvas, aRect, DoDraw);
}

void TSVGDrawEventWrapper::CallOldDrawn(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                                        const QRectF& aRect) const
{
    Fire(FOldDrawn, Sender, Matrix, Canvas, aRect);
}

void TSVGDrawEventWrapper::ShouldDrawElement(TSVGElement* Sender, bool&)
{
    if (Sender == FElement)
        FFoundElement = !FElement->Visible();
}

void TSVGDrawEventWrapper::DrawingElement(TSVGGraphicElement* Sender, const QTransform& Matrix,
                                          TRenderContext& Canvas, const QRectF& aRect, bool& DoDraw)
{
    if (Sender == FElement)
        FDoDrawAfter = true;
    else if (FFoundElement)
        throw EAbort();
    DoDraw = FDoDrawAfter;
    CallOldDrawing(Sender, Matrix, Canvas, aRect, DoDraw);
}

void TSVGDrawEventWrapper::DrawnElement(TSVGGraphicElement* Sender, const QTransform& Matrix, TRenderContext& Canvas,
                                        const QRectF& aRect)
{
    if (Sender == FElement)
        throw EAbort();
    CallOldDrawn(Sender, Matrix, Canvas, aRect);
}

void TSVGDrawEventWrapper::DrawingBeforeElement(TSVGGraphicElement* Sender, const QTransform& Matrix,
                                                TRenderContext& Canvas, const QRectF& aRect, bool& DoDraw)
{
    if (FFoundElement || (Sender == FElement && !FIncludeElement))
        throw EAbort();
    CallOldDrawing(Sender, Matrix, Canvas, aRect, DoDraw);
}

void TSVGDrawEventWrapper::DrawnBeforeElement(TSVGGraphicElement* Sender, const QTransform& Matrix,
                                              TRenderContext& Canvas, const QRectF& aRect)
{
    if (FFoundElement || (Sender == FElement && FIncludeElement))
        throw EAbort();
    CallOldDrawn(Sender, Matrix, Canvas, aRect);
}

void TSVGDrawEventWrapper::DrawingAfterElement(TSVGGraphicElement* Sender, const QTransform& Matrix,
                                               TRenderContext& Canvas, const QRectF& aRect, bool& DoDraw)
{
    DoDraw = FDoDrawAfter || FFoundElement;
    if (Sender == FElement && FIncludeElement) {
        FDoDrawAfter = true;
        DoDraw = true;
    }
    CallOldDrawing(Sender, Matrix, Canvas, aRect, DoDraw);
}

void TSVGDrawEventWrapper::DrawnAfterElement(TSVGGraphicElement* Sender, const QTransform& Matrix,
                                             TRenderContext& Canvas, const QRectF& aRect)
{
    if (Sender == FElement || FFoundElement)
        FDoDrawAfter = true;
    CallOldDrawn(Sender, Matrix, Canvas, aRect);
}

} // namespace zor
