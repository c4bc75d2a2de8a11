#pragma once
// Deterministic streams of hostile attribute texts: fragments of the value
// grammars glued together at random, with extreme numbers and stray
// characters, to show that no parser crashes, hangs or yields non-finite numbers.

#include <QString>
#include <array>
#include <random>

namespace zor::testing {

class THostileText {
public:
    explicit THostileText(unsigned Seed)
        : FRandom(Seed)
    {
    }

    QString Next()
    {
        static constexpr std::array<const char*, 58> Fragments = {
            "0", "1", "-", "+", ".", ",", " ", "\t", "\n", "e", "E", "e-", "1e38", "3.5e38", "-1e39", "1e-45",
            "1e999", "99999999999999999999", "NaN", "inf", "Infinity", "-Infinity", "(", ")", "#", "#ff0",
            "#12345678", "rgb(", "%", "px", "em", "ex", "in", "url(", "url(#a)", "'", "\"", ";", ":", "/*", "*/",
            "inherit", "none", "auto", "matrix(", "rotate(", "scale(", "translate(", "skewX(", "data:",
            "data:image/png;base64,", "base64,", "iVBORw0KGgo=", "%zz", "M", "a", "Z", "\xC3\xA9"};
        std::uniform_int_distribution<int> length(0, 12);
        std::uniform_int_distribution<std::size_t> pick(0, Fragments.size() - 1);
        QString text;
        for (int n = length(FRandom); n > 0; --n)
            text += QString::fromUtf8(Fragments[pick(FRandom)]);
        return text;
    }

private:
    std::mt19937 FRandom;
};

} // namespace zor::testing
