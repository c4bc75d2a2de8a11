#pragma once
// The round gauge every round instrument builds on: it maps a value range
// onto an arc of its dial and turns up to three hands, generates the rings of
// major and minor markers and the ring of measurement labels, writes a
// caption and a detail text, shows or hides its thirteen parts and recolours
// frame, dial, knob, bolts, markers, labels and hands of the artwork
// "CircularGaugeSVG". Angles are degrees, clockwise from twelve o'clock.
//
// The hands are the live part: moving them redraws the hands alone between
// the cached layers, and however often a value changes, the widget is asked
// to repaint at most once per screen refresh.

#include <QElapsedTimer>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "geometry/path_data.h"
#include "instruments/custom_instrument.h"
#include "instruments/instrument_accessibility.h"
#include "instruments/rotor_sprites.h"
#include "platform/date_time.h"
#include "platform/enum_set.h"
#include "platform/string_list.h"
#include "svg/values/font.h"

class QTimer;

namespace zor {

enum class TCircularGaugePart {
    gpFrame,
    gpBackface,
    gpHands,
    gpDecoration,
    gpMajorMarkers,
    gpMinorMarkers,
    gpLabels,
    gpMeasurementLabels,
    gpMainLabel,
    gpDetailLabel,
    gpKnob,
    gpGlass,
    gpBolts
};
constexpr std::size_t EnumCount(TCircularGaugePart) { return 13; }

enum class TCircularGaugeHand { ghBig, ghLittle, ghThin };
constexpr std::size_t EnumCount(TCircularGaugeHand) { return 3; }

enum class TCircularGaugeMarker { gmCustom, gmLine, gmCircle, gmDiamond, gmInArrow, gmOutArrow, gmCWArrow, gmCCWArrow };
constexpr std::size_t EnumCount(TCircularGaugeMarker) { return 8; }

// The names streaming and scripts use for the values, in ordinal order.
extern const char* const CircularGaugePartNames[13];
extern const char* const CircularGaugeHandNames[3];
extern const char* const CircularGaugeMarkerNames[8];

class TZorCustomCircularGauge : public TZorSVGCustomInstrument, public IInstrumentAccessibility {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY captionChanged)
    Q_PROPERTY(QString DetailText READ DetailText WRITE SetDetailText NOTIFY detailTextChanged)
    Q_PROPERTY(QStringList Labels READ LabelLines WRITE SetLabelLines NOTIFY labelsChanged)
    Q_PROPERTY(zor::TCircularGaugeMarker MajorMarker READ MajorMarker WRITE SetMajorMarker NOTIFY majorMarkerChanged)
    Q_PROPERTY(zor::TCircularGaugeMarker MinorMarker READ MinorMarker WRITE SetMinorMarker NOTIFY minorMarkerChanged)
    Q_PROPERTY(quint64 Parts READ PartBits WRITE SetPartBits NOTIFY partsChanged)
    Q_PROPERTY(zor::TAlphaColor BoltColor READ BoltColor WRITE SetBoltColor NOTIFY boltColorChanged)
    Q_PROPERTY(zor::TAlphaColor KnobColor READ KnobColor WRITE SetKnobColor NOTIFY knobColorChanged)
    Q_PROPERTY(zor::TAlphaColor FrameColor READ FrameColor WRITE SetFrameColor NOTIFY frameColorChanged)
    Q_PROPERTY(zor::TAlphaColor BackfaceColor READ BackfaceColor WRITE SetBackfaceColor NOTIFY backfaceColorChanged)
    Q_PROPERTY(zor::TAlphaColor MajorMarkersColor READ MajorMarkersColor WRITE SetMajorMarkersColor NOTIFY
                   majorMarkersColorChanged)
    Q_PROPERTY(zor::TAlphaColor MinorMarkersColor READ MinorMarkersColor WRITE SetMinorMarkersColor NOTIFY
                   minorMarkersColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsFillColor READ LabelsFillColor WRITE SetLabelsFillColor NOTIFY
                   labelsFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor LabelsStrokeColor READ LabelsStrokeColor WRITE SetLabelsStrokeColor NOTIFY
                   labelsStrokeColorChanged)
    Q_PROPERTY(zor::TAlphaColor BigHandColor READ BigHandColor WRITE SetBigHandColor NOTIFY bigHandColorChanged)

public:
    using TPart = TCircularGaugePart;
    using TParts = TEnumSet<TPart>;
    using THand = TCircularGaugeHand;
    using THands = TEnumSet<THand>;
    using TMarker = TCircularGaugeMarker;

