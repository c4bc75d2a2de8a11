#include "svg/values/css_text.h"

#include "platform/exceptions.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

bool IsQuote(QChar C)
{
    return C == u'"' || C == u'\'';
}

// The index just after the string that starts with the quote at From; the
// end of the text for an unterminated string.
qsizetype SkipString(QStringView Text, qsizetype From)
{
    const QChar quote = Text[From];
    for (qsizetype i = From + 1; i < Text.size(); ++i) {
        if (Text[i] == u'\\')
            ++i;
        else if (Text[i] == quote)
            return i + 1;
    }
    return Text.size();
}

QChar Closer(QChar Opener)
{
    switch (Opener.unicode()) {
    case u'(':
        return u')';
    case u'[':
        return u']';
    case u'{':
        return u'}';
    default:
        return QChar();
    }
}

// Which brackets group text (so that a stop inside them does not count).
// Only braces group whole rules: an unclosed "(" or "[" in one rule must not
// swallow the rules after it.
constexpr QStringView AllBrackets = u"([{";
constexpr QStringView Braces = u"{";
constexpr QStringView NoBrackets = u"";

// The first character of Stops outside quoted strings and outside the groups
// of the Nesting brackets, from From on; the text's size when there is none.
// C is one of the few characters of Set; a loop beats a library search per character.
bool Holds(QStringView Set, QChar C)
{
    for (const QChar member : Set)
        if (member == C)
            return true;
    return false;
}

qsizetype FindOutside(QStringView Text, qsizetype From, QStringView Stops, QStringView Nesting)
{
    QString closers;
    for (qsizetype i = From; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (c == u'\\') {
            ++i;
        } else if (IsQuote(c)) {
            i = SkipString(Text, i) - 1;
        } else if (closers.isEmpty() && Holds(Stops, c)) {
            return i;
        } else if (const QChar closer = Closer(c); Holds(Nesting, c) && !closer.isNull()) {
            closers.append(closer);
        } else if (!closers.isEmpty() && c == closers.back()) {
            closers.chop(1);
        }
    }
    return Text.size();
}

// The text without its /* ... */ comments (strings keep theirs). An
// unterminated comment runs to the end, as in CSS, and is reported.
QString RemoveComments(QStringView Text, std::vector<TCSSProblem>* Skipped)
{
    // Most style texts have no comment at all.
    if (!Text.contains(u"/*"))
        return Text.toString();
    QString result;
    result.reserve(Text.size());
    qsizetype i = 0;
    while (i < Text.size()) {
        if (IsQuote(Text[i])) {
            const qsizetype end = SkipString(Text, i);
            result += Text.sliced(i, end - i);
            i = end;
        } else if (Text.sliced(i).startsWith(u"/*")) {
            const qsizetype close = Text.indexOf(u"*/", i + 2);
            if (close < 0) {
                if (Skipped != nullptr)
                    Skipped->push_back({Text.sliced(i).toString(), QString::fromLatin1(messages::CSSUnterminatedComment)});
                break;
            }
            i = close + 2;
        } else {
            result += Text[i];
            ++i;
        }
    }
    return result;
}

bool IsBlank(QChar C)
{
    return C.unicode() <= u' ';
}

// Skips blanks and the "<!--" and "-->" that old style elements wrap their text in.
qsizetype SkipSeparators(QStringView Text, qsizetype From)
{
    while (From < Text.size()) {
        if (IsBlank(Text[From]))
            ++From;
        else if (Text.sliced(From).startsWith(u"<!--"))
            From += 4;
        else if (Text.sliced(From).startsWith(u"-->"))
            From += 3;
        else
            break;
    }
    return From;
}

// The end of the "{...}" block whose "{" is at Open: just after its "}".
// False (and the end of the text) when the block is not closed.
bool SkipBlock(QStringView Text, qsizetype Open, qsizetype& End)
{
    const qsizetype close = FindOutside(Text, Open + 1, u"}", Braces);
    End = close < Text.size() ? close + 1 : Text.size();
    return close < Text.size();
}

