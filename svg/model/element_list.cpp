#include "svg/model/element_list.h"

#include <algorithm>

#include "platform/exceptions.h"
#include "svg/model/element.h"

namespace zor {

// The element frees its children before its members go; by now the list is empty.
TSVGElementList::~TSVGElementList() = default;

TSVGElement* TSVGElementList::Items(qsizetype Index) const
{
    CheckIndex(Index);
    return FItems[static_cast<std::size_t>(Index)].get();
}

TSVGElement* TSVGElementList::First() const
{
    if (FItems.empty())
        Raise<EListError>(QString::fromLatin1(messages::ListIsEmpty));
    return FItems.front().get();
}

TSVGElement* TSVGElementList::Last() const
{
    if (FItems.empty())
        Raise<EListError>(QString::fromLatin1(messages::ListIsEmpty));
    return FItems.back().get();
}

qsizetype TSVGElementList::IndexOf(const TSVGElement* Element) const
{
    const auto found = std::ranges::find(FItems, Element, &std::unique_ptr<TSVGElement>::get);
    return found == FItems.end() ? -1 : found - FItems.begin();
}

QList<TSVGElement*> TSVGElementList::ToList() const
{
    return QList<TSVGElement*>(begin(), end());
}

void TSVGElementList::CheckIndex(qsizetype Index) const
{
    if (Index < 0 || Index >= Count())
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
}

} // namespace zor
