#include "svg/values/bitmap_size.h"

#include <algorithm>
#include <cmath>

namespace zor {

QSizeF CalcBitmapSize(TSVGImageWrapMode Mode, float DocumentWidth, float DocumentHeight, float TargetWidth,
                      float TargetHeight, float Scale)
{
    // Sizes are worked out in double, where products of floats cannot overflow.
    const double documentWidth = DocumentWidth;
    const double documentHeight = DocumentHeight;
    if (documentWidth * documentHeight <= 0)
        Mode = TSVGImageWrapMode::iwStretch;
    const bool followsTarget = Mode == TSVGImageWrapMode::iwFit || Mode == TSVGImageWrapMode::iwStretch;
    if (followsTarget && (TargetWidth <= 0 || TargetHeight <= 0))
        return QSizeF(0, 0);

    double width = 0;
    double height = 0;
    switch (Mode) {
    case TSVGImageWrapMode::iwFit: {
        const double ratio = std::max(documentWidth / TargetWidth, documentHeight / TargetHeight);
        width = documentWidth / ratio;
        height = documentHeight / ratio;
        break;
    }
    case TSVGImageWrapMode::iwStretch:
        width = TargetWidth;
        height = TargetHeight;
        break;
    case TSVGImageWrapMode::iwOriginal:
    case TSVGImageWrapMode::iwTile:
    case TSVGImageWrapMode::iwCenter:
        width = documentWidth * Scale;
        height = documentHeight * Scale;
        break;
    }
    // No bitmap has a negative or undefined side (std::max turns NaN into 0).
    width = std::max(0.0, width);
    height = std::max(0.0, height);
    // The other side shrinks by the same proportion; h * max / w rather than
    // h - h * (w - max) / w, which cancels to 0 for huge sides.
    if (width > MaxBitmapSide) {
        height = height * MaxBitmapSide / width;
        width = MaxBitmapSide;
    }
    if (height > MaxBitmapSide) {
        width = width * MaxBitmapSide / height;
        height = MaxBitmapSide;
    }
    // Only an infinite input leaves a side undefined (infinity over infinity).
    return QSizeF(std::isnan(width) ? 0 : width, std::isnan(height) ? 0 : height);
}

} // namespace zor
