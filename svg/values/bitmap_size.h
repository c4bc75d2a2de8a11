#pragma once
// The size of the bitmap a document is rendered into by an image control.

#include <QSizeF>

namespace zor {

enum class TSVGImageWrapMode { iwOriginal, iwFit, iwStretch, iwTile, iwCenter };
constexpr std::size_t EnumCount(TSVGImageWrapMode) { return 5; }

// The largest bitmap side; a larger result is scaled down keeping its aspect.
inline constexpr float MaxBitmapSide = 8096;

// Fit scales the document into the target keeping its aspect, Stretch takes the
// target size, the other modes the document size times Scale. A document
// without area is stretched; a target without area gives an empty size in the
// modes that follow the target.
QSizeF CalcBitmapSize(TSVGImageWrapMode Mode, float DocumentWidth, float DocumentHeight, float TargetWidth,
                      float TargetHeight, float Scale);

} // namespace zor
