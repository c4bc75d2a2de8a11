#include "platform/streaming.h"

#include <QIODevice>
#include <QtEndian>
#include <array>
#include <bit>

#include "platform/stream_classes.h"

namespace zor {

namespace {

constexpr std::array<char, 4> Signature = {'Z', 'C', 'S', '1'};

constexpr std::array<const char*, EnumCount(TValueType{})> ValueTypeNames = {
    "vaNull",   "vaList", "vaInt",    "vaSingle", "vaDouble",     "vaString", "vaIdent",
    "vaFalse", "vaTrue", "vaBinary", "vaSet",    "vaCollection", "vaObject", "vaNil"};

// Long texts and blobs are read in pieces, so a length that the stream does
// not back costs no more memory than the bytes actually there.
constexpr qint64 ReadPiece = 64 * 1024;

template <typename T>
std::array<char, sizeof(T)> LittleEndian(T Value)
{
    std::array<char, sizeof(T)> bytes;
    qToLittleEndian(Value, bytes.data());
    return bytes;
}

} // namespace

QString ValueTypeName(TValueType Value)
{
    return QString::fromLatin1(ValueTypeNames[static_cast<std::size_t>(Value)]);
}

// --- TWriter ------------------------------------------------------------------

TWriter::TWriter(QIODevice& Device, const TStreamRegistry& Registry)
    : FDevice(Device)
    , FRegistry(Registry)
{
}

void TWriter::WriteRaw(const char* Data, qint64 Size)
{
    if (FDevice.write(Data, Size) != Size)
        Raise<EWriteError>(messages::StreamWrite, {FDevice.errorString()});
}

void TWriter::WriteTag(TValueType Type)
{
    const char tag = static_cast<char>(Type);
    WriteRaw(&tag, 1);
}

void TWriter::StartValue(TValueType Type)
{
    if (FDepth == FEntry.Depth)
        ++FEntry.Values;
    WriteTag(Type);
}

void TWriter::WriteLength(qsizetype Length, std::uint32_t Limit)
{
    if (Length > qsizetype(Limit))
        Raise<EWriteError>(messages::StreamWriteTooLong, {QString::number(Length), QString::number(Limit)});
    WriteRaw(LittleEndian(static_cast<std::uint32_t>(Length)).data(), 4);
}

void TWriter::WriteText(const QString& Text, std::uint32_t Limit)
{
    const QByteArray bytes = Text.toUtf8();
    WriteLength(bytes.size(), Limit);
    WriteRaw(bytes.constData(), bytes.size());
}

void TWriter::Enter()
{
    if (++FDepth > TStreamLimits::MaxDepth)
        Raise<EWriteError>(messages::StreamWriteTooDeep, {QString::number(TStreamLimits::MaxDepth)});
}

void TWriter::Leave()
{
    --FDepth;
}

bool HasStreamSignature(QIODevice& Device)
{
    std::array<char, Signature.size()> bytes;
    return Device.peek(bytes.data(), bytes.size()) == qint64(bytes.size()) && bytes == Signature;
}

void TWriter::WriteRootComponent(const TPersistent& Root)
{
    WriteSignature();
    WriteComponent(&Root);
}

void TWriter::WriteSignature()
{
    WriteRaw(Signature.data(), Signature.size());
}

void TWriter::WriteComponent(const TPersistent* Object)
{
    if (Object == nullptr) {
        StartValue(TValueType::vaNil);
        return;
    }
    const TStreamClass& type = FRegistry.ClassOf(*Object);
    WriteObjectBegin(type.Name());
    WriteProperties(*Object);
    WritePropertiesEnd();
    if (type.HasChildren()) {
        for (const TPersistent* child : type.Children().List(*Object))
            WriteComponent(child);
        WriteChildrenEnd();
    }
    WriteObjectEnd();
}

void TWriter::WriteObjectBegin(const QString& ClassName)
{
    StartValue(TValueType::vaObject);
    Enter();
    WriteText(ClassName, TStreamLimits::MaxNameLength);
}

void TWriter::WritePropertiesEnd()
{
    WriteEndMarker();
}

void TWriter::WriteChildrenEnd()
{
    WriteTag(TValueType::vaNull);
}

void TWriter::WriteObjectEnd()
{
    Leave();
}

void TWriter::WriteProperties(const TPersistent& Object)
{
    for (const auto& property : FRegistry.ClassOf(Object).Properties())
        if (property->IsStored(Object, FRegistry))
            WriteEntry(*property, Object);
}

void TWriter::WriteEntry(const TPropertyDescriptor& Property, const TPersistent& Object)
{
    WritePropName(Property.Name());
    const TEntry outer = std::exchange(FEntry, {FDepth, 0});
    Property.WriteValue(Object, *this);
    const bool oneValue = FEntry.Values == 1 && FDepth == FEntry.Depth;
    FEntry = outer;
    if (!oneValue)
        Raise<EWriteError>(messages::StreamWriteNotOneValue, {Property.Name()});
}

void TWriter::WritePropName(const QString& Name)
{
    // An empty name is the end marker.
    if (Name.isEmpty())
        Raise<EWriteError>(messages::StreamWrite, {QStringLiteral("a property needs a name")});
    WriteText(Name, TStreamLimits::MaxNameLength);
}

void TWriter::WriteEndMarker()
{
    WriteLength(0, 0);
}

void TWriter::WriteBoolean(bool Value)
{
    StartValue(Value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteInteger(std::int64_t Value)
{
    StartValue(TValueType::vaInt);
    WriteRaw(LittleEndian(Value).data(), 8);
}

void TWriter::WriteSingle(float Value)
{
    StartValue(TValueType::vaSingle);
    WriteRaw(LittleEndian(std::bit_cast<std::uint32_t>(Value)).data(), 4);
}

void TWriter::WriteDouble(double Value)
{
    StartValue(TValueType::vaDouble);
    WriteRaw(LittleEndian(std::bit_cast<std::uint64_t>(Value)).data(), 8);
}

void TWriter::WriteString(const QString& Value)
{
    StartValue(TValueType::vaString);
    WriteText(Value, TStreamLimits::MaxValueLength);
}

void TWriter::WriteIdent(const QString& Value)
{
    StartValue(TValueType::vaIdent);
    WriteText(Value, TStreamLimits::MaxNameLength);
}

void TWriter::WriteSet(const QStringList& Identifiers)
{
    StartValue(TValueType::vaSet);
    for (const QString& identifier : Identifiers) {
        if (identifier.isEmpty())
            Raise<EWriteError>(messages::StreamWrite, {QStringLiteral("a set member needs a name")});
        WriteText(identifier, TStreamLimits::MaxNameLength);
    }
    WriteEndMarker();
}

void TWriter::WriteBinary(const QByteArray& Value)
{
    StartValue(TValueType::vaBinary);
    WriteLength(Value.size(), TStreamLimits::MaxValueLength);
    WriteRaw(Value.constData(), Value.size());
}

void TWriter::WriteListBegin()
{
    StartValue(TValueType::vaList);
    Enter();
}

void TWriter::WriteListEnd()
{
    Leave();
    WriteTag(TValueType::vaNull);
}

void TWriter::WriteCollectionBegin()
{
    StartValue(TValueType::vaCollection);
    Enter();
}

void TWriter::WriteItemBegin()
{
    WriteTag(TValueType::vaList);
    Enter();
}

void TWriter::WriteItemEnd()
{
    WriteEndMarker();
    Leave();
}

void TWriter::WriteCollectionEnd()
{
    WriteListEnd();
}

// --- TReader ------------------------------------------------------------------

TReader::TReader(QIODevice& Device, const TStreamRegistry& Registry)
    : FDevice(Device)
    , FRegistry(Registry)
{
}

void TReader::ReadRaw(char* Data, qint64 Size)
{
    const qint64 read = FDevice.read(Data, Size);
    if (read < 0)
        Raise<EReadError>(messages::StreamDevice, {FDevice.errorString()});
    if (read != Size)
        Raise<EReadError>(messages::StreamEnded);
}

std::uint8_t TReader::PeekByte()
{
    char byte = 0;
    if (FDevice.peek(&byte, 1) != 1)
        Raise<EReadError>(messages::StreamEnded);
    return static_cast<std::uint8_t>(byte);
}

TValueType TReader::ToValueType(std::uint8_t Tag) const
{
    if (Tag >= EnumCount(TValueType{}))
        Raise<EReadError>(messages::StreamValueTag, {QString::number(Tag)});
    return static_cast<TValueType>(Tag);
}

TValueType TReader::NextValue()
{
    return ToValueType(PeekByte());
}

TValueType TReader::ReadValueStart()
{
    char tag = 0;
    ReadRaw(&tag, 1);
    const TValueType type = ToValueType(static_cast<std::uint8_t>(tag));
    if (FDepth == FEntry.Depth)
        ++FEntry.Values;
    return type;
}

void TReader::Expect(TValueType Found, TValueType Wanted) const
{
    if (Found != Wanted)
        Raise<EReadError>(messages::StreamValueKind, {ValueTypeName(Wanted), ValueTypeName(Found)});
}

std::uint32_t TReader::ReadLength(std::uint32_t Limit)
{
    std::array<char, 4> bytes;
    ReadRaw(bytes.data(), 4);
    const auto length = qFromLittleEndian<std::uint32_t>(bytes.data());
    if (length > Limit)
        Raise<EReadError>(messages::StreamTooLong, {QString::number(length), QString::number(Limit)});
    return length;
}

QByteArray TReader::ReadBytes(std::uint32_t Limit)
{
    const qint64 length = ReadLength(Limit);
    QByteArray bytes;
    while (bytes.size() < length) {
        const qsizetype done = bytes.size();
        const qint64 piece = std::min(length - done, ReadPiece);
        bytes.resize(done + piece);
        ReadRaw(bytes.data() + done, piece);
    }
    return bytes;
}

QString TReader::ReadText(std::uint32_t Limit)
{
    const QByteArray bytes = ReadBytes(Limit);
    if (!bytes.isValidUtf8())
        Raise<EReadError>(messages::StreamBadText);
    return QString::fromUtf8(bytes);
}

void TReader::Enter()
{
    if (++FDepth > TStreamLimits::MaxDepth)
        Raise<EReadError>(messages::StreamTooDeep, {QString::number(TStreamLimits::MaxDepth)});
}

void TReader::Leave()
{
    --FDepth;
}

void TReader::ReadSignature()
{
    std::array<char, Signature.size()> bytes;
    if (FDevice.read(bytes.data(), bytes.size()) != qint64(bytes.size()) || bytes != Signature)
        Raise<EReadError>(messages::StreamFormat);
}

void TReader::ReadRootComponent(TPersistent& Root)
{
    ReadSignature();
    ReadComponentInto(Root);
}

std::unique_ptr<TPersistent> TReader::ReadRootComponent(TPersistent* Owner)
{
    ReadSignature();
    Expect(NextValue(), TValueType::vaObject);
    return ReadComponent(Owner);
}

std::unique_ptr<TPersistent> TReader::ReadComponent(TPersistent* Owner)
{
    const TValueType type = ReadValueStart();
    if (type == TValueType::vaNil)
        return nullptr;
    Expect(type, TValueType::vaObject);
    Enter();
    std::unique_ptr<TPersistent> object = FRegistry.CreateObject(ReadText(TStreamLimits::MaxNameLength), Owner);
    ReadProperties(*object);
    ReadEndMarker();
    ReadChildren(*object);
    Leave();
    return object;
}

void TReader::ReadChildren(TPersistent& Parent)
{
    const TStreamClass& type = FRegistry.ClassOf(Parent);
    if (!type.HasChildren())
        return;
    while (NextValue() != TValueType::vaNull) {
        Expect(NextValue(), TValueType::vaObject);
        type.Children().Adopt(Parent, ReadComponent(&Parent));
    }
    char end = 0;
    ReadRaw(&end, 1);
}

void TReader::SkipChildren(const QString& ClassName)
{
    const TStreamClass* type = FRegistry.FindClass(ClassName);
    if (type == nullptr || !type->HasChildren())
        return;
    while (NextValue() != TValueType::vaNull)
        SkipValue();
    char end = 0;
    ReadRaw(&end, 1);
}

void TReader::ReadComponentInto(TPersistent& Object)
{
    Expect(ReadValueStart(), TValueType::vaObject);
    Enter();
    const QString name = ReadText(TStreamLimits::MaxNameLength);
    const QString expected = FRegistry.ClassOf(Object).Name();
    if (name != expected)
        Raise<EReadError>(messages::StreamClassMismatch, {name, expected});
    ReadProperties(Object);
    ReadEndMarker();
    ReadChildren(Object);
    Leave();
}

bool TReader::EndOfProperties()
{
    std::array<char, 4> bytes;
    if (FDevice.peek(bytes.data(), 4) != 4)
        Raise<EReadError>(messages::StreamEnded);
    return qFromLittleEndian<std::uint32_t>(bytes.data()) == 0;
}

void TReader::ReadEndMarker()
{
    if (ReadLength(TStreamLimits::MaxNameLength) != 0)
        Raise<EReadError>(messages::StreamValueKind, {QStringLiteral("end of properties"), QStringLiteral("a name")});
}

QString TReader::ReadPropName()
{
    const QString name = ReadText(TStreamLimits::MaxNameLength);
    if (name.isEmpty())
        Raise<EReadError>(messages::StreamValueKind, {QStringLiteral("a property name"), QStringLiteral("end of properties")});
    return name;
}

void TReader::ReadProperties(TPersistent& Object)
{
    while (!EndOfProperties())
        ReadProperty(Object);
}

void TReader::ReadProperty(TPersistent& Object)
{
    const QString name = ReadPropName();
    const TStreamClass& type = FRegistry.ClassOf(Object);
    const TPropertyDescriptor* property = type.FindProperty(name);
    if (property == nullptr) {
        if (!FSkipUnknown)
            Raise<EReadError>(messages::PropertyNotFound, {name});
        FSkipped += type.Name() + u'.' + name;
        SkipValue();
        return;
    }
    const TEntry outer = std::exchange(FEntry, {FDepth, 0});
    property->ReadValue(Object, *this);
    const bool oneValue = FEntry.Values == 1 && FDepth == FEntry.Depth;
    FEntry = outer;
    if (!oneValue)
        Raise<EReadError>(messages::StreamNotOneValue, {name});
}

bool TReader::ReadBoolean()
{
    const TValueType type = ReadValueStart();
    if (type != TValueType::vaTrue)
        Expect(type, TValueType::vaFalse);
    return type == TValueType::vaTrue;
}

std::int64_t TReader::ReadInteger()
{
    Expect(ReadValueStart(), TValueType::vaInt);
    std::array<char, 8> bytes;
    ReadRaw(bytes.data(), 8);
    return qFromLittleEndian<std::int64_t>(bytes.data());
}

float TReader::ReadSingle()
{
    Expect(ReadValueStart(), TValueType::vaSingle);
    std::array<char, 4> bytes;
    ReadRaw(bytes.data(), 4);
    return std::bit_cast<float>(qFromLittleEndian<std::uint32_t>(bytes.data()));
}

double TReader::ReadDouble()
{
    switch (NextValue()) {
    case TValueType::vaInt:
        return static_cast<double>(ReadInteger());
    case TValueType::vaSingle:
        return ReadSingle();
    default:
        break;
    }
    Expect(ReadValueStart(), TValueType::vaDouble);
    std::array<char, 8> bytes;
    ReadRaw(bytes.data(), 8);
    return std::bit_cast<double>(qFromLittleEndian<std::uint64_t>(bytes.data()));
}

QString TReader::ReadString()
{
    Expect(ReadValueStart(), TValueType::vaString);
    return ReadText(TStreamLimits::MaxValueLength);
}

QString TReader::ReadIdent()
{
    Expect(ReadValueStart(), TValueType::vaIdent);
    return ReadText(TStreamLimits::MaxNameLength);
}

QStringList TReader::ReadSet()
{
    Expect(ReadValueStart(), TValueType::vaSet);
    QStringList identifiers;
    while (!EndOfProperties())
        identifiers += ReadText(TStreamLimits::MaxNameLength);
    ReadEndMarker();
    return identifiers;
}

QByteArray TReader::ReadBinary()
{
    Expect(ReadValueStart(), TValueType::vaBinary);
    return ReadBytes(TStreamLimits::MaxValueLength);
}

void TReader::ReadListBegin()
{
    Expect(ReadValueStart(), TValueType::vaList);
    Enter();
}

bool TReader::EndOfList()
{
    return NextValue() == TValueType::vaNull;
}

void TReader::ReadListEnd()
{
    char tag = 0;
    ReadRaw(&tag, 1);
    Expect(ToValueType(static_cast<std::uint8_t>(tag)), TValueType::vaNull);
    Leave();
}

void TReader::ReadCollectionBegin()
{
    Expect(ReadValueStart(), TValueType::vaCollection);
    Enter();
}

void TReader::ReadItemBegin()
{
    char tag = 0;
    ReadRaw(&tag, 1);
    Expect(ToValueType(static_cast<std::uint8_t>(tag)), TValueType::vaList);
    Enter();
}

void TReader::ReadItemEnd()
{
    ReadEndMarker();
    Leave();
}

void TReader::ReadCollectionEnd()
{
    ReadListEnd();
}

void TReader::SkipProperties()
{
    while (!EndOfProperties()) {
        ReadPropName();
        SkipValue();
    }
}

void TReader::SkipValue()
{
    switch (NextValue()) {
    case TValueType::vaList:
        ReadListBegin();
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        return;
    case TValueType::vaCollection:
        ReadCollectionBegin();
        while (!EndOfList()) {
            ReadItemBegin();
            SkipProperties();
            ReadItemEnd();
        }
        ReadCollectionEnd();
        return;
    case TValueType::vaObject:
    {
        ReadValueStart();
        Enter();
        const QString name = ReadText(TStreamLimits::MaxNameLength);
        SkipProperties();
        ReadEndMarker();
        SkipChildren(name);
        Leave();
        return;
    }
    case TValueType::vaInt:
        ReadInteger();
        return;
    case TValueType::vaSingle:
        ReadSingle();
        return;
    case TValueType::vaDouble:
        ReadDouble();
        return;
    case TValueType::vaString:
        ReadString();
        return;
    case TValueType::vaIdent:
        ReadIdent();
        return;
    case TValueType::vaSet:
        ReadSet();
        return;
    case TValueType::vaBinary:
        ReadBinary();
        return;
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
        ReadValueStart();
        return;
    case TValueType::vaNull:
        break;
    }
    Raise<EReadError>(messages::StreamValueKind, {QStringLiteral("a value"), ValueTypeName(TValueType::vaNull)});
}

} // namespace zor
