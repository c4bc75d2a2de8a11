#include "svg/model/use.h"

#include "geometry/geometry_functions.h"
#include "platform/update_scope.h"
#include "svg/model/element_types.h"
#include "svg/model/use_expansion.h"
#include "svg/model/viewport.h"

namespace zor {

namespace {

// The references expanded on this thread since the outermost use began.
thread_local int Expansions = 0;

} // namespace

TUseExpansion::TUseExpansion(const TSVGUse& Use)
{
    TSVGGraphicElement* element = Use.ReferencedElement();
    if (element == nullptr || !Use.CanExpand(*element))
        return;
    if (Use.Nesting() == 1)
        Expansions = 0;
    if (++Expansions > TSVGUse::MaxExpansions)
        return;
    // The use is left as it was when the guard ends: only the referenced
    // element's parent changes in between.
    FParent.emplace(*element, const_cast<TSVGUse&>(Use));
    FElement = element;
}

TSVGElementType TSVGUse::SVGType() const
{
    return TSVGElementType::etUse;
}

TSVGElementTypes TSVGUse::ChildSVGTypes() const
{
    return DescriptiveTypes();
}

void TSVGUse::SetReference(const QString& Value)
{
    if (Value == FReference)
        return;
    if (TSVGGraphicElement* previous = ReferencedElement())
        previous->RemoveChangeNotification(this);
    FReference = Value;
    if (TSVGGraphicElement* next = ReferencedElement())
        next->ChangeNotification(this);
    Changed(this);
}

TSVGGraphicElement* TSVGUse::ReferencedElement() const
{
    return dynamic_cast<TSVGGraphicElement*>(FindReferencedElement(FReference));
}

int TSVGUse::Nesting() const
{
    int nesting = 0;
    for (const TSVGElement* e = this; e != nullptr; e = e->Parent())
        if (dynamic_cast<const TSVGUse*>(e) != nullptr)
            ++nesting;
    return nesting;
}

bool TSVGUse::CanExpand(const TSVGGraphicElement& Element) const
{
    // While a use draws, what it references is its child: the uses drawing
    // are all around it, and an element being drawn lies around it too.
    if (&Element == this || Element.HasDescendant(this))
        return false;
    return Nesting() <= MaxNesting && Depth() + Element.BranchHeight() <= MaxDepth;
}

QRectF TSVGUse::BoundsRect() const
{
    const QRectF bounds = ExpandedBounds(QTransform());
    return bounds.isNull() ? Inherited::BoundsRect() : bounds;
}

QRectF TSVGUse::GetBoundsRect(const QTransform& aMatrix) const
{
    const QTransform M = Matrix() * aMatrix;
    const QRectF bounds = ExpandedBounds(M);
    return bounds.isNull() ? MapBounds(Inherited::BoundsRect(), M) : bounds;
}

QRectF TSVGUse::ExpandedBounds(const QTransform& aMatrix) const
{
    const TUseExpansion expansion(*this);
    const TSVGGraphicElement* element = expansion.Element();
    if (element == nullptr)
        return QRectF();
    const QTransform placed = TranslationMatrix(X(), Y()) * aMatrix;
    if (const auto* viewport = dynamic_cast<const TSVGCustomViewBox*>(element); viewport && viewport->TakesUseSize())
        return MapBounds(viewport->UsedViewport(Width(), Height()), placed);
    return element->GetBoundsRect(placed);
}

void TSVGUse::ReferenceChanged(TSVGElement* Sender)
{
    if (Sender->ElementState().Contains(TSVGElementStateFlag::esDestroying))
        FReference.clear();
    Inherited::ReferenceChanged(Sender);
}

void TSVGUse::Clear()
{
    TUpdateScope update(*this);
    SetReference(QString());
    Inherited::Clear();
}

void TSVGUse::AssignProperties(const TSVGElement* Source)
{
    if (const auto* use = dynamic_cast<const TSVGUse*>(Source); use != nullptr && use != this)
        SetReference(use->FReference);
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGUse::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGUse>(aOwner);
}

bool TSVGUse::DrawsBranch() const
{
    return ReferencedElement() != nullptr;
}

} // namespace zor
