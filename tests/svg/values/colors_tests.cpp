#include <gtest/gtest.h>

#include <QColor>

#include "platform/exceptions.h"
#include "svg/values/colors.h"
#include "tests/svg/values/parsers_test_support.h"

using namespace zor;

TEST(ColorNames, TableHasTheKeywordsInOrderThenNull)
{
    const auto table = SVGColorNames();
    ASSERT_EQ(table.size(), 148u);
    EXPECT_EQ(table.front().Name, "aliceblue");
    EXPECT_EQ(table[146].Name, "yellowgreen");
    EXPECT_EQ(table.back().Name, "null");
    EXPECT_EQ(table.back().Color, 0u);
    for (std::size_t i = 0; i + 1 < 147; ++i)
        EXPECT_LT(QString(table[i].Name), QString(table[i + 1].Name)) << "alphabetical at " << i;
    // Qt's own list of the same keywords is an independent check of every value.
    for (std::size_t i = 0; i < 147; ++i) {
        const QColor reference = QColor::fromString(table[i].Name);
        ASSERT_TRUE(reference.isValid()) << table[i].Name.data();
        EXPECT_EQ(table[i].Color, reference.rgba()) << table[i].Name.data();
    }
}

TEST(ColorNames, LookupIgnoresAsciiCaseOnly)
{
    struct Case {
        const char16_t* name;
        bool found;
        TAlphaColor color;
    };
    const Case cases[] = {
        {u"red", true, 0xFFFF0000},        {u"RED", true, 0xFFFF0000},   {u"Red", true, 0xFFFF0000},
        {u"NULL", true, 0},                {u"cornflowerblue", true, 0xFF6495ED},
        {u"transparent", false, 0},        {u"\u212Ahaki", false, 0}, // Kelvin sign, not "K"
        {u"", false, 0},                   {u"re d", false, 0},
    };
    for (const Case& c : cases) {
        TAlphaColor color = 0x12345678;
        EXPECT_EQ(ColorFromName(c.name, color), c.found) << QString::fromUtf16(c.name).toStdString();
        EXPECT_EQ(color, c.found ? c.color : 0x12345678) << QString::fromUtf16(c.name).toStdString();
    }
}

TEST(Colors, IsHexColor)
{
    struct Case {
        const char16_t* text;
        bool hex;
    };
    const Case cases[] = {
        {u"#abc", true},  {u"#A0b1C2", true}, {u"#abcd", false}, {u"#ab", false}, {u"abc", false},
        {u"#abg", false}, {u"#", false},      {u"", false},      {u"#1234567", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsHexColor(c.text), c.hex) << QString::fromUtf16(c.text).toStdString();
}

namespace {

constexpr TAlphaColor Current = 0xFF010203;
constexpr TAlphaColor CurrentColorValue = 0xFF0A0B0C;

struct ColorCase {
    const char16_t* text;
    bool noPaintBefore;
    bool inheritedBefore;
    TAlphaColor color;
    bool noPaintAfter;
    bool inheritedAfter;
};

} // namespace

TEST(Colors, ParseColorForms)
{
    const ColorCase cases[] = {
        // "#" forms
        {u"#F0c", true, false, 0xFFFF00CC, false, false},
        {u"#ff8000", false, false, 0xFFFF8000, false, false},
        {u"# f f 0", false, false, 0xFFFFFF00, false, false},
        {u"#abcd", false, false, 0x00FFABCD, false, false},
        {u"#12", false, false, 0x0000FF12, false, false},
        // rgb()
        {u"RGB( 255 , 50% , 0 )", false, false, 0xFFFF7F00, false, false},
        {u"rgb(255)", false, false, 0xFFFF0000, false, false},
        {u"rgb(1,2,3)", true, true, 0xFF010203, false, false},
        {u"rgb(256,0,0)", false, false, 0xFFFF0000, false, false},
        {u"rgb(-1,300,0)", false, false, 0xFF00FF00, false, false},
        {u"rgb(0,200%,-5%)", false, false, 0xFF00FF00, false, false},
        {u"rgb(0,50 %,0)", false, false, 0xFF007F00, false, false},
        {u"rgb(1,2,3,4)", false, false, 0xFF010203, false, false},
        // names
        {u"Red", false, false, 0xFFFF0000, false, false},
        {u"RED", false, false, 0xFFFF0000, false, false},
        {u" gray ", false, false, 0xFF808080, false, false},
        {u"null", false, false, 0x00000000, false, false},
        {u"CurrentColor", true, false, Current, false, false},
        {u"rgba(1,2,3,0.5)", true, false, Current, false, false},
        {u"rgb(1,2,3", true, false, Current, false, false},
        {u"transparent", true, false, 0x00000000, false, false},
        {u" Transparent ", true, false, 0x00000000, false, false},
        // keywords
        {u"none", false, false, Current, true, false},
        {u"none", false, true, Current, true, false},
        {u"currentColor", true, false, CurrentColorValue, false, false},
        {u"inherit", true, false, Current, true, true},
        {u"", true, true, Current, true, true},
        {u"", false, false, Current, false, false},
        {u"   ", true, false, Current, false, false},
        {u"   ", true, true, Current, true, true},
    };
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        bool noPaint = c.noPaintBefore;
        bool inherited = c.inheritedBefore;
        EXPECT_EQ(ParseColor(c.text, Current, noPaint, CurrentColorValue, inherited), c.color);
        EXPECT_EQ(noPaint, c.noPaintAfter);
        EXPECT_EQ(inherited, c.inheritedAfter);
    }
}

