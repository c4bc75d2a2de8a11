#pragma once
// The base of every element that is drawn or takes part in drawing. It keeps
// the sources of its presentation properties (presentation attributes, own
// style), its own values as the cascade left them, and its effective values:
// own values where it has them, its graphic parent's where it inherits. The
// effective values are resolved when first read and kept until the element,
// an ancestor it inherits from, or its place in the tree changes, so reading
// them while drawing does no string work and no selector matching.

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringView>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "svg/model/draw_events.h"
#include "svg/model/element.h"
#include "svg/model/paint_server.h"
#include "svg/model/style.h"
#include "svg/render/render_paint.h"
#include "svg/render/stroke_style.h"
#include "svg/values/style_values.h"

namespace zor {

class TClipExpansion;
class TClipRegion;
class TSVGCustomViewBox;
class TSVGStyleSheet;
class TTransformedPath;
class TZorPathData;

class TSVGGraphicElement : public TSVGElement {
    using Inherited = TSVGElement;

public:
    explicit TSVGGraphicElement(TSVGDocument* aOwner);
    ~TSVGGraphicElement() override;

    // --- Style sources ------------------------------------------------------
    // The attributes as they were read (fill="red", and the others, which
    // attribute selectors test). The lowest source: every rule overrides them.
    // Made when first written; until then empty.
    TSVGStyle& PresentationAttributes() { return MadeStyle(FPresentationAttributes); }
    const TSVGStyle& PresentationAttributes() const { return StyleOrEmpty(FPresentationAttributes); }
    // The style attribute and declarations set in code: above every rule that
    // is not !important.
    TSVGStyle& Style() { return MadeStyle(FStyle); }
    const TSVGStyle& Style() const { return StyleOrEmpty(FStyle); }

    // The priority of Selector for this element, or -1 when it does not
    // match. Raises "Invalid selector: %s" when Selector is not one.
    int Matches(QStringView Selector) const;

    // Runs the cascade for this element and then for its children: the own
    // values are computed afresh from the presentation attributes, the rules
    // of the document and the own style, so a rule that was changed, disabled
    // or removed since leaves nothing behind. Values set in code stay.
    void ApplyStyles() override;

    // --- Own values -----------------------------------------------------------
    // The values the cascade and code gave this element itself; inherited
    // properties are only flagged in Inherits.
    const TSVGStyleValues& Values() const { return *FValues; }
    // The properties taken from the graphic parent.
    const TSVGStyleProperties& Inherits() const { return FValues->Inherits; }
    void SetInherits(const TSVGStyleProperties& Value);
    // The properties written as declarations of the style attribute when the
    // element is saved, the others as presentation attributes: those its
    // style attribute gave, once read; for an element made in code, its
    // graphic parent's while ParentPreferredStyles holds. Drawing ignores them.
    TSVGStyleProperties PreferredStyles() const;
    // Sets the own set and stops following the parent's.
    void SetPreferredStyles(const TSVGStyleProperties& Value);
    bool ParentPreferredStyles() const { return FParentPreferredStyles; }
    void SetParentPreferredStyles(bool Value) { FParentPreferredStyles = Value; }

    // The properties set in code (setters, EditValues, SetInherits); the
    // cascade keeps them as they are.
    const TSVGStyleProperties& ValuesSetInCode() const { return FSetInCode; }

    // Changes own values in code: Edit receives them, Properties names what
    // it changes (shorthands stand for their longhands). These become own
    // values (no longer inherited), stay through later cascades, and the
    // element and every descendant inheriting them are resolved again.
    template <typename EditFunction>
    void EditValues(const TSVGStyleProperties& Properties, EditFunction&& Edit)
    {
        TSVGStyleValues& values = OwnValuesToEdit();
        try {
            Edit(values);
        } catch (...) {
            ValuesEdited(Properties);
            throw;
        }
        ValuesEdited(Properties);
    }

    TSVGGraphicElement* AsGraphicElement() override { return this; }
    const TSVGGraphicElement* AsGraphicElement() const override { return this; }

