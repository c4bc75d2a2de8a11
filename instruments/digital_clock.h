#pragma once
// The digital clock: four seven-segment digits (hours and minutes) and an
// AM/PM sign, following Time in 12-hour form or, with TwentyFourHour, in
// 24-hour form without the sign. The digits are the live part.

#include "instruments/gallery_instrument.h"
#include "instruments/seven_segment.h"
#include "platform/date_time.h"
#include "platform/enum_set.h"

namespace zor {

enum class TDigitalClockPart { dpFrame, dpBackface, dpDecoration, dpLabels, dpTimeOfDay, dpGlass };
constexpr std::size_t EnumCount(TDigitalClockPart) { return 6; }
extern const char* const DigitalClockPartNames[6];

class TZorDigitalClock : public TZorCustomGalleryInstrument {
    Q_OBJECT
    Q_PROPERTY(double Time READ Time WRITE SetTime NOTIFY timeChanged)
    Q_PROPERTY(bool TwentyFourHour READ TwentyFourHour WRITE SetTwentyFourHour NOTIFY twentyFourHourChanged)
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TAlphaColor FrameColor READ FrameColor WRITE SetFrameColor NOTIFY frameColorChanged)
    Q_PROPERTY(zor::TAlphaColor BackfaceColor READ BackfaceColor WRITE SetBackfaceColor NOTIFY backfaceColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsFillColor READ LabelsFillColor WRITE SetLabelsFillColor NOTIFY
                   labelsFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsStrokeColor READ LabelsStrokeColor WRITE SetLabelsStrokeColor NOTIFY
                   labelsStrokeColorChanged)

public:
    using TPart = TDigitalClockPart;
    using TParts = TEnumSet<TPart>;

    static constexpr int DefaultHeight = 75;
    // The groups of the four digits, hours first.
    static constexpr const char* DigitIDs[4] = {"d1", "d2", "d3", "d4"};

    explicit TZorDigitalClock(QWidget* Parent = nullptr);

    // The time shown (hours and minutes); setting it raises OnChange. Raises
    // EListError "Item not found" when the artwork lacks a digit group, and
    // "List index out of bounds (%d)" when a group has fewer than seven
    // segments; the time is stored all the same.
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    // 00 to 23 hours without the AM/PM sign, instead of 12, 1, ..., 11 with it.
    bool TwentyFourHour() const { return FTwentyFourHour; }
    void SetTwentyFourHour(bool Value);
    // After noon (the sign shows PM).
    bool IsPM() const { return FIsPM; }

    TParts Parts() const { return FParts; }
    void SetParts(const TParts& Value);
    quint64 PartBits() const { return FParts.ToBits(); }
    void SetPartBits(quint64 Value) { SetParts(TParts::FromBits(Value)); }

    TAlphaColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TAlphaColor Value);
    TAlphaColor BackfaceColor() const { return FBackfaceColor; }
    void SetBackfaceColor(TAlphaColor Value);
    // The digits' colours.
    TAlphaColor LabelsFillColor() const { return FLabelsFillColor; }
    void SetLabelsFillColor(TAlphaColor Value);
    TAlphaColor LabelsStrokeColor() const { return FLabelsStrokeColor; }
    void SetLabelsStrokeColor(TAlphaColor Value);

    // The digit a group shows now, BlankDigit for none: for tests and tools.
    int ShownDigit(const QString& GroupID) const;

    // The time of day in seconds since midnight, said as the clock shows it.
    bool HasAccessibleRange() const override { return true; }
    double AccessibleMaximum() const override;
    double AccessibleValue() const override;
    void SetAccessibleValue(double Value) override;
    QString AccessibleValueText() const override;

Q_SIGNALS:
    void timeChanged();
    void twentyFourHourChanged();
    void partsChanged();
    void frameColorChanged();
    void backfaceColorChanged();
    void labelsFillColorChanged();
    void labelsStrokeColorChanged();

protected:
    QString GetResourceName() const override;
    void ArtworkLoaded() override;
    void RestoreState() override;
    void ApplyGradients(bool Enabled) override;
    void ApplyDesign() override;
    void ApplyLightColor() override;
    void ApplyParts() override;

    // Shows Time on the digits and the sign.
    virtual void UpdateDisplay();

private:
    // The segments of group GroupID show Digit (none for BlankDigit); the
    // area of those switched.
    QRectF ShowDigit(const QString& GroupID, int Digit);
    // The sign shows PM (or AM); neither in 24-hour form.
    void SetIsPM(bool Value);
    // The sign as the time says; the area of what switched.
    QRectF ShowTimeOfDay();
    // Shows or hides Element (none is skipped); the area it covers when that
    // changed its display (the whole live part's when it cannot be told),
    // null otherwise.
    QRectF Switch(TSVGGraphicElement* Element, bool Shown);

    TParts FParts = TParts::All();
    TAlphaColor FFrameColor = 0;
    TDateTime FTime = 0;
    TAlphaColor FBackfaceColor = 0;
    bool FIsPM = false;
    TAlphaColor FLabelsFillColor = 0;
    TAlphaColor FLabelsStrokeColor = 0;
    bool FTwentyFourHour = false;
};

} // namespace zor
