#include "instruments/thermometers.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "instruments/gradient_colors.h"
#include "instruments/label_fit.h"
#include "platform/update_scope.h"
#include "svg/model/graphic_element.h"
#include "svg/shapes/text_element.h"
#include "svg/values/number_format.h"

namespace zor {

const char* const ThermometerPartNames[12] = {
    "tpFrame",           "tpBackface",          "tpDecoration", "tpLeftMarkers", "tpRightMarkers", "tpLeftMinorMarkers",
    "tpRightMinorMarkers", "tpLeftLabels",      "tpRightLabels", "tpMercury",    "tpPipette",      "tpGlass"};

namespace {

using TPart = TThermometerPart;
const TPartElement<TPart> PartElements[] = {
    {"Frame", {TPart::tpFrame}},
    {"Backface", {TPart::tpBackface}},
    {"FrameBevel", {TPart::tpBackface}},
    {"textLeft", {TPart::tpLeftLabels}},
    {"textRight", {TPart::tpRightLabels}},
    {"MarkersLeftMajor", {TPart::tpLeftMarkers}},
    {"MarkersLeftMinor", {TPart::tpLeftMinorMarkers, TPart::tpLeftMarkers}},
    {"MarkersRightMajor", {TPart::tpRightMarkers}},
    {"MarkersRightMinor", {TPart::tpRightMinorMarkers, TPart::tpRightMarkers}},
    {"MercuryGroup", {TPart::tpMercury}},
    {"Glass", {TPart::tpGlass}},
    {"Pipette", {TPart::tpPipette}},
};

const QString Mercury = QStringLiteral("Mercury");
const QString MercuryHighlight = QStringLiteral("MercuryHighlight");
const QString LeftLabels = QStringLiteral("textLeft");
const QString RightLabels = QStringLiteral("textRight");

// The rows of a label column, top to bottom.
std::vector<TSVGCustomText*> Rows(const TSVGElement& Column)
{
    std::vector<TSVGCustomText*> rows;
    for (TSVGElement* child : Column.Items())
        if (auto* text = dynamic_cast<TSVGCustomText*>(child))
            rows.push_back(text);
    return rows;
}

// Left to right from Left to Right, of any height.
QRectF Columns(double Left, double Right)
{
    constexpr double Tall = 1e9;
    return QRectF(QPointF(Left, -Tall), QPointF(Right, Tall));
}

} // namespace

TZorThermometer::TZorThermometer(QWidget* Parent)
    : TZorRangeInstrument(Parent)
    , FFont(std::make_unique<TSVGFont>(TSVGValueOwner{[this](TPersistent&) { FontChanged(); }}))
{
    InitRange(0, InitialMax);
    SetDefaultSize(QSize(DefaultWidth, DefaultSide));
}

TZorThermometer::~TZorThermometer() = default;

QString TZorThermometer::GetResourceName() const
{
    return QStringLiteral("ThermometerSVG");
}

void TZorThermometer::ArtworkLoaded()
{
    SetActiveSVGElement(Element(QStringLiteral("GlassPipette")));
    const TSVGGraphicElement& mercury = RequiredElement(Mercury);
    const TSVGGraphicElement& highlight = RequiredElement(MercuryHighlight);
    FMercury = {mercury.Y(), mercury.Height()};
    FMercuryHighlight = {highlight.Y(), highlight.Height()};
    SaveGradient(QStringLiteral("linearGradientFrame"));
    ReadStopColor(QStringLiteral("linearGradientFrame"), 0, FFrameColor);
    SaveGradient(QStringLiteral("linearGradientMercury"));
    ReadStopColor(QStringLiteral("linearGradientMercury"), 0, FMercuryColor);
    ReadStopColor(QStringLiteral("GradientBackface"), 0, FBackfaceColor);
    ReadFill(QStringLiteral("Labels"), FLabelsFillColor);
    ReadStroke(QStringLiteral("Labels"), FLabelsStrokeColor);
    ReadFill(QStringLiteral("Markers"), FMarkersColor);
    if (FFontAssigned)
        SetTextFont(QStringLiteral("Labels"), *FFont);
}

// --- Scale and column ----------------------------------------------------------------------

void TZorThermometer::UpdateLabels()
{
    TSVGGraphicElement& left = RequiredElement(LeftLabels);
    TSVGGraphicElement& right = RequiredElement(RightLabels);
    const std::vector<TSVGCustomText*> leftRows = Rows(left);
    const std::vector<TSVGCustomText*> rightRows = Rows(right);
    {
        TUpdateScope<TSVGDocument> update(SVG());
        const std::size_t count = leftRows.size();
        const double step = count > 1 ? (double(Max()) - Min()) / double(count - 1) : 0.0;
        for (std::size_t i = 0; i < count; ++i) {
            const QString label = FormatFloat(FormatStr(), Max() - double(i) * step);
            leftRows[i]->SetText(label);
            if (i < rightRows.size())
                rightRows[i]->SetText(label);
        }
        FitLabels();
    }
    ArtworkChanged();
}

void TZorThermometer::FitLabels()
{
    TSVGGraphicElement& left = RequiredElement(LeftLabels);
    TSVGGraphicElement& right = RequiredElement(RightLabels);
    // Each column has the card between its edge and its markers.
    const auto bounds = [this](const char* ID) {
        const TSVGGraphicElement* element = Element(QString::fromLatin1(ID));
        return element != nullptr ? std::optional<QRectF>(element->BoundsRect()) : std::nullopt;
    };
    const std::optional<QRectF> card = bounds("Backface");
    const std::optional<QRectF> leftMarkers = bounds("MarkersLeftMajor");
    const std::optional<QRectF> rightMarkers = bounds("MarkersRightMajor");
    std::optional<QRectF> leftRoom;
    std::optional<QRectF> rightRoom;
    if (card && leftMarkers)
        leftRoom = Columns(card->left(), leftMarkers->left());
    if (card && rightMarkers)
        rightRoom = Columns(rightMarkers->right(), card->right());
    TSVGGraphicElement* const sized[] = {&left, &right};
    FitLabelFonts(sized, [&] {
        std::vector<TLabelBox> boxes;
        for (const TSVGCustomText* row : Rows(left))
            boxes.push_back(TextLabelBox(*row, leftRoom));
        for (const TSVGCustomText* row : Rows(right))
            boxes.push_back(TextLabelBox(*row, rightRoom));
        return boxes;
    });
}

void TZorThermometer::UpdateRange()
{
    UpdateLabels();
    const double span = double(Max()) - Min();
    FMaxMercury = static_cast<float>(Max() + std::nearbyint(span * OverrunAbove));
    FMinMercury = static_cast<float>(Min() - std::nearbyint(span * OverrunBelow));
}

std::pair<double, double> TZorThermometer::MercuryTopAndHeight(double Value) const
{
    const double fraction = Fraction(Value, FMinMercury, FMaxMercury);
    return {(1 - fraction) * FMercury.Height + FMercury.Y, fraction * FMercury.Height};
}

QRectF TZorThermometer::SetColumn(const QString& ID, const TColumn& Full, double Fraction)
{
    TSVGGraphicElement& rect = RequiredElement(ID);
    const QRectF before = AreaOf(rect);
    rect.SetY(static_cast<float>((1 - Fraction) * Full.Height + Full.Y));
    rect.SetHeight(static_cast<float>(Fraction * Full.Height));
    // The sides and the bottom stay, and the gradients run across the
    // column: it looks different only between its old top and its new.
    const QRectF after = AreaOf(rect);
    return QRectF(QPointF(after.left(), std::min(before.top(), after.top())),
                  QPointF(after.right(), std::max(before.top(), after.top())));
}

void TZorThermometer::UpdateMercury()
{
    const double fraction = Fraction(Value(), FMinMercury, FMaxMercury);
    QRectF changed;
    {
        TUpdateScope<TSVGDocument> update(SVG());
        changed = SetColumn(Mercury, FMercury, fraction) | SetColumn(MercuryHighlight, FMercuryHighlight, fraction);
    }
    LivePartMovedWithin(changed);
}

void TZorThermometer::FormatStrChanged()
{
    UpdateLabels();
}

void TZorThermometer::FontChanged()
{
    FFontAssigned = true;
    SetTextFont(QStringLiteral("Labels"), *FFont);
    FitLabels();
    ArtworkChanged();
    Q_EMIT fontChanged();
}

void TZorThermometer::SetParts(const TParts& Value)
{
    ChangeField(FParts, Value, [this] { PartsChanged(); }, &TZorThermometer::partsChanged);
}

// --- Artwork operations -----------------------------------------------------------------------

void TZorThermometer::ApplyParts()
{
    ShowParts<TPart>(PartElements, FParts);
}

void TZorThermometer::ApplyGradients(bool Enabled)
{
    ApplyPaintServers({{"Backface", "GradientBackface", FBackfaceColor},
                       {"Mercury", "linearGradientMercury", FMercuryColor},
                       {"Bulb", "linearGradientMercury", FMercuryColor},
                       {"frameRect", "linearGradientFrame", FFrameColor},
                       {"FrameBevel", "linearGradientFrameBevel", ShadowColor()}},
                      Enabled);
    ShowElements({"MercuryHighlight", "BulbHighlight", "Glass"}, Enabled && Detailed());
}

void TZorThermometer::ApplyDesign()
{
    TZorRangeInstrument::ApplyDesign();
    if (!Detailed())
        ShowElements({"Frame", "Glass", "FrameBevel", "MercuryHighlight", "BulbHighlight"}, false);
    UpdateLabels();
    UpdateMercury();
}

void TZorThermometer::ApplyLightColor()
{
    for (const char* id : {"linearGradientGlassHighlight", "linearGradientGlassHighlightLeft",
                           "linearGradientMercuryHighlight", "linearGradientBulbHighlight"})
        SetEveryStop(QString::fromLatin1(id), LightColor());
    SetStopColor(QStringLiteral("linearGradientFrameBevel"), 1, LightColor());
}

TAlphaColor TZorThermometer::FrameBevelShade() const
{
    return OffsetColor(FFrameColor, -128);
}

// --- Colours ------------------------------------------------------------------------------------

void TZorThermometer::SetFrameColor(TAlphaColor Value)
{
    ChangeField(
        FFrameColor, Value,
        [this] {
            if (EnableGradients()) {
                RecolourGradient(QStringLiteral("linearGradientFrame"), FFrameColor, TRecolouring::ScaleFromFirst());
                SetStopColors(QStringLiteral("linearGradientFrameBevel"), {FrameBevelShade(), LightColor()});
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("frameRect"), FFrameColor);
            }
            ArtworkChanged();
        },
        &TZorThermometer::frameColorChanged);
}

