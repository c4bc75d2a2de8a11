#pragma once
// Component streaming: a binary writer and reader of objects and their
// stored properties. A stream holds a signature and one object; an object is
// its class name and its properties (name, typed value) up to an end marker.
// Values are self-describing, so a reader can check every one and skip what
// it does not know. The classes and their properties are described in a
// TStreamRegistry (stream_classes.h).
//
// An object of a class that stores children is followed, after its end
// marker, by its children as objects and a vaNull.
//
// Layout: a value is a one-byte TValueType tag and its payload. Integers are
// 8 bytes, singles 4, doubles 8 (little-endian, IEEE bits); texts and blobs
// are a 4-byte length and the bytes (texts in UTF-8). Lists and collections
// end with vaNull; a set's identifiers and a property list end with an empty
// name.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/exceptions.h"
#include "platform/persistent.h"

class QIODevice;

namespace zor {

class TPropertyDescriptor;
class TStreamRegistry;

// A stream that cannot be written.
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

namespace messages {
inline constexpr const char* StreamFormat = "Invalid stream format";
inline constexpr const char* StreamEnded = "Stream read error: unexpected end of stream";
inline constexpr const char* StreamDevice = "Stream read error: %s";
inline constexpr const char* StreamValueTag = "Stream read error: invalid value type %d";
inline constexpr const char* StreamValueKind = "Stream read error: %s expected, found %s";
inline constexpr const char* StreamTooLong = "Stream read error: a value of %d bytes is longer than the limit of %d";
inline constexpr const char* StreamBadText = "Stream read error: text is not valid UTF-8";
inline constexpr const char* StreamTooDeep = "Stream read error: values nest deeper than %d levels";
inline constexpr const char* StreamPropertyValue = "Stream read error: %s is not a valid value for property %s";
inline constexpr const char* StreamNotOneValue = "Stream read error: property %s was not read as one value";
inline constexpr const char* PropertyNotFound = "Property %s does not exist";
inline constexpr const char* AbstractClass = "Cannot create an instance of the abstract class %s";
inline constexpr const char* StreamWrite = "Stream write error: %s";
inline constexpr const char* StreamWriteTooLong = "Stream write error: a value of %d bytes is longer than the limit of %d";
inline constexpr const char* StreamWriteTooDeep = "Stream write error: values nest deeper than %d levels";
inline constexpr const char* StreamWriteNotOneValue = "Stream write error: property %s did not write exactly one value";
inline constexpr const char* ClassHasSubclasses = "Properties of %s must be registered before its subclasses";
inline constexpr const char* NoPropertyForRule = "Class %s has no property for the stored rule";
} // namespace messages

enum class TValueType : std::uint8_t {
    vaNull,
    vaList,
    vaInt,
    vaSingle,
    vaDouble,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaCollection,
    vaObject,
    vaNil
};
constexpr std::size_t EnumCount(TValueType) { return 14; }

// The value's own name ("vaInt"), as messages show it.
QString ValueTypeName(TValueType Value);

// Whether Device holds a stream signature at its current position, which
// stays where it was.
bool HasStreamSignature(QIODevice& Device);

// Bounds that keep a reader's work and memory in proportion to its input.
struct TStreamLimits {
    // Class, property and identifier names.
    static constexpr std::uint32_t MaxNameLength = 255;
    // Strings and binary values.
    static constexpr std::uint32_t MaxValueLength = 256u << 20;
    // Lists, collections and objects inside one another.
    static constexpr int MaxDepth = 4000;
};

// Writes objects to a device at its current position. Values written with
// the Write* operations inside a defined property's writer form exactly one
// value; a list or collection counts as one.
class TWriter {
public:
    TWriter(QIODevice& Device, const TStreamRegistry& Registry);

    // The signature and Root as an object.
    void WriteRootComponent(const TPersistent& Root);
    // The signature alone, before an object written piece by piece.
    void WriteSignature();
    // Object as a value: its class name, its stored properties and the end
    // marker; a null object is written as vaNil.
    void WriteComponent(const TPersistent* Object);
    // The stored properties of Object in declaration order (its class's
    // ancestors first), without end marker.
    void WriteProperties(const TPersistent& Object);
    void WritePropName(const QString& Name);
    // An object written piece by piece, as a text form is converted: the
    // class name, its properties (WritePropName and one value each), the end
    // of the properties and, for a class that stores children, the children
    // (each an object) and their end.
    void WriteObjectBegin(const QString& ClassName);
    void WritePropertiesEnd();
    void WriteChildrenEnd();
    void WriteObjectEnd();

