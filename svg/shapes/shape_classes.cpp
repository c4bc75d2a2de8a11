#include "svg/shapes/shape_classes.h"

#include "svg/model/element_classes.h"
#include "svg/shapes/ellipse_shapes.h"
#include "svg/shapes/line.h"
#include "svg/shapes/polyline.h"
#include "svg/shapes/rectangle.h"

namespace zor {

void RegisterShapeClasses()
{
    RegisterSVGElementClass(TSVGElementType::etCircle, SVGElementClassOf<TSVGCircle>());
    RegisterSVGElementClass(TSVGElementType::etEllipse, SVGElementClassOf<TSVGEllipse>());
    RegisterSVGElementClass(TSVGElementType::etLine, SVGElementClassOf<TSVGLine>());
    RegisterSVGElementClass(TSVGElementType::etPolyline, SVGElementClassOf<TSVGPolyline>());
    RegisterSVGElementClass(TSVGElementType::etPolygon, SVGElementClassOf<TSVGPolygon>());
    RegisterSVGElementClass(TSVGElementType::etRectangle, SVGElementClassOf<TSVGRectangle>());
}

} // namespace zor