    // The values the constructor gives and the streaming defaults of the
    // base; each instrument publishes its own (StreamDefaults).
    static constexpr float InitialMin = 0;
    static constexpr float InitialMax = 12;
    static constexpr int InitialMajorMarkers = 12;
    static constexpr int InitialMinorMarkers = 4;
    static constexpr int InitialStartAngle = 0;
    static constexpr int InitialStopAngle = 360;
    static inline const QString MinorLinePath = QStringLiteral("m 49.75,0 0.5,0 0,3 -0.5,0 z");
    static inline const QString MajorLinePath = QStringLiteral("m 49.5,0 1,0 0,5 -1,0 z");
    static inline const QString DefaultBigHandID = QStringLiteral("BigHand");
    static THands AllHands() { return THands::All(); }
    static TParts AllParts() { return TParts::All(); }

    // Streaming defaults common to the round instruments.
    static constexpr TAlphaColor DefaultDecorationFillColor = 0xFF87CEEB;
    static constexpr TAlphaColor DefaultDecorationStrokeColor = 0xFF000000;
    static constexpr TAlphaColor DefaultBoltColor = 0xFFA9A9A9;
    static constexpr TAlphaColor DefaultKnobColor = 0xFFA9A9A9;
    static constexpr TAlphaColor DefaultFrameColor = 0xFFA9A9A9;
    static constexpr TAlphaColor DefaultBackfaceColor = 0xFF000000;
    static constexpr TAlphaColor DefaultMajorMarkersColor = 0xFFFFFFFF;
    static constexpr TAlphaColor DefaultMinorMarkersColor = 0xFFFFFFFF;
    static constexpr TAlphaColor DefaultLabelsFillColor = 0xFFFFFFFF;
    static constexpr TAlphaColor DefaultLabelsStrokeColor = 0xFF000000;

    // The streaming defaults an instrument class publishes for the
    // properties stored against fixed values.
    struct TStreamDefaults {
        int MajorMarkers = InitialMajorMarkers;
        int MinorMarkers = InitialMinorMarkers;
        int StartAngle = InitialStartAngle;
        int StopAngle = InitialStopAngle;
        TMarker MajorMarker = TMarker::gmLine;
        TMarker MinorMarker = TMarker::gmLine;
        std::uint64_t Parts = (std::uint64_t(1) << 13) - 1;
        TDecoration Decoration = TDecoration::dcNone;
    };

    explicit TZorCustomCircularGauge(QWidget* Parent = nullptr);
    ~TZorCustomCircularGauge() override;

