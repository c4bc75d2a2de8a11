#pragma once
// The base of every element that is drawn or takes part in drawing. It keeps
// the sources of its presentation properties (presentation attributes, own
// style), its own values as the cascade left them, and its effective values:
// own values where it has them, its graphic parent's where it inherits. The
// effective values are resolved when first read and kept until the element,
// an ancestor it inherits from, or its place in the tree changes, so reading
// them while drawing does no string work and no selector matching.

#include <QString>
#include <QStringView>
#include <QTransform>
#include <memory>
#include <vector>

#include "svg/model/element.h"
#include "svg/model/style.h"
#include "svg/values/style_values.h"

namespace zor {

class TSVGStyleSheet;

class TSVGGraphicElement : public TSVGElement {
    using Inherited = TSVGElement;

public:
    explicit TSVGGraphicElement(TSVGDocument* aOwner);
    ~TSVGGraphicElement() override;

    // --- Style sources ------------------------------------------------------
    // The attributes as they were read (fill="red", and the others, which
    // attribute selectors test). The lowest source: every rule overrides them.
    TSVGStyle& PresentationAttributes() { return FPresentationAttributes; }
    const TSVGStyle& PresentationAttributes() const { return FPresentationAttributes; }
    // The style attribute and declarations set in code: above every rule that
    // is not !important.
    TSVGStyle& Style() { return FStyle; }
    const TSVGStyle& Style() const { return FStyle; }

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
    const TSVGStyleValues& Values() const { return FValues; }
    // The properties taken from the graphic parent.
    const TSVGStyleProperties& Inherits() const { return FValues.Inherits; }
    void SetInherits(const TSVGStyleProperties& Value);
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
        try {
            Edit(FValues);
        } catch (...) {
            ValuesEdited(Properties);
            throw;
        }
        ValuesEdited(Properties);
    }

    // --- Effective values -------------------------------------------------------
    // Every property as it takes effect here.
    const TSVGStyleValues& ResolvedValues() const;
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
    const QTransform& Matrix() const { return FMatrix; }
    void SetMatrix(const QTransform& Value);
    // The transformation as "transform" text; setting it raises for text that
    // is not a transform list.
    QString TransformMatrix() const;
    void SetTransformMatrix(QStringView Value);
    // The own transformation followed by those of the graphic ancestors: from
    // this element's user space into that of the topmost graphic ancestor.
    const QTransform& AbsoluteMatrix() const;

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

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    // A child that arrives or leaves resolves its values again from its new place.
    void ItemsNotify(TSVGElement* Sender, TSVGElement* Item, TCollectionNotification Action) override;
    // Into a TSVGStyle: the current property values as declarations.
    void AssignTo(TPersistent* Dest) const override;
    // The style sheets whose rules style this element: its document's.
    virtual std::vector<const TSVGStyleSheet*> RuleSheets() const;
    // Own values changed: this element and the descendants that take any of
    // Properties from it (or scale by its opacity, or lie in it) are resolved again.
    void ValuesChanged(const TSVGStyleProperties& Properties);

private:
    void ValuesEdited(const TSVGStyleProperties& Properties);
    // Stores Value with Store unless it already is the own, not inherited, value.
    template <typename T, typename StoreFunction>
    void SetOwnValue(TSVGStyleProperty Property, const T& Current, const T& Value, StoreFunction&& Store);
    // What own lengths are measured against, with a font size for em and ex.
    TSVGStyleContext StyleContext(float FontSize) const;
    void Cascade();
    void ResolveValues() const;
    void MatrixChanged();

    TSVGStyle FPresentationAttributes;
    TSVGStyle FStyle;
    TSVGStyleValues FValues;
    TSVGStyleProperties FSetInCode;
    QTransform FMatrix;

    // The effective values; valid while FValuesStale is clear.
    mutable TSVGStyleValues FResolved;
    mutable float FAbsoluteOpacity = 1;
    mutable bool FDisplayed = true;
    mutable bool FValuesStale = true;
    mutable QTransform FAbsoluteMatrix;
    mutable bool FMatrixStale = true;
};

} // namespace zor
