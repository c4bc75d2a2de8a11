#include "svg/shapes/ellipse_shapes.h"

#include <cmath>

#include "geometry/path_data.h"
#include "platform/update_scope.h"
#include "svg/model/element_types.h"
#include "svg/model/viewport.h"
#include "svg/shapes/shape_outlines.h"

namespace zor {

namespace {

// The box around an ellipse, or an empty box at its centre when a radius
// disables drawing.
QRectF EllipseBounds(QPointF Center, double Rx, double Ry)
{
    if (!(Rx > 0) || !(Ry > 0))
        return QRectF(Center, QSizeF(0, 0));
    return QRectF(Center.x() - Rx, Center.y() - Ry, 2 * Rx, 2 * Ry);
}

} // namespace

// --- TSVGCircle ---------------------------------------------------------------

TSVGElementType TSVGCircle::SVGType() const
{
    return TSVGElementType::etCircle;
}

TSVGElementTypes TSVGCircle::ChildSVGTypes() const
{
    return DescriptiveTypes();
}

void TSVGCircle::SetRadius(const TSVGLength& Value)
{
    TUpdateScope update(*this);
    SetWidthU(Value);
    SetHeightU(Value);
}

float TSVGCircle::RadiusValue() const
{
    const TSVGLength& radius = WidthU();
    if (!radius.IsPercent())
        return radius.GetValue();
    const TSVGCustomViewBox* viewport = GetNearestViewBox();
    if (viewport == nullptr)
        return radius.Pixels();
    const QSizeF size = viewport->ViewBox().Rect().size();
    return radius.Pixels() * float(std::sqrt((size.width() * size.width() + size.height() * size.height()) / 2));
}

QRectF TSVGCircle::BoundsRect() const
{
    const float r = RadiusValue();
    return EllipseBounds(QPointF(X(), Y()), r, r);
}

std::unique_ptr<TSVGElement> TSVGCircle::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGCircle>(aOwner);
}

void TSVGCircle::BuildShape(TZorPathData& Shape) const
{
    const float r = RadiusValue();
    AddEllipseOutline(Shape, QPointF(X(), Y()), r, r);
}

// --- TSVGEllipse --------------------------------------------------------------

TSVGElementType TSVGEllipse::SVGType() const
{
    return TSVGElementType::etEllipse;
}

TSVGElementTypes TSVGEllipse::ChildSVGTypes() const
{
    return DescriptiveTypes();
}

QRectF TSVGEllipse::BoundsRect() const
{
    return EllipseBounds(QPointF(X(), Y()), WidthU().GetValue(), HeightU().GetValue());
}

std::unique_ptr<TSVGElement> TSVGEllipse::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGEllipse>(aOwner);
}

void TSVGEllipse::BuildShape(TZorPathData& Shape) const
{
    AddEllipseOutline(Shape, QPointF(X(), Y()), WidthU().GetValue(), HeightU().GetValue());
}

} // namespace zor
