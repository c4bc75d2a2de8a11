#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QtEndian>
#include <cmath>
#include <numbers>

#include "platform/exceptions.h"
#include "svg/values/attribute_parsers.h"
#include "tests/support/image_bytes.h"
#include "tests/svg/values/parsers_test_support.h"

using namespace zor;

// ---------------------------------------------------------------------------
// Text utilities

TEST(TextUtils, SplitTrimmedCutsTrimsAndDropsEmptyPieces)
{
    struct Case {
        const char16_t* text;
        const char16_t* delimiters;
        QStringList pieces;
    };
    const Case cases[] = {
        {u"", u",", {}},
        {u"a,b", u",", {"a", "b"}},
        {u"  a , ,b\t,", u",", {"a", "b"}},
        {u"a b;c", u" ;", {"a", "b", "c"}},
        {u"\x01x\x1f", u",", {"x"}},
        {u"defer xMidYMid  slice", u" ", {"defer", "xMidYMid", "slice"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitTrimmed(c.text, c.delimiters), c.pieces) << QString::fromUtf16(c.text).toStdString();
}

TEST(TextUtils, TrimRemovesControlCharactersButNotOtherSpaces)
{
    EXPECT_EQ(TrimBlanks(u"\t\r\n x \x01"), u"x");
    // A no-break space is above the space character and stays.
    EXPECT_EQ(TrimBlanks(u"\u00a0x"), u"\u00a0x");
}

TEST(TextUtils, InheritProtocol)
{
    struct Case {
        const char16_t* text;
        bool inheritedBefore;
        bool takesValue;
        bool inheritedAfter;
    };
    const Case cases[] = {
        {u"inherit", false, false, true}, {u"inherit", true, false, true},  {u"", true, false, true},
        {u"", false, false, false},       {u"12", true, true, false},       {u"Inherit", true, true, false},
    };
    for (const Case& c : cases) {
        bool inherited = c.inheritedBefore;
        EXPECT_EQ(ApplyInheritProtocol(c.text, inherited), c.takesValue) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(inherited, c.inheritedAfter) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(TextUtils, StripCSSComments)
{
    struct Case {
        const char16_t* text;
        const char16_t* stripped;
    };
    const Case cases[] = {
        {u"a/* x */b/* y", u"ab/* y"},
        {u"/**/a/*b*/c", u"ac"},
        {u"a/*/b", u"a/*/b"},
        {u"rect { fill: red; } /* end */", u"rect { fill: red; } "},
        {u"no comments", u"no comments"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripCSSComments(c.text), QString::fromUtf16(c.stripped));
}

// ---------------------------------------------------------------------------
// Numbers

TEST(NumberParsers, SplitNumbersCutsBeforeSignsButNotExponents)
{
    struct Case {
        const char16_t* text;
        QStringList pieces;
    };
    const Case cases[] = {
        {u"", {}},
        {u"10-5", {"10", "-5"}},
        {u"1e-5", {"1e-5"}},
        {u"1E+5,2", {"1E+5", "2"}},
        {u"1-2-3", {"1", "-2-3"}},
        {u"-1-2", {"-1", "-2"}},
        {u" 1,\r\n2 ,, 3 ", {"1", "2", "3"}},
        {u"1\t2", {"1\t2"}},
        {u"\t-5", {"-5"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitNumbers(c.text), c.pieces) << QString::fromUtf16(c.text).toStdString();
}

TEST(NumberParsers, ParseNumberAndParseFloatValue)
{
    struct Case {
        const char16_t* text;
        float number;      // ParseNumber with default 7
        float floatValue;  // ParseFloatValue with default 7
    };
    const Case cases[] = {
        {u"1.5", 1.5f, 1.5f},
        {u" -2e2 ", -200, -200},
        {u".5", 0.5f, 0.5f},
        {u"Infinity", 1e8f, 7},
        {u"infinity", 1e8f, 7},
        {u"-INFINITY", -1e8f, 7},
        {u"+Infinity", 7, 7},
        {u"12px", 7, 7},
        {u"1,5", 7, 7},
        {u"0x10", 7, 7},
        {u"3.5e38", 7, 7},
        {u"-3.5e38", 7, 7},
        {u"1e999", 7, 7},
        {u"nan", 7, 7},
        {u"inf", 7, 7},
        {u"1e-50", 0, 0},
    };
    for (const Case& c : cases) {
        bool inherited = true;
        EXPECT_EQ(ParseNumber(c.text, inherited, 7), c.number) << QString::fromUtf16(c.text).toStdString();
        EXPECT_FALSE(inherited);
        inherited = true;
        EXPECT_EQ(ParseFloatValue(c.text, inherited, 7), c.floatValue) << QString::fromUtf16(c.text).toStdString();
        EXPECT_FALSE(inherited);
    }
}

TEST(NumberParsers, ParseNumberKeepsDefaultForInheritAndEmpty)
{
    bool inherited = false;
    EXPECT_EQ(ParseNumber(u" inherit ", inherited, 3), 3);
    EXPECT_TRUE(inherited);
    EXPECT_EQ(ParseNumber(u"   ", inherited, 4), 4);
    EXPECT_TRUE(inherited) << "an empty text leaves the flag";
    EXPECT_EQ(ParseNumber(u"5", inherited, 4), 5);
    EXPECT_FALSE(inherited);
}

TEST(NumberParsers, ParseNumberListUsesPreviousValuesForBadEntries)
{
    EXPECT_EQ(ParseNumberList(u"10 20,30", {}), (QList<float>{10, 20, 30}));
    EXPECT_EQ(ParseNumberList(u"1 x 3 y", {9, 8, 7}), (QList<float>{1, 8, 3, 0}));
    EXPECT_EQ(ParseNumberList(u"5-6", {}), (QList<float>{5, -6}));
    EXPECT_TRUE(ParseNumberList(u"", {1, 2}).isEmpty());
}

TEST(NumberParsers, ParseAngle)
{
    constexpr float pi = std::numbers::pi_v<float>;
    struct Case {
        const char16_t* text;
        bool autoBefore;
        float angle;
        bool autoAfter;
    };
    const Case cases[] = {
        {u"", true, -1, true},
        {u"auto", false, -1, true},
        {u"90", true, pi / 2, false},
        {u" 200 grad", false, pi, false},
        {u"200 GRAD", false, pi, false},
        {u"2 rad", false, 2, false},
        {u"180 deg", false, pi, false},
        {u"180 furlongs", false, pi, false},
        {u"45deg", true, -1, false},
        {u"Auto", true, -1, false},
        {u"1e39", false, -1, false},
    };
    for (const Case& c : cases) {
        bool automatic = c.autoBefore;
        EXPECT_NEAR(ParseAngle(c.text, automatic, -1), c.angle, 1e-6) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(automatic, c.autoAfter) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(NumberParsers, ParsePointsTakesPairsAndRaisesForBadNumbers)
{
    EXPECT_EQ(ParsePoints(u" 0,0 10,5 -3-4 "), (TCanvasPoints{{0, 0}, {10, 5}, {-3, -4}}));
    EXPECT_EQ(ParsePoints(u"1 2 3"), (TCanvasPoints{{1, 2}}));
    EXPECT_TRUE(ParsePoints(u"").isEmpty());
    EXPECT_EQ(MessageOf<EConvertError>([] { ParsePoints(u"1,2 3,x"); }), "'x' is not a valid floating point value");
    EXPECT_EQ(MessageOf<EConvertError>([] { ParsePoints(u"1e39,0"); }), "'1e39' is not a valid floating point value");
}

TEST(NumberParsers, UnitFromSuffix)
{
    struct Case {
        const char16_t* text;
        TSVGUnit unit;
    };
    const Case cases[] = {
        {u"12px", TSVGUnit::suPixels},     {u"12PT", TSVGUnit::suPoints},      {u"1pc", TSVGUnit::suPicas},
        {u"3mm", TSVGUnit::suMillimeters}, {u"3Cm", TSVGUnit::suCentimeters}, {u"1in", TSVGUnit::suInches},
        {u"2em", TSVGUnit::suFontSize},    {u"2ex", TSVGUnit::suFontXHeight}, {u"50%", TSVGUnit::suPercent},
        {u"12", TSVGUnit::suNone},         {u"5Q", TSVGUnit::suNone},         {u"%", TSVGUnit::suNone},
        {u"", TSVGUnit::suNone},           {u"px", TSVGUnit::suPixels},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnitFromSuffix(c.text), c.unit) << QString::fromUtf16(c.text).toStdString();
}

TEST(NumberParsers, Formatting)
{
    EXPECT_EQ(FormatNumber(TSVGUnit::suNone, "0.###", 1.23456), "1.235");
    EXPECT_EQ(FormatNumber(TSVGUnit::suPixels, "0.###", 12), "12");
    EXPECT_EQ(FormatNumber(TSVGUnit::suPoints, "0.###", 12), "12pt");
    EXPECT_EQ(FormatNumber(TSVGUnit::suPercent, "0.###", 50), "50%");
    EXPECT_EQ(FormatNumber(TSVGUnit::suFontXHeight, "0.#", -0.25), "-0.3ex");
    EXPECT_EQ(FormatNumberList({1, 2.5f, -3}, "0.###", " "), "1 2.5 -3");
    EXPECT_EQ(FormatNumberList({}, "0.###", " "), "");
    EXPECT_EQ(FormatPoints({{0, 0}, {1.5, -2}}, "0.###"), "0,0 1.5,-2");
}

TEST(NumberParsers, ListsAndPointsRoundTrip)
{
    const char16_t* pointTexts[] = {u"0,0 10,5 -3.25,4", u"1.5,2", u""};
    for (const char16_t* text : pointTexts)
        EXPECT_EQ(FormatPoints(ParsePoints(text), "0.###"), QString::fromUtf16(text));
    struct Case {
        const char16_t* text;
        const char* written;
    };
    const Case lists[] = {{u"0 90 -45.5", "0 90 -45.5"}, {u"1e-3,2", "0.001 2"}, {u"", ""}};
    for (const Case& c : lists)
        EXPECT_EQ(FormatNumberList(ParseNumberList(c.text, {}), "0.###", " "), c.written);
}

// ---------------------------------------------------------------------------
// Transforms

TEST(TransformParser, MapsPointsAsTheListDescribes)
{
    struct Case {
        const char16_t* text;
        QPointF in;
        QPointF out;
    };
    const Case cases[] = {
        {u"", {3, 4}, {3, 4}},
        {u"translate(10) scale(2)", {1, 1}, {12, 2}},
        {u"rotate(90 10 10)", {20, 10}, {10, 20}},
        {u"rotate(90)", {1, 0}, {0, 1}},
        {u"matrix(1 0 0 1 10-5)", {0, 0}, {10, -5}},
        {u"matrix(2,0,0,3,1,1)", {1, 1}, {3, 4}},
        {u"scale(2 3)", {1, 1}, {2, 3}},
        {u"translate(1,2),scale(2)", {1, 1}, {3, 4}},
        {u"skewX(45)", {0, 1}, {1, 1}},
        {u"skewY(45 99)", {1, 0}, {1, 1}},
        {u"skewX()", {2, 3}, {2, 3}},
        {u"translate(5", {2, 3}, {2, 3}},
        {u"scale(2) translate(5", {1, 1}, {2, 2}},
        {u"  scale(2) rotate(90)  ", {1, 0}, {0, 2}},
    };
    for (const Case& c : cases) {
        const QPointF p = ParseTransform(c.text).map(c.in);
        EXPECT_NEAR(p.x(), c.out.x(), 1e-9) << QString::fromUtf16(c.text).toStdString();
        EXPECT_NEAR(p.y(), c.out.y(), 1e-9) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(TransformParser, KeepsTheRowVectorLayout)
{
    const QTransform m = ParseTransform(u"matrix(1 2 3 4 5 6)");
    EXPECT_EQ(m, QTransform(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(m.m31(), 5);
    EXPECT_EQ(m.m32(), 6);
    EXPECT_EQ(m.m13(), 0);
    EXPECT_EQ(m.m33(), 1);
}

TEST(TransformParser, RaisesWithTheNameOrArguments)
{
    struct Case {
        const char16_t* text;
        const char* message;
    };
    const Case cases[] = {
        {u"scale(1,2,3)", "Invalid scale transformation matrix: 1,2,3"},
        {u"rotate(1 2)", "Invalid rotation transformation matrix: 1 2"},
        {u"translate()", "Invalid translate transformation matrix: "},
        {u"spin(3)", "Invalid transformation: spin"},
        {u"Scale(2)", "Invalid transformation: Scale"},
        {u"translate(1) (2)", "Invalid transformation: "},
        {u"matrix(1 0 0 1 0)", "Invalid matrix: 1 0 0 1 0"},
        // A product beyond the number range could not be written back.
        {u"scale(1e38)scale(1e38)", "Invalid transformation: scale(1e38)scale(1e38)"},
        {u"scale(1e38) scale(1e38) scale(1e38) scale(1e38) scale(1e38) scale(1e38) scale(1e38) scale(1e38) scale(1e38)",
         "Invalid transformation: scale(1e38) scale(1e38) scale(1e38) scale(1e38) scale(1e38) scale(1e38) "
         "scale(1e38) scale(1e38) scale(1e38)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageOf<ESVGException>([&] { ParseTransform(c.text); }), c.message);

    EXPECT_EQ(MessageOf<EConvertError>([] { ParseTransform(u"translate(1px)"); }),
              "'1px' is not a valid floating point value");
    EXPECT_EQ(MessageOf<EConvertError>([] { ParseTransform(u"scale(1e39)"); }),
              "'1e39' is not a valid floating point value");
}

TEST(TransformParser, TransformToStringPicksTheShortestForm)
{
    struct Case {
        QTransform matrix;
        const char* text;
    };
    const Case cases[] = {
        {QTransform(), ""},
        {QTransform(1.000001, 0, 0, 1, 0.000001, 0), ""},
        {QTransform::fromScale(2, 3), "scale(2 3)"},
        {QTransform::fromTranslate(5, -1), "translate(5 -1)"},
        {QTransform(1, 2, 3, 4, 5, 6), "matrix(1 2 3 4 5 6)"},
        {QTransform(2, 0, 0, 2, 1, 0), "matrix(2 0 0 2 1 0)"},
        {QTransform(-1, 0, 0, 1, -0.0, 0), "scale(-1 1)"},
        // 15 significant digits; exponents below 0.00001 and from 15 integer digits.
        {QTransform::fromTranslate(0.1, 1e-20), "translate(0.1 1E-20)"},
        {QTransform::fromTranslate(0.00001, -0.000012345), "translate(0.00001 -0.000012345)"},
        {QTransform::fromTranslate(123456789012345, 1e15), "translate(123456789012345 1E15)"},
        {QTransform::fromTranslate(2.5e-6, -1.23456789012345678e20), "translate(2.5E-6 -1.23456789012346E20)"},
        {QTransform::fromTranslate(1.0 / 3, 2.0 / 3), "translate(0.333333333333333 0.666666666666667)"},
        {ParseTransform(u"rotate(90)"), "matrix(6.12323399573677E-17 1 -1 6.12323399573677E-17 0 0)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TransformToString(c.matrix), c.text);
}

TEST(TransformParser, TextRoundTripsThroughTheMatrix)
{
    const char16_t* texts[] = {u"scale(2 3)", u"translate(5 -1)", u"matrix(1 2 3 4 5 6)", u"matrix(0.5 0 0 0.25 -7.5 8)"};
    for (const char16_t* text : texts)
        EXPECT_EQ(TransformToString(ParseTransform(text)), QString::fromUtf16(text));
    const QTransform rotated = ParseTransform(u"rotate(30 4 5) skewX(10)");
    EXPECT_TRUE(qFuzzyCompare(ParseTransform(TransformToString(rotated)), rotated));
}

// ---------------------------------------------------------------------------
// References

TEST(ReferenceParsers, PaintAndElementReferences)
{
    struct Case {
        const char16_t* text;
        const char16_t* paint;
        const char16_t* element;
    };
    const Case cases[] = {
        {u"url(#g1)", u"g1", u"g1"},
        {u"URL(#g1)", u"g1", u"g1"},
        {u" uri(#a b) ", u"a b", u"a b"},
        {u"#abc", u"", u"abc"},
        {u"#A0B1C2", u"", u"A0B1C2"},
        {u"#abcd", u"abcd", u"abcd"},
        {u"#grad", u"grad", u"grad"},
        {u"red", u"", u"red"},
        {u"url(#g1", u"", u"url(#g1"},
        {u"url(g1)", u"", u"url(g1)"},
        {u"", u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParsePaintReference(c.text), QString::fromUtf16(c.paint)) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(ParseReference(c.text), QString::fromUtf16(c.element)) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(ReferenceParsers, ValueWrappersKeepTheCurrentId)
{
    struct Case {
        const char16_t* text;
        bool inheritedBefore;
        const char* paintId;
        const char* elementId;
        bool inheritedAfter;
    };
    const Case cases[] = {
        {u"url(#new)", true, "new", "new", false},
        {u"inherit", false, "old", "old", true},
        {u"", true, "old", "old", true},
        {u"red", true, "old", "red", false},
        {u"#fff", false, "old", "fff", false},
        // A paint keeps its server for later; an element reference is cleared.
        {u" none ", true, "old", "", false},
    };
    for (const Case& c : cases) {
        bool inherited = c.inheritedBefore;
        EXPECT_EQ(ParsePaintReferenceValue(c.text, "old", inherited), c.paintId);
        EXPECT_EQ(inherited, c.inheritedAfter);
        inherited = c.inheritedBefore;
        EXPECT_EQ(ParseReferenceValue(c.text, "old", inherited), c.elementId);
        EXPECT_EQ(inherited, c.inheritedAfter);
    }
}

// ---------------------------------------------------------------------------
// Data URIs

namespace {

using zor::testing::Base64Uri;
using zor::testing::Png;
using zor::testing::PngClaiming;

class DataURITest : public ::testing::Test {
protected:
    static QImage TwoPixels()
    {
        QImage image(2, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, 0xFFFF0000);
        image.setPixel(1, 0, 0x800000FF);
        return image;
    }

    static void ExpectTwoPixels(const QImage& decoded)
    {
        const QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(2, 1));
        EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u);
        EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0x80);
        EXPECT_GT(qBlue(image.pixel(1, 0)), 0xF0);
    }
};

} // namespace

TEST_F(DataURITest, DecodesBase64AndPercentEncodedImages)
{
    const QByteArray png = Png(TwoPixels());
    QString wrapped = Base64Uri(png);
    for (qsizetype i = wrapped.indexOf(u',') + 10; i < wrapped.size(); i += 12)
        wrapped.insert(i, i % 3 ? QStringLiteral("\r\n") : QStringLiteral(" \t"));
    const QString percent = "data:image/png," + QString::fromLatin1(png.toPercentEncoding());
    const QString percentBase64 = "DATA:IMAGE/PNG;charset=x;BASE64," + QString::fromLatin1(png.toBase64().toPercentEncoding());

    for (const QString& uri : {Base64Uri(png), wrapped, percent, percentBase64}) {
        SCOPED_TRACE(uri.left(40).toStdString());
        const QImage image = LoadDataURI(uri);
        ExpectTwoPixels(image);
        EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    }
}

TEST_F(DataURITest, LeavesTheBitmapForTextsThatAreNotImageData)
{
    QImage bitmap(3, 3, QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::green);
    const QString png64 = QString::fromLatin1(Png(TwoPixels()).toBase64());
    const QString texts[] = {
        "picture.png",
        "data:text/plain;base64," + png64,
        "data:;base64," + png64,
        "data:image/png;base64",
        "",
    };
    for (const QString& text : texts) {
        EXPECT_EQ(LoadDataURI(text, bitmap), bitmap) << text.left(30).toStdString();
        const QImage fresh = LoadDataURI(text);
        ASSERT_EQ(fresh.size(), QSize(1, 1));
        EXPECT_EQ(fresh.pixel(0, 0), 0u) << "a new bitmap is transparent";
    }
}

TEST_F(DataURITest, RejectsUnreadableAndOversizedImages)
{
    const QString reason = "Cannot read the image in a data URI: ";
    const QString tooLarge = reason + "the image exceeds 16384 pixels per side or 67108864 pixels in all";
    struct Case {
        QString uri;
        QString message; // empty: only the prefix is checked
    };
    const Case cases[] = {
        {"data:image/png;base64,iVBORw0K!!!", reason + "invalid Base64 data"},
        {"data:image/png;base64,AAAA", ""},
        {"data:image/png,not a picture", ""},
        {Base64Uri(PngClaiming(16385, 1)), tooLarge},
        {Base64Uri(PngClaiming(1, 20000)), tooLarge},
        {Base64Uri(PngClaiming(10000, 10000)), tooLarge},
    };
    for (const Case& c : cases) {
        const QString message = MessageOf<EConvertError>([&] { LoadDataURI(c.uri); });
        if (c.message.isEmpty())
            EXPECT_TRUE(message.startsWith(reason)) << message.toStdString();
        else
            EXPECT_EQ(message, c.message);
    }
    // Within the limits, a wide picture is still read.
    QImage wide(16384, 1, QImage::Format_Mono);
    wide.fill(0);
    EXPECT_EQ(LoadDataURI(Base64Uri(Png(wide))).size(), QSize(16384, 1));
}

TEST_F(DataURITest, DecodesTheContentWhateverTheMediaType)
{
    const QByteArray png = Png(TwoPixels());
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg'/>";
    struct Case {
        QString uri;
        QString mediaType;
        QByteArray bytes;
    };
    const Case cases[] = {
        {Base64Uri(png), "image/png", png},
        {"data:;base64," + QString::fromLatin1(png.toBase64()), "text/plain", png},
        {"data:text/plain;base64," + QString::fromLatin1(png.toBase64()), "text/plain", png},
        {"data:image/svg+xml;charset=utf-8," + QString::fromLatin1(svg.toPercentEncoding()), "image/svg+xml", svg},
        {"data:," + QString::fromLatin1(svg.toPercentEncoding()), "text/plain", svg},
        {"DATA:image/svg+xml;BASE64," + QString::fromLatin1(svg.toBase64()), "image/svg+xml", svg},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uri.left(40).toStdString());
        const std::optional<TDataURIContent> content = DecodeDataURI(c.uri);
        ASSERT_TRUE(content);
        EXPECT_EQ(content->MediaType, c.mediaType);
        EXPECT_EQ(content->Bytes, c.bytes);
    }
    EXPECT_FALSE(DecodeDataURI(u"picture.png"));
    EXPECT_FALSE(DecodeDataURI(u"data:image/png;base64"));
    EXPECT_EQ(MessageOf<EConvertError>([] { DecodeDataURI(u"data:;base64,@@"); }),
              "Cannot read the image in a data URI: invalid Base64 data");
}

TEST_F(DataURITest, TellsMarkupFromRasterPicturesByContent)
{
    const struct {
        QByteArray bytes;
        bool svg;
    } cases[] = {
        {"<svg/>", true},
        {"\xEF\xBB\xBF  \n<?xml version='1.0'?><svg/>", true},
        {"\t<!-- drawing --><svg/>", true},
        {Png(TwoPixels()), false},
        {"GIF89a<", false},
        {"", false},
        {"   ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSVGContent(c.bytes), c.svg) << c.bytes.left(12).toStdString();
}

TEST_F(DataURITest, DecodesBitmapsByContentWithinTheLimits)
{
    ExpectTwoPixels(DecodeBitmap(Png(TwoPixels())));
    const QString reason = "Cannot read the image in a data URI: ";
    EXPECT_EQ(MessageOf<EConvertError>([] { DecodeBitmap(PngClaiming(20000, 20000)); }),
              reason + "the image exceeds 16384 pixels per side or 67108864 pixels in all");
    EXPECT_TRUE(MessageOf<EConvertError>([] { DecodeBitmap("not a picture"); }).startsWith(reason));
}

// ---------------------------------------------------------------------------
// Line splitting of saved files

namespace {

QString LongPathLine()
{
    QString data;
    for (int i = 0; i < 40; ++i)
        data += QStringLiteral("L%1,%2 ").arg(i * 10).arg(i * 7);
    return R"(  <path id="needle-group-one" style="fill:red" d=")" + data.trimmed() + R"x(" transform="rotate(5)"/>)x";
}

} // namespace

TEST(SplitLines, CutsPathDataAtSpacesAndKeepsTheText)
{
    const QString line = LongPathLine();
    TStringList lines({"<svg>", line, "</svg>"});
    SVGSplitLines(lines, 40);

    ASSERT_GT(lines.Count(), 4);
    EXPECT_EQ(lines[0], "<svg>");
    EXPECT_EQ(lines[lines.Count() - 1], "</svg>");
    QString joined;
    for (qsizetype i = 1; i + 1 < lines.Count(); ++i)
        joined += lines[i];
    EXPECT_EQ(joined, line);
    // The " d" lies beyond the limit, so the attributes before it form a line.
    EXPECT_EQ(lines[1], R"(  <path id="needle-group-one" style="fill:red" )");
    EXPECT_TRUE(lines[2].startsWith(R"(d="L0,0 )"));
    for (qsizetype i = 2; i + 2 < lines.Count(); ++i) {
        EXPECT_GE(lines[i].size(), 40);
        EXPECT_LT(lines[i].size(), 50) << lines[i].toStdString();
        if (i + 3 < lines.Count()) {
            EXPECT_TRUE(lines[i + 1].startsWith(u' ') || lines[i + 1].startsWith(u',')) << "cut before a separator";
        }
    }
    EXPECT_FALSE(lines[lines.Count() - 2].startsWith(u'"')) << "a closing quote never starts a line";
}

TEST(SplitLines, LeavesOtherLinesAlone)
{
    const QString longText = "<text x=\"1\">" + QString(100, u'x') + "</text>";
    const QString quotedPath = "<g title=\"<path d='x'\">" + QString(100, u'y') + "</g>";
    const QString noValue = "<path d" + QString(100, u' ') + "/>";
    const QString shortPath = R"(<path d="M0,0 L1,1"/>)";
    const QStringList untouched = {longText, quotedPath, noValue, shortPath};
    TStringList lines(untouched);
    SVGSplitLines(lines, 40);
    EXPECT_EQ(lines.ToStringList(), untouched);

    TStringList longLines({LongPathLine()});
    SVGSplitLines(longLines, 32);
    EXPECT_EQ(longLines.Count(), 1) << "limits of 32 or less do nothing";
}

TEST(SplitLines, PathDataNearTheStartStaysOnTheFirstLine)
{
    QString data;
    for (int i = 0; i < 30; ++i)
        data += QStringLiteral("%1,%1 ").arg(i);
    const QString line = "<path d = \"M" + data + "\"/>";
    TStringList lines({line});
    SVGSplitLines(lines, 40);
    ASSERT_GT(lines.Count(), 2);
    EXPECT_TRUE(lines[0].startsWith("<path d = \"M0,0 "));
    EXPECT_EQ(lines.ToStringList().join(QString()), line);

    // Without a separator before the closing quote, the last character of the
    // value goes along with the quote.
    TStringList unbroken({"<path d=\"" + QString(60, u'x') + "\"/>"});
    SVGSplitLines(unbroken, 40);
    EXPECT_EQ(unbroken.ToStringList(), (QStringList{"<path d=\"" + QString(59, u'x'), "x\"/>"}));
}
