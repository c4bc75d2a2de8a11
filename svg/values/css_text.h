#pragma once
// Style sheet text cut into rules and declarations. The text comes from files
// and is not trusted: whatever cannot be read is skipped whole, reported, and
// the rest is still read. Nothing here fetches anything (@import is skipped).

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace zor {

namespace messages {
inline constexpr const char* CSSUnterminatedComment = "Unterminated comment";
inline constexpr const char* CSSUnterminatedBlock = "Unterminated block";
inline constexpr const char* CSSStrayBrace = "Unexpected \"}\"";
inline constexpr const char* CSSRuleWithoutBlock = "Rule without a declaration block";
inline constexpr const char* CSSAtRule = "At-rule %s is not supported";
} // namespace messages

// A piece of style sheet text that was skipped, and why.
struct TCSSProblem {
    QString Text;
    QString Reason;
};

// One rule as written: the selector list and the text between the braces.
struct TCSSRuleText {
    QString Selectors;
    QString Declarations;
};

struct TCSSStyleSheetText {
    std::vector<TCSSRuleText> Rules;
    std::vector<TCSSProblem> Skipped;
};

// Cuts a style sheet into its rules, in order. Comments, "<!--" and "-->"
// are dropped; at-rules (with their blocks), stray "}" and unterminated rules
// are skipped and reported.
TCSSStyleSheetText SplitStyleSheet(QStringView Text);

// The selectors of a selector list, cut at the commas that are outside
// brackets, parentheses and quotes, each trimmed; empty ones are dropped.
QStringList SplitSelectorList(QStringView Text);

struct TCSSDeclaration {
    QString Name;
    QString Value;
    bool Important = false;
};

// The declarations of a declaration block in order: cut at the ";" outside
// quotes and brackets (so a data URI in url(...) stays whole), the name
// before the first ":" and the value after it, both trimmed. A trailing
// "!important" is taken off the value and flagged. Pieces without a name
// are dropped.
std::vector<TCSSDeclaration> SplitDeclarations(QStringView Text);

} // namespace zor
