#include "svg/model/gradient_stop.h"

#include "platform/update_scope.h"
#include "svg/model/element_types.h"

namespace zor {

TSVGElementType TSVGGradientStop::SVGType() const
{
    return TSVGElementType::etGradientStop;
}

TSVGElementTypes TSVGGradientStop::ChildSVGTypes() const
{
    return {};
}

void TSVGGradientStop::SetOffset(float Value)
{
    if (Value == FOffset)
        return;
    FOffset = Value;
    Changed(this);
}

void TSVGGradientStop::SetStopColor(TAlphaColor Value)
{
    using enum TSVGStyleProperty;
    if (Values().StopColor == Value && !Inherits().Contains(ipStopColor))
        return;
    EditValues({ipStopColor}, [Value](TSVGStyleValues& values) { values.StopColor = Value; });
}

void TSVGGradientStop::SetStopOpacity(float Value)
{
    using enum TSVGStyleProperty;
    if (Values().StopOpacity == Value && !Inherits().Contains(ipStopOpacity))
        return;
    EditValues({ipStopOpacity}, [Value](TSVGStyleValues& values) { values.StopOpacity = Value; });
}

TGradientStop TSVGGradientStop::GradientStop() const
{
    return TGradientStop{FOffset, StopColor(), StopOpacity()};
}

bool TSVGGradientStop::IsRenderable() const
{
    return false;
}

QRectF TSVGGradientStop::BoundsRect() const
{
    return QRectF();
}

void TSVGGradientStop::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    SetOffset(0);
}

void TSVGGradientStop::AssignProperties(const TSVGElement* Source)
{
    if (const auto* stop = dynamic_cast<const TSVGGradientStop*>(Source); stop != nullptr && stop != this)
        SetOffset(stop->FOffset);
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGGradientStop::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGGradientStop>(aOwner);
}

TSVGGraphicElement* TSVGGradientStop::HitTestShape(const QTransform&, const QPointF&, const QRectF&, TSVGFindOptions)
{
    return nullptr;
}

} // namespace zor
