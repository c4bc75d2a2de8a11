#include "instruments/metallic_compass.h"

#include <cmath>

#include "instruments/gradient_colors.h"
#include "instruments/heading.h"
#include "platform/update_scope.h"
#include "svg/model/graphic_element.h"
#include "svg/model/path_element.h"

namespace zor {

const char* const CompassPartNames[10] = {"cpFrame",   "cpBackface", "cpBackfaceLines", "cpRose",         "cpMarkers",
                                          "cpNumbers", "cpLabels",   "cpNeedle",        "cpNeedleShadow", "cpKnob"};

namespace {

using TPart = TCompassPart;
const TPartElement<TPart> PartElements[] = {
    {"Frame", {TPart::cpFrame}},
    {"Backface", {TPart::cpBackface}},
    {"BackfaceLines", {TPart::cpBackfaceLines}},
    {"InnerCircle", {TPart::cpBackfaceLines}},
    {"Markers", {TPart::cpMarkers}},
    {"Numbers", {TPart::cpNumbers}},
    {"Labels", {TPart::cpLabels}},
    {"Rose", {TPart::cpRose}},
    {"Needle", {TPart::cpNeedle}},
    {"NeedleShadow", {TPart::cpNeedleShadow}},
    {"Knob", {TPart::cpKnob}},
};

constexpr TCompassMovablePart MovableParts[] = {TCompassMovablePart::cmpNeedle, TCompassMovablePart::cmpFace,
                                                TCompassMovablePart::cmpFaceNRose};

} // namespace

TZorCompass::TZorCompass(QWidget* Parent)
    : TZorCustomGalleryInstrument(Parent)
{
    SetDecorationID(QStringLiteral("Rose"));
}

QString TZorCompass::GetResourceName() const
{
    return QStringLiteral("CompassMetallicSVG");
}

QString TZorCompass::MovingElementID(TCompassMovablePart Part)
{
    switch (Part) {
    case TCompassMovablePart::cmpNeedle:
        return QStringLiteral("Needle");
    case TCompassMovablePart::cmpFace:
        return QStringLiteral("BackfaceDetail");
    case TCompassMovablePart::cmpFaceNRose:
        break;
    }
    return QStringLiteral("Backface");
}

void TZorCompass::ArtworkLoaded()
{
    ReadStopColor(QStringLiteral("linearGradientBackface"), 1, FBackfaceColor);
    SaveGradient(QStringLiteral("linearGradientBackface"));
    SaveGradient(QStringLiteral("linearGradientFrame"));
    ReadStopColor(QStringLiteral("linearGradientFrame"), 0, FFrameColor);
    ReadStopColor(QStringLiteral("linearGradientKnobHead"), 0, FKnobFillColor);
    ReadStroke(QStringLiteral("Knob"), FKnobStrokeColor);
    ReadFill(QStringLiteral("BackfaceLines"), FBackfaceLinesFillColor);
    ReadStroke(QStringLiteral("BackfaceLines"), FBackfaceLinesStrokeColor);
    ReadFill(QStringLiteral("Labels"), FLabelsFillColor);
    ReadStroke(QStringLiteral("Labels"), FLabelsStrokeColor);
    ReadFill(QStringLiteral("Markers"), FMarkersFillColor);
    ReadStroke(QStringLiteral("Markers"), FMarkersStrokeColor);
    ReadFill(QStringLiteral("Numbers"), FNumbersFillColor);
    ReadStroke(QStringLiteral("Numbers"), FNumbersStrokeColor);
    ReadFill(QStringLiteral("NeedleHigh"), FNeedleHighColor);
    ReadFill(QStringLiteral("NeedleLow"), FNeedleLowColor);
}

void TZorCompass::RestoreState()
{
    TZorCustomGalleryInstrument::RestoreState();
    // The needle comes to rest pointing to twelve and the card upright; only
    // the part Rotate names turns, and only it is drawn live.
    for (TCompassMovablePart part : MovableParts)
        if (part != FRotate)
            TurnPart(part, 0);
    SetActiveSVGElement(Element(MovingElementID(FRotate)));
    UpdateRotation();
    ArtworkChanged();
}

// --- Heading --------------------------------------------------------------------------------

void TZorCompass::SetAngle(float Value)
{
    if (std::isnan(Value))
        return;
    Value = std::clamp(Value, 0.0F, 360.0F);
    if (FAngle == Value)
        return;
    FAngle = Value;
    UpdateRotation();
    Q_EMIT angleChanged();
    NotifyAccessibleValue(*this);
}

void TZorCompass::SetAngle(int aDegrees, int aMinutes, float aSeconds)
{
    SetAngle(static_cast<float>(JoinHeading(aDegrees, aMinutes, aSeconds)));
}

int TZorCompass::Degrees() const
{
    return SplitHeading(FAngle).Degrees;
}

void TZorCompass::SetDegrees(int Value)
{
    SetAngle(static_cast<float>(WithDegrees(FAngle, Value)));
}

int TZorCompass::Minutes() const
{
    return SplitHeading(FAngle).Minutes;
}

void TZorCompass::SetMinutes(int Value)
{
    SetAngle(Degrees(), Value, Seconds());
}

float TZorCompass::Seconds() const
{
    return static_cast<float>(SplitHeading(FAngle).Seconds);
}

void TZorCompass::SetSeconds(float Value)
{
    SetAngle(Degrees(), Minutes(), Value);
}

QString TZorCompass::AccessibleValueText() const
{
    return HeadingText(FAngle);
}

void TZorCompass::TurnPart(TCompassMovablePart Part, double Heading)
{
    if (Part == TCompassMovablePart::cmpNeedle) {
        // The needle's parent is turned in the artwork: this brings it upright.
        const QPointF pivot = CentreOf(QStringLiteral("ScrewDriveUp"), false).value_or(QPointF());
        TurnElement(MovingElementID(Part), pivot, Heading - NeedleTurnInArtwork);
        return;
    }
    const QPointF pivot = CentreOf(QStringLiteral("InnerCircle"), false).value_or(QPointF());
    TurnElement(MovingElementID(Part), pivot, Heading);
}

void TZorCompass::UpdateRotation()
{
    if (SVG().Items().IsEmpty())
        return;
    TurnPart(FRotate, FAngle);
    LivePartMoved();
}

void TZorCompass::SetRotate(TCompassMovablePart Value)
{
    if (FRotate == Value)
        return;
    const float heading = FAngle;
    // The part that turned so far comes to rest first.
    SetAngle(0.0F);
    FRotate = Value;
    SetActiveSVGElement(Element(MovingElementID(FRotate)));
    ArtworkChanged();
    SetAngle(heading);
    Repaint();
    Q_EMIT rotateChanged();
}

std::vector<TSVGGraphicElement*> TZorCompass::Rotors() const
{
    TSVGGraphicElement* moving = ActiveSVGElement();
    if (moving == nullptr || !moving->Display())
        return {};
    return {moving};
}

void TZorCompass::SetParts(const TParts& Value)
{
    ChangeField(FParts, Value, [this] { PartsChanged(); }, &TZorCompass::partsChanged);
}

// --- Artwork operations ---------------------------------------------------------------------

void TZorCompass::ApplyParts()
{
    ShowParts<TPart>(PartElements, FParts);
}

void TZorCompass::ApplyGradients(bool Enabled)
{
    ApplyPaintServers({{"BackfaceCircle", "linearGradientBackface", FBackfaceColor},
                       {"ReflectionLow", "linearGradientReflectionLow", LightColor()},
                       {"ReflectionHigh", "linearGradientReflectionHigh", LightColor()},
                       {"frameRect", "linearGradientFrame", FFrameColor}},
                      Enabled);
    ShowElement(QStringLiteral("FrameOrnamentation"), Enabled);
    ApplyPaintServers({{"KnobHead", "linearGradientKnobHead", FKnobFillColor},
                       {"ScrewDriveUp", "linearGradientKnobDriveUp", FKnobFillColor},
                       {"ScrewDriveAcross", "linearGradientKnobDriveAcross", FKnobFillColor},
                       {"KnobFrame", "linearGradientKnobFrame", FKnobFillColor}},
                      Enabled);
}

void TZorCompass::ApplyDesign()
{
    TZorCustomGalleryInstrument::ApplyDesign();
    if (!Detailed())
        ShowElements({"FrameOrnamentation", "ReflectionLow", "ReflectionHigh", "BackfaceShadow", "Numbers", "Markers",
                      "NeedleHighShadow", "NeedleHighHighlight", "NeedleLowShadow", "NeedleLowHighlight",
                      "ScrewDriveUp", "ScrewDriveAcross", "KnobFrame"},
                     false);
}

void TZorCompass::ApplyLightColor()
{
    SetBrushColor(QStringLiteral("BackfaceShadow"), ShadowColor());
    SetBrushColor(QStringLiteral("NeedleShadow"), ShadowColor());
}

void TZorCompass::ApplyDecoration()
{
    // The rose takes the large star, ring and globe of the round instruments.
    if (TSVGPath* rose = Element<TSVGPath>(DecorationID()))
        rose->Data().SetData(LargeDecorationPathText(Decoration()));
    ArtworkChanged();
}

// --- Colours --------------------------------------------------------------------------------

void TZorCompass::PaintElements(std::initializer_list<const char*> IDs, bool Fill, TAlphaColor Color)
{
    for (const char* id : IDs) {
        if (Fill)
            SetFillOf(QString::fromLatin1(id), Color);
        else
            SetStrokeOf(QString::fromLatin1(id), Color);
    }
    ArtworkChanged();
}

void TZorCompass::SetBackfaceColor(TAlphaColor Value)
{
    ChangeField(
        FBackfaceColor, Value,
        [this] {
            if (EnableGradients()) {
                RecolourGradient(QStringLiteral("linearGradientBackface"), FBackfaceColor,
                                 TRecolouring::ScaleFromLast());
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("BackfaceCircle"), FBackfaceColor);
            }
            ArtworkChanged();
        },
        &TZorCompass::backfaceColorChanged);
}

