#include "instruments/round_instrument_streaming.h"

#include <span>

#include "instruments/altimeters.h"
#include "instruments/barometers.h"
#include "instruments/clocks.h"
#include "instruments/compass.h"
#include "instruments/fuel_gauges.h"
#include "instruments/instrument_streaming.h"
#include "instruments/speedometers.h"
#include "instruments/switches.h"

namespace zor {

namespace {

using TGauge = TZorCustomCircularGauge;

// The labels are published as the Qt property every gauge declares.
QStringList LabelsOf(const TGauge& Gauge)
{
    return Gauge.property("Labels").toStringList();
}

void SetLabelsOf(TGauge& Gauge, const QStringList& Value)
{
    Gauge.setProperty("Labels", Value);
}

bool IsLabelsStoredOf(const TGauge& Gauge)
{
    return Gauge.IsLabelsStored();
}

// What every round instrument stores, with the defaults they share.
void RegisterGaugeBase(TStreamRegistry& Registry)
{
    const std::span<const char* const> markers(CircularGaugeMarkerNames);
    Registry.Register<TGauge, TZorSVGCustomInstrument>(QStringLiteral("TZorCustomCircularGauge"), {})
        .Property(QStringLiteral("DecorationFillColor"), &TGauge::DecorationFillColor, &TGauge::SetDecorationFillColor,
                  TGauge::DefaultDecorationFillColor)
        .Property(QStringLiteral("DecorationStrokeColor"), &TGauge::DecorationStrokeColor,
                  &TGauge::SetDecorationStrokeColor, TGauge::DefaultDecorationStrokeColor)
        .Property(QStringLiteral("Caption"), &TGauge::Caption, &TGauge::SetCaption)
        .Stored(&TGauge::IsCaptionStored)
        .Property(QStringLiteral("DetailText"), &TGauge::DetailText, &TGauge::SetDetailText)
        .Stored(&TGauge::IsDetailTextStored)
        .Object(QStringLiteral("Font"), [](TGauge& gauge) -> TPersistent& { return gauge.Font(); })
        .Object(QStringLiteral("CaptionFont"), [](TGauge& gauge) -> TPersistent& { return gauge.CaptionFont(); })
        .Property(QStringLiteral("BoltColor"), &TGauge::BoltColor, &TGauge::SetBoltColor, TGauge::DefaultBoltColor)
        .Property(QStringLiteral("KnobColor"), &TGauge::KnobColor, &TGauge::SetKnobColor, TGauge::DefaultKnobColor)
        .Property(QStringLiteral("FrameColor"), &TGauge::FrameColor, &TGauge::SetFrameColor, TGauge::DefaultFrameColor)
        .Property(QStringLiteral("BackfaceColor"), &TGauge::BackfaceColor, &TGauge::SetBackfaceColor,
                  TGauge::DefaultBackfaceColor)
        .Property(QStringLiteral("MajorMarkersColor"), &TGauge::MajorMarkersColor, &TGauge::SetMajorMarkersColor,
                  TGauge::DefaultMajorMarkersColor)
        .Property(QStringLiteral("MinorMarkersColor"), &TGauge::MinorMarkersColor, &TGauge::SetMinorMarkersColor,
                  TGauge::DefaultMinorMarkersColor)
        .Property(QStringLiteral("LabelsFillColor"), &TGauge::LabelsFillColor, &TGauge::SetLabelsFillColor,
                  TGauge::DefaultLabelsFillColor)
        .Property(QStringLiteral("LabelsStrokeColor"), &TGauge::LabelsStrokeColor, &TGauge::SetLabelsStrokeColor,
                  TGauge::DefaultLabelsStrokeColor)
        // No default: always stored.
        .Property(QStringLiteral("BigHandColor"), &TGauge::BigHandColor, &TGauge::SetBigHandColor)
        .Enum(QStringLiteral("MajorMarker"), &TGauge::MajorMarker, &TGauge::SetMajorMarker,
              TGauge::TMarker::gmLine, markers)
        .Enum(QStringLiteral("MinorMarker"), &TGauge::MinorMarker, &TGauge::SetMinorMarker,
              TGauge::TMarker::gmLine, markers);
}

// A round instrument class with the defaults of its decoration and parts.
template <typename T>
TClassBuilder<T> RegisterGauge(TStreamRegistry& Registry, const QString& Name)
{
    constexpr TGauge::TStreamDefaults defaults = T::StreamDefaults;
    TClassBuilder<T> gauge = Registry.Register<T, TGauge>(Name, InstrumentFactory<T>());
    gauge.Enum(QStringLiteral("Decoration"), &T::Decoration, &T::SetDecoration, defaults.Decoration,
               DecorationNames())
        .Set(QStringLiteral("Parts"), &T::Parts, &T::SetParts, TGauge::TParts::FromBits(defaults.Parts),
             std::span<const char* const>(CircularGaugePartNames));
    return gauge;
}

template <typename T>
void AddHands(TClassBuilder<T>& Gauge)
{
    Gauge.Set(QStringLiteral("Hands"), &T::Hands, &T::SetHands, std::span<const char* const>(CircularGaugeHandNames))
        .Stored(&TGauge::IsHandsStored);
}

// Markers and the arc, with the class's defaults.
template <typename T>
void AddScale(TClassBuilder<T>& Gauge)
{
    constexpr TGauge::TStreamDefaults defaults = T::StreamDefaults;
    Gauge.Property(QStringLiteral("MajorMarkers"), &T::MajorMarkers, &T::SetMajorMarkers, defaults.MajorMarkers)
        .Property(QStringLiteral("MinorMarkers"), &T::MinorMarkers, &T::SetMinorMarkers, defaults.MinorMarkers)
        .Property(QStringLiteral("StartAngle"), &T::StartAngle, &T::SetStartAngle, defaults.StartAngle)
        .Property(QStringLiteral("StopAngle"), &T::StopAngle, &T::SetStopAngle, defaults.StopAngle);
}

// Min and Max, stored when they differ from the class's own.
template <typename T>
void AddRange(TClassBuilder<T>& Gauge)
{
    Gauge.Property(QStringLiteral("Min"), &T::Min, &T::SetMin)
        .Stored(&TGauge::IsMinStored)
        .Property(QStringLiteral("Max"), &T::Max, &T::SetMax)
        .Stored(&TGauge::IsMaxStored);
}

template <typename T>
void AddHandColors(TClassBuilder<T>& Gauge)
{
    Gauge.Property(QStringLiteral("LittleHandColor"), &T::LittleHandColor, &T::SetLittleHandColor)
        .Property(QStringLiteral("ThinHandColor"), &T::ThinHandColor, &T::SetThinHandColor);
}

template <typename T>
void AddLabels(TClassBuilder<T>& Gauge)
{
    Gauge.Property(QStringLiteral("Labels"), LabelsOf, SetLabelsOf).Stored(IsLabelsStoredOf);
}

template <typename T>
void AddValue(TClassBuilder<T>& Gauge)
{
    Gauge.Property(QStringLiteral("Value"), &T::Value, &T::SetValue, 0.0f);
}

// A scale over a range, its labels and the value on it.
template <typename T>
void AddRangedValue(TClassBuilder<T>& Gauge)
{
    AddScale(Gauge);
    AddRange(Gauge);
    AddLabels(Gauge);
    AddValue(Gauge);
}

} // namespace

void RegisterRoundInstrumentStreamClasses(TStreamRegistry& Registry)
{
    RegisterGaugeBase(Registry);

    auto speedometer = RegisterGauge<TZorCircularSpeedometer>(Registry, QStringLiteral("TZorCircularSpeedometer"));
    AddHands(speedometer);
    AddRangedValue(speedometer);

    auto barometer = RegisterGauge<TZorCircularBarometer>(Registry, QStringLiteral("TZorCircularBarometer"));
    AddRangedValue(barometer);

    auto altimeter = RegisterGauge<TZorCircularAltimeter>(Registry, QStringLiteral("TZorCircularAltimeter"));
    AddHands(altimeter);
    AddScale(altimeter);
    AddHandColors(altimeter);
    AddLabels(altimeter);
    AddValue(altimeter);

    auto fuel = RegisterGauge<TZorCircularFuelGauge>(Registry, QStringLiteral("TZorCircularFuelGauge"));
    AddRangedValue(fuel);

    auto rotarySwitch = RegisterGauge<TZorRotarySwitch>(Registry, QStringLiteral("TZorRotarySwitch"));
    AddScale(rotarySwitch);
    AddRange(rotarySwitch);
    AddLabels(rotarySwitch);
    rotarySwitch.Property(QStringLiteral("Checked"), &TZorRotarySwitch::Checked, &TZorRotarySwitch::SetChecked, false);

    // The dial's range is whole numbers, always stored.
    auto dial = RegisterGauge<TZorRotaryDial>(Registry, QStringLiteral("TZorRotaryDial"));
    AddScale(dial);
    dial.Property(QStringLiteral("Min"), &TZorRotaryDial::Min, &TZorRotaryDial::SetMin)
        .Property(QStringLiteral("Max"), &TZorRotaryDial::Max, &TZorRotaryDial::SetMax);
    AddLabels(dial);
    AddValue(dial);

    auto compass = RegisterGauge<TZorCircularCompass>(Registry, QStringLiteral("TZorCircularCompass"));
    AddHands(compass);
    compass.Enum(QStringLiteral("Rotate"), &TZorCircularCompass::Rotate, &TZorCircularCompass::SetRotate,
                 TCompassMovablePart::cmpFaceNRose, std::span<const char* const>(CompassMovablePartNames));
    AddLabels(compass);
    compass.Property(QStringLiteral("Angle"), &TZorCircularCompass::Angle,
                     static_cast<void (TZorCircularCompass::*)(float)>(&TZorCircularCompass::SetAngle), 0.0f);

    auto clock = RegisterGauge<TZorCircularClock>(Registry, QStringLiteral("TZorCircularClock"));
    AddHands(clock);
    AddHandColors(clock);
    AddLabels(clock);
    clock.Property(QStringLiteral("Time"), &TZorCircularClock::Time, &TZorCircularClock::SetTime, 0.0);

    // The day always, then the time that holds it.
    auto calendar = RegisterGauge<TZorAnalogCalendar>(Registry, QStringLiteral("TZorAnalogCalendar"));
    AddLabels(calendar);
    calendar.Property(QStringLiteral("DayOfYear"), &TZorAnalogCalendar::DayOfYear, &TZorAnalogCalendar::SetDayOfYear)
        .Property(QStringLiteral("Time"), &TZorAnalogCalendar::Time, &TZorAnalogCalendar::SetTime, 0.0);
}

} // namespace zor
