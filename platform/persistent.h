#pragma once
// The assignable base class: objects that can copy their state from another
// object. A class that cannot take a given source reports it with the
// conversion error "Cannot assign a %s to a %s".

#include <QString>

#include "platform/exceptions.h"

namespace zor {

class TPersistent {
public:
    virtual ~TPersistent() = default;

    // Copies Source into this object. The base asks Source to assign itself to
    // this object, which fails unless Source knows this class.
    virtual void Assign(const TPersistent* Source);

    // The class name without namespace, as messages and type names show it.
    QString ClassName() const;

protected:
    virtual void AssignTo(TPersistent* Dest) const;

    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

// The class name of an object for messages; "nil" for none.
QString ClassNameOf(const TPersistent* object);

// Unqualified, demangled name of a run-time type.
QString DemangledTypeName(const std::type_info& type);

// The checked cast: converts a reference to T or raises "Invalid class typecast".
template <typename T, typename U>
T* CheckedCast(U* object)
{
    if (object == nullptr)
        return nullptr;
    if (auto* result = dynamic_cast<T*>(object))
        return result;
    throw EInvalidCast(QString::fromLatin1(messages::InvalidCast));
}

} // namespace zor
