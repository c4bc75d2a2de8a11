#pragma once
// The car speedometer: a needle over a half dial with a labelled scale. The
// needle runs a little past both ends of the labelled range (by a
// twenty-fourth of it), sweeping 200.2 degrees from MinSpeed to MaxSpeed;
// it is the live part, drawn from a turned picture.

#include <memory>

#include "instruments/range_instrument.h"
#include "platform/enum_set.h"
#include "svg/values/font.h"

namespace zor {

enum class TSpeedometerPart {
    spFrame,
    spBackface,
    spDecoration,
    spMajorMarkers,
    spMinorMarkers,
    spKnob,
    spLabels,
    spNeedle,
    spGlass
};
constexpr std::size_t EnumCount(TSpeedometerPart) { return 9; }
extern const char* const SpeedometerPartNames[9];

class TZorSpeedometer : public TZorRangeInstrument {
    Q_OBJECT
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TAlphaColor FrameColor READ FrameColor WRITE SetFrameColor NOTIFY frameColorChanged)
    Q_PROPERTY(zor::TAlphaColor BackfaceColor READ BackfaceColor WRITE SetBackfaceColor NOTIFY backfaceColorChanged)
    Q_PROPERTY(zor::TAlphaColor MarkersFillColor READ MarkersFillColor WRITE SetMarkersFillColor NOTIFY
                   markersFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor MarkersStrokeColor READ MarkersStrokeColor WRITE SetMarkersStrokeColor NOTIFY
                   markersStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsFillColor READ LabelsFillColor WRITE SetLabelsFillColor NOTIFY
                   labelsFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsStrokeColor READ LabelsStrokeColor WRITE SetLabelsStrokeColor NOTIFY
                   labelsStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor KnobFillColor READ KnobFillColor WRITE SetKnobFillColor NOTIFY knobFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor KnobStrokeColor READ KnobStrokeColor WRITE SetKnobStrokeColor NOTIFY
                   knobStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor NeedleFillColor READ NeedleFillColor WRITE SetNeedleFillColor NOTIFY
                   needleFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor NeedleStrokeColor READ NeedleStrokeColor WRITE SetNeedleStrokeColor NOTIFY
                   needleStrokeColorChanged)

public:
    using TPart = TSpeedometerPart;
    using TParts = TEnumSet<TPart>;

    static constexpr float InitialMax = 240;
    // The needle's sweep from MinSpeed to MaxSpeed, and where it starts.
    static constexpr double SweepAngle = 200.2;
    static constexpr double StartAngle = -100.05;
    // How far the scale runs on past each end, as a share of the range.
    static constexpr double Overrun = 0.04167;

    static constexpr TAlphaColor DefaultDecorationColor = 0xFF000000;
    static constexpr TAlphaColor DefaultFrameColor = 0xFF888A85;
    static constexpr TAlphaColor DefaultBackfaceColor = 0xFF555753;
    static constexpr TAlphaColor DefaultLightPartColor = 0xFFFFFFFF;
    static constexpr TAlphaColor DefaultDarkPartColor = 0xFF000000;

    explicit TZorSpeedometer(QWidget* Parent = nullptr);
    ~TZorSpeedometer() override;

    // What the needle shows: the range and a little more on either side.
    float MinSpeed() const { return FMinSpeed; }
    float MaxSpeed() const { return FMaxSpeed; }
    // The needle's angle for Value, clockwise from twelve o'clock.
    double NeedleAngle(double Value) const;

    TParts Parts() const { return FParts; }
    void SetParts(const TParts& Value);
    quint64 PartBits() const { return FParts.ToBits(); }
    void SetPartBits(quint64 Value) { SetParts(TParts::FromBits(Value)); }
    // The labels' font; setting copies the given one.
    const TSVGFont& Font() const { return *FFont; }
    TSVGFont& Font() { return *FFont; }
    void SetFont(const TSVGFont& Value) { FFont->Assign(&Value); }

    TAlphaColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TAlphaColor Value);
    TAlphaColor BackfaceColor() const { return FBackfaceColor; }
    void SetBackfaceColor(TAlphaColor Value);
    TAlphaColor MarkersFillColor() const { return FMarkersFillColor; }
    void SetMarkersFillColor(TAlphaColor Value);
    TAlphaColor MarkersStrokeColor() const { return FMarkersStrokeColor; }
    void SetMarkersStrokeColor(TAlphaColor Value);
    TAlphaColor LabelsFillColor() const { return FLabelsFillColor; }
    void SetLabelsFillColor(TAlphaColor Value);
    TAlphaColor LabelsStrokeColor() const { return FLabelsStrokeColor; }
    void SetLabelsStrokeColor(TAlphaColor Value);
    TAlphaColor KnobFillColor() const { return FKnobFillColor; }
    void SetKnobFillColor(TAlphaColor Value);
    TAlphaColor KnobStrokeColor() const { return FKnobStrokeColor; }
    void SetKnobStrokeColor(TAlphaColor Value);
    TAlphaColor NeedleFillColor() const { return FNeedleFillColor; }
    void SetNeedleFillColor(TAlphaColor Value);
    TAlphaColor NeedleStrokeColor() const { return FNeedleStrokeColor; }
    void SetNeedleStrokeColor(TAlphaColor Value);

Q_SIGNALS:
    void frameColorChanged();
    void backfaceColorChanged();
    void markersFillColorChanged();
    void markersStrokeColorChanged();
    void labelsFillColorChanged();
    void labelsStrokeColorChanged();
    void knobFillColorChanged();
    void knobStrokeColorChanged();
    void needleFillColorChanged();
    void needleStrokeColorChanged();

protected:
    QString GetResourceName() const override;
    void ArtworkLoaded() override;
    void ApplyGradients(bool Enabled) override;
    void ApplyDesign() override;
    void ApplyLightColor() override;
    void ApplyParts() override;
    void FormatStrChanged() override;
    void DecorationFillColorChanged() override;

    std::pair<float, float> ValueLimits() const override { return {FMinSpeed, FMaxSpeed}; }
    void RangeChanged() override { UpdateRange(); }
    void UpdateValue() override { UpdateNeedle(); }
    std::vector<TSVGGraphicElement*> Rotors() const override;

    // Writes the labels of the range.
    virtual void UpdateLabels();
    // Labels and the speeds the needle can show.
    virtual void UpdateRange();
    // Turns the needle to the value.
    virtual void UpdateNeedle();
    virtual void FontChanged();

private:
    void FitLabels();

    TParts FParts = TParts::All();
    std::unique_ptr<TSVGFont> FFont;
    float FMinSpeed = 0;
    float FMaxSpeed = InitialMax;
    TAlphaColor FNeedleFillColor = DefaultLightPartColor;
    TAlphaColor FLabelsFillColor = DefaultLightPartColor;
    TAlphaColor FMarkersFillColor = DefaultLightPartColor;
    TAlphaColor FLabelsStrokeColor = DefaultDarkPartColor;
    TAlphaColor FFrameColor = DefaultFrameColor;
    TAlphaColor FMarkersStrokeColor = DefaultDarkPartColor;
    TAlphaColor FBackfaceColor = DefaultBackfaceColor;
    TAlphaColor FKnobFillColor = DefaultLightPartColor;
    TAlphaColor FKnobStrokeColor = DefaultDarkPartColor;
    TAlphaColor FNeedleStrokeColor = DefaultDarkPartColor;
    // The knob's centre the needle turns about, measured once per artwork.
    std::optional<QPointF> FPivot;
    // The labels show Font once it was given; until then the artwork's font.
    bool FFontAssigned = false;
};

} // namespace zor
