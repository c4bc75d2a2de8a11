#pragma once
// TZorHashTable: a dictionary that reports changes through OnChange, batches
// them between BeginUpdate and EndUpdate, and reads entries by ordinal
// position in enumeration order.

#include <QString>

#include "collections/hash_table_dictionary.h"
#include "platform/update_scope.h"

namespace zor {

template <typename K, typename V>
class TZorHashTable : public TZorDictionary<K, V> {
    using Base = TZorDictionary<K, V>;

public:
    using Base::Base;
    using Base::ContainsKey;

    // Destroying a table calls no callback at all.
    ~TZorHashTable() override = default;

    virtual void BeginUpdate() { ++FUpdating; }
    // The outermost EndUpdate fires OnChange. An unmatched one is ignored: a
    // negative depth would let every later bracket report its changes.
    virtual void EndUpdate()
    {
        if (FUpdating <= 0)
            return;
        if (--FUpdating == 0)
            NotifyChange();
    }

    // Fires OnChange once (also for an empty table) and reports none of the
    // dropped entries.
    void Clear() override
    {
        TUpdateScope update(*this);
        Base::Clear();
    }

    bool Empty() const { return this->Count() == 0; }

    // The value of Key; an absent key raises "Item not found".
    V Get(const K& Key) const { return this->Items(Key); }
    // Stores Value under Key and returns the value it replaced (the empty
    // value for a new key).
    V Put(const K& Key, const V& Value)
    {
        V previous;
        this->TryGetValue(Key, previous);
        this->AddOrSetValue(Key, Value);
        return previous;
    }
    bool ContainsKey(const K& Key, V& FoundItem) const { return this->TryGetValue(Key, FoundItem); }
    bool ContainsItem(const V& Value) const { return this->ContainsValue(Value); }

    // Item reads like Items but writing it inserts an absent key.
    V Item(const K& Key) const { return Get(Key); }
    void SetItem(const K& Key, const V& Value) { this->AddOrSetValue(Key, Value); }

    // The value or key at an ordinal position in enumeration order; a
    // position outside 0 .. Count - 1 raises "List index out of bounds (%d)".
    V ItemByIndex(int Index) const { return this->SlotValue(CursorSlot(Index)); }
    K KeyByIndex(int Index) const { return this->SlotKey(CursorSlot(Index)); }

    TEvent<TZorHashTable&> OnChange;

protected:
    void StoreNew(std::int32_t HashCode, int Index, const V& Value, const K& Key) override
    {
        Base::StoreNew(HashCode, Index, Value, Key);
        NotifyChange();
    }
    void StoreValue(int Index, const V& Value) override
    {
        Base::StoreValue(Index, Value);
        NotifyChange();
    }
    // Fires OnChange also when Key was absent and nothing was removed.
    V RemoveEntry(const K& Key, std::int32_t HashCode, TCollectionNotification Notification) override
    {
        if (this->Count() == 0)
            Raise<EGHashtableError>(messages::TableIsEmpty);
        V removed = Base::RemoveEntry(Key, HashCode, Notification);
        NotifyChange();
        return removed;
    }
    void NotifyKey(const K& Key, TCollectionNotification Notification) override
    {
        FCachedIndex = -1;
        if (FUpdating <= 0)
            Base::NotifyKey(Key, Notification);
    }
    void NotifyValue(const V& Value, TCollectionNotification Notification) override
    {
        if (FUpdating <= 0)
            Base::NotifyValue(Value, Notification);
    }
    void SlotsResized() override { FCachedIndex = -1; }

    virtual void NotifyChange()
    {
        if (FUpdating <= 0)
            Fire(OnChange, *this);
    }

private:
    // Moves the cursor to ordinal Index and returns its slot. Neighbouring
    // positions are one step away, so sequential reads in either direction
    // cost amortised constant time.
    int CursorSlot(int Index) const
    {
        if (Index < 0 || Index >= this->Count())
            Raise<EListError>(messages::ListIndexOutOfBounds, {QString::number(Index)});
        if (FCachedIndex == -1)
            PlaceCursorOnFirst();
        if (Index == FCachedIndex + 1) {
            FCachedItemIndex = this->NextOccupiedSlot(FCachedItemIndex);
            ++FCachedIndex;
        } else if (Index == FCachedIndex - 1) {
            FCachedItemIndex = this->PreviousOccupiedSlot(FCachedItemIndex);
            --FCachedIndex;
        } else if (Index != FCachedIndex) {
            PlaceCursorOnFirst();
            while (FCachedIndex < Index) {
                FCachedItemIndex = this->NextOccupiedSlot(FCachedItemIndex);
                ++FCachedIndex;
            }
        }
        return FCachedItemIndex;
    }
    void PlaceCursorOnFirst() const
    {
        FCachedIndex = 0;
        FCachedItemIndex = this->NextOccupiedSlot(-1);
    }

    int FUpdating = 0;
    // Ordinal position of the cursor (-1: no cursor) and its slot.
    mutable int FCachedIndex = -1;
    mutable int FCachedItemIndex = -1;
};

} // namespace zor
