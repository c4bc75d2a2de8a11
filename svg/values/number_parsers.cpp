#include "svg/values/number_parsers.h"

#include <cmath>
#include <numbers>

#include "platform/exceptions.h"
#include "svg/values/number_format.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

constexpr float InfinityValue = 1e8f;

bool TryStrToNumber(QStringView Text, double& Value)
{
    double value = 0;
    if (!TryStrToFloat(Text, value) || std::fabs(value) > NumberLimit)
        return false;
    Value = value;
    return true;
}

float ParseNumberText(QStringView Text, bool& Inherited, float Default, bool AcceptInfinity)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Default;
    if (AcceptInfinity) {
        if (text.compare(u"Infinity", Qt::CaseInsensitive) == 0)
            return InfinityValue;
        if (text.compare(u"-Infinity", Qt::CaseInsensitive) == 0)
            return -InfinityValue;
    }
    double value = Default;
    TryStrToNumber(text, value);
    return float(value);
}

// Radians per unit of the angle unit words.
double RadiansPerUnit(const QStringList& Pieces)
{
    if (Pieces.size() > 1) {
        if (Pieces[1].compare(u"grad", Qt::CaseInsensitive) == 0)
            return std::numbers::pi / 200;
        if (Pieces[1].compare(u"rad", Qt::CaseInsensitive) == 0)
            return 1;
    }
    return std::numbers::pi / 180;
}

} // namespace

double StrToNumber(QStringView Text)
{
    double value = 0;
    if (!TryStrToNumber(Text, value))
        Raise<EConvertError>(QString::fromLatin1(messages::InvalidFloat), {Text.toString()});
    return value;
}

QStringList SplitNumbers(QStringView Text, QStringView Delimiters)
{
    QStringList numbers;
    ForEachNumberPiece(Text, Delimiters, [&numbers](QStringView Piece) { numbers << Piece.toString(); });
    return numbers;
}

float ParseNumber(QStringView Text, bool& Inherited, float Default)
{
    return ParseNumberText(Text, Inherited, Default, true);
}

float ParseFloatValue(QStringView Text, bool& Inherited, float Default)
{
    return ParseNumberText(Text, Inherited, Default, false);
}

QList<float> ParseNumberList(QStringView Text, const QList<float>& Previous)
{
    const QStringList pieces = SplitNumbers(Text);
    QList<float> values;
    values.reserve(pieces.size());
    bool inherited = false;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        values << ParseNumber(pieces[i], inherited, i < Previous.size() ? Previous[i] : 0.0f);
    return values;
}

float ParseAngle(QStringView Text, bool& Automatic, float Default)
{
    const QStringView text = TrimBlanks(Text);
    if (text.isEmpty())
        return Default;
    Automatic = text == u"auto";
    if (Automatic)
        return Default;
    const QStringList pieces = SplitTrimmed(text, u" ");
    double number = 0;
    if (!TryStrToNumber(pieces[0], number))
        return Default;
    return float(number * RadiansPerUnit(pieces));
}

std::optional<double> ParseSVGAngle(QStringView Text)
{
    struct TAngleUnit {
        QStringView Suffix;
        double Radians;
    };
    // Longer suffixes first: "grad" ends in "rad".
    static constexpr TAngleUnit Units[] = {
        {u"grad", std::numbers::pi / 200}, {u"turn", 2 * std::numbers::pi},
        {u"deg", std::numbers::pi / 180},  {u"rad", 1},
    };
    const QStringView text = TrimBlanks(Text);
    QStringView number = text;
    double factor = std::numbers::pi / 180;
    for (const TAngleUnit& unit : Units)
        if (text.endsWith(unit.Suffix, Qt::CaseInsensitive)) {
            number = text.chopped(unit.Suffix.size());
            factor = unit.Radians;
            break;
        }
    double value = 0;
    if (number.isEmpty() || !TryStrToNumber(number, value))
        return std::nullopt;
    return value * factor;
}

TCanvasPoints ParsePoints(QStringView Text)
{
    const QStringList numbers = SplitNumbers(TrimBlanks(Text));
    TCanvasPoints points;
    points.reserve(numbers.size() / 2);
    for (qsizetype i = 0; i + 1 < numbers.size(); i += 2)
        points << QPointF(StrToNumber(numbers[i]), StrToNumber(numbers[i + 1]));
    return points;
}

TSVGUnit UnitFromSuffix(QStringView Text)
{
    if (Text.size() < 2)
        return TSVGUnit::suNone;
    const QStringView suffix = Text.last(2);
    for (auto unit = std::size_t(TSVGUnit::suPixels); unit < std::size_t(TSVGUnit::suPercent); ++unit)
        if (suffix.compare(UnitSuffix(TSVGUnit(unit)), Qt::CaseInsensitive) == 0)
            return TSVGUnit(unit);
    return suffix.back() == u'%' ? TSVGUnit::suPercent : TSVGUnit::suNone;
}

QString FormatNumber(TSVGUnit Unit, const QString& Format, double Value)
{
    const QString number = FormatFloat(Format, Value);
    return Unit >= TSVGUnit::suPoints ? number + UnitSuffix(Unit) : number;
}

QString FormatNumberList(const QList<float>& Values, const QString& Format, const QString& Separator)
{
    QStringList texts;
    texts.reserve(Values.size());
    for (float value : Values)
        texts << FormatFloat(Format, value);
    return texts.join(Separator);
}

QString FormatPoints(const TCanvasPoints& Points, const QString& Format)
{
    QStringList texts;
    texts.reserve(Points.size());
    for (const QPointF& point : Points)
        texts << FormatFloat(Format, point.x()) + u',' + FormatFloat(Format, point.y());
    return texts.join(u' ');
}

} // namespace zor
