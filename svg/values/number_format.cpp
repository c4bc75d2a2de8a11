#include "svg/values/number_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "platform/exceptions.h"

namespace zor {

namespace {

// Copies a text to ASCII; false when it holds anything a number cannot.
bool ToAscii(QStringView text, std::string& out)
{
    out.clear();
    out.reserve(size_t(text.size()));
    for (QChar c : text) {
        if (c.unicode() > 0x7F)
            return false;
        out.push_back(char(c.unicode()));
    }
    return true;
}

// The number grammar: [sign] digits [. digits] [(e|E) [sign] digits], with at
// least one digit in the mantissa.
bool MatchesDecimalGrammar(const std::string& s)
{
    size_t i = 0;
    const size_t n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    return i == n;
}

// The power of ten of a grammatical number's leading digit, plus one: positive
// for magnitudes of 1 and above. Only used to tell overflow from underflow.
long DecimalOrder(const std::string& s)
{
    long order = 0;
    bool seenNonZero = false;
    bool afterPoint = false;
    size_t i = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
        if (s[i] == '.') {
            afterPoint = true;
        } else if (!seenNonZero && s[i] == '0') {
            if (afterPoint)
                --order;
        } else {
            seenNonZero = true;
            if (!afterPoint)
                ++order;
        }
    }
    if (i < s.size()) {
        // Saturate: only the sign of the sum matters.
        long exponent = 0;
        const bool negative = s[i + 1] == '-';
        for (size_t j = i + 1; j < s.size(); ++j)
            if (std::isdigit(static_cast<unsigned char>(s[j])))
                exponent = std::min(exponent * 10 + (s[j] - '0'), 1000000L);
        order += negative ? -exponent : exponent;
    }
    return order;
}

} // namespace

bool TryStrToFloat(QStringView Text, double& Value)
{
    std::string ascii;
    if (Text.isEmpty() || !ToAscii(Text, ascii) || !MatchesDecimalGrammar(ascii))
        return false;
    // from_chars does not accept a leading "+".
    const char* first = ascii.data() + (ascii[0] == '+' ? 1 : 0);
    const char* last = ascii.data() + ascii.size();
    double result = 0;
    const auto [ptr, ec] = std::from_chars(first, last, result);
    if (ptr != last)
        return false;
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is not a finite number.
        if (DecimalOrder(ascii) > 0)
            return false;
        result = 0;
    } else if (ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(result))
        return false;
    Value = result;
    return true;
}

double StrToFloat(QStringView Text)
{
    double value = 0;
    if (!TryStrToFloat(Text, value))
        Raise<EConvertError>(QString::fromLatin1(messages::InvalidFloat), {Text.toString()});
    return value;
}

bool TryStrToInt(QStringView Text, int& Value)
{
    std::string ascii;
    if (Text.isEmpty() || !ToAscii(Text, ascii))
        return false;
    const char* first = ascii.data() + (ascii[0] == '+' && ascii.size() > 1 && ascii[1] != '-' ? 1 : 0);
    const char* last = ascii.data() + ascii.size();
    int result = 0;
    const auto [ptr, ec] = std::from_chars(first, last, result);
    if (ec != std::errc() || ptr != last)
        return false;
    Value = result;
    return true;
}

int StrToInt(QStringView Text)
{
    int value = 0;
    if (!TryStrToInt(Text, value))
        Raise<EConvertError>(QString::fromLatin1(messages::InvalidInteger), {Text.toString()});
    return value;
}

QString FloatToStr(double Value)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    std::array<char, 64> buffer{};
    const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), Value);
    return QString::fromLatin1(buffer.data(), ptr - buffer.data());
}

