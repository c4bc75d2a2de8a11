#pragma once
// The generic list of non-owned items that reports every addition, removal and
// extraction through OnNotify, and its assignable variant TZorAssignList.
//
// The list changes first and notifies afterwards: during cnAdded the item is
// already in the list, during cnRemoved and cnExtracted it is already out.
// A handler may therefore change the list again (the element tree extracts a
// child it rejects and raises); whatever it does, the list stays valid.
//
// The destructor does NOT notify: an owner that must see its items leave calls
// Clear itself while it is still whole, because a notification from the
// destructor would reach an owner that is already half destroyed.

#include <QList>
#include <QString>
#include <utility>

#include "collections/collection_notification.h"
#include "platform/events.h"
#include "platform/exceptions.h"

namespace zor {

template <typename T>
class TList {
public:
    using value_type = T;

    TList() = default;
    virtual ~TList() = default;
    // Copies would share the owner's OnNotify handler; lists are copied with Assign.
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    qsizetype Count() const { return FItems.size(); }
    bool IsEmpty() const { return FItems.isEmpty(); }

    const T& Items(qsizetype Index) const
    {
        CheckIndex(Index);
        return FItems.at(Index);
    }
    const T& operator[](qsizetype Index) const { return Items(Index); }

    void SetItems(qsizetype Index, const T& Value)
    {
        CheckIndex(Index);
        const T old = std::exchange(FItems[Index], Value);
        Notify(old, TCollectionNotification::cnRemoved);
        Notify(Value, TCollectionNotification::cnAdded);
    }

    qsizetype Add(const T& Value)
    {
        FItems.append(Value);
        const qsizetype index = FItems.size() - 1;
        Notify(Value, TCollectionNotification::cnAdded);
        return index;
    }

    void Insert(qsizetype Index, const T& Value)
    {
        if (Index < 0 || Index > FItems.size())
            RaiseIndexError(Index);
        FItems.insert(Index, Value);
        Notify(Value, TCollectionNotification::cnAdded);
    }

    void Delete(qsizetype Index) { TakeAndNotify(Index, TCollectionNotification::cnRemoved); }

    // The index the item had, or -1 when it was not in the list.
    qsizetype Remove(const T& Value)
    {
        const qsizetype index = IndexOf(Value);
        if (index >= 0)
            Delete(index);
        return index;
    }

    // Takes the item out without it being treated as discarded; T{} when absent.
    T Extract(const T& Value)
    {
        const qsizetype index = IndexOf(Value);
        return index >= 0 ? ExtractAt(index) : T{};
    }

    T ExtractAt(qsizetype Index) { return TakeAndNotify(Index, TCollectionNotification::cnExtracted); }

    // Removes the items last to first, one at a time, so a handler that throws
    // leaves the items not yet reached in the list.
    void Clear()
    {
        while (!FItems.isEmpty())
            Delete(FItems.size() - 1);
    }

    qsizetype IndexOf(const T& Value) const { return FItems.indexOf(Value); }
    bool Contains(const T& Value) const { return FItems.contains(Value); }

    // Reorders without notifying: no item enters or leaves the list.
    void Move(qsizetype CurIndex, qsizetype NewIndex)
    {
        CheckIndex(CurIndex);
        CheckIndex(NewIndex);
        FItems.move(CurIndex, NewIndex);
    }

    void Exchange(qsizetype Index1, qsizetype Index2)
    {
        CheckIndex(Index1);
        CheckIndex(Index2);
        FItems.swapItemsAt(Index1, Index2);
    }

    const T& First() const
    {
        CheckNotEmpty();
        return FItems.first();
    }
    const T& Last() const
    {
        CheckNotEmpty();
        return FItems.last();
    }

    // Callers that change the list while iterating iterate over ToList() instead.
    auto begin() const { return FItems.cbegin(); }
    auto end() const { return FItems.cend(); }
    QList<T> ToList() const { return FItems; }

    // Sender, Item, Action.
    TEvent<TList<T>&, const T&, TCollectionNotification> OnNotify;

protected:
    virtual void Notify(const T& Item, TCollectionNotification Action) { Fire(OnNotify, *this, Item, Action); }

private:
    T TakeAndNotify(qsizetype Index, TCollectionNotification Action)
    {
        CheckIndex(Index);
        const T item = FItems.takeAt(Index);
        Notify(item, Action);
        return item;
    }

    void CheckIndex(qsizetype Index) const
    {
        if (Index < 0 || Index >= FItems.size())
            RaiseIndexError(Index);
    }

    [[noreturn]] static void RaiseIndexError(qsizetype Index)
    {
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
    }

    void CheckNotEmpty() const
    {
        if (FItems.isEmpty())
            Raise<EListError>(QString::fromLatin1(messages::ListIsEmpty));
    }

    QList<T> FItems;
};

// A list that can take over the items of another list of its kind.
template <typename T>
class TZorAssignList : public TList<T> {
public:
    // Replaces the items by those of Source, in Source's order. Items that were
    // only here are notified cnRemoved (an owning handler frees them); items
    // that Source also holds are notified cnExtracted instead, because they
    // come straight back and must not be discarded, then cnAdded with the rest.
    virtual void Assign(const TZorAssignList<T>& Source)
    {
        if (&Source == this)
            return;
        // A handler may change Source while this list is cleared.
        const QList<T> incoming = Source.ToList();
        while (!this->IsEmpty()) {
            const qsizetype last = this->Count() - 1;
            if (incoming.contains(this->Items(last)))
                this->ExtractAt(last);
            else
                this->Delete(last);
        }
        for (const T& item : incoming)
            this->Add(item);
    }
};

} // namespace zor
