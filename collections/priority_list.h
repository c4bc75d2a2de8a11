#pragma once
// A list of items ordered by integer priority. The heap holds one element per
// distinct priority; that element keeps an ordered list (a queue unless another
// class is given) of every item added with the priority.
//
// Items are numbered priority by priority, best priority first, and inside one
// priority from the last item of its ordered list back to the first: with
// queues, from the most recently added item back to the oldest.
//
// The priority list owns its ordered lists. It owns its items only when
// FreeIfNoPop is set; it then frees each item it drops (Clear, Delete of an
// item other than 0, SetItem), once, and only when no other place in the list
// still holds it. Without FreeIfNoPop it frees no item on any path.
//
// Ordinal access (Item(i)) finds the priorities in order on every call, so a
// loop over it is quadratic; InOrder() walks every item in the same order
// after sorting the priorities once.

#include <vector>

#include "collections/heap.h"
#include "collections/ordered_list.h"

namespace zor {

class TPriorityListElement;

class TPriorityList : public TIntHeap {
public:
    explicit TPriorityList(TOrderedListClass OrderedListClass = OrderedListClassOf<TZorObjectQueue>());
    ~TPriorityList() override;

    // The number of items, not of priorities.
    qsizetype Count() const override { return FCount; }

    bool FreeIfNoPop() const { return FFreeIfNoPop; }
    void SetFreeIfNoPop(bool Value) { FFreeIfNoPop = Value; }

    // Every item in ordinal order, item 0 first: for (TPersistent* item :
    // list.InOrder()). A snapshot, so the walk may change the list.
    std::vector<TPersistent*> InOrder() const;

    // Pushes Item into the list of its priority.
    TIntHeapElement* Add(TPersistent* Item, int Priority);
    // Adds with the initial priority of a heap element.
    THeapElement* Add(TPersistent* Item) override;

    // Delete(0) pops the top priority's list (for a queue its oldest item,
    // which is not the item that position 0 shows) and returns it. Any other
    // position removes that very item and returns it, or frees it and returns
    // nullptr when FreeIfNoPop is set.
    TPersistent* Delete(qsizetype Index) override;
    void SetItem(qsizetype Index, TPersistent* Item);
    void Clear() override;

    // Takes the priorities, order, item count and a copy of each ordered list
    // of another priority list; the source is left unchanged. Two lists that
    // both free their items cannot share them: that raises EInvalidOperation
    // and changes nothing.
    void Assign(const TPersistent* Source) override;

protected:
    // Out-of-range positions raise the base exception "List index out of bounds (%d)".
    TPersistent* GetItem(qsizetype Index) const override;

private:
    struct TItemPosition {
        TPriorityListElement* Element;
        qsizetype ListIndex;
    };

    TItemPosition Locate(qsizetype Index) const;
    // The heap's elements in the order the heap would yield them.
    std::vector<TPriorityListElement*> ByPriority() const;
    TPriorityListElement* ListElementAt(qsizetype HeapIndex) const;
    // Removes a priority whose list has become empty.
    void DropIfEmpty(TPriorityListElement* Element);
    bool Holds(TPersistent* Item) const;
    void Discard(TPersistent* Item);

    qsizetype FCount = 0;
    bool FFreeIfNoPop = false;
};

} // namespace zor