    // --- Public properties -----------------------------------------------------
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    const QString& DetailText() const { return FDetailText; }
    void SetDetailText(const QString& Value);
    THands Hands() const { return FHands; }
    void SetHands(const THands& Value);
    // Hands as bits, bit i for the hand of ordinal i (the instruments that
    // publish Hands show it so).
    quint64 HandBits() const { return FHands.ToBits(); }
    void SetHandBits(quint64 Value) { SetHands(THands::FromBits(Value)); }
    TMarker MajorMarker() const { return FMajorMarker; }
    void SetMajorMarker(TMarker Value);
    TMarker MinorMarker() const { return FMinorMarker; }
    void SetMinorMarker(TMarker Value);
    TParts Parts() const { return FParts; }
    void SetParts(const TParts& Value);
    // Parts as bits, bit i for the part of ordinal i.
    quint64 PartBits() const { return FParts.ToBits(); }
    void SetPartBits(quint64 Value) { SetParts(TParts::FromBits(Value)); }
    // The font of the measurement labels and of the caption and detail text;
    // setting copies the given font.
    const TSVGFont& Font() const { return *FFont; }
    TSVGFont& Font() { return *FFont; }
    void SetFont(const TSVGFont& Value);
    const TSVGFont& CaptionFont() const { return *FCaptionFont; }
    TSVGFont& CaptionFont() { return *FCaptionFont; }
    void SetCaptionFont(const TSVGFont& Value);
    TAlphaColor BoltColor() const { return FBoltColor; }
    void SetBoltColor(TAlphaColor Value);
    TAlphaColor KnobColor() const { return FKnobColor; }
    void SetKnobColor(TAlphaColor Value);
    TAlphaColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TAlphaColor Value);
    TAlphaColor BackfaceColor() const { return FBackfaceColor; }
    void SetBackfaceColor(TAlphaColor Value);
    TAlphaColor MajorMarkersColor() const { return FMajorMarkersColor; }
    void SetMajorMarkersColor(TAlphaColor Value);
    TAlphaColor MinorMarkersColor() const { return FMinorMarkersColor; }
    void SetMinorMarkersColor(TAlphaColor Value);
    TAlphaColor LabelsFillColor() const { return FLabelsFillColor; }
    void SetLabelsFillColor(TAlphaColor Value);
    // 0 strokes nothing.
    TAlphaColor LabelsStrokeColor() const { return FLabelsStrokeColor; }
    void SetLabelsStrokeColor(TAlphaColor Value);
    // Published by every round instrument; always stored.
    TAlphaColor BigHandColor() const { return FBigHandColor; }
    void SetBigHandColor(TAlphaColor Value);

    // The values the persistence rules compare with; an instrument's
    // constructor sets them.
    const QString& DefaultCaption() const { return FDefaultCaption; }
    void SetDefaultCaption(const QString& Value) { FDefaultCaption = Value; }
    const QString& DefaultDetailText() const { return FDefaultDetailText; }
    void SetDefaultDetailText(const QString& Value) { FDefaultDetailText = Value; }
    THands DefaultHands() const { return FDefaultHands; }
    void SetDefaultHands(const THands& Value) { FDefaultHands = Value; }
    float DefaultMin() const { return FDefaultMin; }
    float DefaultMax() const { return FDefaultMax; }

    // --- Persistence rules: whether a layout stores the property ---------------
    bool IsCaptionStored() const { return FCaption != FDefaultCaption; }
    bool IsDetailTextStored() const { return FDetailText != FDefaultDetailText; }
    bool IsHandsStored() const { return !(FHands == FDefaultHands); }
    bool IsMinStored() const { return FMin != FDefaultMin; }
    bool IsMaxStored() const { return FMax != FDefaultMax; }
    bool IsLabelsStored() const;

    // The update bracket of the control: changes inside it only store values
    // (generation waits), and closing the outermost one brings the artwork in
    // line with everything (RefreshAll).
    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return FUpdateCount > 0; }

    // --- What assistive technology reads (QAccessibleValueInterface) -----------
    // The range and the value shown, in the instrument's own unit.
    double AccessibleMinimum() const override { return FMin; }
    double AccessibleMaximum() const override { return FMax; }
    double AccessibleValue() const override { return FValue; }
    void SetAccessibleValue(double Value) override { SetValue(static_cast<float>(Value)); }
    // The value as a reader says it: the number in FormatStr with the detail text.
    QString AccessibleValueText() const override;
    // The caption, or the instrument's kind when it has none.
    QString AccessibleName() const override;

    // Repaints asked for by moving hands, coalesced to one per screen refresh.
    int RefreshInterval() const { return FRefreshInterval; }

    // Round: as high as it is wide, 200 pixels by preference.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int Width) const override { return Width; }

    void LoadFromResource(const QString& ResName) override;

    // The notifications of the properties: parameterless, so that the
    // instruments can publish them as they publish the properties.
Q_SIGNALS:
    void valueChanged();
    void minChanged();
    void maxChanged();
    void startAngleChanged();
    void stopAngleChanged();
    void majorMarkersChanged();
    void minorMarkersChanged();
    void majorMarkerChanged();
    void minorMarkerChanged();
    void partsChanged();
    void handsChanged();
    void timeChanged();
    void captionChanged();
    void detailTextChanged();
    void labelsChanged();
    void fontChanged();
    void captionFontChanged();
    void boltColorChanged();
    void knobColorChanged();
    void frameColorChanged();
    void backfaceColorChanged();
    void majorMarkersColorChanged();
    void minorMarkersColorChanged();
    void labelsFillColorChanged();
    void labelsStrokeColorChanged();
    void bigHandColorChanged();
    void littleHandColorChanged();
    void thinHandColorChanged();

