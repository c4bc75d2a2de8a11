#pragma once
// The classes known to component streaming: a registry from class name to
// factory, and per class its stored properties in declaration order, the
// ancestors' first. A property has a name, a getter and a setter, and may
// have a default and a stored rule: it is written only when the rule allows
// it and its value differs from the default. Defined properties write and
// read their one value with their own code.
//
//     registry.Register<TGauge>("TGauge")
//         .Property("Value", &TGauge::Value, &TGauge::SetValue, 0.0)
//         .Enum("Kind", &TGauge::Kind, &TGauge::SetKind, TKind::gkRound, KindNames)
//         .Stored(&TGauge::IsKindStored);
//     registry.Register<TSpeedometer, TGauge>("TSpeedometer");

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/enum_set.h"
#include "platform/persistent.h"
#include "platform/streaming.h"

namespace zor {

// One stored property of a class.
class TPropertyDescriptor {
public:
    explicit TPropertyDescriptor(QString Name);
    virtual ~TPropertyDescriptor() = default;

    const QString& Name() const { return FName; }
    // Whether Object's value is written: the stored rule allows it and the
    // value differs from the default (or, without one, always).
    bool IsStored(const TPersistent& Object, const TStreamRegistry& Registry) const;
    void SetStoredRule(std::function<bool(const TPersistent&)> Rule) { FStored = std::move(Rule); }

    // Writes, or reads, exactly one value.
    virtual void WriteValue(const TPersistent& Object, TWriter& Writer) const = 0;
    virtual void ReadValue(TPersistent& Object, TReader& Reader) const = 0;

protected:
    virtual bool HasValue(const TPersistent& Object, const TStreamRegistry& Registry) const = 0;

private:
    QString FName;
    std::function<bool(const TPersistent&)> FStored;
};

// How a value of a plain type is written and read.
template <typename T>
struct TValueCodec;

template <>
struct TValueCodec<bool> {
    void Write(TWriter& Writer, bool Value) const { Writer.WriteBoolean(Value); }
    bool Read(TReader& Reader, const QString&) const { return Reader.ReadBoolean(); }
};

template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && (std::is_signed_v<T> || sizeof(T) < 8))
struct TValueCodec<T> {
    void Write(TWriter& Writer, T Value) const { Writer.WriteInteger(Value); }
    T Read(TReader& Reader, const QString& Property) const
    {
        const std::int64_t value = Reader.ReadInteger();
        if (!std::in_range<T>(value))
            Raise<EReadError>(messages::StreamPropertyValue, {QString::number(value), Property});
        return static_cast<T>(value);
    }
};

template <>
struct TValueCodec<float> {
    void Write(TWriter& Writer, float Value) const { Writer.WriteSingle(Value); }
    float Read(TReader& Reader, const QString&) const { return Reader.ReadSingle(); }
};

template <>
struct TValueCodec<double> {
    void Write(TWriter& Writer, double Value) const { Writer.WriteDouble(Value); }
    double Read(TReader& Reader, const QString&) const { return Reader.ReadDouble(); }
};

template <>
struct TValueCodec<QString> {
    void Write(TWriter& Writer, const QString& Value) const { Writer.WriteString(Value); }
    QString Read(TReader& Reader, const QString&) const { return Reader.ReadString(); }
};

template <>
struct TValueCodec<QByteArray> {
    void Write(TWriter& Writer, const QByteArray& Value) const { Writer.WriteBinary(Value); }
    QByteArray Read(TReader& Reader, const QString&) const { return Reader.ReadBinary(); }
};

// A list of strings.
template <>
struct TValueCodec<QStringList> {
    void Write(TWriter& Writer, const QStringList& Value) const;
    QStringList Read(TReader& Reader, const QString& Property) const;
};

// The position of Identifier in Names; raises the invalid-value error for Property.
std::size_t IdentifierIndex(std::span<const char* const> Names, const QString& Identifier, const QString& Property);

// Enumerations are written as identifiers: Names[ordinal].
template <typename E>
struct TEnumCodec {
    std::span<const char* const> Names;
    void Write(TWriter& Writer, E Value) const
    {
        Writer.WriteIdent(QString::fromLatin1(Names[static_cast<std::size_t>(Value)]));
    }
    E Read(TReader& Reader, const QString& Property) const
    {
        return static_cast<E>(IdentifierIndex(Names, Reader.ReadIdent(), Property));
    }
};

