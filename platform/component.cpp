#include "platform/component.h"

namespace zor {

QString TComponent::Name() const
{
    const QObject* object = AsObject();
    return object != nullptr ? object->objectName() : QString();
}

void TComponent::SetName(const QString& Value)
{
    if (QObject* object = AsObject())
        object->setObjectName(Value);
}

void TComponent::SetEventHandler(const QString& Event, const QString& Handler)
{
    if (Handler.isEmpty())
        FHandlers.remove(Event);
    else
        FHandlers.insert(Event, Handler);
}

void TEventDescriptor::WriteValue(const TPersistent& Object, TWriter& Writer) const
{
    Writer.WriteIdent(static_cast<const TComponent&>(Object).EventHandler(Name()));
}

void TEventDescriptor::ReadValue(TPersistent& Object, TReader& Reader) const
{
    static_cast<TComponent&>(Object).SetEventHandler(Name(), Reader.ReadIdent());
}

bool TEventDescriptor::HasValue(const TPersistent& Object, const TStreamRegistry&) const
{
    return !static_cast<const TComponent&>(Object).EventHandler(Name()).isEmpty();
}

void RegisterComponentClass(TStreamRegistry& Registry)
{
    Registry.Register<TComponent>(QStringLiteral("TComponent"), {})
        .Property(QStringLiteral("Name"), &TComponent::Name, &TComponent::SetName, QString());
}

std::vector<const TPersistent*> StoredChildren(const QObject& Parent, const TStreamRegistry& Registry)
{
    std::vector<const TPersistent*> children;
    for (const QObject* child : Parent.children()) {
        const auto* component = dynamic_cast<const TComponent*>(child);
        if (component != nullptr && Registry.FindClassOf(*component) != nullptr)
            children.push_back(component);
    }
    return children;
}

void AdoptChild(QObject& Parent, std::unique_ptr<TPersistent> Child)
{
    auto* object = dynamic_cast<QObject*>(Child.get());
    if (object == nullptr || object->parent() != &Parent)
        Raise<EReadError>(messages::NotAChild,
                          {ClassNameOf(Child.get()), DemangledTypeName(typeid(Parent))});
    // Parent owns it now.
    static_cast<void>(Child.release());
}

void BindEvents(TPersistent& Component, const TStreamRegistry& Registry, const THandlerLookup& Lookup)
{
    const auto* component = dynamic_cast<const TComponent*>(&Component);
    if (component == nullptr)
        return;
    for (const auto& property : Registry.ClassOf(Component).Properties()) {
        const auto* event = dynamic_cast<const TEventDescriptor*>(property.get());
        if (event == nullptr)
            continue;
        const QString name = component->EventHandler(event->Name());
        if (name.isEmpty())
            continue;
        THandler handler = Lookup(name);
        if (!handler)
            Raise<EReadError>(messages::MethodNotFound, {name});
        event->Bind(Component, std::move(handler));
    }
}

void BindEventsOfTree(QObject& Root, const TStreamRegistry& Registry, const THandlerLookup& Lookup)
{
    if (auto* component = dynamic_cast<TComponent*>(&Root); component != nullptr && Registry.FindClassOf(*component))
        BindEvents(*component, Registry, Lookup);
    for (QObject* child : Root.children())
        BindEventsOfTree(*child, Registry, Lookup);
}

void ClearEvent(TPersistent& Component, const QString& Event, const TStreamRegistry& Registry)
{
    auto* component = dynamic_cast<TComponent*>(&Component);
    if (component == nullptr)
        return;
    component->SetEventHandler(Event, QString());
    const auto* property = dynamic_cast<const TEventDescriptor*>(Registry.ClassOf(Component).FindProperty(Event));
    if (property == nullptr)
        Raise<EReadError>(messages::PropertyNotFound, {Event});
    property->Bind(Component, THandler());
}

} // namespace zor
