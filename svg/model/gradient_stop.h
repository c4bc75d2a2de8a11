#pragma once
// A stop of a gradient: an offset along it and a colour (stop-color and
// stop-opacity, presentation properties that style sheets may set).

#include <memory>

#include "svg/model/graphic_element.h"
#include "svg/render/gradient.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGGradientStop : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // The offset as written (a percentage as its fraction); painting clamps
    // it to 0..1 and to at least the offset of the stop before.
    float Offset() const { return FOffset; }
    void SetOffset(float Value);

    // stop-color and stop-opacity as they take effect; setting one makes it
    // the stop's own value.
    TAlphaColor StopColor() const { return ResolvedValues().StopColor; }
    void SetStopColor(TAlphaColor Value);
    float StopOpacity() const { return ResolvedValues().StopOpacity; }
    void SetStopOpacity(float Value);

    // The stop as a gradient paints it.
    TGradientStop GradientStop() const;

    // A stop is never drawn, measured or hit itself.
    bool IsRenderable() const override;
    QRectF BoundsRect() const override;

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    // offset, a number or a percentage.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    TSVGGraphicElement* HitTestShape(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                     TSVGFindOptions Options) override;

private:
    float FOffset = 0;
};

} // namespace zor
