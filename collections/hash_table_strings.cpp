#include "collections/hash_table_strings.h"

#include <QMetaProperty>
#include <QObject>
#include <QVariant>

namespace zor {

bool SetPublishedText(TPersistent* Dest, const QString& Text)
{
    auto* object = dynamic_cast<QObject*>(Dest);
    if (object == nullptr)
        return false;
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfProperty("Text");
    if (index < 0 || !meta->property(index).isWritable())
        return false;
    return meta->property(index).write(object, Text);
}

} // namespace zor
