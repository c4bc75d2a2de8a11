#include <gtest/gtest.h>

#include <cmath>

#include "platform/exceptions.h"
#include "svg/values/bitmap_size.h"
#include "svg/values/length_text.h"
#include "svg/values/style_lengths.h"
#include "svg/values/view_box.h"
#include "tests/svg/values/values_test_support.h"

using namespace zor;
using namespace zor::testing;

namespace {

const QString DefaultFormat = QStringLiteral("0.###");

// A length whose owner supplies Factors at the time of each computation.
struct TOwnedLength {
    TSVGUnitFactors Factors = Document96;
    TSVGLength Length;
    TChangeCounter Changes;

    TOwnedLength()
    {
        Length.OnUnitFactors = [this](const TPersistent&, TSVGUnitFactors& factors) { factors = Factors; };
        Length.OnChange = Changes.Slot();
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Units and factors

TEST(Lengths, PixelsAreRawTimesTheFactorOfEveryUnit)
{
    struct Case {
        TSVGUnit unit;
        float fallbackPixels; // without owner: the rounded 96 dpi table
        float documentPixels; // with the factors of a 96 dpi document
    };
    const Case cases[] = {
        {TSVGUnit::suNone, 2, 2},           {TSVGUnit::suPixels, 2, 2},
        {TSVGUnit::suPoints, 2.666f, 2.6667f}, {TSVGUnit::suPicas, 31.992f, 32},
        {TSVGUnit::suMillimeters, 7.56f, 7.559f}, {TSVGUnit::suCentimeters, 75.6f, 75.591f},
        {TSVGUnit::suInches, 192, 192},     {TSVGUnit::suFontSize, 2, 2},
        {TSVGUnit::suFontXHeight, 2, 2},    {TSVGUnit::suPercent, 2, 2},
    };
    for (const Case& c : cases) {
        const TSVGLength unowned(2, false, c.unit);
        EXPECT_NEAR(unowned.Pixels(), c.fallbackPixels, 1e-3) << int(c.unit);
        TOwnedLength owned;
        owned.Length.Initialize(2, false, c.unit);
        EXPECT_NEAR(owned.Length.Pixels(), c.documentPixels, 1e-3) << int(c.unit);
    }
}

TEST(Lengths, ValuesFollowTheOwnersFactorsAtEveryRead)
{
    TOwnedLength owned;
    owned.Length.Initialize(1.5f, false, TSVGUnit::suFontSize);
    owned.Factors[std::size_t(TSVGUnit::suFontSize)] = 10;
    EXPECT_FLOAT_EQ(owned.Length.GetValue(), 15);
    // A new font size reaches the length without touching it.
    owned.Factors[std::size_t(TSVGUnit::suFontSize)] = 20;
    EXPECT_FLOAT_EQ(owned.Length.GetValue(), 30);
    owned.Length.SetaUnit(TSVGUnit::suInches);
    owned.Factors[std::size_t(TSVGUnit::suInches)] = 300;
    EXPECT_FLOAT_EQ(owned.Length.GetValue(), 30.0f / 96 * 300);
}

TEST(Lengths, ChangingTheUnitKeepsThePhysicalSize)
{
    TOwnedLength owned;
    owned.Length.Initialize(96, false, TSVGUnit::suPixels);
    owned.Length.SetaUnit(TSVGUnit::suMillimeters);
    EXPECT_NEAR(owned.Length.Raw(), 25.4, 1e-3);
    EXPECT_NEAR(owned.Length.Pixels(), 96, 1e-3);
    EXPECT_FALSE(owned.Length.IsPercent());
    owned.Length.SetaUnit(TSVGUnit::suPercent);
    EXPECT_TRUE(owned.Length.IsPercent());
}

TEST(Lengths, AZeroUnitFactorNeverDividesByZero)
{
    TOwnedLength owned;
    owned.Factors[std::size_t(TSVGUnit::suFontSize)] = 0;
    owned.Factors[std::size_t(TSVGUnit::suFontXHeight)] = 0;
    owned.Length.Initialize(3, false, TSVGUnit::suFontSize);
    owned.Changes.Count = 0;

    owned.Length.SetPixels(10);
    EXPECT_EQ(owned.Length.Raw(), 3);
    EXPECT_EQ(owned.Changes.Count, 0);

    owned.Length.SetaUnit(TSVGUnit::suFontXHeight);
    EXPECT_TRUE(std::isfinite(owned.Length.Raw()));
    EXPECT_EQ(owned.Length.Raw(), 3);
    EXPECT_EQ(owned.Length.Pixels(), 0);
}

TEST(Lengths, SettersNotifyOnlyRealChanges)
{
    TOwnedLength owned;
    owned.Length.Initialize(12, false, TSVGUnit::suPoints);
    owned.Changes.Count = 0;
    owned.Length.SetPixels(owned.Length.Pixels());
    owned.Length.SetRaw(12);
    owned.Length.SetIsPercent(false);
    owned.Length.SetaUnit(TSVGUnit::suPoints);
    EXPECT_EQ(owned.Changes.Count, 0);
    owned.Length.SetRaw(13);
    EXPECT_EQ(owned.Changes.Count, 1);
}

TEST(Lengths, ClearAndAssignKeepTheDefaultPercentFlag)
{
    TSVGLength source(0.5f, true, TSVGUnit::suPercent);
    TSVGLength copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Raw(), 0.5f);
    EXPECT_TRUE(copy.IsPercent());
    EXPECT_TRUE(copy.DefaultIsPercent());
    copy.Clear();
    EXPECT_EQ(copy.Raw(), 0);
    EXPECT_EQ(copy.aUnit(), TSVGUnit::suNone);
    EXPECT_TRUE(copy.IsPercent());

    QString message;
    try {
        TSVGViewBox box;
        copy.Assign(&box);
    } catch (const EConvertError& e) {
        message = e.Message();
    }
    EXPECT_EQ(Text(message), "Cannot assign a TSVGViewBox to a TSVGLength");
}

// ---------------------------------------------------------------------------
// Percentages

TEST(Lengths, PercentagesResolveAgainstTheRangeOfTheMoment)
{
    TSVGLength length;
    ParseLengthValue(u"50%", length, 0, 1);
    EXPECT_FLOAT_EQ(length.Raw(), 0.5f);
    EXPECT_TRUE(length.IsPercent());
    EXPECT_FLOAT_EQ(length.GetPercentValue(0, 100), 50);
    EXPECT_EQ(Text(FormatLength(length, DefaultFormat, 0, 100)), "50%");
    // Without a range handler the fraction itself.
    EXPECT_FLOAT_EQ(length.GetValue(), 0.5f);

    float viewportWidth = 200;
    length.OnRange = [&viewportWidth](const TSVGLength&, float& min, float& max, bool&) {
        min = 0;
        max = viewportWidth;
    };
    EXPECT_FLOAT_EQ(length.GetValue(), 100);
    viewportWidth = 50;
    EXPECT_FLOAT_EQ(length.GetValue(), 25);
    length.OnRange = [](const TSVGLength&, float&, float&, bool& doRange) { doRange = false; };
    EXPECT_FLOAT_EQ(length.GetValue(), 0.5f);
}

// ---------------------------------------------------------------------------
// Text

TEST(LengthText, ParseLengthReadsUnitAndNumber)
{
    struct Case {
        const char16_t* text;
        TSVGUnit unit;
        float raw;
        bool percent;
        float pixels; // at 96 dpi
    };
    // Each case starts from a unitless length of 7.
    const Case cases[] = {
        {u"12pt", TSVGUnit::suPoints, 12, false, 16},
        {u"12px", TSVGUnit::suPixels, 12, false, 12},
        {u"5", TSVGUnit::suNone, 5, false, 5},
        {u" 2.5MM ", TSVGUnit::suMillimeters, 2.5f, false, 9.4488f},
        {u"1in", TSVGUnit::suInches, 1, false, 96},
        {u"-1.5e1cm", TSVGUnit::suCentimeters, -15, false, -566.929f},
        {u"50%", TSVGUnit::suPercent, 50, true, 50},
        {u"Infinity", TSVGUnit::suNone, 1e8f, false, 1e8f},
        {u"-INFINITY", TSVGUnit::suNone, -1e8f, false, -1e8f},
        {u"5Q", TSVGUnit::suNone, 7, false, 7},
        {u"px", TSVGUnit::suPixels, 7, false, 7},
        {u"", TSVGUnit::suNone, 7, false, 7},
        {u"   ", TSVGUnit::suNone, 7, false, 7},
    };
    for (const Case& c : cases) {
        TOwnedLength owned;
        owned.Length.SetRaw(7);
        ParseLength(c.text, owned.Length);
        const std::string label = Text(QString::fromUtf16(c.text));
        EXPECT_EQ(owned.Length.aUnit(), c.unit) << label;
        EXPECT_FLOAT_EQ(owned.Length.Raw(), c.raw) << label;
        EXPECT_EQ(owned.Length.IsPercent(), c.percent) << label;
        EXPECT_NEAR(owned.Length.Pixels(), c.pixels, std::abs(c.pixels) * 1e-4) << label;
    }
}

TEST(LengthText, LengthsReadBackAsTheyWereWritten)
{
    const char16_t* texts[] = {u"12pt", u"3pc", u"2.54cm", u"-3in", u"25.4mm", u"1.5em", u"0.5ex", u"50%", u"0", u"7.125"};
    for (const char16_t* text : texts) {
        TOwnedLength owned;
        ParseLengthValue(text, owned.Length, 0, 1);
        EXPECT_EQ(Text(FormatLength(owned.Length, DefaultFormat, 0, 100)), Text(QString::fromUtf16(text)));
    }
    // Pixels carry no suffix.
    TSVGLength pixels;
    ParseLengthValue(u"12px", pixels, 0, 1);
    EXPECT_EQ(Text(FormatLength(pixels, DefaultFormat, 0, 100)), "12");
    // A percentage whose mapped value would leave the float range keeps its number.
    TSVGLength huge;
    ParseLengthValue(u"3e38%", huge, 0, 1000);
    EXPECT_FLOAT_EQ(huge.Raw(), 3e38f);
    // A number that overflows once converted to pixels is refused as a whole.
    TSVGLength kept(2, false, TSVGUnit::suCentimeters);
    ParseLength(u"3e38in", kept);
    EXPECT_EQ(kept.aUnit(), TSVGUnit::suCentimeters);
    EXPECT_EQ(kept.Raw(), 2);
}

TEST(LengthText, PropertyLengthsFollowTheInheritKeyword)
{
    TSVGLength length(3, false, TSVGUnit::suNone);
    bool inherited = false;
    ParseLengthProperty(u"inherit", length, inherited, 0, 1);
    EXPECT_TRUE(inherited);
    EXPECT_EQ(length.Raw(), 3);
    ParseLengthProperty(u"", length, inherited, 0, 1);
    EXPECT_TRUE(inherited);
    ParseLengthProperty(u"25%", length, inherited, 0, 1);
    EXPECT_FALSE(inherited);
    EXPECT_FLOAT_EQ(length.Raw(), 0.25f);
}

TEST(LengthText, UnitValuesConvertToUserUnits)
{
    struct Case {
        const char16_t* text;
        float value;
        TSVGUnit unit;
    };
    const Case cases[] = {
        {u"2in", 192, TSVGUnit::suInches},
        {u"10%", 10, TSVGUnit::suPercent},
        {u"-infinity", -1e8f, TSVGUnit::suNone},
        {u"abcpt", -1, TSVGUnit::suPoints},
        {u"3e38in", -1, TSVGUnit::suInches}, // beyond the float range once converted
        {u"", -1, TSVGUnit::suFontSize}, // the unit stays as it was
    };
    for (const Case& c : cases) {
        TSVGUnit unit = TSVGUnit::suFontSize;
        EXPECT_FLOAT_EQ(ParseUnitValue(c.text, unit, Document96, -1), c.value) << Text(QString::fromUtf16(c.text));
        EXPECT_EQ(unit, c.unit);
    }
}

TEST(LengthText, LengthListsReuseGrowAndShrink)
{
    TSVGLengths lengths;
    ParseLengthList(u"1 2,3", lengths, 0, 1);
    ASSERT_EQ(lengths.Count(), 3);
    TSVGLength* first = &lengths[0];

    ParseLengthList(u"4mm,50%", lengths, 0, 1);
    ASSERT_EQ(lengths.Count(), 2);
    EXPECT_EQ(&lengths[0], first);
    EXPECT_EQ(lengths[0].aUnit(), TSVGUnit::suMillimeters);
    EXPECT_FLOAT_EQ(lengths[1].Raw(), 0.5f);
    EXPECT_EQ(Text(FormatLengthList(lengths, DefaultFormat, QStringLiteral(" "))), "4mm 50%");

    ParseLengthList(u"", lengths, 0, 1);
    EXPECT_EQ(lengths.Count(), 0);
    EXPECT_THROW(lengths.Items(0), EListError);
}

TEST(LengthText, ClonedListsAreDeepAndKeepTheLengthClasses)
{
    TSVGLengths lengths;
    lengths.Add(std::make_unique<TSVGLength>(1, false, TSVGUnit::suPoints));
    auto autoLength = std::make_unique<TSVGStylePropertyAutoLength>(TSVGStyleProperty::ipKerning);
    autoLength->SetAutomatic(false);
    lengths.Add(std::move(autoLength));

    TSVGLengths copy;
    copy.Add(std::make_unique<TSVGLength>());
    lengths.Clone(copy);
    ASSERT_EQ(copy.Count(), 2);
    copy[0].SetRaw(9);
    EXPECT_EQ(lengths[0].Raw(), 1);
    auto* clonedAuto = dynamic_cast<TSVGStylePropertyAutoLength*>(&copy[1]);
    ASSERT_NE(clonedAuto, nullptr);
    EXPECT_FALSE(clonedAuto->Automatic());
    EXPECT_EQ(clonedAuto->StyleProperty(), TSVGStyleProperty::ipKerning);
    EXPECT_EQ(lengths.Clone()->Count(), 2);
}

// ---------------------------------------------------------------------------
// Style property lengths

namespace {

// A child length wired to a parent length the way an element wires them.
struct TInheritingPair {
    TSVGStylePropertyAutoLength Parent{TSVGStyleProperty::ipLetterSpacing};
    TSVGStylePropertyAutoLength Child{TSVGStyleProperty::ipLetterSpacing};
    bool ChildInherits = true;

