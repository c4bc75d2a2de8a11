#include <QObject>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <new>
#include <random>
#include <vector>

#include "collections/hash_table_strings.h"

using namespace zor;

namespace {

using TTextTable = TZorStringHashTable<QString>;

template <typename Table>
QStringList KeysInOrder(const Table& ATable)
{
    QStringList keys;
    for (const QString& key : ATable.Keys())
        keys << key;
    return keys;
}

template <typename E, typename F>
void ExpectRaises(F&& Call, const QString& Message)
{
    try {
        Call();
        ADD_FAILURE() << "no exception; expected: " << Message.toStdString();
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), Message);
    }
}

// ---- hashing ----

TEST(HashTableHashing, HashLittleMatchesTheReferenceValues)
{
    const char* fourScore = "Four score and seven years ago";
    EXPECT_EQ(HashLittle("", 0, 0), 0xdeadbeefu);
    EXPECT_EQ(HashLittle("", 0, 0xdeadbeef), 0xbd5b7ddeu);
    EXPECT_EQ(HashLittle(fourScore, 30, 0), 0x17770551u);
    EXPECT_EQ(HashLittle(fourScore, 30, 1), 0xcd628161u);
}

TEST(HashTableHashing, TextIsHashedAsLittleEndianUtf16)
{
    // Expected values from the reference algorithm run over the UTF-16LE
    // bytes; the lengths cover an empty key, a partial block, exactly one
    // 12-byte block, one block plus a tail, and two whole blocks.
    const struct {
        const char16_t* Text;
        std::uint32_t Hash;
    } cases[] = {
        {u"", 0xdeadbeef},
        {u"a", 0x42b17671},
        {u"fill", 0xb6be62f0},
        {u"Fill", 0x5a8c3192},
        {u"abcdef", 0x1e7f077e},
        {u"Grüße €", 0x1d1236e1},
        {u"stroke-width", 0x3ab5d94d},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HashUtf16(QString::fromUtf16(c.Text)), c.Hash) << QString::fromUtf16(c.Text).toStdString();
}

// The table hash masked by 63 gives the home slots 14, 49 and 60, so a
// 64-slot table lists the keys in that order whatever the insertion order.
TEST(HashTableOrder, SixtyFourSlotsOrderByHomeSlot)
{
    QStringList keys{"fill", "stroke", "stroke-width"};
    std::sort(keys.begin(), keys.end());
    do {
        TTextTable table(61);
        ASSERT_EQ(table.Capacity(), 64);
        for (const QString& key : keys)
            table.Add(key, QString());
        EXPECT_EQ(KeysInOrder(table), QStringList({"stroke-width", "fill", "stroke"}));
    } while (std::next_permutation(keys.begin(), keys.end()));
}

// Home slots of the keys (table hash AND length - 1):
//   4 slots:  a 2, b 1, c 1
//   8 slots:  a 2, b 1, c 5, g 6, h 7, i 6, l 7
//   16 slots: a 2, b 1, c 13, e 3, g 6, i 14, l 7
TEST(HashTableOrder, FollowsProbingGrowthAndBackShifting)
{
    TTextTable table;
    for (const char* key : {"a", "b", "c"})
        table.Add(key, QString());
    // c collides with b at slot 1 and probes on past a to slot 3.
    EXPECT_EQ(table.Capacity(), 4);
    EXPECT_EQ(KeysInOrder(table), QStringList({"b", "a", "c"}));

    // The 4th entry grows to 8 slots first; c moves to its new home 5.
    table.Add("h", QString());
    EXPECT_EQ(table.Capacity(), 8);
    EXPECT_EQ(KeysInOrder(table), QStringList({"b", "a", "c", "h"}));

    // l's home 7 is taken: the probe wraps to slot 0.
    table.Add("l", QString());
    table.Add("g", QString());
    EXPECT_EQ(KeysInOrder(table), QStringList({"l", "b", "a", "c", "g", "h"}));

    // Removing h at 7 shifts l back from slot 0 into its home.
    table.Remove("h");
    EXPECT_EQ(KeysInOrder(table), QStringList({"b", "a", "c", "g", "l"}));
    for (const char* key : {"a", "b", "c", "g", "l"})
        EXPECT_TRUE(table.ContainsKey(key)) << key;
    EXPECT_FALSE(table.ContainsKey("h"));

    // i (home 6) probes past g and l and wraps to slot 0.
    table.Add("i", QString());
    EXPECT_EQ(KeysInOrder(table), QStringList({"i", "b", "a", "c", "g", "l"}));

    // At 6 of 8 the next insertion grows to 16 slots and re-orders.
    table.Add("e", QString());
    EXPECT_EQ(table.Capacity(), 16);
    EXPECT_EQ(KeysInOrder(table), QStringList({"b", "a", "e", "g", "l", "c", "i"}));
}

