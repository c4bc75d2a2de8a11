#pragma once
// The artworks the program carries, found by the names the instruments ask
// for, without regard to case ("CircularGaugeSVG" finds "CIRCULARGAUGESVG").

#include <QIODevice>
#include <QString>
#include <memory>

#include "platform/exceptions.h"

namespace zor {

// A named resource of the program that does not exist.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

namespace messages {
inline constexpr const char* ResourceNotFound = "Resource %s not found";
} // namespace messages

// Makes the element classes artworks are made of beyond the model's own
// (shapes, texts) the classes of their kinds; the first call does it, later
// ones change nothing. Every control calls it before it loads anything.
void RegisterArtworkElementClasses();

// The resource named Name, opened for reading; raises EResNotFound
// "Resource %s not found" when there is none.
std::unique_ptr<QIODevice> OpenArtworkResource(const QString& Name);
// Whether a resource of that name exists.
bool HasArtworkResource(const QString& Name);

} // namespace zor
