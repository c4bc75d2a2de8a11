#pragma once
// The gradient paint servers (linearGradient, radialGradient) and their
// stops. A gradient is never drawn itself: a fill or stroke that names it
// asks it for the gradient it paints on that element (PaintServer), built
// afresh at each use from its own attributes and, for those it does not
// give, from the gradients its href chain names.

#include <QString>
#include <QTransform>
#include <memory>
#include <vector>

#include "platform/enum_set.h"
#include "svg/model/graphic_element.h"
#include "svg/model/paint_server.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGAttributeReader;
class TSVGGradientStop;

// The attributes a gradient may give itself or take through its href.
enum class TSVGGradientAttribute {
    gaUnits,
    gaSpread,
    gaTransform,
    gaX1,
    gaY1,
    gaX2,
    gaY2,
    gaCenterX,
    gaCenterY,
    gaRadius,
    gaFocalX,
    gaFocalY
};
constexpr std::size_t EnumCount(TSVGGradientAttribute) { return 12; }
using TSVGGradientAttributes = TEnumSet<TSVGGradientAttribute>;

class TSVGCustomGradient : public TSVGGraphicElement, public TSVGPaintServerElement {
    using Inherited = TSVGGraphicElement;

public:
    explicit TSVGCustomGradient(TSVGDocument* aOwner);
    ~TSVGCustomGradient() override;
    const TSVGPaintServerElement* AsPaintServer() const override { return this; }

    TSVGElementTypes ChildSVGTypes() const override;

    // The id of the gradient this one takes what it does not give from
    // (xlink:href), without "#".
    const QString& Reference() const { return FReference; }
    // Follows the element the new id names and reports the change.
    void SetReference(const QString& Value);
    // spreadMethod; gsNone paints as gsPad.
    TSVGGradientSpread Spread() const { return FSpread; }
    void SetSpread(TSVGGradientSpread Value);
    // gradientUnits.
    TSVGCoordinateSystemUnit Units() const { return FUnits; }
    void SetUnits(TSVGCoordinateSystemUnit Value);
    // gradientTransform, held as the element's Matrix; applies in the
    // gradient's units.
    const QTransform& GradientTransform() const { return Matrix(); }
    void SetGradientTransform(const QTransform& Value);

    // The attributes given on this gradient; the others come through href.
    // The setters of this class and its subclasses add to them; a transform
    // other than the identity counts as given.
    TSVGGradientAttributes Specified() const;
    void SetSpecified(TSVGGradientAttributes Value);

    // This gradient and the gradients its href chain names, in order; the
    // chain ends before an element that is no gradient or one already in it,
    // so that a loop of references ends.
    std::vector<const TSVGCustomGradient*> ReferenceChain() const;
    // The stops painted: this gradient's own, or when it has none those of
    // the first gradient of its chain that has some.
    std::vector<const TSVGGradientStop*> EffectiveStops() const;

    // The gradient painted on Referrer; without stops it paints nothing.
    TPaintServer PaintServer(const TSVGGraphicElement& Referrer, const TPaintTarget& Target) const override;

    // A gradient is never drawn, measured or hit.
    bool IsRenderable() const override;
    QRectF BoundsRect() const override;

    // The referenced element going away empties the reference.
    void ReferenceChanged(TSVGElement* Sender) override;
    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    // The first gradient of Chain that gives Attribute itself and is a T.
    template <typename T>
    static const T* Giving(const std::vector<const TSVGCustomGradient*>& Chain, TSVGGradientAttribute Attribute)
    {
        for (const TSVGCustomGradient* gradient : Chain)
            if (const auto* giving = dynamic_cast<const T*>(gradient);
                giving != nullptr && gradient->Specified().Contains(Attribute))
                return giving;
        return nullptr;
    }

    // Fills Gradient's kind and geometry, each coordinate taken from the
    // first gradient of Chain of the same kind that gives it, measured in Space.
    virtual void BuildGeometry(const std::vector<const TSVGCustomGradient*>& Chain, const TPaintServerSpace& Space,
                               TGradient& Gradient) const = 0;

