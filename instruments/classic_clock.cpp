#include "instruments/classic_clock.h"

#include <cmath>

#include "instruments/gradient_colors.h"
#include "platform/update_scope.h"
#include "svg/model/graphic_element.h"

namespace zor {

const char* const ClockPartNames[11] = {"cpFrame",    "cpFrameDecoration", "cpBackface",   "cpDecoration",
                                        "cpLabels",   "cpHourHand",        "cpMinuteHand", "cpSecondHand",
                                        "cpKnob",     "cpShadows",         "cpGlass"};

namespace {

using TPart = TClockPart;
const TPartElement<TPart> PartElements[] = {
    {"Decoration", {TPart::cpDecoration}},   {"Frame", {TPart::cpFrame}},
    {"FrameShadow", {TPart::cpShadows}},     {"SecondHandShadow", {TPart::cpShadows}},
    {"MinuteHandShadow", {TPart::cpShadows}}, {"HourHandShadow", {TPart::cpShadows}},
    {"FrameTwoTone", {TPart::cpFrameDecoration}}, {"Backface", {TPart::cpBackface}},
    {"Labels", {TPart::cpLabels}},           {"HourHand", {TPart::cpHourHand}},
    {"MinuteHand", {TPart::cpMinuteHand}},   {"SecondHand", {TPart::cpSecondHand}},
    {"Glass", {TPart::cpGlass}},             {"Knob", {TPart::cpKnob}},
};

// How much darker the far end of a hand's gradient is.
constexpr int HandShade = -40;

} // namespace

TZorClock::TZorClock(QWidget* Parent)
    : TZorCustomGalleryInstrument(Parent)
{
    SetDecorationID(QStringLiteral("Decoration"));
    SetTime(Now());
}

QString TZorClock::GetResourceName() const
{
    return QStringLiteral("ClockOrvikSVG");
}

void TZorClock::ArtworkLoaded()
{
    SetActiveSVGElement(Element(QStringLiteral("ClockHands")));
    ReadStopColor(QStringLiteral("radialGradientBackface"), 0, FBackfaceColor);
    ReadStopColor(QStringLiteral("radialGradientKnob"), 0, FKnobFillColor);
    ReadStroke(QStringLiteral("Knob"), FKnobStrokeColor);
    ReadStroke(QStringLiteral("Labels10to3"), FLabelsStrokeColor);
    ReadStopColor(QStringLiteral("linearGradientDarkLabels"), 0, FLabelsFillColor);
    ReadStopColor(QStringLiteral("linearGradientSecondHand"), 0, FSecondHandFillColor);
    ReadStroke(QStringLiteral("SecondHandNeedle"), FSecondHandStrokeColor);
    ReadStopColor(QStringLiteral("linearGradientMinuteHand"), 0, FMinuteHandFillColor);
    ReadStroke(QStringLiteral("MinuteHandNeedle"), FMinuteHandStrokeColor);
    ReadStopColor(QStringLiteral("linearGradientHourHand"), 0, FHourHandFillColor);
    ReadStroke(QStringLiteral("HourHandNeedle"), FHourHandStrokeColor);
}

void TZorClock::RestoreState()
{
    TZorCustomGalleryInstrument::RestoreState();
    UpdateClockHands();
}

// --- Time and hands ---------------------------------------------------------------------------

void TZorClock::SetTime(TDateTime Value)
{
    if (FTime == Value || std::isnan(Value))
        return;
    FTime = Value;
    UpdateClockHands();
    DoChange();
    Q_EMIT timeChanged();
    NotifyAccessibleValue(*this);
}

TZorClock::THandTurns TZorClock::HandTurns(TDateTime Time)
{
    const TDecodedTime time = DecodeTime(Time);
    return {(time.Minute / 60.0 + time.Hour % 12) / 12 * 360 - HourHandInArtwork,
            (time.Second / 60.0 + time.Minute) / 60 * 360 - MinuteHandInArtwork,
            time.Second / 60.0 * 360 + (360 - SecondHandInArtwork)};
}

void TZorClock::UpdateClockHands()
{
    {
        TUpdateScope<TSVGDocument> update(SVG());
        const QPointF pivot = CentreOf(QStringLiteral("Knob"), true).value_or(QPointF());
        const THandTurns turns = HandTurns(FTime);
        TurnElement(QStringLiteral("HourHand"), pivot, turns.Hour);
        TurnElement(QStringLiteral("MinuteHand"), pivot, turns.Minute);
        TurnElement(QStringLiteral("SecondHand"), pivot, turns.Second);
    }
    LivePartMoved();
}

std::vector<TSVGGraphicElement*> TZorClock::Rotors() const
{
    return ShownChildren(QStringLiteral("ClockHands"));
}

double TZorClock::AccessibleMaximum() const
{
    return LastSecondOfDay;
}

double TZorClock::AccessibleValue() const
{
    return SecondsOfDay(FTime);
}

void TZorClock::SetAccessibleValue(double Value)
{
    SetTime(WithSecondsOfDay(FTime, Value));
}

QString TZorClock::AccessibleValueText() const
{
    return TimeOfDayText(FTime);
}

void TZorClock::SetParts(const TParts& Value)
{
    ChangeField(FParts, Value, [this] { PartsChanged(); }, &TZorClock::partsChanged);
}

// --- Artwork operations ----------------------------------------------------------------------

void TZorClock::ApplyParts()
{
    ShowParts<TPart>(PartElements, FParts);
}

void TZorClock::ApplyGradients(bool Enabled)
{
    ApplyPaintServers({{"BackfaceCircle", "radialGradientBackface", FBackfaceColor},
                       {"Labels4to9", "linearGradientLightLabels", FLabelsFillColor},
                       {"Labels10to3", "linearGradientDarkLabels", FLabelsFillColor},
                       {"Knob", "radialGradientKnob", FKnobFillColor},
                       {"SecondHandNeedle", "linearGradientSecondHand", FSecondHandFillColor},
                       {"MinuteHandNeedle", "linearGradientMinuteHand", FMinuteHandFillColor},
                       {"HourHandNeedle", "linearGradientHourHand", FHourHandFillColor}},
                      Enabled);
    ShowElements({"TopRightShine", "BottomShine"}, Enabled);
    ApplyPaintServers({{"Frame10to3", "linearGradientFrame10to3", FFrameColor},
                       {"Frame4to9", "radialGradientFrame4to9", FFrameColor},
                       {"FrameOuterBevel", "linearGradientBevel", LightColor()},
                       {"FrameInnerBevel", "linearGradientBevel", ShadowColor()}},
                      Enabled);
}

void TZorClock::ApplyDesign()
{
    TZorCustomGalleryInstrument::ApplyDesign();
    if (!Detailed())
        ShowElements({"FrameInnerBevel", "FrameOuterBevel", "Frame4to9", "Frame10to3", "Glass"}, false);
}

void TZorClock::ApplyLightColor()
{
    // The hands' shadows take their colour from the hands' group.
    SetBrushColor(QStringLiteral("ClockHands"), ShadowColor());
    SetEveryStop(QStringLiteral("radialGradientFrameShadow"), ShadowColor());
    SetStopColors(QStringLiteral("radialGradientGlassTopRight"), {LightColor(), LightColor()});
    SetStopColors(QStringLiteral("radialGradientGlassBottom"), {GlowColor(FBackfaceColor, LightColor()), FBackfaceColor});
}

// --- Colours ---------------------------------------------------------------------------------------

void TZorClock::PaintHand(const QString& NeedleID, const QString& GradientID, TAlphaColor First, TAlphaColor Second,
                          TAlphaColor Flat)
{
    if (EnableGradients()) {
        SetStopColors(GradientID, {First, Second});
        SVG().Reset();
    } else {
        SetBrushColor(NeedleID, Flat);
    }
    ArtworkChanged();
}

void TZorClock::StrokeElements(std::initializer_list<const char*> IDs, TAlphaColor Color)
{
    for (const char* id : IDs)
        SetStrokeOf(QString::fromLatin1(id), Color);
    ArtworkChanged();
}

void TZorClock::SetBackfaceColor(TAlphaColor Value)
{
    ChangeField(
        FBackfaceColor, Value,
        [this] {
            if (EnableGradients()) {
                SetStopColors(QStringLiteral("radialGradientBackface"),
                              {MultipliedColor(FBackfaceColor, 0.5), FBackfaceColor});
                SetStopColors(QStringLiteral("radialGradientGlassBottom"),
                              {GlowColor(FBackfaceColor, LightColor()), FBackfaceColor});
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("BackfaceCircle"), FBackfaceColor);
            }
            ArtworkChanged();
        },
        &TZorClock::backfaceColorChanged);
}

