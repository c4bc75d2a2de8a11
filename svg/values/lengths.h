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
// that owns it. The owner gives them when it makes the object, and the object
// keeps them to itself, so its public slots stay free for callers: an owner
// never assigns those. An empty line is not used; a query line takes the
// place of the public slot of the same purpose.
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

class TSVGLength : public TPersistent {
public:
    TSVGLength() = default;
    explicit TSVGLength(TSVGValueOwner Owner);
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
    TSVGValueOwner FOwner;
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
