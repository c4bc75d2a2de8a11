// Drawing a document: the root viewport, fitting into a target, and the
// drawings of one element and of what lies before or after it.

#include "platform/exceptions.h"
#include "svg/model/document.h"
#include "svg/model/draw_event_wrapper.h"
#include "svg/render/fitting.h"
#include "svg/render/render_context.h"

namespace zor {

bool TSVGDocument::IsRootViewport() const
{
    return GetGraphicParent() == nullptr;
}

QTransform TSVGDocument::GetViewMatrix(const QTransform& OldTransformation, const QRectF& aRect) const
{
    if (ViewBox().Specified())
        return ViewBoxMatrix(ViewBox().Rect(), aRect, AspectRatio()).value_or(OldTransformation);
    if (AspectRatio().Align() == TSVGAlign::saNone && FDefaultAspectRatio.Align() == TSVGAlign::saNone)
        return OldTransformation;
    return ViewBoxMatrix(BoundsRect(), aRect, FDefaultAspectRatio).value_or(OldTransformation);
}

bool TSVGDocument::ApplyAncestorTransforms(const TSVGGraphicElement& Child, QTransform& M, TRenderContext& Canvas,
                                           const QRectF& aRect)
{
    if (!IsRootViewport())
        return Inherited::ApplyAncestorTransforms(Child, M, Canvas, aRect);
    if (!EnterRootViewport(Canvas, aRect))
        return false;
    M = Matrix() * M;
    return true;
}

bool TSVGDocument::EnterRootViewport(TRenderContext& Canvas, const QRectF& aRect)
{
    if (!ShouldDraw() || ViewBoxDisablesDrawing())
        return false;
    // The root's viewport is the target rectangle, in canvas coordinates.
    if (ClipsContent())
        Canvas.IntersectClipRect(aRect, QTransform());
    return true;
}

void TSVGDocument::Draw(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect)
{
    if (!IsRootViewport()) {
        Inherited::Draw(aMatrix, Canvas, aRect);
        return;
    }
    const TCanvasStateGuard state(Canvas);
    if (EnterRootViewport(Canvas, aRect))
        DrawTransformed(aMatrix, Canvas, aRect);
}

TSVGGraphicElement* TSVGDocument::ElementAtPos(const QTransform& aMatrix, const QPointF& Pt, const QRectF& aRect,
                                               TSVGFindOptions Options)
{
    if (!IsRootViewport())
        return Inherited::ElementAtPos(aMatrix, Pt, aRect, Options);
    if (!IsSearched(Options) || ViewBoxDisablesDrawing() || (ClipsContent() && !aRect.contains(Pt)))
        return nullptr;
    return FindElementAtPos(aMatrix, Pt, aRect, Options);
}

void TSVGDocument::DrawElement(TSVGGraphicElement* Element, const QTransform& aMatrix, TRenderContext& Canvas,
                               const QRectF& aRect)
{
    if (Element == this)
        Draw(aMatrix, Canvas, aRect);
    else if (HasDescendant(Element))
        Element->DrawElement(aMatrix, Canvas, aRect);
}

void TSVGDocument::DrawElement(TSVGGraphicElement* Element, TRenderContext& Canvas, const QRectF& aRect)
{
    DrawElement(Element, GetViewMatrix(aRect), Canvas, aRect);
}

void TSVGDocument::DrawBeforeElement(TSVGGraphicElement* Element, const QTransform& aMatrix, TRenderContext& Canvas,
                                     const QRectF& aRect, bool IncludeElement)
{
    if (Element == nullptr || !ShouldDraw() || (Element == this && !IncludeElement))
        return;
    const TSVGDrawEventWrapper wrapper(IncludeElement, Element, this, TSVGDrawEventWrapper::TDrawEvent::deDrawBefore);
    try {
        Draw(aMatrix, Canvas, aRect);
    } catch (const EAbort&) {
        // The wrapper stops the drawing where the element begins or ends.
    }
}

void TSVGDocument::DrawBeforeElement(TSVGGraphicElement* Element, TRenderContext& Canvas, const QRectF& aRect,
                                     bool IncludeElement)
{
    DrawBeforeElement(Element, GetViewMatrix(aRect), Canvas, aRect, IncludeElement);
}

void TSVGDocument::DrawAfterElement(TSVGGraphicElement* Element, const QTransform& aMatrix, TRenderContext& Canvas,
                                    const QRectF& aRect, bool IncludeElement)
{
    if (Element == nullptr || !ShouldDraw() || (Element == this && !IncludeElement))
        return;
    const TSVGDrawEventWrapper wrapper(IncludeElement, Element, this, TSVGDrawEventWrapper::TDrawEvent::deDrawAfter);
    Draw(aMatrix, Canvas, aRect);
}

void TSVGDocument::DrawAfterElement(TSVGGraphicElement* Element, TRenderContext& Canvas, const QRectF& aRect,
                                    bool IncludeElement)
{
    DrawAfterElement(Element, GetViewMatrix(aRect), Canvas, aRect, IncludeElement);
}

} // namespace zor
