// Id and style lookups go through the string hash tables, and the cascade
// orders matching rules with the priority list: their costs at document sizes.

#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "collections/hash_table_strings.h"
#include "collections/priority_list.h"
#include "platform/persistent.h"

using namespace zor;

namespace {

QStringList MakeIds(int Count)
{
    QStringList ids;
    ids.reserve(Count);
    for (int i = 0; i < Count; ++i)
        ids << QStringLiteral("element-%1").arg(i);
    return ids;
}

void BM_HashTableAdd(benchmark::State& State)
{
    const QStringList ids = MakeIds(int(State.range(0)));
    for (auto _ : State) {
        TZorStringHashTable<int> table;
        for (int i = 0; i < ids.size(); ++i)
            table.Add(ids[i], i);
        benchmark::DoNotOptimize(table.Count());
    }
    State.SetItemsProcessed(State.iterations() * ids.size());
}
BENCHMARK(BM_HashTableAdd)->Arg(1000)->Arg(100000);

void BM_HashTableLookup(benchmark::State& State)
{
    const QStringList ids = MakeIds(int(State.range(0)));
    TZorStringHashTable<int> table;
    for (int i = 0; i < ids.size(); ++i)
        table.Add(ids[i], i);
    for (auto _ : State) {
        int value = 0;
        for (const QString& id : ids)
            table.TryGetValue(id, value);
        benchmark::DoNotOptimize(value);
    }
    State.SetItemsProcessed(State.iterations() * ids.size());
}
BENCHMARK(BM_HashTableLookup)->Arg(1000)->Arg(100000);

void BM_HashTableRemoveAndAdd(benchmark::State& State)
{
    const QStringList ids = MakeIds(int(State.range(0)));
    TZorStringHashTable<int> table;
    for (int i = 0; i < ids.size(); ++i)
        table.Add(ids[i], i);
    for (auto _ : State) {
        for (int i = 0; i < ids.size(); i += 2)
            table.Remove(ids[i]);
        for (int i = 0; i < ids.size(); i += 2)
            table.Add(ids[i], i);
    }
    State.SetItemsProcessed(State.iterations() * ids.size());
}
BENCHMARK(BM_HashTableRemoveAndAdd)->Arg(1000)->Arg(100000);

// The cascade's pattern: a handful of matching rules at a few priorities,
// then every item read in order.
void BM_PriorityListCascade(benchmark::State& State)
{
    const int rules = int(State.range(0));
    std::vector<std::unique_ptr<TPersistent>> items;
    for (int i = 0; i < rules; ++i)
        items.push_back(std::make_unique<TPersistent>());
    for (auto _ : State) {
        TPriorityList list;
        for (int i = 0; i < rules; ++i)
            list.Add(items[size_t(i)].get(), (i * 7) % 13);
        for (qsizetype i = 0; i < list.Count(); ++i)
            benchmark::DoNotOptimize(list.Item(i));
    }
    State.SetItemsProcessed(State.iterations() * rules);
}
BENCHMARK(BM_PriorityListCascade)->Arg(8)->Arg(64);

// 10,000 items spread over range(0) distinct priorities, built once.
struct TPriorityListFixture {
    explicit TPriorityListFixture(int Priorities)
    {
        constexpr int itemCount = 10000;
        for (int i = 0; i < itemCount; ++i) {
            FItems.push_back(std::make_unique<TPersistent>());
            FList.Add(FItems.back().get(), (i * 7919) % Priorities);
        }
    }

    std::vector<std::unique_ptr<TPersistent>> FItems;
    TPriorityList FList;
};

// Every item read by position, the way the list has always been walked.
void BM_PriorityListEnumerateByIndex(benchmark::State& State)
{
    TPriorityListFixture fixture(int(State.range(0)));
    const TPriorityList& list = fixture.FList;
    for (auto _ : State)
        for (qsizetype i = 0; i < list.Count(); ++i)
            benchmark::DoNotOptimize(list.Item(i));
    State.SetItemsProcessed(State.iterations() * fixture.FList.Count());
}
BENCHMARK(BM_PriorityListEnumerateByIndex)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same items walked in one pass after one sort of the priorities.
void BM_PriorityListEnumerateInOrder(benchmark::State& State)
{
    TPriorityListFixture fixture(int(State.range(0)));
    for (auto _ : State)
        for (TPersistent* item : fixture.FList.InOrder())
            benchmark::DoNotOptimize(item);
    State.SetItemsProcessed(State.iterations() * fixture.FList.Count());
}
BENCHMARK(BM_PriorityListEnumerateInOrder)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
