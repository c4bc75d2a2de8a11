#pragma once
// A list of items ordered by integer priority. The heap holds one element per
// distinct priority; that element keeps an ordered list (a queue unless another
// class is given) of every item added with the priority. The style cascade
// applies the rules that match an element in this list's order.
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

#include <iterator>
#include <vector>

#include "collections/heap.h"
#include "collections/ordered_list.h"

namespace zor {

class TPriorityListElement;

// The items of a priority list in ordinal order, item 0 first. It reads the
// ordered lists of the priorities found when it was made: the priority list
// must not change while it is walked.
class TPriorityListItems {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TPersistent*;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = TPersistent*;

        const_iterator() = default;
        TPersistent* operator*() const;
        const_iterator& operator++();
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const const_iterator&, const const_iterator&) = default;

    private:
        friend class TPriorityListItems;
        const_iterator(const std::vector<const TZorObjectOrderedList*>* Lists, std::size_t List);
        // Moves on to the last item of the first non-empty list from FList on.
        void EnterList();

        const std::vector<const TZorObjectOrderedList*>* FLists = nullptr;
        std::size_t FList = 0;
        // Counts down inside one list: its items are taken from last to first.
        qsizetype FIndex = -1;
    };

    const_iterator begin() const { return const_iterator(&FLists, 0); }
    const_iterator end() const { return const_iterator(&FLists, FLists.size()); }

private:
    friend class TPriorityList;
    explicit TPriorityListItems(std::vector<const TZorObjectOrderedList*> Lists)
        : FLists(std::move(Lists))
    {
    }

    // The ordered lists, best priority first.
    std::vector<const TZorObjectOrderedList*> FLists;
};

class TPriorityList : public TIntHeap {
public:
    explicit TPriorityList(TOrderedListClass OrderedListClass = OrderedListClassOf<TZorObjectQueue>());
    ~TPriorityList() override;

    // The number of items, not of priorities.
    qsizetype Count() const override { return FCount; }

    bool FreeIfNoPop() const { return FFreeIfNoPop; }
    void SetFreeIfNoPop(bool Value) { FFreeIfNoPop = Value; }

    // Every item in ordinal order: for (TPersistent* item : list.InOrder()).
    TPriorityListItems InOrder() const;

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
