#pragma once
// Signal lights: a three-lamp traffic light whose lamps are switched by a
// set, and a single square cube light switched on and off. The lamp
// assemblies are the live part: switching a lamp recolours it (its own
// colour lit, the common off colour dark) and swaps its shine between a
// bright and a dim gradient, without drawing anything else again.

#include <array>
#include <span>

#include "instruments/gallery_instrument.h"
#include "platform/enum_set.h"

namespace zor {

// What the two lights share: a frame with a gradient, lamp housings and the
// colour of a dark lamp.
class TZorCustomLight : public TZorCustomGalleryInstrument {
    Q_OBJECT
    Q_PROPERTY(zor::TAlphaColor FrameColor READ FrameColor WRITE SetFrameColor NOTIFY frameColorChanged)
    Q_PROPERTY(zor::TAlphaColor HousingColor READ HousingColor WRITE SetHousingColor NOTIFY housingColorChanged)
    Q_PROPERTY(zor::TAlphaColor OffColor READ OffColor WRITE SetOffColor NOTIFY offColorChanged)

public:
    static constexpr TAlphaColor DefaultFrameColor = 0xFF2A2A2A;
    static constexpr TAlphaColor DefaultHousingColor = 0xFF242424;
    static constexpr TAlphaColor DefaultOffColor = 0xFF000000;

    explicit TZorCustomLight(QWidget* Parent = nullptr);

    TAlphaColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TAlphaColor Value);
    TAlphaColor HousingColor() const { return FHousingColor; }
    void SetHousingColor(TAlphaColor Value);
    // The colour of a lamp that is not lit.
    TAlphaColor OffColor() const { return FOffColor; }
    void SetOffColor(TAlphaColor Value);

    QAccessible::Role AccessibleRole() const override { return QAccessible::Indicator; }

Q_SIGNALS:
    void frameColorChanged();
    void housingColorChanged();
    void offColorChanged();
    void partsChanged();
    void lightsChanged();

protected:
    void ArtworkLoaded() override;
    void RestoreState() override;
    // Brings the lamps in line with what is lit.
    virtual void UpdateLights() = 0;
    // The housings the housing colour paints.
    virtual std::span<const char* const> HousingIDs() const = 0;

    // Lamp LampID with its shine: lit in Color, or dark in the off colour.
    void PaintLamp(const QString& LampID, bool Lit, TAlphaColor Color);
    // The frame (and the shine) with gradients or flat colours.
    void ApplyFrameGradient(bool Enabled);
    // Shows the lamps' shines when gradients and detail allow it.
    void ShowShine(const QString& ShineID);
    // A lamp colour changed: stored, then the lamps follow.
    template <typename Instrument>
    void ChangeLampColor(TAlphaColor& Field, TAlphaColor Value, void (Instrument::*Notify)())
    {
        if (Field == Value)
            return;
        Field = Value;
        UpdateLights();
        Q_EMIT(static_cast<Instrument*>(this)->*Notify)();
    }

private:
    void ApplyFrameColor();
    void ApplyHousingColor();

    TAlphaColor FFrameColor = DefaultFrameColor;
    TAlphaColor FHousingColor = DefaultHousingColor;
    TAlphaColor FOffColor = DefaultOffColor;
};

enum class TTrafficLightLamp { ltRed, ltYellow, ltGreen };
constexpr std::size_t EnumCount(TTrafficLightLamp) { return 3; }
extern const char* const TrafficLightLampNames[3];

enum class TTrafficLightPart {
    tlTopDome,
    tlFrame,
    tlRedLight,
    tlRedLightHousing,
    tlRedLightLeftHood,
    tlRedLightRightHood,
    tlRedDecoration,
    tlYellowLight,
    tlYellowLightHousing,
    tlYellowLightLeftHood,
    tlYellowLightRightHood,
    tlYellowDecoration,
    tlGreenLight,
    tlGreenLightHousing,
    tlGreenLightLeftHood,
    tlGreenLightRightHood,
    tlGreenDecoration
};
constexpr std::size_t EnumCount(TTrafficLightPart) { return 17; }
extern const char* const TrafficLightPartNames[17];