    void WriteBoolean(bool Value);
    void WriteInteger(std::int64_t Value);
    void WriteSingle(float Value);
    void WriteDouble(double Value);
    void WriteString(const QString& Value);
    void WriteIdent(const QString& Value);
    void WriteSet(const QStringList& Identifiers);
    void WriteBinary(const QByteArray& Value);

    void WriteListBegin();
    void WriteListEnd();
    // A collection is a list of items, each a property list.
    void WriteCollectionBegin();
    void WriteItemBegin();
    void WriteItemEnd();
    void WriteCollectionEnd();

    const TStreamRegistry& Registry() const { return FRegistry; }

private:
    void WriteRaw(const char* Data, qint64 Size);
    void WriteTag(TValueType Type);
    void StartValue(TValueType Type);
    void WriteText(const QString& Text, std::uint32_t Limit);
    void WriteLength(qsizetype Length, std::uint32_t Limit);
    void WriteEndMarker();
    void Enter();
    void Leave();
    void WriteEntry(const TPropertyDescriptor& Property, const TPersistent& Object);

    QIODevice& FDevice;
    const TStreamRegistry& FRegistry;
    int FDepth = 0;
    // The level and count of values of the property being written.
    struct TEntry {
        int Depth = -1;
        int Values = 0;
    } FEntry;
};

// Reads objects from a device at its current position; every malformed,
// truncated or unknown input raises EReadError (EClassNotFound for a class
// the registry does not know) with what was wrong.
class TReader {
public:
    TReader(QIODevice& Device, const TStreamRegistry& Registry);

    // Whether a property the object's class does not have is skipped (and
    // listed in SkippedProperties) instead of raising "Property %s does not
    // exist". Off by default: nothing read is dropped unless asked.
    bool SkipUnknownProperties() const { return FSkipUnknown; }
    void SetSkipUnknownProperties(bool Value) { FSkipUnknown = Value; }
    // "Class.Property" for each property skipped so far.
    const QStringList& SkippedProperties() const { return FSkipped; }

    // Checks the signature and reads the object into Root, whose class must
    // be the one in the stream.
    void ReadRootComponent(TPersistent& Root);
    // Checks the signature and creates the object the stream holds.
    std::unique_ptr<TPersistent> ReadRootComponent(TPersistent* Owner = nullptr);
    // An object value, created through its class's factory with Owner; null
    // for vaNil. Its children are created with it as their owner and handed
    // to it.
    std::unique_ptr<TPersistent> ReadComponent(TPersistent* Owner = nullptr);
    // An object value read into Object, whose class must be the one in the stream.
    void ReadComponentInto(TPersistent& Object);
    // Properties into Object up to (not including) the end marker.
    void ReadProperties(TPersistent& Object);
    bool EndOfProperties();
    QString ReadPropName();

    // The type of the next value, without reading it.
    TValueType NextValue();
    bool ReadBoolean();
    std::int64_t ReadInteger();
    float ReadSingle();
    // Also takes a single or an integer.
    double ReadDouble();
    QString ReadString();
    QString ReadIdent();
    QStringList ReadSet();
    QByteArray ReadBinary();
    // Reads and drops one value of any kind.
    void SkipValue();

    void ReadListBegin();
    // Whether the list or collection being read has no more values.
    bool EndOfList();
    void ReadListEnd();
    void ReadCollectionBegin();
    void ReadItemBegin();
    void ReadItemEnd();
    void ReadCollectionEnd();

    const TStreamRegistry& Registry() const { return FRegistry; }

private:
    void ReadRaw(char* Data, qint64 Size);
    std::uint8_t PeekByte();
    TValueType ToValueType(std::uint8_t Tag) const;
    // Reads a value's tag and counts it for the property being read.
    TValueType ReadValueStart();
    void Expect(TValueType Found, TValueType Wanted) const;
    std::uint32_t ReadLength(std::uint32_t Limit);
    QByteArray ReadBytes(std::uint32_t Limit);
    QString ReadText(std::uint32_t Limit);
    void ReadSignature();
    void ReadEndMarker();
    void Enter();
    void Leave();
    void ReadProperty(TPersistent& Object);
    // Drops the properties up to (not including) the end marker.
    void SkipProperties();
    // The children after an object's properties, when its class has any.
    void ReadChildren(TPersistent& Parent);
    void SkipChildren(const QString& ClassName);

    QIODevice& FDevice;
    const TStreamRegistry& FRegistry;
    bool FSkipUnknown = false;
    QStringList FSkipped;
    int FDepth = 0;
    struct TEntry {
        int Depth = -1;
        int Values = 0;
    } FEntry;
};

} // namespace zor
