#pragma once
// Object lists with push, pop and top, and the first-in, first-out queue the
// style cascade keeps its rules of one priority in. The lists do not own their
// items.

#include <functional>
#include <memory>

#include "collections/assign_list.h"
#include "platform/persistent.h"

namespace zor {

class TZorObjectOrderedList : public TPersistent, public TList<TPersistent*> {
public:
    // Takes the items of another ordered list, in its order; any other source
    // raises "Cannot assign a %s to a %s".
    void Assign(const TPersistent* Source) override;

    // A new, empty list of this list's own class.
    virtual std::unique_ptr<TZorObjectOrderedList> NewEmpty() const = 0;

    virtual TPersistent* Pop() = 0;
    virtual qsizetype Push(TPersistent* Value) = 0;
    virtual TPersistent* Top() const = 0;

    // A list of the same class holding the same items.
    std::unique_ptr<TZorObjectOrderedList> Clone() const;

    bool Empty() const { return IsEmpty(); }
};

// Makes an empty ordered list of a chosen class.
using TOrderedListClass = std::function<std::unique_ptr<TZorObjectOrderedList>()>;

template <typename ListT>
TOrderedListClass OrderedListClassOf()
{
    return [] { return std::make_unique<ListT>(); };
}

class TZorObjectQueue : public TZorObjectOrderedList {
public:
    std::unique_ptr<TZorObjectOrderedList> NewEmpty() const override;

    // The oldest item, removed; raises "List is empty" on an empty queue.
    TPersistent* Pop() override;
    // Appends and returns the new index.
    qsizetype Push(TPersistent* Value) override;
    // The oldest item; raises "List is empty" on an empty queue.
    TPersistent* Top() const override;
};

} // namespace zor
