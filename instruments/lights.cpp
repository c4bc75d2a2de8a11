#include "instruments/lights.h"

#include <QStringList>

#include "svg/model/graphic_element.h"
#include "svg/model/path_element.h"

namespace zor {

const char* const TrafficLightLampNames[3] = {"ltRed", "ltYellow", "ltGreen"};
const char* const TrafficLightPartNames[17] = {
    "tlTopDome",          "tlFrame",
    "tlRedLight",         "tlRedLightHousing",
    "tlRedLightLeftHood", "tlRedLightRightHood",
    "tlRedDecoration",    "tlYellowLight",
    "tlYellowLightHousing", "tlYellowLightLeftHood",
    "tlYellowLightRightHood", "tlYellowDecoration",
    "tlGreenLight",       "tlGreenLightHousing",
    "tlGreenLightLeftHood", "tlGreenLightRightHood",
    "tlGreenDecoration"};
const char* const CubeLightPartNames[4] = {"clFrame", "clLight", "clLightHousing", "clDecoration"};

namespace {

const QString FrameGradient = QStringLiteral("linearGradientFrame");
// The frame keeps its shading about this stop when it is recoloured.
constexpr int FrameReferenceStop = 3;
// The stop the frame colour is read from.
constexpr int FrameColorStop = 2;

// The elements of each lamp, in the order of TTrafficLightLamp.
struct TLampIDs {
    const char* Lamp;
    const char* Name;
    const char* Decoration;
};
constexpr TLampIDs Lamps[] = {
    {"RedLight", "red", "DecorationRed"},
    {"YellowLight", "yellow", "DecorationYellow"},
    {"GreenLight", "green", "DecorationGreen"},
};

const TLampIDs& LampOf(TTrafficLightLamp Light)
{
    return Lamps[static_cast<std::size_t>(Light)];
}

using TTrafficPart = TTrafficLightPart;
const TPartElement<TTrafficPart> TrafficParts[] = {
    {"TopDome", {TTrafficPart::tlTopDome}},
    {"Frame", {TTrafficPart::tlFrame}},
    {"AssemblyRed", {TTrafficPart::tlRedLight}},
    {"useRedFrontHousing", {TTrafficPart::tlRedLightHousing}},
    {"useRedLeftHousing", {TTrafficPart::tlRedLightLeftHood}},
    {"RedLeftShadow", {TTrafficPart::tlRedLightLeftHood}},
    {"useRedRightHousing", {TTrafficPart::tlRedLightRightHood}},
    {"DecorationRed", {TTrafficPart::tlRedDecoration}},
    {"AssemblyYellow", {TTrafficPart::tlYellowLight}},
    {"useYellowFrontHousing", {TTrafficPart::tlYellowLightHousing}},
    {"useYellowLeftHousing", {TTrafficPart::tlYellowLightLeftHood}},
    {"YellowLeftShadow", {TTrafficPart::tlYellowLightLeftHood}},
    {"useYellowRightHousing", {TTrafficPart::tlYellowLightRightHood}},
    {"DecorationYellow", {TTrafficPart::tlYellowDecoration}},
    {"AssemblyGreen", {TTrafficPart::tlGreenLight}},
    {"useGreenFrontHousing", {TTrafficPart::tlGreenLightHousing}},
    {"useGreenLeftHousing", {TTrafficPart::tlGreenLightLeftHood}},
    {"GreenLeftShadow", {TTrafficPart::tlGreenLightLeftHood}},
    {"useGreenRightHousing", {TTrafficPart::tlGreenLightRightHood}},
    {"DecorationGreen", {TTrafficPart::tlGreenDecoration}},
};

const TPartElement<TCubeLightPart> CubeParts[] = {
    {"Frame", {TCubeLightPart::clFrame}},
    {"AssemblyRed", {TCubeLightPart::clLight}},
    {"useRedFrontHousing", {TCubeLightPart::clLightHousing}},
    {"DecorationRed", {TCubeLightPart::clDecoration}},
};

constexpr const char* TrafficHousings[] = {"FrontHousing", "RightHousing", "LeftHousing"};
constexpr const char* CubeHousings[] = {"FrontHousing"};

} // namespace

// --- What both lights share -----------------------------------------------------------

TZorCustomLight::TZorCustomLight(QWidget* Parent)
    : TZorCustomGalleryInstrument(Parent)
{
}

void TZorCustomLight::ArtworkLoaded()
{
    SetActiveSVGElement(Element(QStringLiteral("Lights")));
    SaveGradient(FrameGradient);
    ReadStopColor(FrameGradient, FrameColorStop, FFrameColor);
    ReadFill(QStringLiteral("FrontHousing"), FHousingColor);
}

void TZorCustomLight::RestoreState()
{
    TZorCustomGalleryInstrument::RestoreState();
    UpdateLights();
}

void TZorCustomLight::PaintLamp(const QString& LampID, bool Lit, TAlphaColor Color)
{
    SetBrushColor(LampID, Lit ? Color : FOffColor);
    if (TSVGGraphicElement* shine = Element(LampID + QStringLiteral("Shine"))) {
        const QString gradient = Lit ? QStringLiteral("GradientShine") : QStringLiteral("GradientDim");
        shine->EditValues({TSVGStyleProperty::ipFill}, [&](TSVGStyleValues& Values) { Values.Brush.SetURI(gradient); });
        shine->Reset();
    }
}

void TZorCustomLight::ApplyFrameGradient(bool Enabled)
{
    ApplyPaintServers({{"Frame", "linearGradientFrame", FFrameColor}}, Enabled);
}

void TZorCustomLight::ShowShine(const QString& ShineID)
{
    ShowElement(ShineID, EnableGradients() && Detailed());
}

void TZorCustomLight::SetFrameColor(TAlphaColor Value)
{
    Change(FFrameColor, Value, &TZorCustomLight::ApplyFrameColor, &TZorCustomLight::frameColorChanged);
}

void TZorCustomLight::ApplyFrameColor()
{
    if (EnableGradients()) {
        RecolourGradient(FrameGradient, FFrameColor, TRecolouring::Shift(FrameReferenceStop));
        SVG().Reset();
    } else {
        SetBrushColor(QStringLiteral("Frame"), FFrameColor);
    }
    ArtworkChanged();
}

void TZorCustomLight::SetHousingColor(TAlphaColor Value)
{
    Change(FHousingColor, Value, &TZorCustomLight::ApplyHousingColor, &TZorCustomLight::housingColorChanged);
}

void TZorCustomLight::ApplyHousingColor()
{
    for (const char* id : HousingIDs())
        SetBrushColor(QString::fromLatin1(id), FHousingColor);
    ArtworkChanged();
}

void TZorCustomLight::SetOffColor(TAlphaColor Value)
{
    ChangeLampColor(FOffColor, Value, &TZorCustomLight::offColorChanged);
}

// --- Traffic light ----------------------------------------------------------------------

TZorTrafficLight::TZorTrafficLight(QWidget* Parent)
    : TZorCustomLight(Parent)
{
    SetDecorationID(QStringLiteral("Decorations"));
}

QString TZorTrafficLight::GetResourceName() const
{
    return QStringLiteral("TrafficLightSVG");
}

std::span<const char* const> TZorTrafficLight::HousingIDs() const
{
    return TrafficHousings;
}

void TZorTrafficLight::ArtworkLoaded()
{
    TZorCustomLight::ArtworkLoaded();
    SaveGradient(QStringLiteral("radialGradientDome"));
    ReadStopColor(QStringLiteral("radialGradientDome"), 1, FDomeColor);
    SaveGradient(QStringLiteral("linearGradientHousing"));
    ReadStopColor(QStringLiteral("linearGradientHousing"), 1, FHoodColor);
    ReadFill(QStringLiteral("RedLight"), FRedLightColor);
    ReadFill(QStringLiteral("YellowLight"), FYellowLightColor);
    ReadFill(QStringLiteral("GreenLight"), FGreenLightColor);
}

void TZorTrafficLight::RestoreDecoration()
{
    for (TLight light : {TLight::ltRed, TLight::ltYellow, TLight::ltGreen})
        if (LampDecoration(light) != TDecoration::dcNone)
            ApplyLampDecoration(light);
}

void TZorTrafficLight::SetLights(const TLights& Value)
{
    if (FLights == Value)
        return;
    FLights = Value;
    UpdateLights();
    DoChange();
    Q_EMIT lightsChanged();
    NotifyAccessibleValue(*this);
}

void TZorTrafficLight::UpdateLights()
{
    const TAlphaColor colors[] = {FRedLightColor, FYellowLightColor, FGreenLightColor};
    for (TLight light : {TLight::ltRed, TLight::ltYellow, TLight::ltGreen})
        PaintLamp(QString::fromLatin1(LampOf(light).Lamp), FLights.Contains(light),
                  colors[static_cast<std::size_t>(light)]);
    // The lamps are the live part: the layers around them stay.
    LivePartChanged();
}

void TZorTrafficLight::SetParts(const TParts& Value)
{
    ChangeField(FParts, Value, [this] { PartsChanged(); }, &TZorTrafficLight::partsChanged);
}

void TZorTrafficLight::ApplyParts()
{
    ShowParts<TTrafficPart>(TrafficParts, FParts);
}

void TZorTrafficLight::ApplyGradients(bool Enabled)
{
    ApplyFrameGradient(Enabled);
    ApplyPaintServers({{"LeftHood", "GradientLeftHousing", FHoodColor},
                       {"RightHood", "GradientRightHousing", FHoodColor},
                       {"TopDome", "radialGradientDome", FDomeColor}},
                      Enabled);
    for (const TLampIDs& lamp : Lamps)
        ShowShine(QString::fromLatin1(lamp.Lamp) + QStringLiteral("Shine"));
}

void TZorTrafficLight::SetLampDecoration(TLight Light, TDecoration Value)
{
    TDecoration& field = FDecorations[static_cast<std::size_t>(Light)];
    if (field == Value)
        return;
    field = Value;
    ApplyLampDecoration(Light);
    Q_EMIT decorationChanged();
}

void TZorTrafficLight::ApplyDecoration()
{
    // The emblem every instrument has is the red lamp's here.
    FDecorations[static_cast<std::size_t>(TLight::ltRed)] = Decoration();
    ApplyLampDecoration(TLight::ltRed);
}

void TZorTrafficLight::ApplyLampDecoration(TLight Light)
{
    const TDecoration decoration = LampDecoration(Light);
    TSVGPath* path = Element<TSVGPath>(QString::fromLatin1(LampOf(Light).Decoration));
    if (path != nullptr && IsLampDecoration(decoration))
        path->Data().SetData(DecorationPathText(decoration));
    ArtworkChanged();
}

void TZorTrafficLight::SetDomeColor(TAlphaColor Value)
{
    Change(FDomeColor, Value, &TZorTrafficLight::ApplyDomeColor, &TZorTrafficLight::domeColorChanged);
}

void TZorTrafficLight::ApplyDomeColor()
{
    if (EnableGradients()) {
        RecolourGradient(QStringLiteral("radialGradientDome"), FDomeColor, TRecolouring::Shift(1));
        SVG().Reset();
    } else {
        SetBrushColor(QStringLiteral("TopDome"), FDomeColor);
    }
    ArtworkChanged();
}

void TZorTrafficLight::SetHoodColor(TAlphaColor Value)
{
    Change(FHoodColor, Value, &TZorTrafficLight::ApplyHoodColor, &TZorTrafficLight::hoodColorChanged);
}

void TZorTrafficLight::ApplyHoodColor()
{
    if (EnableGradients()) {
        RecolourGradient(QStringLiteral("linearGradientHousing"), FHoodColor, TRecolouring::Shift(1));
        SVG().Reset();
    } else {
        SetBrushColor(QStringLiteral("RightHood"), FHoodColor);
        SetBrushColor(QStringLiteral("LeftHood"), FHoodColor);
    }
    ArtworkChanged();
}

void TZorTrafficLight::SetRedLightColor(TAlphaColor Value)
{
    ChangeLampColor(FRedLightColor, Value, &TZorTrafficLight::redLightColorChanged);
}

void TZorTrafficLight::SetYellowLightColor(TAlphaColor Value)
{
    ChangeLampColor(FYellowLightColor, Value,
                    &TZorTrafficLight::yellowLightColorChanged);
}

void TZorTrafficLight::SetGreenLightColor(TAlphaColor Value)
{
    ChangeLampColor(FGreenLightColor, Value,
                    &TZorTrafficLight::greenLightColorChanged);
}

QString TZorTrafficLight::AccessibleValueText() const
{
    QStringList lit;
    for (TLight light : {TLight::ltRed, TLight::ltYellow, TLight::ltGreen})
        if (FLights.Contains(light))
            lit += QString::fromLatin1(LampOf(light).Name);
    if (lit.isEmpty())
        return QStringLiteral("Off");
    QString text = lit.size() == 1 ? lit.front() : lit.mid(0, lit.size() - 1).join(QStringLiteral(", ")) +
                                                        QStringLiteral(" and ") + lit.back();
    text[0] = text[0].toUpper();
    return text;
}

// --- Cube light -----------------------------------------------------------------------------

TZorCubeLight::TZorCubeLight(QWidget* Parent)
    : TZorCustomLight(Parent)
{
    SetDecorationID(QStringLiteral("DecorationRed"));
    SetDefaultSize(QSize(DefaultSide, DefaultSide));
}

QString TZorCubeLight::GetResourceName() const
{
    return QStringLiteral("CubeLightSVG");
}

std::span<const char* const> TZorCubeLight::HousingIDs() const
{
    return CubeHousings;
}

void TZorCubeLight::ArtworkLoaded()
{
    TZorCustomLight::ArtworkLoaded();
    ReadFill(QStringLiteral("RedLight"), FOnColor);
}

void TZorCubeLight::SetChecked(bool Value)
{
    if (FChecked == Value)
        return;
    FChecked = Value;
    UpdateLights();
    DoChange();
    Q_EMIT lightsChanged();
    NotifyAccessibleValue(*this);
}

void TZorCubeLight::UpdateLights()
{
    PaintLamp(QStringLiteral("RedLight"), FChecked, FOnColor);
    LivePartChanged();
}

void TZorCubeLight::SetOnColor(TAlphaColor Value)
{
    ChangeLampColor(FOnColor, Value, &TZorCubeLight::onColorChanged);
}

void TZorCubeLight::SetParts(const TParts& Value)
{
    ChangeField(FParts, Value, [this] { PartsChanged(); }, &TZorCubeLight::partsChanged);
}

void TZorCubeLight::ApplyParts()
{
    ShowParts<TCubeLightPart>(CubeParts, FParts);
}

void TZorCubeLight::ApplyGradients(bool Enabled)
{
    ApplyFrameGradient(Enabled);
    ShowShine(QStringLiteral("RedLightShine"));
}

QString TZorCubeLight::AccessibleValueText() const
{
    return FChecked ? QStringLiteral("On") : QStringLiteral("Off");
}

} // namespace zor
