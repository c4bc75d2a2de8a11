#pragma once
// Lengths with a unit or a percentage. A length does not store what its unit
// is worth: it asks its owner for the unit factors every time it computes a
// value, so a change of resolution or font size reaches every length at once.

#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "platform/events.h"
#include "platform/persistent.h"
#include "svg/values/style_properties.h"
#include "svg/values/units.h"

namespace zor {

using TSVGUnits = std::vector<TSVGUnit>;

// Entry u is the number of user units (pixels) in one u.
using TSVGUnitFactors = std::array<float, EnumCount(TSVGUnit{})>;

// 96 dots per inch with rounded constants: the table of a length without owner.
inline constexpr TSVGUnitFactors DefaultUnitFactors = {1, 1, 1.333f, 15.996f, 3.78f, 37.8f, 96, 1, 1, 1};

// The exact factors at DPI dots per inch; em and ex stay 1 for the element to
// scale by its font size.
TSVGUnitFactors UnitFactorsForResolution(float DPI);

inline float UnitFactor(const TSVGUnitFactors& Factors, TSVGUnit Unit)
{
    return Factors[static_cast<std::size_t>(Unit)];
}

class TSVGLength;

// The owner fills in its factors (in/out).
using TSVGUnitFactorsEvent = TEvent<const TPersistent&, TSVGUnitFactors&>;
// The owner supplies the reference range of a percentage (all in/out).
using TSVGLengthRangeEvent = TEvent<const TSVGLength&, float&, float&, bool&>;

// The lines from a value object (a length, brush, pen or font) to the object
// that owns it, as closures. The owner gives them when it makes the object,
// and the object keeps them to itself, so its public slots stay free for
// callers: an owner never assigns those. An empty line is not used; a query
// line takes the place of the public slot of the same purpose.
struct TSVGValueOwner {
    // After every change, before the public change event.
    TEvent<TPersistent&> Changed{};
    // The unit factors to measure with (lengths, pens).
    TSVGUnitFactorsEvent UnitFactors{};
    // The reference range of a percentage (lengths).
    TSVGLengthRangeEvent Range{};
    // Whether the owner currently inherits a property (brushes, pens, fonts).
    TSVGIsInheritedEvent IsInherited{};
};

// The same lines as an interface, for owners that hold many values: an
// element implements it once instead of making closures for every length.
// Slot is the number the owner gave the value, to tell its values apart. A
// query answered with false is left to the value's public slot.
class ISVGValueOwner {
public:
    virtual void OwnedValueChanged(TPersistent& Value, int Slot);
    virtual bool OwnedValueUnitFactors(const TPersistent& Value, int Slot, TSVGUnitFactors& Factors) const;
    virtual bool OwnedValueRange(const TSVGLength& Value, int Slot, float& Min, float& Max, bool& DoRange) const;
    virtual bool OwnedValueIsInherited(const TPersistent& Value, int Slot, TSVGStyleProperty Property,
                                       bool& Inherited) const;

protected:
    ~ISVGValueOwner() = default;
};

// A value object's link to its owner: the owner itself, or the lines it gave
// as closures, which the link keeps.
class TSVGOwnerLink {
public:
    TSVGOwnerLink() = default;
    TSVGOwnerLink(ISVGValueOwner& Owner, int Slot);
    // Lines without any closure make no link.
    explicit TSVGOwnerLink(TSVGValueOwner Lines);
    ~TSVGOwnerLink();
    TSVGOwnerLink(TSVGOwnerLink&& Other) noexcept;
    TSVGOwnerLink& operator=(TSVGOwnerLink&& Other) noexcept;
    TSVGOwnerLink(const TSVGOwnerLink&) = delete;
    TSVGOwnerLink& operator=(const TSVGOwnerLink&) = delete;

    explicit operator bool() const { return FOwner != nullptr; }
    void Changed(TPersistent& Value) const
    {
        if (FOwner != nullptr)
            FOwner->OwnedValueChanged(Value, FSlot);
    }
    bool UnitFactors(const TPersistent& Value, TSVGUnitFactors& Factors) const
    {
        return FOwner != nullptr && FOwner->OwnedValueUnitFactors(Value, FSlot, Factors);
    }
    bool Range(const TSVGLength& Value, float& Min, float& Max, bool& DoRange) const
    {
        return FOwner != nullptr && FOwner->OwnedValueRange(Value, FSlot, Min, Max, DoRange);
    }
    bool IsInherited(const TPersistent& Value, TSVGStyleProperty Property, bool& Inherited) const
    {
        return FOwner != nullptr && FOwner->OwnedValueIsInherited(Value, FSlot, Property, Inherited);
    }

private:
    void Release();

    ISVGValueOwner* FOwner = nullptr;
    int FSlot = 0;
    // FOwner is an adapter of closure lines that the link made and frees.
    bool FOwnsOwner = false;
};

class TSVGLength : public TPersistent {
public:
    TSVGLength() = default;
    explicit TSVGLength(TSVGValueOwner Owner);
    TSVGLength(ISVGValueOwner& Owner, int Slot);
    TSVGLength(float aValue, bool aPercent, TSVGUnit vUnit);
    TSVGLength(const TSVGLength&) = delete;
    TSVGLength& operator=(const TSVGLength&) = delete;

    void Assign(const TPersistent* Source) override;

    // The value in user units; a percentage is resolved against the owner's range.
    virtual float GetValue() const;
    virtual void SetValue(float Value);
    virtual void Clear();
    virtual std::unique_ptr<TSVGLength> Clone() const;
    void Initialize(float aValue, bool aPercent, TSVGUnit vUnit);
    // The number (a percentage mapped onto Min..Max) with its unit suffix.
    virtual QString ToString(const QString& FormatStr, float Min, float Max) const;

    TSVGUnit aUnit() const { return FUnit; }
    // Keeps the physical size: the number is converted into the new unit.
    void SetaUnit(TSVGUnit Value);
    float Raw() const { return FRaw; }
    void SetRaw(float Value);
    float Pixels() const;
    void SetPixels(float Value);
    bool IsPercent() const { return FIsPercent; }
    void SetIsPercent(bool Value);
    bool DefaultIsPercent() const { return FDefaultIsPercent; }

    float GetPercentValue(float Min, float Max) const;
    float GetAsUnit(TSVGUnit Index) const;
    void SetAsUnit(TSVGUnit Index, float aValue);

    virtual TSVGUnitFactors GetUnitFactors() const;

    TEvent<TSVGLength&> OnChange;
    TSVGLengthRangeEvent OnRange;
    TSVGUnitFactorsEvent OnUnitFactors;

protected:
    virtual void Changed();

private:
    TSVGOwnerLink FOwner;
    bool FDefaultIsPercent = false;
    float FRaw = 0;
    bool FIsPercent = false;
    TSVGUnit FUnit = TSVGUnit::suNone;
};

// An ordered list that owns its lengths.
class TSVGLengths {
public:
    qsizetype Count() const { return static_cast<qsizetype>(FItems.size()); }
    TSVGLength& Items(qsizetype Index) const;
    TSVGLength& operator[](qsizetype Index) const { return Items(Index); }
    TSVGLength& Add(std::unique_ptr<TSVGLength> Item);
    void Delete(qsizetype Index);
    void Clear() { FItems.clear(); }

    // Copies every length, in order, into Dest (emptied first) and returns it.
    TSVGLengths& Clone(TSVGLengths& Dest) const;
    std::unique_ptr<TSVGLengths> Clone() const;

private:
    std::vector<std::unique_ptr<TSVGLength>> FItems;
};

} // namespace zor
