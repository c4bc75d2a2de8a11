#pragma once
// The use element: draws another element of the document, by id, as if it
// were its child, moved by the use's x and y; a symbol or an svg element is
// fitted into the use's width and height.

#include <QString>
#include <memory>

#include "svg/model/graphic_element.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGUse : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    // References through uses nest at most this deep; a deeper one draws,
    // measures and hits nothing.
    static constexpr int MaxNesting = 16;
    // What one use draws through nested uses expands at most this many
    // references (uses that each reference the level below several times
    // would otherwise multiply without end); the ones beyond draw nothing.
    static constexpr int MaxExpansions = 10000;

    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // The id of the element drawn, without "#".
    const QString& Reference() const { return FReference; }
    // Follows the element the new id names (it is told when that element
    // goes away) and reports the change.
    void SetReference(const QString& Value);
    // The graphic element the reference names in the document; null for no
    // element, an unknown id or an element that is not drawn.
    TSVGGraphicElement* ReferencedElement() const;

    // The referenced element's bounds moved by x and y (the viewport
    // rectangle for a symbol or svg); the own rectangle without one.
    QRectF BoundsRect() const override;
    QRectF GetBoundsRect(const QTransform& aMatrix) const override;

    // The referenced element going away empties the reference.
    void ReferenceChanged(TSVGElement* Sender) override;
    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    // Also the reference (xlink:href, or href without it), stored without
    // following the element, which may come later in the document.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    bool DrawsBranch() const override;
    // The shape or text it references, placed as drawn and limited by that
    // element's own clip-path; other kinds add nothing.
    void AddClipOutlines(TClipRegion& Region, const QTransform& M, TClipExpansion& Expansion) const override;
    // Draws the referenced element as the use's child.
    bool DrawShape(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect) override;
    // The use itself when the referenced element, drawn as its child, is hit.
    TSVGGraphicElement* HitTestShape(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                     TSVGFindOptions Options) override;

private:
    friend class TUseExpansion;

    // How many uses, this one included, draw the branch the use lies in.
    int Nesting() const;
    // Element may be drawn as this use's child: it is neither the use nor an
    // element around it (which would draw itself again without end), the
    // uses nest no deeper than MaxNesting and the tree no deeper than MaxDepth.
    bool CanExpand(const TSVGGraphicElement& Element) const;
    // The bounds of the referenced element drawn under aMatrix as the use's child.
    QRectF ExpandedBounds(const QTransform& aMatrix) const;

    QString FReference;
};

} // namespace zor