// An at-rule from its "@" on: up to its ";", or with its whole block.
qsizetype SkipAtRule(QStringView Text, qsizetype At, std::vector<TCSSProblem>& Skipped)
{
    qsizetype nameEnd = At + 1;
    while (nameEnd < Text.size() && !IsBlank(Text[nameEnd]) && Text[nameEnd] != u';' && Text[nameEnd] != u'{')
        ++nameEnd;
    const qsizetype stop = FindOutside(Text, At, u";{", NoBrackets);
    qsizetype end = stop < Text.size() ? stop + 1 : Text.size();
    if (stop < Text.size() && Text[stop] == u'{')
        SkipBlock(Text, stop, end);
    Skipped.push_back({Text.sliced(At, end - At).toString(),
                       FormatMessage(QString::fromLatin1(messages::CSSAtRule),
                                     {Text.sliced(At, nameEnd - At).toString()})});
    return end;
}

void AddProblem(std::vector<TCSSProblem>& Skipped, QStringView Text, const char* Reason)
{
    Skipped.push_back({Text.toString(), QString::fromLatin1(Reason)});
}

// Removes a trailing "!important" (any case, blanks allowed after "!").
bool TakeImportant(QStringView& Value)
{
    static constexpr QStringView Keyword = u"important";
    if (!Value.endsWith(Keyword, Qt::CaseInsensitive))
        return false;
    QStringView rest = TrimBlanks(Value.chopped(Keyword.size()));
    if (!rest.endsWith(u'!'))
        return false;
    Value = TrimBlanks(rest.chopped(1));
    return true;
}

} // namespace

TCSSStyleSheetText SplitStyleSheet(QStringView Text)
{
    TCSSStyleSheetText sheet;
    const QString text = RemoveComments(Text, &sheet.Skipped);
    const QStringView view = text;
    qsizetype i = SkipSeparators(view, 0);
    while (i < view.size()) {
        if (view[i] == u'@') {
            i = SkipAtRule(view, i, sheet.Skipped);
        } else if (view[i] == u'}') {
            AddProblem(sheet.Skipped, view.sliced(i, 1), messages::CSSStrayBrace);
            ++i;
        } else {
            const qsizetype open = FindOutside(view, i, u"{}", NoBrackets);
            if (open == view.size()) {
                AddProblem(sheet.Skipped, view.sliced(i), messages::CSSRuleWithoutBlock);
                break;
            }
            if (view[open] == u'}') {
                AddProblem(sheet.Skipped, view.sliced(i, open + 1 - i), messages::CSSStrayBrace);
                i = open + 1;
            } else {
                qsizetype end = 0;
                if (SkipBlock(view, open, end))
                    sheet.Rules.push_back({TrimBlanks(view.sliced(i, open - i)).toString(),
                                           view.sliced(open + 1, end - open - 2).toString()});
                else
                    AddProblem(sheet.Skipped, view.sliced(i), messages::CSSUnterminatedBlock);
                i = end;
            }
        }
        i = SkipSeparators(view, i);
    }
    return sheet;
}

QStringList SplitSelectorList(QStringView Text)
{
    QStringList selectors;
    for (qsizetype i = 0; i <= Text.size();) {
        const qsizetype comma = FindOutside(Text, i, u",", AllBrackets);
        AddTrimmed(selectors, Text.sliced(i, comma - i));
        i = comma + 1;
    }
    return selectors;
}

std::vector<TCSSDeclaration> SplitDeclarations(QStringView Text)
{
    std::vector<TCSSDeclaration> declarations;
    const QString text = RemoveComments(Text, nullptr);
    const QStringView view = text;
    for (qsizetype i = 0; i <= view.size();) {
        const qsizetype end = FindOutside(view, i, u";", AllBrackets);
        const QStringView piece = view.sliced(i, end - i);
        i = end + 1;
        const qsizetype colon = piece.indexOf(u':');
        if (colon < 0)
            continue;
        const QStringView name = TrimBlanks(piece.first(colon));
        if (name.isEmpty())
            continue;
        QStringView value = TrimBlanks(piece.sliced(colon + 1));
        const bool important = TakeImportant(value);
        declarations.push_back({name.toString(), value.toString(), important});
    }
    return declarations;
}

} // namespace zor
