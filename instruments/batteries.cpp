#include "instruments/batteries.h"

#include "svg/model/graphic_element.h"

namespace zor {

const char* const BatteryPartNames[7] = {"bpTop",     "bpConnector", "bpBottom", "bpDecoration",
                                         "bpMarkers", "bpLevel",     "bpGlass"};
const char* const BatteryModernPartNames[7] = {"bmTop",   "bmConnector", "bmBottom", "bmDecoration",
                                               "bmLevel", "bmGlass",     "bmShadow"};

namespace {

using TPart = TBatteryPart;
const TPartElement<TPart> BatteryParts[] = {
    {"Decoration", {TPart::bpDecoration}}, {"LevelGroup", {TPart::bpLevel}},
    {"TopGroup", {TPart::bpTop}},          {"Connector", {TPart::bpConnector}},
    {"BottomGroup", {TPart::bpBottom}},    {"Markers", {TPart::bpMarkers}},
    {"GlassGroup", {TPart::bpGlass}},      {"GlassHighlightsGroup", {TPart::bpGlass}},
    {"GlassEdge", {TPart::bpGlass}},
};

using TModernPart = TBatteryModernPart;
const TPartElement<TModernPart> ModernParts[] = {
    {"Decoration", {TModernPart::bmDecoration}}, {"LevelGroup", {TModernPart::bmLevel}},
    {"BatteryTopGroup", {TModernPart::bmTop}},   {"BatteryConnector", {TModernPart::bmConnector}},
    {"BatteryBottom", {TModernPart::bmBottom}},  {"Glass", {TModernPart::bmGlass}},
    {"Shadow", {TModernPart::bmShadow}},
};

} // namespace

// --- What both share -------------------------------------------------------------------

TZorCustomBattery::TZorCustomBattery(QWidget* Parent)
    : TZorRangeInstrument(Parent)
{
    SetDecorationID(QStringLiteral("Decoration"));
    InitRange(0, InitialMax);
}

void TZorCustomBattery::ArtworkLoaded()
{
    SetActiveSVGElement(&RequiredElement(QStringLiteral("LevelGroup")));
    const TSVGGraphicElement& level = RequiredElement(LevelElementID());
    const QRectF bounds = level.BoundsRect();
    FLevelY = static_cast<float>(bounds.top());
    FLevelHeight = static_cast<float>(bounds.height());
    FLevelMatrix = level.Matrix();
}

void TZorCustomBattery::UpdateLevel()
{
    TSVGGraphicElement* level = Element(LevelElementID());
    if (level == nullptr)
        return;
    const QRectF before = AreaOf(*level);
    level->SetMatrix(LevelMatrix(LevelFraction()));
    LivePartMovedWithin(before | AreaOf(*level));
}

QTransform TZorCustomBattery::LevelMatrix(double Fraction) const
{
    // Squeezed in its own space about its bottom edge, before the transform
    // it has in the artwork.
    const double bottom = double(FLevelY) + FLevelHeight;
    return QTransform::fromTranslate(0, -bottom) * QTransform::fromScale(1, Fraction) *
           QTransform::fromTranslate(0, bottom) * FLevelMatrix;
}

void TZorCustomBattery::SetFillColor(TAlphaColor Value)
{
    Change(FFillColor, Value, &TZorCustomBattery::ApplyFillColor, &TZorCustomBattery::fillColorChanged);
}

void TZorCustomBattery::SetTopColor(TAlphaColor Value)
{
    Change(FTopColor, Value, &TZorCustomBattery::ApplyTopColor, &TZorCustomBattery::topColorChanged);
}

void TZorCustomBattery::SetBottomColor(TAlphaColor Value)
{
    Change(FBottomColor, Value, &TZorCustomBattery::ApplyBottomColor, &TZorCustomBattery::bottomColorChanged);
}

// --- Battery ---------------------------------------------------------------------------

TZorBattery::TZorBattery(QWidget* Parent)
    : TZorCustomBattery(Parent)
{
    SetDecoration(TDecoration::dcBolt);
    SetDefaultSize(QSize(DefaultWidth, DefaultSide));
}

QString TZorBattery::GetResourceName() const
{
    return QStringLiteral("BatterySVG");
}

QString TZorBattery::LevelElementID() const
{
    return QStringLiteral("LevelGroup");
}

void TZorBattery::ArtworkLoaded()
{
    TZorCustomBattery::ArtworkLoaded();
    SaveGradient(QStringLiteral("GradientLevel"));
    ReadStopColor(QStringLiteral("GradientLevel"), LastStop, FFillColor);
    SaveGradient(QStringLiteral("GradientTop"));
    ReadStopColor(QStringLiteral("GradientTop"), 0, FTopColor);
    SaveGradient(QStringLiteral("GradientBottom"));
    ReadStopColor(QStringLiteral("GradientBottom"), 0, FBottomColor);
    SaveGradient(QStringLiteral("GradientConnector"));
    ReadFill(QStringLiteral("Markers"), FMarkersFillColor);
    ReadStroke(QStringLiteral("Markers"), FMarkersStrokeColor);
}

std::vector<TSVGGraphicElement*> TZorBattery::Rotors() const
{
    TSVGGraphicElement* level = ActiveSVGElement();
    if (level == nullptr || !level->Display())
        return {};
    return {level};
}

void TZorBattery::PoseForPictures(bool Drawing)
{
    // A level squeezed to nothing would leave nothing to squeeze back.
    if (TSVGGraphicElement* level = Element(LevelElementID()))
        level->SetMatrix(LevelMatrix(Drawing ? 1.0 : LevelFraction()));
}

void TZorBattery::SetParts(const TParts& Value)
{
    ChangeField(FParts, Value, [this] { PartsChanged(); }, &TZorBattery::partsChanged);
}

void TZorBattery::ApplyParts()
{
    ShowParts<TPart>(BatteryParts, FParts);
}

void TZorBattery::ApplyGradients(bool Enabled)
{
    ApplyPaintServers({{"BatteryTop", "GradientBatteryTop", FTopColor},
                       {"BatteryTopBump", "GradientConnector", FTopColor},
                       {"BatteryBottom", "GradientBatteryBottom", FBottomColor},
                       {"BottomGlowLevel", "GradientLevel", FFillColor}},
                      Enabled);
    ShowElements({"TopHighlights", "BottomHighlights", "LevelHighlights", "GlassHighlightsGroup"},
                 Enabled && Detailed());
    ShowElement(QStringLiteral("MarkersLevel"), Enabled);
}

void TZorBattery::ApplyDesign()
{
    TZorCustomBattery::ApplyDesign();
    if (!Detailed())
        ShowElements({"GlassHighlightsGroup", "TopHighlights", "BottomHighlights", "BatteryTopBumpHighlight",
                      "LevelHighlights"},
                     false);
}

void TZorBattery::ApplyLightColor()
{
    SetEveryStop(QStringLiteral("GradientHighlights"), LightColor());
    SetBrushColor(QStringLiteral("BatteryTopBumpHighlight"), LightColor());
    SetBrushColor(QStringLiteral("BatteryBottomToplight"), LightColor());
}

void TZorBattery::ApplyFillColor()
{
    if (EnableGradients()) {
        RecolourGradient(QStringLiteral("GradientLevel"), FFillColor, TRecolouring::ScaleFromLast());
        SVG().Reset();
    } else {
        SetBrushColor(QStringLiteral("BottomGlowLevel"), FFillColor);
    }
    ArtworkChanged();
}

void TZorBattery::ApplyTopColor()
{
    if (EnableGradients()) {
        // The cap and its connector keep their shading about their middle stop.
        RecolourGradient(QStringLiteral("GradientTop"), FTopColor, TRecolouring::Shift(2));
        RecolourGradient(QStringLiteral("GradientConnector"), FTopColor, TRecolouring::Shift(2));
        SVG().Reset();
    } else {
        SetBrushColor(QStringLiteral("BatteryTop"), FTopColor);
        SetBrushColor(QStringLiteral("BatteryTopBump"), FTopColor);
    }
    ArtworkChanged();
}

void TZorBattery::ApplyBottomColor()
{
    if (EnableGradients()) {
        RecolourGradient(QStringLiteral("GradientBottom"), FBottomColor, TRecolouring::Shift(2));
        SVG().Reset();
    } else {
        SetBrushColor(QStringLiteral("BatteryBottom"), FBottomColor);
    }
    ArtworkChanged();
}

void TZorBattery::SetMarkersFillColor(TAlphaColor Value)
{
    ChangeField(
        FMarkersFillColor, Value,
        [this] {
            SetFillOf(QStringLiteral("Markers"), FMarkersFillColor);
            ArtworkChanged();
        },
        &TZorBattery::markersFillColorChanged);
}

void TZorBattery::SetMarkersStrokeColor(TAlphaColor Value)
{
    ChangeField(
        FMarkersStrokeColor, Value,
        [this] {
            SetStrokeOf(QStringLiteral("Markers"), FMarkersStrokeColor);
            ArtworkChanged();
        },
        &TZorBattery::markersStrokeColorChanged);
}

// --- Modern battery -----------------------------------------------------------------------

TZorBatteryModern::TZorBatteryModern(QWidget* Parent)
    : TZorCustomBattery(Parent)
{
    SetDefaultSize(QSize(DefaultWidth, DefaultSide));
}

QString TZorBatteryModern::GetResourceName() const
{
    return QStringLiteral("BatteryModernSVG");
}

QString TZorBatteryModern::LevelElementID() const
{
    return QStringLiteral("Level");
}

void TZorBatteryModern::ArtworkLoaded()
{
    TZorCustomBattery::ArtworkLoaded();
    SaveGradient(QStringLiteral("GradientLevel"));
    ReadStopColor(QStringLiteral("GradientLevel"), 2, FFillColor);
    SaveGradient(QStringLiteral("GradientTop"));
    ReadStopColor(QStringLiteral("GradientTop"), LastStop, FTopColor);
    SaveGradient(QStringLiteral("GradientBottom"));
    ReadStopColor(QStringLiteral("GradientBottom"), LastStop, FBottomColor);
    SaveGradient(QStringLiteral("GradientBackface"));
    ReadStopColor(QStringLiteral("GradientBackface"), 2, FBackfaceColor);
    ReadFill(QStringLiteral("InnerRim"), FBandsColor);
}

void TZorBatteryModern::UpdateLevel()
{
    TZorCustomBattery::UpdateLevel();
    // The lit top of the charge rides on the level's top edge.
    if (TSVGGraphicElement* top = Element(QStringLiteral("LevelTop"))) {
        const QRectF before = AreaOf(*top);
        top->SetY(static_cast<float>(FLevelY + FLevelHeight * (1 - LevelFraction())));
        LivePartMovedWithin(before | AreaOf(*top));
    }
}

void TZorBatteryModern::SetParts(const TParts& Value)
{
    ChangeField(FParts, Value, [this] { PartsChanged(); }, &TZorBatteryModern::partsChanged);
}

void TZorBatteryModern::ApplyParts()
{
    ShowParts<TModernPart>(ModernParts, FParts);
}

void TZorBatteryModern::ApplyGradients(bool Enabled)
{
    ApplyPaintServers({{"BatteryTop", "linearGradientTop", FTopColor},
                       {"BatteryConnector", "linearGradientConn", FTopColor},
                       {"BatteryBottom", "linearGradientBottom", FBottomColor},
                       {"LeftHighlight", "GradientLeftHighlight", LightColor()},
                       {"LevelColor", "linearGradientLevel", FFillColor},
                       {"LevelTop", "linearGradientLevelTop", FFillColor}},
                      Enabled);
    ShowElements({"RightShadow", "ThinLeftHighlight", "BackfaceShine", "Shadow"}, Enabled && Detailed());
}

void TZorBatteryModern::ApplyDesign()
{
    TZorCustomBattery::ApplyDesign();
    if (!Detailed())
        ShowElements({"LevelHighlight", "Shadow", "BackfaceShine"}, false);
}

void TZorBatteryModern::ApplyLightColor()
{
    SetEveryStop(QStringLiteral("GradientRightHighlight"), ShadowColor());
    SetEveryStop(QStringLiteral("GradientShadow"), ShadowColor());
    SetEveryStop(QStringLiteral("GradientLeftHighlight"), LightColor());
    SetEveryStop(QStringLiteral("GradientThinHighlight"), LightColor());
    for (const char* id : {"LevelHighlight", "LeftHighlight", "ThinLeftHighlight"})
        SetBrushColor(QString::fromLatin1(id), LightColor());
    SetBrushColor(QStringLiteral("RightShadow"), ShadowColor());
}

void TZorBatteryModern::ApplyFillColor()
{
    if (EnableGradients()) {
        RecolourGradient(QStringLiteral("GradientLevel"), FFillColor, TRecolouring::ScaleFromFirst());
        SVG().Reset();
    } else {
        SetBrushColor(QStringLiteral("LevelColor"), FFillColor);
        SetBrushColor(QStringLiteral("LevelTop"), FFillColor);
    }
    // The charge is the live part: the layers stay.
    LivePartChanged();
}

void TZorBatteryModern::ApplyTopColor()
{
    if (EnableGradients()) {
        RecolourGradient(QStringLiteral("GradientTop"), FTopColor, TRecolouring::ScaleFromFirst());
        SVG().Reset();
    } else {
        SetBrushColor(QStringLiteral("BatteryTopGroup"), FTopColor);
    }
    ArtworkChanged();
}

void TZorBatteryModern::ApplyBottomColor()
{
    if (EnableGradients()) {
        RecolourGradient(QStringLiteral("GradientBottom"), FBottomColor, TRecolouring::ScaleFromFirst());
        SVG().Reset();
    } else {
        SetBrushColor(QStringLiteral("BatteryBottom"), FBottomColor);
    }
    ArtworkChanged();
}

void TZorBatteryModern::SetBackfaceColor(TAlphaColor Value)
{
    ChangeField(
        FBackfaceColor, Value,
        [this] {
            if (EnableGradients()) {
                RecolourGradient(QStringLiteral("GradientBackface"), FBackfaceColor, TRecolouring::ScaleFromLast());
                SVG().Reset();
            } else {
                SetFillOf(QStringLiteral("Backface"), FBackfaceColor);
            }
            ArtworkChanged();
        },
        &TZorBatteryModern::backfaceColorChanged);
}

void TZorBatteryModern::SetBandsColor(TAlphaColor Value)
{
    ChangeField(
        FBandsColor, Value,
        [this] {
            SetFillOf(QStringLiteral("InnerRim"), FBandsColor);
            ArtworkChanged();
        },
        &TZorBatteryModern::bandsColorChanged);
}

} // namespace zor
