#pragma once
// The line: x1, y1, x2, y2 are the graphic element's x, y, width and height
// lengths (percentages of the viewport's width or height).

#include <memory>

#include "svg/model/graphic_element.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGLine : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // Setting a coordinate copies Value.
    TSVGLength& StartX() { return Xu(); }
    const TSVGLength& StartX() const { return Xu(); }
    void SetStartX(const TSVGLength& Value) { SetXu(Value); }
    TSVGLength& StartY() { return Yu(); }
    const TSVGLength& StartY() const { return Yu(); }
    void SetStartY(const TSVGLength& Value) { SetYu(Value); }
    TSVGLength& EndX() { return WidthU(); }
    const TSVGLength& EndX() const { return WidthU(); }
    void SetEndX(const TSVGLength& Value) { SetWidthU(Value); }
    TSVGLength& EndY() { return HeightU(); }
    const TSVGLength& EndY() const { return HeightU(); }
    void SetEndY(const TSVGLength& Value) { SetHeightU(Value); }

    // The end points in user units.
    QPointF StartPoint() const;
    QPointF EndPoint() const;

    // The rectangle spanned by the end points; it has no width for a
    // vertical line and no height for a horizontal one, so that a
    // gradient in bounding-box units paints nothing on them.
    QRectF BoundsRect() const override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    // Markers go on the vertices of the outline.
    bool PlacesMarkers() const override;
    // A move to the start and a line to the end; nothing when both are the same point.
    void BuildShape(TZorPathData& Shape) const override;
    // x1, y1, x2 and y2, each 0 when not given.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
};

} // namespace zor
