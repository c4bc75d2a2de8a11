#pragma once
// An ordered list of texts, each optionally with an attached (non-owned)
// object, that reports every change through OnChange. Changes made between
// BeginUpdate and EndUpdate are reported once, at the outermost EndUpdate.
//
// An object that owns a list hears of its changes through the hook it gives
// the constructor, never through OnChange, which stays free for callers.

#include <QString>
#include <QStringList>
#include <QList>

#include "platform/events.h"
#include "platform/persistent.h"

namespace zor {

class TStringList : public TPersistent {
public:
    TStringList() = default;
    explicit TStringList(const QStringList& lines);
    // A list of an owner, told of every change (before OnChange) through OwnerChanged.
    explicit TStringList(TEvent<TStringList&> OwnerChanged, const QStringList& lines = {});
    // Copies the lines and objects; the copy has no owner.
    TStringList(const TStringList& other);
    // Takes the lines and objects and keeps its own owner.
    TStringList& operator=(const TStringList& other);

    qsizetype Count() const { return FStrings.size(); }
    bool IsEmpty() const { return FStrings.isEmpty(); }

    const QString& Strings(qsizetype Index) const;
    const QString& operator[](qsizetype Index) const { return Strings(Index); }
    void SetStrings(qsizetype Index, const QString& Value);
    void* Objects(qsizetype Index) const;
    void SetObjects(qsizetype Index, void* Value);

    qsizetype Add(const QString& S);
    qsizetype AddObject(const QString& S, void* Object);
    void AddStrings(const QStringList& Lines);
    void Insert(qsizetype Index, const QString& S);
    void Delete(qsizetype Index);
    void Clear();
    qsizetype IndexOf(const QString& S) const;

    // The lines joined with "\n"; setting it splits at "\r\n", "\n" or "\r".
    QString Text() const;
    void SetText(const QString& Value);

    const QStringList& ToStringList() const { return FStrings; }
    void Assign(const QStringList& Lines);
    void Assign(const TPersistent* Source) override;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    TEvent<TStringList&> OnChange;

    friend bool operator==(const TStringList& a, const TStringList& b) { return a.FStrings == b.FStrings; }

private:
    void CheckIndex(qsizetype Index) const;
    void Changed();
    void Report();

    QStringList FStrings;
    QList<void*> FObjects;
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
    TEvent<TStringList&> FOwnerChanged;
};

} // namespace zor
