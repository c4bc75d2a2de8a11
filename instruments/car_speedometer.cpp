#include "instruments/car_speedometer.h"

#include <cmath>

#include "instruments/gradient_colors.h"
#include "instruments/label_fit.h"
#include "platform/update_scope.h"
#include "svg/model/graphic_element.h"
#include "svg/shapes/text_element.h"
#include "svg/values/number_format.h"

namespace zor {

const char* const SpeedometerPartNames[9] = {"spFrame",        "spBackface", "spDecoration", "spMajorMarkers",
                                             "spMinorMarkers", "spKnob",     "spLabels",     "spNeedle",
                                             "spGlass"};

namespace {

using TPart = TSpeedometerPart;
const TPartElement<TPart> PartElements[] = {
    {"Decoration", {TPart::spDecoration}},     {"Frame", {TPart::spFrame}},
    {"Backface", {TPart::spBackface}},         {"NeedleGroup", {TPart::spNeedle}},
    {"Labels", {TPart::spLabels}},             {"MarkersMajor", {TPart::spMajorMarkers}},
    {"MarkersMinor", {TPart::spMinorMarkers}}, {"Glass", {TPart::spGlass}},
    {"KnobGroup", {TPart::spKnob}},
};

const QString Labels = QStringLiteral("Labels");

// The label texts of the scale, in order.
std::vector<TSVGCustomText*> LabelTexts(const TSVGGraphicElement* Group)
{
    std::vector<TSVGCustomText*> texts;
    if (Group != nullptr)
        for (TSVGElement* child : Group->Items())
            if (auto* text = dynamic_cast<TSVGCustomText*>(child))
                texts.push_back(text);
    return texts;
}

} // namespace

TZorSpeedometer::TZorSpeedometer(QWidget* Parent)
    : TZorRangeInstrument(Parent)
    , FFont(std::make_unique<TSVGFont>(TSVGValueOwner{[this](TPersistent&) { FontChanged(); }}))
{
    SetDecorationID(QStringLiteral("Decoration"));
    SetDecoration(TDecoration::dcFuelTank);
    InitRange(0, InitialMax);
}

TZorSpeedometer::~TZorSpeedometer() = default;

QString TZorSpeedometer::GetResourceName() const
{
    return QStringLiteral("SpeedometerSVG");
}

void TZorSpeedometer::ArtworkLoaded()
{
    FPivot.reset();
    SetActiveSVGElement(Element(QStringLiteral("NeedleGroup")));
    SaveGradient(QStringLiteral("linearGradientFrame"));
    ReadStopColor(QStringLiteral("linearGradientFrame"), 0, FFrameColor);
    SaveGradient(QStringLiteral("linearGradientBackface"));
    ReadStopColor(QStringLiteral("linearGradientBackface"), 0, FBackfaceColor);
    SaveGradient(QStringLiteral("linearGradientBackfaceHighlight"));
    ReadFill(QStringLiteral("Needle"), FNeedleFillColor);
    ReadStroke(QStringLiteral("Needle"), FNeedleStrokeColor);
    ReadFill(Labels, FLabelsFillColor);
    ReadStroke(Labels, FLabelsStrokeColor);
    ReadFill(QStringLiteral("MarkersMajor"), FMarkersFillColor);
    ReadStroke(QStringLiteral("MarkersMajor"), FMarkersStrokeColor);
    SaveGradient(QStringLiteral("GradientKnob"));
    ReadStopColor(QStringLiteral("GradientKnob"), 0, FKnobFillColor);
    ReadStroke(QStringLiteral("Knob"), FKnobStrokeColor);
    SaveGradient(QStringLiteral("GradientDecoration"));
    SaveGradient(QStringLiteral("linearGradientShine"));
    if (FFontAssigned)
        SetTextFont(Labels, *FFont);
}

// --- Scale and needle -----------------------------------------------------------------

void TZorSpeedometer::UpdateLabels()
{
    const std::vector<TSVGCustomText*> texts = LabelTexts(Element(Labels));
    if (texts.empty())
        return;
    {
        TUpdateScope<TSVGDocument> update(SVG());
        const double step = texts.size() > 1 ? (double(Max()) - Min()) / double(texts.size() - 1) : 0.0;
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i]->SetText(FormatFloat(FormatStr(), Min() + double(i) * step));
        FitLabels();
    }
    ArtworkChanged();
}