template <typename E>
struct TSetCodec {
    std::span<const char* const> Names;
    void Write(TWriter& Writer, const TEnumSet<E>& Value) const
    {
        QStringList identifiers;
        Value.ForEach([&](E member) { identifiers += QString::fromLatin1(Names[static_cast<std::size_t>(member)]); });
        Writer.WriteSet(identifiers);
    }
    TEnumSet<E> Read(TReader& Reader, const QString& Property) const
    {
        TEnumSet<E> value;
        for (const QString& identifier : Reader.ReadSet())
            value.Include(static_cast<E>(IdentifierIndex(Names, identifier, Property)));
        return value;
    }
};

// Whether a value is its default: for floating-point numbers bit for bit, so
// that -0 and NaN are written when they are not the default.
template <typename T>
bool SameValue(const T& A, const T& B)
{
    if constexpr (std::is_floating_point_v<T>)
        return std::memcmp(&A, &B, sizeof(T)) == 0;
    else
        return A == B;
}

// A property of class C with a value of type T, read with a getter and
// written with a setter.
template <typename C, typename T, typename Codec>
class TTypedProperty final : public TPropertyDescriptor {
public:
    TTypedProperty(QString Name, std::function<T(const C&)> Get, std::function<void(C&, const T&)> Set,
                   std::optional<T> Default, Codec ValueCodec)
        : TPropertyDescriptor(std::move(Name))
        , FGet(std::move(Get))
        , FSet(std::move(Set))
        , FDefault(std::move(Default))
        , FCodec(std::move(ValueCodec))
    {
    }

    void WriteValue(const TPersistent& Object, TWriter& Writer) const override
    {
        FCodec.Write(Writer, FGet(static_cast<const C&>(Object)));
    }
    void ReadValue(TPersistent& Object, TReader& Reader) const override
    {
        FSet(static_cast<C&>(Object), FCodec.Read(Reader, Name()));
    }

protected:
    bool HasValue(const TPersistent& Object, const TStreamRegistry&) const override
    {
        return !FDefault || !SameValue(FGet(static_cast<const C&>(Object)), *FDefault);
    }

private:
    std::function<T(const C&)> FGet;
    std::function<void(C&, const T&)> FSet;
    std::optional<T> FDefault;
    Codec FCodec;
};

// An object owned by the object of class C (a font, a pen), written as a
// nested object when it has anything stored and read into the same object.
template <typename C>
class TObjectProperty final : public TPropertyDescriptor {
public:
    TObjectProperty(QString Name, std::function<TPersistent&(C&)> Access)
        : TPropertyDescriptor(std::move(Name))
        , FAccess(std::move(Access))
    {
    }
    void WriteValue(const TPersistent& Object, TWriter& Writer) const override
    {
        Writer.WriteComponent(&Part(Object));
    }
    void ReadValue(TPersistent& Object, TReader& Reader) const override
    {
        Reader.ReadComponentInto(FAccess(static_cast<C&>(Object)));
    }

protected:
    bool HasValue(const TPersistent& Object, const TStreamRegistry& Registry) const override;

private:
    // Looking at the part changes nothing, so a part of a const object is
    // reached through the same accessor.
    const TPersistent& Part(const TPersistent& Object) const
    {
        return FAccess(const_cast<C&>(static_cast<const C&>(Object)));
    }

    std::function<TPersistent&(C&)> FAccess;
};

// A property with its own writer and reader of one value.
template <typename C>
class TDefinedProperty final : public TPropertyDescriptor {
public:
    TDefinedProperty(QString Name, std::function<bool(const C&)> HasData, std::function<void(const C&, TWriter&)> Write,
                     std::function<void(C&, TReader&)> Read)
        : TPropertyDescriptor(std::move(Name))
        , FHasData(std::move(HasData))
        , FWrite(std::move(Write))
        , FRead(std::move(Read))
    {
    }
    void WriteValue(const TPersistent& Object, TWriter& Writer) const override
    {
        FWrite(static_cast<const C&>(Object), Writer);
    }
    void ReadValue(TPersistent& Object, TReader& Reader) const override { FRead(static_cast<C&>(Object), Reader); }

protected:
    bool HasValue(const TPersistent& Object, const TStreamRegistry&) const override
    {
        return FHasData(static_cast<const C&>(Object));
    }

private:
    std::function<bool(const C&)> FHasData;
    std::function<void(const C&, TWriter&)> FWrite;
    std::function<void(C&, TReader&)> FRead;
};

// How the children stored with an object are listed and taken back: they
// follow its properties in a stream, each read with the object as its owner.
struct TChildrenAccess {
    // The children to store, in order.
    std::function<std::vector<const TPersistent*>(const TPersistent& Parent)> List;
    // Takes a child read from a stream; raises when Parent cannot own it.
    std::function<void(TPersistent& Parent, std::unique_ptr<TPersistent> Child)> Adopt;
};

// A registered class: its name, its parent, its factory, its properties and,
// for a class whose objects own stored children, how to reach them.
class TStreamClass {
public:
    using TFactory = std::function<std::unique_ptr<TPersistent>(TPersistent* Owner)>;

