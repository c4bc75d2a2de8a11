#include "svg/values/number_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <cstdint>

#include "platform/exceptions.h"

namespace zor {

namespace {

// A text as ASCII, kept on the stack when short (numbers nearly always
// are); empty when the text holds anything a number cannot.
class TAsciiText {
public:
    explicit TAsciiText(QStringView Text)
    {
        char* out = FLocal.data();
        if (std::size_t(Text.size()) > FLocal.size()) {
            FLong.resize(std::size_t(Text.size()));
            out = FLong.data();
        }
        for (qsizetype i = 0; i < Text.size(); ++i) {
            const char16_t c = Text[i].unicode();
            if (c > 0x7F)
                return;
            out[i] = char(c);
        }
        FView = std::string_view(out, std::size_t(Text.size()));
    }
    TAsciiText(const TAsciiText&) = delete;
    TAsciiText& operator=(const TAsciiText&) = delete;

    std::string_view View() const { return FView; }

private:
    std::array<char, 64> FLocal;
    std::string FLong;
    std::string_view FView;
};

// The number grammar: [sign] digits [. digits] [(e|E) [sign] digits], with at
// least one digit in the mantissa.
bool MatchesDecimalGrammar(std::string_view s)
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
long DecimalOrder(std::string_view s)
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

// The value of a grammatical number when its significant digits fit a
// double's mantissa exactly and its power of ten is exact too: one
// multiplication or division of exact values is then correctly rounded, the
// same value a full conversion gives (Clinger's fast path). Nothing otherwise.
std::optional<double> ExactlyRepresentableDecimal(std::string_view s)
{
    constexpr int MaxDigits = 15;
    constexpr int MaxPower = 22;
    static constexpr std::array<double, MaxPower + 1> Powers = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::size_t i = 0;
    const bool negative = s[0] == '-';
    if (s[0] == '+' || s[0] == '-')
        ++i;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int power = 0;
    bool afterPoint = false;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
        if (s[i] == '.') {
            afterPoint = true;
            continue;
        }
        const int digit = s[i] - '0';
        if (afterPoint)
            --power;
        if (mantissa == 0 && digit == 0)
            continue;
        if (++digits > MaxDigits)
            return std::nullopt;
        mantissa = mantissa * 10 + std::uint64_t(digit);
    }
    if (i < s.size()) {
        const bool negativeExponent = s[i + 1] == '-';
        long exponent = 0;
        for (std::size_t j = i + 1; j < s.size(); ++j)
            if (s[j] >= '0' && s[j] <= '9')
                exponent = std::min(exponent * 10 + (s[j] - '0'), 1000000L);
        power += int(negativeExponent ? -exponent : exponent);
    }
    double value = double(mantissa);
    if (mantissa != 0) {
        if (power > MaxPower || power < -MaxPower)
            return std::nullopt;
        value = power >= 0 ? value * Powers[std::size_t(power)] : value / Powers[std::size_t(-power)];
    }
    return negative ? -value : value;
}

} // namespace

bool TryStrToFloat(QStringView Text, double& Value)
{
    if (Text.isEmpty())
        return false;
    const TAsciiText converted(Text);
    const std::string_view ascii = converted.View();
    if (ascii.empty() || !MatchesDecimalGrammar(ascii))
        return false;
    if (const std::optional<double> exact = ExactlyRepresentableDecimal(ascii)) {
        Value = *exact;
        return true;
    }
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
    if (Text.isEmpty())
        return false;
    const TAsciiText converted(Text);
    const std::string_view ascii = converted.View();
    if (ascii.empty())
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
    char ExponentLetter = 'E';
    int ExponentDigits = 0;       // "0" placeholders after the exponent sign
    bool HasPlaceholders = false;
};

// A whole picture format: the positive section, and the negative and zero
// sections when the format gives them.
struct Picture {
    PictureSection Positive;
    std::optional<PictureSection> Negative;
    std::optional<PictureSection> Zero;
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
            s.ExponentLetter = char(c.unicode());
            s.ExponentAlwaysSigned = text[i + 1] == u'+';
            inExponent = true;
            ++i;
        } else {
            literal(QString(c));
        }
    }
    return s;
}

Picture CompilePicture(const QString& format)
{
    const QStringList sections = SplitSections(format);
    Picture picture;
    picture.Positive = ParseSection(sections[0]);
    if (sections.size() >= 2 && !sections[1].isEmpty())
        picture.Negative = ParseSection(sections[1]);
    if (sections.size() >= 3 && !sections[2].isEmpty())
        picture.Zero = ParseSection(sections[2]);
    return picture;
}

// Callers format many numbers with the same few formats (a path's, a
// document's), so the last compiled format of each thread is kept.
const Picture& CachedPicture(const QString& format)
{
    thread_local QString lastFormat;
    thread_local Picture lastPicture;
    thread_local bool valid = false;
    if (!valid || lastFormat != format) {
        lastPicture = CompilePicture(format);
        lastFormat = format;
        valid = true;
    }
    return lastPicture;
}

// The value's decimal digits after rounding to 15 significant digits, then
// half away from zero to the wanted number of fraction digits.
struct DecimalDigits {
    char Digits[32] = {}; // no trailing zeros; empty means zero
    int Count = 0;
    int Exponent = 0; // value = 0.Digits × 10^Exponent

    char DigitAt(int index) const { return index >= 0 && index < Count ? Digits[index] : '0'; }
};