// ---- lookup, insertion, removal ----

TEST(HashTableLookup, KeysAreCaseSensitiveAndExact)
{
    TTextTable table;
    table.Add("Fill", "1");
    table.Add("fill", "2");
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Items("Fill"), "1");
    EXPECT_EQ(table.Items("fill"), "2");
    QString value = "stale";
    EXPECT_FALSE(table.TryGetValue("FILL", value));
    EXPECT_TRUE(value.isEmpty());
    EXPECT_FALSE(table.ContainsKey(" fill"));
}

TEST(HashTableLookup, RemovingAnyEntryKeepsEveryOtherReachable)
{
    // Enough keys in 64 slots to produce displaced runs, some wrapping
    // from the last slot to slot 0.
    QStringList keys;
    for (int i = 0; i < 40; ++i)
        keys << QStringLiteral("key%1").arg(i);
    for (const QString& removed : keys) {
        TTextTable table;
        for (const QString& key : keys)
            table.Add(key, key + "!");
        table.Remove(removed);
        ASSERT_EQ(table.Count(), keys.size() - 1);
        for (const QString& key : keys) {
            QString value;
            ASSERT_EQ(table.TryGetValue(key, value), key != removed) << removed.toStdString();
            if (key != removed) {
                ASSERT_EQ(value, key + "!");
            }
        }
    }
}

TEST(HashTableLookup, RandomEditsAgreeWithAnOrderedMap)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> keyOf(0, 60);
    std::uniform_int_distribution<int> operationOf(0, 3);
    TTextTable table;
    std::map<QString, QString> expected;
    for (int step = 0; step < 4000; ++step) {
        const QString key = QString::number(keyOf(random));
        const QString value = QString::number(step);
        switch (operationOf(random)) {
        case 0:
        case 1:
            table.AddOrSetValue(key, value);
            expected[key] = value;
            break;
        case 2:
            if (table.Count() > 0)
                table.Remove(key);
            expected.erase(key);
            break;
        default:
            EXPECT_EQ(table.ExtractPair(key).Value, expected.count(key) ? expected[key] : QString());
            expected.erase(key);
        }
        ASSERT_EQ(table.Count(), int(expected.size()));
    }
    std::map<QString, QString> actual;
    for (const auto& [key, value] : table)
        actual[key] = value;
    EXPECT_EQ(actual, expected);
}

TEST(HashTableLookup, ValuesAndPairsFollowTheKeyOrder)
{
    TTextTable table;
    for (const char* key : {"b", "a", "c", "d", "e"})
        table.Add(key, QString(key).toUpper());
    const auto pairs = table.ToArray();
    ASSERT_EQ(int(pairs.size()), table.Count());
    const auto keys = table.Keys().ToArray();
    const auto values = table.Values().ToArray();
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_EQ(keys[i], pairs[i].Key);
        EXPECT_EQ(values[i], pairs[i].Value);
        EXPECT_EQ(pairs[i].Value, pairs[i].Key.toUpper());
    }
    EXPECT_EQ(table.Keys().Count(), 5);
    EXPECT_TRUE(table.ContainsValue("C"));
    EXPECT_FALSE(table.ContainsValue("c"));
}