void TZorClock::SetFrameColor(TAlphaColor Value)
{
    ChangeField(
        FFrameColor, Value,
        [this] {
            if (EnableGradients()) {
                SetStopColors(QStringLiteral("linearGradientFrame10to3"),
                              {MultipliedColor(FFrameColor, 0.968), MultipliedColor(FFrameColor, 0.88)});
                SetStopColors(QStringLiteral("radialGradientFrame4to9"),
                              {MultipliedColor(FFrameColor, 0.6), MultipliedColor(FFrameColor, 0.27)});
                SetStopColors(QStringLiteral("linearGradientBevel"), {MultipliedColor(FFrameColor, 0.337), 0xFFFFFFFF});
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("FrameTop"), FFrameColor);
            }
            ArtworkChanged();
        },
        &TZorClock::frameColorChanged);
}

void TZorClock::SetLabelsFillColor(TAlphaColor Value)
{
    ChangeField(
        FLabelsFillColor, Value,
        [this] {
            if (EnableGradients()) {
                SetStopColors(QStringLiteral("linearGradientLightLabels"),
                              {MultipliedColor(FLabelsFillColor, 0.815), FLabelsFillColor});
                SetStopColors(QStringLiteral("linearGradientDarkLabels"),
                              {FLabelsFillColor, MultipliedColor(FLabelsFillColor, 0.38)});
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("Labels4to9"), FLabelsFillColor);
                SetBrushColor(QStringLiteral("Labels10to3"), FLabelsFillColor);
            }
            ArtworkChanged();
        },
        &TZorClock::labelsFillColorChanged);
}

