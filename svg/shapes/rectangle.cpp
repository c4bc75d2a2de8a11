#include "svg/shapes/rectangle.h"

#include <algorithm>

#include "geometry/path_data.h"
#include "platform/update_scope.h"
#include "svg/model/element_types.h"
#include "svg/model/viewport.h"
#include "svg/shapes/shape_outlines.h"

namespace zor {

TSVGRectangle::TSVGRectangle(TSVGDocument* aOwner)
    : Inherited(aOwner)
{
}

TSVGLength& TSVGRectangle::Radius(std::unique_ptr<TSVGLength>& Length, TLengthMeasure Measure)
{
    // Measured like the rectangle's own width and height: percentages of
    // the viewport around it.
    if (!Length)
        Length = CreateLength(Measure);
    return *Length;
}

const TSVGLength& TSVGRectangle::RadiusOrUnset(const std::unique_ptr<TSVGLength>& Length)
{
    static const TSVGLength unset;
    return Length ? *Length : unset;
}

TSVGRectangle::~TSVGRectangle() = default;

TSVGElementType TSVGRectangle::SVGType() const
{
    return TSVGElementType::etRectangle;
}

TSVGElementTypes TSVGRectangle::ChildSVGTypes() const
{
    return DescriptiveTypes();
}

void TSVGRectangle::SetRX(const TSVGLength& Value)
{
    TUpdateScope update(*this);
    RX().Assign(&Value);
    SetRXSpecified(true);
}

void TSVGRectangle::SetRY(const TSVGLength& Value)
{
    TUpdateScope update(*this);
    RY().Assign(&Value);
    SetRYSpecified(true);
}

void TSVGRectangle::SetRXSpecified(bool Value)
{
    if (Value == FRXSpecified)
        return;
    FRXSpecified = Value;
    Changed(this);
}

void TSVGRectangle::SetRYSpecified(bool Value)
{
    if (Value == FRYSpecified)
        return;
    FRYSpecified = Value;
    Changed(this);
}

QSizeF TSVGRectangle::CornerRadii() const
{
    const float given[] = {FRXSpecified ? RX().GetValue() : -1, FRYSpecified ? RY().GetValue() : -1};
    const bool valid[] = {given[0] >= 0, given[1] >= 0};
    const double rx = valid[0] ? given[0] : valid[1] ? given[1] : 0;
    const double ry = valid[1] ? given[1] : valid[0] ? given[0] : 0;
    return QSizeF(std::min(rx, std::max(Width(), 0.0f) / 2.0), std::min(ry, std::max(Height(), 0.0f) / 2.0));
}

bool TSVGRectangle::HasArea() const
{
    return WidthU().GetValue() > 0 && HeightU().GetValue() > 0;
}

QRectF TSVGRectangle::BoundsRect() const
{
    return QRectF(X(), Y(), std::max(WidthU().GetValue(), 0.0f), std::max(HeightU().GetValue(), 0.0f));
}

void TSVGRectangle::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    for (TSVGLength* radius : {FRX.get(), FRY.get()})
        if (radius != nullptr)
            radius->Clear();
    SetRXSpecified(false);
    SetRYSpecified(false);
}

void TSVGRectangle::AssignProperties(const TSVGElement* Source)
{
    TUpdateScope update(*this);
    if (const auto* rect = dynamic_cast<const TSVGRectangle*>(Source); rect != nullptr && rect != this) {
        if (rect->FRX || FRX)
            RX().Assign(&rect->RadiusOrUnset(rect->FRX));
        if (rect->FRY || FRY)
            RY().Assign(&rect->RadiusOrUnset(rect->FRY));
        SetRXSpecified(rect->FRXSpecified);
        SetRYSpecified(rect->FRYSpecified);
    }
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGRectangle::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGRectangle>(aOwner);
}

void TSVGRectangle::BuildShape(TZorPathData& Shape) const
{
    if (!HasArea())
        return;
    const QSizeF radii = CornerRadii();
    AddRoundedRectangle(Shape, BoundsRect(), radii.width(), radii.height());
}

} // namespace zor