    // --- Effective values -------------------------------------------------------
    // Every property as it takes effect here.
    const TSVGStyleValues& ResolvedValues() const
    {
        if (FValuesStale)
            ResolveStaleValues();
        return *FResolved;
    }
    // The effective values are resolved and still valid: reading them costs nothing.
    bool IsResolved() const { return !FValuesStale; }
    // Fill, stroke and font as drawn (paint servers are still ids here).
    const TSVGBrush& Brush() const { return ResolvedValues().Brush; }
    const TSVGPen& Pen() const { return ResolvedValues().Pen; }
    const TSVGFont& Font() const { return ResolvedValues().Font; }
    // The color property, the value of currentColor.
    TAlphaColor Color() const { return ResolvedValues().Color; }
    // The element's own opacity (not inherited unless asked), 0..1.
    float Opacity() const { return ResolvedValues().Opacity; }
    // Opacity times the graphic parent's absolute opacity.
    float GetAbsoluteOpacity() const;
    // visibility: whether the element's own shape is drawn; inherited, so a
    // visible child of a hidden group is drawn.
    bool Visible() const { return ResolvedValues().Visible; }
    // display: false takes the element and its whole subtree out of drawing
    // and hit testing, whatever their visibility.
    bool Display() const { return ResolvedValues().Display; }
    // Display of this element and of every graphic ancestor.
    bool IsDisplayed() const;
    TSVGFillRule FillRule() const { return ResolvedValues().FillRule; }
    TSVGFillRule ClipRule() const { return ResolvedValues().ClipRule; }
    // Ids of the clip path and the markers; empty when there is none.
    const QString& ClipURI() const { return ResolvedValues().ClipURI; }
    const QString& MarkerStartURI() const { return ResolvedValues().MarkerStartURI; }
    const QString& MarkerMidURI() const { return ResolvedValues().MarkerMidURI; }
    const QString& MarkerEndURI() const { return ResolvedValues().MarkerEndURI; }
    // The clip path the clip id names in the owner's AllItems; null when
    // there is none or the element found is no clip path.
    TSVGElement* ClipURIElement() const;
    // The clip outline of that clip path, in the user space of the element
    // the clip-path property is given on; null without one. An element that
    // inherits clip-path finds its ancestor's: the clip is applied where it
    // is given, and once, since it covers the whole branch.
    const TZorPathData* GetClipPath() const;
    // Adds the element's outline under its own matrix and aMatrix to
    // ClipPath, with the clip rule as its fill mode, and those of its visible
    // graphic children; nothing for a disabled element.
    virtual void BuildClipPath(TZorPathData& ClipPath, const QTransform& aMatrix) const;
    // Where the element's own clip-path lets its drawing through, its user
    // space mapped into the canvas by M: null when it gives none (an inherited
    // one is applied where it was given) or the document ignores clip paths
    // (soIgnoreClipPaths); empty, so that nothing of the element is drawn or
    // hit, when the name finds no clip path.
    std::shared_ptr<const TClipRegion> ClipRegion(const QTransform& M) const;
    // As a child of a clip path (or referenced by a use that is one): adds
    // the outlines of AddClipOutlines under the element's own matrix and
    // aMatrix, each limited by the element's own clip-path, to Region;
    // nothing when the element is not displayed.
    void AddToClipRegion(TClipRegion& Region, const QTransform& aMatrix, TClipExpansion& Expansion) const;
    // The element with id ID in the element's document (or one containing
    // it); null when there is none.
    TSVGElement* FindReferencedElement(const QString& ID) const;
    // The region of this element's own clip-path for Target (whose bounding
    // box fractions of objectBoundingBox units measure), in the space M maps
    // into the canvas, within the clip paths Expansion is already building.
    std::shared_ptr<const TClipRegion> ClipRegionFor(const TSVGGraphicElement& Target, const QTransform& M,
                                                     TClipExpansion& Expansion) const;
    TSVGGraphicElement* GetGraphicParent() const;