void TZorThermometer::SetMercuryColor(TAlphaColor Value)
{
    ChangeField(
        FMercuryColor, Value,
        [this] {
            if (EnableGradients()) {
                RecolourGradient(QStringLiteral("linearGradientMercury"), FMercuryColor,
                                 TRecolouring::ScaleFromFirst());
                SVG().Reset();
            } else {
                SetBrushColor(Mercury, FMercuryColor);
                SetBrushColor(QStringLiteral("Bulb"), FMercuryColor);
            }
            ArtworkChanged();
        },
        &TZorThermometer::mercuryColorChanged);
}

void TZorThermometer::SetBackfaceColor(TAlphaColor Value)
{
    ChangeField(
        FBackfaceColor, Value,
        [this] {
            if (EnableGradients()) {
                SetEveryStop(QStringLiteral("GradientBackface"), FBackfaceColor);
                SVG().Reset();
            } else {
                SetBrushColor(QStringLiteral("Backface"), FBackfaceColor);
            }
            ArtworkChanged();
        },
        &TZorThermometer::backfaceColorChanged);
}

void TZorThermometer::SetMarkersColor(TAlphaColor Value)
{
    ChangeField(
        FMarkersColor, Value,
        [this] {
            SetStrokeOf(QStringLiteral("Markers"), FMarkersColor);
            ArtworkChanged();
        },
        &TZorThermometer::markersColorChanged);
}

void TZorThermometer::SetLabelsFillColor(TAlphaColor Value)
{
    ChangeField(
        FLabelsFillColor, Value,
        [this] {
            SetFillOf(QStringLiteral("Labels"), FLabelsFillColor);
            ArtworkChanged();
        },
        &TZorThermometer::labelsFillColorChanged);
}

void TZorThermometer::SetLabelsStrokeColor(TAlphaColor Value)
{
    ChangeField(
        FLabelsStrokeColor, Value,
        [this] {
            SetStrokeOf(QStringLiteral("Labels"), FLabelsStrokeColor);
            ArtworkChanged();
        },
        &TZorThermometer::labelsStrokeColorChanged);
}

} // namespace zor
