#include "instruments/circular_gauge.h"

#include <QScreen>
#include <QTimer>
#include <cmath>

#include "instruments/circular_scale.h"
#include "instruments/instrument_accessibility.h"
#include "platform/update_scope.h"
#include "svg/model/graphic_element.h"
#include "svg/shapes/text_element.h"
#include "svg/values/number_format.h"

namespace zor {

const char* const CircularGaugePartNames[13] = {
    "gpFrame",  "gpBackface", "gpHands",     "gpDecoration", "gpMajorMarkers", "gpMinorMarkers", "gpLabels",
    "gpMeasurementLabels", "gpMainLabel", "gpDetailLabel", "gpKnob", "gpGlass", "gpBolts"};
const char* const CircularGaugeHandNames[3] = {"ghBig", "ghLittle", "ghThin"};
const char* const CircularGaugeMarkerNames[8] = {"gmCustom",  "gmLine",     "gmCircle",  "gmDiamond",
                                                 "gmInArrow", "gmOutArrow", "gmCWArrow", "gmCCWArrow"};

namespace {

const QStringList RomanNumerals = {
    QStringLiteral("XII"),  QStringLiteral("I"),  QStringLiteral("II"), QStringLiteral("III"),
    QStringLiteral("IV"),   QStringLiteral("V"),  QStringLiteral("VI"), QStringLiteral("VII"),
    QStringLiteral("VIII"), QStringLiteral("IX"), QStringLiteral("X"),  QStringLiteral("XI")};

// The screen refresh assumed when the widget is on no screen yet.
constexpr qreal FallbackRefreshRate = 60;

} // namespace

TZorCustomCircularGauge::TZorCustomCircularGauge(QWidget* Parent)
    : TZorSVGCustomInstrument(Parent)
    , FFont(std::make_unique<TSVGFont>(TSVGValueOwner{[this](TPersistent&) { FontChanged(*FFont); }}))
    , FLabels(std::make_unique<TStringList>([this](TStringList&) { LabelsChanged(); }, RomanNumerals))
    , FMinorMarkerPath(std::make_unique<TZorPathData>([this](TZorPathData&) { MarkerPathChanged(); }))
    , FMajorMarkerPath(std::make_unique<TZorPathData>([this](TZorPathData&) { MarkerPathChanged(); }))
    , FCaptionFont(
          std::make_unique<TSVGFont>(TSVGValueOwner{[this](TPersistent&) { FontChanged(*FCaptionFont); }}))
    , FRepaintTimer(new QTimer(this))
{
    FMinorMarkerPath->SetData(MinorLinePath);
    FMajorMarkerPath->SetData(MajorLinePath);
    SetDecorationID(QStringLiteral("Decoration"));
    FRepaintTimer->setSingleShot(true);
    connect(FRepaintTimer, &QTimer::timeout, this, [this] {
        FHandsRepaintPending = false;
        FSinceHandsRepaint.start();
        RepaintHands();
    });
    InstallInstrumentAccessibility();
}

TZorCustomCircularGauge::~TZorCustomCircularGauge() = default;

QString TZorCustomCircularGauge::GetResourceName() const
{
    return QStringLiteral("CircularGaugeSVG");
}

QSize TZorCustomCircularGauge::sizeHint() const
{
    return QSize(DefaultSide, DefaultSide);
}

QSize TZorCustomCircularGauge::minimumSizeHint() const
{
    // Below this the labels cannot be read.
    constexpr int SmallestSide = 48;
    return QSize(SmallestSide, SmallestSide);
}

void TZorCustomCircularGauge::AfterConstruction()
{
    TZorSVGCustomInstrument::AfterConstruction();
    RefreshAll();
    UpdateHands();
}

void TZorCustomCircularGauge::LoadFromResource(const QString& ResName)
{
    TZorSVGCustomInstrument::LoadFromResource(ResName);
    FKnobCentre.reset();
    FSprites.Invalidate();
    TSVGGraphicElement* hands = nullptr;
    TryGetElement(QStringLiteral("Hands"), hands);
    SetActiveSVGElement(hands);
    ReadArtworkColors();
}

void TZorCustomCircularGauge::ReadArtworkColors()
{
    const auto read = [this](const QString& ID, TAlphaColor& Field, bool Fill) {
        TSVGGraphicElement* element = nullptr;
        if (TryGetElement(ID, element))
            Field = Fill ? element->Brush().Color() : element->Pen().Color();
    };
    // The frame colour is the fill of "FrameColor", read and written alike.
    read(QStringLiteral("FrameColor"), FFrameColor, true);
    read(QStringLiteral("DialColor"), FBackfaceColor, true);
    read(QStringLiteral("BigMarkers"), FMajorMarkersColor, true);
    read(QStringLiteral("SmallMarkers"), FMinorMarkersColor, true);
    read(QStringLiteral("Bolt"), FBoltColor, true);
    read(QStringLiteral("Knob"), FKnobColor, true);
    read(QStringLiteral("Labels"), FLabelsFillColor, true);
    read(QStringLiteral("Labels"), FLabelsStrokeColor, false);
    read(FBigHandID, FBigHandColor, true);
    read(QStringLiteral("LittleHand"), FLittleHandColor, true);
    read(QStringLiteral("ThinHand"), FThinHandColor, true);
}

// --- Update bracket -------------------------------------------------------------

void TZorCustomCircularGauge::BeginUpdate()
{
    ++FUpdateCount;
}

void TZorCustomCircularGauge::EndUpdate()
{
    if (FUpdateCount <= 0)
        return;
    if (--FUpdateCount == 0)
        DoEndUpdate();
}

void TZorCustomCircularGauge::DoEndUpdate()
{
    RefreshAll();
}

void TZorCustomCircularGauge::RefreshAll()
{
    if (FUpdateCount > 0)
        return;
    {
        TUpdateScope<TSVGDocument> update(SVG());
        UpdateAll();
    }
    ArtworkChanged();
}

void TZorCustomCircularGauge::UpdateAll()
{
    SetCaptionText(QStringLiteral("GaugeText"), FCaption);
    SetCaptionText(QStringLiteral("GaugeDetailText"), FDetailText);
    UpdateMarkerPaths();
    GenerateMarkers();
    GenerateLabels();
    ApplyHands();
    ApplyParts();
    ApplyDecoration();
    ApplyLabelsFont();
    ApplyBigHandColor();
}

// --- Value and range ------------------------------------------------------------

void TZorCustomCircularGauge::SetValue(float Value)
{
    if (std::isnan(Value))
        return;
    Value = std::clamp(Value, FMin, FMax);
    if (FValue == Value)
        return;
    FValue = Value;
    UpdateHands();
    DoChange();
    Q_EMIT valueChanged();
    NotifyAccessibleValue(*this);
}

void TZorCustomCircularGauge::SetMin(float Value)
{
    if (FMin == Value || std::isnan(Value))
        return;
    if (Value > FMax) {
        FMax = Value + 1;
        Q_EMIT maxChanged();
    }
    const bool valueMoves = Value > FValue;
    if (valueMoves)
        FValue = Value;
    FMin = Value;
    GenerateLabels();
    ArtworkChanged();
    Q_EMIT minChanged();
    if (valueMoves)
        Q_EMIT valueChanged();
}

void TZorCustomCircularGauge::SetMax(float Value)
{
    if (FMax == Value || std::isnan(Value))
        return;
    if (Value < FMin) {
        FMin = Value - 1;
        Q_EMIT minChanged();
    }
    const bool valueMoves = Value < FValue;
    if (valueMoves)
        FValue = Value;
    FMax = Value;
    GenerateLabels();
    ArtworkChanged();
    Q_EMIT maxChanged();
    if (valueMoves)
        Q_EMIT valueChanged();
}

void TZorCustomCircularGauge::SetStartAngle(int Value)
{
    ChangeArc(FStartAngle, Value, &TZorCustomCircularGauge::startAngleChanged);
}

void TZorCustomCircularGauge::SetStopAngle(int Value)
{
    ChangeArc(FStopAngle, Value, &TZorCustomCircularGauge::stopAngleChanged);
}

void TZorCustomCircularGauge::ChangeArc(int& Field, int Value, void (TZorCustomCircularGauge::*Notify)())
{
    // Either end may lie anywhere: nothing limits or reduces it.
    if (Field == Value)
        return;
    Field = Value;
    GenerateMarkers();
    GenerateLabels();
    UpdateHands();
    ArtworkChanged();
    Q_EMIT(this->*Notify)();
}

void TZorCustomCircularGauge::SetMajorMarkers(int Value)
{
    Value = std::max(0, Value);
    if (FMajorMarkers == Value)
        return;
    FMajorMarkers = Value;
    GenerateMarkers();
    GenerateLabels();
    ArtworkChanged();
    Q_EMIT majorMarkersChanged();
}

void TZorCustomCircularGauge::SetMinorMarkers(int Value)
{
    Value = std::max(0, Value);
    if (FMinorMarkers == Value)
        return;
    FMinorMarkers = Value;
    GenerateMarkers();
    ArtworkChanged();
    Q_EMIT minorMarkersChanged();
}

void TZorCustomCircularGauge::SetMajorMarker(TMarker Value)
{
    if (FMajorMarker == Value)
        return;
    FMajorMarker = Value;
    FMajorMarkerPath->SetData(GetMarkerPath(Value, false));
    Q_EMIT majorMarkerChanged();
}

void TZorCustomCircularGauge::SetMinorMarker(TMarker Value)
{
    if (FMinorMarker == Value)
        return;
    FMinorMarker = Value;
    FMinorMarkerPath->SetData(GetMarkerPath(Value, true));
    Q_EMIT minorMarkerChanged();
}

void TZorCustomCircularGauge::SetParts(const TParts& Value)
{
    if (FParts == Value)
        return;
    FParts = Value;
    PartsChanged();
    Q_EMIT partsChanged();
}

void TZorCustomCircularGauge::SetHands(const THands& Value)
{
    if (FHands == Value)
        return;
    FHands = Value;
    ApplyHands();
    // The hands are drawn live: the layers stay as they are.
    FSprites.Invalidate();
    Repaint();
    Q_EMIT handsChanged();
}

void TZorCustomCircularGauge::SetTime(TDateTime Value)
{
    if (FTime == Value || std::isnan(Value))
        return;
    FTime = Value;
    UpdateTime();
    DoChange();
    Q_EMIT timeChanged();
    NotifyAccessibleValue(*this);
}

// --- Texts, fonts and labels ----------------------------------------------------

void TZorCustomCircularGauge::SetCaptionText(const QString& ID, const QString& Text)
{
    TSVGCustomText* text = nullptr;
    if (!TryGetElement(ID, text))
        return;
    text->SetText(Text);
    ArtworkChanged();
}

void TZorCustomCircularGauge::SetCaption(const QString& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    SetCaptionText(QStringLiteral("GaugeText"), FCaption);
    Q_EMIT captionChanged();
}

void TZorCustomCircularGauge::SetDetailText(const QString& Value)
{
    if (FDetailText == Value)
        return;
    FDetailText = Value;
    SetCaptionText(QStringLiteral("GaugeDetailText"), FDetailText);
    Q_EMIT detailTextChanged();
}

void TZorCustomCircularGauge::SetFont(const TSVGFont& Value)
{
    FFont->Assign(&Value);
}

void TZorCustomCircularGauge::SetCaptionFont(const TSVGFont& Value)
{
    FCaptionFont->Assign(&Value);
}

void TZorCustomCircularGauge::SetLabels(const TStringList& Value)
{
    FLabels->Assign(&Value);
}

void TZorCustomCircularGauge::SetLabelLines(const QStringList& Value)
{
    if (FLabels->ToStringList() != Value)
        FLabels->Assign(Value);
}

bool TZorCustomCircularGauge::IsLabelsStored() const
{
    TStringList defaults;
    defaults.SetText(GetDefaultLabels());
    return FLabels->Text() != defaults.Text();
}

QString TZorCustomCircularGauge::GetDefaultLabels() const
{
    return RomanNumerals.join(QStringLiteral("\r\n"));
}

void TZorCustomCircularGauge::FontChanged(const TSVGFont& Sender)
{
    if (&Sender == FFont.get()) {
        ApplyLabelsFont();
        Q_EMIT fontChanged();
    } else if (&Sender == FCaptionFont.get()) {
        ApplyCaptionFont();
        Q_EMIT captionFontChanged();
    }
}

void TZorCustomCircularGauge::LabelsChanged()
{
    CreateMeasurementLabels();
    ArtworkChanged();
    Q_EMIT labelsChanged();
}

void TZorCustomCircularGauge::MarkerPathChanged()
{
    GenerateMarkers();
    ArtworkChanged();
}

void TZorCustomCircularGauge::FormatStrChanged()
{
    GenerateLabels();
    TZorSVGCustomInstrument::FormatStrChanged();
}

namespace {

// The font properties an element stops inheriting when it gets a font of its own.
const TSVGStyleProperties FontProperties{TSVGStyleProperty::ipFont,        TSVGStyleProperty::ipFontFamily,
                                         TSVGStyleProperty::ipFontSize,    TSVGStyleProperty::ipFontStyle,
                                         TSVGStyleProperty::ipFontVariant, TSVGStyleProperty::ipFontWeight,
                                         TSVGStyleProperty::ipTextDecoration};

} // namespace

void TZorCustomCircularGauge::ApplyLabelsFont()
{
    TSVGGraphicElement* labels = nullptr;
    if (!TryGetElement(QStringLiteral("Labels"), labels))
        return;
    labels->EditValues(FontProperties, [&](TSVGStyleValues& Values) { Values.Font.Assign(FFont.get()); });
    labels->Reset();
    FitLabels();
    ArtworkChanged();
}

void TZorCustomCircularGauge::ApplyCaptionFont()
{
    TSVGGraphicElement* captions = nullptr;
    if (!TryGetElement(QStringLiteral("GaugeLabels"), captions))
        return;
    captions->EditValues(FontProperties, [&](TSVGStyleValues& Values) { Values.Font.Assign(FCaptionFont.get()); });
    captions->Reset();
    ArtworkChanged();
}

// --- Accessibility --------------------------------------------------------------

QString TZorCustomCircularGauge::AccessibleValueText() const
{
    const QString number = FormatFloat(FormatStr(), AccessibleValue());
    return FDetailText.isEmpty() ? number : number + QLatin1Char(' ') + FDetailText;
}

QString TZorCustomCircularGauge::AccessibleName() const
{
    if (!FCaption.isEmpty())
        return FCaption;
    return InstrumentKindName(*this);
}

// --- Repainting -----------------------------------------------------------------

void TZorCustomCircularGauge::ArtworkChanged()
{
    InvalidateBuffers();
    FSprites.Invalidate();
    Repaint();
}

std::vector<TSVGGraphicElement*> TZorCustomCircularGauge::Rotors() const
{
    std::vector<TSVGGraphicElement*> rotors;
    TSVGGraphicElement* live = ActiveSVGElement();
    if (live == nullptr || !live->Display())
        return rotors;
    if (live->ID() != QLatin1String("Hands")) {
        rotors.push_back(live);
        return rotors;
    }
    for (TSVGElement* child : live->Items())
        if (TSVGGraphicElement* part = child->AsGraphicElement(); part != nullptr && part->Display())
            rotors.push_back(part);
    return rotors;
}

void TZorCustomCircularGauge::PaintActiveElement(QPainter& Painter, const QRect& Target)
{
    // A turned picture stands in for the hands only where nobody can tell:
    // at quality 1 the hands are drawn as vectors, and a listener to the
    // drawing events is told of every element of the live part as it is
    // drawn (and may skip or add to it), as the control promises.
    if (!MayPaintActiveElementFromPicture()) {
        TZorSVGCustomInstrument::PaintActiveElement(Painter, Target);
        return;
    }
    FSprites.Paint(Painter, SVG(), Rotors(), Target, Quality(), Buffers().Background().cacheKey());
}

void TZorCustomCircularGauge::RepaintHands()
{
    // Drawn from their pictures, the hands repaint where they were and are;
    // drawn otherwise, or with stale layers, the whole gauge does.
    const bool pictures = MayPaintActiveElementFromPicture() && !NeedBuffers();
    RepaintArea(pictures ? FSprites.MovedArea(SVG(), Rotors(), Quality(), Buffers().Background().cacheKey())
                         : QRectF());
}

void TZorCustomCircularGauge::RequestHandsRepaint()
{
    // A hidden widget paints nothing; showing it paints it whole.
    if (!isVisible() || FHandsRepaintPending)
        return;
    FHandsRepaintPending = true;
    const QScreen* display = screen();
    const qreal rate = display != nullptr && display->refreshRate() > 0 ? display->refreshRate() : FallbackRefreshRate;
    FRefreshInterval = std::max(1, static_cast<int>(std::floor(1000 / rate)));
    // The first change after a quiet spell is shown at once; changes that
    // follow within the refresh interval wait for its end and share a paint.
    const qint64 since = FSinceHandsRepaint.isValid() ? FSinceHandsRepaint.elapsed() : FRefreshInterval;
    FRepaintTimer->start(static_cast<int>(std::max<qint64>(0, FRefreshInterval - since)));
}

void TZorCustomCircularGauge::showEvent(QShowEvent* Event)
{
    TZorSVGCustomInstrument::showEvent(Event);
    FHandsRepaintPending = false;
    Repaint();
}

} // namespace zor
