#pragma once
// Pull-style iterators over the keys or values of a text-keyed table. They
// read the live table (no snapshot), do not keep it alive, and must not be
// used across changes of the table.

#include <QString>

namespace zor {

template <typename T>
class IElementIterator {
public:
    virtual ~IElementIterator() = default;
    // The element that the last NextElement delivered.
    virtual T CurrentElement() const = 0;
    // The table's current count.
    virtual int GetCount() const = 0;
    virtual bool HasMoreElements() const = 0;
    virtual T NextElement() = 0;
    virtual void Reset() = 0;
};

using IStringIterator = IElementIterator<QString>;
template <typename T>
using IObjectIterator = IElementIterator<T*>;

// Walks the occupied slots of Table in ascending order; the subclass says
// which part of a slot is the element.
template <typename Table, typename Element>
class TSlotIterator : public IElementIterator<Element> {
public:
    explicit TSlotIterator(const Table* ATable)
        : FTable(ATable)
    {
    }

    Element CurrentElement() const override { return ElementAt(FTable->CheckedSlot(FIndex)); }
    int GetCount() const override { return FTable->Count(); }
    bool HasMoreElements() const override { return FElementCount < FTable->Count(); }
    Element NextElement() override
    {
        const int next = FTable->CheckedSlot(FTable->NextOccupiedSlot(FIndex));
        FIndex = next;
        ++FElementCount;
        return ElementAt(next);
    }
    void Reset() override
    {
        FIndex = -1;
        FElementCount = 0;
    }

protected:
    virtual Element ElementAt(int Slot) const = 0;

    const Table* FTable;
    int FIndex = -1;
    int FElementCount = 0;
};

} // namespace zor
