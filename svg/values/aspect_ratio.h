#pragma once
// preserveAspectRatio: how a view box is aligned and scaled into its viewport.

#include <QLatin1String>
#include <QString>
#include <QStringView>

#include "platform/events.h"
#include "platform/persistent.h"

namespace zor {

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
    TSVGPreserveAspectRatio(TSVGAlign aDefaultAlign, bool aDefaultDefer, bool aDefaultSlice);
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
