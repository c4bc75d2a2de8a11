#pragma once
// TZorDictionary: a hash table with open addressing and linear probing over a
// power-of-two slot array. Enumeration visits the occupied slots in ascending
// order, so the order follows the hashes and is reproducible, but it is
// neither insertion order nor sorted. Values are not owned: a table never
// frees the objects it refers to.

#include <QString>
#include <climits>
#include <concepts>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "collections/collection_notification.h"
#include "collections/hash_table_enumerable.h"
#include "collections/hash_table_hashing.h"
#include "collections/hash_table_iterators.h"
#include "platform/events.h"
#include "platform/exceptions.h"

namespace zor {

template <typename K, typename V>
struct TPair {
    K Key;
    V Value;
    friend bool operator==(const TPair&, const TPair&) = default;
};

// A sequence of TPair-like elements that a dictionary can be filled from.
template <typename R, typename K, typename V>
concept PairSequence = requires(const R& Sequence) {
    { (*Sequence.begin()).Key } -> std::convertible_to<K>;
    { (*Sequence.begin()).Value } -> std::convertible_to<V>;
};

// True when Bottom < Item <= TopInc on the ring of slot indices.
constexpr bool InRingRange(int Bottom, int Item, int TopInc)
{
    return (Bottom < Item && Item <= TopInc) || (TopInc < Bottom && Bottom < Item)
        || (Item <= TopInc && TopInc < Bottom);
}

template <typename K, typename V>
class TZorDictionary : public TZorEnumerable<TPair<K, V>> {
public:
    using TPairType = TPair<K, V>;
    using TComparer = TEqualityComparerRef<K>;

private:
    // Walks the occupied slots; the subclass projects the slot to its element.
    template <typename T>
    class TSlotEnumerator : public TZorEnumerator<T> {
    public:
        explicit TSlotEnumerator(const TZorDictionary* ADictionary)
            : FDictionary(ADictionary)
        {
        }
        bool MoveNext() override
        {
            FIndex = FDictionary->NextOccupiedSlot(FIndex);
            return FIndex < FDictionary->Capacity();
        }

    protected:
        const auto& CurrentSlot() const { return FDictionary->FItems[FDictionary->CheckedSlot(FIndex)]; }

        const TZorDictionary* FDictionary;
        int FIndex = -1;
    };

    // A live view of the keys or the values.
    template <typename T, typename Enumerator>
    class TSlotCollection : public TZorEnumerable<T> {
    public:
        explicit TSlotCollection(const TZorDictionary* ADictionary)
            : FDictionary(ADictionary)
        {
        }
        int Count() const { return FDictionary->Count(); }
        std::vector<T> ToArray() const override { return this->ToArrayOfCount(Count()); }

    protected:
        std::unique_ptr<TZorEnumerator<T>> NewEnumerator() const override
        {
            return std::make_unique<Enumerator>(FDictionary);
        }

    private:
        const TZorDictionary* FDictionary;
    };

public:
    class TKeyEnumerator : public TSlotEnumerator<K> {
    public:
        using TSlotEnumerator<K>::TSlotEnumerator;
        K Current() const override { return this->CurrentSlot().Key; }
    };
    class TValueEnumerator : public TSlotEnumerator<V> {
    public:
        using TSlotEnumerator<V>::TSlotEnumerator;
        V Current() const override { return this->CurrentSlot().Value; }
    };
    class TPairEnumerator : public TSlotEnumerator<TPairType> {
    public:
        using TSlotEnumerator<TPairType>::TSlotEnumerator;
        TPairType Current() const override { return {this->CurrentSlot().Key, this->CurrentSlot().Value}; }
    };
    using TKeyCollection = TSlotCollection<K, TKeyEnumerator>;
    using TValueCollection = TSlotCollection<V, TValueEnumerator>;

