#include "platform/date_time.h"

#include <QDateTime>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "platform/exceptions.h"

namespace zor {

namespace {

using namespace std::chrono;

constexpr const char* InvalidDateEncode = "Invalid argument to date encode";
constexpr const char* InvalidTimeEncode = "Invalid argument to time encode";
constexpr std::int64_t MillisecondsPerDay = 86400000;
// Beyond about 2.7 million years either way the calendar stops.
constexpr double DayLimit = 1e9;

// Day 0 of the count.
constexpr sys_days Epoch = sys_days(year(1899) / December / 30);

// The calendar day and the milliseconds of its time of day. The fraction of
// a negative count is the time of day after its whole day (-1.25 is 29
// December, 6 o'clock); values beyond the calendar's range are limited to it.
void Split(TDateTime Value, sys_days& Day, std::int64_t& TimeOfDay)
{
    const double value = std::isnan(Value) ? 0.0 : std::clamp(Value, -DayLimit, DayLimit);
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    std::int64_t days = static_cast<std::int64_t>(whole);
    TimeOfDay = std::llround(fraction * MillisecondsPerDay);
    if (TimeOfDay >= MillisecondsPerDay) {
        TimeOfDay -= MillisecondsPerDay;
        days += whole < 0 ? -1 : 1;
    }
    Day = Epoch + std::chrono::days(days);
}

} // namespace

bool IsLeapYear(int Year)
{
    return year(Year).is_leap();
}

int DaysInMonth(int Year, int Month)
{
    if (Month < 1 || Month > 12)
        Raise<EConvertError>(QString::fromLatin1(InvalidDateEncode));
    const year_month_day_last last(year(Year), month_day_last(month(static_cast<unsigned>(Month))));
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

int DaysInYear(int Year)
{
    return IsLeapYear(Year) ? 366 : 365;
}

TDecodedDate DecodeDate(TDateTime Value)
{
    sys_days day;
    std::int64_t timeOfDay = 0;
    Split(Value, day, timeOfDay);
    const year_month_day date(day);
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

TDecodedTime DecodeTime(TDateTime Value)
{
    sys_days day;
    std::int64_t ms = 0;
    Split(Value, day, ms);
    TDecodedTime time;
    time.Hour = static_cast<int>(ms / 3600000);
    time.Minute = static_cast<int>(ms / 60000 % 60);
    time.Second = static_cast<int>(ms / 1000 % 60);
    time.MilliSecond = static_cast<int>(ms % 1000);
    return time;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        Raise<EConvertError>(QString::fromLatin1(InvalidDateEncode));
    const sys_days day(year(Year) / month(static_cast<unsigned>(Month)) / static_cast<unsigned>(Day));
    return static_cast<double>((day - Epoch).count());
}

TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond)
{
    if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59 || MilliSecond < 0 ||
        MilliSecond > 999)
        Raise<EConvertError>(QString::fromLatin1(InvalidTimeEncode));
    return (((Hour * 60.0 + Minute) * 60.0 + Second) * 1000.0 + MilliSecond) / MillisecondsPerDay;
}

int DayOfTheYear(TDateTime Value)
{
    sys_days day;
    std::int64_t timeOfDay = 0;
    Split(Value, day, timeOfDay);
    const year_month_day date(day);
    return static_cast<int>((day - sys_days(date.year() / January / 1)).count()) + 1;
}

TDateTime Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return EncodeDate(date.year(), date.month(), date.day()) +
           EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

} // namespace zor
