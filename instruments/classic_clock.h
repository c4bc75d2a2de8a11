#pragma once
// The classic wall clock: hour, minute and second hands over a two-tone
// frame with painted numerals, following Time. The hands are the live part,
// each drawn from a turned picture; the hour hand moves on with the minutes,
// the minute hand with the seconds, the second hand in whole seconds.

#include "instruments/gallery_instrument.h"
#include "platform/date_time.h"
#include "platform/enum_set.h"

namespace zor {

enum class TClockPart {
    cpFrame,
    cpFrameDecoration,
    cpBackface,
    cpDecoration,
    cpLabels,
    cpHourHand,
    cpMinuteHand,
    cpSecondHand,
    cpKnob,
    cpShadows,
    cpGlass
};
constexpr std::size_t EnumCount(TClockPart) { return 11; }
extern const char* const ClockPartNames[11];

class TZorClock : public TZorCustomGalleryInstrument {
    Q_OBJECT
    Q_PROPERTY(double Time READ Time WRITE SetTime NOTIFY timeChanged)
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TAlphaColor FrameColor READ FrameColor WRITE SetFrameColor NOTIFY frameColorChanged)
    Q_PROPERTY(zor::TAlphaColor BackfaceColor READ BackfaceColor WRITE SetBackfaceColor NOTIFY backfaceColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsFillColor READ LabelsFillColor WRITE SetLabelsFillColor NOTIFY
                   labelsFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsStrokeColor READ LabelsStrokeColor WRITE SetLabelsStrokeColor NOTIFY
                   labelsStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor HourHandFillColor READ HourHandFillColor WRITE SetHourHandFillColor NOTIFY
                   hourHandFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor HourHandStrokeColor READ HourHandStrokeColor WRITE SetHourHandStrokeColor NOTIFY
                   hourHandStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor MinuteHandFillColor READ MinuteHandFillColor WRITE SetMinuteHandFillColor NOTIFY
                   minuteHandFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor MinuteHandStrokeColor READ MinuteHandStrokeColor WRITE SetMinuteHandStrokeColor
                   NOTIFY minuteHandStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor SecondHandFillColor READ SecondHandFillColor WRITE SetSecondHandFillColor NOTIFY
                   secondHandFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor SecondHandStrokeColor READ SecondHandStrokeColor WRITE SetSecondHandStrokeColor
                   NOTIFY secondHandStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor KnobFillColor READ KnobFillColor WRITE SetKnobFillColor NOTIFY knobFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor KnobStrokeColor READ KnobStrokeColor WRITE SetKnobStrokeColor NOTIFY
                   knobStrokeColorChanged)

public:
    using TPart = TClockPart;
    using TParts = TEnumSet<TPart>;

    // Where the artwork's hands point, clockwise from twelve o'clock.
    static constexpr double HourHandInArtwork = 225;
    static constexpr double MinuteHandInArtwork = 105;
    static constexpr double SecondHandInArtwork = 330;

    static constexpr TAlphaColor DefaultDecorationColor = 0xFF000000;
    static constexpr TAlphaColor DefaultBackfaceColor = 0xFF266080;
    static constexpr TAlphaColor DefaultSecondHandFillColor = 0xFF3CA1F6;
    static constexpr TAlphaColor DefaultHandFillColor = 0xFFF5F5F5;
    static constexpr TAlphaColor DefaultKnobFillColor = 0xFFF7F7F7;
    static constexpr TAlphaColor DefaultKnobStrokeColor = 0xFF9C9C9C;
    static constexpr TAlphaColor DefaultDarkColor = 0xFF000000;

    // Made showing the present time.
    explicit TZorClock(QWidget* Parent = nullptr);

