#pragma once
// Batteries: a charge level squeezed vertically towards its bottom edge by
// the value, in a cylindrical glass battery and in a modern cell. The level
// is the live part; the caps, glass and emblem are cached around it.

#include <QTransform>

#include "instruments/range_instrument.h"
#include "platform/enum_set.h"

namespace zor {

// What both batteries share: the level, and the colours of the charge and
// the caps.
class TZorCustomBattery : public TZorRangeInstrument {
    Q_OBJECT
    Q_PROPERTY(zor::TAlphaColor FillColor READ FillColor WRITE SetFillColor NOTIFY fillColorChanged)
    Q_PROPERTY(zor::TAlphaColor TopColor READ TopColor WRITE SetTopColor NOTIFY topColorChanged)
    Q_PROPERTY(zor::TAlphaColor BottomColor READ BottomColor WRITE SetBottomColor NOTIFY bottomColorChanged)

public:
    static constexpr float InitialMax = 100;
    static constexpr TAlphaColor DefaultDecorationFillColor = 0xFFFFEF42;
    static constexpr TAlphaColor DefaultDecorationStrokeColor = 0xFF6B0101;
    static constexpr TAlphaColor DefaultFillColor = 0xFF68BAF4;
    static constexpr TAlphaColor DefaultCapColor = 0xFF666666;

    explicit TZorCustomBattery(QWidget* Parent = nullptr);

    // The colour of the charge.
    TAlphaColor FillColor() const { return FFillColor; }
    void SetFillColor(TAlphaColor Value);
    TAlphaColor TopColor() const { return FTopColor; }
    void SetTopColor(TAlphaColor Value);
    TAlphaColor BottomColor() const { return FBottomColor; }
    void SetBottomColor(TAlphaColor Value);

    // How high the level stands, as a share of its full height.
    double LevelFraction() const { return Fraction(Value(), Min(), Max()); }

Q_SIGNALS:
    void fillColorChanged();
    void topColorChanged();
    void bottomColorChanged();

protected:
    // The element the level squeezes, which the artwork must have.
    virtual QString LevelElementID() const = 0;
    // Makes "LevelGroup" the live part and measures the level element;
    // raises EListError "Item not found" without them.
    void ArtworkLoaded() override;
    void RangeChanged() override {}
    void UpdateValue() override { UpdateLevel(); }
    // Squeezes the level to the value, towards its bottom edge.
    virtual void UpdateLevel();
    // The level's transform at Fraction of its height.
    QTransform LevelMatrix(double Fraction) const;
    virtual void ApplyFillColor() = 0;
    virtual void ApplyTopColor() = 0;
    virtual void ApplyBottomColor() = 0;

    TAlphaColor FFillColor = DefaultFillColor;
    TAlphaColor FTopColor = DefaultCapColor;
    TAlphaColor FBottomColor = DefaultCapColor;
    // The level element's bounds in its own space (top and height) and its
    // transform, as the artwork has them.
    float FLevelY = 0;
    float FLevelHeight = 0;
    QTransform FLevelMatrix;
};

enum class TBatteryPart { bpTop, bpConnector, bpBottom, bpDecoration, bpMarkers, bpLevel, bpGlass };
constexpr std::size_t EnumCount(TBatteryPart) { return 7; }
extern const char* const BatteryPartNames[7];

class TZorBattery : public TZorCustomBattery {
    Q_OBJECT
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TAlphaColor MarkersFillColor READ MarkersFillColor WRITE SetMarkersFillColor NOTIFY
                   markersFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor MarkersStrokeColor READ MarkersStrokeColor WRITE SetMarkersStrokeColor NOTIFY
                   markersStrokeColorChanged)

public:
    using TPart = TBatteryPart;
    using TParts = TEnumSet<TPart>;

    static constexpr int DefaultWidth = 100;
    static constexpr TAlphaColor DefaultMarkersFillColor = 0xFFFFF51F;
    static constexpr TAlphaColor DefaultMarkersStrokeColor = 0xFF860101;

    explicit TZorBattery(QWidget* Parent = nullptr);

    TParts Parts() const { return FParts; }
    void SetParts(const TParts& Value);
    quint64 PartBits() const { return FParts.ToBits(); }
    void SetPartBits(quint64 Value) { SetParts(TParts::FromBits(Value)); }
    TAlphaColor MarkersFillColor() const { return FMarkersFillColor; }
    void SetMarkersFillColor(TAlphaColor Value);
    TAlphaColor MarkersStrokeColor() const { return FMarkersStrokeColor; }
    void SetMarkersStrokeColor(TAlphaColor Value);

Q_SIGNALS:
    void markersFillColorChanged();
    void markersStrokeColorChanged();

protected:
    QString GetResourceName() const override;
    QString LevelElementID() const override;
    void ArtworkLoaded() override;
    void ApplyGradients(bool Enabled) override;
    void ApplyDesign() override;
    void ApplyLightColor() override;
    void ApplyParts() override;
    void ApplyFillColor() override;
    void ApplyTopColor() override;
    void ApplyBottomColor() override;
    // The level only changes by its transform: its picture, drawn full, is
    // squeezed as the level is.
    std::vector<TSVGGraphicElement*> Rotors() const override;
    bool HasPicturePose() const override { return true; }
    void PoseForPictures(bool Drawing) override;

private:
    TParts FParts = TParts::All();
    TAlphaColor FMarkersFillColor = DefaultMarkersFillColor;
    TAlphaColor FMarkersStrokeColor = DefaultMarkersStrokeColor;
};

enum class TBatteryModernPart { bmTop, bmConnector, bmBottom, bmDecoration, bmLevel, bmGlass, bmShadow };
constexpr std::size_t EnumCount(TBatteryModernPart) { return 7; }
extern const char* const BatteryModernPartNames[7];

class TZorBatteryModern : public TZorCustomBattery {
    Q_OBJECT
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TAlphaColor BackfaceColor READ BackfaceColor WRITE SetBackfaceColor NOTIFY backfaceColorChanged)
    Q_PROPERTY(zor::TAlphaColor BandsColor READ BandsColor WRITE SetBandsColor NOTIFY bandsColorChanged)

public:
    using TPart = TBatteryModernPart;
    using TParts = TEnumSet<TPart>;

    static constexpr int DefaultWidth = 105;

    explicit TZorBatteryModern(QWidget* Parent = nullptr);

    TParts Parts() const { return FParts; }
    void SetParts(const TParts& Value);
    quint64 PartBits() const { return FParts.ToBits(); }
    void SetPartBits(quint64 Value) { SetParts(TParts::FromBits(Value)); }
    // The empty part of the cell behind the glass.
    TAlphaColor BackfaceColor() const { return FBackfaceColor; }
    void SetBackfaceColor(TAlphaColor Value);
    // The bands that hold the glass.
    TAlphaColor BandsColor() const { return FBandsColor; }
    void SetBandsColor(TAlphaColor Value);

Q_SIGNALS:
    void backfaceColorChanged();
    void bandsColorChanged();

protected:
    QString GetResourceName() const override;
    QString LevelElementID() const override;
    void ArtworkLoaded() override;
    void UpdateLevel() override;
    void ApplyGradients(bool Enabled) override;
    void ApplyDesign() override;
    void ApplyLightColor() override;
    void ApplyParts() override;
    void ApplyFillColor() override;
    void ApplyTopColor() override;
    void ApplyBottomColor() override;

private:
    TParts FParts = TParts::All();
    TAlphaColor FBackfaceColor = 0;
    TAlphaColor FBandsColor = 0;
};

} // namespace zor
