#pragma once
// What SVG fill and stroke add to the canvas brushes: an opacity of their own
// and the id of a paint server (gradient or pattern).

#include <QString>

#include "svg/values/brush_base.h"
#include "svg/values/style_properties.h"

namespace zor {

template <typename Base>
class TSVGPaint : public Base {
public:
    TSVGPaint(TBrushKind ADefaultKind, TAlphaColor ADefaultColor, TSVGValueOwner Owner = {})
        : Base(ADefaultKind, ADefaultColor, std::move(Owner))
    {
    }

    // Limited to 0..1.
    float Opacity() const { return FOpacity; }
    void SetOpacity(float Value);
    float DefaultOpacity() const { return FDefaultOpacity; }
    // Stored silently: it only says what Clear goes back to.
    void SetDefaultOpacity(float Value);
    const QString& URI() const { return FURI; }
    void SetURI(const QString& Value);
    // A colour was written after the reference ("url(#g) red"): it paints
    // when the reference names nothing that can paint. Without one, such a
    // paint paints nothing.
    bool HasFallback() const { return FHasFallback; }
    void SetHasFallback(bool Value);

    // No paint and plain colour need no paint server, so they drop the reference.
    void SetKind(TBrushKind Value) override;
    // The colour takes the opacity as its alpha.
    void UpdateColorOpacity();

    // Asks the owner, or OnIsInherited without one.
    bool GetByIndex(TSVGStyleProperty Property) const
    {
        bool inherited = false;
        if (this->Owner().IsInherited(*this, Property, inherited))
            return inherited;
        return AskIsInherited(OnIsInherited, *this, Property);
    }

    TSVGIsInheritedEvent OnIsInherited;

protected:
    void AssignPaint(const TSVGPaint& Source);
    void ClearPaint();

private:
    float FOpacity = 1;
    QString FURI;
    bool FHasFallback = false;
    float FDefaultOpacity = 1;
};

// The fill of an element.
class TSVGBrush : public TSVGPaint<TBrush> {
public:
    TSVGBrush(TBrushKind ADefaultKind, TAlphaColor ADefaultColor, TSVGValueOwner Owner = {});

    void Assign(const TPersistent* Source) override;
    // Opaque black plain colour, no paint server, the default opacity.
    virtual void Clear();
};

extern template class TSVGPaint<TBrush>;
extern template class TSVGPaint<TStrokeBrush>;

} // namespace zor
