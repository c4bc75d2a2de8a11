#pragma once
// Elements that take what they do not give from the element their href
// names (gradients, patterns): following that element, and the chain of
// such references.

#include <QString>
#include <algorithm>
#include <vector>

#include "svg/model/graphic_element.h"

namespace zor {

// Stores Value in Reference, the id of the element Listener follows: it
// leaves the element the old id names and follows the one the new id names.
// False when Value is the id already.
inline bool ChangeFollowedReference(TSVGGraphicElement& Listener, QString& Reference, const QString& Value)
{
    if (Value == Reference)
        return false;
    if (TSVGElement* previous = Listener.FindReferencedElement(Reference))
        previous->RemoveChangeNotification(&Listener);
    Reference = Value;
    if (TSVGElement* next = Listener.FindReferencedElement(Reference))
        next->ChangeNotification(&Listener);
    return true;
}

// First and the elements its href chain names (each T's Reference), in
// order; the chain ends before an element that is no T or one already in
// it, so that a loop of references ends.
template <typename T>
std::vector<const T*> ReferenceChainOf(const T& First)
{
    std::vector<const T*> chain{&First};
    for (const T* element = &First;;) {
        const auto* next = dynamic_cast<const T*>(element->FindReferencedElement(element->Reference()));
        if (next == nullptr || std::ranges::find(chain, next) != chain.end())
            return chain;
        chain.push_back(next);
        element = next;
    }
}

} // namespace zor
