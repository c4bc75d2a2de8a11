#pragma once
// The circle and the ellipse. Their lengths are the graphic element's own:
// the centre is x and y, the radii width and height. A radius that is
// negative or 0 disables the drawing of the shape.

#include <memory>

#include "svg/model/graphic_element.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGCircle : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // cx, cy and r; setting one copies Value.
    TSVGLength& CenterX() { return Xu(); }
    const TSVGLength& CenterX() const { return Xu(); }
    void SetCenterX(const TSVGLength& Value) { SetXu(Value); }
    TSVGLength& CenterY() { return Yu(); }
    const TSVGLength& CenterY() const { return Yu(); }
    void SetCenterY(const TSVGLength& Value) { SetYu(Value); }
    const TSVGLength& Radius() const { return WidthU(); }
    // The height length keeps a copy of the radius.
    void SetRadius(const TSVGLength& Value);

    // r in user units; a percentage is one of the normalised diagonal of the
    // viewport around, √((w² + h²) / 2).
    float RadiusValue() const;

    // The square around the circle; an empty one at the centre when the
    // radius disables drawing.
    QRectF BoundsRect() const override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    void BuildShape(TZorPathData& Shape) const override;
    // cx, cy and r, each 0 when not given.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
};

class TSVGEllipse : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // cx, cy, rx and ry (percentages of the viewport's width and height).
    TSVGLength& CenterX() { return Xu(); }
    const TSVGLength& CenterX() const { return Xu(); }
    void SetCenterX(const TSVGLength& Value) { SetXu(Value); }
    TSVGLength& CenterY() { return Yu(); }
    const TSVGLength& CenterY() const { return Yu(); }
    void SetCenterY(const TSVGLength& Value) { SetYu(Value); }
    TSVGLength& RadiusX() { return WidthU(); }
    const TSVGLength& RadiusX() const { return WidthU(); }
    void SetRadiusX(const TSVGLength& Value) { SetWidthU(Value); }
    TSVGLength& RadiusY() { return HeightU(); }
    const TSVGLength& RadiusY() const { return HeightU(); }
    void SetRadiusY(const TSVGLength& Value) { SetHeightU(Value); }

    QRectF BoundsRect() const override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    void BuildShape(TZorPathData& Shape) const override;
    // cx, cy, rx and ry, each 0 when not given.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
};

} // namespace zor