    // --- Own values set in code ---------------------------------------------------
    void SetBrush(const TSVGBrush& Value);
    void SetPen(const TSVGPen& Value);
    void SetFont(const TSVGFont& Value);
    void SetColor(TAlphaColor Value);
    // Limited to 0..1.
    void SetOpacity(float Value);
    void SetVisible(bool Value);
    void SetDisplay(bool Value);
    void SetFillRule(TSVGFillRule Value);
    void SetClipURI(const QString& Value);
    void SetMarkerStartURI(const QString& Value);
    void SetMarkerMidURI(const QString& Value);
    void SetMarkerEndURI(const QString& Value);

    // --- Transformation -------------------------------------------------------------
    // The element's own transformation.
    const QTransform& Matrix() const;
    void SetMatrix(const QTransform& Value);
    // The transformation as "transform" text; setting it raises for text that
    // is not a transform list.
    QString TransformMatrix() const;
    void SetTransformMatrix(QStringView Value);
    // The own transformation followed by those of the graphic ancestors: from
    // this element's user space into that of the topmost graphic ancestor.
    const QTransform& AbsoluteMatrix() const;

    // --- Position and size -----------------------------------------------------------
    // x, y, width and height in user units. Percentages are fractions of the
    // nearest view box around the element (of the range 0..1 without one);
    // em and ex follow the element's font size. Setting a value in user
    // units makes a percentage a plain number; other units are kept.
    float X() const;
    void SetX(float Value);
    float Y() const;
    void SetY(float Value);
    float Width() const;
    // A negative size is stored as 0.
    void SetWidth(float Value);
    float Height() const;
    void SetHeight(float Value);
    // The lengths themselves, with their units; setting one copies Value.
    // They are made when first asked for to be changed; until then they
    // read as 0.
    TSVGLength& Xu() { return Geometry().X; }
    const TSVGLength& Xu() const { return GeometryOrUnset().X; }
    void SetXu(const TSVGLength& Value) { Xu().Assign(&Value); }
    TSVGLength& Yu() { return Geometry().Y; }
    const TSVGLength& Yu() const { return GeometryOrUnset().Y; }
    void SetYu(const TSVGLength& Value) { Yu().Assign(&Value); }
    TSVGLength& WidthU() { return Geometry().Width; }
    const TSVGLength& WidthU() const { return GeometryOrUnset().Width; }
    void SetWidthU(const TSVGLength& Value) { WidthU().Assign(&Value); }
    TSVGLength& HeightU() { return Geometry().Height; }
    const TSVGLength& HeightU() const { return GeometryOrUnset().Height; }
    void SetHeightU(const TSVGLength& Value) { HeightU().Assign(&Value); }

    // The nearest viewport around the element (the element itself when it
    // is one) whose view box is given; null when there is none.
    const TSVGCustomViewBox* GetNearestViewBox() const;
    // Pt of the rectangle aRect as a point of the nearest view box; Pt
    // itself without one.
    QPointF ScreenToLocal(const QPointF& Pt, const QRectF& aRect) const;

    // --- Bounds ----------------------------------------------------------------------
    // (X, Y, X + Width, Y + Height); elements with geometry of their own
    // (paths, shapes, groups) give the bounds of that geometry.
    QRectF BoundsRect() const override;
    // Sets X, Y, Width and Height with one change report; negative sizes become 0.
    void SetBoundsRect(const QRectF& Value) override;
    // BoundsRect after the element's own transformation and then aMatrix.
    QRectF GetBoundsRect(const QTransform& aMatrix) const override;

    // --- Outline -----------------------------------------------------------------------
    // The element's outline in its user space: what it fills and strokes and
    // where it is hit. Built by BuildShape when first asked after a change of
    // the element and kept until the next; empty for elements that draw
    // nothing of their own (groups, viewports).
    virtual const TZorPathData& GetShape() const;

