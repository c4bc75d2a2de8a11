#include "platform/stream_classes.h"

#include <algorithm>

namespace zor {

TPropertyDescriptor::TPropertyDescriptor(QString Name)
    : FName(std::move(Name))
{
}

bool TPropertyDescriptor::IsStored(const TPersistent& Object, const TStreamRegistry& Registry) const
{
    return (!FStored || FStored(Object)) && HasValue(Object, Registry);
}

void TValueCodec<QStringList>::Write(TWriter& Writer, const QStringList& Value) const
{
    Writer.WriteListBegin();
    for (const QString& line : Value)
        Writer.WriteString(line);
    Writer.WriteListEnd();
}

QStringList TValueCodec<QStringList>::Read(TReader& Reader, const QString&) const
{
    QStringList value;
    Reader.ReadListBegin();
    while (!Reader.EndOfList())
        value += Reader.ReadString();
    Reader.ReadListEnd();
    return value;
}

std::size_t IdentifierIndex(std::span<const char* const> Names, const QString& Identifier, const QString& Property)
{
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (Identifier == QLatin1String(Names[i]))
            return i;
    Raise<EReadError>(messages::StreamPropertyValue, {Identifier, Property});
}

TStreamClass::TStreamClass(QString Name, const TStreamClass* Parent, TFactory Factory)
    : FName(std::move(Name))
    , FParent(Parent)
    , FFactory(std::move(Factory))
{
    if (Parent != nullptr) {
        FProperties = Parent->FProperties;
        FChildren = Parent->FChildren;
    }
}

void TStreamClass::SetChildren(TChildrenAccess Access)
{
    if (FHasSubclasses)
        Raise<EInvalidOperation>(messages::ClassHasSubclasses, {FName});
    FChildren = std::move(Access);
}

std::unique_ptr<TPersistent> TStreamClass::Create(TPersistent* Owner) const
{
    if (IsAbstract())
        Raise<EReadError>(messages::AbstractClass, {FName});
    return FFactory(Owner);
}

const TPropertyDescriptor* TStreamClass::FindProperty(const QString& Name) const
{
    const auto found = std::find_if(FProperties.begin(), FProperties.end(),
                                    [&](const auto& property) { return property->Name() == Name; });
    return found == FProperties.end() ? nullptr : found->get();
}

void TStreamClass::AddProperty(std::shared_ptr<TPropertyDescriptor> Property)
{
    // Subclasses copied the list when they were registered.
    if (FHasSubclasses)
        Raise<EInvalidOperation>(messages::ClassHasSubclasses, {FName});
    FLast = Property;
    const auto same = std::find_if(FProperties.begin(), FProperties.end(),
                                   [&](const auto& existing) { return existing->Name() == Property->Name(); });
    if (same != FProperties.end())
        *same = std::move(Property);
    else
        FProperties.push_back(std::move(Property));
}

void TStreamClass::SetLastStoredRule(std::function<bool(const TPersistent&)> Rule)
{
    if (!FLast)
        Raise<EInvalidOperation>(messages::NoPropertyForRule, {FName});
    FLast->SetStoredRule(std::move(Rule));
}

const TStreamClass* TStreamRegistry::FindClass(const QString& Name) const
{
    return FByName.value(Name, nullptr);
}

const TStreamClass& TStreamRegistry::ClassOf(const TPersistent& Object) const
{
    const TStreamClass* found = FindClassOf(Object);
    if (found == nullptr)
        Raise<EClassNotFound>(messages::ClassNotFound, {DemangledTypeName(typeid(Object))});
    return *found;
}

const TStreamClass* TStreamRegistry::FindClassOf(const TPersistent& Object) const
{
    const auto found = FByType.find(typeid(Object));
    return found == FByType.end() ? nullptr : found->second;
}

std::unique_ptr<TPersistent> TStreamRegistry::CreateObject(const QString& Name, TPersistent* Owner) const
{
    const TStreamClass* found = FindClass(Name);
    if (found == nullptr)
        Raise<EClassNotFound>(messages::ClassNotFound, {Name});
    return found->Create(Owner);
}

bool TStreamRegistry::HasStoredProperties(const TPersistent& Object) const
{
    const auto& properties = ClassOf(Object).Properties();
    return std::any_of(properties.begin(), properties.end(),
                       [&](const auto& property) { return property->IsStored(Object, *this); });
}

TStreamClass& TStreamRegistry::Add(const QString& Name, const std::type_info& Type, const std::type_info* Base,
                                   TStreamClass::TFactory Factory)
{
    if (FByName.contains(Name) || FByType.contains(Type))
        Raise<EListError>(messages::DuplicatesNotAllowed);
    TStreamClass* parent = nullptr;
    if (Base != nullptr) {
        const auto found = FByType.find(*Base);
        if (found == FByType.end())
            Raise<EClassNotFound>(messages::ClassNotFound, {DemangledTypeName(*Base)});
        parent = found->second;
        parent->FHasSubclasses = true;
    }
    auto& added = FClasses.emplace_back(std::make_unique<TStreamClass>(Name, parent, std::move(Factory)));
    FByName.insert(Name, added.get());
    FByType.emplace(Type, added.get());
    return *added;
}

TStreamRegistry& StreamClasses()
{
    static TStreamRegistry registry;
    return registry;
}

} // namespace zor
