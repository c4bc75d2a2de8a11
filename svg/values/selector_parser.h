#pragma once
// Selector text cut into tokens. A selector is a chain of compounds (a type
// name or "*", then id, class, attribute and pseudo-class tests) joined by
// combinators. The first compound's type is an sttString (or
// sttUniversalChar) token; every later compound starts with its combinator's
// token, whose value is that compound's type name (empty for any type):
//     "g rect"             (sttString g) (sttHasDescendant rect)
//     "#main > circle.red" (sttIDHashChar main) (sttHasChild circle) (sttClassChar red)
//     "rect:lang(en)"      (sttString rect) (sttColonChar lang) (sttLanguage en)
//     "[fill^='#f']"       (sttHasAttribute fill) (sttPrefixMatch #f)
//     "g > .a"             (sttString g) (sttHasChild "") (sttClassChar a)

#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <cstddef>
#include <vector>

namespace zor {

namespace messages {
inline constexpr const char* InvalidSelector = "Invalid selector: %s";
} // namespace messages

enum class TSVGSelectorTokenType {
    sttNone,
    sttString,         // a type name
    sttHasAttribute,   // "[": the attribute name of a bracketed test
    sttPrefixMatch,    // "^=": the attribute starts with the value
    sttSuffixMatch,    // "$=": ends with it
    sttSubstringMatch, // "*=": contains it
    sttExactMatch,     // "=": equals it
    sttDashMatch,      // "|=": equals it or starts with it and "-"
    sttContainsWord,   // "~=": one of its blank-separated words equals it
    sttIDHashChar,     // "#": an id
    sttUniversalChar,  // "*": any type
    sttColonChar,      // ":": a pseudo-class name
    sttClassChar,      // ".": a class name
    sttHasDescendant,  // " ": below an element matching what comes before
    sttHasChild,       // ">": directly below it
    sttHasFollower,    // "+": the next sibling after it
    sttLanguage,       // the argument in parentheses after a pseudo-class
    sttHasSibling      // "~": a later sibling of it
};
constexpr std::size_t EnumCount(TSVGSelectorTokenType) { return 18; }

struct TSVGSelectorToken {
    TSVGSelectorTokenType TokenType = TSVGSelectorTokenType::sttNone;
    QString Value;

    static TSVGSelectorToken Create(TSVGSelectorTokenType aTokenType, const QString& aValue)
    {
        return {aTokenType, aValue};
    }
    // The member's name, "(", its symbol, ") = " and the value in double
    // quotes: sttClassChar(.) = "red".
    QString ToString() const;

    friend bool operator==(const TSVGSelectorToken&, const TSVGSelectorToken&) = default;
};

using TSVGSelectorTokens = std::vector<TSVGSelectorToken>;

// The symbol of a token type ("#", ">", "^="); empty for names and arguments.
QLatin1String SelectorTokenSymbol(TSVGSelectorTokenType TokenType);
// "sttClassChar".
QLatin1String SelectorTokenTypeName(TSVGSelectorTokenType TokenType);

// True for the combinator token types.
bool IsSelectorCombinator(TSVGSelectorTokenType TokenType);

// The tokens of one selector (no selector lists); an empty or blank text
// gives none. Raises ESVGException "Invalid selector: %s" with the trimmed
// text for anything that is not a selector: an unclosed "[" or "(", an
// operator that does not end in "=", a combinator without a compound after
// it, a "#", "." or ":" without a name, or a character out of place.
TSVGSelectorTokens ParseSelector(QStringView Selector);

} // namespace zor