    explicit TZorDictionary(int ACapacity = 0)
        : TZorDictionary(ACapacity, nullptr)
    {
    }
    explicit TZorDictionary(TComparer AComparer)
        : TZorDictionary(0, std::move(AComparer))
    {
    }
    // A null comparer selects the default comparer of K.
    TZorDictionary(int ACapacity, TComparer AComparer)
    {
        if (ACapacity < 0)
            Raise<EArgumentOutOfRangeException>(messages::ArgumentOutOfRange);
        FComparer = AComparer ? std::move(AComparer) : DefaultComparer<K>();
        ReserveFor(ACapacity);
    }
    // Fills the table from Collection; a later pair with the same key wins.
    template <PairSequence<K, V> R>
    explicit TZorDictionary(const R& Collection, TComparer AComparer = nullptr)
        : TZorDictionary(0, std::move(AComparer))
    {
        for (const auto& pair : Collection)
            AddOrSetValue(pair.Key, pair.Value);
    }

    TZorDictionary(const TZorDictionary&) = delete;
    TZorDictionary& operator=(const TZorDictionary&) = delete;

    // Reports nothing: a handler would see a half-destroyed table, and an
    // error it raised could not be passed on. No table owns what it holds, so
    // nothing waits for these reports to free anything.
    ~TZorDictionary() override = default;

    // Inserts; a present key raises "Duplicates not allowed". The array may
    // grow before the key is looked up, even when the insertion then fails.
    void Add(const K& Key, const V& Value)
    {
        GrowIfFull();
        const std::int32_t hash = TableHash(Key);
        const int slot = FindSlot(Key, hash);
        if (slot >= 0)
            Raise<EListError>(messages::DuplicatesNotAllowed);
        StoreNew(hash, ~slot, Value, Key);
    }

    void AddOrSetValue(const K& Key, const V& Value)
    {
        GrowIfFull();
        const std::int32_t hash = TableHash(Key);
        const int slot = FindSlot(Key, hash);
        if (slot >= 0)
            StoreValue(slot, Value);
        else
            StoreNew(hash, ~slot, Value, Key);
    }

    void Remove(const K& Key) { RemoveEntry(Key, TableHash(Key), TCollectionNotification::cnRemoved); }

    // Removes Key and hands back its pair; an absent key gives (Key, empty value).
    TPairType ExtractPair(const K& Key)
    {
        const std::int32_t hash = TableHash(Key);
        if (FindSlot(Key, hash) < 0)
            return {Key, V{}};
        return {Key, RemoveEntry(Key, hash, TCollectionNotification::cnExtracted)};
    }

    // Empties the table (no slots left) and reports every entry as removed.
    virtual void Clear()
    {
        std::vector<TItem> oldItems;
        oldItems.swap(FItems);
        FCount = 0;
        FGrowThreshold = 0;
        SlotsResized();
        for (const TItem& item : oldItems) {
            if (item.HashCode == FreeSlot)
                continue;
            NotifyKey(item.Key, TCollectionNotification::cnRemoved);
            NotifyValue(item.Value, TCollectionNotification::cnRemoved);
        }
    }

    // Shrinks the slot array to the smallest that holds one more entry.
    void TrimExcess() { ReserveFor(FCount + 1); }

    bool TryGetValue(const K& Key, V& Value) const
    {
        const int slot = FindSlot(Key, TableHash(Key));
        Value = slot >= 0 ? FItems[slot].Value : V{};
        return slot >= 0;
    }
    bool ContainsKey(const K& Key) const { return FindSlot(Key, TableHash(Key)) >= 0; }
    bool ContainsValue(const V& Value) const
    {
        for (const TItem& item : FItems)
            if (item.HashCode != FreeSlot && item.Value == Value)
                return true;
        return false;
    }

    std::vector<TPairType> ToArray() const override { return this->ToArrayOfCount(FCount); }

    int Count() const { return FCount; }
    // The length of the slot array: 0 or a power of two from 4 up.
    int Capacity() const { return int(FItems.size()); }

    const TKeyCollection& Keys() const { return LazyCollection(FKeyCollection); }
    const TValueCollection& Values() const { return LazyCollection(FValueCollection); }

    // The value of Key; an absent key raises "Item not found".
    V Items(const K& Key) const { return FItems[FoundSlot(Key)].Value; }
    // Replaces the value of a present key (never inserts; an absent key raises
    // "Item not found"). Sends the value notifications but bypasses StoreValue.
    void SetItems(const K& Key, const V& Value) { ReplaceValue(FoundSlot(Key), Value); }