void TZorCompass::SetFrameColor(TAlphaColor Value)
{
    ChangeField(
        FFrameColor, Value,
        [this] {
            if (EnableGradients()) {
                RecolourGradient(QStringLiteral("linearGradientFrame"), FFrameColor, TRecolouring::ScaleFromFirst());
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("frameRect"), FFrameColor);
            }
            ArtworkChanged();
        },
        &TZorCompass::frameColorChanged);
}

void TZorCompass::SetKnobFillColor(TAlphaColor Value)
{
    ChangeField(
        FKnobFillColor, Value,
        [this] {
            if (EnableGradients()) {
                const TAlphaColor bright = MultipliedColor(FKnobFillColor, 2);
                const TAlphaColor dark = MultipliedColor(FKnobFillColor, 0.5);
                SetStopColors(QStringLiteral("linearGradientKnobHead"), {FKnobFillColor, bright});
                SetStopColors(QStringLiteral("linearGradientKnobDriveUp"), {dark, bright});
                SetStopColors(QStringLiteral("linearGradientKnobDriveAcross"), {dark, bright});
                SetStopColors(QStringLiteral("linearGradientKnobFrame"), {bright, FKnobFillColor});
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("KnobHead"), FKnobFillColor);
            }
            ArtworkChanged();
        },
        &TZorCompass::knobFillColorChanged);
}