    // --- Placing a drawing ---------------------------------------------------------------
    // Maps the element's bounds onto aRect (the identity for bounds without
    // width or height).
    QTransform FitToRect(const QRectF& aRect) const;
    // The matrix that draws the element into aRect, starting from
    // OldTransformation: FitToRect(aRect) here; viewports fit their view box.
    virtual QTransform GetViewMatrix(const QTransform& OldTransformation, const QRectF& aRect) const;
    // GetViewMatrix(FitToRect(aRect), aRect): the way a host fits a drawing.
    QTransform GetViewMatrix(const QRectF& aRect) const;

    // --- Drawing ---------------------------------------------------------------------------
    // Conditional processing and display allow the element to be drawn,
    // passed through the document's OnShouldDraw.
    virtual bool ShouldDraw();
    // Draws the element and its branch, the element's user space mapped into
    // the canvas by aMatrix; aRect is the target rectangle, passed to every
    // event. The steps are fixed: DrawTransformed with the own matrix
    // applied, which saves the canvas state, runs BeginDraw, DrawShape when
    // BeginDraw allows it, DrawChildren and EndDraw, and restores the state
    // on every exit path.
    virtual void Draw(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect);
    // Draw(GetViewMatrix(aRect), Canvas, aRect).
    void Draw(TRenderContext& Canvas, const QRectF& aRect);
    // Draws this element alone with all that its ancestors give it: their
    // transformations, view boxes, viewport clips and opacity, as the whole
    // drawing would show it. aMatrix maps the root's user space into the
    // canvas. Nothing when an ancestor or the element would not be drawn.
    virtual void DrawElement(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect);

    // --- Hit testing ---------------------------------------------------------------------
    // The topmost element of the branch drawn under the canvas point Pt, with
    // the element drawn into aRect as GetViewMatrix(aRect) places it; null
    // when there is none.
    TSVGGraphicElement* ElementAtPos(const QPointF& Pt, const QRectF& aRect, TSVGFindOptions Options);
    // The same with the element's user space mapped into the canvas by aMatrix.
    virtual TSVGGraphicElement* ElementAtPos(const QTransform& aMatrix, const QPointF& Pt, const QRectF& aRect,
                                             TSVGFindOptions Options);

    // --- Element ---------------------------------------------------------------------
    // Marks the effective values and the transformation of this element and
    // every descendant to be resolved again.
    void Reset() override;
    // Displayed and passing the conditional tests; whether the element's own
    // shape is drawn is Visible.
    bool IsRenderable() const override;
    void Clear() override;
    // Sources, own values, the values set in code and the transformation.
    void AssignProperties(const TSVGElement* Source) override;

    // A change of the element itself marks its outline and the bounds of its
    // ancestors stale.
    void Changed(TSVGElement* Sender) override;

protected:
    // The core attributes, then every attribute without namespace as a
    // presentation attribute, the style attribute as the own style, x, y,
    // width, height and transform.
    void LoadAttributes(const TXMLNode& Node) override;
    // Every attribute without namespace into the presentation attributes.
    void ReadPresentationAttributes(const TXMLNode& Node);
    // The core attributes, the presentation properties (own values that
    // differ from the initial ones, "inherit" where it matters), x, y, width
    // and height where the class has them (SaveGeometry) and the transform.
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    // x, y, width and height, each when it differs from Defaults (the lengths
    // a new element of the class has); groups, uses, viewports and the like.
    void SaveGeometry(TSVGAttributeWriter& Writer, const QRectF& Defaults, bool DefaultSizeIsPercent = false) const;
    // The own transformation: "transform" here; classes placed otherwise
    // (gradients, symbols) write theirs or none.
    virtual void SaveTransform(TSVGAttributeWriter& Writer) const;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;

    // --- Outline ---------------------------------------------------------------------
    // Fills Shape, empty on entry, with the element's outline; nothing here.
    // Shapes override it and report changes of their geometry with
    // Changed(this), which has the outline built again when next asked and
    // the bounds of the groups around the element computed again.
    virtual void BuildShape(TZorPathData& Shape) const;
    // The outline to draw: GetShape's from the second drawing on; the first
    // builds it into Scratch, so that a drawing made once (a file turned
    // into a picture) keeps no outlines. Classes whose outline is their data
    // (paths, text) give GetShape's.
    virtual const TZorPathData& ShapeForDrawing(TZorPathData& Scratch) const;