    void Assign(const TPersistent* Source) override
    {
        const auto* source = dynamic_cast<const TZorDictionary*>(Source);
        if (source == nullptr) {
            TPersistent::Assign(Source);
            return;
        }
        // Clearing first would lose the entries that are to be copied.
        if (source == this)
            return;
        Clear();
        for (const TPairType& pair : *source)
            Add(pair.Key, pair.Value);
    }

    TEvent<TZorDictionary&, const K&, TCollectionNotification> OnKeyNotify;
    TEvent<TZorDictionary&, const V&, TCollectionNotification> OnValueNotify;

protected:
    std::unique_ptr<TZorEnumerator<TPairType>> NewEnumerator() const override
    {
        return std::make_unique<TPairEnumerator>(this);
    }

    // Fills the free slot Index.
    virtual void StoreNew(std::int32_t HashCode, int Index, const V& Value, const K& Key)
    {
        FItems[Index] = TItem{HashCode, Key, Value};
        ++FCount;
        NotifyKey(Key, TCollectionNotification::cnAdded);
        NotifyValue(Value, TCollectionNotification::cnAdded);
    }

    // Replaces the value of the occupied slot Index.
    virtual void StoreValue(int Index, const V& Value) { ReplaceValue(Index, Value); }

    // Removes Key and returns its value; an absent key returns the empty value
    // and reports nothing. Later entries of the probe run are shifted back
    // into the gap, so no deleted markers exist and a free slot always ends a
    // probe.
    virtual V RemoveEntry(const K& Key, std::int32_t HashCode, TCollectionNotification Notification)
    {
        const int found = FindSlot(Key, HashCode);
        if (found < 0)
            return V{};
        const K removedKey = Key;
        V removedValue = std::move(FItems[found].Value);
        FItems[found].HashCode = FreeSlot;
        const int mask = Capacity() - 1;
        int gap = found;
        for (int i = (found + 1) & mask; FItems[i].HashCode != FreeSlot; i = (i + 1) & mask) {
            const int home = FItems[i].HashCode & mask;
            if (InRingRange(gap, home, i))
                continue;
            FItems[gap] = std::move(FItems[i]);
            FItems[i].HashCode = FreeSlot;
            gap = i;
        }
        FItems[gap] = TItem{};
        --FCount;
        NotifyKey(removedKey, Notification);
        NotifyValue(removedValue, Notification);
        return removedValue;
    }

    virtual void NotifyKey(const K& Key, TCollectionNotification Notification)
    {
        Fire(OnKeyNotify, *this, Key, Notification);
    }
    virtual void NotifyValue(const V& Value, TCollectionNotification Notification)
    {
        Fire(OnValueNotify, *this, Value, Notification);
    }

    // Called after the slot array was replaced.
    virtual void SlotsResized() {}

    // The next occupied slot after Slot, or Capacity() when none follows.
    int NextOccupiedSlot(int Slot) const
    {
        const int length = Capacity();
        do
            ++Slot;
        while (Slot < length && FItems[Slot].HashCode == FreeSlot);
        return Slot < length ? Slot : length;
    }
    // The previous occupied slot before Slot, or -1 when none precedes.
    int PreviousOccupiedSlot(int Slot) const
    {
        do
            --Slot;
        while (Slot >= 0 && FItems[Slot].HashCode == FreeSlot);
        return Slot < 0 ? -1 : Slot;
    }
    // Slot itself when it is occupied; otherwise "List index out of bounds"
    // (with -1 before the first element, Count after the last).
    int CheckedSlot(int Slot) const
    {
        if (Slot < 0)
            Raise<EListError>(messages::ListIndexOutOfBounds, {QString::number(-1)});
        if (Slot >= Capacity() || FItems[Slot].HashCode == FreeSlot)
            Raise<EListError>(messages::ListIndexOutOfBounds, {QString::number(FCount)});
        return Slot;
    }
    const K& SlotKey(int Slot) const { return FItems[Slot].Key; }
    const V& SlotValue(int Slot) const { return FItems[Slot].Value; }

private:
    template <typename, typename>
    friend class TSlotIterator;

