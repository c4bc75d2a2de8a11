#pragma once
// Viewports: elements that set up a new coordinate system, a view box fitted
// into a rectangle by preserveAspectRatio (svg, symbol; markers, patterns
// and images later), and the symbol element.

#include <QRectF>
#include <QTransform>
#include <memory>
#include <optional>

#include "svg/model/group.h"
#include "svg/values/view_box.h"

namespace zor {

class TSVGCustomViewBox : public TSVGCustomGroup {
    using Inherited = TSVGCustomGroup;

public:
    // An unspecified view box, xMidYMid meet, overflow hidden.
    explicit TSVGCustomViewBox(TSVGDocument* aOwner);
    ~TSVGCustomViewBox() override;
    const TSVGCustomViewBox* AsViewBox() const override { return this; }

    TSVGPreserveAspectRatio& AspectRatio() { return *FAspectRatio; }
    const TSVGPreserveAspectRatio& AspectRatio() const { return *FAspectRatio; }
    void SetAspectRatio(const TSVGPreserveAspectRatio& Value) { FAspectRatio->Assign(&Value); }
    // Specified once a viewBox is given; until then it may hold the
    // viewport's own rectangle.
    TSVGViewBox& ViewBox() { return *FViewBox; }
    const TSVGViewBox& ViewBox() const { return *FViewBox; }
    // Copies Value and marks the view box specified.
    void SetViewBox(const TSVGViewBox& Value);
    // A view box is specified with no width or no height: SVG disables the
    // drawing of such a viewport (a negative size is an error, treated alike).
    bool ViewBoxDisablesDrawing() const;

    // The rectangle the viewport takes in its parent's user space: x, y,
    // width and height.
    QRectF ViewportRect() const;
    // The viewport while a use element of the given size draws it: the use's
    // width and height where they are not 0, the element's own otherwise, at
    // the element's x and y.
    virtual QRectF UsedViewport(float UseWidth, float UseHeight) const;
    // A use element draws it into UsedViewport; otherwise the use only moves it.
    virtual bool TakesUseSize() const;
    // Width and height 100 % of the viewport around.
    void FillViewportAround();
    // Maps the viewport's content into the coordinates Viewport is given in:
    // the view box fitted into Viewport by AspectRatio, or, without a view
    // box, the content's origin moved to Viewport's corner. Empty when the
    // view box disables drawing.
    std::optional<QTransform> ViewMatrix(const QRectF& Viewport) const;

    // The view box, or without one the viewport's rectangle; an empty one
    // falls back to the bounds of the content.
    QRectF BoundsRect() const override;
    QRectF GetBoundsRect(const QTransform& aMatrix) const override;
    // The view box fitted into aRect; without a view box the content is
    // scaled as OldTransformation scales and moved to aRect's corner.
    QTransform GetViewMatrix(const QTransform& OldTransformation, const QRectF& aRect) const override;
    using Inherited::GetViewMatrix;

    // Clipped to the viewport (overflow hidden and soApplyClipping), the
    // content drawn through the view matrix into the viewport rectangle.
    void Draw(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect) override;
    using Inherited::Draw;
    // The same matrices and clip as drawing, and the same checks.
    TSVGGraphicElement* ElementAtPos(const QTransform& aMatrix, const QPointF& Pt, const QRectF& aRect,
                                     TSVGFindOptions Options) override;
    using Inherited::ElementAtPos;

    // Draws the viewport into Viewport, a rectangle in aMatrix's coordinates
    // (a use element gives its own size).
    void DrawViewport(const QRectF& Viewport, const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect);
    TSVGGraphicElement* ViewportElementAtPos(const QRectF& Viewport, const QTransform& aMatrix, const QPointF& Pt,
                                             const QRectF& aRect, TSVGFindOptions Options);

    void Clear() override;
    // From another viewport also the view box and the aspect ratio.
    void AssignProperties(const TSVGElement* Source) override;

protected:
    // Also viewBox and preserveAspectRatio; the view box holds the
    // viewport's rectangle until a viewBox is given.
    void LoadAttributes(const TXMLNode& Node) override;
    // Also viewBox and preserveAspectRatio when the view box is given.
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    // preserveAspectRatio, unless compact export leaves out the default.
    void SaveAspectRatio(TSVGAttributeWriter& Writer) const;
    // A stand-alone document has no size until given one (0 by 0 once
    // loaded), the others fill the viewport around them.
    TSVGGeometryDefaults GeometryDefaults() const override;
    // For classes with another default alignment (markers).
    TSVGCustomViewBox(TSVGDocument* aOwner, TSVGAlign DefaultAlign);

    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    bool OverflowVisibleByDefault() const override;
    // The content is clipped to the viewport: overflow hidden and the
    // document's soApplyClipping.
    bool ClipsContent() const;
    // Clips the canvas to Viewport, given in the coordinates aMatrix maps
    // into the canvas, when the viewport clips its content.
    virtual void ClipToViewport(const QRectF& Viewport, const QTransform& aMatrix, TRenderContext& Canvas);
    bool ApplyAncestorTransforms(const TSVGGraphicElement& Child, QTransform& M, TRenderContext& Canvas,
                                 const QRectF& aRect) override;

private:
    TSVGValueOwner PartOwner();
    // The view box or aspect ratio changed: percentages inside measure
    // against it, so the branch resolves again.
    void ViewChanged();

    std::unique_ptr<TSVGPreserveAspectRatio> FAspectRatio;
    std::unique_ptr<TSVGViewBox> FViewBox;
};

// A template drawn only through a use element, which gives it its viewport.
class TSVGSymbol : public TSVGCustomViewBox {
    using Inherited = TSVGCustomViewBox;

public:
    // Width and height 100 %: without sizes of its own or of the use, it
    // fills the viewport the use lies in.
    explicit TSVGSymbol(TSVGDocument* aOwner);

    TSVGElementType SVGType() const override;
    // Only while a use element draws it: never where it stands.
    bool IsRenderable() const override;
    // At the origin of the use element's space.
    QRectF UsedViewport(float UseWidth, float UseHeight) const override;

protected:
    // A transform attribute is not read, nor written.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveTransform(TSVGAttributeWriter& Writer) const override;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
};

} // namespace zor
