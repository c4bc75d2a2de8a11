#pragma once
// The round clock, whose hands follow a time of day, and the analogue
// calendar, whose hand shows the day of the year.

#include "instruments/circular_gauge.h"

namespace zor {

class TZorCircularClock : public TZorCustomCircularGauge {
    Q_OBJECT
    Q_PROPERTY(quint64 Hands READ HandBits WRITE SetHandBits NOTIFY handsChanged)
    Q_PROPERTY(double Time READ Time WRITE SetTime NOTIFY timeChanged)
    Q_PROPERTY(zor::TAlphaColor LittleHandColor READ LittleHandColor WRITE SetLittleHandColor NOTIFY
                   littleHandColorChanged)
    Q_PROPERTY(zor::TAlphaColor ThinHandColor READ ThinHandColor WRITE SetThinHandColor NOTIFY thinHandColorChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{};

    explicit TZorCircularClock(QWidget* Parent = nullptr);

    using TZorCustomCircularGauge::LittleHandColor;
    using TZorCustomCircularGauge::SetLittleHandColor;
    using TZorCustomCircularGauge::SetThinHandColor;
    using TZorCustomCircularGauge::SetTime;
    using TZorCustomCircularGauge::ThinHandColor;
    using TZorCustomCircularGauge::Time;

    // The time of day in seconds since midnight, said as "hh:mm:ss".
    double AccessibleMinimum() const override { return 0; }
    double AccessibleMaximum() const override;
    double AccessibleValue() const override;
    void SetAccessibleValue(double Value) override;
    QString AccessibleValueText() const override;

protected:
    // The Roman numerals stay as set.
    void GenerateLabels() override;
};

class TZorAnalogCalendar : public TZorCustomCircularGauge {
    Q_OBJECT
    Q_PROPERTY(int DayOfYear READ DayOfYear WRITE SetDayOfYear NOTIFY timeChanged)
    Q_PROPERTY(double Time READ Time WRITE SetTime NOTIFY timeChanged)

public:
    static constexpr TStreamDefaults StreamDefaults{.Parts = ((std::uint64_t(1) << 13) - 1) &
                                                             ~(std::uint64_t(1) << int(TCircularGaugePart::gpMinorMarkers))};

    explicit TZorAnalogCalendar(QWidget* Parent = nullptr);

    using TZorCustomCircularGauge::SetTime;
    using TZorCustomCircularGauge::Time;

    // The day of the year of Time, 1 for the first of January. Setting it
    // moves Time to that day of its year at midnight; 0 is the first day and
    // days past the year's end its last.
    int DayOfYear() const;
    void SetDayOfYear(int Value);

    // The day of the year, said as the date.
    double AccessibleMinimum() const override { return 1; }
    double AccessibleMaximum() const override;
    double AccessibleValue() const override { return DayOfYear(); }
    void SetAccessibleValue(double Value) override;
    QString AccessibleValueText() const override;

protected:
    // The month names stay as set.
    void GenerateLabels() override;
    // The minor ring has a mark per day of the month of Time.
    void GenerateMarkers() override;
    void UpdateAll() override;
    void UpdateTime() override;

private:
    // The days of the month of Time.
    int DaysOfMonth() const;

    // The day marks the minor ring has now.
    int FMarkedDays = 0;
};

} // namespace zor
