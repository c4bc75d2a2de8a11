#include "svg/render/fitting.h"

#include <algorithm>
#include <cmath>

#include "geometry/geometry_functions.h"

namespace zor {

namespace {

enum class TAxisAlign { Min, Mid, Max };

TAxisAlign XAlign(TSVGAlign Align)
{
    switch (Align) {
    case TSVGAlign::saXMidYMin:
    case TSVGAlign::saXMidYMid:
    case TSVGAlign::saXMidYMax:
        return TAxisAlign::Mid;
    case TSVGAlign::saXMaxYMin:
    case TSVGAlign::saXMaxYMid:
    case TSVGAlign::saXMaxYMax:
        return TAxisAlign::Max;
    default:
        return TAxisAlign::Min;
    }
}

TAxisAlign YAlign(TSVGAlign Align)
{
    switch (Align) {
    case TSVGAlign::saXMinYMid:
    case TSVGAlign::saXMidYMid:
    case TSVGAlign::saXMaxYMid:
        return TAxisAlign::Mid;
    case TSVGAlign::saXMinYMax:
    case TSVGAlign::saXMidYMax:
    case TSVGAlign::saXMaxYMax:
        return TAxisAlign::Max;
    default:
        return TAxisAlign::Min;
    }
}

// Where the scaled box of Extent starts within the viewport edge Start..Start + Size.
double AlignedStart(TAxisAlign Align, double Start, double Size, double Extent)
{
    switch (Align) {
    case TAxisAlign::Mid:
        return Start + (Size - Extent) / 2;
    case TAxisAlign::Max:
        return Start + Size - Extent;
    case TAxisAlign::Min:
        break;
    }
    return Start;
}

bool IsDrawableSize(double Size)
{
    return std::isfinite(Size) && Size > 0;
}

// Value on the edge Start..Start + Size mapped onto BoxStart..BoxStart + BoxSize;
// unchanged along an axis without extent.
double StretchAxis(double Value, double Start, double Size, double BoxStart, double BoxSize)
{
    if (Size == 0 || !std::isfinite(Size))
        return Value;
    return (Value - Start) / Size * BoxSize + BoxStart;
}

} // namespace

QTransform FitToRect(const QRectF& aRect, const QRectF& TargetRect)
{
    if (TargetRect.width() == 0 || TargetRect.height() == 0)
        return QTransform();
    return TranslationMatrix(-TargetRect.left(), -TargetRect.top())
        * ScalingMatrix(aRect.width() / TargetRect.width(), aRect.height() / TargetRect.height())
        * TranslationMatrix(aRect.left(), aRect.top());
}

std::optional<QTransform> ViewBoxMatrix(const QRectF& ViewBox, const QRectF& Viewport, TSVGAlign Align, bool Slice)
{
    // A zero size disables drawing, a negative one is an error; neither may
    // reach a division.
    if (!IsDrawableSize(ViewBox.width()) || !IsDrawableSize(ViewBox.height()))
        return std::nullopt;
    double sx = Viewport.width() / ViewBox.width();
    double sy = Viewport.height() / ViewBox.height();
    if (Align != TSVGAlign::saNone)
        sx = sy = Slice ? std::max(sx, sy) : std::min(sx, sy);
    const double tx = AlignedStart(XAlign(Align), Viewport.left(), Viewport.width(), ViewBox.width() * sx);
    const double ty = AlignedStart(YAlign(Align), Viewport.top(), Viewport.height(), ViewBox.height() * sy);
    return TranslationMatrix(-ViewBox.left(), -ViewBox.top()) * ScalingMatrix(sx, sy) * TranslationMatrix(tx, ty);
}

std::optional<QTransform> ViewBoxMatrix(const QRectF& ViewBox, const QRectF& Viewport,
                                        const TSVGPreserveAspectRatio& AspectRatio)
{
    return ViewBoxMatrix(ViewBox, Viewport, AspectRatio.Align(), AspectRatio.Slice());
}

QPointF ScreenToLocal(QPointF Pt, const QRectF& aRect, const QRectF& ViewBox)
{
    return {StretchAxis(Pt.x(), aRect.left(), aRect.width(), ViewBox.left(), ViewBox.width()),
            StretchAxis(Pt.y(), aRect.top(), aRect.height(), ViewBox.top(), ViewBox.height())};
}

QRectF BitmapTargetRect(const QSize& Size)
{
    return QRectF(0, 0, Size.width(), Size.height());
}

} // namespace zor
