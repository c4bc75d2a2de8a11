#pragma once
// Text-keyed hash tables: TZorStringHashTable copies to and from string lists
// and forms unique names; TZorStringObjectHashTable keeps object references
// as values (not owned) and carries them as the objects attached to the
// lines of a string list. The object class may be only forward-declared.

#include <QString>
#include <memory>

#include "collections/hash_table.h"
#include "platform/string_list.h"

namespace zor {

// Sets the Text property that the meta-object of Dest publishes, if it has a
// writable one; false when Dest has none.
bool SetPublishedText(TPersistent* Dest, const QString& Text);

template <typename V>
class TZorStringHashTable : public TZorHashTable<QString, V> {
    using Base = TZorHashTable<QString, V>;

public:
    using Base::Base;

    class TStringIterator : public TSlotIterator<TZorStringHashTable, QString> {
    public:
        using TSlotIterator<TZorStringHashTable, QString>::TSlotIterator;

    protected:
        QString ElementAt(int Slot) const override { return this->FTable->SlotKey(Slot); }
    };

    // A name not yet used as a key: aName itself, or aName with Append and,
    // on further clashes, a running number added. The table does not change.
    QString GetUniqueName(const QString& aName, const QString& Append) const
    {
        return UniqueNameAmong(aName, Append, [this](const QString& Key) { return this->ContainsKey(Key); });
    }

    // The same rule over any set of used names, for tables that know keys
    // the hash table does not hold.
    template <typename FUsed>
    static QString UniqueNameAmong(const QString& aName, const QString& Append, FUsed&& Used)
    {
        QString result = aName;
        int n = 0;
        while (Used(result)) {
            // An empty Append counts as absent, so the name still grows.
            const qsizetype p = Append.isEmpty() ? -1 : result.indexOf(Append);
            if (p < 0) {
                result += u' ' + Append;
            } else {
                ++n;
                result = result.left(p) + u' ' + Append + QStringLiteral(" (") + QString::number(n) + u')';
            }
        }
        return result;
    }

    // A new iterator over the keys.
    std::shared_ptr<IStringIterator> Indices() const { return std::make_shared<TStringIterator>(this); }

    // From a string list: every line becomes a key, inside one update bracket.
    // A repeated line raises "Duplicates not allowed" and keeps the lines
    // before it.
    void Assign(const TPersistent* Source) override
    {
        const auto* lines = dynamic_cast<const TStringList*>(Source);
        if (lines == nullptr) {
            Base::Assign(Source);
            return;
        }
        TUpdateScope update(*this);
        this->Clear();
        for (qsizetype i = 0; i < lines->Count(); ++i)
            this->Add(lines->Strings(i), ValueFromLine(*lines, i));
    }

protected:
    // Into a string list: one line per key in enumeration order. Into any
    // object publishing a Text property: the keys, each followed by CR LF.
    void AssignTo(TPersistent* Dest) const override
    {
        if (auto* lines = dynamic_cast<TStringList*>(Dest)) {
            TUpdateScope update(*lines);
            lines->Clear();
            for (const auto& [key, value] : *this)
                AddLine(*lines, key, value);
            return;
        }
        TStringList keys;
        AssignTo(&keys);
        QString text;
        for (const QString& key : keys.ToStringList())
            text += key + QStringLiteral("\r\n");
        if (!SetPublishedText(Dest, text))
            Base::AssignTo(Dest);
    }

    // The value a line of a source list gives.
    virtual V ValueFromLine(const TStringList&, qsizetype) const { return V{}; }
    // Appends one entry to a destination list.
    virtual void AddLine(TStringList& Lines, const QString& Key, const V&) const { Lines.Add(Key); }
};

template <typename T>
class TZorStringObjectHashTable : public TZorStringHashTable<T*> {
    using Base = TZorStringHashTable<T*>;

public:
    using Base::Base;

    class TObjectIterator : public TSlotIterator<TZorStringObjectHashTable, T*> {
    public:
        using TSlotIterator<TZorStringObjectHashTable, T*>::TSlotIterator;

    protected:
        T* ElementAt(int Slot) const override { return this->FTable->SlotValue(Slot); }
    };

    // A new iterator over the values.
    std::shared_ptr<IObjectIterator<T>> Elements() const { return std::make_shared<TObjectIterator>(this); }

protected:
    // The object attached to the line is the value.
    T* ValueFromLine(const TStringList& Lines, qsizetype Index) const override
    {
        return static_cast<T*>(Lines.Objects(Index));
    }
    void AddLine(TStringList& Lines, const QString& Key, T* const& Value) const override
    {
        Lines.AddObject(Key, static_cast<void*>(Value));
    }
};

} // namespace zor
