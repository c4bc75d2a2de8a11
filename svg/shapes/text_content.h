#pragma once
// Character-level rules of text content: white space, and the case changes
// of the font variants.

#include <QString>
#include <QStringView>

#include "svg/values/style_keywords.h"

namespace zor {

// Characters 9 to 13, 32, 133 and 160, and the Unicode space, line and
// paragraph separators.
bool IsTextWhiteSpace(char32_t C);

// Content as read from a document: line breaks and tabs become spaces, and
// unless Preserve, runs of spaces become one (the runs that meet across
// elements, and the text's ends, are dealt with at layout).
QString NormalizeTextContent(QStringView Text, bool Preserve);

// The character as a font variant shows it. Title case capitalises the first
// letter or digit after white space; TitleStart carries that state from one
// character to the next (true at the start of a text).
char32_t ApplyFontVariant(char32_t C, TSVGFontVariant Variant, bool& TitleStart);

} // namespace zor
