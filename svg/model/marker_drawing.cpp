// Markers at the vertices of an outline: where each instance goes, how it
// is drawn and how it is hit.

#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/geometry_functions.h"
#include "geometry/path_data.h"
#include "geometry/path_vertices.h"
#include "svg/model/marker.h"
#include "svg/render/render_context.h"

namespace zor {

namespace {

// The markers being drawn on this thread, outermost first, and the
// instances placed inside the markers of the outermost marked element.
thread_local std::vector<const TSVGMarker*> ActiveMarkers;
thread_local int NestedInstances = 0;

// One marker instance of an outline.
struct TMarkerInstance {
    TSVGMarker* Marker;
    TPathVertex Vertex;
};

} // namespace

// --- TMarkerExpansion ---------------------------------------------------------

TMarkerExpansion::TMarkerExpansion(const TSVGMarker& Marker)
{
    if (std::ranges::find(ActiveMarkers, &Marker) != ActiveMarkers.end()
        || ActiveMarkers.size() >= std::size_t(TSVGMarker::MaxNesting))
        return;
    if (!ActiveMarkers.empty() && ++NestedInstances > TSVGMarker::MaxNestedInstances)
        return;
    ActiveMarkers.push_back(&Marker);
    FEntered = true;
}

TMarkerExpansion::~TMarkerExpansion()
{
    if (FEntered)
        ActiveMarkers.pop_back();
}

void TMarkerExpansion::StartElement()
{
    if (ActiveMarkers.empty())
        NestedInstances = 0;
}

// --- TSVGMarker ---------------------------------------------------------------

std::optional<QTransform> TSVGMarker::InstanceMatrix(QPointF aPoint, double Angle, double StrokeWidth,
                                                     QTransform& ClipSpace, QRectF& ClipRect) const
{
    const double scale = FUnits == TSVGMarkerUnit::muUserSpaceOnUse ? 1 : StrokeWidth;
    const QRectF viewport(0, 0, FMarkerWidth->GetValue(), FMarkerHeight->GetValue());
    const bool drawable = viewport.width() > 0 && viewport.height() > 0 && scale > 0;
    if (!drawable || !std::isfinite(viewport.width() * viewport.height() * scale) || !std::isfinite(Angle))
        return std::nullopt;
    const std::optional<QTransform> view = ViewMatrix(viewport);
    if (!view)
        return std::nullopt;
    // The reference point, in viewport units, goes onto the vertex; the
    // viewport is scaled by the stroke width and turned about the vertex.
    const QPointF reference = view->map(QPointF(FRefX->GetValue(), FRefY->GetValue()));
    ClipSpace = TranslationMatrix(-reference.x(), -reference.y()) * ScalingMatrix(scale, scale)
        * RotationMatrix(Angle) * TranslationMatrix(aPoint.x(), aPoint.y());
    ClipRect = viewport;
    return *view * ClipSpace;
}

void TSVGMarker::Draw(const TSVGGraphicElement& Referrer, QPointF aPoint, double Angle, double StrokeWidth,
                      const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect)
{
    const TMarkerExpansion expansion(*this);
    if (!expansion.Entered())
        return;
    QTransform clipSpace;
    QRectF clipRect;
    const std::optional<QTransform> content = InstanceMatrix(aPoint, Angle, StrokeWidth, clipSpace, clipRect);
    if (!content)
        return;
    const TCanvasStateGuard state(Canvas);
    if (ClipsContent())
        Canvas.IntersectClipRect(clipRect, clipSpace * aMatrix);
    // The referrer's state reaches the drawing, not the marker: drawing
    // changes no element.
    std::optional<TDisabledDrawing> disabled;
    if (!Referrer.IsEnabled())
        disabled.emplace(Canvas);
    DrawTransformed(*content * aMatrix, Canvas, aRect);
}

TSVGGraphicElement* TSVGMarker::MarkerAtPos(QPointF aPoint, double Angle, double StrokeWidth,
                                            const QTransform& aMatrix, const QPointF& PosPt, const QRectF& aRect,
                                            TSVGFindOptions Options)
{
    const TMarkerExpansion expansion(*this);
    if (!expansion.Entered())
        return nullptr;
    QTransform clipSpace;
    QRectF clipRect;
    const std::optional<QTransform> content = InstanceMatrix(aPoint, Angle, StrokeWidth, clipSpace, clipRect);
    if (!content)
        return nullptr;
    // What the clip hides is not there to hit.
    if (ClipsContent() && !(clipSpace * aMatrix).map(QPolygonF(clipRect)).containsPoint(PosPt, Qt::OddEvenFill))
        return nullptr;
    return FindElementAtPos(*content * aMatrix, PosPt, aRect, Options);
}

// --- Marked elements ----------------------------------------------------------

namespace {

// The instances of the markers Element names at the vertices of Outline, in
// drawing order.
std::vector<TMarkerInstance> MarkerInstances(const TSVGGraphicElement& Element, const TZorPathData& Outline)
{
    const std::array<QString, EnumCount(TVertexPlace{})> names = {
        Element.MarkerStartURI(), Element.MarkerMidURI(), Element.MarkerEndURI()};
    if (std::ranges::all_of(names, [](const QString& Name) { return Name.isEmpty(); }))
        return {};
    std::array<TSVGMarker*, EnumCount(TVertexPlace{})> markers{};
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!names[i].isEmpty())
            markers[i] = dynamic_cast<TSVGMarker*>(Element.FindReferencedElement(names[i]));
    std::vector<TMarkerInstance> instances;
    for (const TPathVertex& vertex : PathVertices(Outline.PointList()))
        if (TSVGMarker* marker = markers[std::size_t(vertex.Place)])
            instances.push_back({marker, vertex});
    return instances;
}

double InstanceAngle(const TMarkerInstance& Instance)
{
    return Instance.Marker->InstanceAngle(Instance.Vertex.Angle(), Instance.Vertex.Place == TVertexPlace::vpStart);
}

} // namespace

bool TSVGGraphicElement::PlacesMarkers() const
{
    return false;
}

void TSVGGraphicElement::DrawMarkers(const TZorPathData& Outline, const QTransform& M, TRenderContext& Canvas,
                                     const QRectF& aRect)
{
    TMarkerExpansion::StartElement();
    const double strokeWidth = StrokeStyle().Width;
    for (const TMarkerInstance& instance : MarkerInstances(*this, Outline))
        instance.Marker->Draw(*this, instance.Vertex.Point, InstanceAngle(instance), strokeWidth, M, Canvas, aRect);
}

TSVGGraphicElement* TSVGGraphicElement::MarkerAtPos(const TZorPathData& Outline, const QTransform& M,
                                                    const QPointF& Pt, const QRectF& aRect, TSVGFindOptions Options)
{
    TMarkerExpansion::StartElement();
    const double strokeWidth = StrokeStyle().Width;
    const std::vector<TMarkerInstance> instances = MarkerInstances(*this, Outline);
    // Topmost first: the last instance is drawn last.
    for (auto instance = instances.rbegin(); instance != instances.rend(); ++instance)
        if (instance->Marker->MarkerAtPos(instance->Vertex.Point, InstanceAngle(*instance), strokeWidth, M, Pt, aRect,
                                          Options)
            != nullptr)
            return DoElementFound(this);
    return nullptr;
}

} // namespace zor
