#pragma once
// Components: the objects a stored layout is made of. A component is a Qt
// object that streaming knows: its name is its object name, its stored
// children are the registered components among its Qt children, and its
// events are stored by handler name. The root that loads a layout gives each
// name its handler (BindEvents), after every value has been read, so no
// handler runs while the layout is being read.

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/persistent.h"
#include "platform/stream_classes.h"

namespace zor {

namespace messages {
inline constexpr const char* MethodNotFound = "Method %s not found";
inline constexpr const char* NotAChild = "A %s cannot be a child of a %s";
} // namespace messages

// What an event runs: the handler a root gives for a name, called with the
// component whose event fired.
using THandler = std::function<void(TPersistent& Sender)>;
// The handler of a name, or an empty one when the root has none.
using THandlerLookup = std::function<THandler(const QString& Name)>;

class TComponent : public TPersistent {
public:
    // The object name of the Qt object this component is.
    QString Name() const;
    void SetName(const QString& Value);

    // The name of the handler stored for Event ("OnClick"); empty for none.
    QString EventHandler(const QString& Event) const { return FHandlers.value(Event); }
    void SetEventHandler(const QString& Event, const QString& Handler);

    QObject* AsObject() { return dynamic_cast<QObject*>(this); }
    const QObject* AsObject() const { return dynamic_cast<const QObject*>(this); }

private:
    QHash<QString, QString> FHandlers;
};

// An event of class C, stored as its handler's name (an identifier) and
// bound by Bind(C&, THandler), which puts the handler into the component's
// event slot; an empty handler clears it.
class TEventDescriptor : public TPropertyDescriptor {
public:
    using TPropertyDescriptor::TPropertyDescriptor;
    virtual void Bind(TPersistent& Object, THandler Handler) const = 0;

    void WriteValue(const TPersistent& Object, TWriter& Writer) const override;
    void ReadValue(TPersistent& Object, TReader& Reader) const override;

protected:
    bool HasValue(const TPersistent& Object, const TStreamRegistry& Registry) const override;
};

template <typename C>
class TEventProperty final : public TEventDescriptor {
public:
    TEventProperty(QString Name, std::function<void(C&, THandler)> Binder)
        : TEventDescriptor(std::move(Name))
        , FBinder(std::move(Binder))
    {
    }
    void Bind(TPersistent& Object, THandler Handler) const override
    {
        FBinder(static_cast<C&>(Object), std::move(Handler));
    }

private:
    std::function<void(C&, THandler)> FBinder;
};

// Declares the event Name of class C.
template <typename C>
TClassBuilder<C>& Event(TClassBuilder<C>& Builder, const QString& Name, std::function<void(C&, THandler)> Binder)
{
    return Builder.Adopt(std::make_shared<TEventProperty<C>>(Name, std::move(Binder)));
}

// Registers "TComponent", the abstract base of components, with its Name.
void RegisterComponentClass(TStreamRegistry& Registry);

// The registered components among Parent's Qt children, in their order.
std::vector<const TPersistent*> StoredChildren(const QObject& Parent, const TStreamRegistry& Registry);
// Takes a child read from a stream: its factory must have made Parent its
// Qt parent, which owns it from then on; otherwise raises "A %s cannot be a
// child of a %s" and the child is freed.
void AdoptChild(QObject& Parent, std::unique_ptr<TPersistent> Child);

// Gives every event of Component that has a handler name its handler from
// Lookup; raises "Method %s not found" for a name Lookup does not know.
void BindEvents(TPersistent& Component, const TStreamRegistry& Registry, const THandlerLookup& Lookup);
// The same for Root and every component among its Qt descendants.
void BindEventsOfTree(QObject& Root, const TStreamRegistry& Registry, const THandlerLookup& Lookup);
// Clears the handler name and the slot of one event.
void ClearEvent(TPersistent& Component, const QString& Event, const TStreamRegistry& Registry);

} // namespace zor