TEST(HashTableLookup, PutGetAndItemInsertWhereItemsDoesNot)
{
    TTextTable table;
    EXPECT_TRUE(table.Empty());
    EXPECT_EQ(table.Put("k", "1"), QString());
    EXPECT_EQ(table.Put("k", "2"), "1");
    EXPECT_EQ(table.Get("k"), "2");
    table.SetItem("new", "3");
    EXPECT_EQ(table.Item("new"), "3");
    QString found;
    EXPECT_TRUE(table.ContainsKey("new", found));
    EXPECT_EQ(found, "3");
    EXPECT_TRUE(table.ContainsItem("2"));
    ExpectRaises<EListError>([&] { table.SetItems("absent", "x"); }, "Item not found");
    ExpectRaises<EListError>([&] { table.Items("absent"); }, "Item not found");
    ExpectRaises<EListError>([&] { table.Get("absent"); }, "Item not found");
    EXPECT_FALSE(table.ContainsKey("absent"));
    EXPECT_EQ(table.Count(), 2);
}

TEST(HashTableLookup, ExtractPairOfAnAbsentKeyChangesNothing)
{
    TTextTable table;
    table.Add("a", "1");
    const auto pair = table.ExtractPair("zz");
    EXPECT_EQ(pair.Key, "zz");
    EXPECT_TRUE(pair.Value.isNull());
    EXPECT_EQ(table.ExtractPair("a"), (TPair<QString, QString>{"a", "1"}));
    EXPECT_TRUE(table.Empty());
}

// ---- capacity and growth ----

TEST(HashTableGrowth, CapacityGivesPowerOfTwoSlots)
{
    const struct {
        int Capacity;
        int Slots;
    } cases[] = {{0, 0}, {1, 4}, {4, 4}, {5, 8}, {8, 8}, {33, 64}, {61, 64}, {65, 128}};
    for (const auto& c : cases)
        EXPECT_EQ(TTextTable(c.Capacity).Capacity(), c.Slots) << c.Capacity;
    ExpectRaises<EArgumentOutOfRangeException>([] { TTextTable table(-1); }, "Argument out of range");
    // Beyond the largest slot array the table cannot be made at all.
    EXPECT_THROW(TTextTable table(INT_MAX), std::bad_alloc);
}

TEST(HashTableGrowth, GrowsAtThreeQuartersFull)
{
    TTextTable table;
    std::vector<int> slotsAfterAdd;
    for (int i = 1; i <= 13; ++i) {
        table.Add(QString::number(i), QString());
        slotsAfterAdd.push_back(table.Capacity());
    }
    EXPECT_EQ(slotsAfterAdd, (std::vector<int>{4, 4, 4, 8, 8, 8, 16, 16, 16, 16, 16, 16, 32}));
    for (int i = 1; i <= 13; ++i)
        EXPECT_TRUE(table.ContainsKey(QString::number(i)));
}

TEST(HashTableGrowth, FullTableGrowsBeforeTheKeyIsLookedUp)
{
    TTextTable table;
    for (const char* key : {"a", "b", "c"})
        table.Add(key, "old");
    ASSERT_EQ(table.Capacity(), 4);
    ExpectRaises<EListError>([&] { table.Add("b", "new"); }, "Duplicates not allowed");
    EXPECT_EQ(table.Capacity(), 8);
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Items("b"), "old");

    TTextTable other;
    for (const char* key : {"a", "b", "c"})
        other.Add(key, "old");
    other.AddOrSetValue("b", "new");
    EXPECT_EQ(other.Capacity(), 8);
    EXPECT_EQ(other.Items("b"), "new");
}

TEST(HashTableGrowth, TrimExcessAndClearShrinkTheArray)
{
    TTextTable table;
    table.TrimExcess();
    EXPECT_EQ(table.Capacity(), 4);

    for (int i = 0; i < 10; ++i)
        table.Add(QString::number(i), QString());
    for (int i = 3; i < 10; ++i)
        table.Remove(QString::number(i));
    EXPECT_EQ(table.Capacity(), 16);
    table.TrimExcess();
    EXPECT_EQ(table.Capacity(), 4);
    EXPECT_EQ(KeysInOrder(table).size(), 3);
    table.Add("x", QString());
    EXPECT_EQ(table.Capacity(), 8);

    table.Clear();
    EXPECT_EQ(table.Capacity(), 0);
    table.Add("y", QString());
    EXPECT_EQ(table.Capacity(), 4);
}

