#pragma once
// The fill brush and the stroke brush of the canvas: paint kind and colour,
// and for strokes the width, caps, joins and dash pattern. The renderer turns
// them into QBrush and QPen.

#include <span>
#include <vector>

#include "platform/events.h"
#include "platform/persistent.h"
#include "svg/values/change_helpers.h"
#include "svg/values/colors.h"
#include "svg/values/lengths.h"

namespace zor {

enum class TBrushKind { None, Solid, Gradient, Bitmap, Resource };
enum class TStrokeCap { Flat, Round, Square };
enum class TStrokeJoin { Miter, Round, Bevel };
enum class TStrokeDash { Solid, Dash, Dot, DashDot, DashDotDot, Custom };

// The pattern of a standard dash style in multiples of the stroke width;
// empty for Solid and Custom.
std::span<const float> StandardDashPattern(TStrokeDash Dash);

// A brush made by an owner reports to it through the owner's private lines;
// OnChanged stays free for callers.
class TBrush : public TPersistent {
public:
    TBrush(TBrushKind ADefaultKind, TAlphaColor ADefaultColor, TSVGValueOwner Owner = {});
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    // Copies kind, colour and both defaults.
    void Assign(const TPersistent* Source) override;

    TBrushKind Kind() const { return FKind; }
    virtual void SetKind(TBrushKind Value);
    TAlphaColor Color() const { return FColor; }
    void SetColor(TAlphaColor Value) { SetField(FColor, Value); }
    TBrushKind DefaultKind() const { return FDefaultKind; }
    void SetDefaultKind(TBrushKind Value) { FDefaultKind = Value; }
    TAlphaColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TAlphaColor Value) { FDefaultColor = Value; }

    TEvent<TBrush&> OnChanged;

protected:
    // Reports to the owner, then to OnChanged, unless changes are held back.
    void Changed();
    template <typename T>
    void SetField(T& Field, const T& Value)
    {
        if (StoreIfChanged(Field, Value))
            Changed();
    }
    const TSVGOwnerLink& Owner() const { return FOwner; }
    // For THeldChanges, around edits that report once at the end.
    int FHeldChanges = 0;

private:
    TSVGOwnerLink FOwner;
    TBrushKind FDefaultKind;
    TAlphaColor FDefaultColor;
    TBrushKind FKind;
    TAlphaColor FColor;
};

class TStrokeBrush : public TBrush {
public:
    using TBrush::TBrush;

    // Copies the brush part and every stroke setting.
    void Assign(const TPersistent* Source) override;

    float Thickness() const { return FThickness; }
    void SetThickness(float Value) { SetField(FThickness, Value); }
    TStrokeCap Cap() const { return FCap; }
    void SetCap(TStrokeCap Value) { SetField(FCap, Value); }
    TStrokeJoin Join() const { return FJoin; }
    void SetJoin(TStrokeJoin Value) { SetField(FJoin, Value); }
    TStrokeDash Dash() const { return FDash; }
    // A standard style; the custom pattern is kept for a later return to Custom.
    void SetDash(TStrokeDash Value) { SetField(FDash, Value); }
    // The custom pattern and its offset, in user units.
    const std::vector<float>& DashArray() const { return FDashArray; }
    float DashOffset() const { return FDashOffset; }
    // Sets the pattern and its offset and makes the style Custom.
    void SetCustomDash(const std::vector<float>& Pattern, float Offset);

protected:
    // For offsets kept in step with a length that notifies by itself.
    void StoreDashOffset(float Value) { FDashOffset = Value; }

private:
    float FThickness = 1;
    TStrokeCap FCap = TStrokeCap::Flat;
    TStrokeJoin FJoin = TStrokeJoin::Miter;
    TStrokeDash FDash = TStrokeDash::Solid;
    std::vector<float> FDashArray;
    float FDashOffset = 0;
};

} // namespace zor