    // --- Drawing steps -------------------------------------------------------------------
    // Steps 2 to 5 of Draw: M := own Matrix × aMatrix, then, with the canvas
    // state saved and the element's opacity applied (a layer for a branch
    // that paints more than one part, folded into the paint otherwise):
    // BeginDraw, DrawShape when it allowed, DrawChildren, EndDraw.
    void DrawTransformed(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect);
    // Sets up the canvas for the element: fill, stroke, gray when disabled;
    // the result is the document's OnDrawing (true without a document).
    virtual bool BeginDraw(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect);
    // Draws the element's own shape: fills and strokes GetShape when the
    // element is visible. True when something was drawn.
    virtual bool DrawShape(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect);
    // Draws every graphic child, in order.
    virtual void DrawChildren(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect);
    // Raises the document's OnDrawn after the element and its children.
    virtual void EndDraw(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect);
    // The element draws other elements (its graphic children, or what a use
    // references): its opacity then applies to their drawing as a whole.
    virtual bool DrawsBranch() const;
    // Fills and strokes Outline, mapped into the canvas by M, with the
    // canvas's paints and the element's opacity; an open subpath is filled
    // as if closed and stroked open. The mapped outline is kept for the next
    // drawing of the same outline under the same matrix.
    void FillAndStroke(const TZorPathData& Outline, const QTransform& M, TRenderContext& Canvas);
    // The outlines the element adds to a clip region, its user space mapped
    // into the canvas by M: its own outline, inside by its clip-rule, when it
    // is visible, and those of its displayed graphic children (the spans of
    // a text). A use adds the shape or text it references instead.
    virtual void AddClipOutlines(TClipRegion& Region, const QTransform& M, TClipExpansion& Expansion) const;
    // What this element contributes to its descendant Child drawn alone
    // (Child is the one of its children on the way down): M becomes the
    // matrix its children are drawn with, and its clips go to the canvas.
    // False when the whole drawing would not draw Child.
    virtual bool ApplyAncestorTransforms(const TSVGGraphicElement& Child, QTransform& M, TRenderContext& Canvas,
                                         const QRectF& aRect);

    // Paint of the fill and the stroke, resolved for the element's bounding
    // box (paint servers through the document's elements) and used where
    // Target says; without a target only whether they paint counts.
    TRenderPaint FillPaint(const TPaintTarget& Target = {}) const;
    TRenderPaint StrokePaint(const TPaintTarget& Target = {}) const;
    // The stroke's geometry in user units (percentages of the nearest view box).
    const TStrokeStyle& StrokeStyle() const;

    // --- Markers -------------------------------------------------------------------------
    // The element puts the markers that marker-start, marker-mid and
    // marker-end name at the vertices of its outline (paths, lines,
    // polylines and polygons); false here.
    virtual bool PlacesMarkers() const;
    // Draws those markers at the vertices of Outline after the element's
    // fill and stroke; a name that finds no marker draws nothing there.
    void DrawMarkers(const TZorPathData& Outline, const QTransform& M, TRenderContext& Canvas, const QRectF& aRect);
    // The element itself when Pt lies on one of those markers as drawn.
    TSVGGraphicElement* MarkerAtPos(const TZorPathData& Outline, const QTransform& M, const QPointF& Pt,
                                    const QRectF& aRect, TSVGFindOptions Options);

    // The document's events for this element.
    bool DoDrawing(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect);
    void DoDrawn(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect);
    bool DoDisableAppearance(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect);
    TSVGGraphicElement* DoElementFound(TSVGGraphicElement* Element);
    // The document whose events report on the element: the outermost one of
    // its tree; null for an element without one.
    TSVGDocument* ReportingDocument();

