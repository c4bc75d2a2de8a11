#include "svg/values/transform_parser.h"

#include <QList>
#include <QStringList>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <span>
#include <string>
#include <string_view>

#include "platform/exceptions.h"
#include "svg/values/number_format.h"
#include "svg/values/number_parsers.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

constexpr double IdentityTolerance = 0.00001;
constexpr int SignificantDigits = 15;

double Radians(double Degrees) { return Degrees * std::numbers::pi / 180; }

// Blanks and commas may separate the transforms of a list.
QStringView TrimName(QStringView Name)
{
    const auto isSeparator = [](QChar c) { return c.unicode() <= u' ' || c == u','; };
    while (!Name.isEmpty() && isSeparator(Name.front()))
        Name = Name.sliced(1);
    while (!Name.isEmpty() && isSeparator(Name.back()))
        Name.chop(1);
    return Name;
}

[[noreturn]] void RaiseArgumentCount(const char* Kind, QStringView Arguments)
{
    Raise<ESVGException>(QString::fromLatin1(messages::InvalidTransformationMatrix),
                         {QString::fromLatin1(Kind), Arguments.toString()});
}

QTransform Rotation(double Degrees)
{
    const double angle = Radians(Degrees);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return QTransform(c, s, -s, c, 0, 0);
}

QTransform MatrixTransform(std::span<const double> n, QStringView Arguments)
{
    if (n.size() != 6)
        Raise<ESVGException>(QString::fromLatin1(messages::InvalidMatrix), {Arguments.toString()});
    return QTransform(n[0], n[1], n[2], n[3], n[4], n[5]);
}

QTransform TranslateTransform(std::span<const double> n, QStringView Arguments)
{
    if (n.size() != 1 && n.size() != 2)
        RaiseArgumentCount("translate", Arguments);
    return QTransform::fromTranslate(n[0], n.size() == 2 ? n[1] : 0.0);
}

QTransform ScaleTransform(std::span<const double> n, QStringView Arguments)
{
    if (n.size() != 1 && n.size() != 2)
        RaiseArgumentCount("scale", Arguments);
    return QTransform::fromScale(n[0], n.size() == 2 ? n[1] : n[0]);
}

QTransform RotateTransform(std::span<const double> n, QStringView Arguments)
{
    if (n.size() == 1)
        return Rotation(n[0]);
    if (n.size() != 3)
        RaiseArgumentCount("rotation", Arguments);
    return QTransform::fromTranslate(-n[1], -n[2]) * Rotation(n[0]) * QTransform::fromTranslate(n[1], n[2]);
}

QTransform SkewXTransform(std::span<const double> n, QStringView)
{
    return n.empty() ? QTransform() : QTransform(1, 0, std::tan(Radians(n[0])), 1, 0, 0);
}

QTransform SkewYTransform(std::span<const double> n, QStringView)
{
    return n.empty() ? QTransform() : QTransform(1, std::tan(Radians(n[0])), 0, 1, 0, 0);
}

struct TransformKind {
    QStringView Name;
    QTransform (*Make)(std::span<const double> Numbers, QStringView Arguments);
};

constexpr std::array<TransformKind, 6> TransformKinds = {{
    {u"matrix", MatrixTransform},
    {u"translate", TranslateTransform},
    {u"scale", ScaleTransform},
    {u"rotate", RotateTransform},
    {u"skewX", SkewXTransform},
    {u"skewY", SkewYTransform},
}};

QTransform MakeTransform(QStringView Name, QStringView Arguments)
{
    const auto kind = std::find_if(TransformKinds.begin(), TransformKinds.end(),
                                   [&](const TransformKind& k) { return k.Name == Name; });
    if (kind == TransformKinds.end())
        Raise<ESVGException>(QString::fromLatin1(messages::InvalidTransformation), {Name.toString()});
    QVarLengthArray<double, 6> numbers;
    ForEachNumberPiece(Arguments, NumberDelimiters, [&numbers](QStringView Text) { numbers << StrToNumber(Text); });
    return kind->Make(numbers, Arguments);
}

// Every entry can be written as a number that the number reader takes back.
bool IsWritable(const QTransform& m)
{
    const std::array<double, 9> entries = {m.m11(), m.m12(), m.m13(), m.m21(), m.m22(),
                                           m.m23(), m.m31(), m.m32(), m.m33()};
    return std::ranges::all_of(entries, [](double e) { return std::isfinite(e) && std::fabs(e) <= NumberLimit; });
}