void TZorSpeedometer::FitLabels()
{
    const std::vector<TSVGCustomText*> texts = LabelTexts(Element(Labels));
    const std::vector<TSVGGraphicElement*> sized(texts.begin(), texts.end());
    FitLabelFonts(sized, [&] {
        std::vector<TLabelBox> boxes;
        for (const TSVGCustomText* text : texts)
            boxes.push_back(TextLabelBox(*text));
        return boxes;
    });
}

void TZorSpeedometer::UpdateRange()
{
    UpdateLabels();
    const auto overrun = static_cast<float>(std::nearbyint((double(Max()) - Min()) * Overrun));
    FMaxSpeed = Max() + overrun;
    FMinSpeed = Min() - overrun;
}

double TZorSpeedometer::NeedleAngle(double Value) const
{
    return Fraction(Value, FMinSpeed, FMaxSpeed) * SweepAngle + StartAngle;
}

void TZorSpeedometer::UpdateNeedle()
{
    if (!FPivot)
        FPivot = CentreOf(QStringLiteral("Knob"), true);
    if (!FPivot || Element(QStringLiteral("NeedleGroup")) == nullptr)
        return;
    TurnElement(QStringLiteral("NeedleGroup"), *FPivot, NeedleAngle(Value()));
    LivePartMoved();
}

std::vector<TSVGGraphicElement*> TZorSpeedometer::Rotors() const
{
    TSVGGraphicElement* needle = ActiveSVGElement();
    if (needle == nullptr || !needle->Display())
        return {};
    return {needle};
}

void TZorSpeedometer::FormatStrChanged()
{
    UpdateLabels();
}

void TZorSpeedometer::FontChanged()
{
    FFontAssigned = true;
    SetTextFont(Labels, *FFont);
    FitLabels();
    ArtworkChanged();
    Q_EMIT fontChanged();
}

void TZorSpeedometer::SetParts(const TParts& Value)
{
    ChangeField(FParts, Value, [this] { PartsChanged(); }, &TZorSpeedometer::partsChanged);
}

// --- Artwork operations ---------------------------------------------------------------

void TZorSpeedometer::ApplyParts()
{
    ShowParts<TPart>(PartElements, FParts);
}

void TZorSpeedometer::ApplyGradients(bool Enabled)
{
    ApplyPaintServers({{"BackfaceFlat", "linearGradientBackface", FBackfaceColor},
                       {"BackfaceHighlight", "linearGradientBackfaceHighlight", FBackfaceColor},
                       {"OuterFrame", "linearGradientFrame", FFrameColor},
                       {"Knob", "radialGradientKnob", FKnobFillColor}},
                      Enabled);
    SetPaintServer(DecorationID(), QStringLiteral("linearGradientDecorationFill"), true, DecorationFillColor(),
                   Enabled);
    SetPaintServer(DecorationID(), QStringLiteral("linearGradientDecorationStroke"), false, DecorationStrokeColor(),
                   Enabled);
}

void TZorSpeedometer::ApplyDesign()
{
    TZorRangeInstrument::ApplyDesign();
    if (!Detailed())
        ShowElements({"BackfaceHighlight", "InnerFrame", "NeedleHighlight", "Glass", "NeedleShadow"}, false);
}

void TZorSpeedometer::ApplyLightColor()
{
    RecolourGradient(QStringLiteral("linearGradientShine"), LightColor(), TRecolouring::ScaleFromFirst());
    SetBrushColor(QStringLiteral("NeedleShadow"), ShadowColor());
}

void TZorSpeedometer::DecorationFillColorChanged()
{
    if (!Detailed()) {
        TZorRangeInstrument::DecorationFillColorChanged();
        return;
    }
    RecolourGradient(QStringLiteral("GradientDecoration"), DecorationFillColor(), TRecolouring::ScaleFromFirst());
    SVG().Reset();
    ArtworkChanged();
}

// --- Colours --------------------------------------------------------------------------------

