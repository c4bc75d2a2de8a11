#pragma once
// A control: a component placed in its container. Its place is kept in the
// units of the stored layout (the container scales them to its pixels): the
// bounds, the side it is aligned to, margins kept free around it and, for a
// control aligned nowhere, the container edges it keeps its distance to.

#include <QMarginsF>
#include <QRectF>
#include <span>

#include "platform/component.h"
#include "platform/enum_set.h"

namespace zor {

enum class TAlignLayout { alNone, alTop, alLeft, alRight, alBottom, alClient };
constexpr std::size_t EnumCount(TAlignLayout) { return 6; }

enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
constexpr std::size_t EnumCount(TAnchorKind) { return 4; }
using TAnchors = TEnumSet<TAnchorKind>;

class TControl : public TComponent {
public:
    static constexpr double DefaultSide = 100;

    TAlignLayout Align() const { return FAlign; }
    void SetAlign(TAlignLayout Value) { FAlign = Value; }
    // Position and size in layout units, in the container's frame.
    double Left() const { return FBounds.left(); }
    void SetLeft(double Value) { FBounds.moveLeft(Value); }
    double Top() const { return FBounds.top(); }
    void SetTop(double Value) { FBounds.moveTop(Value); }
    double Width() const { return FBounds.width(); }
    void SetWidth(double Value) { FBounds.setWidth(Value); }
    double Height() const { return FBounds.height(); }
    void SetHeight(double Value) { FBounds.setHeight(Value); }
    const QRectF& Bounds() const { return FBounds; }
    void SetBounds(const QRectF& Value) { FBounds = Value; }
    // Room kept free around the control inside its aligned place.
    const QMarginsF& Margins() const { return FMargins; }
    void SetMargins(const QMarginsF& Value) { FMargins = Value; }
    // For alNone: the edges of the container the control keeps its distance to.
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(const TAnchors& Value) { FAnchors = Value; }

private:
    TAlignLayout FAlign = TAlignLayout::alNone;
    QRectF FBounds{0, 0, DefaultSide, DefaultSide};
    QMarginsF FMargins;
    TAnchors FAnchors{TAnchorKind::akLeft, TAnchorKind::akTop};
};

std::span<const char* const> AlignLayoutNames();
std::span<const char* const> AnchorNames();

// Registers "TControl", abstract, below "TComponent": Align, Left, Top,
// Width, Height (always stored), Margins (left, top, right, bottom) and Anchors.
void RegisterControlClass(TStreamRegistry& Registry);

} // namespace zor
