#include "bench/renderer_under_test.h"

#include <QtMath>
#include <cmath>

#include "platform/exceptions.h"

namespace zor::bench {

QSize DrawingSize(QSizeF Intrinsic, int Width)
{
    // QImage refuses anything taller.
    constexpr double MaximumHeight = 32767;
    const double w = Intrinsic.width();
    const double h = Intrinsic.height();
    if (!std::isfinite(w) || !std::isfinite(h) || w <= 0 || h <= 0)
        Raise<Exception>(QStringLiteral("the document has no usable size (%s x %s)"),
                         {QString::number(w), QString::number(h)});
    const double height = std::max(1.0, std::round(Width * h / w));
    if (height > MaximumHeight)
        Raise<Exception>(QStringLiteral("a drawing %s pixels wide would be %s pixels tall"),
                         {QString::number(Width), QString::number(height)});
    return {Width, int(height)};
}

} // namespace zor::bench
