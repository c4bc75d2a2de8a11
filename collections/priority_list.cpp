#include "collections/priority_list.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace zor {

// The heap element of one priority; it owns the ordered list of that
// priority's items and shows it as its Item.
class TPriorityListElement : public TIntHeapElement {
public:
    explicit TPriorityListElement(std::unique_ptr<TZorObjectOrderedList> List)
        : TIntHeapElement(List.get())
        , FList(std::move(List))
    {
    }

    TZorObjectOrderedList& List() const { return *FList; }

    std::unique_ptr<THeapElement> Clone() const override
    {
        auto copy = std::make_unique<TPriorityListElement>(FList->Clone());
        copy->SetPriority(Priority());
        return copy;
    }

private:
    std::unique_ptr<TZorObjectOrderedList> FList;
};

namespace {

constexpr const char* OwnedItemsShared = "Two lists that free their items cannot share them";

TIntHeap::TIntHeapElementClass ListElementClass(TOrderedListClass OrderedListClass)
{
    if (!OrderedListClass)
        OrderedListClass = OrderedListClassOf<TZorObjectQueue>();
    // Every element carries its own list, whoever asks the heap for one.
    return [make = std::move(OrderedListClass)](TPersistent*) {
        return std::make_unique<TPriorityListElement>(make());
    };
}

} // namespace

TPriorityList::TPriorityList(TOrderedListClass OrderedListClass)
    : TIntHeap(ListElementClass(std::move(OrderedListClass)))
{
}

TPriorityList::~TPriorityList()
{
    Clear();
}

TIntHeapElement* TPriorityList::Add(TPersistent* Item, int Priority)
{
    const qsizetype index = IndexOf(Priority);
    TPriorityListElement* element = index >= 0 ? ListElementAt(index)
                                               : static_cast<TPriorityListElement*>(TIntHeap::Add(nullptr, Priority));
    element->List().Push(Item);
    ++FCount;
    return element;
}

THeapElement* TPriorityList::Add(TPersistent* Item)
{
    return Add(Item, TIntHeapElement::InitialPriority);
}

TPersistent* TPriorityList::Delete(qsizetype Index)
{
    const TItemPosition position = Locate(Index);
    TZorObjectOrderedList& list = position.Element->List();
    TPersistent* item = Index == 0 ? list.Pop() : list.ExtractAt(position.ListIndex);
    --FCount;
    DropIfEmpty(position.Element);
    if (Index == 0 || !FFreeIfNoPop)
        return item;
    Discard(item);
    return nullptr;
}

void TPriorityList::SetItem(qsizetype Index, TPersistent* Item)
{
    const TItemPosition position = Locate(Index);
    TZorObjectOrderedList& list = position.Element->List();
    TPersistent* previous = list.Items(position.ListIndex);
    if (previous == Item)
        return;
    list.SetItems(position.ListIndex, Item);
    Discard(previous);
}

void TPriorityList::Clear()
{
    std::unordered_set<TPersistent*> owned;
    if (FFreeIfNoPop)
        for (qsizetype i = 0; i < HeapCount(); ++i)
            for (TPersistent* item : ListElementAt(i)->List())
                owned.insert(item);
    TIntHeap::Clear();
    FCount = 0;
    // Freed after the list is empty, so an item's destructor never sees it half cleared.
    for (TPersistent* item : owned)
        delete item;
}

std::vector<TPersistent*> TPriorityList::InOrder() const
{
    std::vector<TPersistent*> items;
    items.reserve(static_cast<std::size_t>(FCount));
    // Inside one priority the items go from the last of its list to the first.
    for (const TPriorityListElement* element : ByPriority()) {
        const TZorObjectOrderedList& list = element->List();
        for (qsizetype i = list.Count() - 1; i >= 0; --i)
            items.push_back(list.Items(i));
    }
    return items;
}

void TPriorityList::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TPriorityList*>(Source);
    if (other == nullptr)
        AssignError(Source);
    if (other == this)
        return;
    // Each would free the items the other still holds.
    if (FFreeIfNoPop && other->FFreeIfNoPop)
        Raise<EInvalidOperation>(QString::fromLatin1(OwnedItemsShared));
    Clear();
    TIntHeap::Assign(Source);
    FCount = other->FCount;
}

TPersistent* TPriorityList::GetItem(qsizetype Index) const
{
    const TItemPosition position = Locate(Index);
    return position.Element->List().Items(position.ListIndex);
}

TPriorityList::TItemPosition TPriorityList::Locate(qsizetype Index) const
{
    if (Index < 0 || Index >= FCount)
        Raise<Exception>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
    qsizetype remaining = Index;
    for (TPriorityListElement* element : ByPriority()) {
        const qsizetype length = element->List().Count();
        if (remaining < length)
            return {element, length - 1 - remaining};
        remaining -= length;
    }
    Raise<Exception>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
}

std::vector<TPriorityListElement*> TPriorityList::ByPriority() const
{
    // The heap holds one element per priority, so sorting the elements gives
    // the order in which the heap would yield them.
    std::vector<TPriorityListElement*> elements;
    elements.reserve(HeapCount());
    for (qsizetype i = 0; i < HeapCount(); ++i)
        elements.push_back(ListElementAt(i));
    std::stable_sort(elements.begin(), elements.end(),
                     [this](const TPriorityListElement* a, const TPriorityListElement* b) {
                         return Better(a->Priority(), b->Priority());
                     });
    return elements;
}

TPriorityListElement* TPriorityList::ListElementAt(qsizetype HeapIndex) const
{
    // Every element of a priority list is made by its element class or cloned
    // from another priority list.
    return static_cast<TPriorityListElement*>(IntElementAt(HeapIndex));
}

void TPriorityList::DropIfEmpty(TPriorityListElement* Element)
{
    if (Element->List().Empty())
        TIntHeap::Delete(IndexOf(*Element));
}

bool TPriorityList::Holds(TPersistent* Item) const
{
    for (qsizetype i = 0; i < HeapCount(); ++i)
        if (ListElementAt(i)->List().Contains(Item))
            return true;
    return false;
}

void TPriorityList::Discard(TPersistent* Item)
{
    if (FFreeIfNoPop && !Holds(Item))
        delete Item;
}

} // namespace zor
