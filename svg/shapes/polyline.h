#pragma once
// The polyline (an open run of lines through its points) and the polygon
// (the same, closed).

#include <QString>
#include <QStringView>
#include <memory>

#include "svg/model/graphic_element.h"
#include "svg/values/number_parsers.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGPolyline : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // The points in user units.
    const TCanvasPoints& Points() const { return FPoints; }
    void SetPoints(const TCanvasPoints& Value);
    // The points as "points" text; setting it raises EConvertError for a
    // malformed number and then keeps the points.
    QString Polygon() const;
    void SetPolygon(QStringView Value);

    // The smallest rectangle around the points; empty without points.
    QRectF BoundsRect() const override;

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    // Markers go on the vertices of the outline.
    bool PlacesMarkers() const override;
    // A move to the first point and lines to the others; no outline for
    // fewer than two points.
    void BuildShape(TZorPathData& Shape) const override;
    // points: the pairs of numbers before the first unreadable one (which
    // is recorded); an odd number at the end is left out.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;

private:
    TCanvasPoints FPoints;
};

class TSVGPolygon : public TSVGPolyline {
    using Inherited = TSVGPolyline;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    // The polyline's outline, closed.
    void BuildShape(TZorPathData& Shape) const override;
};

} // namespace zor
