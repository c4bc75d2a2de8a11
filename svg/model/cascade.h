#pragma once
// The cascade of one element: which style sources set its property values,
// and in which order, from the lowest to the highest precedence:
//   1. its presentation attributes (fill="red"), under every rule;
//   2. the matching rules of the style sheets, by selector priority, a later
//      rule after an earlier one of equal priority;
//   3. its own style (the style attribute and declarations set in code);
//   4. the !important declarations of the rules, in the same order as 2;
//   5. the !important declarations of its own style.
// A later source overrides what an earlier one set for the properties it names.

#include <vector>

#include "svg/model/style.h"
#include "svg/values/style_values.h"

namespace zor {

class TSVGElement;
class TSVGStyleSheet;

// Priorities of the sources in the priority list; rules take their
// selector's priority (0 or more, below TSVGSpecificity::PriorityLimit).
namespace cascade_priority {
inline constexpr int PresentationAttributes = -1;
inline constexpr int OwnStyle = 1 << 27;
inline constexpr int Important = 1 << 28;
inline constexpr int ImportantOwnStyle = 1 << 29;
} // namespace cascade_priority

// One source: the normal or the !important declarations of a style.
struct TSVGStyleLayer {
    const TSVGStyle* Style;
    bool Important;
};

class TSVGCascade {
public:
    // Orders the sources of Element: the enabled rules of Sheets (in order)
    // whose selectors match it, between its presentation attributes and its
    // own style.
    TSVGCascade(const TSVGElement& Element, const TSVGStyle& Attributes,
                const std::vector<const TSVGStyleSheet*>& Sheets, const TSVGStyle& OwnStyle);

    const std::vector<TSVGStyleLayer>& Layers() const { return FLayers; }
    // Every property that some source declares.
    TSVGStyleProperties DeclaredProperties() const;

    // Reads the declarations of the given properties from every source, in
    // order, into Values, through Element: a value it refuses keeps what was
    // there and is recorded on its document.
    void Apply(TSVGElement& Element, TSVGStyleValues& Values, const TSVGStyleContext& Context,
               const TSVGStyleProperties& Properties) const;

private:
    std::vector<TSVGStyleLayer> FLayers;
};

} // namespace zor
