#pragma once
// The id to element index of a document; it does not own the elements. An
// element without an id of its own is given one ("ID#3"). Those ids are
// numbered slots here rather than table entries: most elements of a file have
// no id, and a string and a table entry each would cost more than the
// element's own data. Count, ContainsKey, TryGetValue and Items see both
// kinds; enumerating the table sees the ids of the elements' own.

#include <QString>
#include <QStringView>
#include <vector>

#include "collections/hash_table_strings.h"

namespace zor {

class TSVGElement;

class TSVGElementTable : public TZorStringObjectHashTable<TSVGElement> {
    using Base = TZorStringObjectHashTable<TSVGElement>;

public:
    static constexpr QStringView ProvisionalPrefix = u"ID#";

    int Count() const { return Base::Count() + FProvisionalCount; }
    bool ContainsKey(const QString& Key) const;
    bool TryGetValue(const QString& Key, TSVGElement*& Value) const;
    // The element of Key; an absent key raises "Item not found".
    TSVGElement* Items(const QString& Key) const;
    void Clear() override;
    // A name that neither kind of id uses (see TZorStringHashTable).
    QString GetUniqueName(const QString& aName, const QString& Append) const
    {
        return UniqueNameAmong(aName, Append, [this](const QString& Key) { return ContainsKey(Key); });
    }

    // An id of the element's own, and its removal.
    void AddNamed(const QString& Key, TSVGElement* Element, bool Unique);
    void RemoveNamed(const QString& Key);

    // Gives Element the first provisional number from Count() on that no id
    // uses, and returns it.
    int AddProvisional(TSVGElement* Element);
    // Frees provisional number Number when Element holds it.
    void RemoveProvisional(int Number, const TSVGElement* Element);
    static QString ProvisionalID(int Number);
    // The number of a provisional id ("ID#" and decimal digits); -1 for others.
    static int ProvisionalNumber(QStringView ID);

private:
    TSVGElement* ProvisionalHolder(int Number) const;

    std::vector<TSVGElement*> FProvisional;
    int FProvisionalCount = 0;
    // Own ids that look provisional ("ID#7" set in code), which numbering must skip.
    int FNamedProvisional = 0;
};

} // namespace zor