    void Specify(TSVGGradientAttribute Attribute);
    // gradientTransform (in place of transform), gradientUnits, spreadMethod
    // and href; each attribute read is marked given.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    // gradientTransform, when given.
    void SaveTransform(TSVGAttributeWriter& Writer) const override;
    // Stops; the descriptive kinds as everywhere.
    TSVGElement* CreateChild(const TXMLNode& Node) override;
    // Reads the length attribute Name into Length; true when it read.
    bool ReadGradientLength(const TSVGAttributeReader& Reader, const QString& Name, TSVGLength& Length,
                            TSVGGradientAttribute Attribute);
    // A length of the gradient: its percentages stay fractions, which the
    // gradient's units give their meaning when it paints.
    std::unique_ptr<TSVGLength> CreateGradientLength();
    TSVGGraphicElement* HitTestShape(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                     TSVGFindOptions Options) override;

private:
    QString FReference;
    TSVGGradientSpread FSpread = TSVGGradientSpread::gsPad;
    TSVGCoordinateSystemUnit FUnits = TSVGCoordinateSystemUnit::csuObjectBoundingBox;
    TSVGGradientAttributes FSpecified;
};

class TSVGLinearGradient : public TSVGCustomGradient {
    using Inherited = TSVGCustomGradient;

public:
    // The vector from (0, 0) to (100 %, 0).
    explicit TSVGLinearGradient(TSVGDocument* aOwner);
    ~TSVGLinearGradient() override;

    TSVGElementType SVGType() const override;

    // The gradient vector; setting a coordinate copies Value and marks it given.
    TSVGLength& X1() { return *FX1; }
    const TSVGLength& X1() const { return *FX1; }
    void SetX1(const TSVGLength& Value);
    TSVGLength& Y1() { return *FY1; }
    const TSVGLength& Y1() const { return *FY1; }
    void SetY1(const TSVGLength& Value);
    TSVGLength& X2() { return *FX2; }
    const TSVGLength& X2() const { return *FX2; }
    void SetX2(const TSVGLength& Value);
    TSVGLength& Y2() { return *FY2; }
    const TSVGLength& Y2() const { return *FY2; }
    void SetY2(const TSVGLength& Value);

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    void BuildGeometry(const std::vector<const TSVGCustomGradient*>& Chain, const TPaintServerSpace& Space,
                       TGradient& Gradient) const override;
    // x1, y1, x2, y2.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;

private:
    void InitializeVector();

    std::unique_ptr<TSVGLength> FX2;
    std::unique_ptr<TSVGLength> FY2;
    std::unique_ptr<TSVGLength> FX1;
    std::unique_ptr<TSVGLength> FY1;
};

class TSVGRadialGradient : public TSVGCustomGradient {
    using Inherited = TSVGCustomGradient;

public:
    // Centre and radius 50 %, the focal point at the centre.
    explicit TSVGRadialGradient(TSVGDocument* aOwner);
    ~TSVGRadialGradient() override;

    TSVGElementType SVGType() const override;

    // The end circle (the element's x, y and width lengths) and the focal
    // point; setting one copies Value and marks it given. An unspecified
    // focal coordinate is the centre's.
    TSVGLength& CenterX() { return Xu(); }
    const TSVGLength& CenterX() const { return Xu(); }
    void SetCenterX(const TSVGLength& Value);
    TSVGLength& CenterY() { return Yu(); }
    const TSVGLength& CenterY() const { return Yu(); }
    void SetCenterY(const TSVGLength& Value);
    TSVGLength& Radius() { return WidthU(); }
    const TSVGLength& Radius() const { return WidthU(); }
    void SetRadius(const TSVGLength& Value);
    TSVGLength& FocalX() { return *FFocalX; }
    const TSVGLength& FocalX() const { return *FFocalX; }
    void SetFocalX(const TSVGLength& Value);
    TSVGLength& FocalY() { return *FFocalY; }
    const TSVGLength& FocalY() const { return *FFocalY; }
    void SetFocalY(const TSVGLength& Value);
    bool FocalXSpecified() const { return Specified().Contains(TSVGGradientAttribute::gaFocalX); }
    bool FocalYSpecified() const { return Specified().Contains(TSVGGradientAttribute::gaFocalY); }

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    // Without soFMXRadialGradientPatch the circle fills the bounding box,
    // whatever the gradient gives.
    void BuildGeometry(const std::vector<const TSVGCustomGradient*>& Chain, const TPaintServerSpace& Space,
                       TGradient& Gradient) const override;
    // cx, cy, r, fx, fy; the circle starts from its defaults, whatever x, y
    // or width the graphic element read.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;

private:
    void InitializeCircle();

    std::unique_ptr<TSVGLength> FFocalX;
    std::unique_ptr<TSVGLength> FFocalY;
};

} // namespace zor
