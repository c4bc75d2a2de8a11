#pragma once
// The season the analogue calendar shows for a day of the year: its emblem
// and the emblem's colour.

#include "instruments/decoration_catalogue.h"
#include "svg/values/colors.h"

namespace zor {

struct TSeasonLook {
    TDecoration Decoration;
    TAlphaColor Color;
};

// Spring from day 80 to 171, summer 172 to 265, autumn 266 to 355, winter
// on every other day (also outside 1..366).
TSeasonLook SeasonOfDay(int DayOfYear);

} // namespace zor
