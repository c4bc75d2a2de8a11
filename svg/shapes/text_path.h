#pragma once
// textPath: characters laid along the outline of a referenced path element,
// each with the middle of its advance on the path and turned to the path's
// direction there.

#include <QPointF>
#include <QTransform>
#include <cstdint>
#include <memory>

#include "geometry/path_data.h"
#include "svg/shapes/text_element.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGPath;

// Points and directions along a path, by distance from its start.
class TSVGPathSampler {
public:
    // Path is flattened within 0.25 units.
    explicit TSVGPathSampler(const TZorPathData& Path);

    double Length() const { return FLength; }
    // The point at Distance and the path's direction there (degrees, y down).
    // False off the path: before its start, past its end, or on an empty path.
    bool PointAt(double Distance, QPointF& Point, double& Angle) const;

private:
    TZorPolygons FPolygons;
    TZorPathData::TDistances FDistances;
    double FLength = 0;
};

class TSVGTextPath : public TSVGCustomTextContentChild {
    using Inherited = TSVGCustomTextContentChild;

public:
    explicit TSVGTextPath(TSVGDocument* aOwner);
    ~TSVGTextPath() override;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // The id of the path followed, without "#".
    const QString& Reference() const { return FReference; }
    void SetReference(const QString& Value);
    // Read, written and copied; the layout follows the path exactly.
    TSVGTextPathMethod Method() const { return FMethod; }
    void SetMethod(TSVGTextPathMethod Value);
    TSVGTextPathSpacing Spacing() const { return FSpacing; }
    void SetSpacing(TSVGTextPathSpacing Value);
    // Distance of the text's start along the path; a percentage is stored as
    // a fraction of the path's length.
    TSVGLength& StartOffset() { return *FStartOffset; }
    const TSVGLength& StartOffset() const { return *FStartOffset; }
    void SetStartOffset(const TSVGLength& Value) { FStartOffset->Assign(&Value); }
    // The start offset in user units along a path of PathLength.
    double StartDistance(double PathLength) const;

    // The referenced path element; null when the reference names none.
    TSVGPath* GetPathElement() const;
    // The outline followed, in the text's user space: the referenced path
    // under its own transformation; empty without one.
    const TZorPathData& Path() const;

    // Positions inside a path are distances along it: the own lists only,
    // nothing from the text around it.
    float GetXAt(qsizetype i) const override;
    float GetYAt(qsizetype i) const override;
    float GetDXAt(qsizetype i) const override;
    float GetDYAt(qsizetype i) const override;
    float GetRotateAt(qsizetype i) const override;
    bool IsXSpecifiedAt(qsizetype i) const override;
    bool IsYSpecifiedAt(qsizetype i) const override;

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    // The reference, startOffset, method and spacing besides the text's attributes.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    void ReferenceChanged(TSVGElement* Sender) override;
    // A text path begins a chunk of its own.
    bool StartsChunkAt(qsizetype i) const override;
    // The referenced path, its outline or its transformation changed.
    bool ReferencesChanged() const override;

private:
    QString FReference;
    TSVGTextPathMethod FMethod = TSVGTextPathMethod::tpmAlign;
    TSVGTextPathSpacing FSpacing = TSVGTextPathSpacing::tpsExact;
    std::unique_ptr<TSVGLength> FStartOffset;
    mutable std::unique_ptr<TZorPathData> FPath;
    mutable bool FUpdatePath = true;
    // What Path was copied from.
    mutable const TSVGPath* FPathSource = nullptr;
    mutable std::uint64_t FPathRevision = 0;
    mutable QTransform FPathMatrix;
    mutable TSVGReferenceLink FLink{*this};
};

} // namespace zor