void TZorSpeedometer::SetFrameColor(TAlphaColor Value)
{
    ChangeField(
        FFrameColor, Value,
        [this] {
            if (EnableGradients()) {
                RecolourGradient(QStringLiteral("linearGradientFrame"), FFrameColor, TRecolouring::ScaleFromFirst());
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("OuterFrame"), FFrameColor);
            }
            ArtworkChanged();
        },
        &TZorSpeedometer::frameColorChanged);
}

void TZorSpeedometer::SetBackfaceColor(TAlphaColor Value)
{
    ChangeField(
        FBackfaceColor, Value,
        [this] {
            if (EnableGradients()) {
                for (const char* id : {"linearGradientBackfaceHighlight", "linearGradientBackface"})
                    RecolourGradient(QString::fromLatin1(id), FBackfaceColor, TRecolouring::ScaleFromFirst());
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("BackfaceFlat"), FBackfaceColor);
            }
            ArtworkChanged();
        },
        &TZorSpeedometer::backfaceColorChanged);
}

void TZorSpeedometer::SetKnobFillColor(TAlphaColor Value)
{
    ChangeField(
        FKnobFillColor, Value,
        [this] {
            if (EnableGradients()) {
                RecolourGradient(QStringLiteral("GradientKnob"), FKnobFillColor, TRecolouring::ScaleFromFirst());
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("Knob"), FKnobFillColor);
            }
            ArtworkChanged();
        },
        &TZorSpeedometer::knobFillColorChanged);
}

void TZorSpeedometer::SetKnobStrokeColor(TAlphaColor Value)
{
    ChangeField(
        FKnobStrokeColor, Value,
        [this] {
            SetStrokeOf(QStringLiteral("Knob"), FKnobStrokeColor);
            ArtworkChanged();
        },
        &TZorSpeedometer::knobStrokeColorChanged);
}

void TZorSpeedometer::SetLabelsFillColor(TAlphaColor Value)
{
    ChangeField(
        FLabelsFillColor, Value,
        [this] {
            SetFillOf(Labels, FLabelsFillColor);
            ArtworkChanged();
        },
        &TZorSpeedometer::labelsFillColorChanged);
}

void TZorSpeedometer::SetLabelsStrokeColor(TAlphaColor Value)
{
    ChangeField(
        FLabelsStrokeColor, Value,
        [this] {
            SetStrokeOf(Labels, FLabelsStrokeColor);
            ArtworkChanged();
        },
        &TZorSpeedometer::labelsStrokeColorChanged);
}

void TZorSpeedometer::SetMarkersFillColor(TAlphaColor Value)
{
    ChangeField(
        FMarkersFillColor, Value,
        [this] {
            SetFillOf(QStringLiteral("MarkersMajor"), FMarkersFillColor);
            SetFillOf(QStringLiteral("MarkersMinor"), FMarkersFillColor);
            ArtworkChanged();
        },
        &TZorSpeedometer::markersFillColorChanged);
}

void TZorSpeedometer::SetMarkersStrokeColor(TAlphaColor Value)
{
    ChangeField(
        FMarkersStrokeColor, Value,
        [this] {
            SetStrokeOf(QStringLiteral("MarkersMajor"), FMarkersStrokeColor);
            SetStrokeOf(QStringLiteral("MarkersMinor"), FMarkersStrokeColor);
            ArtworkChanged();
        },
        &TZorSpeedometer::markersStrokeColorChanged);
}

void TZorSpeedometer::SetNeedleFillColor(TAlphaColor Value)
{
    ChangeField(
        FNeedleFillColor, Value,
        [this] {
            SetFillOf(QStringLiteral("Needle"), FNeedleFillColor);
            if (Detailed())
                SetFillOf(QStringLiteral("NeedleHighlight"), MultipliedColor(FNeedleFillColor, 0.5));
            // The needle is the live part: the layers stay.
            LivePartChanged();
        },
        &TZorSpeedometer::needleFillColorChanged);
}

void TZorSpeedometer::SetNeedleStrokeColor(TAlphaColor Value)
{
    ChangeField(
        FNeedleStrokeColor, Value,
        [this] {
            SetStrokeOf(QStringLiteral("Needle"), FNeedleStrokeColor);
            LivePartChanged();
        },
        &TZorSpeedometer::needleStrokeColorChanged);
}

} // namespace zor
