#pragma once
// The transform list of the "transform" attribute, read into a matrix and
// written back. Matrices use row vectors: translation in m31/m32, and a * b
// applies a first.

#include <QString>
#include <QStringView>
#include <QTransform>

namespace zor {

namespace messages {
inline constexpr const char* InvalidTransformation = "Invalid transformation: %s";
inline constexpr const char* InvalidMatrix = "Invalid matrix: %s";
inline constexpr const char* InvalidTransformationMatrix = "Invalid %s transformation matrix: %s";
} // namespace messages

// Reads a list such as "translate(10) rotate(45 5 5)"; the left-most
// transform is applied last. An empty text is the identity; text after the
// last complete "name(...)" is ignored. Raises ESVGException for an unknown
// name, a wrong number of arguments, or a list whose product leaves the range
// of numbers that can be read back, and EConvertError for a malformed number.
QTransform ParseTransform(QStringView Text);

// The shortest of "scale(...)", "translate(...)" or "matrix(...)" that writes
// the matrix; the identity gives an empty text.
QString TransformToString(const QTransform& Matrix);

} // namespace zor
