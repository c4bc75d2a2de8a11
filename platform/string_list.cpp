#include "platform/string_list.h"

#include <QRegularExpression>

namespace zor {

TStringList::TStringList(const QStringList& lines)
    : FStrings(lines)
    , FObjects(lines.size(), nullptr)
{
}

TStringList::TStringList(TEvent<TStringList&> OwnerChanged, const QStringList& lines)
    : TStringList(lines)
{
    FOwnerChanged = std::move(OwnerChanged);
}

TStringList::TStringList(const TStringList& other)
    : TPersistent()
    , FStrings(other.FStrings)
    , FObjects(other.FObjects)
{
}

TStringList& TStringList::operator=(const TStringList& other)
{
    if (this != &other) {
        FStrings = other.FStrings;
        FObjects = other.FObjects;
        Changed();
    }
    return *this;
}

void TStringList::CheckIndex(qsizetype Index) const
{
    if (Index < 0 || Index >= FStrings.size())
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
}

const QString& TStringList::Strings(qsizetype Index) const
{
    CheckIndex(Index);
    return FStrings[Index];
}

void TStringList::SetStrings(qsizetype Index, const QString& Value)
{
    CheckIndex(Index);
    if (FStrings[Index] == Value)
        return;
    FStrings[Index] = Value;
    Changed();
}

void* TStringList::Objects(qsizetype Index) const
{
    CheckIndex(Index);
    return FObjects[Index];
}

void TStringList::SetObjects(qsizetype Index, void* Value)
{
    CheckIndex(Index);
    FObjects[Index] = Value;
    Changed();
}

qsizetype TStringList::Add(const QString& S)
{
    return AddObject(S, nullptr);
}

qsizetype TStringList::AddObject(const QString& S, void* Object)
{
    FStrings.append(S);
    FObjects.append(Object);
    Changed();
    return FStrings.size() - 1;
}

void TStringList::AddStrings(const QStringList& Lines)
{
    if (Lines.isEmpty())
        return;
    FStrings.append(Lines);
    FObjects.resize(FStrings.size(), nullptr);
    Changed();
}

void TStringList::Insert(qsizetype Index, const QString& S)
{
    if (Index < 0 || Index > FStrings.size())
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(Index)});
    FStrings.insert(Index, S);
    FObjects.insert(Index, nullptr);
    Changed();
}

void TStringList::Delete(qsizetype Index)
{
    CheckIndex(Index);
    FStrings.removeAt(Index);
    FObjects.removeAt(Index);
    Changed();
}

void TStringList::Clear()
{
    if (FStrings.isEmpty())
        return;
    FStrings.clear();
    FObjects.clear();
    Changed();
}

qsizetype TStringList::IndexOf(const QString& S) const
{
    return FStrings.indexOf(S);
}

QString TStringList::Text() const
{
    return FStrings.join(u'\n');
}

void TStringList::SetText(const QString& Value)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = Value.isEmpty() ? QStringList() : Value.split(lineBreak);
    // A final line break ends the last line rather than starting an empty one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    Assign(lines);
}

void TStringList::Assign(const QStringList& Lines)
{
    FStrings = Lines;
    FObjects = QList<void*>(Lines.size(), nullptr);
    Changed();
}

void TStringList::Assign(const TPersistent* Source)
{
    if (auto* list = dynamic_cast<const TStringList*>(Source)) {
        if (list == this)
            return;
        FStrings = list->FStrings;
        FObjects = list->FObjects;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TStringList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Report();
    }
}

void TStringList::Changed()
{
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    Report();
}

void TStringList::Report()
{
    Fire(FOwnerChanged, *this);
    Fire(OnChange, *this);
}

} // namespace zor
