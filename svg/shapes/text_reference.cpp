#include "svg/shapes/text_reference.h"

#include "svg/model/element.h"

namespace zor {

TSVGReferenceLink::~TSVGReferenceLink()
{
    Follow(nullptr);
}

void TSVGReferenceLink::Follow(TSVGElement* Target)
{
    // One that dropped its listeners may be gone: it is not touched then.
    TSVGElement* const previous = this->Target();
    if (Target != nullptr && Target == previous)
        return;
    if (previous != nullptr)
        previous->RemoveChangeNotification(&FListener);
    FTarget = Target;
    if (FTarget != nullptr)
        FTarget->ChangeNotification(&FListener);
}

TSVGElement* TSVGReferenceLink::Target() const
{
    return FListener.Follows(FTarget) ? FTarget : nullptr;
}

} // namespace zor
