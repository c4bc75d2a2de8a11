// The round gauge's edits of its artwork: marker rings, measurement labels,
// hands, parts, gradients and colours, each found by id and skipped when the
// artwork has no such element.

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

#include "geometry/geometry_functions.h"
#include "instruments/circular_gauge.h"
#include "instruments/circular_scale.h"
#include "instruments/gradient_colors.h"
#include "instruments/label_fit.h"
#include "instruments/svg_graphics.h"
#include "platform/update_scope.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/model/graphic_element.h"
#include "svg/model/path_element.h"
#include "svg/shapes/text_element.h"
#include "svg/shapes/text_path.h"
#include "svg/values/number_format.h"

namespace zor {

namespace {

using TPart = TCircularGaugePart;
using TParts = TEnumSet<TPart>;

// The marker templates, drawn at the top centre of a 100 × 100 frame, by
// kind: the major one and the minor one. gmCustom has none of its own.
struct TMarkerTemplate {
    const char* Major;
    const char* Minor;
};
constexpr std::array<TMarkerTemplate, EnumCount(TCircularGaugeMarker{})> MarkerTemplates{{
    {nullptr, nullptr},
    {"m 49.5,0 1,0 0,5 -1,0 z", "m 49.75,0 0.5,0 0,3 -0.5,0 z"},
    {"m 52,2.5 a 2,2 0 0 1 -2,2 2,2 0 0 1 -2,-2 2,2 0 0 1 2,-2 2,2 0 0 1 2,2 z",
     "m 51,2.5 a 1,1 0 0 1 -1,1 1,1 0 0 1 -1,-1 1,1 0 0 1 1,-1 1,1 0 0 1 1,1 z"},
    {"m 50,0 1,2.5 -1,2.5 -1,-2.5 1,-2.5 z", "m 50,0 0.5,1.5 -0.5,1.5 -0.5,-1.5 0.5,-1.5 z"},
    {"m 48,0 4,0 -2,5 -2,-5 z", "m 49,0 2,0 -1,3 -1,-3 z"},
    {"m 50,0 2,5 -4,0 2,-5 z", "m 50,0 1,3 -2,0 1,-3 z"},
    {"m 50,0 2,2.5 -2,2.5 0,-5 z", "m 50,0 1,1.5 -1,1.5 0,-3 z"},
    {"m 50,0 -2,2.5 2,2.5 0,-5 z", "m 50,0 -1,1.5 1,1.5 0,-3 z"},
}};

// The centre of the marker frame, which the rings turn about.
constexpr QPointF MarkerCentre(50, 50);

// When the parts, the level of detail and the gradients show an element:
// it needs every one of Parts, and with Detailed the detailed design, with
// Gradients the gradients on.
struct TPartVisibility {
    const char* ID;
    TParts Parts;
    bool Detailed = false;
    bool Gradients = false;
};

const TPartVisibility PartVisibility[] = {
    {"DecorationUse", {TPart::gpDecoration}},
    {"Frame", {TPart::gpFrame}},
    {"Bolts", {TPart::gpFrame, TPart::gpBolts}, true},
    {"DialColor", {TPart::gpBackface}},
    {"DialLight", {TPart::gpBackface}, true, true},
    {"Backface", {TPart::gpBackface}},
    {"Knob", {TPart::gpKnob}},
    {"Hands", {TPart::gpHands}},
    {"Labels", {TPart::gpLabels}},
    {"MeasurementLabels", {TPart::gpLabels, TPart::gpMeasurementLabels}},
    {"GaugeText", {TPart::gpLabels, TPart::gpMainLabel}},
    {"GaugeDetailText", {TPart::gpLabels, TPart::gpDetailLabel}},
    {"BigMarkers", {TPart::gpMajorMarkers}},
    {"SmallMarkers", {TPart::gpMinorMarkers}},
    {"GlassGroup", {TPart::gpGlass}, true, true},
    {"FrameBackfaceShadow", {}, true, true},
    {"KnobHighlight", {}, true, true},
    {"BoltShadow", {}, true, true},
    {"AttachmentFaceHighlight", {}, true, true},
};

// The bevels that take a gradient, or a flat blend of the frame colour.
struct TBevel {
    const char* ID;
    const char* GradientID;
    TAlphaColor (*FlatColor)(TAlphaColor FrameColor);
};
const TBevel Bevels[] = {
    {"FrameBevelUpper", "linearGradient7738", DodgeColor},
    {"FrameBevelLower", "linearGradient5799", BurnColor},
    {"BackfaceBevelUpper", "linearGradient4348", BurnColor},
    {"BackfaceBevelLower", "linearGradient4575", DodgeColor},
};

// The most marks a ring count may ask for: one per degree.
constexpr int MaxMarkerCount = 360;

// The marks drawn for a count asked for; the labels divide the arc by it too.
int ShownMarkers(int Count)
{
    return std::min(Count, MaxMarkerCount);
}

void RemoveChildren(TSVGElement& Parent)
{
    while (!Parent.Items().IsEmpty())
        Parent.RemoveChild(Parent.Items().Last());
}

// Asks for a repaint of the hands however the turning ends.
class THandsRepaint {
public:
    explicit THandsRepaint(std::function<void()> Request)
        : FRequest(std::move(Request))
    {
    }
    ~THandsRepaint() { FRequest(); }
    THandsRepaint(const THandsRepaint&) = delete;
    THandsRepaint& operator=(const THandsRepaint&) = delete;

private:
    std::function<void()> FRequest;
};

} // namespace

// --- Markers --------------------------------------------------------------------

QString TZorCustomCircularGauge::GetMarkerPath(TMarker Marker, bool Minor) const
{
    const TMarkerTemplate& entry = MarkerTemplates[static_cast<std::size_t>(Marker)];
    if (Marker == TMarker::gmCustom)
        return Minor ? FMinorMarkerPath->Data() : FMajorMarkerPath->Data();
    return QString::fromLatin1(Minor ? entry.Minor : entry.Major);
}

void TZorCustomCircularGauge::UpdateMarkerPaths()
{
    FMajorMarkerPath->SetData(GetMarkerPath(FMajorMarker, false));
    FMinorMarkerPath->SetData(GetMarkerPath(FMinorMarker, true));
}

void TZorCustomCircularGauge::GenerateMarkers()
{
    if (FUpdateCount > 0)
        return;
    TUpdateScope<TSVGDocument> update(SVG());
    const int majors = ShownMarkers(FMajorMarkers);
    const int minors = ShownMarkers(FMinorMarkers);
    GenerateRing(QStringLiteral("SmallMarkers"), minors > 0, *FMinorMarkerPath, majors * (minors + 1));
    GenerateMajorRing();
}

void TZorCustomCircularGauge::GenerateMajorRing()
{
    const int majors = ShownMarkers(FMajorMarkers);
    GenerateRing(QStringLiteral("BigMarkers"), majors > 0, *FMajorMarkerPath, majors);
}

void TZorCustomCircularGauge::GenerateRing(const QString& GroupID, bool Shown, const TZorPathData& Template,
                                           int Count)
{
    TSVGGraphicElement* group = nullptr;
    if (!TryGetElement(GroupID, group))
        return;
    RemoveChildren(*group);
    if (!Shown)
        return;
    auto path = std::make_unique<TSVGPath>(&SVG());
    TZorPathData& data = path->Data();
    data.Assign(&Template);
    data.ApplyMatrix(RotationMatrixAbout(MarkerCentre, FStartAngle * std::numbers::pi / 180));
    const double step = CountFraction(FStopAngle - FStartAngle, Count);
    // On a full circle the last mark would lie on the first.
    const int copies = IsFullCircle(FStartAngle, FStopAngle) ? Count - 1 : Count;
    TSVGGraphicsFactory::Duplicate(data, MarkerCentre, static_cast<float>(step), copies);
    group->AppendChild(std::move(path));
}

// --- Labels ---------------------------------------------------------------------

int TZorCustomCircularGauge::LastLabelIndex() const
{
    const int majors = ShownMarkers(FMajorMarkers);
    return IsFullCircle(FStartAngle, FStopAngle) ? majors - 1 : majors;
}

void TZorCustomCircularGauge::GenerateLabels()
{
    if (FUpdateCount > 0)
        return;
    TUpdateScope<TStringList> update(*FLabels);
    FLabels->Clear();
    for (int k = 0; k <= LastLabelIndex(); ++k)
        FLabels->Add(
            FormatFloat(FormatStr(), FMin + CountFraction(k, ShownMarkers(FMajorMarkers)) * (double(FMax) - FMin)));
}

void TZorCustomCircularGauge::CreateMeasurementLabels()
{
    if (FUpdateCount > 0)
        return;
    TSVGGraphicElement* group = nullptr;
    if (!TryGetElement(QStringLiteral("MeasurementLabels"), group))
        return;
    TUpdateScope<TSVGDocument> update(SVG());
    RemoveChildren(*group);
    const double step = CountFraction(FStopAngle - FStartAngle, ShownMarkers(FMajorMarkers));
    for (int k = 0; k <= LastLabelIndex(); ++k) {
        TSVGText* text = group->AppendChild(std::make_unique<TSVGText>(&SVG()));
        TSVGTextPath* along = text->AppendChild(std::make_unique<TSVGTextPath>(&SVG()));
        const TSVGLength offset(static_cast<float>(LabelOffset(FStartAngle + k * step)), true, TSVGUnit::suNone);
        along->SetStartOffset(offset);
        along->SetReference(QStringLiteral("TextCircle"));
        if (k < FLabels->Count())
            along->SetText(FLabels->Strings(k));
    }
    FitLabels();
}

void TZorCustomCircularGauge::FitLabels()
{
    TSVGGraphicElement* group = nullptr;
    TSVGGraphicElement* circle = nullptr;
    if (!TryGetElement(QStringLiteral("MeasurementLabels"), group) ||
        !TryGetElement(QStringLiteral("TextCircle"), circle))
        return;
    const double step = CountFraction(FStopAngle - FStartAngle, FMajorMarkers);
    std::vector<double> angles;
    for (int k = 0; k <= LastLabelIndex(); ++k)
        angles.push_back(FStartAngle + k * step);
    FitCircleLabels(*group, *circle, angles);
}

// --- Hands ----------------------------------------------------------------------

std::optional<QPointF> TZorCustomCircularGauge::KnobCentre()
{
    if (!FKnobCentre) {
        TSVGGraphicElement* knob = nullptr;
        if (!TryGetElement(QStringLiteral("Knob"), knob))
            return std::nullopt;
        const QRectF bounds = knob->GetBoundsRect(QTransform());
        if (bounds.isNull())
            return std::nullopt;
        FKnobCentre = bounds.center();
    }
    return FKnobCentre;
}

void TZorCustomCircularGauge::RotateHand(const QString& ID, float Angle)
{
    TSVGGraphicElement* hand = nullptr;
    if (!TryGetElement(ID, hand))
        return;
    const std::optional<QPointF> centre = KnobCentre();
    if (!centre)
        return;
    // The hands point to nine o'clock in the artwork: + 90 brings 0 to twelve.
    // Setting the matrix marks the hand's drawing stale; nothing else of it
    // changed.
    hand->SetMatrix(RotationMatrixAbout(*centre, (double(Angle) + 90) * std::numbers::pi / 180));
}

double TZorCustomCircularGauge::ValueAngle(double Value) const
{
    return ScaleAngle(Value, FMin, FMax, FStartAngle, FStopAngle);
}

void TZorCustomCircularGauge::UpdateHands()
{
    THandsRepaint repaint([this] { HandsMoved(); });
    TUpdateScope<TSVGDocument> update(SVG());
    const auto angle = static_cast<float>(ValueAngle(FValue));
    RotateHand(FBigHandID, angle);
    RotateHand(QStringLiteral("LittleHand"), angle);
    RotateHand(QStringLiteral("ThinHand"), angle);
}

void TZorCustomCircularGauge::UpdateTime()
{
    THandsRepaint repaint([this] { HandsMoved(); });
    TUpdateScope<TSVGDocument> update(SVG());
    const TDecodedTime time = DecodeTime(FTime);
    RotateHand(QStringLiteral("LittleHand"), static_cast<float>((time.Minute / 60.0 + time.Hour % 12) / 12 * 360));
    RotateHand(QStringLiteral("BigHand"), static_cast<float>((time.Second / 60.0 + time.Minute) / 60 * 360));
    RotateHand(QStringLiteral("ThinHand"), static_cast<float>(time.Second / 60.0 * 360));
}

void TZorCustomCircularGauge::ApplyHands()
{
    ShowElement(QStringLiteral("BigHand"), FHands.Contains(THand::ghBig));
    ShowElement(QStringLiteral("LittleHand"), FHands.Contains(THand::ghLittle));
    ShowElement(QStringLiteral("ThinHand"), FHands.Contains(THand::ghThin));
}

// --- Parts, design, gradients, light --------------------------------------------

void TZorCustomCircularGauge::ApplyPartVisibility()
{
    const bool detailed = Design() == TSVGDesign::sdDetailed;
    for (const TPartVisibility& entry : PartVisibility) {
        const bool shown = (FParts & entry.Parts) == entry.Parts && (!entry.Detailed || detailed) &&
                           (!entry.Gradients || EnableGradients());
        ShowElement(QString::fromLatin1(entry.ID), shown);
    }
}

void TZorCustomCircularGauge::ApplyParts()
{
    ApplyPartVisibility();
}

void TZorCustomCircularGauge::ApplyDesign()
{
    // The gauge changes its artwork in place; it never reloads it.
    ApplyGradients(EnableGradients());
}

void TZorCustomCircularGauge::ApplyGradients(bool Enabled)
{
    for (const TBevel& bevel : Bevels)
        SetPaintServer(QString::fromLatin1(bevel.ID), QString::fromLatin1(bevel.GradientID), true,
                       bevel.FlatColor(FFrameColor), Enabled);
    ApplyPartVisibility();
}

void TZorCustomCircularGauge::ApplyLightColor()
{
    const auto recolour = [this](const QString& ID, TAlphaColor Color) {
        TSVGCustomGradient* gradient = nullptr;
        if (!TryGetElement(ID, gradient))
            return;
        for (TSVGElement* child : gradient->Items())
            if (auto* stop = dynamic_cast<TSVGGradientStop*>(child))
                stop->SetStopColor(Color);
    };
    recolour(QStringLiteral("GradientDarken"), ShadowColor());
    recolour(QStringLiteral("GradientLighten"), LightColor());
}

void TZorCustomCircularGauge::ApplyDecoration()
{
    TSVGPath* path = nullptr;
    if (TryGetElement(DecorationID(), path))
        path->Data().SetData(LargeDecorationPathText(Decoration()));
    ArtworkChanged();
}

// --- Element edits ----------------------------------------------------------------

void TZorCustomCircularGauge::ShowElement(const QString& ID, bool Shown)
{
    TSVGGraphicElement* element = nullptr;
    if (TryGetElement(ID, element))
        element->SetDisplay(Shown);
}

void TZorCustomCircularGauge::DestroyElement(const QString& ID)
{
    TSVGElement* element = nullptr;
    if (TryGetElement(ID, element) && element->Parent() != nullptr)
        element->Parent()->RemoveChild(element);
}

void TZorCustomCircularGauge::PaintFill(const QString& ID, TAlphaColor Color)
{
    TSVGGraphicElement* element = nullptr;
    if (!TryGetElement(ID, element))
        return;
    element->EditValues({TSVGStyleProperty::ipFill}, [&](TSVGStyleValues& Values) {
        Values.Brush.SetKind(TBrushKind::Solid);
        Values.Brush.SetColor(Color);
    });
    element->Reset();
}

void TZorCustomCircularGauge::ChangeColor(TAlphaColor& Field, TAlphaColor Value, void (TZorCustomCircularGauge::*Apply)(),
                                          void (TZorCustomCircularGauge::*Notify)())
{
    if (Field == Value)
        return;
    Field = Value;
    (this->*Apply)();
    ArtworkChanged();
    Q_EMIT(this->*Notify)();
}

void TZorCustomCircularGauge::ApplyFrameColor()
{
    PaintFill(QStringLiteral("FrameColor"), FFrameColor);
    if (!EnableGradients())
        ApplyGradients(false);
}

void TZorCustomCircularGauge::ApplyBackfaceColor() { PaintFill(QStringLiteral("DialColor"), FBackfaceColor); }
void TZorCustomCircularGauge::ApplyKnobColor() { PaintFill(QStringLiteral("Knob"), FKnobColor); }
void TZorCustomCircularGauge::ApplyBoltColor() { PaintFill(QStringLiteral("Bolt"), FBoltColor); }
void TZorCustomCircularGauge::ApplyMajorMarkersColor() { PaintFill(QStringLiteral("BigMarkers"), FMajorMarkersColor); }
void TZorCustomCircularGauge::ApplyMinorMarkersColor() { PaintFill(QStringLiteral("SmallMarkers"), FMinorMarkersColor); }
void TZorCustomCircularGauge::ApplyLabelsFillColor() { PaintFill(QStringLiteral("MeasurementLabels"), FLabelsFillColor); }
void TZorCustomCircularGauge::ApplyBigHandColor() { PaintFill(FBigHandID, FBigHandColor); }
void TZorCustomCircularGauge::ApplyLittleHandColor() { PaintFill(QStringLiteral("LittleHand"), FLittleHandColor); }
void TZorCustomCircularGauge::ApplyThinHandColor() { PaintFill(QStringLiteral("ThinHand"), FThinHandColor); }

void TZorCustomCircularGauge::ApplyLabelsStrokeColor()
{
    TSVGGraphicElement* labels = nullptr;
    if (!TryGetElement(QStringLiteral("MeasurementLabels"), labels))
        return;
    labels->EditValues({TSVGStyleProperty::ipStroke}, [&](TSVGStyleValues& Values) {
        Values.Pen.SetKind(FLabelsStrokeColor != 0 ? TBrushKind::Solid : TBrushKind::None);
        Values.Pen.SetColor(FLabelsStrokeColor);
    });
    labels->Reset();
}

void TZorCustomCircularGauge::SetFrameColor(TAlphaColor Value)
{
    ChangeColor(FFrameColor, Value, &TZorCustomCircularGauge::ApplyFrameColor,
                &TZorCustomCircularGauge::frameColorChanged);
}

void TZorCustomCircularGauge::SetBackfaceColor(TAlphaColor Value)
{
    ChangeColor(FBackfaceColor, Value, &TZorCustomCircularGauge::ApplyBackfaceColor,
                &TZorCustomCircularGauge::backfaceColorChanged);
}

void TZorCustomCircularGauge::SetKnobColor(TAlphaColor Value)
{
    ChangeColor(FKnobColor, Value, &TZorCustomCircularGauge::ApplyKnobColor,
                &TZorCustomCircularGauge::knobColorChanged);
}

void TZorCustomCircularGauge::SetBoltColor(TAlphaColor Value)
{
    ChangeColor(FBoltColor, Value, &TZorCustomCircularGauge::ApplyBoltColor,
                &TZorCustomCircularGauge::boltColorChanged);
}

void TZorCustomCircularGauge::SetMajorMarkersColor(TAlphaColor Value)
{
    ChangeColor(FMajorMarkersColor, Value, &TZorCustomCircularGauge::ApplyMajorMarkersColor,
                &TZorCustomCircularGauge::majorMarkersColorChanged);
}

void TZorCustomCircularGauge::SetMinorMarkersColor(TAlphaColor Value)
{
    ChangeColor(FMinorMarkersColor, Value, &TZorCustomCircularGauge::ApplyMinorMarkersColor,
                &TZorCustomCircularGauge::minorMarkersColorChanged);
}

void TZorCustomCircularGauge::SetLabelsFillColor(TAlphaColor Value)
{
    ChangeColor(FLabelsFillColor, Value, &TZorCustomCircularGauge::ApplyLabelsFillColor,
                &TZorCustomCircularGauge::labelsFillColorChanged);
}

void TZorCustomCircularGauge::SetLabelsStrokeColor(TAlphaColor Value)
{
    ChangeColor(FLabelsStrokeColor, Value, &TZorCustomCircularGauge::ApplyLabelsStrokeColor,
                &TZorCustomCircularGauge::labelsStrokeColorChanged);
}

void TZorCustomCircularGauge::SetBigHandColor(TAlphaColor Value)
{
    ChangeColor(FBigHandColor, Value, &TZorCustomCircularGauge::ApplyBigHandColor,
                &TZorCustomCircularGauge::bigHandColorChanged);
}

void TZorCustomCircularGauge::SetLittleHandColor(TAlphaColor Value)
{
    ChangeColor(FLittleHandColor, Value, &TZorCustomCircularGauge::ApplyLittleHandColor,
                &TZorCustomCircularGauge::littleHandColorChanged);
}

void TZorCustomCircularGauge::SetThinHandColor(TAlphaColor Value)
{
    ChangeColor(FThinHandColor, Value, &TZorCustomCircularGauge::ApplyThinHandColor,
                &TZorCustomCircularGauge::thinHandColorChanged);
}

} // namespace zor
