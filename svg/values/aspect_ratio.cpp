#include "svg/values/aspect_ratio.h"

#include <QStringList>
#include <array>

#include "svg/values/change_helpers.h"
#include "svg/values/text_utils.h"

namespace zor {

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

TSVGPreserveAspectRatio::TSVGPreserveAspectRatio(TSVGAlign aDefaultAlign, bool aDefaultDefer, bool aDefaultSlice)
    : FAlign(aDefaultAlign)
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
