#pragma once
// The viewBox of an svg, symbol, marker or pattern element (four lengths that
// notify as one), and preserveAspectRatio: how a view box is aligned and
// scaled into its viewport.

#include <QLatin1String>
#include <QRectF>
#include <QString>
#include <QStringView>

#include "platform/events.h"
#include "platform/persistent.h"
#include "svg/values/lengths.h"

namespace zor {

// The four lengths report to the box through private lines: their public
// slots stay free for callers. An owner hears of changes through its own line.
class TSVGViewBox : public TPersistent, private ISVGValueOwner {
public:
    TSVGViewBox();
    explicit TSVGViewBox(TSVGValueOwner Owner);
    explicit TSVGViewBox(const QRectF& aRect);
    TSVGViewBox(float aLeft, float aTop, float aRight, float aBottom);
    TSVGViewBox(const TSVGViewBox&) = delete;
    TSVGViewBox& operator=(const TSVGViewBox&) = delete;

    // Copies the four lengths with one notification; Specified follows the source.
    void Assign(const TPersistent* Source) override;
    // Clears the four lengths with one notification; afterwards not Specified.
    virtual void Clear();
    // X, Y, Width and Height separated by single spaces.
    virtual QString ToString(const QString& FormatStr, float Min, float Max) const;

    TSVGLength& X() { return FX; }
    const TSVGLength& X() const { return FX; }
    void SetX(const TSVGLength& Value) { FX.Assign(&Value); }
    TSVGLength& Y() { return FY; }
    const TSVGLength& Y() const { return FY; }
    void SetY(const TSVGLength& Value) { FY.Assign(&Value); }
    TSVGLength& Width() { return FWidth; }
    const TSVGLength& Width() const { return FWidth; }
    void SetWidth(const TSVGLength& Value) { FWidth.Assign(&Value); }
    TSVGLength& Height() { return FHeight; }
    const TSVGLength& Height() const { return FHeight; }
    void SetHeight(const TSVGLength& Value) { FHeight.Assign(&Value); }

    // Edges in user units.
    float Left() const { return FX.GetValue(); }
    void SetLeft(float Value) { FX.SetValue(Value); }
    float Top() const { return FY.GetValue(); }
    void SetTop(float Value) { FY.SetValue(Value); }
    float Right() const { return Left() + FWidth.GetValue(); }
    void SetRight(float Value);
    float Bottom() const { return Top() + FHeight.GetValue(); }
    void SetBottom(float Value);
    QRectF Rect() const;
    void SetRect(const QRectF& Value);

    // True once the box has been given a value.
    bool Specified() const { return FSpecified; }
    // Stored silently: for a box that holds the viewport's rectangle until a
    // viewBox attribute gives its own.
    void SetSpecified(bool Value) { FSpecified = Value; }

    // Changes inside a bracket are reported once, when the outermost one ends.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    // Where the four lengths take their unit factors from.
    const TSVGUnitFactorsEvent& OnUnitFactors() const { return FOnUnitFactors; }
    void SetOnUnitFactors(const TSVGUnitFactorsEvent& Value) { FOnUnitFactors = Value; }
    TSVGUnitFactors GetUnitFactors() const { return FX.GetUnitFactors(); }

    TEvent<TSVGViewBox&> OnChange;

private:
    void Changed();
    void OwnedValueChanged(TPersistent& Value, int Slot) override;
    bool OwnedValueUnitFactors(const TPersistent& Value, int Slot, TSVGUnitFactors& Factors) const override;

    TSVGOwnerLink FOwner;
    TSVGUnitFactorsEvent FOnUnitFactors;
    TSVGLength FWidth{*this, 0};
    TSVGLength FHeight{*this, 0};
    TSVGLength FY{*this, 0};
    TSVGLength FX{*this, 0};
    bool FSpecified = false;
    int FUpdateCount = 0;
};

// Reads "x y width height" (commas or blanks between) into the box; the
// pieces present are read in that order, an empty text clears the box.
void ParseViewBox(QStringView Text, TSVGViewBox& Box);


enum class TSVGAlign {
    saNone,
    saXMinYMin,
    saXMidYMin,
    saXMaxYMin,
    saXMinYMid,
    saXMidYMid,
    saXMaxYMid,
    saXMinYMax,
    saXMidYMax,
    saXMaxYMax
};
constexpr std::size_t EnumCount(TSVGAlign) { return 10; }

// "none", "xMinYMin", ... "xMaxYMax".
QLatin1String AlignName(TSVGAlign Align);

class TSVGPreserveAspectRatio : public TPersistent {
public:
    TSVGPreserveAspectRatio(TSVGAlign aDefaultAlign, bool aDefaultDefer, bool aDefaultSlice,
                            TSVGValueOwner Owner = {});
    TSVGPreserveAspectRatio(const TSVGPreserveAspectRatio&) = delete;
    TSVGPreserveAspectRatio& operator=(const TSVGPreserveAspectRatio&) = delete;

    // Copies the values and their defaults.
    void Assign(const TPersistent* Source) override;
    // Back to the defaults.
    virtual void Clear();
    // "[defer ]align[ slice| meet]"; Compact leaves out " meet".
    virtual QString ToString(bool Compact) const;

    TSVGAlign Align() const { return FAlign; }
    void SetAlign(TSVGAlign Value);
    bool Defer() const { return FDefer; }
    void SetDefer(bool Value);
    bool Slice() const { return FSlice; }
    void SetSlice(bool Value);
    TSVGAlign DefaultAlign() const { return FDefaultAlign; }
    bool DefaultDefer() const { return FDefaultDefer; }
    bool DefaultSlice() const { return FDefaultSlice; }

    TEvent<TSVGPreserveAspectRatio&> OnChange;

private:
    void Changed();

    TSVGOwnerLink FOwner;
    TSVGAlign FAlign;
    bool FDefer;
    bool FSlice;
    bool FDefaultSlice;
    TSVGAlign FDefaultAlign;
    bool FDefaultDefer;
};

// Reads "[defer] align [meet|slice]". Align names are matched exactly; an
// unknown one gives saNone. An empty text changes nothing.
void ParseAspectRatio(QStringView Text, TSVGPreserveAspectRatio& Ratio);

} // namespace zor