protected:
    // --- Properties the instruments publish as they need -----------------------
    float Min() const { return FMin; }
    // A new Min above Max pushes Max to Min + 1; above Value it moves Value
    // without turning the hands.
    void SetMin(float Value);
    float Max() const { return FMax; }
    void SetMax(float Value);
    float Value() const { return FValue; }
    // Limited to Min..Max.
    void SetValue(float Value);
    int StartAngle() const { return FStartAngle; }
    void SetStartAngle(int Value);
    int StopAngle() const { return FStopAngle; }
    void SetStopAngle(int Value);
    const TStringList& Labels() const { return *FLabels; }
    TStringList& Labels() { return *FLabels; }
    void SetLabels(const TStringList& Value);
    QStringList LabelLines() const { return FLabels->ToStringList(); }
    void SetLabelLines(const QStringList& Value);
    int MajorMarkers() const { return FMajorMarkers; }
    // Limited to 0 and above.
    void SetMajorMarkers(int Value);
    int MinorMarkers() const { return FMinorMarkers; }
    void SetMinorMarkers(int Value);
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    TAlphaColor LittleHandColor() const { return FLittleHandColor; }
    void SetLittleHandColor(TAlphaColor Value);
    TAlphaColor ThinHandColor() const { return FThinHandColor; }
    void SetThinHandColor(TAlphaColor Value);

    void SetDefaultMin(float Value) { FDefaultMin = Value; }
    void SetDefaultMax(float Value) { FDefaultMax = Value; }
    const QString& BigHandID() const { return FBigHandID; }
    void SetBigHandID(const QString& Value) { FBigHandID = Value; }

    // Loads the artwork, then refreshes everything and turns the hands.
    void AfterConstruction() override;

    // --- Operations, in the order the instruments override them ----------------
    // Brings the whole artwork in line with the properties.
    virtual void UpdateAll();
    // Turns element ID by Angle degrees about the knob's centre, replacing
    // its transform; nothing without the element or the knob.
    virtual void RotateHand(const QString& ID, float Angle);
    virtual void ApplyLabelsFont();
    virtual void ApplyCaptionFont();
    // The path text of a marker kind; gmCustom keeps the current one.
    virtual QString GetMarkerPath(TMarker Marker, bool Minor) const;
    // Fills Labels with the numbers of the major markers.
    virtual void GenerateLabels();
    // Builds the label texts along "TextCircle".
    virtual void CreateMeasurementLabels();
    // Builds the marker rings.
    virtual void GenerateMarkers();
    virtual void UpdateMarkerPaths();
    // UpdateAll inside one document update, unless a bracket is open.
    virtual void RefreshAll();
    virtual void ApplyHands();
    // The hands from Value.
    virtual void UpdateHands();
    // The hands from Time.
    virtual void UpdateTime();

    void ApplyGradients(bool Enabled) override;
    void ApplyDesign() override;
    void ApplyLightColor() override;
    void ApplyParts() override;
    void ApplyDecoration() override;
    void FormatStrChanged() override;
    QString GetResourceName() const override;

    // --- Notifications of the owned parts --------------------------------------
    virtual void FontChanged(const TSVGFont& Sender);
    virtual void LabelsChanged();
    virtual void MarkerPathChanged();
    // The labels the constructor gives, one per line.
    virtual QString GetDefaultLabels() const;
    // Runs when the outermost update bracket closes.
    virtual void DoEndUpdate();
    // The hands were turned: repaint them, coalesced.
    void HandsMoved() { RequestHandsRepaint(); }

    // The hand angle of Value: its fraction of the range on the arc; a range
    // of nothing puts it at StartAngle.
    double ValueAngle(double Value) const;
    // Asks for a repaint of the hands: at most one per screen refresh, none
    // while the widget is hidden.
    void RequestHandsRepaint();
    // Repaints what the hands' turn changed.
    void RepaintHands();
    // Shows or hides the element ID (display), when there is one.
    void ShowElement(const QString& ID, bool Shown);
    // Removes and frees element ID from the document, when there is one.
    void DestroyElement(const QString& ID);
    // Marks the layers stale and repaints.
    void ArtworkChanged();

    // One marker ring: the group GroupID is emptied and, when Shown, takes a
    // single path of Template repeated over the arc, Count marks to the turn.
    void GenerateRing(const QString& GroupID, bool Shown, const TZorPathData& Template, int Count);
    // The ring of major markers, MajorMarkers marks.
    void GenerateMajorRing();
    // The marker paths the rings are generated from.
    TZorPathData& MajorMarkerPath() { return *FMajorMarkerPath; }
    TZorPathData& MinorMarkerPath() { return *FMinorMarkerPath; }

    void showEvent(QShowEvent* Event) override;
    // The live part only turns: its parts are drawn once into pictures and
    // then copied turned, above quality 1 and while no drawing event listens;
    // otherwise it is drawn as the control draws it.
    void PaintActiveElement(QPainter& Painter, const QRect& Target) override;
    // The parts of the live drawing that turn on their own, in drawing order.
    virtual std::vector<TSVGGraphicElement*> Rotors() const;
    const TRotorSprites& Sprites() const { return FSprites; }