class TZorTrafficLight : public TZorCustomLight {
    Q_OBJECT
    Q_PROPERTY(quint64 Lights READ LightBits WRITE SetLightBits NOTIFY lightsChanged)
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TDecoration RedDecoration READ RedDecoration WRITE SetRedDecoration NOTIFY decorationChanged)
    Q_PROPERTY(zor::TDecoration YellowDecoration READ YellowDecoration WRITE SetYellowDecoration NOTIFY
                   decorationChanged)
    Q_PROPERTY(zor::TDecoration GreenDecoration READ GreenDecoration WRITE SetGreenDecoration NOTIFY
                   decorationChanged)
    Q_PROPERTY(zor::TAlphaColor DomeColor READ DomeColor WRITE SetDomeColor NOTIFY domeColorChanged)
    Q_PROPERTY(zor::TAlphaColor HoodColor READ HoodColor WRITE SetHoodColor NOTIFY hoodColorChanged)
    Q_PROPERTY(zor::TAlphaColor RedLightColor READ RedLightColor WRITE SetRedLightColor NOTIFY redLightColorChanged)
    Q_PROPERTY(zor::TAlphaColor YellowLightColor READ YellowLightColor WRITE SetYellowLightColor NOTIFY
                   yellowLightColorChanged)
    Q_PROPERTY(zor::TAlphaColor GreenLightColor READ GreenLightColor WRITE SetGreenLightColor NOTIFY
                   greenLightColorChanged)

public:
    using TLight = TTrafficLightLamp;
    using TLights = TEnumSet<TLight>;
    using TPart = TTrafficLightPart;
    using TParts = TEnumSet<TPart>;

    static constexpr TAlphaColor DefaultDomeColor = 0xFF393939;
    static constexpr TAlphaColor DefaultHoodColor = 0xFF242424;
    static constexpr TAlphaColor DefaultRedLightColor = 0xFFFF0000;
    static constexpr TAlphaColor DefaultYellowLightColor = 0xFFFEFF90;
    static constexpr TAlphaColor DefaultGreenLightColor = 0xFF00E400;
    static constexpr TAlphaColor DefaultDecorationFillColor = 0xFFFFFFFF;
    static constexpr TAlphaColor DefaultDecorationStrokeColor = 0xFF000000;

    explicit TZorTrafficLight(QWidget* Parent = nullptr);

    // The lamps lit; setting it raises OnChange.
    TLights Lights() const { return FLights; }
    void SetLights(const TLights& Value);
    quint64 LightBits() const { return FLights.ToBits(); }
    void SetLightBits(quint64 Value) { SetLights(TLights::FromBits(Value)); }
    TParts Parts() const { return FParts; }
    void SetParts(const TParts& Value);
    quint64 PartBits() const { return FParts.ToBits(); }
    void SetPartBits(quint64 Value) { SetParts(TParts::FromBits(Value)); }

    // The emblem on each lamp: dcNone and dcCustom clear it, the emblems that
    // suit a lamp show; any other value leaves the lamp's emblem as it was.
    TDecoration LampDecoration(TLight Light) const { return FDecorations[static_cast<std::size_t>(Light)]; }
    void SetLampDecoration(TLight Light, TDecoration Value);
    TDecoration RedDecoration() const { return LampDecoration(TLight::ltRed); }
    void SetRedDecoration(TDecoration Value) { SetLampDecoration(TLight::ltRed, Value); }
    TDecoration YellowDecoration() const { return LampDecoration(TLight::ltYellow); }
    void SetYellowDecoration(TDecoration Value) { SetLampDecoration(TLight::ltYellow, Value); }
    TDecoration GreenDecoration() const { return LampDecoration(TLight::ltGreen); }
    void SetGreenDecoration(TDecoration Value) { SetLampDecoration(TLight::ltGreen, Value); }

    TAlphaColor DomeColor() const { return FDomeColor; }
    void SetDomeColor(TAlphaColor Value);
    TAlphaColor HoodColor() const { return FHoodColor; }
    void SetHoodColor(TAlphaColor Value);
    TAlphaColor RedLightColor() const { return FRedLightColor; }
    void SetRedLightColor(TAlphaColor Value);
    TAlphaColor YellowLightColor() const { return FYellowLightColor; }
    void SetYellowLightColor(TAlphaColor Value);
    TAlphaColor GreenLightColor() const { return FGreenLightColor; }
    void SetGreenLightColor(TAlphaColor Value);

    // The lamps lit, in words: "Red", "Red and green", "Off".
    QString AccessibleValueText() const override;

