// Drawing and hit testing of groups and switches.

#include "svg/model/group.h"

namespace zor {

TSVGGraphicElement* TSVGCustomGroup::FindElementAtPos(const QTransform& aMatrix, const QPointF& Pt,
                                                      const QRectF& aRect, TSVGFindOptions Options)
{
    TSVGGraphicElement* found = Inherited::FindElementAtPos(aMatrix, Pt, aRect, Options);
    // Each group on the way out claims the hit, so the outermost one below
    // the document gets it.
    if (found != nullptr && Options.Contains(TSVGFindOption::foFindGroups) && Owner() != nullptr)
        found = DoElementFound(this);
    return found;
}

TSVGGraphicElement* TSVGCustomGroup::HitTestShape(const QTransform&, const QPointF&, const QRectF&, TSVGFindOptions)
{
    return nullptr;
}

void TSVGSwitch::DrawChildren(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    if (TSVGGraphicElement* chosen = ChosenChild())
        chosen->Draw(M, Canvas, aRect);
}

TSVGGraphicElement* TSVGSwitch::ChildAtPos(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                           TSVGFindOptions Options)
{
    TSVGGraphicElement* chosen = ChosenChild();
    return chosen != nullptr ? chosen->ElementAtPos(M, Pt, aRect, Options) : nullptr;
}

bool TSVGSwitch::ApplyAncestorTransforms(const TSVGGraphicElement& Child, QTransform& M, TRenderContext& Canvas,
                                         const QRectF& aRect)
{
    return &Child == ChosenChild() && Inherited::ApplyAncestorTransforms(Child, M, Canvas, aRect);
}

} // namespace zor
