// Drawing and hit testing through a use element.

#include "geometry/geometry_functions.h"
#include "svg/model/element_types.h"
#include "svg/model/use_expansion.h"
#include "svg/model/viewport.h"

namespace zor {

bool TSVGUse::DrawShape(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    const TUseExpansion expansion(*this);
    TSVGGraphicElement* element = expansion.Element();
    if (element == nullptr)
        return false;
    const QTransform placed = TranslationMatrix(X(), Y()) * M;
    if (auto* viewport = dynamic_cast<TSVGCustomViewBox*>(element); viewport && viewport->TakesUseSize())
        viewport->DrawViewport(viewport->UsedViewport(Width(), Height()), placed, Canvas, aRect);
    else
        element->Draw(placed, Canvas, aRect);
    return true;
}

TSVGGraphicElement* TSVGUse::HitTestShape(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                          TSVGFindOptions Options)
{
    const TUseExpansion expansion(*this);
    TSVGGraphicElement* element = expansion.Element();
    if (element == nullptr)
        return nullptr;
    const QTransform placed = TranslationMatrix(X(), Y()) * M;
    auto* viewport = dynamic_cast<TSVGCustomViewBox*>(element);
    if (viewport != nullptr && !viewport->TakesUseSize())
        viewport = nullptr;
    TSVGGraphicElement* found =
        viewport != nullptr
            ? viewport->ViewportElementAtPos(viewport->UsedViewport(Width(), Height()), placed, Pt, aRect, Options)
            : element->ElementAtPos(placed, Pt, aRect, Options);
    // What a use draws is the use to whoever points at it.
    return found != nullptr ? DoElementFound(this) : nullptr;
}

void TSVGUse::AddClipOutlines(TClipRegion& Region, const QTransform& M, TClipExpansion& Expansion) const
{
    const TUseExpansion expansion(*this);
    const TSVGGraphicElement* element = expansion.Element();
    if (element != nullptr && ClipShapeTypes().Contains(element->SVGType()))
        element->AddToClipRegion(Region, TranslationMatrix(X(), Y()) * M, Expansion);
}

} // namespace zor
