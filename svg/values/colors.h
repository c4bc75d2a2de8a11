#pragma once
// Colours of SVG attributes and CSS properties: text in and out, the named
// colour table, opacity and gray conversion.

#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <span>

namespace zor {

// 32-bit colour 0xAARRGGBB (the layout of QRgb); 0 is transparent black.
using TAlphaColor = std::uint32_t;

// The initial colour of fills, strokes, stops and floods.
inline constexpr TAlphaColor OpaqueBlack = 0xFF000000;

// Transparent black stands for no paint where a colour is set as paint (the
// color property reading "none", an instrument's fill or stroke): nothing
// drawn with it would show anyway.
inline constexpr TAlphaColor NoPaintColor = 0;

struct TSVGColorName {
    QLatin1String Name;
    TAlphaColor Color;
};

// The 147 colour keywords of SVG 1.1 in alphabetical order, opaque, followed
// by "null" (transparent black).
std::span<const TSVGColorName> SVGColorNames();

// Looks a name up in the table without regard to ASCII case.
bool ColorFromName(QStringView Name, TAlphaColor& Color);

// "#" followed by exactly three or six hexadecimal digits.
bool IsHexColor(QStringView Text);

// Reads a colour property. Current is kept for what is not a colour; NoPaint
// becomes true for "none" and false for any colour; CurrentColor is the value
// of "currentColor"; Inherited follows the "inherit" keyword. Accepted forms:
// "#rgb", "#rrggbb" (blanks inside are ignored), "rgb(r, g, b)" with integers
// or percentages (each limited to 0..255), and the table's names (any case).
// Raises EConvertError for a malformed "#" colour (including more than six
// digits) or a malformed rgb() component.
TAlphaColor ParseColor(QStringView Text, TAlphaColor Current, bool& NoPaint, TAlphaColor CurrentColor,
                       bool& Inherited);

// The first table name with exactly this value, else "#rrggbb" (the alpha is
// not written); 0 gives "#000000".
QString ColorToString(TAlphaColor Color);

// Color with alpha Opacity × 255 (rounded half to even, opacity limited to 0..1).
TAlphaColor ColorWithOpacity(TAlphaColor Color, double Opacity);

// Gray of weights 0.56 red, 0.33 green, 0.11 blue, keeping the alpha.
TAlphaColor ColorToGray(TAlphaColor Color);

} // namespace zor
