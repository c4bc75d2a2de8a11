#include "svg/shapes/line.h"

#include "geometry/path_data.h"
#include "svg/model/element_types.h"

namespace zor {

TSVGElementType TSVGLine::SVGType() const
{
    return TSVGElementType::etLine;
}

TSVGElementTypes TSVGLine::ChildSVGTypes() const
{
    return DescriptiveTypes();
}

QPointF TSVGLine::StartPoint() const
{
    return QPointF(Xu().GetValue(), Yu().GetValue());
}

QPointF TSVGLine::EndPoint() const
{
    return QPointF(WidthU().GetValue(), HeightU().GetValue());
}

QRectF TSVGLine::BoundsRect() const
{
    return QRectF(StartPoint(), EndPoint()).normalized();
}

std::unique_ptr<TSVGElement> TSVGLine::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGLine>(aOwner);
}

bool TSVGLine::PlacesMarkers() const
{
    return true;
}

void TSVGLine::BuildShape(TZorPathData& Shape) const
{
    const QPointF start = StartPoint();
    const QPointF end = EndPoint();
    if (start == end)
        return;
    Shape.MoveTo(start);
    Shape.LineTo(end);
}

} // namespace zor
