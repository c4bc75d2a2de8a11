#include "instruments/digital_clock.h"

#include <QTime>
#include <cmath>

#include "platform/update_scope.h"
#include "svg/model/graphic_element.h"
#include "svg/model/group.h"

namespace zor {

const char* const DigitalClockPartNames[6] = {"dpFrame",  "dpBackface",  "dpDecoration",
                                              "dpLabels", "dpTimeOfDay", "dpGlass"};

namespace {

using TPart = TDigitalClockPart;
const TPartElement<TPart> PartElements[] = {
    {"Decoration", {TPart::dpDecoration}}, {"Frame", {TPart::dpFrame}}, {"Backface", {TPart::dpBackface}},
    {"digits", {TPart::dpLabels}},         {"AMPM", {TPart::dpTimeOfDay}}, {"Glass", {TPart::dpGlass}},
};

} // namespace

TZorDigitalClock::TZorDigitalClock(QWidget* Parent)
    : TZorCustomGalleryInstrument(Parent)
{
    SetDefaultSize(QSize(DefaultSide, DefaultHeight));
    SetDecorationID(QStringLiteral("Decoration"));
}

QString TZorDigitalClock::GetResourceName() const
{
    return QStringLiteral("ClockDigitalSVG");
}

void TZorDigitalClock::ArtworkLoaded()
{
    SetActiveSVGElement(Element(QStringLiteral("digits")));
    // The sign shows AM whatever the artwork has, until the time says otherwise.
    FIsPM = false;
    ShowTimeOfDay();
    ReadStopColor(QStringLiteral("linearGradientFrame"), 0, FFrameColor);
    ReadFill(QStringLiteral("Backface"), FBackfaceColor);
    ReadFill(QStringLiteral("digits"), FLabelsFillColor);
    ReadStroke(QStringLiteral("digits"), FLabelsStrokeColor);
}

void TZorDigitalClock::RestoreState()
{
    TZorCustomGalleryInstrument::RestoreState();
    UpdateDisplay();
}

// --- Time and digits ---------------------------------------------------------------------------

void TZorDigitalClock::SetTime(TDateTime Value)
{
    if (FTime == Value || std::isnan(Value))
        return;
    FTime = Value;
    UpdateDisplay();
    DoChange();
    Q_EMIT timeChanged();
    NotifyAccessibleValue(*this);
}

void TZorDigitalClock::SetTwentyFourHour(bool Value)
{
    ChangeField(FTwentyFourHour, Value, [this] { UpdateDisplay(); }, &TZorDigitalClock::twentyFourHourChanged);
}

void TZorDigitalClock::UpdateDisplay()
{
    const TDecodedTime time = DecodeTime(FTime);
    const TClockDigits shown = ClockDigits(time.Hour, time.Minute, FTwentyFourHour);
    QRectF changed;
    {
        TUpdateScope<TSVGDocument> update(SVG());
        changed |= ShowDigit(QString::fromLatin1(DigitIDs[3]), shown.Digits[3]);
        changed |= ShowDigit(QString::fromLatin1(DigitIDs[2]), shown.Digits[2]);
        SetIsPM(shown.IsPM);
        changed |= ShowTimeOfDay();
        changed |= ShowDigit(QString::fromLatin1(DigitIDs[0]), shown.Digits[0]);
        changed |= ShowDigit(QString::fromLatin1(DigitIDs[1]), shown.Digits[1]);
    }
    // The digits are the live part: the layers stay, and only the segments
    // and signs switched are drawn again; a time that shows the same draws
    // nothing.
    if (!changed.isNull())
        LivePartMovedWithin(changed);
}

QRectF TZorDigitalClock::Switch(TSVGGraphicElement* Element, bool Shown)
{
    if (Element == nullptr || Element->Display() == Shown)
        return QRectF();
    // A hidden text has no outline to measure: the area it covers is the
    // one it has shown.
    const QRectF before = AreaOf(*Element);
    Element->SetDisplay(Shown);
    const QRectF changed = before | AreaOf(*Element);
    if (changed.isNull() && ActiveSVGElement() != nullptr)
        return AreaOf(*ActiveSVGElement());
    return changed;
}

QRectF TZorDigitalClock::ShowDigit(const QString& GroupID, int Digit)
{
    // Looked up strictly: a clock without its digits is an error, not a step to skip.
    auto* group = CheckedCast<TSVGGroup>(SVG().AllItems().Items(GroupID));
    const TSegments lit = SegmentsOf(Digit);
    QRectF changed;
    for (std::size_t i = 0; i < EnumCount(TSegment{}); ++i) {
        auto* segment = CheckedCast<TSVGGraphicElement>(group->Items()[static_cast<qsizetype>(i)]);
        changed |= Switch(segment, lit.Contains(static_cast<TSegment>(i)));
    }
    return changed;
}

int TZorDigitalClock::ShownDigit(const QString& GroupID) const
{
    const auto* group = Element<TSVGGroup>(GroupID);
    if (group == nullptr)
        return BlankDigit;
    TSegments lit;
    for (std::size_t i = 0; i < EnumCount(TSegment{}) && static_cast<qsizetype>(i) < group->Items().Count(); ++i)
        if (const TSVGGraphicElement* segment = group->Items()[static_cast<qsizetype>(i)]->AsGraphicElement();
            segment != nullptr && segment->Display())
            lit.Include(static_cast<TSegment>(i));
    for (int digit = 0; digit < BlankDigit; ++digit)
        if (SegmentsOf(digit) == lit)
            return digit;
    return BlankDigit;
}

void TZorDigitalClock::SetIsPM(bool Value)
{
    FIsPM = Value;
}

QRectF TZorDigitalClock::ShowTimeOfDay()
{
    // AM and PM are part of the live digits: the layers stay.
    return Switch(Element(QStringLiteral("AM")), !FTwentyFourHour && !FIsPM) |
           Switch(Element(QStringLiteral("PM")), !FTwentyFourHour && FIsPM);
}

double TZorDigitalClock::AccessibleMaximum() const
{
    return LastSecondOfDay;
}

double TZorDigitalClock::AccessibleValue() const
{
    return SecondsOfDay(FTime);
}

void TZorDigitalClock::SetAccessibleValue(double Value)
{
    SetTime(WithSecondsOfDay(FTime, Value));
}

QString TZorDigitalClock::AccessibleValueText() const
{
    const TDecodedTime time = DecodeTime(FTime);
    return QTime(time.Hour, time.Minute).toString(FTwentyFourHour ? QStringLiteral("HH:mm") : QStringLiteral("h:mm AP"));
}

void TZorDigitalClock::SetParts(const TParts& Value)
{
    ChangeField(FParts, Value, [this] { PartsChanged(); }, &TZorDigitalClock::partsChanged);
}

// --- Artwork operations --------------------------------------------------------------------------

void TZorDigitalClock::ApplyParts()
{
    ShowParts<TPart>(PartElements, FParts);
}

void TZorDigitalClock::ApplyGradients(bool Enabled)
{
    ApplyPaintServers({{"Frame", "GradientFrame", FFrameColor}, {"BackfaceHighlight", "GradientBackface", FBackfaceColor}},
                      Enabled);
    ShowElement(QStringLiteral("Glass"), Enabled && Detailed());
}

void TZorDigitalClock::ApplyDesign()
{
    TZorCustomGalleryInstrument::ApplyDesign();
    if (!Detailed())
        ShowElements({"Glass", "BackfaceHighlight"}, false);
}

void TZorDigitalClock::ApplyLightColor()
{
    SetStopColor(QStringLiteral("linearGradientFrame"), 1, LightColor());
    SetEveryStop(QStringLiteral("linearGradientGlassTop"), LightColor());
    SetEveryStop(QStringLiteral("linearGradientGlassBottom"), LightColor());
}

// --- Colours -------------------------------------------------------------------------------------

void TZorDigitalClock::SetBackfaceColor(TAlphaColor Value)
{
    ChangeField(
        FBackfaceColor, Value,
        [this] {
            SetBrushColor(QStringLiteral("Backface"), FBackfaceColor);
            ArtworkChanged();
        },
        &TZorDigitalClock::backfaceColorChanged);
}

void TZorDigitalClock::SetFrameColor(TAlphaColor Value)
{
    ChangeField(
        FFrameColor, Value,
        [this] {
            if (EnableGradients()) {
                SetStopColor(QStringLiteral("linearGradientFrame"), 0, FFrameColor);
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("Frame"), FFrameColor);
            }
            ArtworkChanged();
        },
        &TZorDigitalClock::frameColorChanged);
}

void TZorDigitalClock::SetLabelsFillColor(TAlphaColor Value)
{
    ChangeField(
        FLabelsFillColor, Value,
        [this] {
            SetBrushColor(QStringLiteral("digits"), FLabelsFillColor);
            if (EnableGradients()) {
                // The middle of the backface's highlight glows in the digits' colour.
                SetStopColor(QStringLiteral("linearGradientBackface"), 1, FLabelsFillColor);
                SVG().Reset();
            }
            ArtworkChanged();
        },
        &TZorDigitalClock::labelsFillColorChanged);
}

void TZorDigitalClock::SetLabelsStrokeColor(TAlphaColor Value)
{
    ChangeField(
        FLabelsStrokeColor, Value,
        [this] {
            SetPenColor(QStringLiteral("digits"), FLabelsStrokeColor);
            LivePartChanged();
        },
        &TZorDigitalClock::labelsStrokeColorChanged);
}

} // namespace zor
