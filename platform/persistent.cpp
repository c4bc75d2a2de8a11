#include "platform/persistent.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace zor {

QString DemangledTypeName(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : type.name());
    // Keep the last component of a qualified name, but not inside template arguments.
    const qsizetype angle = name.indexOf(u'<');
    const qsizetype scope = name.lastIndexOf(QStringLiteral("::"), angle < 0 ? -1 : angle);
    return scope < 0 ? name : name.mid(scope + 2);
}

QString ClassNameOf(const TPersistent* object)
{
    return object ? object->ClassName() : QStringLiteral("nil");
}

QString TPersistent::ClassName() const
{
    return DemangledTypeName(typeid(*this));
}

void TPersistent::Assign(const TPersistent* Source)
{
    if (Source != nullptr) {
        Source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const
{
    if (Dest)
        Dest->AssignError(this);
    Raise<EConvertError>(QString::fromLatin1(messages::CannotAssign),
                         {ClassName(), QStringLiteral("nil")});
}

void TPersistent::AssignError(const TPersistent* Source) const
{
    Raise<EConvertError>(QString::fromLatin1(messages::CannotAssign), {ClassNameOf(Source), ClassName()});
}

} // namespace zor
