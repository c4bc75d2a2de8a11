#pragma once
// Internal to the use element: what it references, drawn as its child.

#include <optional>

#include "svg/model/use.h"

namespace zor {

// Makes the element a use references its child for the guard's lifetime
// (inheriting from it, placed by it), unless that would re-enter an element
// already being drawn, measured or hit through the use, nest uses deeper
// than TSVGUse::MaxNesting or the tree deeper than TSVGElement::MaxDepth:
// then there is nothing to draw. The tree is as before once the guard ends.
class TUseExpansion {
public:
    explicit TUseExpansion(const TSVGUse& Use);

    // The referenced element as the use's child; null when there is none to draw.
    TSVGGraphicElement* Element() const { return FElement; }

private:
    TSVGGraphicElement* FElement = nullptr;
    std::optional<TSVGTemporaryParent> FParent;
};

} // namespace zor
