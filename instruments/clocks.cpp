#include "instruments/clocks.h"

#include <QDate>
#include <QLocale>
#include <cmath>

#include "instruments/circular_scale.h"
#include "platform/update_scope.h"
#include "svg/model/graphic_element.h"

namespace zor {

// --- Clock ------------------------------------------------------------------------

TZorCircularClock::TZorCircularClock(QWidget* Parent)
    : TZorCustomCircularGauge(Parent)
{
}

void TZorCircularClock::GenerateLabels()
{
    CreateMeasurementLabels();
}

double TZorCircularClock::AccessibleMaximum() const
{
    return LastSecondOfDay;
}

double TZorCircularClock::AccessibleValue() const
{
    return SecondsOfDay(Time());
}

void TZorCircularClock::SetAccessibleValue(double Value)
{
    SetTime(WithSecondsOfDay(Time(), Value));
}

QString TZorCircularClock::AccessibleValueText() const
{
    return TimeOfDayText(Time());
}

// --- Calendar ---------------------------------------------------------------------

TZorAnalogCalendar::TZorAnalogCalendar(QWidget* Parent)
    : TZorCustomCircularGauge(Parent)
{
    QStringList months;
    for (int month = 1; month <= 12; ++month)
        months += QLocale::c().monthName(month, QLocale::ShortFormat);
    Labels().Assign(months);
    SetHands({THand::ghBig});
    SetDefaultHands(Hands());
    SetParts(Parts() - TParts{TPart::gpMinorMarkers});
}

void TZorAnalogCalendar::GenerateLabels()
{
    CreateMeasurementLabels();
}

void TZorAnalogCalendar::UpdateAll()
{
    TZorCustomCircularGauge::UpdateAll();
    DestroyElement(QStringLiteral("LittleHand"));
    DestroyElement(QStringLiteral("ThinHand"));
}

int TZorAnalogCalendar::DaysOfMonth() const
{
    const TDecodedDate date = DecodeDate(Time());
    return DaysInMonth(date.Year, date.Month);
}

void TZorAnalogCalendar::GenerateMarkers()
{
    if (IsUpdating())
        return;
    TUpdateScope<TSVGDocument> update(SVG());
    FMarkedDays = DaysOfMonth();
    GenerateRing(QStringLiteral("SmallMarkers"), MinorMarkers() > 0, MinorMarkerPath(), FMarkedDays);
    GenerateMajorRing();
}

void TZorAnalogCalendar::UpdateTime()
{
    // The day marks follow the length of the month. The ring lies in the
    // layers: shown, they must be drawn again; hidden, showing it will.
    if (DaysOfMonth() != FMarkedDays) {
        GenerateMarkers();
        TSVGGraphicElement* ring = nullptr;
        if (TryGetElement(QStringLiteral("SmallMarkers"), ring) && ring->Display())
            ArtworkChanged();
    }
    const TDecodedDate date = DecodeDate(Time());
    const double days = DaysInMonth(date.Year, date.Month);
    {
        TUpdateScope<TSVGDocument> update(SVG());
        RotateHand(QStringLiteral("LittleHand"), static_cast<float>(date.Day / days * 360));
        RotateHand(QStringLiteral("BigHand"), static_cast<float>((date.Day / days + date.Month - 1) / 12 * 360));
    }
    HandsMoved();
}

int TZorAnalogCalendar::DayOfYear() const
{
    return DayOfTheYear(Time());
}

void TZorAnalogCalendar::SetDayOfYear(int Value)
{
    const int year = DecodeDate(Time()).Year;
    const int day = std::clamp(Value, 1, DaysInYear(year));
    SetTime(EncodeDate(year, 1, 1) + day - 1);
}

double TZorAnalogCalendar::AccessibleMaximum() const
{
    return DaysInYear(DecodeDate(Time()).Year);
}

void TZorAnalogCalendar::SetAccessibleValue(double Value)
{
    SetDayOfYear(static_cast<int>(std::clamp(std::trunc(Value), 0.0, 366.0)));
}

QString TZorAnalogCalendar::AccessibleValueText() const
{
    const TDecodedDate date = DecodeDate(Time());
    return QLocale().toString(QDate(date.Year, date.Month, date.Day), QLocale::LongFormat);
}

} // namespace zor
