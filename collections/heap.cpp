#include "collections/heap.h"

#include <utility>

namespace zor {

std::unique_ptr<THeapElement> THeapElement::Clone() const
{
    return std::make_unique<THeapElement>(*this);
}

void THeapElement::Clear()
{
    FItem = nullptr;
}

std::unique_ptr<THeapElement> TIntHeapElement::Clone() const
{
    return std::make_unique<TIntHeapElement>(*this);
}

void TIntHeapElement::Clear()
{
    Clear(InitialPriority);
}

void TIntHeapElement::Clear(int Priority)
{
    THeapElement::Clear();
    FPriority = Priority;
}

TCustomHeap::TCustomHeap(THeapElementClass ElementClass)
    : FElementClass(ElementClass ? std::move(ElementClass)
                                 : [](TPersistent* Item) { return std::make_unique<THeapElement>(Item); })
{
}

void TCustomHeap::SetOrder(THeapOrder Value)
{
    if (FOrder == Value)
        return;
    FOrder = Value;
    for (qsizetype i = HeapCount() / 2 - 1; i >= 0; --i)
        SiftDown(i);
}

THeapElement* TCustomHeap::Add(TPersistent* Item)
{
    return AddElement(NewElement(Item));
}

qsizetype TCustomHeap::IndexOf(const THeapElement& Element) const
{
    const qsizetype index = Element.FIndex;
    return index >= 0 && index < HeapCount() && FHeap[index].get() == &Element ? index : -1;
}

void TCustomHeap::Clear()
{
    FHeap.clear();
}

TPersistent* TCustomHeap::Delete(const THeapElement& Element)
{
    return Delete(PositionOf(Element));
}

void TCustomHeap::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TCustomHeap*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this)
        return;
    Clear();
    FOrder = other->FOrder;
    FHeap.reserve(other->FHeap.size());
    // The source's array order is already a valid heap.
    for (const auto& element : other->FHeap) {
        FHeap.push_back(element->Clone());
        FHeap.back()->FIndex = HeapCount() - 1;
    }
}

TPersistent* TCustomHeap::GetItem(qsizetype Index) const
{
    return ElementAt(Index)->Item();
}

THeapElement* TCustomHeap::ElementAt(qsizetype Index) const
{
    CheckIndex(Index);
    return FHeap[Index].get();
}

void TCustomHeap::CheckIndex(qsizetype Index) const
{
    if (Index < 0 || Index >= HeapCount())
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
}

qsizetype TCustomHeap::PositionOf(const THeapElement& Element) const
{
    const qsizetype index = IndexOf(Element);
    if (index < 0)
        Raise<EListError>(QString::fromLatin1(messages::ItemNotFound));
    return index;
}

std::unique_ptr<THeapElement> TCustomHeap::NewElement(TPersistent* Item) const
{
    return FElementClass(Item);
}

THeapElement* TCustomHeap::AddElement(std::unique_ptr<THeapElement> Element)
{
    THeapElement* added = Element.get();
    FHeap.push_back(std::move(Element));
    added->FIndex = HeapCount() - 1;
    if (HeapCount() > 1)
        SiftUp(added->FIndex);
    return added;
}

void TCustomHeap::SwapElements(qsizetype A, qsizetype B)
{
    std::swap(FHeap[A], FHeap[B]);
    FHeap[A]->FIndex = A;
    FHeap[B]->FIndex = B;
}

std::unique_ptr<THeapElement> TCustomHeap::TakeElement(qsizetype Index)
{
    CheckIndex(Index);
    std::unique_ptr<THeapElement> taken = std::move(FHeap[Index]);
    if (Index != HeapCount() - 1) {
        FHeap[Index] = std::move(FHeap.back());
        FHeap[Index]->FIndex = Index;
    }
    FHeap.pop_back();
    taken->FIndex = -1;
    return taken;
}

namespace {

THeapElementClass IntElementClass(TIntHeap::TIntHeapElementClass make)
{
    if (!make)
        return [](TPersistent* Item) { return std::make_unique<TIntHeapElement>(Item); };
    return [make = std::move(make)](TPersistent* Item) -> std::unique_ptr<THeapElement> { return make(Item); };
}

} // namespace