    static constexpr std::int32_t FreeSlot = -1;
    // Where FindSlot finds nothing in an empty slot array.
    static constexpr int NoSlot = INT_MIN;
    // The largest slot array: a power of two that int indexes safely.
    static constexpr int MaxLength = 1 << 30;

    struct TItem {
        std::int32_t HashCode = FreeSlot;
        K Key{};
        V Value{};
    };

    // The comparer's hash with bit 31 cleared, plus one, bit 31 cleared again:
    // never negative, so -1 can mark a free slot.
    std::int32_t TableHash(const K& Key) const
    {
        const auto hash = std::uint32_t(FComparer->GetHashCode(Key));
        return std::int32_t(((hash & 0x7FFFFFFFu) + 1) & 0x7FFFFFFFu);
    }

    // The slot holding Key (>= 0), or the bitwise complement of the free slot
    // where it would go, or NoSlot for an empty array.
    int FindSlot(const K& Key, std::int32_t Hash) const
    {
        if (FItems.empty())
            return NoSlot;
        const int mask = Capacity() - 1;
        for (int i = Hash & mask;; i = (i + 1) & mask) {
            const TItem& item = FItems[i];
            if (item.HashCode == FreeSlot)
                return ~i;
            if (item.HashCode == Hash && FComparer->Equals(item.Key, Key))
                return i;
        }
    }

    int FoundSlot(const K& Key) const
    {
        const int slot = FindSlot(Key, TableHash(Key));
        if (slot < 0)
            Raise<EListError>(messages::ItemNotFound);
        return slot;
    }

    void ReplaceValue(int Index, const V& Value)
    {
        const V newValue = Value;
        const V oldValue = std::exchange(FItems[Index].Value, newValue);
        NotifyValue(oldValue, TCollectionNotification::cnRemoved);
        NotifyValue(newValue, TCollectionNotification::cnAdded);
    }

    void GrowIfFull()
    {
        if (FCount < FGrowThreshold)
            return;
        if (Capacity() >= MaxLength)
            throw std::bad_alloc();
        Resize(FItems.empty() ? 4 : Capacity() * 2);
    }

    void ReserveFor(int ACapacity)
    {
        if (ACapacity < FCount)
            Raise<EArgumentOutOfRangeException>(messages::ArgumentOutOfRange);
        Resize(SlotLengthFor(ACapacity));
    }

    // 0 for no capacity, else the smallest power of two from 4 up that holds it.
    static int SlotLengthFor(int ACapacity)
    {
        if (ACapacity > MaxLength)
            throw std::bad_alloc();
        if (ACapacity == 0)
            return 0;
        int length = 4;
        while (length < ACapacity)
            length *= 2;
        return length;
    }

    // Moves the entries into a new array of NewLength slots, in ascending old
    // slot order; reports nothing.
    void Resize(int NewLength)
    {
        if (NewLength == Capacity())
            return;
        std::vector<TItem> oldItems = std::exchange(FItems, std::vector<TItem>(std::size_t(NewLength)));
        FGrowThreshold = NewLength / 2 + NewLength / 4;
        const int mask = NewLength - 1;
        for (TItem& item : oldItems) {
            if (item.HashCode == FreeSlot)
                continue;
            int i = item.HashCode & mask;
            while (FItems[i].HashCode != FreeSlot)
                i = (i + 1) & mask;
            FItems[i] = std::move(item);
        }
        SlotsResized();
    }

    template <typename Collection>
    const Collection& LazyCollection(std::unique_ptr<Collection>& Field) const
    {
        if (!Field)
            Field = std::make_unique<Collection>(this);
        return *Field;
    }

    int FCount = 0;
    TComparer FComparer;
    int FGrowThreshold = 0;
    std::vector<TItem> FItems;
    mutable std::unique_ptr<TKeyCollection> FKeyCollection;
    mutable std::unique_ptr<TValueCollection> FValueCollection;
};

} // namespace zor