TEST(Colors, ParseColorRaisesForMalformedNumbers)
{
    struct Case {
        const char16_t* text;
        const char* message;
    };
    const Case cases[] = {
        {u"#ggg", "'#ggg' is not a valid integer value"},
        {u"#1234567", "'#1234567' is not a valid integer value"},
        {u"#ff00ff80", "'#ff00ff80' is not a valid integer value"},
        {u"rgb(12.5,0,0)", "'12.5' is not a valid integer value"},
        {u"rgb(0,,0)", "'' is not a valid integer value"},
        {u"rgb()", "'' is not a valid integer value"},
        {u"rgb(0,0,0,x)", "'x' is not a valid integer value"},
        {u"rgb(a%,0,0)", "'a' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        bool noPaint = true;
        bool inherited = false;
        EXPECT_EQ(MessageOf<EConvertError>([&] { ParseColor(c.text, Current, noPaint, CurrentColorValue, inherited); }),
                  c.message);
    }
}

TEST(Colors, ColorToString)
{
    struct Case {
        TAlphaColor color;
        const char* text;
    };
    const Case cases[] = {
        {0, "#000000"},           {0x80FF0000, "#ff0000"}, {0xFFFF0000, "red"},
        {0xFF123456, "#123456"},  {0xFF00FFFF, "aqua"},    {0xFFFF00FF, "fuchsia"},
        {0xFF808080, "gray"},     {0xFFA9A9A9, "darkgray"}, {0x00000001, "#000001"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToString(c.color), c.text) << std::hex << c.color;
}

TEST(Colors, OpaqueColorsRoundTripThroughText)
{
    const TAlphaColor colors[] = {0xFF000000, 0xFFFFFFFF, 0xFF123456, 0xFFABCDEF, 0xFF6495ED, 0xFF00FFFF};
    for (TAlphaColor color : colors) {
        bool noPaint = false;
        bool inherited = false;
        EXPECT_EQ(ParseColor(ColorToString(color), 0, noPaint, 0, inherited), color) << std::hex << color;
    }
    // Every keyword but the transparent "null" comes back as the same colour.
    for (const TSVGColorName& entry : SVGColorNames().first(147)) {
        bool noPaint = false;
        bool inherited = false;
        const TAlphaColor color = ParseColor(QString(entry.Name), 0x12345678, noPaint, 0, inherited);
        EXPECT_EQ(ParseColor(ColorToString(color), 0x12345678, noPaint, 0, inherited), color) << entry.Name.data();
    }
}

TEST(Colors, OpacityAndGray)
{
    struct OpacityCase {
        TAlphaColor color;
        double opacity;
        TAlphaColor result;
    };
    const OpacityCase opacities[] = {
        {0xFF112233, 0.5, 0x80112233}, // 127.5 rounds to the even 128
        {0x00112233, 1, 0xFF112233},   {0xFF112233, 0, 0x00112233},
        {0xFF112233, 1.5, 0xFF112233}, {0xFF112233, -1, 0x00112233},
        {0xFF112233, 0.5 / 255, 0x00112233}, // 0.5 rounds to the even 0
        {0xFF112233, 2.5 / 255, 0x02112233}, // 2.5 rounds to the even 2
    };
    for (const OpacityCase& c : opacities)
        EXPECT_EQ(ColorWithOpacity(c.color, c.opacity), c.result) << c.opacity;

    struct GrayCase {
        TAlphaColor color;
        TAlphaColor gray;
    };
    const GrayCase grays[] = {
        {0xFF0000FF, 0xFF1C1C1C}, // 0.11 × 255 = 28.05
        {0xFFFF0000, 0xFF8F8F8F}, // 0.56 × 255 = 142.8
        {0x8000FF00, 0x80545454}, // 0.33 × 255 = 84.15, alpha kept
        {0xFFFFFFFF, 0xFFFFFFFF}, {0x00000000, 0x00000000},
    };
    for (const GrayCase& c : grays)
        EXPECT_EQ(ColorToGray(c.color), c.gray) << std::hex << c.color;
}