namespace {

// One section of a picture format, digested.
struct PictureSection {
    QString Prefix;               // literal text before the first digit placeholder
    QString Suffix;               // literal text after the number
    int IntegerZeros = 0;         // "0" placeholders before the decimal point
    int FractionZeros = 0;        // "0" placeholders after the decimal point
    int FractionOptional = 0;     // "#" placeholders after the decimal point
    bool Grouping = false;        // "," before the decimal point
    bool Scientific = false;
    bool ExponentAlwaysSigned = false; // "E+" writes "+" for positive exponents
    QChar ExponentLetter = u'E';
    int ExponentDigits = 0;       // "0" placeholders after the exponent sign
    bool HasPlaceholders = false;
};

// Splits at ";" outside quotes.
QStringList SplitSections(const QString& format)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            current += c;
        } else if (c == u';') {
            sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    sections << current;
    return sections;
}

PictureSection ParseSection(const QString& text)
{
    PictureSection s;
    bool afterPoint = false;
    bool inExponent = false;
    bool numberStarted = false;
    bool numberEnded = false;
    auto literal = [&](const QString& t) {
        if (!numberStarted)
            s.Prefix += t;
        else
            s.Suffix += t, numberEnded = true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype close = text.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? text.size() : close;
            literal(text.mid(i + 1, end - i - 1));
            i = end;
            continue;
        }
        if (numberEnded) {
            s.Suffix += c;
            continue;
        }
        if (inExponent) {
            if (c == u'0') {
                ++s.ExponentDigits;
                continue;
            }
            numberEnded = true;
            s.Suffix += c;
            continue;
        }
        if (c == u'0' || c == u'#') {
            numberStarted = true;
            s.HasPlaceholders = true;
            if (afterPoint) {
                if (c == u'0')
                    s.FractionZeros += 1 + s.FractionOptional, s.FractionOptional = 0;
                else
                    ++s.FractionOptional;
            } else if (c == u'0') {
                ++s.IntegerZeros;
            }
        } else if (c == u'.' && !afterPoint) {
            numberStarted = true;
            afterPoint = true;
        } else if (c == u',' && !afterPoint) {
            s.Grouping = true;
        } else if ((c == u'E' || c == u'e') && numberStarted && i + 1 < text.size()
                   && (text[i + 1] == u'+' || text[i + 1] == u'-')) {
            s.Scientific = true;
            s.ExponentLetter = c;
            s.ExponentAlwaysSigned = text[i + 1] == u'+';
            inExponent = true;
            ++i;
        } else {
            literal(QString(c));
        }
    }
    return s;
}

// The value's decimal digits after rounding to 15 significant digits, then
// half away from zero to the wanted number of fraction digits.
struct DecimalDigits {
    std::string Digits; // no leading zeros; empty means zero
    int Exponent = 0;   // value = 0.Digits × 10^Exponent
};

DecimalDigits ToDecimal(double magnitude)
{
    DecimalDigits d;
    if (magnitude == 0)
        return d;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    // buffer: D.DDDDDDDDDDDDDDe±XX
    std::string mantissa;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            mantissa.push_back(*p);
    const int exponent = std::atoi(p + 1);
    while (!mantissa.empty() && mantissa.back() == '0')
        mantissa.pop_back();
    d.Digits = mantissa;
    d.Exponent = exponent + 1;
    return d;
}

