// The classic clock's hands and derived colours, and the digital clock's
// digits and sign for every hour in both forms, its start, and its artwork
// without digits.

#include <gtest/gtest.h>

#include "instruments/classic_clock.h"
#include "instruments/digital_clock.h"
#include "platform/exceptions.h"
#include "gallery_test_support.h"

namespace zor::test {
namespace {

TEST(ClassicClock, TheHandsTurnFromWhereTheArtworkDrawsThem)
{
    auto clock = CreateInstrument<TZorClock>();
    EXPECT_NEAR(clock->Time(), Now(), 1.0 / 24);
    int changes = 0;
    clock->OnChange = [&](TZorSVGCustomInstrument*) { ++changes; };
    clock->SetTime(EncodeTime(3, 0, 0, 0));
    EXPECT_EQ(changes, 1);
    EXPECT_NEAR(TurnOf(*clock, QStringLiteral("HourHand")), -135, 1e-4);
    EXPECT_NEAR(TurnOf(*clock, QStringLiteral("MinuteHand")), -105, 1e-4);
    EXPECT_NEAR(TurnOf(*clock, QStringLiteral("SecondHand")), 30, 1e-4);
    // The hour hand moves on with the minutes, the minute hand with the seconds.
    clock->SetTime(EncodeTime(3, 30, 30, 0));
    EXPECT_NEAR(TurnOf(*clock, QStringLiteral("HourHand")), -135 + 15, 1e-4);
    EXPECT_NEAR(TurnOf(*clock, QStringLiteral("MinuteHand")), 180 + 3 - 105, 1e-4);
    EXPECT_EQ(clock->AccessibleValueText(), "03:30:30");
    EXPECT_EQ(clock->ActiveSVGElement(), ElementOf(*clock, QStringLiteral("ClockHands")));
}

TEST(ClassicClock, HandAndBackfaceColoursAreDerived)
{
    auto clock = CreateInstrument<TZorClock>();
    clock->SetHourHandFillColor(0xFF202020);
    EXPECT_EQ(StopsOf(*clock, "linearGradientHourHand"), std::vector<TAlphaColor>({0xFF202020, 0xFF000000}));
    clock->SetHourHandFillColor(0xFFF5F5F4);
    clock->SetHourHandFillColor(0xFFF5F5F5);
    EXPECT_EQ(StopsOf(*clock, "linearGradientHourHand"), std::vector<TAlphaColor>({0xFFF5F5F5, 0xFFCDCDCD}));
    clock->SetSecondHandFillColor(0xFF3CA1F7);
    clock->SetSecondHandFillColor(0xFF3CA1F6);
    EXPECT_EQ(StopsOf(*clock, "linearGradientSecondHand").front(), 0xFF5AF2FFu);
    clock->SetBackfaceColor(0xFF266081);
    clock->SetBackfaceColor(0xFF266080);
    EXPECT_EQ(StopsOf(*clock, "radialGradientGlassBottom").front(), 0xFFA5DFFFu);
    EXPECT_EQ(StopsOf(*clock, "radialGradientBackface"), std::vector<TAlphaColor>({0xFF133040, 0xFF266080}));
    // The frame colour is no colour of the artwork's until written.
    EXPECT_EQ(clock->FrameColor(), 0u);
}

// The digits a clock shows, first to last.
std::array<int, 4> ShownDigits(const TZorDigitalClock& Clock)
{
    std::array<int, 4> digits{};
    for (std::size_t i = 0; i < digits.size(); ++i)
        digits[i] = Clock.ShownDigit(QString::fromLatin1(TZorDigitalClock::DigitIDs[i]));
    return digits;
}

// Whether the sign shows AM and PM.
std::pair<bool, bool> Sign(TZorDigitalClock& Clock)
{
    return {ElementOf(Clock, QStringLiteral("AM"))->Display(), ElementOf(Clock, QStringLiteral("PM"))->Display()};
}

TEST(DigitalClock, ShowsEveryHourInBothForms)
{
    auto clock = CreateInstrument<TZorDigitalClock>();
    EXPECT_EQ(clock->size(), QSize(200, 75));
    for (const bool twentyFour : {false, true}) {
        clock->SetTwentyFourHour(twentyFour);
        for (int hour = 0; hour < 24; ++hour) {
            SCOPED_TRACE(QStringLiteral("%1 h, 24-hour %2").arg(hour).arg(twentyFour).toStdString());
            clock->SetTime(EncodeDate(2024, 3, 1) + EncodeTime(hour, 7, 0, 0));
            EXPECT_EQ(ShownDigits(*clock), ClockDigits(hour, 7, twentyFour).Digits);
            EXPECT_EQ(clock->IsPM(), hour >= 12);
            const std::pair<bool, bool> sign = Sign(*clock);
            EXPECT_EQ(sign.first, !twentyFour && hour < 12);
            EXPECT_EQ(sign.second, !twentyFour && hour >= 12);
        }
    }
    EXPECT_EQ(clock->AccessibleValueText(), "23:07");
}

TEST(DigitalClock, ShowsItsTimeFromTheStartAndOnlyTheDigitsChange)
{
    auto clock = CreateInstrument<TZorDigitalClock>();
    // Time 0 is midnight.
    EXPECT_EQ(ShownDigits(*clock), (std::array<int, 4>{1, 2, 0, 0}));
    EXPECT_EQ(Sign(*clock), std::make_pair(true, false));
    Picture(*clock);
    ASSERT_FALSE(clock->NeedBuffers());
    int changes = 0;
    clock->OnChange = [&](TZorSVGCustomInstrument*) { ++changes; };
    clock->SetTime(EncodeTime(13, 7, 0, 0));
    EXPECT_EQ(ShownDigits(*clock), (std::array<int, 4>{BlankDigit, 1, 0, 7}));
    EXPECT_EQ(Sign(*clock), std::make_pair(false, true));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(clock->NeedBuffers());
    EXPECT_EQ(clock->AccessibleValueText(), "1:07 PM");
}

TEST(DigitalClock, AnArtworkWithoutItsDigitsIsAnError)
{
    auto clock = CreateInstrument<TZorDigitalClock>();
    TSVGElement* digit = ElementOf<TSVGElement>(*clock, QStringLiteral("d2"));
    digit->Parent()->RemoveChild(digit);
    const TDateTime noon = EncodeTime(12, 0, 0, 0);
    EXPECT_THROW(clock->SetTime(noon), EListError);
    EXPECT_EQ(clock->Time(), noon);
    TSVGElement* minutes = ElementOf<TSVGElement>(*clock, QStringLiteral("d4"));
    minutes->RemoveChild(minutes->Items().Last());
    EXPECT_THROW(clock->SetTime(EncodeTime(1, 0, 0, 0)), EListError);
}

} // namespace
} // namespace zor::test
