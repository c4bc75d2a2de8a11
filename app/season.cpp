#include "app/season.h"

#include <array>

namespace zor {

namespace {

struct TSeasonRow {
    int FirstDay;
    int LastDay;
    TSeasonLook Look;
};

constexpr std::array<TSeasonRow, 3> Seasons = {{
    {80, 171, {TDecoration::dcSpring, 0xFF00FF7F}},
    {172, 265, {TDecoration::dcSummer, 0xFFFFFF00}},
    {266, 355, {TDecoration::dcAutumn, 0xFFFF4500}},
}};

constexpr TSeasonLook Winter = {TDecoration::dcWinter, 0xFFFFFFFF};

} // namespace

TSeasonLook SeasonOfDay(int DayOfYear)
{
    for (const TSeasonRow& row : Seasons)
        if (DayOfYear >= row.FirstDay && DayOfYear <= row.LastDay)
            return row.Look;
    return Winter;
}

} // namespace zor
