#pragma once
// Array-based heaps of prioritised elements. A heap owns its elements; an
// element does not own its Item.

#include <QtGlobal>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/persistent.h"

namespace zor {

enum class THeapOrder { hpIncreasing, hpDecreasing };
constexpr std::size_t EnumCount(THeapOrder) { return 2; }

// One entry of a heap: a non-owned item and the entry's position in its heap.
class THeapElement : public TPersistent {
public:
    explicit THeapElement(TPersistent* Item = nullptr)
        : FItem(Item)
    {
    }

    TPersistent* Item() const { return FItem; }
    void SetItem(TPersistent* Value) { FItem = Value; }
    qsizetype Index() const { return FIndex; }

    virtual std::unique_ptr<THeapElement> Clone() const;
    virtual void Clear();

private:
    friend class TCustomHeap;

    TPersistent* FItem;
    qsizetype FIndex = -1;
};

class TIntHeapElement : public THeapElement {
public:
    // One above the smallest integer, as the heaps have always started.
    static constexpr int InitialPriority = -2147483647;

    explicit TIntHeapElement(TPersistent* Item = nullptr, int Priority = InitialPriority)
        : THeapElement(Item)
        , FPriority(Priority)
    {
    }

    int Priority() const { return FPriority; }
    void SetPriority(int Value) { FPriority = Value; }

    std::unique_ptr<THeapElement> Clone() const override;
    void Clear() override;
    void Clear(int Priority);

private:
    int FPriority;
};

// Makes the element a heap stores for an item.
using THeapElementClass = std::function<std::unique_ptr<THeapElement>(TPersistent* Item)>;

// The heap array and the operations that do not depend on how priorities
// compare. Positions outside the heap raise "List index out of bounds (%d)".
class TCustomHeap : public TPersistent {
public:
    explicit TCustomHeap(THeapElementClass ElementClass = nullptr);

    virtual qsizetype Count() const { return HeapCount(); }
    // The item at an array position; array order is not sorted order.
    TPersistent* Item(qsizetype Index) const { return GetItem(Index); }

    THeapOrder Order() const { return FOrder; }
    // A filled heap is rearranged for the new order.
    virtual void SetOrder(THeapOrder Value);

    virtual qsizetype SiftUp(qsizetype Index) = 0;
    virtual qsizetype SiftDown(qsizetype Index) = 0;

    // Adds an element made by the element class with its own initial priority.
    virtual THeapElement* Add(TPersistent* Item);
    virtual qsizetype IndexOf(TPersistent* Item) const = 0;
    // The element's position, or -1 when it is not in this heap.
    qsizetype IndexOf(const THeapElement& Element) const;

    // Frees every element.
    virtual void Clear();
    // Removes the element at a position and returns its item.
    virtual TPersistent* Delete(qsizetype Index) = 0;
    // Raises "Item not found" for an element of another heap.
    TPersistent* Delete(const THeapElement& Element);
    // Restores the heap order after Element's priority changed; returns its new position.
    virtual qsizetype ModifyPriority(THeapElement& Element) = 0;

    // Copies the order and a clone of every element of another heap.
    void Assign(const TPersistent* Source) override;

protected:
    virtual TPersistent* GetItem(qsizetype Index) const;

    qsizetype HeapCount() const { return static_cast<qsizetype>(FHeap.size()); }
    THeapElement* ElementAt(qsizetype Index) const;
    void CheckIndex(qsizetype Index) const;
    // The position of an element of this heap; raises "Item not found" otherwise.
    qsizetype PositionOf(const THeapElement& Element) const;

    // A new element of this heap's element class.
    std::unique_ptr<THeapElement> NewElement(TPersistent* Item) const;
    // Appends at the end, sifts up and returns the element.
    THeapElement* AddElement(std::unique_ptr<THeapElement> Element);
    void SwapElements(qsizetype A, qsizetype B);
    // Takes the element at a position out, filling the gap with the last one.
    std::unique_ptr<THeapElement> TakeElement(qsizetype Index);

private:
    THeapOrder FOrder = THeapOrder::hpIncreasing;
    std::vector<std::unique_ptr<THeapElement>> FHeap;
    THeapElementClass FElementClass;
};

// A heap of integer priorities. Equal priorities are never swapped.
class TIntHeap : public TCustomHeap {
public:
    using TIntHeapElementClass = std::function<std::unique_ptr<TIntHeapElement>(TPersistent* Item)>;

    explicit TIntHeap(TIntHeapElementClass ElementClass = nullptr);

    qsizetype SiftUp(qsizetype Index) override;
    qsizetype SiftDown(qsizetype Index) override;

    using TCustomHeap::Add;
    TIntHeapElement* Add(TPersistent* Item, int Priority);

    using TCustomHeap::IndexOf;
    // The first position holding Item, whatever its priority; -1 when absent.
    qsizetype IndexOf(TPersistent* Item) const override;
    // The first position, depth first, holding Item with that priority; -1 when absent.
    qsizetype IndexOf(TPersistent* Item, int Priority) const;
    // The first position, depth first, with that priority; -1 when absent.
    qsizetype IndexOf(int Priority) const;

    using TCustomHeap::Delete;
    TPersistent* Delete(qsizetype Index) override;

    qsizetype ModifyPriority(THeapElement& Element) override;
    qsizetype ModifyPriority(TIntHeapElement& Element, int NewPriority);

    // Only another integer heap can be copied.
    void Assign(const TPersistent* Source) override;

    // The priority at an array position.
    int PriorityAt(qsizetype Index) const;

protected:
    // Every element of an integer heap is made by its typed element class or
    // cloned from another integer heap, so the cast holds.
    TIntHeapElement* IntElementAt(qsizetype Index) const;
    bool Better(int A, int B) const;
    // Moves the element at Index up or down to where it belongs.
    qsizetype Restore(qsizetype Index);

private:
    qsizetype Search(qsizetype From, int Priority, const std::function<bool(const TIntHeapElement&)>& Match) const;
};

} // namespace zor
