#pragma once
// The exception classes of the system. Every failure is reported by throwing
// one of these; the message texts are the system's own.

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <stdexcept>

namespace zor {

// Fills a message pattern the way the messages are written: each "%s" or "%d"
// takes the next argument in order, "%%" is a literal percent sign.
QString FormatMessage(const QString& pattern, std::initializer_list<QString> args);

class Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message);
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};

class ESVGException : public Exception {
public:
    using Exception::Exception;
};
class EGHashtableError : public Exception {
public:
    using Exception::Exception;
};
class EListError : public Exception {
public:
    using Exception::Exception;
};
class EConvertError : public Exception {
public:
    using Exception::Exception;
};
class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidCast : public Exception {
public:
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};
class EArgumentOutOfRangeException : public Exception {
public:
    using Exception::Exception;
};

// The silent exception: it ends an operation early without being an error,
// and the operation that expects it catches it.
class EAbort : public Exception {
public:
    EAbort();
};

// Message texts shared by several units.
namespace messages {
inline constexpr const char* ItemNotFound = "Item not found";
inline constexpr const char* DuplicatesNotAllowed = "Duplicates not allowed";
inline constexpr const char* ListIndexOutOfBounds = "List index out of bounds (%d)";
inline constexpr const char* ListIsEmpty = "List is empty";
inline constexpr const char* ArgumentOutOfRange = "Argument out of range";
inline constexpr const char* CannotAssign = "Cannot assign a %s to a %s";
inline constexpr const char* TableIsEmpty = "Table is empty";
inline constexpr const char* ClassNotFound = "Class %s not found";
inline constexpr const char* InvalidCast = "Invalid class typecast";
inline constexpr const char* InvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* InvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* OperationAborted = "Operation aborted";
inline constexpr const char* StreamClassMismatch =
    "Stream read error: %s does not match expected %s class name";
} // namespace messages

// Throws E with the pattern filled by FormatMessage.
template <typename E>
[[noreturn]] void Raise(const QString& pattern, std::initializer_list<QString> args = {})
{
    throw E(FormatMessage(pattern, args));
}

} // namespace zor