    TInheritingPair()
    {
        Child.OnGetInherited = [this](const TSVGStylePropertyLength&, bool& inherited) { inherited = ChildInherits; };
        Child.OnSetInherited = [this](TSVGStylePropertyLength&, bool inherited) { ChildInherits = inherited; };
        Child.OnGetParent = [this](const TSVGStylePropertyLength&, TSVGStylePropertyLength*& parent) {
            parent = &Parent;
        };
    }
};

} // namespace

TEST(StylePropertyLengths, InheritingLengthsShowTheParentsValue)
{
    TInheritingPair pair;
    pair.Parent.Initialize(4, false, TSVGUnit::suPixels);
    pair.Parent.SetAutomatic(false);
    pair.Child.Initialize(1, false, TSVGUnit::suPixels);
    EXPECT_TRUE(pair.Child.ParentValue());
    EXPECT_EQ(pair.Child.GetValue(), 4);
    EXPECT_FALSE(pair.Child.Automatic());

    // An own value ends the inheriting, also when it equals the own raw number.
    pair.Child.SetValue(1);
    EXPECT_FALSE(pair.ChildInherits);
    EXPECT_EQ(pair.Child.GetValue(), 1);
    EXPECT_TRUE(pair.Child.Automatic());

    pair.Child.SetParentValue(true);
    pair.Child.SetAutomatic(true);
    EXPECT_FALSE(pair.ChildInherits);
    EXPECT_TRUE(pair.Child.Automatic());
}

TEST(StylePropertyLengths, BaselineShiftClearsToBaseline)
{
    TSVGBaselineShiftLength shift(TSVGStyleProperty::ipBaselineShift);
    shift.SetShift(TSVGBaselineShift::bsSuperscript);
    auto clone = shift.Clone();
    EXPECT_EQ(dynamic_cast<TSVGBaselineShiftLength&>(*clone).Shift(), TSVGBaselineShift::bsSuperscript);
    shift.Clear();
    EXPECT_EQ(shift.Shift(), TSVGBaselineShift::bsBaseline);
}

// ---------------------------------------------------------------------------
// View boxes

TEST(ViewBox, ParsedBoxesAreSpecifiedAndNotifyOnce)
{
    TSVGViewBox box;
    TChangeCounter changes;
    box.OnChange = changes.Slot();
    ParseViewBox(u"0,0 100 50", box);
    EXPECT_EQ(box.Rect(), QRectF(0, 0, 100, 50));
    EXPECT_TRUE(box.Specified());
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(Text(box.ToString(DefaultFormat, 0, 100)), "0 0 100 50");

    box.Clear();
    EXPECT_FALSE(box.Specified());
    EXPECT_EQ(changes.Count, 2);
    ParseViewBox(u"  ", box);
    EXPECT_FALSE(box.Specified());
}

TEST(ViewBox, PartialBoxesAndUnits)
{
    TSVGViewBox box(QRectF(1, 2, 3, 4));
    ParseViewBox(u"10 20 1in", box);
    EXPECT_EQ(box.Left(), 10);
    EXPECT_EQ(box.Top(), 20);
    EXPECT_EQ(box.Width().GetValue(), 96);
    EXPECT_EQ(box.Height().GetValue(), 4);

    box.SetOnUnitFactors([](const TPersistent&, TSVGUnitFactors& factors) {
        factors[std::size_t(TSVGUnit::suInches)] = 300;
    });
    EXPECT_EQ(box.Rect(), QRectF(10, 20, 300, 4));
    EXPECT_EQ(box.GetUnitFactors()[std::size_t(TSVGUnit::suInches)], 300);
}

TEST(ViewBox, EdgesSetTheLengths)
{
    TSVGViewBox box(1, 2, 11, 22);
    EXPECT_EQ(box.Rect(), QRectF(1, 2, 10, 20));
    box.SetRight(-4);
    box.SetBottom(0);
    EXPECT_EQ(box.Width().GetValue(), 5);
    EXPECT_EQ(box.Height().GetValue(), 2);

    TSVGViewBox copy;
    TChangeCounter changes;
    copy.OnChange = changes.Slot();
    copy.Assign(&box);
    EXPECT_EQ(copy.Rect(), box.Rect());
    EXPECT_TRUE(copy.Specified());
    EXPECT_EQ(changes.Count, 1);
    TSVGViewBox unspecified;
    copy.Assign(&unspecified);
    EXPECT_FALSE(copy.Specified());
}

// ---------------------------------------------------------------------------
// Aspect ratio

TEST(AspectRatio, ParsingReadsDeferAlignAndSlice)
{
    struct Case {
        const char16_t* text;
        bool defer;
        TSVGAlign align;
        bool slice;
    };
    const Case cases[] = {
        {u"defer xMidYMax slice", true, TSVGAlign::saXMidYMax, true},
        {u"xMinYMin", false, TSVGAlign::saXMinYMin, false},
        {u"  xMaxYMax   meet ", false, TSVGAlign::saXMaxYMax, false},
        {u"meet", false, TSVGAlign::saNone, false},
        {u"none slice", false, TSVGAlign::saNone, true},
        {u"XMIDYMID slice", false, TSVGAlign::saNone, true},
        {u"defer", false, TSVGAlign::saNone, false},
        {u"xMidYMid bogus", false, TSVGAlign::saXMidYMid, false},
    };
    for (const Case& c : cases) {
        TSVGPreserveAspectRatio ratio(TSVGAlign::saXMidYMid, false, false);
        ParseAspectRatio(c.text, ratio);
        const std::string label = Text(QString::fromUtf16(c.text));
        EXPECT_EQ(ratio.Defer(), c.defer) << label;
        EXPECT_EQ(ratio.Align(), c.align) << label;
        EXPECT_EQ(ratio.Slice(), c.slice) << label;
    }
}

TEST(AspectRatio, WritingAndDefaults)
{
    TSVGPreserveAspectRatio ratio(TSVGAlign::saXMidYMid, false, false);
    EXPECT_EQ(Text(ratio.ToString(true)), "xMidYMid");
    EXPECT_EQ(Text(ratio.ToString(false)), "xMidYMid meet");

    TChangeCounter changes;
    ratio.OnChange = changes.Slot();
    ParseAspectRatio(u"", ratio);
    ratio.SetAlign(TSVGAlign::saXMidYMid);
    EXPECT_EQ(changes.Count, 0);

    ParseAspectRatio(u"defer none slice", ratio);
    EXPECT_EQ(Text(ratio.ToString(true)), "defer none slice");

    TSVGPreserveAspectRatio copy(TSVGAlign::saNone, true, true);
    copy.Assign(&ratio);
    EXPECT_EQ(Text(copy.ToString(false)), "defer none slice");
    copy.Clear();
    EXPECT_EQ(Text(copy.ToString(false)), "xMidYMid meet");
}

// ---------------------------------------------------------------------------
// Bitmap size

TEST(BitmapSize, EachWrapModeSizesTheBitmap)
{
    struct Case {
        TSVGImageWrapMode mode;
        float documentWidth, documentHeight, targetWidth, targetHeight, scale;
        QSizeF size;
    };
    using enum TSVGImageWrapMode;
    const Case cases[] = {
        {iwFit, 200, 100, 50, 50, 1, {50, 25}},
        {iwFit, 100, 200, 50, 50, 3, {25, 50}},
        {iwStretch, 200, 100, 30, 40, 1, {30, 40}},
        {iwOriginal, 200, 100, 30, 40, 2, {400, 200}},
        {iwTile, 200, 100, 30, 40, 0.5, {100, 50}},
        {iwCenter, 200, 100, 30, 40, 1, {200, 100}},
        // Over-large bitmaps keep their aspect at 8096.
        {iwOriginal, 200, 100, 0, 0, 100, {8096, 4048}},
        {iwOriginal, 100, 20000, 0, 0, 1, {40.48, 8096}},
        {iwOriginal, 2e30f, 1e30f, 0, 0, 1e20f, {8096, 4048}},
        {iwOriginal, INFINITY, 100, 0, 0, 1, {8096, 0}},
        // A document without area is stretched.
        {iwOriginal, 0, 100, 30, 40, 1, {30, 40}},
        // A target without area gives no bitmap rather than a division by zero.
        {iwFit, 200, 100, 0, 50, 1, {0, 0}},
        {iwFit, 200, 100, 50, -1, 1, {0, 0}},
        {iwStretch, 200, 100, 0, 50, 1, {0, 0}},
        {iwOriginal, 200, 100, 0, 0, 1, {200, 100}},
        {iwOriginal, 200, 100, 0, 0, -1, {0, 0}},
    };
    for (const Case& c : cases) {
        const QSizeF size =
            CalcBitmapSize(c.mode, c.documentWidth, c.documentHeight, c.targetWidth, c.targetHeight, c.scale);
        EXPECT_NEAR(size.width(), c.size.width(), 1e-2) << int(c.mode) << " " << c.documentWidth;
        EXPECT_NEAR(size.height(), c.size.height(), 1e-2) << int(c.mode) << " " << c.documentWidth;
    }
}
