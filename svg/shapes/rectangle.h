#pragma once
// The rectangle, with corners rounded by rx and ry.

#include <QSizeF>
#include <memory>

#include "svg/model/graphic_element.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGRectangle : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    explicit TSVGRectangle(TSVGDocument* aOwner);
    ~TSVGRectangle() override;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // The corner radii as given (percentages of the viewport's width and
    // height); setting one copies Value and marks it given.
    // Made when first asked for to be changed; until then they read as 0.
    TSVGLength& RX() { return Radius(FRX, TLengthMeasure::lmHorizontal); }
    const TSVGLength& RX() const { return RadiusOrUnset(FRX); }
    void SetRX(const TSVGLength& Value);
    TSVGLength& RY() { return Radius(FRY, TLengthMeasure::lmVertical); }
    const TSVGLength& RY() const { return RadiusOrUnset(FRY); }
    void SetRY(const TSVGLength& Value);
    // Whether rx and ry were given; one not given (or given negative, which
    // is an error) takes the other's value, and both 0 without either.
    bool RXSpecified() const { return FRXSpecified; }
    void SetRXSpecified(bool Value);
    bool RYSpecified() const { return FRYSpecified; }
    void SetRYSpecified(bool Value);

    // The radii drawn, in user units: each taken from the other when not
    // properly given, then limited to half the width and half the height.
    QSizeF CornerRadii() const;
    // The rectangle can be drawn: width and height above 0 (a negative one
    // is an error and 0 disables drawing).
    bool HasArea() const;

    // (x, y, width, height); a negative size counts as 0.
    QRectF BoundsRect() const override;

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    void BuildShape(TZorPathData& Shape) const override;
    // rx and ry after the graphic element's x, y, width and height.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;

private:
    TSVGLength& Radius(std::unique_ptr<TSVGLength>& Length, TLengthMeasure Measure);
    static const TSVGLength& RadiusOrUnset(const std::unique_ptr<TSVGLength>& Length);

    std::unique_ptr<TSVGLength> FRX;
    std::unique_ptr<TSVGLength> FRY;
    bool FRXSpecified = false;
    bool FRYSpecified = false;
};

} // namespace zor
