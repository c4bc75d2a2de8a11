#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <cstdlib>

#include "platform/exceptions.h"
#include "svg/values/number_format.h"

using namespace zor;

TEST(NumberFormat, ReadsTheDecimalGrammarOnly)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"0", true, 0},        {"-1.5", true, -1.5},   {"+2", true, 2},
        {".5", true, 0.5},     {"5.", true, 5},        {"1e3", true, 1000},
        {"1E-2", true, 0.01},  {"-.25e+1", true, -2.5}, {"1e-400", true, 0},
        {"", false, 0},        {" 1", false, 0},       {"1 ", false, 0},
        {"1,5", false, 0},     {"1.2.3", false, 0},    {"e5", false, 0},
        {"1e", false, 0},      {"0x10", false, 0},     {"inf", false, 0},
        {"nan", false, 0},     {"1e999", false, 0},    {"--1", false, 0},
        {".", false, 0},       {"+-1", false, 0},
    };
    for (const Case& c : cases) {
        double value = -99;
        EXPECT_EQ(TryStrToFloat(QString::fromLatin1(c.text), value), c.ok) << c.text;
        if (c.ok)
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        else
            EXPECT_EQ(value, -99) << c.text << ": a rejected text leaves the value";
    }
}

TEST(NumberFormat, ReadsEveryDecimalCorrectlyRounded)
{
    // Short numbers take a quicker way than long ones; both give the
    // correctly rounded double, bit for bit what strtod gives.
    const char* const texts[] = {
        "0.1", "-0", "-0.0", "3.14159", "123456789012345", "1234567890123456", "9007199254740993",
        "0.000001", "1e22", "1e23", "-1e-22", "123456789012345e-22", "123456789012345e22", "4.35",
        "0.30000000000000004", "2.2250738585072014e-308", "1.7976931348623157e308", "000000000000000000012.5",
        "12.50000000000000000000", "0.0000000000000000000000000000000000000000000000000000000000000000000012345",
        "1234567890123456789012345678901234567890123456789012345678901234567890.5",
    };
    for (const char* text : texts) {
        double value = 0;
        ASSERT_TRUE(TryStrToFloat(QString::fromLatin1(text), value)) << text;
        const double expected = std::strtod(text, nullptr);
        EXPECT_EQ(value, expected) << text;
        EXPECT_EQ(std::signbit(value), std::signbit(expected)) << text;
    }
}

TEST(NumberFormat, StrictConversionsRaiseWithTheText)
{
    try {
        StrToFloat(u"12px");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12px' is not a valid floating point value");
    }
    try {
        StrToInt(u"12.5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12.5' is not a valid integer value");
    }
    EXPECT_EQ(StrToInt(u"-42"), -42);
    EXPECT_EQ(StrToInt(u"+7"), 7);
    EXPECT_THROW(StrToInt(u"99999999999"), EConvertError);
}

TEST(NumberFormat, PictureFormats)
{
    struct Case {
        const char* format;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"0.###", 1.5, "1.5"},
        {"0.###", 2, "2"},
        {"0.###", 0.0004, "0"},
        {"0.###", 0.001, "0.001"},
        {"0.###", double(0.001f), "0.001"},
        {"00.0", 0.05, "00.1"},
        {"0.###", -0.0004, "0"},        // rounds to zero: no sign
        {"0.###", -12.3456, "-12.346"},
        {"0.###", 0.1 + 0.2, "0.3"},
        {"0.##", 0.125, "0.13"},         // half away from zero on the decimal form
        {"0.##", 1.005, "1.01"},
        {"0.#########", 1.0 / 3.0, "0.333333333"},
        {"0.#########", 123456.5, "123456.5"},
        {"0.#", 99.96, "100"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0", 0.4, "0"},
        {"#", 0, ""},
        {"00.00", 3.14159, "03.14"},
        {"#,##0.0", 1234567.891, "1,234,567.9"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.##E-0", 0.000123, "1.23E-4"},
        {"0 'km'", 12.4, "12 km"},
        {"0;(0);'zero'", -5, "(5)"},
        {"0;(0);'zero'", 0, "zero"},
        {"0.###", 1e20, "100000000000000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromLatin1(c.format), c.value), QString::fromLatin1(c.expected))
            << c.format << " " << c.value;
}

TEST(NumberFormat, IgnoresTheUserLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatFloat("0.###", 1.25), "1.25");
    double value = 0;
    EXPECT_TRUE(TryStrToFloat(u"1.25", value));
    EXPECT_EQ(value, 1.25);
    EXPECT_FALSE(TryStrToFloat(u"1,25", value));
    QLocale::setDefault(saved);
}

TEST(NumberFormat, ShortestRoundTrip)
{
    for (double v : {0.1, 1.0 / 3.0, -2.5e-7, 123456789.0, 0.0}) {
        double back = 0;
        ASSERT_TRUE(TryStrToFloat(FloatToStr(v), back)) << FloatToStr(v).toStdString();
        EXPECT_EQ(back, v);
    }
}
