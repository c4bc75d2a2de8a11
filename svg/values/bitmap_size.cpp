#include "svg/values/bitmap_size.h"

#include <algorithm>

namespace zor {

QSizeF CalcBitmapSize(TSVGImageWrapMode Mode, float DocumentWidth, float DocumentHeight, float TargetWidth,
                      float TargetHeight, float Scale)
{
    if (DocumentWidth * DocumentHeight <= 0)
        Mode = TSVGImageWrapMode::iwStretch;
    const bool followsTarget = Mode == TSVGImageWrapMode::iwFit || Mode == TSVGImageWrapMode::iwStretch;
    if (followsTarget && (TargetWidth <= 0 || TargetHeight <= 0))
        return QSizeF(0, 0);

    float width = 0;
    float height = 0;
    switch (Mode) {
    case TSVGImageWrapMode::iwFit: {
        const float ratio = std::max(DocumentWidth / TargetWidth, DocumentHeight / TargetHeight);
        width = DocumentWidth / ratio;
        height = DocumentHeight / ratio;
        break;
    }
    case TSVGImageWrapMode::iwStretch:
        width = TargetWidth;
        height = TargetHeight;
        break;
    case TSVGImageWrapMode::iwOriginal:
    case TSVGImageWrapMode::iwTile:
    case TSVGImageWrapMode::iwCenter:
        width = DocumentWidth * Scale;
        height = DocumentHeight * Scale;
        break;
    }
    // No bitmap has a negative or undefined side (std::max turns NaN into 0).
    width = std::max(0.0f, width);
    height = std::max(0.0f, height);
    if (width > MaxBitmapSide) {
        height -= height * (width - MaxBitmapSide) / width;
        width = MaxBitmapSide;
    }
    if (height > MaxBitmapSide) {
        width -= width * (height - MaxBitmapSide) / height;
        height = MaxBitmapSide;
    }
    return QSizeF(width, height);
}

} // namespace zor
