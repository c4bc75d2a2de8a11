#include "svg/model/gradient_element.h"

#include <QSizeF>
#include <algorithm>
#include <cmath>

#include "platform/update_scope.h"
#include "svg/model/element_types.h"
#include "svg/model/gradient_stop.h"
#include "svg/model/reference_chain.h"
#include "svg/model/viewport.h"

namespace zor {

using enum TSVGGradientAttribute;

// --- TSVGCustomGradient -------------------------------------------------------

TSVGCustomGradient::TSVGCustomGradient(TSVGDocument* aOwner)
    : Inherited(aOwner)
{
}

TSVGCustomGradient::~TSVGCustomGradient() = default;

TSVGElementTypes TSVGCustomGradient::ChildSVGTypes() const
{
    return GradientChildTypes();
}

void TSVGCustomGradient::SetReference(const QString& Value)
{
    if (ChangeFollowedReference(*this, FReference, Value))
        Changed(this);
}

void TSVGCustomGradient::SetSpread(TSVGGradientSpread Value)
{
    Specify(gaSpread);
    if (Value == FSpread)
        return;
    FSpread = Value;
    Changed(this);
}

void TSVGCustomGradient::SetUnits(TSVGCoordinateSystemUnit Value)
{
    Specify(gaUnits);
    if (Value == FUnits)
        return;
    FUnits = Value;
    Changed(this);
}

void TSVGCustomGradient::SetGradientTransform(const QTransform& Value)
{
    Specify(gaTransform);
    SetMatrix(Value);
}

TSVGGradientAttributes TSVGCustomGradient::Specified() const
{
    TSVGGradientAttributes specified = FSpecified;
    if (!Matrix().isIdentity())
        specified.Include(gaTransform);
    return specified;
}

void TSVGCustomGradient::SetSpecified(TSVGGradientAttributes Value)
{
    if (Value == FSpecified)
        return;
    FSpecified = Value;
    Changed(this);
}

void TSVGCustomGradient::Specify(TSVGGradientAttribute Attribute)
{
    if (FSpecified.Contains(Attribute))
        return;
    FSpecified.Include(Attribute);
    Changed(this);
}

std::vector<const TSVGCustomGradient*> TSVGCustomGradient::ReferenceChain() const
{
    return ReferenceChainOf(*this);
}

std::vector<const TSVGGradientStop*> TSVGCustomGradient::EffectiveStops() const
{
    std::vector<const TSVGGradientStop*> stops;
    for (const TSVGCustomGradient* gradient : ReferenceChain()) {
        for (const TSVGElement* child : gradient->Items())
            if (const auto* stop = dynamic_cast<const TSVGGradientStop*>(child))
                stops.push_back(stop);
        if (!stops.empty())
            break;
    }
    return stops;
}

TPaintServer TSVGCustomGradient::PaintServer(const TSVGGraphicElement& Referrer, const TPaintTarget&) const
{
    const std::vector<const TSVGCustomGradient*> chain = ReferenceChain();
    const auto giving = [&](TSVGGradientAttribute Attribute) {
        const TSVGCustomGradient* gradient = Giving<TSVGCustomGradient>(chain, Attribute);
        return gradient != nullptr ? gradient : this;
    };
    TGradient gradient;
    for (const TSVGGradientStop* stop : EffectiveStops())
        gradient.Stops.push_back(stop->GradientStop());
    gradient.Units = giving(gaUnits)->FUnits == TSVGCoordinateSystemUnit::csuUserSpaceOnUse
        ? TSVGCoordinateSystemUnit::csuUserSpaceOnUse
        : TSVGCoordinateSystemUnit::csuObjectBoundingBox;
    gradient.Spread = giving(gaSpread)->FSpread;
    if (gradient.Spread == TSVGGradientSpread::gsNone)
        gradient.Spread = TSVGGradientSpread::gsPad;
    gradient.Matrix = giving(gaTransform)->Matrix();
    BuildGeometry(chain, TPaintServerSpace(gradient.Units, Referrer), gradient);
    return gradient;
}

bool TSVGCustomGradient::IsRenderable() const
{
    return false;
}

QRectF TSVGCustomGradient::BoundsRect() const
{
    return QRectF();
}

TSVGGraphicElement* TSVGCustomGradient::HitTestShape(const QTransform&, const QPointF&, const QRectF&,
                                                     TSVGFindOptions)
{
    return nullptr;
}

void TSVGCustomGradient::ReferenceChanged(TSVGElement* Sender)
{
    if (Sender->ElementState().Contains(TSVGElementStateFlag::esDestroying))
        FReference.clear();
    Inherited::ReferenceChanged(Sender);
}

void TSVGCustomGradient::Clear()
{
    TUpdateScope update(*this);
    SetReference(QString());
    Inherited::Clear();
    FSpread = TSVGGradientSpread::gsPad;
    FUnits = TSVGCoordinateSystemUnit::csuObjectBoundingBox;
    FSpecified = {};
    Changed(this);
}

void TSVGCustomGradient::AssignProperties(const TSVGElement* Source)
{
    TUpdateScope update(*this);
    Inherited::AssignProperties(Source);
    if (const auto* gradient = dynamic_cast<const TSVGCustomGradient*>(Source); gradient != nullptr && gradient != this) {
        SetReference(gradient->FReference);
        FSpread = gradient->FSpread;
        FUnits = gradient->FUnits;
        FSpecified = gradient->FSpecified;
        Changed(this);
    }
}

std::unique_ptr<TSVGLength> TSVGCustomGradient::CreateGradientLength()
{
    return CreateLength(TLengthMeasure::lmElementUnits);
}

// --- TSVGLinearGradient -------------------------------------------------------

TSVGLinearGradient::TSVGLinearGradient(TSVGDocument* aOwner)
    : Inherited(aOwner)
    , FX2(CreateGradientLength())
    , FY2(CreateGradientLength())
    , FX1(CreateGradientLength())
    , FY1(CreateGradientLength())
{
    InitializeVector();
}

TSVGLinearGradient::~TSVGLinearGradient() = default;

TSVGElementType TSVGLinearGradient::SVGType() const
{
    return TSVGElementType::etLinearGradient;
}

void TSVGLinearGradient::InitializeVector()
{
    FX1->Initialize(0, false, TSVGUnit::suNone);
    FY1->Initialize(0, false, TSVGUnit::suNone);
    FX2->Initialize(1, true, TSVGUnit::suPercent);
    FY2->Initialize(0, false, TSVGUnit::suNone);
}

void TSVGLinearGradient::SetX1(const TSVGLength& Value)
{
    FX1->Assign(&Value);
    Specify(gaX1);
}

void TSVGLinearGradient::SetY1(const TSVGLength& Value)
{
    FY1->Assign(&Value);
    Specify(gaY1);
}

void TSVGLinearGradient::SetX2(const TSVGLength& Value)
{
    FX2->Assign(&Value);
    Specify(gaX2);
}

void TSVGLinearGradient::SetY2(const TSVGLength& Value)
{
    FY2->Assign(&Value);
    Specify(gaY2);
}

void TSVGLinearGradient::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    InitializeVector();
}

