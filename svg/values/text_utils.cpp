#include "svg/values/text_utils.h"

#include <algorithm>

#include "platform/exceptions.h"

namespace zor {

QStringView TUtf16Text::From(QByteArrayView Utf8)
{
    // Names and most values are ASCII: copied without decoding.
    const bool ascii = std::all_of(Utf8.begin(), Utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        const QString decoded = QString::fromUtf8(Utf8);
        FText.resize(decoded.size());
        std::copy(decoded.utf16(), decoded.utf16() + decoded.size(), FText.begin());
    } else {
        FText.resize(Utf8.size());
        std::copy(Utf8.begin(), Utf8.end(), FText.begin());
    }
    return QStringView(FText.data(), FText.size());
}

namespace {

bool IsBlank(QChar c) { return c.unicode() <= u' '; }

// The first index at or after From where Matches holds, skipping double-quoted
// text. From must lie outside any quoted text.
template <typename Predicate>
qsizetype IndexOutsideQuotes(QStringView Line, qsizetype From, Predicate Matches)
{
    bool quoted = false;
    for (qsizetype i = From; i < Line.size(); ++i) {
        if (Line[i] == u'"')
            quoted = !quoted;
        else if (!quoted && Matches(Line.sliced(i)))
            return i;
    }
    return -1;
}

bool StartsPathElement(QStringView Rest) { return Rest.startsWith(u"<path "); }

bool StartsDataAttribute(QStringView Rest)
{
    return Rest.size() >= 3 && Rest[0] == u' ' && Rest[1] == u'd' && (Rest[2] == u' ' || Rest[2] == u'=');
}

bool IsCutCharacter(QChar c) { return c == u' ' || c == u',' || c == u'"'; }

// The index just after ` = "` starting at From, or -1 when the line does not
// continue with an attribute value there.
qsizetype ValueStart(QStringView Line, qsizetype From)
{
    qsizetype i = From;
    const auto skipSpaces = [&] {
        while (i < Line.size() && Line[i] == u' ')
            ++i;
    };
    skipSpaces();
    if (i >= Line.size() || Line[i] != u'=')
        return -1;
    ++i;
    skipSpaces();
    if (i >= Line.size() || Line[i] != u'"')
        return -1;
    return i + 1;
}

// The pieces one over-long line is cut into; a single piece when the line has
// no path data to cut.
QStringList SplitPathLine(QStringView Line, qsizetype LineLimit)
{
    const qsizetype path = IndexOutsideQuotes(Line, 0, StartsPathElement);
    // The space of "<path " may also start " d", so the search includes it.
    const qsizetype space = path < 0 ? -1 : IndexOutsideQuotes(Line, path + 5, StartsDataAttribute);
    if (space < 0)
        return {Line.toString()};

    QStringList pieces;
    qsizetype pieceStart = 0;
    const qsizetype nameStart = space + 1;
    if (space >= LineLimit) {
        pieces << Line.first(nameStart).toString();
        pieceStart = nameStart;
    }
    const qsizetype valueStart = ValueStart(Line, nameStart + 1);
    for (qsizetype i = valueStart; i >= 0 && i < Line.size() && Line[i] != u'"'; ++i) {
        if (i - pieceStart < LineLimit)
            continue;
        qsizetype stop = i;
        while (stop < Line.size() && !IsCutCharacter(Line[stop]))
            ++stop;
        if (stop == Line.size())
            break;
        // A closing quote never starts a line on its own.
        const qsizetype cut = Line[stop] == u'"' ? stop - 1 : stop;
        pieces << Line.sliced(pieceStart, cut - pieceStart).toString();
        pieceStart = cut;
        if (Line[stop] == u'"')
            break;
        i = stop;
    }
    pieces << Line.sliced(pieceStart).toString();
    return pieces;
}

} // namespace

QStringView TrimBlanks(QStringView Text)
{
    qsizetype first = 0;
    qsizetype last = Text.size();
    while (first < last && IsBlank(Text[first]))
        ++first;
    while (last > first && IsBlank(Text[last - 1]))
        --last;
    return Text.sliced(first, last - first);
}

void AddTrimmed(QStringList& Pieces, QStringView Piece)
{
    Piece = TrimBlanks(Piece);
    if (!Piece.isEmpty())
        Pieces << Piece.toString();
}

QStringList SplitTrimmed(QStringView Text, QStringView Delimiters)
{
    QStringList pieces;
    ForEachDelimited(Text, Delimiters, [&](QStringView piece) { AddTrimmed(pieces, piece); });
    return pieces;
}

bool ApplyInheritProtocol(QStringView Text, bool& Inherited)
{
    if (Text.isEmpty())
        return false;
    Inherited = Text == u"inherit";
    return !Inherited;
}

bool FindEnclosed(QStringView Text, QStringView Open, QStringView Close, qsizetype& OpenAt, qsizetype& CloseAt)
{
    OpenAt = Text.indexOf(Open);
    CloseAt = OpenAt < 0 ? -1 : Text.indexOf(Close, OpenAt + Open.size());
    return CloseAt >= 0;
}

QString StripCSSComments(QStringView Text)
{
    QString result = Text.toString();
    qsizetype open = 0;
    qsizetype close = 0;
    while (FindEnclosed(result, u"/*", u"*/", open, close))
        result.remove(open, close + 2 - open);
    return result;
}

void SVGSplitLines(TStringList& Lines, int LineLimit)
{
    if (LineLimit <= 32)
        return;
    for (qsizetype i = 0; i < Lines.Count(); ++i) {
        const QString line = Lines[i];
        if (line.size() <= LineLimit)
            continue;
        const QStringList pieces = SplitPathLine(line, LineLimit);
        if (pieces.size() == 1)
            continue;
        if (pieces.join(QString()) != line)
            Raise<ESVGException>(QStringLiteral("SVGSplitLines Failed"));
        Lines.SetStrings(i, pieces[0]);
        for (qsizetype k = 1; k < pieces.size(); ++k)
            Lines.Insert(i + k, pieces[k]);
        i += pieces.size() - 1;
    }
}

} // namespace zor