// ---- notifications ----

QString NotificationName(TCollectionNotification Notification)
{
    static const char* const names[] = {"added", "removed", "extracted"};
    return names[static_cast<int>(Notification)];
}

class HashTableNotifications : public ::testing::Test {
protected:
    void SetUp() override
    {
        Watch(table);
        table.OnChange = [this](auto&) { log << "change"; };
    }
    void Watch(TZorDictionary<QString, QString>& Table)
    {
        Table.OnKeyNotify = [this](auto&, const QString& key, TCollectionNotification n) {
            log << "key " + key + " " + NotificationName(n);
        };
        Table.OnValueNotify = [this](auto&, const QString& value, TCollectionNotification n) {
            log << "value " + value + " " + NotificationName(n);
        };
    }
    QStringList Take() { return std::exchange(log, {}); }

    QStringList log;
    TTextTable table;
};

TEST_F(HashTableNotifications, EachEditReportsKeyValueAndChange)
{
    const struct {
        const char* Name;
        std::function<void(TTextTable&)> Edit;
        QStringList Expected;
    } cases[] = {
        {"Add", [](TTextTable& t) { t.Add("k", "new"); },
         {"key k added", "value new added", "change"}},
        {"AddOrSetValue replaces", [](TTextTable& t) { t.AddOrSetValue("a", "2"); },
         {"value 1 removed", "value 2 added", "change"}},
        {"AddOrSetValue with the same value", [](TTextTable& t) { t.AddOrSetValue("a", "1"); },
         {"value 1 removed", "value 1 added", "change"}},
        {"SetItems replaces without change", [](TTextTable& t) { t.SetItems("a", "2"); },
         {"value 1 removed", "value 2 added"}},
        {"Remove", [](TTextTable& t) { t.Remove("a"); },
         {"key a removed", "value 1 removed", "change"}},
        {"Remove of an absent key", [](TTextTable& t) { t.Remove("zz"); }, {"change"}},
        {"ExtractPair", [](TTextTable& t) { t.ExtractPair("a"); },
         {"key a extracted", "value 1 extracted", "change"}},
        {"ExtractPair of an absent key", [](TTextTable& t) { t.ExtractPair("zz"); }, {}},
        {"Clear", [](TTextTable& t) { t.Clear(); }, {"change"}},
        {"edits inside an update", [](TTextTable& t) {
             t.BeginUpdate();
             t.BeginUpdate();
             t.Add("k", "v");
             t.Remove("a");
             t.Clear();
             t.EndUpdate();
             t.Add("n", "w");
             t.EndUpdate();
         },
         {"change"}},
        {"unmatched EndUpdate, then an update", [](TTextTable& t) {
             t.EndUpdate();
             t.BeginUpdate();
             t.Add("k", "v");
             t.EndUpdate();
         },
         {"change"}},
    };
    for (const auto& c : cases) {
        TTextTable edited;
        Watch(edited);
        edited.OnChange = [this](auto&) { log << "change"; };
        edited.Add("a", "1");
        edited.Add("b", "1");
        Take();
        c.Edit(edited);
        EXPECT_EQ(Take(), c.Expected) << c.Name;
    }
}

TEST_F(HashTableNotifications, EmptyTableRejectsRemovalButClearStillFires)
{
    ExpectRaises<EGHashtableError>([&] { table.Remove("a"); }, "Table is empty");
    EXPECT_TRUE(Take().isEmpty());
    table.Clear();
    EXPECT_EQ(Take(), QStringList{"change"});
    EXPECT_EQ(table.ExtractPair("a").Key, "a");
    EXPECT_TRUE(Take().isEmpty());
}

