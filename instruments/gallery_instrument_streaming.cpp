#include "instruments/gallery_instrument_streaming.h"

#include <span>

#include "instruments/batteries.h"
#include "instruments/car_speedometer.h"
#include "instruments/classic_clock.h"
#include "instruments/digital_clock.h"
#include "instruments/instrument_streaming.h"
#include "instruments/lights.h"
#include "instruments/metallic_compass.h"
#include "instruments/thermometers.h"

namespace zor {

namespace {

template <std::size_t N>
std::span<const char* const> Names(const char* const (&Values)[N])
{
    return std::span<const char* const>(Values, N);
}

// A class with its factory, below Base.
template <typename T, typename Base>
TClassBuilder<T> RegisterInstrument(TStreamRegistry& Registry, const QString& Name)
{
    return Registry.Register<T, Base>(Name, InstrumentFactory<T>());
}

template <typename T>
void AddParts(TClassBuilder<T>& Class, std::span<const char* const> Names)
{
    Class.Set(QStringLiteral("Parts"), &T::Parts, &T::SetParts, T::TParts::All(), Names);
}

template <typename T>
void AddDecoration(TClassBuilder<T>& Class, TDecoration Default)
{
    Class.Enum(QStringLiteral("Decoration"), &T::Decoration, &T::SetDecoration, Default, DecorationNames());
}

template <typename T>
void AddDecorationColors(TClassBuilder<T>& Class, TAlphaColor Fill, TAlphaColor Stroke)
{
    Class.Property(QStringLiteral("DecorationFillColor"), &T::DecorationFillColor, &T::SetDecorationFillColor, Fill)
        .Property(QStringLiteral("DecorationStrokeColor"), &T::DecorationStrokeColor, &T::SetDecorationStrokeColor,
                  Stroke);
}

template <typename T>
void AddFont(TClassBuilder<T>& Class)
{
    Class.Object(QStringLiteral("Font"), [](T& instrument) -> TPersistent& { return instrument.Font(); });
}

// What the lights share.
void RegisterLights(TStreamRegistry& Registry)
{
    using TLight = TZorCustomLight;
    Registry.Register<TLight, TZorSVGCustomInstrument>(QStringLiteral("TZorCustomLight"), {})
        .Property(QStringLiteral("OffColor"), &TLight::OffColor, &TLight::SetOffColor, TLight::DefaultOffColor)
        .Property(QStringLiteral("FrameColor"), &TLight::FrameColor, &TLight::SetFrameColor, TLight::DefaultFrameColor)
        .Property(QStringLiteral("HousingColor"), &TLight::HousingColor, &TLight::SetHousingColor,
                  TLight::DefaultHousingColor);

    using TTraffic = TZorTrafficLight;
    auto traffic = RegisterInstrument<TTraffic, TLight>(Registry, QStringLiteral("TZorTrafficLight"));
    traffic.Set(QStringLiteral("Lights"), &TTraffic::Lights, &TTraffic::SetLights, TTraffic::TLights{TTraffic::TLight::ltRed},
                Names(TrafficLightLampNames));
    AddParts(traffic, Names(TrafficLightPartNames));
    traffic
        .Enum(QStringLiteral("RedDecoration"), &TTraffic::RedDecoration, &TTraffic::SetRedDecoration,
              TDecoration::dcNone, DecorationNames())
        .Enum(QStringLiteral("YellowDecoration"), &TTraffic::YellowDecoration, &TTraffic::SetYellowDecoration,
              TDecoration::dcNone, DecorationNames())
        .Enum(QStringLiteral("GreenDecoration"), &TTraffic::GreenDecoration, &TTraffic::SetGreenDecoration,
              TDecoration::dcNone, DecorationNames())
        .Property(QStringLiteral("DomeColor"), &TTraffic::DomeColor, &TTraffic::SetDomeColor, TTraffic::DefaultDomeColor)
        .Property(QStringLiteral("HoodColor"), &TTraffic::HoodColor, &TTraffic::SetHoodColor, TTraffic::DefaultHoodColor)
        .Property(QStringLiteral("RedLightColor"), &TTraffic::RedLightColor, &TTraffic::SetRedLightColor,
                  TTraffic::DefaultRedLightColor)
        .Property(QStringLiteral("YellowLightColor"), &TTraffic::YellowLightColor, &TTraffic::SetYellowLightColor,
                  TTraffic::DefaultYellowLightColor)
        .Property(QStringLiteral("GreenLightColor"), &TTraffic::GreenLightColor, &TTraffic::SetGreenLightColor,
                  TTraffic::DefaultGreenLightColor);
    AddDecorationColors(traffic, TTraffic::DefaultDecorationFillColor, TTraffic::DefaultDecorationStrokeColor);

    using TCube = TZorCubeLight;
    auto cube = RegisterInstrument<TCube, TLight>(Registry, QStringLiteral("TZorCubeLight"));
    cube.Property(QStringLiteral("Checked"), &TCube::Checked, &TCube::SetChecked, true);
    AddParts(cube, Names(CubeLightPartNames));
    AddDecoration(cube, TDecoration::dcNone);
    cube.Property(QStringLiteral("OnColor"), &TCube::OnColor, &TCube::SetOnColor, TCube::DefaultOnColor);
    AddDecorationColors(cube, TCube::DefaultDecorationColor, TCube::DefaultDecorationColor);
}

// What the range instruments share: Min and Max against the class's own,
// then Value (registered by each class last).
void RegisterRangeInstrument(TStreamRegistry& Registry)
{
    using TRange = TZorRangeInstrument;
    Registry.Register<TRange, TZorSVGCustomInstrument>(QStringLiteral("TZorRangeInstrument"), {})
        .Property(QStringLiteral("Min"), &TRange::Min, &TRange::SetMin)
        .Stored(&TRange::IsMinStored)
        .Property(QStringLiteral("Max"), &TRange::Max, &TRange::SetMax)
        .Stored(&TRange::IsMaxStored);
}

template <typename T>
void AddValue(TClassBuilder<T>& Class)
{
    Class.Property(QStringLiteral("Value"), &T::Value, &T::SetValue, 0.0F);
}

void RegisterSpeedometer(TStreamRegistry& Registry)
{
    using T = TZorSpeedometer;
    auto speedometer = RegisterInstrument<T, TZorRangeInstrument>(Registry, QStringLiteral("TZorSpeedometer"));
    AddDecoration(speedometer, TDecoration::dcFuelTank);
    AddDecorationColors(speedometer, T::DefaultDecorationColor, T::DefaultDecorationColor);
    AddParts(speedometer, Names(SpeedometerPartNames));
    AddFont(speedometer);
    speedometer.Property(QStringLiteral("FrameColor"), &T::FrameColor, &T::SetFrameColor, T::DefaultFrameColor)
        .Property(QStringLiteral("BackfaceColor"), &T::BackfaceColor, &T::SetBackfaceColor, T::DefaultBackfaceColor)
        .Property(QStringLiteral("MarkersFillColor"), &T::MarkersFillColor, &T::SetMarkersFillColor,
                  T::DefaultLightPartColor)
        .Property(QStringLiteral("LabelsFillColor"), &T::LabelsFillColor, &T::SetLabelsFillColor,
                  T::DefaultLightPartColor)
        .Property(QStringLiteral("KnobFillColor"), &T::KnobFillColor, &T::SetKnobFillColor, T::DefaultLightPartColor)
        .Property(QStringLiteral("NeedleFillColor"), &T::NeedleFillColor, &T::SetNeedleFillColor,
                  T::DefaultLightPartColor)
        .Property(QStringLiteral("MarkersStrokeColor"), &T::MarkersStrokeColor, &T::SetMarkersStrokeColor,
                  T::DefaultDarkPartColor)
        .Property(QStringLiteral("LabelsStrokeColor"), &T::LabelsStrokeColor, &T::SetLabelsStrokeColor,
                  T::DefaultDarkPartColor)
        .Property(QStringLiteral("KnobStrokeColor"), &T::KnobStrokeColor, &T::SetKnobStrokeColor,
                  T::DefaultDarkPartColor)
        .Property(QStringLiteral("NeedleStrokeColor"), &T::NeedleStrokeColor, &T::SetNeedleStrokeColor,
                  T::DefaultDarkPartColor);
    AddValue(speedometer);
}

void RegisterBatteries(TStreamRegistry& Registry)
{
    using TBattery = TZorCustomBattery;
    Registry.Register<TBattery, TZorRangeInstrument>(QStringLiteral("TZorCustomBattery"), {})
        .Property(QStringLiteral("DecorationFillColor"), &TBattery::DecorationFillColor,
                  &TBattery::SetDecorationFillColor, TBattery::DefaultDecorationFillColor)
        .Property(QStringLiteral("DecorationStrokeColor"), &TBattery::DecorationStrokeColor,
                  &TBattery::SetDecorationStrokeColor, TBattery::DefaultDecorationStrokeColor)
        .Property(QStringLiteral("FillColor"), &TBattery::FillColor, &TBattery::SetFillColor, TBattery::DefaultFillColor)
        .Property(QStringLiteral("TopColor"), &TBattery::TopColor, &TBattery::SetTopColor, TBattery::DefaultCapColor)
        .Property(QStringLiteral("BottomColor"), &TBattery::BottomColor, &TBattery::SetBottomColor,
                  TBattery::DefaultCapColor);

    auto battery = RegisterInstrument<TZorBattery, TBattery>(Registry, QStringLiteral("TZorBattery"));
    AddDecoration(battery, TDecoration::dcBolt);
    AddParts(battery, Names(BatteryPartNames));
    battery
        .Property(QStringLiteral("MarkersFillColor"), &TZorBattery::MarkersFillColor, &TZorBattery::SetMarkersFillColor,
                  TZorBattery::DefaultMarkersFillColor)
        .Property(QStringLiteral("MarkersStrokeColor"), &TZorBattery::MarkersStrokeColor,
                  &TZorBattery::SetMarkersStrokeColor, TZorBattery::DefaultMarkersStrokeColor);
    AddValue(battery);

    using TModern = TZorBatteryModern;
    auto modern = RegisterInstrument<TModern, TBattery>(Registry, QStringLiteral("TZorBatteryModern"));
    AddDecoration(modern, TDecoration::dcNone);
    AddParts(modern, Names(BatteryModernPartNames));
    // No defaults: always stored.
    modern.Property(QStringLiteral("BackfaceColor"), &TModern::BackfaceColor, &TModern::SetBackfaceColor)
        .Property(QStringLiteral("BandsColor"), &TModern::BandsColor, &TModern::SetBandsColor);
    AddValue(modern);
}

void RegisterThermometer(TStreamRegistry& Registry)
{
    using T = TZorThermometer;
    auto thermometer = RegisterInstrument<T, TZorRangeInstrument>(Registry, QStringLiteral("TZorThermometer"));
    AddParts(thermometer, Names(ThermometerPartNames));
    AddFont(thermometer);
    // No default: always stored.
    thermometer.Property(QStringLiteral("FrameColor"), &T::FrameColor, &T::SetFrameColor)
        .Property(QStringLiteral("MercuryColor"), &T::MercuryColor, &T::SetMercuryColor, T::DefaultMercuryColor)
        .Property(QStringLiteral("BackfaceColor"), &T::BackfaceColor, &T::SetBackfaceColor, T::DefaultBackfaceColor)
        .Property(QStringLiteral("MarkersColor"), &T::MarkersColor, &T::SetMarkersColor, T::DefaultDarkColor)
        .Property(QStringLiteral("LabelsFillColor"), &T::LabelsFillColor, &T::SetLabelsFillColor, T::DefaultDarkColor)
        .Property(QStringLiteral("LabelsStrokeColor"), &T::LabelsStrokeColor, &T::SetLabelsStrokeColor,
                  T::DefaultDarkColor);
    AddValue(thermometer);
}

void RegisterCompass(TStreamRegistry& Registry)
{
    using T = TZorCompass;
    auto compass = RegisterInstrument<T, TZorSVGCustomInstrument>(Registry, QStringLiteral("TZorCompass"));
    compass.Enum(QStringLiteral("Rotate"), &T::Rotate, &T::SetRotate, TCompassMovablePart::cmpFaceNRose,
                 Names(CompassMovablePartNames))
        .Property(QStringLiteral("Angle"), &T::Angle, static_cast<void (T::*)(float)>(&T::SetAngle), 0.0F);
    AddParts(compass, Names(CompassPartNames));
    AddDecorationColors(compass, T::DefaultDecorationColor, T::DefaultDecorationColor);
    compass.Property(QStringLiteral("FrameColor"), &T::FrameColor, &T::SetFrameColor, T::DefaultFrameColor)
        .Property(QStringLiteral("BackfaceColor"), &T::BackfaceColor, &T::SetBackfaceColor, T::DefaultBackfaceColor)
        .Property(QStringLiteral("BackfaceLinesFillColor"), &T::BackfaceLinesFillColor, &T::SetBackfaceLinesFillColor,
                  T::DefaultDarkColor)
        .Property(QStringLiteral("BackfaceLinesStrokeColor"), &T::BackfaceLinesStrokeColor,
                  &T::SetBackfaceLinesStrokeColor, T::DefaultBackfaceLinesStrokeColor)
        .Property(QStringLiteral("MarkersFillColor"), &T::MarkersFillColor, &T::SetMarkersFillColor,
                  T::DefaultDarkColor)
        .Property(QStringLiteral("MarkersStrokeColor"), &T::MarkersStrokeColor, &T::SetMarkersStrokeColor,
                  T::DefaultDarkColor)
        .Property(QStringLiteral("NumbersFillColor"), &T::NumbersFillColor, &T::SetNumbersFillColor,
                  T::DefaultNumbersFillColor)
        .Property(QStringLiteral("NumbersStrokeColor"), &T::NumbersStrokeColor, &T::SetNumbersStrokeColor,
                  T::DefaultDarkColor)
        .Property(QStringLiteral("LabelsFillColor"), &T::LabelsFillColor, &T::SetLabelsFillColor, T::DefaultDarkColor)
        .Property(QStringLiteral("LabelsStrokeColor"), &T::LabelsStrokeColor, &T::SetLabelsStrokeColor,
                  T::DefaultDarkColor)
        .Property(QStringLiteral("NeedleHighColor"), &T::NeedleHighColor, &T::SetNeedleHighColor,
                  T::DefaultNeedleHighColor)
        .Property(QStringLiteral("NeedleLowColor"), &T::NeedleLowColor, &T::SetNeedleLowColor, T::DefaultNeedleLowColor)
        .Property(QStringLiteral("KnobFillColor"), &T::KnobFillColor, &T::SetKnobFillColor, T::DefaultKnobFillColor)
        .Property(QStringLiteral("KnobStrokeColor"), &T::KnobStrokeColor, &T::SetKnobStrokeColor, T::DefaultDarkColor);
}

void RegisterClocks(TStreamRegistry& Registry)
{
    using T = TZorClock;
    auto clock = RegisterInstrument<T, TZorSVGCustomInstrument>(Registry, QStringLiteral("TZorClock"));
    AddParts(clock, Names(ClockPartNames));
    clock.Property(QStringLiteral("Time"), &T::Time, &T::SetTime, 0.0);
    AddDecorationColors(clock, T::DefaultDecorationColor, T::DefaultDecorationColor);
    // No default: always stored.
    clock.Property(QStringLiteral("FrameColor"), &T::FrameColor, &T::SetFrameColor)
        .Property(QStringLiteral("BackfaceColor"), &T::BackfaceColor, &T::SetBackfaceColor, T::DefaultBackfaceColor)
        .Property(QStringLiteral("SecondHandFillColor"), &T::SecondHandFillColor, &T::SetSecondHandFillColor,
                  T::DefaultSecondHandFillColor)
        .Property(QStringLiteral("SecondHandStrokeColor"), &T::SecondHandStrokeColor, &T::SetSecondHandStrokeColor,
                  T::DefaultDarkColor)
        .Property(QStringLiteral("LabelsFillColor"), &T::LabelsFillColor, &T::SetLabelsFillColor, T::DefaultDarkColor)
        .Property(QStringLiteral("LabelsStrokeColor"), &T::LabelsStrokeColor, &T::SetLabelsStrokeColor,
                  T::DefaultDarkColor)
        .Property(QStringLiteral("MinuteHandFillColor"), &T::MinuteHandFillColor, &T::SetMinuteHandFillColor,
                  T::DefaultHandFillColor)
        .Property(QStringLiteral("MinuteHandStrokeColor"), &T::MinuteHandStrokeColor, &T::SetMinuteHandStrokeColor,
                  T::DefaultDarkColor)
        .Property(QStringLiteral("HourHandFillColor"), &T::HourHandFillColor, &T::SetHourHandFillColor,
                  T::DefaultHandFillColor)
        .Property(QStringLiteral("HourHandStrokeColor"), &T::HourHandStrokeColor, &T::SetHourHandStrokeColor,
                  T::DefaultDarkColor)
        .Property(QStringLiteral("KnobFillColor"), &T::KnobFillColor, &T::SetKnobFillColor, T::DefaultKnobFillColor)
        .Property(QStringLiteral("KnobStrokeColor"), &T::KnobStrokeColor, &T::SetKnobStrokeColor,
                  T::DefaultKnobStrokeColor);

    using TDigital = TZorDigitalClock;
    auto digital = RegisterInstrument<TDigital, TZorSVGCustomInstrument>(Registry, QStringLiteral("TZorDigitalClock"));
    AddParts(digital, Names(DigitalClockPartNames));
    digital.Property(QStringLiteral("TwentyFourHour"), &TDigital::TwentyFourHour, &TDigital::SetTwentyFourHour, false)
        .Property(QStringLiteral("Time"), &TDigital::Time, &TDigital::SetTime, 0.0)
        // No defaults: always stored.
        .Property(QStringLiteral("DecorationFillColor"), &TDigital::DecorationFillColor,
                  &TDigital::SetDecorationFillColor)
        .Property(QStringLiteral("DecorationStrokeColor"), &TDigital::DecorationStrokeColor,
                  &TDigital::SetDecorationStrokeColor)
        .Property(QStringLiteral("FrameColor"), &TDigital::FrameColor, &TDigital::SetFrameColor)
        .Property(QStringLiteral("BackfaceColor"), &TDigital::BackfaceColor, &TDigital::SetBackfaceColor)
        .Property(QStringLiteral("LabelsFillColor"), &TDigital::LabelsFillColor, &TDigital::SetLabelsFillColor)
        .Property(QStringLiteral("LabelsStrokeColor"), &TDigital::LabelsStrokeColor, &TDigital::SetLabelsStrokeColor);
}

} // namespace

void RegisterGalleryInstrumentStreamClasses(TStreamRegistry& Registry)
{
    RegisterLights(Registry);
    RegisterRangeInstrument(Registry);
    RegisterSpeedometer(Registry);
    RegisterBatteries(Registry);
    RegisterThermometer(Registry);
    RegisterCompass(Registry);
    RegisterClocks(Registry);
}

} // namespace zor