Q_SIGNALS:
    void domeColorChanged();
    void hoodColorChanged();
    void redLightColorChanged();
    void yellowLightColorChanged();
    void greenLightColorChanged();

protected:
    QString GetResourceName() const override;
    void ArtworkLoaded() override;
    void RestoreDecoration() override;
    void ApplyGradients(bool Enabled) override;
    void ApplyParts() override;
    // The base Decoration, when written, is the red lamp's emblem.
    void ApplyDecoration() override;
    void UpdateLights() override;
    std::span<const char* const> HousingIDs() const override;
    // Shows the emblem of Light's lamp.
    void ApplyLampDecoration(TLight Light);

private:
    void ApplyDomeColor();
    void ApplyHoodColor();

    TParts FParts = TParts::All();
    std::array<TDecoration, 3> FDecorations{TDecoration::dcNone, TDecoration::dcNone, TDecoration::dcNone};
    TAlphaColor FYellowLightColor = DefaultYellowLightColor;
    TAlphaColor FRedLightColor = DefaultRedLightColor;
    TAlphaColor FGreenLightColor = DefaultGreenLightColor;
    TAlphaColor FHoodColor = DefaultHoodColor;
    TAlphaColor FDomeColor = DefaultDomeColor;
    TLights FLights{TLight::ltRed};
};

enum class TCubeLightPart { clFrame, clLight, clLightHousing, clDecoration };
constexpr std::size_t EnumCount(TCubeLightPart) { return 4; }
extern const char* const CubeLightPartNames[4];

class TZorCubeLight : public TZorCustomLight {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked NOTIFY lightsChanged)
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TAlphaColor OnColor READ OnColor WRITE SetOnColor NOTIFY onColorChanged)

public:
    using TPart = TCubeLightPart;
    using TParts = TEnumSet<TPart>;

    static constexpr int DefaultSide = 100;
    static constexpr TAlphaColor DefaultOnColor = 0xFFFF0000;
    static constexpr TAlphaColor DefaultDecorationColor = 0xFF000000;

    explicit TZorCubeLight(QWidget* Parent = nullptr);

    // Lit; setting it raises OnChange.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TParts Parts() const { return FParts; }
    void SetParts(const TParts& Value);
    quint64 PartBits() const { return FParts.ToBits(); }
    void SetPartBits(quint64 Value) { SetParts(TParts::FromBits(Value)); }
    // The colour of the lit lamp.
    TAlphaColor OnColor() const { return FOnColor; }
    void SetOnColor(TAlphaColor Value);

    // "On" or "Off".
    QString AccessibleValueText() const override;

Q_SIGNALS:
    void onColorChanged();

protected:
    QString GetResourceName() const override;
    void ArtworkLoaded() override;
    void ApplyGradients(bool Enabled) override;
    void ApplyParts() override;
    void UpdateLights() override;
    std::span<const char* const> HousingIDs() const override;

private:
    TParts FParts = TParts::All();
    TAlphaColor FOnColor = DefaultOnColor;
    bool FChecked = true;
};

} // namespace zor
