#pragma once
// The clipPath element: never drawn itself; its children's outlines make
// the clip region of the elements that reference it.

#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

#include "svg/model/group.h"
#include "svg/values/style_keywords.h"

namespace zor {

class TSVGAttributeWriter;

class TClipRegion;
class TSVGClipPath;

// The clip paths whose regions are being built for one element, outermost
// first, and the shapes taken so far. A clip path met again on its own way
// stops the chain there: that reference is left out, as if not given. One
// build takes at most MaxShapes shapes and nests at most MaxNesting clip
// paths, so that clip paths referencing each other through their children
// cannot multiply without end.
class TClipExpansion {
public:
    static constexpr int MaxNesting = 32;
    static constexpr int MaxShapes = 10000;

    // A clip path entered for the guard's lifetime, unless it is already
    // being built or the chain is as deep as allowed.
    class TEntry {
    public:
        TEntry(TClipExpansion& Expansion, const TSVGClipPath& ClipPath);
        ~TEntry();
        TEntry(const TEntry&) = delete;
        TEntry& operator=(const TEntry&) = delete;

        bool Entered() const { return FEntered; }

    private:
        TClipExpansion& FExpansion;
        bool FEntered = false;
    };

    // Counts one more shape; false once the bound is reached.
    bool TakeShape() { return ++FShapes <= MaxShapes; }

private:
    std::vector<const TSVGClipPath*> FActive;
    int FShapes = 0;
};

class TSVGClipPath : public TSVGCustomGroup {
    using Inherited = TSVGCustomGroup;

public:
    // The curves of the clip outline are flattened within this distance.
    static constexpr double Flatness = 0.25;

    explicit TSVGClipPath(TSVGDocument* aOwner);
    ~TSVGClipPath() override;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;
    bool IsRenderable() const override;

    // clipPathUnits: the children's coordinates are user units of the
    // clipped element (csuUserSpaceOnUse, also for csuNone) or fractions of
    // its bounding box (csuObjectBoundingBox).
    TSVGCoordinateSystemUnit ClipPathUnits() const { return FClipPathUnits; }
    void SetClipPathUnits(TSVGCoordinateSystemUnit Value);

    // The union of the outlines of the children (each under its own and the
    // clip path's transformation, with its clip-rule), flattened; kept until
    // something in the clip path changes.
    const TZorPathData& GetClipPath() const;

    // Where the clip path lets Target's drawing through, Target's user space
    // mapped into the canvas by M: the union of what the shapes, texts and
    // uses among the children add (TSVGGraphicElement::AddToClipRegion), under
    // the clip path's transformation and units, limited by the clip path's
    // own clip-path. Null when the clip path is already being built (the
    // reference that led here again is left out).
    std::shared_ptr<const TClipRegion> Region(const TSVGGraphicElement& Target, const QTransform& M,
                                              TClipExpansion& Expansion) const;

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    // The graphic element's attributes and clipPathUnits.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    // Shapes, text and use elements; anything else as for a leaf element.
    TSVGElement* CreateChild(const TXMLNode& Node) override;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    void MarkBoundsStale() const override;

private:
    // The children's coordinates in Target's user space.
    std::optional<QTransform> UnitsMatrix(const TSVGGraphicElement& Target) const;

    TSVGCoordinateSystemUnit FClipPathUnits = TSVGCoordinateSystemUnit::csuUserSpaceOnUse;
    mutable std::unique_ptr<TZorPathData> FClipPath;
};

} // namespace zor
