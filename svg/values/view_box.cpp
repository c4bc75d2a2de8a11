#include "svg/values/view_box.h"

#include <QStringList>
#include <array>
#include <cmath>

#include "platform/update_scope.h"
#include "svg/values/change_helpers.h"
#include "svg/values/length_text.h"
#include "svg/values/text_utils.h"

namespace zor {

TSVGViewBox::TSVGViewBox() = default;

TSVGViewBox::TSVGViewBox(TSVGValueOwner Owner)
    : FOwner(std::move(Owner))
{
}

void TSVGViewBox::OwnedValueChanged(TPersistent&, int)
{
    Changed();
}

bool TSVGViewBox::OwnedValueUnitFactors(const TPersistent& Length, int, TSVGUnitFactors& Factors) const
{
    if (!FOwner.UnitFactors(Length, Factors))
        Fire(FOnUnitFactors, Length, Factors);
    return true;
}

TSVGViewBox::TSVGViewBox(const QRectF& aRect)
    : TSVGViewBox()
{
    SetRect(aRect);
}

TSVGViewBox::TSVGViewBox(float aLeft, float aTop, float aRight, float aBottom)
    : TSVGViewBox(QRectF(QPointF(aLeft, aTop), QPointF(aRight, aBottom)))
{
}

void TSVGViewBox::Assign(const TPersistent* Source)
{
    auto* box = dynamic_cast<const TSVGViewBox*>(Source);
    if (box == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    {
        TUpdateScope update(*this);
        FX.Assign(&box->FX);
        FY.Assign(&box->FY);
        FWidth.Assign(&box->FWidth);
        FHeight.Assign(&box->FHeight);
    }
    FSpecified = box->FSpecified;
}

void TSVGViewBox::Clear()
{
    {
        TUpdateScope update(*this);
        for (TSVGLength* length : {&FX, &FY, &FWidth, &FHeight})
            length->Clear();
    }
    FSpecified = false;
}

QString TSVGViewBox::ToString(const QString& FormatStr, float Min, float Max) const
{
    QStringList texts;
    for (const TSVGLength* length : {&FX, &FY, &FWidth, &FHeight})
        texts << length->ToString(FormatStr, Min, Max);
    return texts.join(u' ');
}

void TSVGViewBox::SetRight(float Value)
{
    FWidth.SetValue(std::abs(Value - Left()));
}

void TSVGViewBox::SetBottom(float Value)
{
    FHeight.SetValue(std::abs(Value - Top()));
}

QRectF TSVGViewBox::Rect() const
{
    return QRectF(Left(), Top(), FWidth.GetValue(), FHeight.GetValue());
}

void TSVGViewBox::SetRect(const QRectF& Value)
{
    TUpdateScope update(*this);
    FX.SetValue(float(Value.x()));
    FY.SetValue(float(Value.y()));
    FWidth.SetValue(float(Value.width()));
    FHeight.SetValue(float(Value.height()));
}

void TSVGViewBox::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TSVGViewBox::Changed()
{
    if (FUpdateCount > 0)
        return;
    FSpecified = true;
    FOwner.Changed(*this);
    Fire(OnChange, *this);
}

void ParseViewBox(QStringView Text, TSVGViewBox& Box)
{
    const QStringList pieces = SplitTrimmed(Text, u", \n\r");
    if (pieces.isEmpty()) {
        Box.Clear();
        return;
    }
    TSVGLength* lengths[] = {&Box.X(), &Box.Y(), &Box.Width(), &Box.Height()};
    TUpdateScope update(Box);
    for (qsizetype i = 0; i < pieces.size() && i < 4; ++i)
        ParseLength(pieces[i], *lengths[i]);
}


namespace {

constexpr std::array<const char*, EnumCount(TSVGAlign{})> AlignNames = {
    "none", "xMinYMin", "xMidYMin", "xMaxYMin", "xMinYMid", "xMidYMid", "xMaxYMid", "xMinYMax", "xMidYMax", "xMaxYMax"};

TSVGAlign AlignFromName(QStringView Name)
{
    for (std::size_t i = 0; i < AlignNames.size(); ++i)
        if (Name == QLatin1String(AlignNames[i]))
            return static_cast<TSVGAlign>(i);
    return TSVGAlign::saNone;
}

} // namespace

QLatin1String AlignName(TSVGAlign Align)
{
    return QLatin1String(AlignNames[static_cast<std::size_t>(Align)]);
}

TSVGPreserveAspectRatio::TSVGPreserveAspectRatio(TSVGAlign aDefaultAlign, bool aDefaultDefer, bool aDefaultSlice,
                                                 TSVGValueOwner Owner)
    : FOwner(std::move(Owner))
    , FAlign(aDefaultAlign)
    , FDefer(aDefaultDefer)
    , FSlice(aDefaultSlice)
    , FDefaultSlice(aDefaultSlice)
    , FDefaultAlign(aDefaultAlign)
    , FDefaultDefer(aDefaultDefer)
{
}

void TSVGPreserveAspectRatio::Assign(const TPersistent* Source)
{
    if (auto* ratio = dynamic_cast<const TSVGPreserveAspectRatio*>(Source)) {
        FAlign = ratio->FAlign;
        FDefer = ratio->FDefer;
        FSlice = ratio->FSlice;
        FDefaultAlign = ratio->FDefaultAlign;
        FDefaultDefer = ratio->FDefaultDefer;
        FDefaultSlice = ratio->FDefaultSlice;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TSVGPreserveAspectRatio::Clear()
{
    FAlign = FDefaultAlign;
    FDefer = FDefaultDefer;
    FSlice = FDefaultSlice;
    Changed();
}

QString TSVGPreserveAspectRatio::ToString(bool Compact) const
{
    QString text = FDefer ? QStringLiteral("defer ") : QString();
    text += AlignName(FAlign);
    if (FSlice)
        text += QLatin1String(" slice");
    else if (!Compact)
        text += QLatin1String(" meet");
    return text;
}

void TSVGPreserveAspectRatio::SetAlign(TSVGAlign Value)
{
    if (StoreIfChanged(FAlign, Value))
        Changed();
}

void TSVGPreserveAspectRatio::SetDefer(bool Value)
{
    if (StoreIfChanged(FDefer, Value))
        Changed();
}

void TSVGPreserveAspectRatio::SetSlice(bool Value)
{
    if (StoreIfChanged(FSlice, Value))
        Changed();
}

void TSVGPreserveAspectRatio::Changed()
{
    FOwner.Changed(*this);
    Fire(OnChange, *this);
}

void ParseAspectRatio(QStringView Text, TSVGPreserveAspectRatio& Ratio)
{
    const QStringList pieces = SplitTrimmed(Text, u" ");
    if (pieces.isEmpty())
        return;
    const bool defer = pieces.size() >= 2 && pieces[0] == QLatin1String("defer");
    const qsizetype alignIndex = defer ? 1 : 0;
    Ratio.SetDefer(defer);
    Ratio.SetAlign(AlignFromName(pieces[alignIndex]));
    Ratio.SetSlice(alignIndex + 1 < pieces.size() && pieces[alignIndex + 1] == QLatin1String("slice"));
}

} // namespace zor