void TSVGLinearGradient::AssignProperties(const TSVGElement* Source)
{
    TUpdateScope update(*this);
    if (const auto* linear = dynamic_cast<const TSVGLinearGradient*>(Source); linear != nullptr && linear != this) {
        FX1->Assign(linear->FX1.get());
        FY1->Assign(linear->FY1.get());
        FX2->Assign(linear->FX2.get());
        FY2->Assign(linear->FY2.get());
    }
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGLinearGradient::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGLinearGradient>(aOwner);
}

void TSVGLinearGradient::BuildGeometry(const std::vector<const TSVGCustomGradient*>& Chain,
                                       const TPaintServerSpace& Space, TGradient& Gradient) const
{
    const auto coordinate = [&](TSVGGradientAttribute Attribute, std::unique_ptr<TSVGLength> TSVGLinearGradient::*Field) -> const TSVGLength& {
        const TSVGLinearGradient* giving = Giving<TSVGLinearGradient>(Chain, Attribute);
        return *((giving != nullptr ? giving : this)->*Field);
    };
    Gradient.Kind = TGradientKind::gkLinear;
    Gradient.Start = QPointF(Space.X(coordinate(gaX1, &TSVGLinearGradient::FX1)),
                             Space.Y(coordinate(gaY1, &TSVGLinearGradient::FY1)));
    Gradient.Stop = QPointF(Space.X(coordinate(gaX2, &TSVGLinearGradient::FX2)),
                            Space.Y(coordinate(gaY2, &TSVGLinearGradient::FY2)));
}