bool IsNearIdentity(const QTransform& m)
{
    const QTransform identity;
    const std::array<double, 9> deltas = {
        m.m11() - identity.m11(), m.m12() - identity.m12(), m.m13() - identity.m13(),
        m.m21() - identity.m21(), m.m22() - identity.m22(), m.m23() - identity.m23(),
        m.m31() - identity.m31(), m.m32() - identity.m32(), m.m33() - identity.m33()};
    for (double d : deltas)
        if (std::fabs(d) > IdentityTolerance)
            return false;
    return true;
}

// Matrix entries are written with 15 significant digits, in plain decimals
// from 0.00001 up to 15 integer digits and otherwise as a mantissa, "E" and the
// exponent ("6.12323399573677E-17"), with trailing zeros dropped. A negative
// zero is written as "0".
QString MatrixNumber(double Value)
{
    if (Value == 0)
        return QStringLiteral("0");
    if (!std::isfinite(Value))
        return FormatFloat(QString(), Value);
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(Value),
                                       std::chars_format::scientific, SignificantDigits - 1);
    const std::string_view text(buffer, written.ptr - buffer); // "d.ddddddddddddddde-XX"
    const std::size_t e = text.find('e');
    std::string digits(text.substr(0, 1));
    digits.append(text.substr(2, e - 2));
    digits.erase(digits.find_last_not_of('0') + 1);
    int exponent = 0;
    const std::string_view exponentText = text.substr(e + (text[e + 1] == '+' ? 2 : 1));
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    // Built by appending only: GCC 12 warns falsely about "literal" + string.
    std::string number;
    if (Value < 0)
        number += '-';
    if (exponent < -5 || exponent >= SignificantDigits) {
        number += digits.substr(0, 1);
        if (digits.size() > 1) {
            number += '.';
            number.append(digits, 1);
        }
        number += 'E';
        number += std::to_string(exponent);
    } else if (exponent < 0) {
        number += "0.";
        number.append(std::size_t(-exponent - 1), '0');
        number += digits;
    } else {
        const std::size_t integerDigits = std::size_t(exponent) + 1;
        if (digits.size() < integerDigits)
            digits.append(integerDigits - digits.size(), '0');
        number += digits.substr(0, integerDigits);
        if (digits.size() > integerDigits) {
            number += '.';
            number.append(digits, integerDigits);
        }
    }
    return QString::fromLatin1(number);
}

QString WriteTransform(const char* Name, std::initializer_list<double> Values)
{
    QStringList numbers;
    for (double value : Values)
        numbers << MatrixNumber(value);
    return QString::fromLatin1(Name) + u'(' + numbers.join(u' ') + u')';
}

} // namespace

QTransform ParseTransform(QStringView Text)
{
    QStringView rest = TrimBlanks(Text);
    QTransform result;
    qsizetype open = 0;
    qsizetype close = 0;
    // Text after the last complete "name(...)" is ignored.
    while (FindEnclosed(rest, u"(", u")", open, close)) {
        const QTransform next = MakeTransform(TrimName(rest.first(open)), rest.sliced(open + 1, close - open - 1));
        result = next * result;
        // Products of huge scales leave the number range even where each
        // number is in it, and then could not be written back.
        if (!IsWritable(result))
            Raise<ESVGException>(QString::fromLatin1(messages::InvalidTransformation), {TrimBlanks(Text).toString()});
        rest = rest.sliced(close + 1);
    }
    return result;
}

QString TransformToString(const QTransform& Matrix)
{
    const QTransform& m = Matrix;
    if (IsNearIdentity(m))
        return QString();
    const bool offDiagonalZero = m.m12() == 0 && m.m13() == 0 && m.m21() == 0 && m.m23() == 0;
    if (offDiagonalZero && m.m31() == 0 && m.m32() == 0 && m.m33() == 1)
        return WriteTransform("scale", {m.m11(), m.m22()});
    if (offDiagonalZero && m.m11() == 1 && m.m22() == 1 && m.m33() == 1)
        return WriteTransform("translate", {m.m31(), m.m32()});
    return WriteTransform("matrix", {m.m11(), m.m12(), m.m21(), m.m22(), m.m31(), m.m32()});
}

} // namespace zor
