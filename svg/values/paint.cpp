#include "svg/values/paint.h"

#include <algorithm>
#include <cmath>

#include "svg/values/change_helpers.h"

namespace zor {

namespace {

bool ClampOpacity(float Value, float& Clamped)
{
    if (std::isnan(Value))
        return false;
    Clamped = std::clamp(Value, 0.0f, 1.0f);
    return true;
}

} // namespace

template <typename Base>
void TSVGPaint<Base>::SetOpacity(float Value)
{
    float clamped = 0;
    if (ClampOpacity(Value, clamped) && StoreIfChanged(FOpacity, clamped))
        this->Changed();
}

template <typename Base>
void TSVGPaint<Base>::SetDefaultOpacity(float Value)
{
    ClampOpacity(Value, FDefaultOpacity);
}

template <typename Base>
void TSVGPaint<Base>::SetURI(const QString& Value)
{
    if (StoreIfChanged(FURI, Value))
        this->Changed();
}

template <typename Base>
void TSVGPaint<Base>::SetHasFallback(bool Value)
{
    if (StoreIfChanged(FHasFallback, Value))
        this->Changed();
}

template <typename Base>
void TSVGPaint<Base>::SetKind(TBrushKind Value)
{
    if (Value == this->Kind())
        return;
    if (Value == TBrushKind::None || Value == TBrushKind::Solid)
        FURI.clear();
    Base::SetKind(Value);
}

template <typename Base>
void TSVGPaint<Base>::UpdateColorOpacity()
{
    this->SetColor(ColorWithOpacity(this->Color(), FOpacity));
}

template <typename Base>
void TSVGPaint<Base>::AssignPaint(const TSVGPaint& Source)
{
    FDefaultOpacity = Source.FDefaultOpacity;
    FOpacity = Source.FOpacity;
    FURI = Source.FURI;
    FHasFallback = Source.FHasFallback;
}

template <typename Base>
void TSVGPaint<Base>::ClearPaint()
{
    this->SetColor(OpaqueBlack);
    FURI.clear();
    FHasFallback = false;
    FOpacity = FDefaultOpacity;
}

template class TSVGPaint<TBrush>;
template class TSVGPaint<TStrokeBrush>;

TSVGBrush::TSVGBrush(TBrushKind ADefaultKind, TAlphaColor ADefaultColor, TSVGValueOwner Owner)
    : TSVGPaint(ADefaultKind, ADefaultColor, std::move(Owner))
{
}

void TSVGBrush::Assign(const TPersistent* Source)
{
    if (auto* brush = dynamic_cast<const TSVGBrush*>(Source))
        AssignPaint(*brush);
    TSVGPaint::Assign(Source);
}

void TSVGBrush::Clear()
{
    {
        const THeldChanges held(FHeldChanges);
        ClearPaint();
        SetKind(TBrushKind::Solid);
    }
    Changed();
}

} // namespace zor