// --- TSVGRadialGradient -------------------------------------------------------

TSVGRadialGradient::TSVGRadialGradient(TSVGDocument* aOwner)
    : Inherited(aOwner)
    , FFocalX(CreateGradientLength())
    , FFocalY(CreateGradientLength())
{
    InitializeCircle();
}

TSVGRadialGradient::~TSVGRadialGradient() = default;

TSVGElementType TSVGRadialGradient::SVGType() const
{
    return TSVGElementType::etRadialGradient;
}

void TSVGRadialGradient::InitializeCircle()
{
    for (TSVGLength* length : {&CenterX(), &CenterY(), &Radius(), &HeightU(), FFocalX.get(), FFocalY.get()})
        length->Initialize(0.5f, true, TSVGUnit::suPercent);
}

void TSVGRadialGradient::SetCenterX(const TSVGLength& Value)
{
    CenterX().Assign(&Value);
    Specify(gaCenterX);
}

void TSVGRadialGradient::SetCenterY(const TSVGLength& Value)
{
    CenterY().Assign(&Value);
    Specify(gaCenterY);
}

void TSVGRadialGradient::SetRadius(const TSVGLength& Value)
{
    Radius().Assign(&Value);
    HeightU().Assign(&Value);
    Specify(gaRadius);
}

void TSVGRadialGradient::SetFocalX(const TSVGLength& Value)
{
    FFocalX->Assign(&Value);
    Specify(gaFocalX);
}

void TSVGRadialGradient::SetFocalY(const TSVGLength& Value)
{
    FFocalY->Assign(&Value);
    Specify(gaFocalY);
}

void TSVGRadialGradient::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    InitializeCircle();
}

void TSVGRadialGradient::AssignProperties(const TSVGElement* Source)
{
    TUpdateScope update(*this);
    if (const auto* radial = dynamic_cast<const TSVGRadialGradient*>(Source); radial != nullptr && radial != this) {
        FFocalX->Assign(radial->FFocalX.get());
        FFocalY->Assign(radial->FFocalY.get());
    }
    // The circle is the graphic element's lengths, which it copies.
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGRadialGradient::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGRadialGradient>(aOwner);
}

void TSVGRadialGradient::BuildGeometry(const std::vector<const TSVGCustomGradient*>& Chain,
                                       const TPaintServerSpace& Space, TGradient& Gradient) const
{
    Gradient.Kind = TGradientKind::gkRadial;
    if (!Options().Contains(TSVGOption::soFMXRadialGradientPatch)) {
        // The platform's own geometry: the circle fills the bounding box.
        Gradient.Units = TSVGCoordinateSystemUnit::csuObjectBoundingBox;
        Gradient.Matrix = QTransform();
        return;
    }
    const auto length = [&](TSVGGradientAttribute Attribute, const TSVGLength& (TSVGRadialGradient::*Get)() const) -> const TSVGLength& {
        const TSVGRadialGradient* giving = Giving<TSVGRadialGradient>(Chain, Attribute);
        return ((giving != nullptr ? giving : this)->*Get)();
    };
    Gradient.Center = QPointF(Space.X(length(gaCenterX, &TSVGRadialGradient::CenterX)),
                              Space.Y(length(gaCenterY, &TSVGRadialGradient::CenterY)));
    Gradient.Radius = Space.Radius(length(gaRadius, &TSVGRadialGradient::Radius));
    // An unspecified focal coordinate is the centre's, wherever that came from.
    const TSVGRadialGradient* focalX = Giving<TSVGRadialGradient>(Chain, gaFocalX);
    const TSVGRadialGradient* focalY = Giving<TSVGRadialGradient>(Chain, gaFocalY);
    if (focalX != nullptr || focalY != nullptr)
        Gradient.Focal = QPointF(focalX != nullptr ? Space.X(focalX->FocalX()) : Gradient.Center.x(),
                                 focalY != nullptr ? Space.Y(focalY->FocalY()) : Gradient.Center.y());
}

} // namespace zor
