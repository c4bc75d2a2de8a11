#include "svg/model/group.h"

#include "svg/model/element_types.h"

namespace zor {

// --- Custom group -----------------------------------------------------------

TSVGElementType TSVGCustomGroup::SVGType() const
{
    return TSVGElementType::etGroup;
}

TSVGElementTypes TSVGCustomGroup::ChildSVGTypes() const
{
    return ContainerChildTypes();
}

QRectF TSVGCustomGroup::BoundsRect() const
{
    if (FCalcBR) {
        FBoundsRect = ContentBounds(Inherited::BoundsRect(), QTransform());
        FCalcBR = false;
    }
    return FBoundsRect;
}

QRectF TSVGCustomGroup::GetBoundsRect(const QTransform& aMatrix) const
{
    const QTransform M = Matrix() * aMatrix;
    return ContentBounds(MapBounds(Inherited::BoundsRect(), M), M);
}

QRectF TSVGCustomGroup::ContentBounds(QRectF Bounds, const QTransform& aMatrix) const
{
    // What is never drawn (display none, defs, clip paths) takes no room; an
    // element with nothing to measure has neither width nor height, which
    // the union leaves out.
    for (const TSVGElement* child : Items())
        if (const TSVGGraphicElement* graphic = child->AsGraphicElement(); graphic && graphic->IsRenderable())
            Bounds |= graphic->GetBoundsRect(aMatrix);
    return Bounds;
}

void TSVGCustomGroup::MarkBoundsStale() const
{
    FCalcBR = true;
}

std::unique_ptr<TSVGElement> TSVGCustomGroup::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGCustomGroup>(aOwner);
}

// --- Group ------------------------------------------------------------------

TSVGElementType TSVGGroup::SVGType() const
{
    return TSVGElementType::etGroup;
}

std::unique_ptr<TSVGElement> TSVGGroup::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGGroup>(aOwner);
}

// --- Switch -----------------------------------------------------------------

TSVGElementType TSVGSwitch::SVGType() const
{
    return TSVGElementType::etSwitch;
}

TSVGElementTypes TSVGSwitch::ChildSVGTypes() const
{
    return SwitchChildTypes();
}

TSVGGraphicElement* TSVGSwitch::ChosenChild() const
{
    for (TSVGElement* child : Items())
        if (TSVGGraphicElement* graphic = child->AsGraphicElement();
            graphic && graphic->HasFeatures() && graphic->HasExtensions() && graphic->HasLanguages())
            return graphic;
    return nullptr;
}

QRectF TSVGSwitch::ContentBounds(QRectF Bounds, const QTransform& aMatrix) const
{
    const TSVGGraphicElement* chosen = ChosenChild();
    return chosen != nullptr && chosen->IsRenderable() ? Bounds | chosen->GetBoundsRect(aMatrix) : Bounds;
}

std::unique_ptr<TSVGElement> TSVGSwitch::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGSwitch>(aOwner);
}

// --- Definitions ------------------------------------------------------------

TSVGElementType TSVGDefs::SVGType() const
{
    return TSVGElementType::etDefs;
}

bool TSVGDefs::IsRenderable() const
{
    return false;
}

std::unique_ptr<TSVGElement> TSVGDefs::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGDefs>(aOwner);
}

} // namespace zor