    // --- Hit testing steps ---------------------------------------------------------------
    // M := own Matrix × aMatrix; the children (ChildAtPos), then the
    // element's own shape.
    virtual TSVGGraphicElement* FindElementAtPos(const QTransform& aMatrix, const QPointF& Pt, const QRectF& aRect,
                                                 TSVGFindOptions Options);
    // The graphic children from the last to the first, under M.
    virtual TSVGGraphicElement* ChildAtPos(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                           TSVGFindOptions Options);
    // The element itself when Pt lies on its painted outline (or in its
    // transformed bounds with foUseBoundingBox, or for an element without
    // outline); null otherwise.
    virtual TSVGGraphicElement* HitTestShape(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                             TSVGFindOptions Options);
    // Pt on Outline as the element paints it: inside its fill by the fill
    // rule, or on its stroke (at least 3 canvas units wide for the test).
    TSVGGraphicElement* HitTestPath(const QTransform& M, const TZorPathData& Outline, const QPointF& Pt,
                                    TSVGFindOptions Options);
    // The search may enter this element: drawn (or hidden ones searched) and
    // enabled (or disabled ones searched).
    bool IsSearched(TSVGFindOptions Options);
    // A child that arrives or leaves resolves its values again from its new place.
    void ItemsNotify(TSVGElement* Sender, TSVGElement* Item, TCollectionNotification Action) override;
    // Into a TSVGStyle: the current property values as declarations.
    void AssignTo(TPersistent* Dest) const override;
    // Whether overflow is visible before any source gives it; viewports hide it.
    virtual bool OverflowVisibleByDefault() const;
    // The own values before any source gives one: the initial value of every
    // property, overflow as OverflowVisibleByDefault says.
    void ResetOwnValues(TSVGStyleValues& Values) const;
    // The same values, shared by every element of the class that nothing styles.
    const std::shared_ptr<TSVGStyleValues>& InitialOwnValues() const;
    // Starts the own values afresh from InitialOwnValues: for the constructor
    // of a class that starts some of them elsewhere.
    void RestartOwnValues();
    // The lengths answer to the element: em and ex in its font size, a
    // percentage of the view box around it.
    bool OwnedValueUnitFactors(const TPersistent& Value, int Slot, TSVGUnitFactors& Factors) const override;
    bool OwnedValueRange(const TSVGLength& Value, int Slot, float& Min, float& Max, bool& DoRange) const override;
    // Drops what is cached of the bounds of the element's branch; nothing is
    // cached here.
    virtual void MarkBoundsStale() const;
    // The style sheets whose rules style this element: its document's.
    virtual std::vector<const TSVGStyleSheet*> RuleSheets() const;
    // Own values changed: this element and the descendants that take any of
    // Properties from it (or scale by its opacity, or lie in it) are resolved again.
    void ValuesChanged(const TSVGStyleProperties& Properties);

private:
    // x, y, width and height, made together when one is first changed.
    struct TGeometryLengths {
        TSVGLength X;
        TSVGLength Y;
        TSVGLength Width;
        TSVGLength Height;
    };
    TGeometryLengths& Geometry();
    const TGeometryLengths& GeometryOrUnset() const;
    static TSVGStyle& MadeStyle(std::unique_ptr<TSVGStyle>& Style);
    static const TSVGStyle& StyleOrEmpty(const std::unique_ptr<TSVGStyle>& Style);
    // The own values, to be changed here: a copy of its own first when they
    // are shared.
    TSVGStyleValues& OwnValuesToEdit();
    // The effective values for this element under a graphic parent whose
    // effective values are Parent: the own values themselves, or the
    // parent's, when the result would equal them.
    std::shared_ptr<const TSVGStyleValues> ResolvedUnder(const TSVGGraphicElement& Parent) const;
    // The cascade of this element and then of its branch, the branch already
    // marked stale by the caller.
    void CascadeBranch();
    // The effective values and what follows from them (outline, bounds) of
    // this element alone are to be found again.
    void MarkOwnValuesStale() const;
    void ValuesEdited(const TSVGStyleProperties& Properties);
    // Stores Value with Store unless it already is the own, not inherited, value.
    template <typename T, typename StoreFunction>
    void SetOwnValue(TSVGStyleProperty Property, const T& Current, const T& Value, StoreFunction&& Store);
    // What own lengths are measured against, with a font size for em and ex.
    TSVGStyleContext StyleContext(float FontSize) const;
    void Cascade();
    // Resolves this element and the stale graphic ancestors it takes values from.
    void ResolveStaleValues() const;
    void ResolveValues() const;
    void MatrixChanged();

