#pragma once
// The thermometer: a mercury column that grows upward from the bottom of its
// tube, between two columns of labels. The column runs on past the labelled
// range (a tenth of it above, about a twelfth below); the glass tube with the
// mercury is the live part.

#include <memory>

#include "instruments/range_instrument.h"
#include "platform/enum_set.h"
#include "svg/values/font.h"

namespace zor {

enum class TThermometerPart {
    tpFrame,
    tpBackface,
    tpDecoration,
    tpLeftMarkers,
    tpRightMarkers,
    tpLeftMinorMarkers,
    tpRightMinorMarkers,
    tpLeftLabels,
    tpRightLabels,
    tpMercury,
    tpPipette,
    tpGlass
};
constexpr std::size_t EnumCount(TThermometerPart) { return 12; }
extern const char* const ThermometerPartNames[12];

class TZorThermometer : public TZorRangeInstrument {
    Q_OBJECT
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TAlphaColor FrameColor READ FrameColor WRITE SetFrameColor NOTIFY frameColorChanged)
    Q_PROPERTY(zor::TAlphaColor MercuryColor READ MercuryColor WRITE SetMercuryColor NOTIFY mercuryColorChanged)
    Q_PROPERTY(zor::TAlphaColor BackfaceColor READ BackfaceColor WRITE SetBackfaceColor NOTIFY backfaceColorChanged)
    Q_PROPERTY(zor::TAlphaColor MarkersColor READ MarkersColor WRITE SetMarkersColor NOTIFY markersColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsFillColor READ LabelsFillColor WRITE SetLabelsFillColor NOTIFY
                   labelsFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsStrokeColor READ LabelsStrokeColor WRITE SetLabelsStrokeColor NOTIFY
                   labelsStrokeColorChanged)

public:
    using TPart = TThermometerPart;
    using TParts = TEnumSet<TPart>;

    static constexpr int DefaultWidth = 75;
    static constexpr float InitialMax = 120;
    // How far the column runs on past the range, as shares of it.
    static constexpr double OverrunAbove = 0.1;
    static constexpr double OverrunBelow = 0.0875;

    static constexpr TAlphaColor DefaultMercuryColor = 0xFFFF0000;
    static constexpr TAlphaColor DefaultBackfaceColor = 0xFFFFF1FF;
    static constexpr TAlphaColor DefaultDarkColor = 0xFF000000;

    explicit TZorThermometer(QWidget* Parent = nullptr);
    ~TZorThermometer() override;

    // The lowest and highest value the column can show.
    float MinMercury() const { return FMinMercury; }
    float MaxMercury() const { return FMaxMercury; }
    // The top of the column for Value and its height, in the artwork's units.
    std::pair<double, double> MercuryTopAndHeight(double Value) const;

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
    TAlphaColor MercuryColor() const { return FMercuryColor; }
    void SetMercuryColor(TAlphaColor Value);
    TAlphaColor BackfaceColor() const { return FBackfaceColor; }
    void SetBackfaceColor(TAlphaColor Value);
    TAlphaColor MarkersColor() const { return FMarkersColor; }
    void SetMarkersColor(TAlphaColor Value);
    TAlphaColor LabelsFillColor() const { return FLabelsFillColor; }
    void SetLabelsFillColor(TAlphaColor Value);
    TAlphaColor LabelsStrokeColor() const { return FLabelsStrokeColor; }
    void SetLabelsStrokeColor(TAlphaColor Value);

Q_SIGNALS:
    void frameColorChanged();
    void mercuryColorChanged();
    void backfaceColorChanged();
    void markersColorChanged();
    void labelsFillColorChanged();
    void labelsStrokeColorChanged();

protected:
    QString GetResourceName() const override;
    // Makes the tube live and measures the full column; raises EListError
    // "Item not found" when "Mercury" or "MercuryHighlight" is missing.
    void ArtworkLoaded() override;
    void ApplyGradients(bool Enabled) override;
    void ApplyDesign() override;
    void ApplyLightColor() override;
    void ApplyParts() override;
    void FormatStrChanged() override;

    std::pair<float, float> ValueLimits() const override { return {FMinMercury, FMaxMercury}; }
    void RangeChanged() override { UpdateRange(); }
    void UpdateValue() override { UpdateMercury(); }

    // Writes both label columns; raises EListError "Item not found" without
    // "textLeft" or "textRight".
    virtual void UpdateLabels();
    // Labels and the values the column can show.
    virtual void UpdateRange();
    // Sets the column to the value.
    virtual void UpdateMercury();
    virtual void FontChanged();

private:
    // A rect of the column as the artwork draws it full: its top and height.
    struct TColumn {
        double Y = 0;
        double Height = 0;
    };
    void FitLabels();
    // The shaded edge of the frame's bevel: the frame colour, 128 darker.
    TAlphaColor FrameBevelShade() const;
    // Fills Fraction of the column rect ID; gives the area that changed.
    QRectF SetColumn(const QString& ID, const TColumn& Full, double Fraction);

    float FMinMercury = 0;
    float FMaxMercury = InitialMax;
    // Measured once per artwork, so that no edit of the column can shorten
    // it for later values, and kept unrounded.
    TColumn FMercury;
    TColumn FMercuryHighlight;
    TParts FParts = TParts::All();
    std::unique_ptr<TSVGFont> FFont;
    TAlphaColor FLabelsFillColor = DefaultDarkColor;
    TAlphaColor FMercuryColor = DefaultMercuryColor;
    TAlphaColor FLabelsStrokeColor = DefaultDarkColor;
    TAlphaColor FFrameColor = 0;
    TAlphaColor FMarkersColor = DefaultDarkColor;
    TAlphaColor FBackfaceColor = DefaultBackfaceColor;
    bool FFontAssigned = false;
};

} // namespace zor
