#include "instruments/custom_instrument.h"

#include <cmath>

#include "instruments/gradient_colors.h"
#include "platform/exceptions.h"
#include "platform/update_scope.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/model/graphic_element.h"
#include "svg/model/path_element.h"
#include "svg/values/number_format.h"

namespace zor {

namespace {

constexpr const char* InvalidNumberFormat = "'%s' is not a valid number format";

// Numbers a label format is tried on: a fraction either side of zero, zero,
// and one with thousands.
constexpr double FormatSamples[] = {123.45, -123.45, 0, 12345.6};

// Whether every number Format writes reads back as that number, within its
// rounding: the same sign, within half its size, zero as zero, once thousands
// separators are left out. Literal text in place of digits, digits written
// as literal text, negatives without their sign and zero written as nothing
// fail. The formatter writes any picture without complaint, so this is the
// check a label format gets.
bool WritesReadableNumbers(const QString& Format)
{
    for (const double sample : FormatSamples) {
        QString text = FormatFloat(Format, sample);
        text.remove(QLatin1Char(','));
        double value = 0;
        if (!TryStrToFloat(text, value) || std::abs(value - sample) > std::abs(sample) / 2)
            return false;
    }
    return true;
}

// The stops the gradient has itself, not those it takes through href.
std::vector<TSVGGradientStop*> OwnStops(TSVGCustomGradient& Gradient)
{
    std::vector<TSVGGradientStop*> stops;
    for (TSVGElement* child : Gradient.Items())
        if (child->SVGType() == TSVGElementType::etGradientStop)
            stops.push_back(static_cast<TSVGGradientStop*>(child));
    return stops;
}

std::vector<TAlphaColor> StopColors(const std::vector<TSVGGradientStop*>& Stops)
{
    std::vector<TAlphaColor> colors;
    colors.reserve(Stops.size());
    for (const TSVGGradientStop* stop : Stops)
        colors.push_back(stop->StopColor());
    return colors;
}

void SetStopColors(const std::vector<TSVGGradientStop*>& Stops, const std::vector<TAlphaColor>& Colors)
{
    for (std::size_t i = 0; i < Stops.size() && i < Colors.size(); ++i)
        Stops[i]->SetStopColor(Colors[i]);
}

} // namespace

TZorSVGCustomInstrument::TZorSVGCustomInstrument(QWidget* Parent)
    : TZorSVGControl(Parent)
{
    // The size on screen and the size a stored layout keeps, alike: a
    // free-standing instrument is stored and copied at the size it shows.
    resize(DefaultSide, DefaultSide);
    SetWidth(DefaultSide);
    SetHeight(DefaultSide);
}

TZorSVGCustomInstrument::~TZorSVGCustomInstrument() = default;

QSize TZorSVGCustomInstrument::sizeHint() const
{
    return QSize(DefaultSide, DefaultSide);
}

void TZorSVGCustomInstrument::AfterConstruction()
{
    LoadFromResource(GetResourceName());
}

void TZorSVGCustomInstrument::LoadFromResource(const QString& ResName)
{
    TZorSVGControl::LoadFromResource(ResName);
    TSVGGraphicElement* decoration = nullptr;
    if (TryGetElement(FDecorationID, decoration)) {
        FDecorationFillColor = decoration->Brush().Color();
        FDecorationStrokeColor = decoration->Pen().Color();
    }
}

QString TZorSVGCustomInstrument::GetResourceName() const
{
    return QString();
}

// --- Setters -------------------------------------------------------------------

void TZorSVGCustomInstrument::SetDecoration(TDecoration Value)
{
    Change(FDecoration, Value, &TZorSVGCustomInstrument::ApplyDecoration, &TZorSVGCustomInstrument::decorationChanged);
}

void TZorSVGCustomInstrument::SetDecorationFillColor(TAlphaColor Value)
{
    Change(FDecorationFillColor, Value, &TZorSVGCustomInstrument::DecorationFillColorChanged,
           &TZorSVGCustomInstrument::decorationFillColorChanged);
}

void TZorSVGCustomInstrument::SetDecorationStrokeColor(TAlphaColor Value)
{
    Change(FDecorationStrokeColor, Value, &TZorSVGCustomInstrument::DecorationStrokeColorChanged,
           &TZorSVGCustomInstrument::decorationStrokeColorChanged);
}

void TZorSVGCustomInstrument::SetDesign(TSVGDesign Value)
{
    Change(FDesign, Value, &TZorSVGCustomInstrument::DesignChanged, &TZorSVGCustomInstrument::designChanged);
}

void TZorSVGCustomInstrument::SetEnableGradients(bool Value)
{
    Change(FEnableGradients, Value, &TZorSVGCustomInstrument::EnableGradientsChanged,
           &TZorSVGCustomInstrument::enableGradientsChanged);
}

void TZorSVGCustomInstrument::SetLightColor(TAlphaColor Value)
{
    Change(FLightColor, Value, &TZorSVGCustomInstrument::LightColorChanged,
           &TZorSVGCustomInstrument::lightColorChanged);
}

TAlphaColor TZorSVGCustomInstrument::ShadowColor() const
{
    return ShadowColorOf(FLightColor);
}

void TZorSVGCustomInstrument::SetFormatStr(const QString& Value)
{
    if (FFormatStr == Value)
        return;
    if (!WritesReadableNumbers(Value))
        Raise<EConvertError>(QString::fromLatin1(InvalidNumberFormat), {Value});
    FFormatStr = Value;
    FormatStrChanged();
    Q_EMIT formatStrChanged();
}

// --- Operations ------------------------------------------------------------------

void TZorSVGCustomInstrument::ApplyGradients(bool) {}

void TZorSVGCustomInstrument::ApplyDesign()
{
    if (FDesign == TSVGDesign::sdDetailed)
        LoadFromResource(GetResourceName());
}

void TZorSVGCustomInstrument::ApplyLightColor() {}

void TZorSVGCustomInstrument::ApplyParts() {}

void TZorSVGCustomInstrument::ApplyDecoration()
{
    TSVGPath* path = nullptr;
    if (TryGetElement(FDecorationID, path)) {
        if (FDecoration == TDecoration::dcNone || FDecoration == TDecoration::dcCustom)
            path->Data().Clear();
        else
            path->Data().SetData(DecorationPathText(FDecoration));
    }
    InvalidateBuffers();
    Repaint();
}

void TZorSVGCustomInstrument::DesignChanged()
{
    {
        TUpdateScope<TSVGDocument> update(SVG());
        ApplyDesign();
    }
    InvalidateBuffers();
    Repaint();
}

void TZorSVGCustomInstrument::EnableGradientsChanged()
{
    {
        TUpdateScope<TSVGDocument> update(SVG());
        ApplyGradients(FEnableGradients);
    }
    InvalidateBuffers();
    Repaint();
}

void TZorSVGCustomInstrument::LightColorChanged()
{
    {
        TUpdateScope<TSVGDocument> update(SVG());
        ApplyLightColor();
        SVG().Reset();
        InvalidateBuffers();
    }
    Repaint();
}

void TZorSVGCustomInstrument::FormatStrChanged() {}

void TZorSVGCustomInstrument::PartsChanged()
{
    if (SVG().Items().IsEmpty())
        return;
    {
        TUpdateScope<TSVGDocument> update(SVG());
        ApplyParts();
        InvalidateBuffers();
    }
    Repaint();
}

void TZorSVGCustomInstrument::DoChange()
{
    Fire(OnChange, this);
}

void TZorSVGCustomInstrument::DecorationFillColorChanged()
{
    PaintDecoration(true, FDecorationFillColor);
}

void TZorSVGCustomInstrument::DecorationStrokeColorChanged()
{
    PaintDecoration(false, FDecorationStrokeColor);
}

void TZorSVGCustomInstrument::PaintDecoration(bool IsFill, TAlphaColor Color)
{
    TSVGGraphicElement* element = nullptr;
    if (!TryGetElement(FDecorationID, element))
        return;
    // Fully transparent means no paint at all, not a transparent one.
    const TBrushKind kind = Color != 0 ? TBrushKind::Solid : TBrushKind::None;
    if (IsFill) {
        element->EditValues({TSVGStyleProperty::ipFill}, [&](TSVGStyleValues& Values) {
            Values.Brush.SetKind(kind);
            Values.Brush.SetColor(Color);
        });
    } else {
        element->EditValues({TSVGStyleProperty::ipStroke}, [&](TSVGStyleValues& Values) {
            Values.Pen.SetKind(kind);
            Values.Pen.SetColor(Color);
        });
    }
    element->Reset();
    InvalidateBuffers();
    Repaint();
}

void TZorSVGCustomInstrument::SetPaintServer(const QString& ElementID, const QString& GradientID, bool IsFill,
                                             TAlphaColor Color, bool UseGradient)
{
    TSVGGraphicElement* element = nullptr;
    if (!TryGetElement(ElementID, element))
        return;
    auto paint = [&](auto& Paint) {
        if (UseGradient) {
            Paint.SetURI(GradientID);
            Paint.SetKind(TBrushKind::Gradient);
        } else {
            Paint.SetURI(QString());
            Paint.SetKind(TBrushKind::Solid);
            Paint.SetColor(Color);
        }
    };
    if (IsFill)
        element->EditValues({TSVGStyleProperty::ipFill}, [&](TSVGStyleValues& Values) { paint(Values.Brush); });
    else
        element->EditValues({TSVGStyleProperty::ipStroke}, [&](TSVGStyleValues& Values) { paint(Values.Pen); });
    element->Reset();
}

} // namespace zor

namespace zor {

void TZorSVGCustomInstrument::SaveGradientColors(TSVGCustomGradient& Gradient)
{
    for (TSVGGradientStop* stop : OwnStops(Gradient))
        stop->SetTag(static_cast<std::intptr_t>(stop->StopColor()));
}

void TZorSVGCustomInstrument::RestoreGradientColors(TSVGCustomGradient& Gradient)
{
    for (TSVGGradientStop* stop : OwnStops(Gradient))
        stop->SetStopColor(static_cast<TAlphaColor>(stop->Tag()));
}

void TZorSVGCustomInstrument::ShiftGradientColors(TSVGCustomGradient& Gradient, TAlphaColor Color, int RefIndex)
{
    const std::vector<TSVGGradientStop*> stops = OwnStops(Gradient);
    SetStopColors(stops, ShiftedColors(StopColors(stops), Color, RefIndex));
}

void TZorSVGCustomInstrument::ScaleGradientColors(TSVGCustomGradient& Gradient, TAlphaColor Color, bool FromFirst)
{
    const std::vector<TSVGGradientStop*> stops = OwnStops(Gradient);
    SetStopColors(stops, ScaledColors(StopColors(stops), Color, FromFirst));
}

} // namespace zor
