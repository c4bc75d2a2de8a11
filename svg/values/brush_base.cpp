#include "svg/values/brush_base.h"

#include <array>

namespace zor {

namespace {

constexpr std::array<float, 2> DashPattern = {3, 1};
constexpr std::array<float, 2> DotPattern = {1, 1};
constexpr std::array<float, 4> DashDotPattern = {3, 1, 1, 1};
constexpr std::array<float, 6> DashDotDotPattern = {3, 1, 1, 1, 1, 1};

} // namespace

std::span<const float> StandardDashPattern(TStrokeDash Dash)
{
    switch (Dash) {
    case TStrokeDash::Dash:
        return DashPattern;
    case TStrokeDash::Dot:
        return DotPattern;
    case TStrokeDash::DashDot:
        return DashDotPattern;
    case TStrokeDash::DashDotDot:
        return DashDotDotPattern;
    case TStrokeDash::Solid:
    case TStrokeDash::Custom:
        break;
    }
    return {};
}

TBrush::TBrush(TBrushKind ADefaultKind, TAlphaColor ADefaultColor, TSVGValueOwner Owner)
    : FOwner(std::move(Owner))
    , FDefaultKind(ADefaultKind)
    , FDefaultColor(ADefaultColor)
    , FKind(ADefaultKind)
    , FColor(ADefaultColor)
{
}

void TBrush::Assign(const TPersistent* Source)
{
    if (auto* brush = dynamic_cast<const TBrush*>(Source)) {
        FDefaultKind = brush->FDefaultKind;
        FDefaultColor = brush->FDefaultColor;
        FKind = brush->FKind;
        FColor = brush->FColor;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TBrush::SetKind(TBrushKind Value)
{
    SetField(FKind, Value);
}

void TBrush::Changed()
{
    if (FHeldChanges > 0)
        return;
    FOwner.Changed(*this);
    Fire(OnChanged, *this);
}

void TStrokeBrush::Assign(const TPersistent* Source)
{
    if (auto* stroke = dynamic_cast<const TStrokeBrush*>(Source)) {
        FThickness = stroke->FThickness;
        FCap = stroke->FCap;
        FJoin = stroke->FJoin;
        FDash = stroke->FDash;
        FDashArray = stroke->FDashArray;
        FDashOffset = stroke->FDashOffset;
    }
    TBrush::Assign(Source);
}

void TStrokeBrush::SetCustomDash(const std::vector<float>& Pattern, float Offset)
{
    FDashArray = Pattern;
    FDashOffset = Offset;
    FDash = TStrokeDash::Custom;
    Changed();
}

} // namespace zor