TIntHeap::TIntHeap(TIntHeapElementClass ElementClass)
    : TCustomHeap(IntElementClass(std::move(ElementClass)))
{
}

qsizetype TIntHeap::SiftUp(qsizetype Index)
{
    CheckIndex(Index);
    while (Index > 0) {
        const qsizetype parent = (Index - 1) / 2;
        if (!Better(PriorityAt(Index), PriorityAt(parent)))
            break;
        SwapElements(Index, parent);
        Index = parent;
    }
    return Index;
}

qsizetype TIntHeap::SiftDown(qsizetype Index)
{
    CheckIndex(Index);
    for (qsizetype child = 2 * Index + 1; child < HeapCount(); child = 2 * Index + 1) {
        if (child + 1 < HeapCount() && Better(PriorityAt(child + 1), PriorityAt(child)))
            ++child;
        if (!Better(PriorityAt(child), PriorityAt(Index)))
            break;
        SwapElements(Index, child);
        Index = child;
    }
    return Index;
}

TIntHeapElement* TIntHeap::Add(TPersistent* Item, int Priority)
{
    std::unique_ptr<THeapElement> element = NewElement(Item);
    static_cast<TIntHeapElement&>(*element).SetPriority(Priority);
    return static_cast<TIntHeapElement*>(AddElement(std::move(element)));
}

qsizetype TIntHeap::IndexOf(TPersistent* Item) const
{
    for (qsizetype i = 0; i < HeapCount(); ++i)
        if (ElementAt(i)->Item() == Item)
            return i;
    return -1;
}

qsizetype TIntHeap::IndexOf(TPersistent* Item, int Priority) const
{
    return Search(0, Priority, [Item](const TIntHeapElement& element) { return element.Item() == Item; });
}

qsizetype TIntHeap::IndexOf(int Priority) const
{
    return Search(0, Priority, [](const TIntHeapElement&) { return true; });
}

TPersistent* TIntHeap::Delete(qsizetype Index)
{
    const std::unique_ptr<THeapElement> removed = TakeElement(Index);
    if (Index < HeapCount())
        Restore(Index);
    return removed->Item();
}

qsizetype TIntHeap::ModifyPriority(THeapElement& Element)
{
    return Restore(PositionOf(Element));
}

qsizetype TIntHeap::ModifyPriority(TIntHeapElement& Element, int NewPriority)
{
    const qsizetype index = PositionOf(Element);
    Element.SetPriority(NewPriority);
    return Restore(index);
}

void TIntHeap::Assign(const TPersistent* Source)
{
    if (dynamic_cast<const TIntHeap*>(Source) == nullptr)
        AssignError(Source);
    TCustomHeap::Assign(Source);
}

int TIntHeap::PriorityAt(qsizetype Index) const
{
    return IntElementAt(Index)->Priority();
}

TIntHeapElement* TIntHeap::IntElementAt(qsizetype Index) const
{
    return static_cast<TIntHeapElement*>(ElementAt(Index));
}

bool TIntHeap::Better(int A, int B) const
{
    return Order() == THeapOrder::hpIncreasing ? A < B : A > B;
}

qsizetype TIntHeap::Restore(qsizetype Index)
{
    if (Index > 0 && Better(PriorityAt(Index), PriorityAt((Index - 1) / 2)))
        return SiftUp(Index);
    return SiftDown(Index);
}

qsizetype TIntHeap::Search(qsizetype From, int Priority,
                           const std::function<bool(const TIntHeapElement&)>& Match) const
{
    if (From >= HeapCount())
        return -1;
    const TIntHeapElement& element = *IntElementAt(From);
    if (element.Priority() == Priority && Match(element))
        return From;
    // Below an element every priority is at best equal to its own, so only a
    // subtree whose root is worse than the one sought can be skipped; equal
    // priorities may sit under one another.
    if (Better(Priority, element.Priority()))
        return -1;
    const qsizetype left = Search(2 * From + 1, Priority, Match);
    return left >= 0 ? left : Search(2 * From + 2, Priority, Match);
}

} // namespace zor