void TZorClock::SetLabelsStrokeColor(TAlphaColor Value)
{
    ChangeField(FLabelsStrokeColor, Value, [this] { StrokeElements({"Labels4to9", "Labels10to3"}, FLabelsStrokeColor); },
                &TZorClock::labelsStrokeColorChanged);
}

void TZorClock::SetHourHandFillColor(TAlphaColor Value)
{
    ChangeField(
        FHourHandFillColor, Value,
        [this] {
            PaintHand(QStringLiteral("HourHandNeedle"), QStringLiteral("linearGradientHourHand"), FHourHandFillColor,
                      OffsetColor(FHourHandFillColor, HandShade), FHourHandFillColor);
        },
        &TZorClock::hourHandFillColorChanged);
}

void TZorClock::SetMinuteHandFillColor(TAlphaColor Value)
{
    ChangeField(
        FMinuteHandFillColor, Value,
        [this] {
            PaintHand(QStringLiteral("MinuteHandNeedle"), QStringLiteral("linearGradientMinuteHand"),
                      FMinuteHandFillColor, OffsetColor(FMinuteHandFillColor, HandShade), FMinuteHandFillColor);
        },
        &TZorClock::minuteHandFillColorChanged);
}

void TZorClock::SetSecondHandFillColor(TAlphaColor Value)
{
    ChangeField(
        FSecondHandFillColor, Value,
        [this] {
            PaintHand(QStringLiteral("SecondHandNeedle"), QStringLiteral("linearGradientSecondHand"),
                      MultipliedColor(FSecondHandFillColor, 1.5), FSecondHandFillColor, FSecondHandFillColor);
        },
        &TZorClock::secondHandFillColorChanged);
}

void TZorClock::SetKnobFillColor(TAlphaColor Value)
{
    ChangeField(
        FKnobFillColor, Value,
        [this] {
            PaintHand(QStringLiteral("Knob"), QStringLiteral("radialGradientKnob"), FKnobFillColor,
                      MultipliedColor(FKnobFillColor, 0.5), FKnobFillColor);
        },
        &TZorClock::knobFillColorChanged);
}

void TZorClock::SetHourHandStrokeColor(TAlphaColor Value)
{
    ChangeField(FHourHandStrokeColor, Value, [this] { StrokeElements({"HourHandNeedle"}, FHourHandStrokeColor); },
                &TZorClock::hourHandStrokeColorChanged);
}

void TZorClock::SetMinuteHandStrokeColor(TAlphaColor Value)
{
    ChangeField(FMinuteHandStrokeColor, Value,
                [this] { StrokeElements({"MinuteHandNeedle"}, FMinuteHandStrokeColor); },
                &TZorClock::minuteHandStrokeColorChanged);
}

void TZorClock::SetSecondHandStrokeColor(TAlphaColor Value)
{
    ChangeField(FSecondHandStrokeColor, Value,
                [this] { StrokeElements({"SecondHandNeedle"}, FSecondHandStrokeColor); },
                &TZorClock::secondHandStrokeColorChanged);
}

void TZorClock::SetKnobStrokeColor(TAlphaColor Value)
{
    ChangeField(FKnobStrokeColor, Value, [this] { StrokeElements({"Knob"}, FKnobStrokeColor); },
                &TZorClock::knobStrokeColorChanged);
}

} // namespace zor
