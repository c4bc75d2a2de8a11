#pragma once
// Numbers in attribute text: splitting number lists, the lenient number
// parsers of style properties, angles, point lists, unit suffixes, and the
// matching formatters. Every result is a finite number.

#include <QList>
#include <QPolygonF>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

#include "svg/values/text_utils.h"
#include "svg/values/units.h"

namespace zor {

// A point list, as the points of a polyline or polygon.
using TCanvasPoints = QPolygonF;

// The largest magnitude a number read from text may have: beyond it a 32-bit
// float would not hold it, and the readers refuse it.
inline constexpr double NumberLimit = 3.4e38;

// The separators of number lists: comma, space, line feed, carriage return.
inline constexpr QStringView NumberDelimiters = u", \n\r";

// Cuts Text at the Delimiters, then cuts each piece once more before the first
// sign after its first character unless that sign follows "e" or "E" ("10-5"
// gives "10" and "-5", "1e-5" stays whole, "1-2-3" gives "1" and "-2-3");
// pieces are trimmed and empty ones dropped.
QStringList SplitNumbers(QStringView Text, QStringView Delimiters = NumberDelimiters);
// The pieces SplitNumbers gives, each passed to Piece(QStringView) in order
// without being copied.
template <typename PieceFunction>
void ForEachNumberPiece(QStringView Text, QStringView Delimiters, PieceFunction&& Piece)
{
    const auto trimmed = [&Piece](QStringView Part) {
        Part = TrimBlanks(Part);
        if (!Part.isEmpty())
            Piece(Part);
    };
    ForEachDelimited(Text, Delimiters, [&](QStringView Part) {
        // Cut once before a sign after the first character, unless it follows an exponent letter.
        for (qsizetype i = 1; i < Part.size(); ++i) {
            if (Part[i] != u'+' && Part[i] != u'-')
                continue;
            if (Part[i - 1] == u'e' || Part[i - 1] == u'E')
                break;
            trimmed(Part.first(i));
            trimmed(Part.sliced(i));
            return;
        }
        trimmed(Part);
    });
}

// A style property number with the "inherit" keyword. "Infinity" and
// "-Infinity" (any case) stand for 1e8 and -1e8. A text that is not a number
// within the 32-bit float range gives Default.
float ParseNumber(QStringView Text, bool& Inherited, float Default);
// As ParseNumber without the "Infinity" words.
float ParseFloatValue(QStringView Text, bool& Inherited, float Default);

// One number per list entry; an unreadable entry keeps the previous list's
// value at its index (0 beyond its end).
QList<float> ParseNumberList(QStringView Text, const QList<float>& Previous);

// An angle in radians, written as a number and an optional unit word after a
// space ("grad", "rad", otherwise degrees). "auto" sets Automatic and gives
// Default; an empty text changes nothing; any other text clears Automatic, and
// gives Default when it does not start with a number.
float ParseAngle(QStringView Text, bool& Automatic, float Default);

// An SVG angle: a number with an optional unit written on it ("deg",
// "grad", "rad", "turn", in any case), in radians; nullopt for other text.
std::optional<double> ParseSVGAngle(QStringView Text);

// The points of a "points" attribute, taken in pairs (a trailing odd number is
// ignored). Raises EConvertError for a malformed number.
TCanvasPoints ParsePoints(QStringView Text);

// The unit named by the last two characters of a length text (any case), or
// suPercent for a trailing "%"; suNone for texts shorter than two characters.
TSVGUnit UnitFromSuffix(QStringView Text);

// Value in the picture Format ("0.###"), followed by the unit's suffix for
// every unit from suPoints on (a pixel length is written as a plain number).
QString FormatNumber(TSVGUnit Unit, const QString& Format, double Value);
QString FormatNumberList(const QList<float>& Values, const QString& Format, const QString& Separator);
// Each point as "x,y", the points separated by single spaces.
QString FormatPoints(const TCanvasPoints& Points, const QString& Format);

// Converts a whole text as a number within the 32-bit float range; raises
// EConvertError "'%s' is not a valid floating point value" otherwise.
double StrToNumber(QStringView Text);

} // namespace zor