void TZorCompass::SetKnobStrokeColor(TAlphaColor Value)
{
    ChangeField(FKnobStrokeColor, Value, [this] { PaintElements({"Knob"}, false, FKnobStrokeColor); },
                &TZorCompass::knobStrokeColorChanged);
}

void TZorCompass::SetBackfaceLinesFillColor(TAlphaColor Value)
{
    ChangeField(
        FBackfaceLinesFillColor, Value,
        [this] { PaintElements({"BackfaceLines", "InnerCircle"}, true, FBackfaceLinesFillColor); },
        &TZorCompass::backfaceLinesFillColorChanged);
}

void TZorCompass::SetBackfaceLinesStrokeColor(TAlphaColor Value)
{
    ChangeField(
        FBackfaceLinesStrokeColor, Value,
        [this] { PaintElements({"BackfaceLines", "InnerCircle"}, false, FBackfaceLinesStrokeColor); },
        &TZorCompass::backfaceLinesStrokeColorChanged);
}

void TZorCompass::SetMarkersFillColor(TAlphaColor Value)
{
    ChangeField(FMarkersFillColor, Value, [this] { PaintElements({"Markers"}, true, FMarkersFillColor); },
                &TZorCompass::markersFillColorChanged);
}

void TZorCompass::SetMarkersStrokeColor(TAlphaColor Value)
{
    ChangeField(FMarkersStrokeColor, Value, [this] { PaintElements({"Markers"}, false, FMarkersStrokeColor); },
                &TZorCompass::markersStrokeColorChanged);
}

void TZorCompass::SetNumbersFillColor(TAlphaColor Value)
{
    ChangeField(FNumbersFillColor, Value, [this] { PaintElements({"Numbers"}, true, FNumbersFillColor); },
                &TZorCompass::numbersFillColorChanged);
}

void TZorCompass::SetNumbersStrokeColor(TAlphaColor Value)
{
    ChangeField(FNumbersStrokeColor, Value, [this] { PaintElements({"Numbers"}, false, FNumbersStrokeColor); },
                &TZorCompass::numbersStrokeColorChanged);
}

void TZorCompass::SetLabelsFillColor(TAlphaColor Value)
{
    ChangeField(FLabelsFillColor, Value, [this] { PaintElements({"Labels"}, true, FLabelsFillColor); },
                &TZorCompass::labelsFillColorChanged);
}

void TZorCompass::SetLabelsStrokeColor(TAlphaColor Value)
{
    ChangeField(FLabelsStrokeColor, Value, [this] { PaintElements({"Labels"}, false, FLabelsStrokeColor); },
                &TZorCompass::labelsStrokeColorChanged);
}

void TZorCompass::PaintNeedleHalf(const QString& HalfID, const QString& ShadowGradientID, TAlphaColor Color)
{
    const TAlphaColor light = MultipliedColor(Color, 1.2);
    const TAlphaColor dark = MultipliedColor(Color, 0.3);
    SetBrushColor(HalfID, Color);
    SetPenColor(HalfID, light);
    SetStopColors(ShadowGradientID, {dark, light});
    SVG().Reset();
    ArtworkChanged();
}

void TZorCompass::SetNeedleHighColor(TAlphaColor Value)
{
    ChangeField(
        FNeedleHighColor, Value,
        [this] {
            PaintNeedleHalf(QStringLiteral("NeedleHigh"), QStringLiteral("linearGradientNeedleHighShadow"),
                            FNeedleHighColor);
        },
        &TZorCompass::needleHighColorChanged);
}

void TZorCompass::SetNeedleLowColor(TAlphaColor Value)
{
    ChangeField(
        FNeedleLowColor, Value,
        [this] {
            PaintNeedleHalf(QStringLiteral("NeedleLow"), QStringLiteral("linearGradientNeedleLowShadow"),
                            FNeedleLowColor);
        },
        &TZorCompass::needleLowColorChanged);
}

} // namespace zor
