#pragma once
// The metallic compass: a heading of 0..360 degrees shown by turning the
// needle, the card's detail (numbers, lines and letters) or the whole card
// with its rose, as Rotate says. The part that turns is the live part; the
// others rest and come from the cached layers.

#include "instruments/compass.h"
#include "instruments/gallery_instrument.h"
#include "platform/enum_set.h"

namespace zor {

enum class TCompassPart {
    cpFrame,
    cpBackface,
    cpBackfaceLines,
    cpRose,
    cpMarkers,
    cpNumbers,
    cpLabels,
    cpNeedle,
    cpNeedleShadow,
    cpKnob
};
constexpr std::size_t EnumCount(TCompassPart) { return 10; }
extern const char* const CompassPartNames[10];

class TZorCompass : public TZorCustomGalleryInstrument {
    Q_OBJECT
    Q_PROPERTY(float Angle READ Angle WRITE SetAngle NOTIFY angleChanged)
    Q_PROPERTY(zor::TCompassMovablePart Rotate READ Rotate WRITE SetRotate NOTIFY rotateChanged)
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TAlphaColor FrameColor READ FrameColor WRITE SetFrameColor NOTIFY frameColorChanged)
    Q_PROPERTY(zor::TAlphaColor BackfaceColor READ BackfaceColor WRITE SetBackfaceColor NOTIFY backfaceColorChanged)
    Q_PROPERTY(zor::TAlphaColor BackfaceLinesFillColor READ BackfaceLinesFillColor WRITE SetBackfaceLinesFillColor
                   NOTIFY backfaceLinesFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor BackfaceLinesStrokeColor READ BackfaceLinesStrokeColor WRITE
                   SetBackfaceLinesStrokeColor NOTIFY backfaceLinesStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor MarkersFillColor READ MarkersFillColor WRITE SetMarkersFillColor NOTIFY
                   markersFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor MarkersStrokeColor READ MarkersStrokeColor WRITE SetMarkersStrokeColor NOTIFY
                   markersStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor NumbersFillColor READ NumbersFillColor WRITE SetNumbersFillColor NOTIFY
                   numbersFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor NumbersStrokeColor READ NumbersStrokeColor WRITE SetNumbersStrokeColor NOTIFY
                   numbersStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsFillColor READ LabelsFillColor WRITE SetLabelsFillColor NOTIFY
                   labelsFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsStrokeColor READ LabelsStrokeColor WRITE SetLabelsStrokeColor NOTIFY
                   labelsStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor NeedleHighColor READ NeedleHighColor WRITE SetNeedleHighColor NOTIFY
                   needleHighColorChanged)
    Q_PROPERTY(zor::TAlphaColor NeedleLowColor READ NeedleLowColor WRITE SetNeedleLowColor NOTIFY
                   needleLowColorChanged)
    Q_PROPERTY(zor::TAlphaColor KnobFillColor READ KnobFillColor WRITE SetKnobFillColor NOTIFY knobFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor KnobStrokeColor READ KnobStrokeColor WRITE SetKnobStrokeColor NOTIFY
                   knobStrokeColorChanged)

public:
    using TPart = TCompassPart;
    using TParts = TEnumSet<TPart>;

    // The needle group's parent is turned this far clockwise in the artwork.
    static constexpr double NeedleTurnInArtwork = 18;

    static constexpr TAlphaColor DefaultDecorationColor = 0xFFAFC6C5;
    static constexpr TAlphaColor DefaultFrameColor = 0xFFD3D7CF;
    static constexpr TAlphaColor DefaultBackfaceColor = 0xFFF2F2F2;
    static constexpr TAlphaColor DefaultBackfaceLinesStrokeColor = 0xFFD3D7CF;
    static constexpr TAlphaColor DefaultNumbersFillColor = 0xFF2E3436;
    static constexpr TAlphaColor DefaultNeedleHighColor = 0xFFCC0000;
    static constexpr TAlphaColor DefaultNeedleLowColor = 0xFF3465A4;
    static constexpr TAlphaColor DefaultKnobFillColor = 0xFF808080;
    static constexpr TAlphaColor DefaultDarkColor = 0xFF000000;

    explicit TZorCompass(QWidget* Parent = nullptr);

    // The heading, limited to 0..360; no change of it raises OnChange.
    float Angle() const { return FAngle; }
    void SetAngle(float Value);
    // The heading as degrees, minutes and seconds of arc.
    void SetAngle(int aDegrees, int aMinutes, float aSeconds);
    int Degrees() const;
    void SetDegrees(int Value);
    int Minutes() const;
    void SetMinutes(int Value);
    float Seconds() const;
    void SetSeconds(float Value);

    // What turns: the needle, the card's detail, or the card with its rose.
    TCompassMovablePart Rotate() const { return FRotate; }
    void SetRotate(TCompassMovablePart Value);
    // The element that turns for Part.
    static QString MovingElementID(TCompassMovablePart Part);

    TParts Parts() const { return FParts; }
    void SetParts(const TParts& Value);
    quint64 PartBits() const { return FParts.ToBits(); }
    void SetPartBits(quint64 Value) { SetParts(TParts::FromBits(Value)); }

    TAlphaColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TAlphaColor Value);
    TAlphaColor BackfaceColor() const { return FBackfaceColor; }
    void SetBackfaceColor(TAlphaColor Value);
    TAlphaColor BackfaceLinesFillColor() const { return FBackfaceLinesFillColor; }
    void SetBackfaceLinesFillColor(TAlphaColor Value);
    TAlphaColor BackfaceLinesStrokeColor() const { return FBackfaceLinesStrokeColor; }
    void SetBackfaceLinesStrokeColor(TAlphaColor Value);
    TAlphaColor MarkersFillColor() const { return FMarkersFillColor; }
    void SetMarkersFillColor(TAlphaColor Value);
    TAlphaColor MarkersStrokeColor() const { return FMarkersStrokeColor; }
    void SetMarkersStrokeColor(TAlphaColor Value);
    TAlphaColor NumbersFillColor() const { return FNumbersFillColor; }
    void SetNumbersFillColor(TAlphaColor Value);
    TAlphaColor NumbersStrokeColor() const { return FNumbersStrokeColor; }
    void SetNumbersStrokeColor(TAlphaColor Value);
    TAlphaColor LabelsFillColor() const { return FLabelsFillColor; }
    void SetLabelsFillColor(TAlphaColor Value);
    TAlphaColor LabelsStrokeColor() const { return FLabelsStrokeColor; }
    void SetLabelsStrokeColor(TAlphaColor Value);
    TAlphaColor NeedleHighColor() const { return FNeedleHighColor; }
    void SetNeedleHighColor(TAlphaColor Value);
    TAlphaColor NeedleLowColor() const { return FNeedleLowColor; }
    void SetNeedleLowColor(TAlphaColor Value);
    TAlphaColor KnobFillColor() const { return FKnobFillColor; }
    void SetKnobFillColor(TAlphaColor Value);
    TAlphaColor KnobStrokeColor() const { return FKnobStrokeColor; }
    void SetKnobStrokeColor(TAlphaColor Value);

    // The heading, 0..360, said in degrees, minutes and seconds.
    bool HasAccessibleRange() const override { return true; }
    double AccessibleMaximum() const override { return 360; }
    double AccessibleValue() const override { return FAngle; }
    void SetAccessibleValue(double Value) override { SetAngle(static_cast<float>(Value)); }
    QString AccessibleValueText() const override;

Q_SIGNALS:
    void angleChanged();
    void rotateChanged();
    void partsChanged();
    void frameColorChanged();
    void backfaceColorChanged();
    void backfaceLinesFillColorChanged();
    void backfaceLinesStrokeColorChanged();
    void markersFillColorChanged();
    void markersStrokeColorChanged();
    void numbersFillColorChanged();
    void numbersStrokeColorChanged();
    void labelsFillColorChanged();
    void labelsStrokeColorChanged();
    void needleHighColorChanged();
    void needleLowColorChanged();
    void knobFillColorChanged();
    void knobStrokeColorChanged();

protected:
    QString GetResourceName() const override;
    void ArtworkLoaded() override;
    // Every moving part at rest but the one Rotate names, which is live and
    // turned to the heading.
    void RestoreState() override;
    void ApplyGradients(bool Enabled) override;
    void ApplyDesign() override;
    void ApplyLightColor() override;
    void ApplyParts() override;
    void ApplyDecoration() override;
    std::vector<TSVGGraphicElement*> Rotors() const override;

    // Turns the part Rotate names to the heading.
    virtual void UpdateRotation();

private:
    // Turns the element of Part to Heading.
    void TurnPart(TCompassMovablePart Part, double Heading);
    // Fill or stroke of each element takes Color.
    void PaintElements(std::initializer_list<const char*> IDs, bool Fill, TAlphaColor Color);
    // The needle half HighOrLow in Color, its edge lighter and its shadow gradient from dark to light.
    void PaintNeedleHalf(const QString& HalfID, const QString& ShadowGradientID, TAlphaColor Color);

    float FAngle = 0;
    TParts FParts = TParts::All();
    TAlphaColor FNeedleHighColor = DefaultNeedleHighColor;
    TAlphaColor FFrameColor = DefaultFrameColor;
    TAlphaColor FLabelsFillColor = DefaultDarkColor;
    TAlphaColor FMarkersFillColor = DefaultDarkColor;
    TAlphaColor FBackfaceColor = DefaultBackfaceColor;
    TAlphaColor FNeedleLowColor = DefaultNeedleLowColor;
    TAlphaColor FLabelsStrokeColor = DefaultDarkColor;
    TAlphaColor FNumbersFillColor = DefaultNumbersFillColor;
    TAlphaColor FMarkersStrokeColor = DefaultDarkColor;
    TAlphaColor FKnobFillColor = DefaultKnobFillColor;
    TAlphaColor FNumbersStrokeColor = DefaultDarkColor;
    TAlphaColor FBackfaceLinesFillColor = DefaultDarkColor;
    TAlphaColor FKnobStrokeColor = DefaultDarkColor;
    TAlphaColor FBackfaceLinesStrokeColor = DefaultBackfaceLinesStrokeColor;
    TCompassMovablePart FRotate = TCompassMovablePart::cmpFaceNRose;
};

} // namespace zor
