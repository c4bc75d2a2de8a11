#pragma once
// The registry from element kind to element class. The model's own classes
// are in it from the start; units with further classes (shapes, text)
// register theirs at start-up. A kind without a class is still recognised by
// its tag name, but no element is made for it.

#include <functional>
#include <memory>

#include "svg/model/element_types.h"

namespace zor {

class TSVGDocument;
class TSVGElement;

// Makes a new element of one class for an owner document.
using TSVGElementClass = std::function<std::unique_ptr<TSVGElement>(TSVGDocument* aOwner)>;

template <typename T>
TSVGElementClass SVGElementClassOf()
{
    return [](TSVGDocument* aOwner) -> std::unique_ptr<TSVGElement> { return std::make_unique<T>(aOwner); };
}

// The class registered for Kind; an empty one when there is none.
const TSVGElementClass& SVGElementClasses(TSVGElementType Kind);

// Makes Class the class of Kind, replacing any earlier one; an empty Class
// leaves the kind without a class.
void RegisterSVGElementClass(TSVGElementType Kind, TSVGElementClass Class);

// A new element of Kind's class with aOwner as its document; null when the
// kind has no class.
std::unique_ptr<TSVGElement> CreateSVGElement(TSVGElementType Kind, TSVGDocument* aOwner);

} // namespace zor