private:
    // Element ID (when present) fills with Color of its own.
    void PaintFill(const QString& ID, TAlphaColor Color);
    // The index of the last label: a full circle leaves out the one on the first.
    int LastLabelIndex() const;
    // Makes the measurement labels smaller where they would run into each other.
    void FitLabels();
    // Shows each part as the parts, the design and the gradients ask.
    void ApplyPartVisibility();
    void ReadArtworkColors();
    // StartAngle or StopAngle: markers, labels and hands follow.
    void ChangeArc(int& Field, int Value, void (TZorCustomCircularGauge::*Notify)());
    void ChangeColor(TAlphaColor& Field, TAlphaColor Value, void (TZorCustomCircularGauge::*Apply)(),
                     void (TZorCustomCircularGauge::*Notify)());
    void ApplyFrameColor();
    void ApplyBackfaceColor();
    void ApplyKnobColor();
    void ApplyBoltColor();
    void ApplyMajorMarkersColor();
    void ApplyMinorMarkersColor();
    void ApplyLabelsFillColor();
    void ApplyLabelsStrokeColor();
    void ApplyBigHandColor();
    void ApplyLittleHandColor();
    void ApplyThinHandColor();
    void SetCaptionText(const QString& ID, const QString& Text);
    // The knob's centre in the artwork's user space.
    std::optional<QPointF> KnobCentre();

    TAlphaColor FLabelsFillColor = DefaultLabelsFillColor;
    TAlphaColor FMinorMarkersColor = DefaultMinorMarkersColor;
    TAlphaColor FMajorMarkersColor = DefaultMajorMarkersColor;
    TAlphaColor FLabelsStrokeColor = DefaultLabelsStrokeColor;
    TAlphaColor FFrameColor = DefaultFrameColor;
    std::unique_ptr<TSVGFont> FFont;
    TParts FParts = TParts::All();
    TAlphaColor FBackfaceColor = DefaultBackfaceColor;
    THands FHands = THands::All();
    float FValue = 0;
    QString FDetailText;
    QString FCaption;
    TAlphaColor FBoltColor = DefaultBoltColor;
    TAlphaColor FKnobColor = DefaultKnobColor;
    std::unique_ptr<TStringList> FLabels;
    int FMinorMarkers = InitialMinorMarkers;
    int FMajorMarkers = InitialMajorMarkers;
    std::unique_ptr<TZorPathData> FMinorMarkerPath;
    std::unique_ptr<TZorPathData> FMajorMarkerPath;
    int FStopAngle = InitialStopAngle;
    int FStartAngle = InitialStartAngle;
    float FMax = InitialMax;
    float FMin = InitialMin;
    int FUpdateCount = 0;
    QString FDefaultCaption;
    THands FDefaultHands = THands::All();
    QString FDefaultDetailText;
    TAlphaColor FThinHandColor = 0;
    TAlphaColor FLittleHandColor = 0;
    TAlphaColor FBigHandColor = 0;
    float FDefaultMax = InitialMax;
    float FDefaultMin = InitialMin;
    QString FBigHandID = DefaultBigHandID;
    TMarker FMajorMarker = TMarker::gmLine;
    TMarker FMinorMarker = TMarker::gmLine;
    TDateTime FTime = 0;
    std::unique_ptr<TSVGFont> FCaptionFont;

    // The knob's centre, which the hands turn about; measured once per
    // artwork, since hiding the knob must not move it.
    std::optional<QPointF> FKnobCentre;
    // The pictures of the turning parts.
    TRotorSprites FSprites;
    // Coalesces hand repaints to one per screen refresh.
    QTimer* FRepaintTimer = nullptr;
    QElapsedTimer FSinceHandsRepaint;
    int FRefreshInterval = 16;
    bool FHandsRepaintPending = false;
};

} // namespace zor
