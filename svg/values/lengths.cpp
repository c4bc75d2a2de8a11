#include "svg/values/lengths.h"

#include <utility>

#include "svg/values/number_parsers.h"

namespace zor {

TSVGUnitFactors UnitFactorsForResolution(float DPI)
{
    TSVGUnitFactors factors;
    factors.fill(1);
    auto set = [&factors](TSVGUnit unit, float value) { factors[static_cast<std::size_t>(unit)] = value; };
    set(TSVGUnit::suPoints, DPI / 72);
    set(TSVGUnit::suPicas, DPI / 72 * 12);
    set(TSVGUnit::suMillimeters, DPI / 2.54f / 10);
    set(TSVGUnit::suCentimeters, DPI / 2.54f);
    set(TSVGUnit::suInches, DPI);
    return factors;
}

void ISVGValueOwner::OwnedValueChanged(TPersistent&, int) {}

bool ISVGValueOwner::OwnedValueUnitFactors(const TPersistent&, int, TSVGUnitFactors&) const
{
    return false;
}

bool ISVGValueOwner::OwnedValueRange(const TSVGLength&, int, float&, float&, bool&) const
{
    return false;
}

bool ISVGValueOwner::OwnedValueIsInherited(const TPersistent&, int, TSVGStyleProperty, bool&) const
{
    return false;
}

namespace {

// Closure lines behind the interface; a line that is not given answers false.
class TSVGOwnerLines final : public ISVGValueOwner {
public:
    explicit TSVGOwnerLines(TSVGValueOwner Lines)
        : FLines(std::move(Lines))
    {
    }
    virtual ~TSVGOwnerLines() = default;

    void OwnedValueChanged(TPersistent& Value, int) override { Fire(FLines.Changed, Value); }
    bool OwnedValueUnitFactors(const TPersistent& Value, int, TSVGUnitFactors& Factors) const override
    {
        return Answer(FLines.UnitFactors, Value, Factors);
    }
    bool OwnedValueRange(const TSVGLength& Value, int, float& Min, float& Max, bool& DoRange) const override
    {
        return Answer(FLines.Range, Value, Min, Max, DoRange);
    }
    bool OwnedValueIsInherited(const TPersistent& Value, int, TSVGStyleProperty Property,
                               bool& Inherited) const override
    {
        return Answer(FLines.IsInherited, Value, Property, Inherited);
    }

private:
    template <typename Line, typename... Args>
    static bool Answer(const Line& Query, Args&&... Arguments)
    {
        if (!Query)
            return false;
        Query(std::forward<Args>(Arguments)...);
        return true;
    }