// Rounds to keep `count` digits of d.Digits (half away from zero).
void RoundDigits(DecimalDigits& d, int count)
{
    if (count < 0) {
        d.Digits.clear();
        return;
    }
    if (int(d.Digits.size()) <= count)
        return;
    const bool up = d.Digits[size_t(count)] >= '5';
    d.Digits.resize(size_t(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.Digits[size_t(i)] == '9') {
            d.Digits[size_t(i)] = '0';
            --i;
        }
        if (i < 0) {
            // All nines carried over: the trailing zeros go anyway.
            d.Digits.assign(1, '1');
            ++d.Exponent;
        } else {
            ++d.Digits[size_t(i)];
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
}

QString GroupThousands(const QString& integerPart)
{
    QString out;
    const qsizetype n = integerPart.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += integerPart[i];
    }
    return out;
}

QString FormatFixed(const PictureSection& s, double magnitude)
{
    DecimalDigits d = ToDecimal(magnitude);
    const int maxFraction = s.FractionZeros + s.FractionOptional;
    if (!d.Digits.empty())
        RoundDigits(d, d.Exponent + maxFraction);
    if (d.Digits.empty())
        d.Exponent = 0;

    QString integerPart;
    for (int i = 0; i < d.Exponent; ++i)
        integerPart += i < int(d.Digits.size()) ? QChar::fromLatin1(d.Digits[size_t(i)]) : u'0';
    while (integerPart.size() < s.IntegerZeros)
        integerPart.prepend(u'0');
    if (s.Grouping)
        integerPart = GroupThousands(integerPart);

    QString fraction;
    for (int i = 0; i < maxFraction; ++i) {
        const int index = d.Exponent + i;
        fraction += index >= 0 && index < int(d.Digits.size()) ? QChar::fromLatin1(d.Digits[size_t(index)]) : u'0';
    }
    // Optional places drop their trailing zeros; required ones stay.
    while (fraction.size() > s.FractionZeros && fraction.endsWith(u'0'))
        fraction.chop(1);
    return fraction.isEmpty() ? integerPart : integerPart + u'.' + fraction;
}

QString FormatScientific(const PictureSection& s, double magnitude)
{
    DecimalDigits d = ToDecimal(magnitude);
    const int integerDigits = std::max(1, s.IntegerZeros);
    const int maxFraction = s.FractionZeros + s.FractionOptional;
    int exponent = 0;
    if (!d.Digits.empty()) {
        RoundDigits(d, integerDigits + maxFraction);
        exponent = d.Exponent - integerDigits;
    }
    QString integerPart;
    for (int i = 0; i < integerDigits; ++i)
        integerPart += i < int(d.Digits.size()) ? QChar::fromLatin1(d.Digits[size_t(i)]) : u'0';
    QString fraction;
    for (int i = 0; i < maxFraction; ++i) {
        const int index = integerDigits + i;
        fraction += index < int(d.Digits.size()) ? QChar::fromLatin1(d.Digits[size_t(index)]) : u'0';
    }
    while (fraction.size() > s.FractionZeros && fraction.endsWith(u'0'))
        fraction.chop(1);
    QString text = fraction.isEmpty() ? integerPart : integerPart + u'.' + fraction;
    QString exponentText = QString::number(std::abs(exponent));
    while (exponentText.size() < s.ExponentDigits)
        exponentText.prepend(u'0');
    text += s.ExponentLetter;
    if (exponent < 0)
        text += u'-';
    else if (s.ExponentAlwaysSigned)
        text += u'+';
    return text + exponentText;
}

QString FormatSection(const PictureSection& s, double magnitude)
{
    if (!s.HasPlaceholders)
        return s.Prefix + s.Suffix;
    const QString number = s.Scientific ? FormatScientific(s, magnitude) : FormatFixed(s, magnitude);
    return s.Prefix + number + s.Suffix;
}

bool IsAllZeros(const QString& text)
{
    for (QChar c : text)
        if (c.isDigit() && c != u'0')
            return false;
    return true;
}

} // namespace

QString FormatFloat(const QString& Format, double Value)
{
    if (!std::isfinite(Value))
        return FloatToStr(Value);
    if (Format.isEmpty()) {
        // The shortest form with 15 significant digits, as a general format would.
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", Value);
        return QString::fromLatin1(buffer);
    }
    const QStringList sections = SplitSections(Format);
    const PictureSection positive = ParseSection(sections[0]);
    const bool negative = Value < 0;
    const double magnitude = std::fabs(Value);

    if (Value == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        return FormatSection(ParseSection(sections[2]), 0);
    if (negative && sections.size() >= 2 && !sections[1].isEmpty())
        return FormatSection(ParseSection(sections[1]), magnitude);

    const QString text = FormatSection(positive, magnitude);
    // A negative number that rounds to zero is written without a sign.
    if (negative && !IsAllZeros(text))
        return u'-' + text;
    return text;
}

} // namespace zor
