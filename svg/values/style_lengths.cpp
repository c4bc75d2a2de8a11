#include "svg/values/style_lengths.h"

namespace zor {

namespace {

template <typename T>
std::unique_ptr<TSVGLength> CloneAs(const T& Source)
{
    auto copy = std::make_unique<T>(Source.StyleProperty());
    copy->Assign(&Source);
    return copy;
}

} // namespace

TSVGStylePropertyLength::TSVGStylePropertyLength(TSVGStyleProperty aStyleProperty, ISVGStyleLengthOwner* Owner)
    : FStyleProperty(aStyleProperty)
    , FOwner(Owner)
{
}

void TSVGStylePropertyLength::Assign(const TPersistent* Source)
{
    if (auto* length = dynamic_cast<const TSVGStylePropertyLength*>(Source))
        FInherited = length->FInherited;
    TSVGLength::Assign(Source);
}

float TSVGStylePropertyLength::GetValue() const
{
    if (ParentValue())
        if (const TSVGStylePropertyLength* parent = GetParentValue())
            return parent->GetValue();
    return TSVGLength::GetValue();
}

void TSVGStylePropertyLength::SetValue(float Value)
{
    if (Raw() == Value && !(ParentValue() && Value != GetValue()))
        return;
    SetParentValue(false);
    TSVGLength::SetValue(Value);
}

void TSVGStylePropertyLength::Clear()
{
    TSVGLength::Clear();
    SetParentValue(false);
}

std::unique_ptr<TSVGLength> TSVGStylePropertyLength::Clone() const
{
    return CloneAs(*this);
}

bool TSVGStylePropertyLength::ParentValue() const
{
    if (FOwner != nullptr)
        FInherited = FOwner->StyleLengthInherits(*this);
    else if (OnGetInherited && OnGetParent)
        OnGetInherited(*this, FInherited);
    return FInherited;
}

void TSVGStylePropertyLength::SetParentValue(bool Value)
{
    if (Value == ParentValue())
        return;
    FInherited = Value;
    if (FOwner != nullptr)
        FOwner->StyleLengthInheritanceChanged(*this, Value);
    Fire(OnSetInherited, *this, Value);
    Changed();
}

TSVGStylePropertyLength* TSVGStylePropertyLength::GetParentValue() const
{
    if (FOwner != nullptr)
        return FOwner->StyleLengthParent(*this);
    TSVGStylePropertyLength* parent = nullptr;
    Fire(OnGetParent, *this, parent);
    return parent;
}

void TSVGStylePropertyAutoLength::Assign(const TPersistent* Source)
{
    if (auto* length = dynamic_cast<const TSVGStylePropertyAutoLength*>(Source))
        FAutomatic = length->FAutomatic;
    TSVGStylePropertyLength::Assign(Source);
}

void TSVGStylePropertyAutoLength::Clear()
{
    TSVGStylePropertyLength::Clear();
    FAutomatic = true;
}

std::unique_ptr<TSVGLength> TSVGStylePropertyAutoLength::Clone() const
{
    return CloneAs(*this);
}

void TSVGBaselineShiftLength::Assign(const TPersistent* Source)
{
    if (auto* length = dynamic_cast<const TSVGBaselineShiftLength*>(Source))
        FShift = length->FShift;
    TSVGStylePropertyLength::Assign(Source);
}

void TSVGBaselineShiftLength::Clear()
{
    TSVGStylePropertyLength::Clear();
    FShift = TSVGBaselineShift::bsBaseline;
}

std::unique_ptr<TSVGLength> TSVGBaselineShiftLength::Clone() const
{
    return CloneAs(*this);
}

} // namespace zor
