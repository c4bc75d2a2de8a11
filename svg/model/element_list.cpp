#include "svg/model/element_list.h"

#include <QSet>

#include "svg/model/element.h"

namespace zor {

void TSVGElementList::Insert(qsizetype Index, TSVGElement* Item)
{
    const qsizetype current = FElement.HasChild(Item) ? IndexOf(Item) : -1;
    if (current < 0) {
        TZorAssignList::Insert(Index, Item);
        return;
    }
    if (Index < 0 || Index > Count())
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
    // Index counts the child itself, which leaves its old place first.
    const qsizetype target = current < Index ? Index - 1 : Index;
    if (target == current)
        return;
    Move(current, target);
    FElement.Changed(&FElement);
}

void TSVGElementList::SetItems(qsizetype Index, TSVGElement* Item)
{
    TSVGElement* const replaced = Items(Index);
    if (replaced == Item)
        return;
    FElement.CheckChild(Item);
    if (!FElement.HasChild(Item)) {
        TZorAssignList::SetItems(Index, Item);
        return;
    }
    // A child of this list leaves its old place for the replaced one's.
    Move(IndexOf(Item), Index);
    Remove(replaced);
}

void TSVGElementList::Assign(const TZorAssignList<TSVGElement*>& Source)
{
    if (&Source == this)
        return;
    // Moving elements out of Source changes it: work from a copy.
    QList<TSVGElement*> incoming;
    QSet<TSVGElement*> seen;
    for (TSVGElement* item : Source) {
        if (seen.contains(item))
            continue;
        seen.insert(item);
        incoming.append(item);
    }
    for (const TSVGElement* item : incoming)
        FElement.CheckChild(item);

    for (qsizetype i = Count() - 1; i >= 0; --i)
        if (!seen.contains(Items(i)))
            Delete(i);
    for (qsizetype i = 0; i < incoming.size(); ++i)
        Insert(i, incoming[i]);
}

void TSVGElementList::Notify(TSVGElement* const& Item, TCollectionNotification Action)
{
    if (FQuiet)
        return;
    if (Action != TCollectionNotification::cnRemoved) {
        // OnNotify sees an added child only once it is checked and linked.
        FElement.ItemsNotify(&FElement, Item, Action);
        TZorAssignList::Notify(Item, Action);
        return;
    }
    // A removed child is freed by the element: OnNotify sees it first, and it
    // is freed even when OnNotify fails.
    try {
        TZorAssignList::Notify(Item, Action);
    } catch (...) {
        FElement.ItemsNotify(&FElement, Item, Action);
        throw;
    }
    FElement.ItemsNotify(&FElement, Item, Action);
}

void TSVGElementList::DropQuietly(TSVGElement* Item)
{
    const qsizetype index = IndexOf(Item);
    if (index < 0)
        return;
    FQuiet = true;
    ExtractAt(index);
    FQuiet = false;
}

} // namespace zor