    // Outline mapped into the canvas by M with the element's fill rule; kept
    // for the next drawing or hit test of the same outline under M.
    const TTransformedPath& MappedOutline(const TZorPathData& Outline, const QTransform& M) const;
    // The same, kept from the second drawing on; the first maps into Scratch.
    const TTransformedPath& MappedOutline(const TZorPathData& Outline, const QTransform& M,
                                          TTransformedPath& Scratch) const;
    // The paints of the effective values, kept while they are. A fill or
    // stroke that names a paint server is resolved when used instead: it
    // depends on the bounds and on the server.
    struct TPaintCache {
        std::uint64_t Generation = 0;
        TRenderPaint Fill;
        TRenderPaint Stroke;
        TStrokeStyle Style;
    };
    const TPaintCache& CachedPaints() const;
    // The paints to draw with: CachedPaints from the second drawing on; the
    // first resolves them into Scratch.
    const TPaintCache& PaintsForDrawing(TPaintCache& Scratch) const;
    void ResolvePaints(TPaintCache& Paints) const;
    TRenderPaint FillPaint(const TPaintTarget& Target, const TPaintCache& Paints) const;
    TRenderPaint StrokePaint(const TPaintTarget& Target, const TPaintCache& Paints) const;
    // Finds the paint servers that fills and strokes name.
    TPaintServerResolver PaintServers(const TPaintTarget& Target) const;
    // Unit factors of the element's lengths: em and ex in its font size.
    TSVGUnitFactors LengthUnitFactors() const;
    // Its own geometry, the outline or the cached bounds went stale.
    void GeometryChanged() const;
    // The cached bounds of the groups around the element are stale.
    void AncestorBoundsChanged() const;

    std::unique_ptr<TGeometryLengths> FGeometry;
    std::unique_ptr<TSVGStyle> FPresentationAttributes;
    std::unique_ptr<TSVGStyle> FStyle;
    // Shared with other elements (and with the effective values) until edited.
    std::shared_ptr<TSVGStyleValues> FValues;
    TSVGStyleProperties FSetInCode;
    TSVGStyleProperties FPreferredStyles;
    bool FParentPreferredStyles = true;
    // Null for the identity, which most elements have.
    std::unique_ptr<QTransform> FMatrix;

    // The effective values; valid while FValuesStale is clear. Often the own
    // values or the graphic parent's effective values themselves.
    mutable std::shared_ptr<const TSVGStyleValues> FResolved;
    mutable float FAbsoluteOpacity = 1;
    mutable bool FDisplayed = true;
    mutable bool FValuesStale = true;
    // Counts the resolutions of the effective values, which caches built
    // from them compare with.
    mutable std::uint64_t FValuesGeneration = 0;
    mutable std::unique_ptr<TPaintCache> FPaints;
    // Kept for an element with a transformation of its own; the others
    // share their parent's.
    mutable std::unique_ptr<QTransform> FAbsoluteMatrix;
    mutable bool FMatrixStale = true;

    // The outline and its last drawing, made when first needed.
    mutable std::unique_ptr<TZorPathData> FShape;
    mutable bool FShapeStale = true;
    mutable std::unique_ptr<TTransformedPath> FDrawnPath;
    // Drawn once already: the next drawing keeps what it makes.
    mutable bool FOutlineDrawn = false;
    mutable bool FMappedDrawn = false;
    mutable bool FPaintsDrawn = false;
};

} // namespace zor
