#pragma once
// The path element: an outline given as path data.

#include <memory>

#include "geometry/path_data.h"
#include "svg/model/graphic_element.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGPath : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    explicit TSVGPath(TSVGDocument* aOwner);
    ~TSVGPath() override;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // The outline; every change of it is a change of the element.
    TZorPathData& Data() { return *FData; }
    const TZorPathData& Data() const { return *FData; }
    // Copies Value's points.
    void SetData(const TZorPathData& Value);
    // The author's length of the path (pathLength), which distances along it
    // are measured in; -1 when none is given.
    double PathLength() const { return FPathLength; }
    void SetPathLength(double Value);
    // The author's length when given, the geometric length otherwise.
    double GetPathLength() const;
    // GetPathLength per unit of geometric length; 0 for a path without length.
    double GetLengthRatio() const;

    // The outline is the path data itself.
    const TZorPathData& GetShape() const override;
    const TZorPathData& ShapeForDrawing(TZorPathData& Scratch) const override;
    // The bounds of the path data.
    QRectF BoundsRect() const override;

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    // Also the path data (d) and pathLength.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    // Markers go on the vertices of the outline.
    bool PlacesMarkers() const override;

private:
    std::unique_ptr<TZorPathData> FData;
    double FPathLength = -1;
};

} // namespace zor
