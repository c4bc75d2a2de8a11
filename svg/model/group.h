#pragma once
// Elements that only hold others: groups (g), conditional groups (switch)
// and definitions (defs), and their common base, which keeps the bounds of
// the content.

#include <QRectF>
#include <QTransform>
#include <memory>

#include "svg/model/graphic_element.h"

namespace zor {

class TSVGAttributeWriter;

// A group draws nothing of its own and is hit only through its children.
class TSVGCustomGroup : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // Its own rectangle joined with the bounds of its children (each with its
    // own transformation), in its user space; kept until something inside
    // changes.
    QRectF BoundsRect() const override;
    // Its own rectangle and every child's bounds, each mapped by its full
    // matrix (tighter than mapping BoundsRect).
    QRectF GetBoundsRect(const QTransform& aMatrix) const override;

protected:
    // Containers make every registered kind they accept; style elements go
    // to the document's style sheet, and an entity reference of an unknown
    // name is read as a group of what it expands to.
    TSVGElement* CreateChild(const TXMLNode& Node) override;
    // Also x, y, width and height where they differ from GeometryDefaults.
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    // The x, y, width and height of a new element of the class.
    struct TSVGGeometryDefaults {
        QRectF Rect;
        bool SizeIsPercent = false;
    };
    virtual TSVGGeometryDefaults GeometryDefaults() const;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    void MarkBoundsStale() const override;
    // The content's bounds under aMatrix, joined to Bounds.
    virtual QRectF ContentBounds(QRectF Bounds, const QTransform& aMatrix) const;
    TSVGGraphicElement* FindElementAtPos(const QTransform& aMatrix, const QPointF& Pt, const QRectF& aRect,
                                         TSVGFindOptions Options) override;
    TSVGGraphicElement* HitTestShape(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                     TSVGFindOptions Options) override;

private:
    mutable bool FCalcBR = true;
    mutable QRectF FBoundsRect;
};

// The g element.
class TSVGGroup : public TSVGCustomGroup {
    using Inherited = TSVGCustomGroup;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
};

// Draws only the first child whose conditions (required features and
// extensions, system languages) hold; it is measured and hit by that child
// alone too.
class TSVGSwitch : public TSVGCustomGroup {
    using Inherited = TSVGCustomGroup;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;
    // The child drawn: the first graphic child whose conditions hold, whatever
    // its display and visibility; null when none passes.
    TSVGGraphicElement* ChosenChild() const;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    QRectF ContentBounds(QRectF Bounds, const QTransform& aMatrix) const override;
    void DrawChildren(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect) override;
    TSVGGraphicElement* ChildAtPos(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                   TSVGFindOptions Options) override;
    bool ApplyAncestorTransforms(const TSVGGraphicElement& Child, QTransform& M, TRenderContext& Canvas,
                                 const QRectF& aRect) override;
};

// Definitions: never drawn or hit where they stand; their elements are
// reached by reference (use, paint servers, clip paths).
class TSVGDefs : public TSVGCustomGroup {
    using Inherited = TSVGCustomGroup;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    bool IsRenderable() const override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
};

} // namespace zor