TEST_F(HashTableNotifications, DestroyingATableCallsNothing)
{
    auto doomed = std::make_unique<TTextTable>();
    Watch(*doomed);
    doomed->OnChange = [this](auto&) { log << "change"; };
    doomed->Add("a", "1");
    Take();
    doomed.reset();
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(HashTableNotifications, PlainDictionaryReportsClearedEntriesButNotItsDestruction)
{
    auto dictionary = std::make_unique<TZorDictionary<QString, QString>>();
    Watch(*dictionary);
    dictionary->Add("a", "1");
    dictionary->Clear();
    EXPECT_EQ(Take(), QStringList({"key a added", "value 1 added", "key a removed", "value 1 removed"}));
    dictionary->Add("b", "2");
    Take();
    dictionary.reset();
    EXPECT_TRUE(Take().isEmpty());
}

// ---- ordinal access ----

TEST(HashTableOrdinal, WalksForwardBackwardAndRestartsAfterChanges)
{
    TTextTable table;
    for (int i = 0; i < 20; ++i)
        table.Add(QStringLiteral("k%1").arg(i), QStringLiteral("v%1").arg(i));
    const auto pairs = table.ToArray();
    for (int i = 0; i < table.Count(); ++i) {
        EXPECT_EQ(table.KeyByIndex(i), pairs[i].Key);
        EXPECT_EQ(table.ItemByIndex(i), pairs[i].Value);
    }
    for (int i = table.Count() - 1; i >= 0; --i)
        EXPECT_EQ(table.ItemByIndex(i), pairs[i].Value);
    for (int i : {7, 3, 19, 0, 12, 12, 11})
        EXPECT_EQ(table.KeyByIndex(i), pairs[i].Key);

    EXPECT_EQ(table.ItemByIndex(5), pairs[5].Value);
    table.Add("another", "x");
    table.Remove(pairs[0].Key);
    const auto changed = table.ToArray();
    for (int i : {5, 6, 4, 0})
        EXPECT_EQ(table.KeyByIndex(i), changed[i].Key);

    // Trimming moves the entries to other slots: the cursor must not survive.
    for (const auto& pair : changed)
        if (table.Count() > 3)
            table.Remove(pair.Key);
    EXPECT_EQ(table.KeyByIndex(2), table.ToArray()[2].Key);
    table.TrimExcess();
    ASSERT_EQ(table.Capacity(), 4);
    EXPECT_EQ(table.KeyByIndex(1), table.ToArray()[1].Key);
}

TEST(HashTableOrdinal, GrowthMovesTheCursor)
{
    // In 4 slots c sits at slot 3; growing to 8 moves it to slot 5 without
    // any key notification, as the failing Add shows.
    TTextTable table;
    for (const char* key : {"a", "b", "c"})
        table.Add(key, QString());
    ASSERT_EQ(table.KeyByIndex(2), "c");
    EXPECT_THROW(table.Add("a", QString()), EListError);
    ASSERT_EQ(table.Capacity(), 8);
    EXPECT_EQ(table.KeyByIndex(2), "c");
}

TEST(HashTableOrdinal, IndexOutsideTheEntriesRaisesWithTheIndex)
{
    TTextTable table;
    ExpectRaises<EListError>([&] { table.ItemByIndex(0); }, "List index out of bounds (0)");
    for (const char* key : {"a", "b", "c"})
        table.Add(key, QString());
    ExpectRaises<EListError>([&] { table.ItemByIndex(3); }, "List index out of bounds (3)");
    ExpectRaises<EListError>([&] { table.KeyByIndex(-1); }, "List index out of bounds (-1)");
}

// ---- unique names ----

TEST(HashTableUniqueName, AddsAppendAndThenANumberPerClash)
{
    const struct {
        QStringList Present;
        QString Name;
        QString Append;
        QString Expected;
    } cases[] = {
        {{}, "a", "Copy", "a"},
        {{"a"}, "a", "Copy", "a Copy"},
        {{"a", "a Copy"}, "a", "Copy", "a  Copy (1)"},
        {{"a", "a Copy", "a  Copy (1)"}, "a", "Copy", "a   Copy (2)"},
        {{"Copy1"}, "Copy1", "Copy", " Copy (1)"},
        {{"a", "a copy"}, "a", "Copy", "a Copy"},
        {{"x", "x "}, "x", "", "x  "},
    };
    for (const auto& c : cases) {
        TTextTable table;
        for (const QString& key : c.Present)
            table.Add(key, QString());
        EXPECT_EQ(table.GetUniqueName(c.Name, c.Append), c.Expected) << c.Present.join('|').toStdString();
        EXPECT_EQ(table.Count(), c.Present.size());
    }
}

// ---- copying ----

class TTextHolder : public QObject, public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    QString Text() const { return FText; }
    void SetText(const QString& Value) { FText = Value; }

private:
    QString FText;
};