    // The time shown; setting it raises OnChange.
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);

    // How far each hand is turned from where the artwork draws it, for Time.
    struct THandTurns {
        double Hour;
        double Minute;
        double Second;
    };
    static THandTurns HandTurns(TDateTime Time);

    TParts Parts() const { return FParts; }
    void SetParts(const TParts& Value);
    quint64 PartBits() const { return FParts.ToBits(); }
    void SetPartBits(quint64 Value) { SetParts(TParts::FromBits(Value)); }

    // Read from no artwork: 0 until written.
    TAlphaColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TAlphaColor Value);
    TAlphaColor BackfaceColor() const { return FBackfaceColor; }
    void SetBackfaceColor(TAlphaColor Value);
    TAlphaColor LabelsFillColor() const { return FLabelsFillColor; }
    void SetLabelsFillColor(TAlphaColor Value);
    TAlphaColor LabelsStrokeColor() const { return FLabelsStrokeColor; }
    void SetLabelsStrokeColor(TAlphaColor Value);
    TAlphaColor HourHandFillColor() const { return FHourHandFillColor; }
    void SetHourHandFillColor(TAlphaColor Value);
    TAlphaColor HourHandStrokeColor() const { return FHourHandStrokeColor; }
    void SetHourHandStrokeColor(TAlphaColor Value);
    TAlphaColor MinuteHandFillColor() const { return FMinuteHandFillColor; }
    void SetMinuteHandFillColor(TAlphaColor Value);
    TAlphaColor MinuteHandStrokeColor() const { return FMinuteHandStrokeColor; }
    void SetMinuteHandStrokeColor(TAlphaColor Value);
    TAlphaColor SecondHandFillColor() const { return FSecondHandFillColor; }
    void SetSecondHandFillColor(TAlphaColor Value);
    TAlphaColor SecondHandStrokeColor() const { return FSecondHandStrokeColor; }
    void SetSecondHandStrokeColor(TAlphaColor Value);
    TAlphaColor KnobFillColor() const { return FKnobFillColor; }
    void SetKnobFillColor(TAlphaColor Value);
    TAlphaColor KnobStrokeColor() const { return FKnobStrokeColor; }
    void SetKnobStrokeColor(TAlphaColor Value);

    // The time of day in seconds since midnight, said as "hh:mm:ss".
    bool HasAccessibleRange() const override { return true; }
    double AccessibleMaximum() const override;
    double AccessibleValue() const override;
    void SetAccessibleValue(double Value) override;
    QString AccessibleValueText() const override;

Q_SIGNALS:
    void timeChanged();
    void partsChanged();
    void frameColorChanged();
    void backfaceColorChanged();
    void labelsFillColorChanged();
    void labelsStrokeColorChanged();
    void hourHandFillColorChanged();
    void hourHandStrokeColorChanged();
    void minuteHandFillColorChanged();
    void minuteHandStrokeColorChanged();
    void secondHandFillColorChanged();
    void secondHandStrokeColorChanged();
    void knobFillColorChanged();
    void knobStrokeColorChanged();

protected:
    QString GetResourceName() const override;
    void ArtworkLoaded() override;
    void RestoreState() override;
    void ApplyGradients(bool Enabled) override;
    void ApplyDesign() override;
    void ApplyLightColor() override;
    void ApplyParts() override;
    std::vector<TSVGGraphicElement*> Rotors() const override;

    // Turns the hands to Time.
    virtual void UpdateClockHands();

private:
    // A hand's fill: its gradient's two stops with gradients, else the needle's flat colour.
    void PaintHand(const QString& NeedleID, const QString& GradientID, TAlphaColor First, TAlphaColor Second,
                   TAlphaColor Flat);
    // The stroke of each element takes Color.
    void StrokeElements(std::initializer_list<const char*> IDs, TAlphaColor Color);

    TParts FParts = TParts::All();
    TAlphaColor FMinuteHandFillColor = DefaultHandFillColor;
    TAlphaColor FFrameColor = 0;
    TAlphaColor FLabelsFillColor = DefaultDarkColor;
    TAlphaColor FSecondHandFillColor = DefaultSecondHandFillColor;
    TAlphaColor FBackfaceColor = DefaultBackfaceColor;
    TAlphaColor FMinuteHandStrokeColor = DefaultDarkColor;
    TAlphaColor FLabelsStrokeColor = DefaultDarkColor;
    TAlphaColor FSecondHandStrokeColor = DefaultDarkColor;
    TAlphaColor FKnobFillColor = DefaultKnobFillColor;
    TAlphaColor FKnobStrokeColor = DefaultKnobStrokeColor;
    TDateTime FTime = 0;
    TAlphaColor FHourHandFillColor = DefaultHandFillColor;
    TAlphaColor FHourHandStrokeColor = DefaultDarkColor;
};

} // namespace zor
