#pragma once
// The artworks the program carries, found by the names the instruments ask
// for, without regard to case ("CircularGaugeSVG" finds "CIRCULARGAUGESVG").

#include <QIODevice>
#include <QString>
#include <memory>

namespace zor {

// The resource named Name, opened for reading; raises EResNotFound
// "Resource %s not found" when there is none.
std::unique_ptr<QIODevice> OpenArtworkResource(const QString& Name);
// Whether a resource of that name exists.
bool HasArtworkResource(const QString& Name);

} // namespace zor
