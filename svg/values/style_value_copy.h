#pragma once
// Property-wise copying between the typed values of two elements: what a
// child takes from its parent for an inherited property, and what the
// cascade resets or keeps.

#include "svg/values/style_values.h"

namespace zor {

// Copies the values that Property governs (for fill: the kind, colour and
// paint server of the brush) from Source to Dest. A shorthand copies its
// longhands. Inherits is left alone.
void CopyStyleProperty(const TSVGStyleValues& Source, TSVGStyleValues& Dest, TSVGStyleProperty Property);
void CopyStyleProperties(const TSVGStyleValues& Source, TSVGStyleValues& Dest, const TSVGStyleProperties& Properties);

// A and B hold the same values for Property: those that CopyStyleProperty
// copies. Inherits is not compared.
bool StylePropertyEquals(const TSVGStyleValues& A, const TSVGStyleValues& B, TSVGStyleProperty Property);
bool StylePropertiesEqual(const TSVGStyleValues& A, const TSVGStyleValues& B, const TSVGStyleProperties& Properties);

// The longhands a shorthand stands for ("font", "marker"); the property
// itself for any other.
TSVGStyleProperties StylePropertyLonghands(TSVGStyleProperty Property);
// The two shorthands, whose own Inherits bits carry no meaning.
TSVGStyleProperties StyleShorthands();

// Every value back to its initial one and Inherits to the default set,
// whatever the values' own Clear keeps.
void ResetStyleValues(TSVGStyleValues& Values);

// An opacity limited to 0..1; not-a-number gives 1.
float LimitedOpacity(float Value);
// Limits opacity, stop-opacity and flood-opacity to 0..1 (not-a-number to 1),
// as the fill and stroke opacities limit themselves.
void LimitOpacities(TSVGStyleValues& Values);

} // namespace zor