DecimalDigits ToDecimal(double magnitude)
{
    DecimalDigits d;
    if (magnitude == 0)
        return d;
    // to_chars does not depend on the C locale, unlike the printf family.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    // buffer: D.DDDDDDDDDDDDDDe±XX
    const char* p = buffer;
    for (; p < result.ptr && *p != 'e'; ++p)
        if (*p != '.')
            d.Digits[d.Count++] = *p;
    int exponent = 0;
    const bool negativeExponent = p + 1 < result.ptr && p[1] == '-';
    for (const char* q = p + 2; q < result.ptr; ++q)
        exponent = exponent * 10 + (*q - '0');
    while (d.Count > 0 && d.Digits[d.Count - 1] == '0')
        --d.Count;
    d.Exponent = (negativeExponent ? -exponent : exponent) + 1;
    return d;
}

// Rounds to keep `count` digits (half away from zero).
void RoundDigits(DecimalDigits& d, int count)
{
    if (count < 0) {
        d.Count = 0;
        return;
    }
    if (d.Count <= count)
        return;
    const bool up = d.Digits[count] >= '5';
    d.Count = count;
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.Digits[i] == '9')
            --i;
        if (i < 0) {
            // All nines carried over: the trailing zeros go anyway.
            d.Digits[0] = '1';
            d.Count = 1;
            ++d.Exponent;
        } else {
            ++d.Digits[i];
            d.Count = i + 1;
        }
    }
    while (d.Count > 0 && d.Digits[d.Count - 1] == '0')
        --d.Count;
}

void AppendGrouped(std::string& out, const std::string& integerPart)
{
    const size_t n = integerPart.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += integerPart[i];
    }
}

// Writes up to `places` fraction digits starting at digit `first`; optional
// places drop their trailing zeros, required ones stay.
void AppendFraction(std::string& out, const PictureSection& s, const DecimalDigits& d, int first)
{
    const int places = s.FractionZeros + s.FractionOptional;
    int kept = places;
    while (kept > s.FractionZeros && d.DigitAt(first + kept - 1) == '0')
        --kept;
    if (kept == 0)
        return;
    out += '.';
    for (int i = 0; i < kept; ++i)
        out += d.DigitAt(first + i);
}

void AppendFixed(std::string& out, const PictureSection& s, double magnitude)
{
    DecimalDigits d = ToDecimal(magnitude);
    if (d.Count > 0)
        RoundDigits(d, d.Exponent + s.FractionZeros + s.FractionOptional);
    if (d.Count == 0)
        d.Exponent = 0;

    std::string integerPart;
    for (int i = std::max(d.Exponent, 0); i < s.IntegerZeros; ++i)
        integerPart += '0';
    for (int i = 0; i < d.Exponent; ++i)
        integerPart += d.DigitAt(i);
    if (s.Grouping)
        AppendGrouped(out, integerPart);
    else
        out += integerPart;
    AppendFraction(out, s, d, d.Exponent);
}

void AppendScientific(std::string& out, const PictureSection& s, double magnitude)
{
    DecimalDigits d = ToDecimal(magnitude);
    const int integerDigits = std::max(1, s.IntegerZeros);
    int exponent = 0;
    if (d.Count > 0) {
        RoundDigits(d, integerDigits + s.FractionZeros + s.FractionOptional);
        exponent = d.Exponent - integerDigits;
    }
    for (int i = 0; i < integerDigits; ++i)
        out += d.DigitAt(i);
    AppendFraction(out, s, d, integerDigits);
    out += s.ExponentLetter;
    if (exponent < 0)
        out += '-';
    else if (s.ExponentAlwaysSigned)
        out += '+';
    const std::string digits = std::to_string(std::abs(exponent));
    for (int i = int(digits.size()); i < s.ExponentDigits; ++i)
        out += '0';
    out += digits;
}

bool IsAllZeros(const std::string& digits)
{
    for (char c : digits)
        if (c >= '1' && c <= '9')
            return false;
    return true;
}

QString FormatSection(const PictureSection& s, double magnitude, bool negative)
{
    if (!s.HasPlaceholders)
        return s.Prefix + s.Suffix;
    std::string number;
    if (s.Scientific)
        AppendScientific(number, s, magnitude);
    else
        AppendFixed(number, s, magnitude);
    // A negative number that rounds to zero is written without a sign.
    const bool sign = negative && !IsAllZeros(number);
    QString text;
    text.reserve(s.Prefix.size() + qsizetype(number.size()) + s.Suffix.size() + 1);
    text += s.Prefix;
    if (sign)
        text += u'-';
    text += QLatin1String(number.data(), qsizetype(number.size()));
    text += s.Suffix;
    return text;
}

} // namespace

QString FormatFloat(const QString& Format, double Value)
{
    if (!std::isfinite(Value))
        return FloatToStr(Value);
    if (Format.isEmpty()) {
        // The shortest form with 15 significant digits, as a general format would.
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, Value, std::chars_format::general, 15);
        return QString::fromLatin1(buffer, result.ptr - buffer);
    }
    const Picture& picture = CachedPicture(Format);
    const double magnitude = std::fabs(Value);
    if (Value == 0 && picture.Zero)
        return FormatSection(*picture.Zero, 0, false);
    if (Value < 0 && picture.Negative)
        return FormatSection(*picture.Negative, magnitude, false);
    return FormatSection(picture.Positive, magnitude, Value < 0);
}

} // namespace zor