    TStreamClass(QString Name, const TStreamClass* Parent, TFactory Factory);

    const QString& Name() const { return FName; }
    const TStreamClass* Parent() const { return FParent; }
    bool IsAbstract() const { return !FFactory; }
    // Raises "Cannot create an instance of the abstract class %s" without a factory.
    std::unique_ptr<TPersistent> Create(TPersistent* Owner) const;

    // Every property in declaration order, the ancestors' first; a property
    // declared again by a subclass keeps its place.
    const std::vector<std::shared_ptr<const TPropertyDescriptor>>& Properties() const { return FProperties; }
    const TPropertyDescriptor* FindProperty(const QString& Name) const;

    // Adds or redeclares a property; a class with subclasses takes no more.
    void AddProperty(std::shared_ptr<TPropertyDescriptor> Property);
    void SetLastStoredRule(std::function<bool(const TPersistent&)> Rule);

    // Whether objects of the class store children after their properties;
    // subclasses inherit the access.
    bool HasChildren() const { return static_cast<bool>(FChildren.List); }
    const TChildrenAccess& Children() const { return FChildren; }
    void SetChildren(TChildrenAccess Access);

private:
    friend class TStreamRegistry;

    QString FName;
    const TStreamClass* FParent;
    TFactory FFactory;
    TChildrenAccess FChildren;
    std::vector<std::shared_ptr<const TPropertyDescriptor>> FProperties;
    std::shared_ptr<TPropertyDescriptor> FLast;
    bool FHasSubclasses = false;
};

// The value type of a property whose getter is Getter.
template <typename C, typename Getter>
using TPropertyValue = std::remove_cvref_t<std::invoke_result_t<Getter, const C&>>;

// Adds the properties of class C, in declaration order.
template <typename C>
class TClassBuilder {
public:
    explicit TClassBuilder(TStreamClass& Class)
        : FClass(Class)
    {
    }

    // A property without default, always written.
    template <typename Getter, typename Setter>
    TClassBuilder& Property(const QString& Name, Getter Get, Setter Put)
    {
        using T = TPropertyValue<C, Getter>;
        return Add<T>(Name, Get, Put, std::nullopt, TValueCodec<T>{});
    }
    template <typename Getter, typename Setter>
    TClassBuilder& Property(const QString& Name, Getter Get, Setter Put, const TPropertyValue<C, Getter>& Default)
    {
        using T = TPropertyValue<C, Getter>;
        return Add<T>(Name, Get, Put, Default, TValueCodec<T>{});
    }
    // Enumerations and sets are written with Names[ordinal].
    template <typename Getter, typename Setter>
    TClassBuilder& Enum(const QString& Name, Getter Get, Setter Put, const TPropertyValue<C, Getter>& Default,
                        std::span<const char* const> Names)
    {
        using E = TPropertyValue<C, Getter>;
        static_assert(std::is_enum_v<E>);
        return Add<E>(Name, Get, Put, Default, TEnumCodec<E>{Names});
    }
    template <typename Getter, typename Setter>
    TClassBuilder& Set(const QString& Name, Getter Get, Setter Put, const TPropertyValue<C, Getter>& Default,
                       std::span<const char* const> Names)
    {
        using S = TPropertyValue<C, Getter>;
        return Add<S>(Name, Get, Put, Default, TSetCodec<typename EnumOf<S>::Type>{Names});
    }
    // A set without default, written whenever its stored rule allows.
    template <typename Getter, typename Setter>
    TClassBuilder& Set(const QString& Name, Getter Get, Setter Put, std::span<const char* const> Names)
    {
        using S = TPropertyValue<C, Getter>;
        return Add<S>(Name, Get, Put, std::nullopt, TSetCodec<typename EnumOf<S>::Type>{Names});
    }
    // A part owned by the object, reached with Access(C&) -> TPersistent&.
    template <typename Access>
    TClassBuilder& Object(const QString& Name, Access Get)
    {
        return Adopt(std::make_shared<TObjectProperty<C>>(
            Name, [Get](C& object) -> TPersistent& { return std::invoke(Get, object); }));
    }
    // A defined property: HasData(const C&) says whether to write it,
    // Write(const C&, TWriter&) and Read(C&, TReader&) handle one value.
    TClassBuilder& Define(const QString& Name, std::function<bool(const C&)> HasData,
                          std::function<void(const C&, TWriter&)> Write, std::function<void(C&, TReader&)> Read)
    {
        return Adopt(std::make_shared<TDefinedProperty<C>>(Name, std::move(HasData), std::move(Write), std::move(Read)));
    }
    // A defined property stored as one binary value.
    TClassBuilder& DefineBinary(const QString& Name, std::function<bool(const C&)> HasData,
                                std::function<QByteArray(const C&)> Write, std::function<void(C&, const QByteArray&)> Read)
    {
        return Define(
            Name, std::move(HasData),
            [Write = std::move(Write)](const C& object, TWriter& writer) { writer.WriteBinary(Write(object)); },
            [Read = std::move(Read)](C& object, TReader& reader) { Read(object, reader.ReadBinary()); });
    }
    // Children stored after the properties: List(const C&) gives them in
    // order, Adopt(C&, std::unique_ptr<TPersistent>) takes one read back.
    template <typename Lister, typename Adopter>
    TClassBuilder& Children(Lister List, Adopter Adopt)
    {
        FClass.SetChildren(
            {[List](const TPersistent& parent) { return std::invoke(List, static_cast<const C&>(parent)); },
             [Adopt](TPersistent& parent, std::unique_ptr<TPersistent> child) {
                 std::invoke(Adopt, static_cast<C&>(parent), std::move(child));
             }});
        return *this;
    }
    // A property of a kind of its own (events, for one).
    TClassBuilder& Adopt(std::shared_ptr<TPropertyDescriptor> Property)
    {
        FClass.AddProperty(std::move(Property));
        return *this;
    }
    // The stored rule of the property added last: Rule(const C&) -> bool.
    template <typename Rule>
    TClassBuilder& Stored(Rule IsStored)
    {
        FClass.SetLastStoredRule(
            [IsStored](const TPersistent& object) { return std::invoke(IsStored, static_cast<const C&>(object)); });
        return *this;
    }

private:
    template <typename S>
    struct EnumOf;
    template <typename E>
    struct EnumOf<TEnumSet<E>> {
        using Type = E;
    };

