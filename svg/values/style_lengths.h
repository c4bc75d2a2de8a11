#pragma once
// Lengths of style properties that can take their value from the same
// property of the parent element: letter-, word-spacing, kerning and
// baseline-shift.

#include "svg/values/lengths.h"
#include "svg/values/style_keywords.h"
#include "svg/values/style_properties.h"

namespace zor {

class TSVGStylePropertyLength;

// The owner refreshes whether the length currently inherits (in/out).
using TSVGLengthGetInheritedEvent = TEvent<const TSVGStylePropertyLength&, bool&>;
// The owner learns that the length now inherits or not.
using TSVGLengthSetInheritedEvent = TEvent<TSVGStylePropertyLength&, bool>;
// The owner supplies the same length of the parent element, or null.
using TSVGLengthParentEvent = TEvent<const TSVGStylePropertyLength&, TSVGStylePropertyLength*&>;

// What a style length asks of the values that own it, kept private like
// ISVGValueOwner's lines: whether it inherits, the news that it now does or
// not (before OnSetInherited), and the same length of the parent. The
// answers take the place of the public slots of the same purpose.
class ISVGStyleLengthOwner {
public:
    virtual bool StyleLengthInherits(const TSVGStylePropertyLength& Length) const = 0;
    virtual void StyleLengthInheritanceChanged(TSVGStylePropertyLength& Length, bool Inherited) = 0;
    virtual TSVGStylePropertyLength* StyleLengthParent(const TSVGStylePropertyLength& Length) const = 0;

protected:
    ~ISVGStyleLengthOwner() = default;
};

class TSVGStylePropertyLength : public TSVGLength {
public:
    explicit TSVGStylePropertyLength(TSVGStyleProperty aStyleProperty, ISVGStyleLengthOwner* Owner = nullptr);

    void Assign(const TPersistent* Source) override;
    // The parent's value while inheriting from an existing parent.
    float GetValue() const override;
    // An own value ends the inheriting.
    void SetValue(float Value) override;
    void Clear() override;
    std::unique_ptr<TSVGLength> Clone() const override;

    TSVGStyleProperty StyleProperty() const { return FStyleProperty; }
    bool ParentValue() const;
    void SetParentValue(bool Value);
    virtual TSVGStylePropertyLength* GetParentValue() const;

    TSVGLengthGetInheritedEvent OnGetInherited;
    TSVGLengthSetInheritedEvent OnSetInherited;
    TSVGLengthParentEvent OnGetParent;

protected:
    // Own when not inheriting or without parent; otherwise the parent's.
    template <typename Derived, typename T>
    T InheritableValue(const T& Own, T (Derived::*Getter)() const) const
    {
        if (ParentValue())
            if (auto* parent = dynamic_cast<const Derived*>(GetParentValue()))
                return (parent->*Getter)();
        return Own;
    }
    // Stores an own value unless nothing would change, and ends the inheriting.
    template <typename T>
    void SetOwnValue(T& Field, const T& Value, const T& Effective)
    {
        if (Value == Field && !(ParentValue() && Value != Effective))
            return;
        Field = Value;
        SetParentValue(false);
        Changed();
    }

private:
    TSVGStyleProperty FStyleProperty;
    ISVGStyleLengthOwner* FOwner;
    // Refreshed from the owner when read.
    mutable bool FInherited = false;
};

// A length that can also be "automatic" (letter-spacing "normal", kerning "auto").
class TSVGStylePropertyAutoLength : public TSVGStylePropertyLength {
public:
    using TSVGStylePropertyLength::TSVGStylePropertyLength;

    void Assign(const TPersistent* Source) override;
    void Clear() override;
    std::unique_ptr<TSVGLength> Clone() const override;

    bool Automatic() const { return InheritableValue(FAutomatic, &TSVGStylePropertyAutoLength::Automatic); }
    void SetAutomatic(bool Value) { SetOwnValue(FAutomatic, Value, Automatic()); }

private:
    bool FAutomatic = true;
};

// baseline-shift: a keyword shift, or a length or percentage.
class TSVGBaselineShiftLength : public TSVGStylePropertyLength {
public:
    using TSVGStylePropertyLength::TSVGStylePropertyLength;

    void Assign(const TPersistent* Source) override;
    void Clear() override;
    std::unique_ptr<TSVGLength> Clone() const override;

    TSVGBaselineShift Shift() const { return InheritableValue(FShift, &TSVGBaselineShiftLength::Shift); }
    void SetShift(TSVGBaselineShift Value) { SetOwnValue(FShift, Value, Shift()); }

private:
    TSVGBaselineShift FShift = TSVGBaselineShift::bsBaseline;
};

} // namespace zor
