#pragma once
// Text helpers shared by the attribute parsers: trimming, splitting, the
// "inherit" keyword, CSS comment removal and the line splitter for saved files.

#include <QByteArrayView>
#include <QString>
#include <QVarLengthArray>
#include <QStringList>
#include <QStringView>

#include "platform/string_list.h"

namespace zor {

// The UTF-16 text of UTF-8 bytes, in a buffer that the next conversion
// reuses: the view is valid until then.
class TUtf16Text {
public:
    QStringView From(QByteArrayView Utf8);

private:
    // Attribute names and values mostly fit here, so reading them allocates nothing.
    QVarLengthArray<char16_t, 256> FText;
};

// Removes every character at or below the space character from both ends
// (control characters included, unlike QString::trimmed, which also strips
// Unicode spaces).
QStringView TrimBlanks(QStringView Text);

// Appends Piece to Pieces, trimmed, unless it is then empty.
void AddTrimmed(QStringList& Pieces, QStringView Piece);

// Calls Piece(QStringView) for each stretch of Text between characters of
// Delimiters, untrimmed and including empty ones.
template <typename PieceFunction>
void ForEachDelimited(QStringView Text, QStringView Delimiters, PieceFunction&& Piece)
{
    // Delimiters are a few characters: a loop over them beats a library search per character.
    const auto isDelimiter = [Delimiters](QChar c) {
        for (const QChar d : Delimiters)
            if (d == c)
                return true;
        return false;
    };
    qsizetype start = 0;
    for (qsizetype i = 0; i <= Text.size(); ++i) {
        if (i < Text.size() && !isDelimiter(Text[i]))
            continue;
        Piece(Text.sliced(start, i - start));
        start = i + 1;
    }
}

// Cuts Text at every character of Delimiters, trims each piece and drops the
// empty ones. An empty text gives an empty list.
QStringList SplitTrimmed(QStringView Text, QStringView Delimiters);

// The "inherit" keyword of style properties. Text must already be trimmed.
// Sets Inherited for "inherit" (exact case), keeps it for an empty text and
// clears it otherwise. True when Text carries a value for the caller to parse;
// otherwise the caller keeps its current value.
bool ApplyInheritProtocol(QStringView Text, bool& Inherited);

// Finds the first Open in Text and the first Close after it; false when
// either is missing.
bool FindEnclosed(QStringView Text, QStringView Open, QStringView Close, qsizetype& OpenAt, qsizetype& CloseAt);

// Removes every complete /* ... */ comment; an unterminated one stays.
QString StripCSSComments(QStringView Text);

// Shortens the lines of a saved document that are longer than LineLimit by
// cutting the "d" attribute of a path element at spaces and commas. The
// concatenated lines stay exactly the unsplit line. Limits of 32 or less leave
// the lines alone.
void SVGSplitLines(TStringList& Lines, int LineLimit);

} // namespace zor