    TSVGValueOwner FLines;
};

} // namespace

TSVGOwnerLink::TSVGOwnerLink(ISVGValueOwner& Owner, int Slot)
    : FOwner(&Owner)
    , FSlot(Slot)
{
}

TSVGOwnerLink::TSVGOwnerLink(TSVGValueOwner Lines)
{
    if (!Lines.Changed && !Lines.UnitFactors && !Lines.Range && !Lines.IsInherited)
        return;
    FOwner = new TSVGOwnerLines(std::move(Lines));
    FOwnsOwner = true;
}

TSVGOwnerLink::~TSVGOwnerLink()
{
    Release();
}

TSVGOwnerLink::TSVGOwnerLink(TSVGOwnerLink&& Other) noexcept
    : FOwner(std::exchange(Other.FOwner, nullptr))
    , FSlot(Other.FSlot)
    , FOwnsOwner(std::exchange(Other.FOwnsOwner, false))
{
}

TSVGOwnerLink& TSVGOwnerLink::operator=(TSVGOwnerLink&& Other) noexcept
{
    if (this != &Other) {
        Release();
        FOwner = std::exchange(Other.FOwner, nullptr);
        FSlot = Other.FSlot;
        FOwnsOwner = std::exchange(Other.FOwnsOwner, false);
    }
    return *this;
}

void TSVGOwnerLink::Release()
{
    if (FOwnsOwner)
        delete static_cast<TSVGOwnerLines*>(FOwner);
    FOwner = nullptr;
    FOwnsOwner = false;
}

TSVGLength::TSVGLength(TSVGValueOwner Owner)
    : FOwner(std::move(Owner))
{
}

TSVGLength::TSVGLength(ISVGValueOwner& Owner, int Slot)
    : FOwner(Owner, Slot)
{
}

TSVGLength::TSVGLength(float aValue, bool aPercent, TSVGUnit vUnit)
    : FDefaultIsPercent(aPercent)
    , FRaw(aValue)
    , FIsPercent(aPercent)
    , FUnit(vUnit)
{
}

void TSVGLength::Assign(const TPersistent* Source)
{
    if (auto* length = dynamic_cast<const TSVGLength*>(Source)) {
        FRaw = length->FRaw;
        FIsPercent = length->FIsPercent;
        FDefaultIsPercent = length->FDefaultIsPercent;
        FUnit = length->FUnit;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

float TSVGLength::GetValue() const
{
    const float pixels = Pixels();
    if (!FIsPercent)
        return pixels;
    float min = 0;
    float max = 1;
    bool doRange = true;
    if (!FOwner.Range(*this, min, max, doRange))
        Fire(OnRange, *this, min, max, doRange);
    return doRange ? min + (max - min) * pixels : pixels;
}

void TSVGLength::SetValue(float Value)
{
    SetPixels(Value);
}

void TSVGLength::Clear()
{
    FRaw = 0;
    FIsPercent = FDefaultIsPercent;
    FUnit = TSVGUnit::suNone;
    Changed();
}

std::unique_ptr<TSVGLength> TSVGLength::Clone() const
{
    auto copy = std::make_unique<TSVGLength>();
    copy->Assign(this);
    return copy;
}

void TSVGLength::Initialize(float aValue, bool aPercent, TSVGUnit vUnit)
{
    FRaw = aValue;
    FIsPercent = aPercent;
    FDefaultIsPercent = aPercent;
    FUnit = vUnit;
    Changed();
}

QString TSVGLength::ToString(const QString& FormatStr, float Min, float Max) const
{
    return FormatNumber(FUnit, FormatStr, GetPercentValue(Min, Max));
}

void TSVGLength::SetaUnit(TSVGUnit Value)
{
    if (Value != FUnit)
        SetAsUnit(Value, GetAsUnit(Value));
}

void TSVGLength::SetRaw(float Value)
{
    if (Value == FRaw)
        return;
    FRaw = Value;
    Changed();
}

float TSVGLength::Pixels() const
{
    return FRaw * UnitFactor(GetUnitFactors(), FUnit);
}

void TSVGLength::SetPixels(float Value)
{
    // An em or ex length in a font of size 0 has no number that gives Value.
    const float factor = UnitFactor(GetUnitFactors(), FUnit);
    if (factor == 0)
        return;
    SetRaw(Value / factor);
}

void TSVGLength::SetIsPercent(bool Value)
{
    if (Value == FIsPercent)
        return;
    FIsPercent = Value;
    Changed();
}

float TSVGLength::GetPercentValue(float Min, float Max) const
{
    return FIsPercent ? Min + (Max - Min) * FRaw : FRaw;
}

float TSVGLength::GetAsUnit(TSVGUnit Index) const
{
    const TSVGUnitFactors factors = GetUnitFactors();
    const float target = UnitFactor(factors, Index);
    if (target == 0)
        return FRaw;
    return FRaw * UnitFactor(factors, FUnit) / target;
}

void TSVGLength::SetAsUnit(TSVGUnit Index, float aValue)
{
    FUnit = Index;
    FRaw = aValue;
    FIsPercent = Index == TSVGUnit::suPercent;
    Changed();
}

TSVGUnitFactors TSVGLength::GetUnitFactors() const
{
    TSVGUnitFactors factors = DefaultUnitFactors;
    if (!FOwner.UnitFactors(*this, factors))
        Fire(OnUnitFactors, *this, factors);
    return factors;
}

void TSVGLength::Changed()
{
    FOwner.Changed(*this);
    Fire(OnChange, *this);
}

TSVGLength& TSVGLengths::Items(qsizetype Index) const
{
    if (Index < 0 || Index >= Count())
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
    return *FItems[static_cast<std::size_t>(Index)];
}

TSVGLength& TSVGLengths::Add(std::unique_ptr<TSVGLength> Item)
{
    if (!Item)
        Raise<EArgumentOutOfRangeException>(QString::fromLatin1(messages::ArgumentOutOfRange));
    FItems.push_back(std::move(Item));
    return *FItems.back();
}

void TSVGLengths::Delete(qsizetype Index)
{
    Items(Index);
    FItems.erase(FItems.begin() + Index);
}

TSVGLengths& TSVGLengths::Clone(TSVGLengths& Dest) const
{
    if (&Dest == this)
        return Dest;
    Dest.Clear();
    for (const auto& item : FItems)
        Dest.Add(item->Clone());
    return Dest;
}

std::unique_ptr<TSVGLengths> TSVGLengths::Clone() const
{
    auto copy = std::make_unique<TSVGLengths>();
    Clone(*copy);
    return copy;
}

} // namespace zor