class TUnrelated : public TPersistent {};

struct TItemObject {
    int Id;
};

TEST(HashTableCopy, AssignFromLinesStopsAtADuplicateAndFiresOnce)
{
    TTextTable table;
    table.Add("old", "x");
    int changes = 0;
    table.OnChange = [&](auto&) { ++changes; };
    const TStringList lines(QStringList{"a", "b", "a"});
    ExpectRaises<EListError>([&] { table.Assign(&lines); }, "Duplicates not allowed");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(table.Count(), 2);
    EXPECT_TRUE(table.ContainsKey("a") && table.ContainsKey("b"));
    EXPECT_TRUE(table.Items("a").isEmpty());
}

TEST(HashTableCopy, ObjectTableCarriesObjectsThroughStringLists)
{
    TItemObject one{1}, two{2}, three{3};
    TZorStringObjectHashTable<TItemObject> table;
    table.Add("one", &one);
    table.Add("two", &two);
    table.Add("three", &three);

    TStringList lines;
    lines.Add("stale");
    int listChanges = 0;
    lines.OnChange = [&](TStringList&) { ++listChanges; };
    lines.Assign(&table);
    EXPECT_EQ(listChanges, 1);
    ASSERT_EQ(lines.Count(), 3);
    const auto pairs = table.ToArray();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i], pairs[i].Key);
        EXPECT_EQ(lines.Objects(i), pairs[i].Value);
    }

    TZorStringObjectHashTable<TItemObject> copy;
    copy.Assign(&lines);
    EXPECT_EQ(copy.Items("two"), &two);
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_TRUE(copy.ContainsValue(&three));
    TItemObject lookalike{3};
    EXPECT_FALSE(copy.ContainsValue(&lookalike));
}

TEST(HashTableCopy, AssignToAPublishedTextEndsEveryKeyWithALineBreak)
{
    TTextTable table;
    for (const char* key : {"b", "a", "c"})
        table.Add(key, "ignored");
    TTextHolder holder;
    holder.Assign(&table);
    EXPECT_EQ(holder.Text(), KeysInOrder(table).join("\r\n") + "\r\n");
}

TEST(HashTableCopy, AssignFromADictionaryCopiesInItsOrder)
{
    TTextTable source;
    for (const char* key : {"b", "a", "c", "d"})
        source.Add(key, QString(key) + "!");
    TTextTable target;
    target.Add("gone", QString());
    int changes = 0;
    target.OnChange = [&](auto&) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(changes, 1 + 4);
    EXPECT_EQ(target.ToArray(), source.ToArray());

    // Assigning a table to itself keeps its entries.
    target.Assign(&target);
    EXPECT_EQ(target.ToArray(), source.ToArray());
}

TEST(HashTableCopy, UnsupportedPartnersRaiseConversionErrors)
{
    TTextTable table;
    table.Add("a", "1");
    TUnrelated unrelated;
    ExpectRaises<EConvertError>([&] { unrelated.Assign(&table); },
                                "Cannot assign a TZorStringHashTable<QString> to a TUnrelated");
    ExpectRaises<EConvertError>([&] { table.Assign(&unrelated); },
                                "Cannot assign a TUnrelated to a TZorStringHashTable<QString>");
    TZorDictionary<QString, int> otherTypes;
    ExpectRaises<EConvertError>([&] { table.Assign(&otherTypes); },
                                "Cannot assign a TZorDictionary<QString, int> to a TZorStringHashTable<QString>");
    EXPECT_EQ(table.Items("a"), "1");
}

// ---- enumeration and iterators ----