    template <typename T, typename Getter, typename Setter, typename Codec>
    TClassBuilder& Add(const QString& Name, Getter Get, Setter Put, std::optional<T> Default, Codec ValueCodec)
    {
        return Adopt(std::make_shared<TTypedProperty<C, T, Codec>>(
            Name, [Get](const C& object) -> T { return std::invoke(Get, object); },
            [Put](C& object, const T& value) { std::invoke(Put, object, value); }, std::move(Default),
            std::move(ValueCodec)));
    }

    TStreamClass& FClass;
};

// Class names to classes. Register every class before streaming starts;
// looking classes up is then safe from any thread.
class TStreamRegistry {
public:
    // Registers C under Name as a subclass of Base (registered before, or
    // TPersistent for none). A default-constructible C gets a factory that
    // ignores the owner; a class without factory is abstract.
    template <typename C, typename Base = TPersistent>
    TClassBuilder<C> Register(const QString& Name, TStreamClass::TFactory Factory = DefaultFactory<C>())
    {
        static_assert(std::is_base_of_v<Base, C> && std::is_base_of_v<TPersistent, Base>);
        const std::type_info* base = nullptr;
        if constexpr (!std::is_same_v<Base, TPersistent>)
            base = &typeid(Base);
        return TClassBuilder<C>(Add(Name, typeid(C), base, std::move(Factory)));
    }

    // The class registered under Name, or null.
    const TStreamClass* FindClass(const QString& Name) const;
    // The class of Object's run-time type; raises "Class %s not found".
    const TStreamClass& ClassOf(const TPersistent& Object) const;
    // The class of Object's run-time type, or null when it is not registered.
    const TStreamClass* FindClassOf(const TPersistent& Object) const;
    // A new object of the class named Name; raises "Class %s not found".
    std::unique_ptr<TPersistent> CreateObject(const QString& Name, TPersistent* Owner) const;
    // Whether Object has any property to write.
    bool HasStoredProperties(const TPersistent& Object) const;

private:
    template <typename C>
    static TStreamClass::TFactory DefaultFactory()
    {
        if constexpr (std::is_default_constructible_v<C> && !std::is_abstract_v<C>)
            return [](TPersistent*) -> std::unique_ptr<TPersistent> { return std::make_unique<C>(); };
        else
            return {};
    }
    TStreamClass& Add(const QString& Name, const std::type_info& Type, const std::type_info* Base,
                      TStreamClass::TFactory Factory);

    std::vector<std::unique_ptr<TStreamClass>> FClasses;
    QHash<QString, TStreamClass*> FByName;
    std::unordered_map<std::type_index, TStreamClass*> FByType;
};

// The program's registry, filled by each unit's registration at start-up.
TStreamRegistry& StreamClasses();

template <typename C>
bool TObjectProperty<C>::HasValue(const TPersistent& Object, const TStreamRegistry& Registry) const
{
    return Registry.HasStoredProperties(Part(Object));
}

} // namespace zor
