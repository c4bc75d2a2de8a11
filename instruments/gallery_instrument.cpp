#include "instruments/gallery_instrument.h"

#include <numbers>

#include <QPainter>

#include "geometry/geometry_functions.h"
#include "instruments/layer_buffers.h"
#include "platform/exceptions.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/model/graphic_element.h"

namespace zor {

namespace {

// The stops the gradient has itself, not those it takes through href.
std::vector<TSVGGradientStop*> OwnStops(const TSVGCustomGradient& Gradient)
{
    std::vector<TSVGGradientStop*> stops;
    for (TSVGElement* child : Gradient.Items())
        if (child->SVGType() == TSVGElementType::etGradientStop)
            stops.push_back(static_cast<TSVGGradientStop*>(child));
    return stops;
}

TBrushKind KindOf(TAlphaColor Color)
{
    // Fully transparent means no paint at all, not a transparent one.
    return Color != 0 ? TBrushKind::Solid : TBrushKind::None;
}

} // namespace

TZorCustomGalleryInstrument::TZorCustomGalleryInstrument(QWidget* Parent)
    : TZorSVGCustomInstrument(Parent)
{
    InstallInstrumentAccessibility();
}

void TZorCustomGalleryInstrument::SetDefaultSize(QSize Size)
{
    // Stored as it is shown, as every free-standing instrument is.
    FDefaultSize = Size;
    resize(Size);
    SetWidth(Size.width());
    SetHeight(Size.height());
}

void TZorCustomGalleryInstrument::RaiseMissingElement(const QString&)
{
    Raise<EListError>(QString::fromLatin1(messages::ItemNotFound));
}

// --- Loading ----------------------------------------------------------------------

void TZorCustomGalleryInstrument::LoadFromResource(const QString& ResName)
{
    TZorSVGCustomInstrument::LoadFromResource(ResName);
    LivePartChanged();
    ArtworkLoaded();
    RestoreState();
}

void TZorCustomGalleryInstrument::RestoreState()
{
    ApplyParts();
    if (!EnableGradients())
        ApplyGradients(false);
    if (LightColor() != DefaultLightColor) {
        ApplyLightColor();
        SVG().Reset();
    }
    RestoreDecoration();
    ArtworkChanged();
}

void TZorCustomGalleryInstrument::RestoreDecoration()
{
    if (Decoration() != TDecoration::dcNone)
        ApplyDecoration();
}

// --- Edits by id ------------------------------------------------------------------

void TZorCustomGalleryInstrument::ShowElement(const QString& ID, bool Shown)
{
    if (TSVGGraphicElement* element = Element(ID))
        element->SetDisplay(Shown);
}

void TZorCustomGalleryInstrument::ShowElements(std::initializer_list<const char*> IDs, bool Shown)
{
    for (const char* id : IDs)
        ShowElement(QString::fromLatin1(id), Shown);
}

void TZorCustomGalleryInstrument::ApplyPaintServers(std::initializer_list<TPaintServerUse> Uses, bool Enabled)
{
    for (const TPaintServerUse& use : Uses)
        SetPaintServer(QString::fromLatin1(use.ElementID), QString::fromLatin1(use.GradientID), true, use.FlatColor,
                       Enabled);
}

void TZorCustomGalleryInstrument::SetFillOf(const QString& ID, TAlphaColor Color)
{
    TSVGGraphicElement* element = Element(ID);
    if (element == nullptr)
        return;
    element->EditValues({TSVGStyleProperty::ipFill}, [&](TSVGStyleValues& Values) {
        Values.Brush.SetKind(KindOf(Color));
        Values.Brush.SetColor(Color);
    });
    element->Reset();
}

void TZorCustomGalleryInstrument::SetStrokeOf(const QString& ID, TAlphaColor Color)
{
    TSVGGraphicElement* element = Element(ID);
    if (element == nullptr)
        return;
    element->EditValues({TSVGStyleProperty::ipStroke}, [&](TSVGStyleValues& Values) {
        Values.Pen.SetKind(KindOf(Color));
        Values.Pen.SetColor(Color);
    });
    element->Reset();
}

void TZorCustomGalleryInstrument::SetBrushColor(const QString& ID, TAlphaColor Color)
{
    TSVGGraphicElement* element = Element(ID);
    if (element == nullptr)
        return;
    element->EditValues({TSVGStyleProperty::ipFill}, [&](TSVGStyleValues& Values) { Values.Brush.SetColor(Color); });
    element->Reset();
}

void TZorCustomGalleryInstrument::SetPenColor(const QString& ID, TAlphaColor Color)
{
    TSVGGraphicElement* element = Element(ID);
    if (element == nullptr)
        return;
    element->EditValues({TSVGStyleProperty::ipStroke}, [&](TSVGStyleValues& Values) { Values.Pen.SetColor(Color); });
    element->Reset();
}

void TZorCustomGalleryInstrument::ReadFill(const QString& ID, TAlphaColor& Field) const
{
    if (const TSVGGraphicElement* element = Element(ID))
        Field = element->Brush().Color();
}

void TZorCustomGalleryInstrument::ReadStroke(const QString& ID, TAlphaColor& Field) const
{
    if (const TSVGGraphicElement* element = Element(ID))
        Field = element->Pen().Color();
}

void TZorCustomGalleryInstrument::SetTextFont(const QString& ID, const TSVGFont& Font)
{
    // The font properties an element stops inheriting when it gets a font of its own.
    static const TSVGStyleProperties fontProperties{
        TSVGStyleProperty::ipFont,        TSVGStyleProperty::ipFontFamily, TSVGStyleProperty::ipFontSize,
        TSVGStyleProperty::ipFontStyle,   TSVGStyleProperty::ipFontVariant, TSVGStyleProperty::ipFontWeight,
        TSVGStyleProperty::ipTextDecoration};
    TSVGGraphicElement* element = Element(ID);
    if (element == nullptr)
        return;
    element->EditValues(fontProperties, [&](TSVGStyleValues& Values) { Values.Font.Assign(&Font); });
    element->Reset();
}

// --- Gradients --------------------------------------------------------------------

void TZorCustomGalleryInstrument::ReadStopColor(const QString& GradientID, int Index, TAlphaColor& Field) const
{
    const auto* gradient = Element<TSVGCustomGradient>(GradientID);
    if (gradient == nullptr)
        return;
    const std::vector<TSVGGradientStop*> stops = OwnStops(*gradient);
    const auto at = Index == LastStop ? static_cast<std::ptrdiff_t>(stops.size()) - 1 : Index;
    if (at >= 0 && at < static_cast<std::ptrdiff_t>(stops.size()))
        Field = stops[static_cast<std::size_t>(at)]->StopColor();
}

void TZorCustomGalleryInstrument::SaveGradient(const QString& GradientID)
{
    if (auto* gradient = Element<TSVGCustomGradient>(GradientID))
        SaveGradientColors(*gradient);
}

void TZorCustomGalleryInstrument::RecolourGradient(const QString& GradientID, TAlphaColor Color, TRecolouring How)
{
    auto* gradient = Element<TSVGCustomGradient>(GradientID);
    if (gradient == nullptr)
        return;
    RestoreGradientColors(*gradient);
    switch (How.Kind) {
    case TRecolouring::TKind::rkScaleFromFirst:
        ScaleGradientColors(*gradient, Color, true);
        break;
    case TRecolouring::TKind::rkScaleFromLast:
        ScaleGradientColors(*gradient, Color, false);
        break;
    case TRecolouring::TKind::rkShift:
        ShiftGradientColors(*gradient, Color, How.RefIndex);
        break;
    }
}

void TZorCustomGalleryInstrument::SetStopColor(const QString& GradientID, int Index, TAlphaColor Color)
{
    const auto* gradient = Element<TSVGCustomGradient>(GradientID);
    if (gradient == nullptr)
        return;
    const std::vector<TSVGGradientStop*> stops = OwnStops(*gradient);
    if (Index >= 0 && static_cast<std::size_t>(Index) < stops.size())
        stops[static_cast<std::size_t>(Index)]->SetStopColor(Color);
}

void TZorCustomGalleryInstrument::SetStopColors(const QString& GradientID, std::initializer_list<TAlphaColor> Colors)
{
    const auto* gradient = Element<TSVGCustomGradient>(GradientID);
    if (gradient == nullptr)
        return;
    const std::vector<TSVGGradientStop*> stops = OwnStops(*gradient);
    std::size_t i = 0;
    for (TAlphaColor color : Colors) {
        if (i >= stops.size())
            break;
        stops[i++]->SetStopColor(color);
    }
}

void TZorCustomGalleryInstrument::SetEveryStop(const QString& GradientID, TAlphaColor Color)
{
    if (const auto* gradient = Element<TSVGCustomGradient>(GradientID))
        for (TSVGGradientStop* stop : OwnStops(*gradient))
            stop->SetStopColor(Color);
}

// --- Turning ------------------------------------------------------------------------

std::optional<QPointF> TZorCustomGalleryInstrument::CentreOf(const QString& ID, bool WithOwnTransform) const
{
    const TSVGGraphicElement* element = Element(ID);
    if (element == nullptr)
        return std::nullopt;
    const QRectF bounds = WithOwnTransform ? element->GetBoundsRect(QTransform()) : element->BoundsRect();
    if (bounds.isNull() || !bounds.isValid())
        return std::nullopt;
    return bounds.center();
}

void TZorCustomGalleryInstrument::TurnElement(const QString& ID, QPointF Pivot, double Degrees)
{
    if (TSVGGraphicElement* element = Element(ID))
        element->SetMatrix(RotationMatrixAbout(Pivot, Degrees * std::numbers::pi / 180));
}

// --- Repainting ---------------------------------------------------------------------

void TZorCustomGalleryInstrument::ArtworkChanged()
{
    InvalidateBuffers();
    LivePartChanged();
}

void TZorCustomGalleryInstrument::LivePartChanged()
{
    FSprites.Invalidate();
    FPoseKey.Valid = false;
    FLivePicture.Invalidate();
    Repaint();
}

void TZorCustomGalleryInstrument::LivePartMoved()
{
    const std::vector<TSVGGraphicElement*> rotors = Rotors();
    if (!rotors.empty()) {
        // The rotors' pictures stay; a null area repaints the whole control.
        const bool pictures = MayPaintActiveElementFromPicture() && !NeedBuffers();
        RepaintArea(pictures ? FSprites.MovedArea(SVG(), rotors, Quality(), Buffers().Background().cacheKey())
                             : QRectF());
        return;
    }
    FLivePicture.Invalidate();
    Repaint();
}

void TZorCustomGalleryInstrument::LivePartMovedWithin(const QRectF& DocumentArea)
{
    if (DocumentArea.isNull() || !Rotors().empty()) {
        LivePartMoved();
        return;
    }
    FLivePicture.InvalidateArea(DocumentArea);
    RepaintArea(DocumentArea);
}

QRectF TZorCustomGalleryInstrument::AreaOf(const TSVGGraphicElement& Element)
{
    return Element.AbsoluteMatrix().mapRect(Element.BoundsRect());
}

std::vector<TSVGGraphicElement*> TZorCustomGalleryInstrument::ShownChildren(const QString& ID) const
{
    std::vector<TSVGGraphicElement*> shown;
    const TSVGGraphicElement* parent = Element(ID);
    if (parent == nullptr || !parent->Display())
        return shown;
    for (TSVGElement* child : parent->Items())
        if (TSVGGraphicElement* part = child->AsGraphicElement(); part != nullptr && part->Display())
            shown.push_back(part);
    return shown;
}

void TZorCustomGalleryInstrument::PaintActiveElement(QPainter& Painter, const QRect& Target)
{
    // Pictures stand in for the live part only where that cannot be told
    // apart: at quality 1 it is drawn as vectors, and while a caller listens
    // to the drawing events every element is drawn for it to see.
    if (!MayPaintActiveElementFromPicture()) {
        TZorSVGCustomInstrument::PaintActiveElement(Painter, Target);
        return;
    }
    const std::vector<TSVGGraphicElement*> rotors = Rotors();
    if (rotors.empty())
        FLivePicture.Paint(Painter, SVG(), *ActiveSVGElement(), Target, Quality(), Buffers().Background().cacheKey());
    else
        PaintRotors(Painter, Target, rotors);
}

void TZorCustomGalleryInstrument::PaintRotors(QPainter& Painter, const QRect& Target,
                                              const std::vector<TSVGGraphicElement*>& Rotors)
{
    const qint64 layers = Buffers().Background().cacheKey();
    if (HasPicturePose() &&
        !(FPoseKey.Valid && FPoseKey.LayerKey == layers && FPoseKey.Size == Target.size() &&
          FPoseKey.Quality == Quality())) {
        // The pictures are drawn in the instrument's pose for them, into a
        // painter that keeps nothing; the paint below copies them as the
        // rotors stand now.
        QImage nowhere(1, 1, QImage::Format_ARGB32_Premultiplied);
        QPainter priming(&nowhere);
        PoseForPictures(true);
        try {
            FSprites.Paint(priming, SVG(), Rotors, Target, Quality(), layers);
        } catch (...) {
            PoseForPictures(false);
            throw;
        }
        PoseForPictures(false);
        FPoseKey = {layers, Target.size(), Quality(), true};
    }
    FSprites.Paint(Painter, SVG(), Rotors, Target, Quality(), layers);
}

} // namespace zor
