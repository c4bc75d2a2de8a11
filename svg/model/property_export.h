#pragma once
// The current property values of an element written as declarations, which
// TSVGStyle::Assign takes from a graphic element.

namespace zor {

class TSVGGraphicElement;
class TSVGStyle;

// Sets one declaration in Style for each exported property that Element does
// not inherit: its effective value as CSS text (keywords, numbers in their
// shortest form with ".", "url(#id)" for references). Inherited properties
// get no declaration. Flood, stop and text-rendering values, vector-effect
// and the shorthands are not exported.
void ExportStyleProperties(const TSVGGraphicElement& Element, TSVGStyle& Style);

} // namespace zor
