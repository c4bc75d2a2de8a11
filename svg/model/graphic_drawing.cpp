// Drawing a graphic element: the fixed order of steps, paints and opacity,
// the drawing events, and drawing one element with what its ancestors give it.

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "geometry/path_data.h"
#include "svg/model/document.h"
#include "svg/model/graphic_element.h"
#include "svg/model/viewport.h"
#include "svg/render/clip_region.h"
#include "svg/render/disabled_appearance.h"
#include "svg/render/render_context.h"
#include "svg/render/transformed_path.h"
#include "svg/render/transparent_layer.h"

namespace zor {

namespace {

bool HasPercentages(const TSVGPen& Pen)
{
    const std::vector<bool>& dashes = Pen.DashArrayIsPercent();
    return Pen.ThicknessIsPercent() || Pen.SVGDashOffset().IsPercent()
        || std::find(dashes.begin(), dashes.end(), true) != dashes.end();
}

// The paint of a fill or stroke that names a paint server.
template <typename Paint>
TRenderPaint ServerPaint(const Paint& Source, const QRectF& BoundingBox, const TPaintServerResolver& Servers)
{
    return ResolvePaint(Source, BoundingBox, Servers,
                        Source.HasFallback() ? TMissingPaintServer::mpsFallbackColor : TMissingPaintServer::mpsNone);
}

// The one graphic child of Element, when it has exactly one.
const TSVGGraphicElement* OnlyGraphicChild(const TSVGGraphicElement& Element)
{
    const TSVGGraphicElement* only = nullptr;
    for (const TSVGElement* child : Element.Items())
        if (const TSVGGraphicElement* graphic = child->AsGraphicElement()) {
            if (only != nullptr)
                return nullptr;
            only = graphic;
        }
    return only;
}

} // namespace

// How an element's opacity and clip reach what it draws. A branch that
// paints more than one part is drawn into a layer composited once, so that
// its parts do not show through each other; a branch that paints one part
// (one child without children of its own) folds the opacity into that part's
// paint. A single element passes its opacity to FillAndStroke instead. A
// clipped element is drawn into a layer composited through its clip region,
// which takes the branch's opacity too.
class TBranchLayer {
public:
    TBranchLayer(const TSVGGraphicElement& Element, bool DrawsBranch, TRenderContext& Canvas,
                 const TClipRegion* Clip)
    {
        const double opacity = DrawsBranch ? Element.Opacity() : 1.0;
        if (Clip != nullptr) {
            FLayer.emplace(Canvas, opacity, QRectF(), Clip);
            return;
        }
        if (opacity >= 1)
            return;
        const TSVGGraphicElement* only = OnlyGraphicChild(Element);
        if (only != nullptr && only->Items().IsEmpty() && Element.GetShape().IsEmpty())
            FFolded.emplace(Canvas, opacity);
        else
            FLayer.emplace(Canvas, opacity);
    }

private:
    std::optional<TFoldedOpacity> FFolded;
    std::optional<TTransparentLayer> FLayer;
};

bool TSVGGraphicElement::ShouldDraw()
{
    bool doDraw = IsRenderable();
    if (TSVGDocument* document = ReportingDocument())
        Fire(document->OnShouldDraw, this, doDraw);
    return doDraw;
}

void TSVGGraphicElement::Draw(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect)
{
    if (ShouldDraw())
        DrawTransformed(aMatrix, Canvas, aRect);
}

void TSVGGraphicElement::Draw(TRenderContext& Canvas, const QRectF& aRect)
{
    Draw(GetViewMatrix(aRect), Canvas, aRect);
}

void TSVGGraphicElement::DrawTransformed(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect)
{
    const QTransform M = Matrix() * aMatrix;
    const std::shared_ptr<const TClipRegion> clip = ClipRegion(M);
    {
        const TCanvasStateGuard state(Canvas);
        const TBranchLayer layer(*this, DrawsBranch(), Canvas, clip.get());
        if (BeginDraw(M, Canvas, aRect))
            DrawShape(M, Canvas, aRect);
        DrawChildren(M, Canvas, aRect);
    }
    // After the state is restored, and only on the normal path: a handler's
    // error is the caller's, and an error already on its way stays alone.
    EndDraw(M, Canvas, aRect);
}

bool TSVGGraphicElement::BeginDraw(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    const TPaintTarget target{M * Canvas.BaseTransform()};
    TPaintCache scratch;
    const TPaintCache& paints = PaintsForDrawing(scratch);
    Canvas.SetFill(FillPaint(target, paints));
    Canvas.SetStroke(StrokePaint(target, paints), paints.Style);
    // Markers of a disabled element are drawn for it: gray as well.
    if ((!IsEnabled() || Canvas.DrawsDisabled()) && DoDisableAppearance(M, Canvas, aRect))
        ApplyDisabledAppearance(Canvas);
    return DoDrawing(M, Canvas, aRect);
}

bool TSVGGraphicElement::DrawShape(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    if (!Visible())
        return false;
    TZorPathData scratch;
    const TZorPathData& shape = ShapeForDrawing(scratch);
    if (shape.IsEmpty())
        return false;
    const bool marked = PlacesMarkers()
        && !(MarkerStartURI().isEmpty() && MarkerMidURI().isEmpty() && MarkerEndURI().isEmpty());
    if (!marked) {
        FillAndStroke(shape, M, Canvas);
        return true;
    }
    // The element's opacity covers its markers too: the outline and the
    // markers are composited as one.
    const TTransparentLayer layer(Canvas, DrawsBranch() ? 1.0 : Opacity());
    TTransformedPath mapped;
    Canvas.FillAndStroke(MappedOutline(shape, M, mapped), 1.0);
    DrawMarkers(shape, M, Canvas, aRect);
    return true;
}

void TSVGGraphicElement::DrawChildren(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    for (TSVGElement* child : Items())
        if (TSVGGraphicElement* graphic = child->AsGraphicElement())
            graphic->Draw(M, Canvas, aRect);
}

void TSVGGraphicElement::EndDraw(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    DoDrawn(M, Canvas, aRect);
}

bool TSVGGraphicElement::DrawsBranch() const
{
    return std::any_of(Items().begin(), Items().end(),
                       [](const TSVGElement* child) { return child->AsGraphicElement() != nullptr; });
}

void TSVGGraphicElement::FillAndStroke(const TZorPathData& Outline, const QTransform& M, TRenderContext& Canvas)
{
    // A branch's opacity is applied around all it draws.
    TTransformedPath scratch;
    Canvas.FillAndStroke(MappedOutline(Outline, M, scratch), DrawsBranch() ? 1.0 : Opacity());
}

const TZorPathData& TSVGGraphicElement::ShapeForDrawing(TZorPathData& Scratch) const
{
    if (FShape || FOutlineDrawn)
        return GetShape();
    FOutlineDrawn = true;
    BuildShape(Scratch);
    return Scratch;
}

const TTransformedPath& TSVGGraphicElement::MappedOutline(const TZorPathData& Outline, const QTransform& M,
                                                          TTransformedPath& Scratch) const
{
    if (FDrawnPath || FMappedDrawn)
        return MappedOutline(Outline, M);
    FMappedDrawn = true;
    Scratch.Update(Outline, M);
    if (const TSVGFillRule rule = FillRule(); rule != TSVGFillRule::frNone)
        Scratch.SetFillRule(rule == TSVGFillRule::frEvenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    return Scratch;
}

const TTransformedPath& TSVGGraphicElement::MappedOutline(const TZorPathData& Outline, const QTransform& M) const
{
    if (!FDrawnPath)
        FDrawnPath = std::make_unique<TTransformedPath>();
    FDrawnPath->Update(Outline, M);
    if (const TSVGFillRule rule = FillRule(); rule != TSVGFillRule::frNone)
        FDrawnPath->SetFillRule(rule == TSVGFillRule::frEvenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    return *FDrawnPath;
}

TRenderPaint TSVGGraphicElement::FillPaint(const TPaintTarget& Target) const
{
    const TSVGBrush& brush = Brush();
    return brush.URI().isEmpty() ? CachedPaints().Fill : ServerPaint(brush, BoundsRect(), PaintServers(Target));
}

TRenderPaint TSVGGraphicElement::StrokePaint(const TPaintTarget& Target) const
{
    const TSVGPen& pen = Pen();
    return pen.URI().isEmpty() ? CachedPaints().Stroke : ServerPaint(pen, BoundsRect(), PaintServers(Target));
}

TRenderPaint TSVGGraphicElement::FillPaint(const TPaintTarget& Target, const TPaintCache& Paints) const
{
    const TSVGBrush& brush = Brush();
    return brush.URI().isEmpty() ? Paints.Fill : ServerPaint(brush, BoundsRect(), PaintServers(Target));
}

TRenderPaint TSVGGraphicElement::StrokePaint(const TPaintTarget& Target, const TPaintCache& Paints) const
{
    const TSVGPen& pen = Pen();
    return pen.URI().isEmpty() ? Paints.Stroke : ServerPaint(pen, BoundsRect(), PaintServers(Target));
}

const TStrokeStyle& TSVGGraphicElement::StrokeStyle() const
{
    return CachedPaints().Style;
}

const TSVGGraphicElement::TPaintCache& TSVGGraphicElement::CachedPaints() const
{
    ResolvedValues();
    if (!FPaints)
        FPaints = std::make_unique<TPaintCache>();
    if (FPaints->Generation != FValuesGeneration)
        ResolvePaints(*FPaints);
    return *FPaints;
}

const TSVGGraphicElement::TPaintCache& TSVGGraphicElement::PaintsForDrawing(TPaintCache& Scratch) const
{
    if (FPaints || FPaintsDrawn)
        return CachedPaints();
    FPaintsDrawn = true;
    ResolvePaints(Scratch);
    return Scratch;
}

void TSVGGraphicElement::ResolvePaints(TPaintCache& Paints) const
{
    const TSVGStyleValues& values = ResolvedValues();
    Paints.Fill = ResolvePaint(values.Brush, QRectF(), {}, TMissingPaintServer::mpsNone);
    Paints.Stroke = ResolvePaint(values.Pen, QRectF(), {}, TMissingPaintServer::mpsNone);
    std::optional<QSizeF> percentBase;
    if (HasPercentages(values.Pen))
        if (const TSVGCustomViewBox* viewport = GetNearestViewBox())
            percentBase = viewport->ViewBox().Rect().size();
    Paints.Style = StrokeStyleOf(values.Pen, values.VectorEffect, percentBase);
    Paints.Generation = FValuesGeneration;
}

TPaintServerResolver TSVGGraphicElement::PaintServers(const TPaintTarget& Target) const
{
    return [this, Target](const QString& URI) -> TPaintServer {
        const TSVGElement* element = FindReferencedElement(URI);
        if (element == nullptr)
            return {};
        // Gradients answer at once; another class that serves paints is found by a cast.
        const TSVGPaintServerElement* server = element->AsPaintServer();
        if (server == nullptr)
            server = dynamic_cast<const TSVGPaintServerElement*>(element);
        if (server != nullptr)
            return server->PaintServer(*this, Target);
        return {};
    };
}

// --- Events -------------------------------------------------------------------

TSVGDocument* TSVGGraphicElement::ReportingDocument()
{
    TSVGDocument* document = ChildOwner();
    while (document != nullptr && document->Owner() != nullptr)
        document = document->Owner();
    return document;
}

bool TSVGGraphicElement::DoDrawing(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    bool doDraw = true;
    if (TSVGDocument* document = ReportingDocument())
        Fire(document->OnDrawing, this, M, Canvas, aRect, doDraw);
    return doDraw;
}

void TSVGGraphicElement::DoDrawn(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    if (TSVGDocument* document = ReportingDocument())
        Fire(document->OnDrawn, this, M, Canvas, aRect);
}

bool TSVGGraphicElement::DoDisableAppearance(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect)
{
    bool doDefault = true;
    if (TSVGDocument* document = ReportingDocument())
        Fire(document->OnDisableAppearance, this, M, Canvas, aRect, doDefault);
    return doDefault;
}

// --- One element with its ancestors ---------------------------------------------

void TSVGGraphicElement::DrawElement(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect)
{
    std::vector<TSVGGraphicElement*> ancestors;
    for (TSVGGraphicElement* e = GetGraphicParent(); e != nullptr; e = e->GetGraphicParent())
        ancestors.push_back(e);
    std::ranges::reverse(ancestors);

    const TCanvasStateGuard state(Canvas);
    QTransform M = aMatrix;
    double opacity = 1;
    std::shared_ptr<const TClipRegion> clip;
    for (std::size_t i = 0; i < ancestors.size(); ++i) {
        const TSVGGraphicElement& child = i + 1 < ancestors.size() ? *ancestors[i + 1] : *this;
        if (!ancestors[i]->ApplyAncestorTransforms(child, M, Canvas, aRect))
            return;
        opacity *= ancestors[i]->Opacity();
        // M is now the ancestor's own drawing matrix, which its clip is in.
        clip = TClipRegion::Intersection(std::move(clip), ancestors[i]->ClipRegion(M));
    }
    std::optional<TTransparentLayer> clipped;
    if (clip)
        clipped.emplace(Canvas, 1.0, QRectF(), clip.get());
    // Drawn alone, the element cannot be composited with its ancestors'
    // other content: their opacity is folded into it.
    const TFoldedOpacity folded(Canvas, opacity);
    Draw(M, Canvas, aRect);
}

bool TSVGGraphicElement::ApplyAncestorTransforms(const TSVGGraphicElement&, QTransform& M, TRenderContext&,
                                                 const QRectF&)
{
    if (!ShouldDraw())
        return false;
    M = Matrix() * M;
    return true;
}

} // namespace zor
