#pragma once
// The current property values of an element written as declarations, which
// TSVGStyle::Assign takes from a graphic element.

#include <QString>
#include <optional>

#include "svg/values/style_properties.h"

namespace zor {

class TSVGGraphicElement;
class TSVGStyle;
class TSVGStyleValues;

// Sets one declaration in Style for each exported property that Element does
// not inherit: its effective value as CSS text (keywords, numbers in their
// shortest form with ".", "url(#id)" for references). Inherited properties
// get no declaration. Flood, stop and text-rendering values, vector-effect
// and the shorthands are not exported.
void ExportStyleProperties(const TSVGGraphicElement& Element, TSVGStyle& Style);

// The value of Property in Values as CSS text, which reads back as the same
// value (font sizes as numbers or absolute keywords); nullopt for the
// shorthands and where the value has no text (no font family, no decoration).
std::optional<QString> StylePropertyText(const TSVGStyleValues& Values, TSVGStyleProperty Property);

} // namespace zor