TEST(HashTableIteration, IteratorsWalkTheTableOnceAndCanRestart)
{
    TItemObject one{1}, two{2};
    TZorStringObjectHashTable<TItemObject> table;
    table.Add("one", &one);
    table.Add("two", &two);

    const auto keys = table.Indices();
    EXPECT_EQ(keys->GetCount(), 2);
    ExpectRaises<EListError>([&] { keys->CurrentElement(); }, "List index out of bounds (-1)");
    QStringList seen;
    while (keys->HasMoreElements()) {
        seen << keys->NextElement();
        EXPECT_EQ(keys->CurrentElement(), seen.last());
    }
    EXPECT_EQ(seen, KeysInOrder(table));
    ExpectRaises<EListError>([&] { keys->NextElement(); }, "List index out of bounds (2)");
    keys->Reset();
    EXPECT_EQ(keys->NextElement(), seen.first());

    const auto values = table.Elements();
    std::vector<TItemObject*> objects;
    while (values->HasMoreElements())
        objects.push_back(values->NextElement());
    EXPECT_EQ(objects, table.Values().ToArray());
}

TEST(HashTableIteration, EnumeratorsStopAtTheEndAndGuardCurrent)
{
    TTextTable table;
    table.Add("only", "1");
    auto enumerator = table.GetEnumerator();
    ExpectRaises<EListError>([&] { enumerator->Current(); }, "List index out of bounds (-1)");
    ASSERT_TRUE(enumerator->MoveNext());
    EXPECT_EQ(enumerator->Current(), (TPair<QString, QString>{"only", "1"}));
    EXPECT_FALSE(enumerator->MoveNext());
    EXPECT_FALSE(enumerator->MoveNext());
    ExpectRaises<EListError>([&] { enumerator->Current(); }, "List index out of bounds (1)");
}

// A sequence without a known length, to reach the growing ToArray.
class TCountingSequence : public TZorEnumerable<int> {
public:
    explicit TCountingSequence(int ALimit)
        : FLimit(ALimit)
    {
    }

protected:
    class TCounter : public TZorEnumerator<int> {
    public:
        explicit TCounter(int ALimit)
            : FLimit(ALimit)
        {
        }
        bool MoveNext() override { return ++FValue < FLimit; }
        int Current() const override { return FValue; }

    private:
        int FLimit;
        int FValue = -1;
    };
    std::unique_ptr<TZorEnumerator<int>> NewEnumerator() const override { return std::make_unique<TCounter>(FLimit); }

private:
    int FLimit;
};

TEST(HashTableIteration, PlainEnumerableCollectsEveryElement)
{
    for (int limit : {0, 10, 11, 45}) {
        const auto elements = TCountingSequence(limit).ToArray();
        ASSERT_EQ(int(elements.size()), limit);
        for (int i = 0; i < limit; ++i)
            EXPECT_EQ(elements[i], i);
    }
}

// ---- construction ----

class TCaseInsensitiveComparer : public IEqualityComparer<QString> {
public:
    bool Equals(const QString& Left, const QString& Right) const override
    {
        return Left.compare(Right, Qt::CaseInsensitive) == 0;
    }
    std::int32_t GetHashCode(const QString& Value) const override
    {
        return std::int32_t(HashUtf16(Value.toLower()));
    }
};

TEST(HashTableConstruction, FromPairsAndWithAComparer)
{
    const std::vector<TPair<QString, QString>> pairs{{"a", "1"}, {"b", "2"}, {"a", "3"}};
    const TTextTable table(pairs);
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Items("a"), "3");

    TTextTable folded(4, std::make_shared<TCaseInsensitiveComparer>());
    folded.Add("Fill", "1");
    EXPECT_EQ(folded.Items("FILL"), "1");
    ExpectRaises<EListError>([&] { folded.Add("fill", "2"); }, "Duplicates not allowed");
}

} // namespace

// The id table of the document model is instantiated over an element class
// that is only declared where the table is; every member must compile so.
class TDeclaredOnlyElement;
template class zor::TZorDictionary<QString, TDeclaredOnlyElement*>;
template class zor::TZorHashTable<QString, TDeclaredOnlyElement*>;
template class zor::TZorStringHashTable<TDeclaredOnlyElement*>;
template class zor::TZorStringObjectHashTable<TDeclaredOnlyElement>;

#include "hash_table_tests.moc"
