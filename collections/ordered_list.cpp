#include "collections/ordered_list.h"

namespace zor {

void TZorObjectOrderedList::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TZorObjectOrderedList*>(Source);
    if (other == nullptr)
        AssignError(Source);
    // Clearing first would empty the very list being copied.
    if (other == this)
        return;
    Clear();
    for (TPersistent* item : *other)
        Add(item);
}

std::unique_ptr<TZorObjectOrderedList> TZorObjectOrderedList::Clone() const
{
    auto copy = NewEmpty();
    copy->Assign(this);
    return copy;
}

std::unique_ptr<TZorObjectOrderedList> TZorObjectQueue::NewEmpty() const
{
    return std::make_unique<TZorObjectQueue>();
}

TPersistent* TZorObjectQueue::Pop()
{
    if (IsEmpty())
        Raise<EListError>(QString::fromLatin1(messages::ListIsEmpty));
    return ExtractAt(0);
}

qsizetype TZorObjectQueue::Push(TPersistent* Value)
{
    return Add(Value);
}

TPersistent* TZorObjectQueue::Top() const
{
    return First();
}

} // namespace zor
