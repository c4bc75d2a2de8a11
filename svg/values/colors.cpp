#include "svg/values/colors.h"

#include <QHash>
#include <algorithm>
#include <cmath>

#include "platform/exceptions.h"
#include "svg/values/number_format.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

constexpr TAlphaColor OpaqueAlpha = OpaqueBlack;

TAlphaColor MakeColor(unsigned Alpha, unsigned Red, unsigned Green, unsigned Blue)
{
    return (Alpha << 24) | (Red << 16) | (Green << 8) | Blue;
}

unsigned ChannelOf(TAlphaColor Color, int Shift) { return (Color >> Shift) & 0xFFu; }

// Rounds half to even and limits to a channel's range.
unsigned ToChannel(double Value)
{
    if (!(Value > 0))
        return 0;
    return unsigned(std::min(std::nearbyint(Value), 255.0));
}

bool IsHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

// Names are ASCII; folding only ASCII keeps look-alike letters such as the
// Kelvin sign from matching "k".
QString AsciiLower(QStringView Text)
{
    QString lower(Text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const char16_t c = Text[i].unicode();
        lower[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c);
    }
    return lower;
}

const QHash<QString, TAlphaColor>& ColorsByName()
{
    static const QHash<QString, TAlphaColor> table = [] {
        QHash<QString, TAlphaColor> byName;
        for (const TSVGColorName& entry : SVGColorNames())
            byName.insert(entry.Name, entry.Color);
        return byName;
    }();
    return table;
}

[[noreturn]] void RaiseInvalidInteger(QStringView Text)
{
    Raise<EConvertError>(QString::fromLatin1(messages::InvalidInteger), {Text.toString()});
}

// "#" colours: blanks and punctuation are dropped, three digits are doubled,
// and the digits are read after an opaque alpha. Fewer than six digits give
// the colours that reading makes (four digits put 0 in the alpha); more than
// six would not fit 32 bits and are rejected.
TAlphaColor ParseHexColor(QStringView Text)
{
    QString digits;
    for (QChar c : Text.sliced(1))
        if (c.isLetterOrNumber())
            digits += c;
    if (digits.size() == 3) {
        QString doubled;
        for (QChar c : digits)
            doubled += QString(2, c);
        digits = doubled;
    }
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), IsHexDigit))
        RaiseInvalidInteger(Text);
    const TAlphaColor value = digits.isEmpty() ? 0 : digits.toUInt(nullptr, 16);
    return (0xFFu << (4 * digits.size())) | value;
}

// One rgb() component: an integer or a percentage of 255 (truncated), limited
// to 0..255.
unsigned ParseRGBComponent(QStringView Piece)
{
    if (Piece.endsWith(u'%')) {
        const double percent = StrToFloat(TrimBlanks(Piece.chopped(1)));
        return unsigned(std::trunc(std::clamp(percent * 255 / 100, 0.0, 255.0)));
    }
    return unsigned(std::clamp(StrToInt(Piece), 0, 255));
}

TAlphaColor ParseRGBColor(QStringView Arguments)
{
    unsigned channels[3] = {0, 0, 0};
    int index = 0;
    ForEachDelimited(Arguments, u",", [&](QStringView piece) {
        // Every component is read, so a malformed extra one still fails.
        const unsigned channel = ParseRGBComponent(TrimBlanks(piece));
        if (index < 3)
            channels[index] = channel;
        ++index;
    });
    return MakeColor(0xFF, channels[0], channels[1], channels[2]);
}

bool IsRGBFunction(QStringView Text)
{
    return Text.startsWith(u"rgb(", Qt::CaseInsensitive) && Text.endsWith(u')');
}

} // namespace

bool ColorFromName(QStringView Name, TAlphaColor& Color)
{
    const auto& table = ColorsByName();
    const auto found = table.constFind(AsciiLower(Name));
    if (found == table.constEnd())
        return false;
    Color = *found;
    return true;
}

bool IsHexColor(QStringView Text)
{
    return (Text.size() == 4 || Text.size() == 7) && Text.front() == u'#'
           && std::all_of(Text.begin() + 1, Text.end(), IsHexDigit);
}

TAlphaColor ParseColor(QStringView Text, TAlphaColor Current, bool& NoPaint, TAlphaColor CurrentColor,
                       bool& Inherited)
{
    const QStringView text = TrimBlanks(Text);
    const bool none = text == u"none";
    if (none)
        NoPaint = true;
    ApplyInheritProtocol(text, Inherited);
    if (text == u"currentColor") {
        NoPaint = false;
        return CurrentColor;
    }
    // A text of blanks only is not empty here: it counts as an unknown colour.
    if (Text.isEmpty() || none || Inherited)
        return Current;
    NoPaint = false;
    if (text.startsWith(u'#'))
        return ParseHexColor(text);
    if (IsRGBFunction(text))
        return ParseRGBColor(text.sliced(4, text.size() - 5));
    // Not an SVG 1.1 name, but real files use it (and saving writes it for a
    // colour without alpha): read as what it means, not as an unknown name.
    if (text.compare(u"transparent", Qt::CaseInsensitive) == 0)
        return 0x00000000;
    TAlphaColor named = Current;
    ColorFromName(text, named);
    return named;
}

QString ColorToString(TAlphaColor Color)
{
    if (Color != 0) {
        for (const TSVGColorName& entry : SVGColorNames())
            if (entry.Color == Color)
                return entry.Name;
    }
    return QStringLiteral("#%1").arg(Color & ~OpaqueAlpha, 6, 16, QChar(u'0'));
}

TAlphaColor ColorWithOpacity(TAlphaColor Color, double Opacity)
{
    return (Color & ~OpaqueAlpha) | (ToChannel(std::clamp(Opacity, 0.0, 1.0) * 255) << 24);
}

TAlphaColor ColorToGray(TAlphaColor Color)
{
    const unsigned gray =
        ToChannel(0.56 * ChannelOf(Color, 16) + 0.33 * ChannelOf(Color, 8) + 0.11 * ChannelOf(Color, 0));
    return MakeColor(ChannelOf(Color, 24), gray, gray, gray);
}

} // namespace zor
