#include "svg/shapes/polyline.h"

#include "geometry/path_data.h"
#include "platform/update_scope.h"
#include "svg/model/element_types.h"

namespace zor {

// --- TSVGPolyline -------------------------------------------------------------

TSVGElementType TSVGPolyline::SVGType() const
{
    return TSVGElementType::etPolyline;
}

TSVGElementTypes TSVGPolyline::ChildSVGTypes() const
{
    return DescriptiveTypes();
}

void TSVGPolyline::SetPoints(const TCanvasPoints& Value)
{
    if (Value == FPoints)
        return;
    FPoints = Value;
    Changed(this);
}

QString TSVGPolyline::Polygon() const
{
    // The number format documents write with.
    return FormatPoints(FPoints, QStringLiteral("0.###"));
}

void TSVGPolyline::SetPolygon(QStringView Value)
{
    SetPoints(ParsePoints(Value));
}

QRectF TSVGPolyline::BoundsRect() const
{
    return FPoints.boundingRect();
}

void TSVGPolyline::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    SetPoints({});
}

void TSVGPolyline::AssignProperties(const TSVGElement* Source)
{
    if (const auto* polyline = dynamic_cast<const TSVGPolyline*>(Source); polyline != nullptr && polyline != this)
        SetPoints(polyline->FPoints);
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGPolyline::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGPolyline>(aOwner);
}

bool TSVGPolyline::PlacesMarkers() const
{
    return true;
}

void TSVGPolyline::BuildShape(TZorPathData& Shape) const
{
    if (FPoints.size() < 2)
        return;
    Shape.MoveTo(FPoints.front());
    for (qsizetype i = 1; i < FPoints.size(); ++i)
        Shape.LineTo(FPoints[i]);
}

// --- TSVGPolygon --------------------------------------------------------------

TSVGElementType TSVGPolygon::SVGType() const
{
    return TSVGElementType::etPolygon;
}

std::unique_ptr<TSVGElement> TSVGPolygon::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGPolygon>(aOwner);
}

void TSVGPolygon::BuildShape(TZorPathData& Shape) const
{
    Inherited::BuildShape(Shape);
    if (!Shape.IsEmpty())
        Shape.ClosePath();
}

} // namespace zor
