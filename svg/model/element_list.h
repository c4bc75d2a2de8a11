#pragma once
// The child list of an element.

#include "collections/assign_list.h"

namespace zor {

class TSVGElement;

// The children of one element, in document order. The list owns them: a child
// taken out with Delete, Remove, Clear or replaced with SetItems is freed; one
// taken out with Extract or ExtractAt belongs to the caller. An element is
// never in two lists: adding one that has a parent elsewhere moves it here, and
// adding one of the list's own children again moves it to its new place.
// OnNotify stays free for observers: it reports an added child once it is
// linked, and a removed one before it is freed.
// Insert, SetItems and Assign are this class's own: through the plain list
// interface they cannot check an element before the list changes.
class TSVGElementList final : public TZorAssignList<TSVGElement*> {
public:
    explicit TSVGElementList(TSVGElement& aElement)
        : FElement(aElement)
    {
    }

    // Inserts Item at Index; a child of this list is moved there instead, so
    // that Insert(0, child) brings it to the front.
    void Insert(qsizetype Index, TSVGElement* Item);

    // Replaces the child at Index, which is freed, by Item. Item is checked
    // first (a refused one changes nothing) and moved here from wherever it is.
    void SetItems(qsizetype Index, TSVGElement* Item);

    // Makes the children exactly Source's elements, in Source's order. Every
    // element is checked before anything changes; children that Source does
    // not hold are freed, the others stay alive, and elements of other parents
    // are moved here (taking them out of Source when Source is a child list).
    void Assign(const TZorAssignList<TSVGElement*>& Source) override;

protected:
    void Notify(TSVGElement* const& Item, TCollectionNotification Action) override;

private:
    friend class TSVGElement;

    // Takes the first occurrence of Item out without reporting it to anyone.
    void DropQuietly(TSVGElement* Item);

    TSVGElement& FElement;
    bool FQuiet = false;
};

} // namespace zor
