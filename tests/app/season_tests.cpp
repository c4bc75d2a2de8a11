#include <gtest/gtest.h>

#include "app/season.h"

using namespace zor;

TEST(Season, BoundariesFallOnTheDaysTheRuleNames)
{
    const struct {
        int Day;
        TDecoration Decoration;
        TAlphaColor Color;
    } cases[] = {
        {1, TDecoration::dcWinter, 0xFFFFFFFF},    {79, TDecoration::dcWinter, 0xFFFFFFFF},
        {80, TDecoration::dcSpring, 0xFF00FF7F},   {171, TDecoration::dcSpring, 0xFF00FF7F},
        {172, TDecoration::dcSummer, 0xFFFFFF00},  {265, TDecoration::dcSummer, 0xFFFFFF00},
        {266, TDecoration::dcAutumn, 0xFFFF4500},  {355, TDecoration::dcAutumn, 0xFFFF4500},
        {356, TDecoration::dcWinter, 0xFFFFFFFF},  {366, TDecoration::dcWinter, 0xFFFFFFFF},
        {0, TDecoration::dcWinter, 0xFFFFFFFF},    {400, TDecoration::dcWinter, 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        const TSeasonLook look = SeasonOfDay(c.Day);
        EXPECT_EQ(look.Decoration, c.Decoration) << c.Day;
        EXPECT_EQ(look.Color, c.Color) << c.Day;
    }
}
