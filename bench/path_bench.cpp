// Reading, writing, flattening, measuring and hit-testing a large generated path.

#include <benchmark/benchmark.h>

#include <QString>
#include <memory>
#include <random>

#include "geometry/path_data.h"

using namespace zor;

namespace {

// Lines, cubic and quadratic curves (absolute, relative and smooth) and arcs
// wandering over a 1000 × 1000 area, closed into subpaths now and then.
QString GeneratedPathText(int Segments)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> coordinate(0, 1000);
    std::uniform_real_distribution<double> step(-20, 20);
    std::uniform_int_distribution<int> kind(0, 7);
    auto n = [](double v) { return QString::number(v, 'f', 3); };
    QString text = QStringLiteral("M500,500");
    for (int i = 0; i < Segments; ++i) {
        switch (kind(random)) {
        case 0:
            text += QStringLiteral(" L") + n(coordinate(random)) + u',' + n(coordinate(random));
            break;
        case 1:
            text += QStringLiteral(" l") + n(step(random)) + u',' + n(step(random));
            break;
        case 2:
            text += QStringLiteral(" c") + n(step(random)) + u',' + n(step(random)) + u' ' + n(step(random)) + u','
                + n(step(random)) + u' ' + n(step(random)) + u',' + n(step(random));
            break;
        case 3:
            text += QStringLiteral(" s") + n(step(random)) + u',' + n(step(random)) + u' ' + n(step(random)) + u','
                + n(step(random));
            break;
        case 4:
            text += QStringLiteral(" q") + n(step(random)) + u',' + n(step(random)) + u' ' + n(step(random)) + u','
                + n(step(random));
            break;
        case 5:
            text += QStringLiteral(" t") + n(step(random)) + u',' + n(step(random));
            break;
        case 6:
            text += QStringLiteral(" a15,10 30 0 1 ") + n(step(random)) + u',' + n(step(random));
            break;
        default:
            text += QStringLiteral(" z m") + n(step(random)) + u',' + n(step(random));
            break;
        }
    }
    return text;
}

const QString& PathText()
{
    static const QString text = GeneratedPathText(50000);
    return text;
}

// The generated path, read once; the benchmarks that only look at it share it.
const TZorPathData& ReadPath()
{
    static const std::unique_ptr<TZorPathData> path = [] {
        auto read = std::make_unique<TZorPathData>();
        read->SetData(PathText());
        return read;
    }();
    return *path;
}

void CountEntries(benchmark::State& State, const TZorPathData& Path)
{
    State.counters["entries"] = double(Path.Count());
    State.SetItemsProcessed(State.iterations() * Path.Count());
}

void BM_ReadPathText(benchmark::State& State)
{
    TZorPathData path;
    for (auto _ : State) {
        path.SetData(PathText());
        benchmark::DoNotOptimize(path.Count());
    }
    CountEntries(State, path);
}
BENCHMARK(BM_ReadPathText)->Unit(benchmark::kMillisecond);

void BM_WritePathText(benchmark::State& State)
{
    for (auto _ : State)
        benchmark::DoNotOptimize(ReadPath().Data());
    CountEntries(State, ReadPath());
}
BENCHMARK(BM_WritePathText)->Unit(benchmark::kMillisecond);

void BM_FlattenPath(benchmark::State& State)
{
    TZorPathData path;
    for (auto _ : State) {
        path.Assign(&ReadPath());
        path.Flatten(TZorPathData::MeasureFlatness);
        benchmark::DoNotOptimize(path.Count());
    }
    CountEntries(State, ReadPath());
    State.counters["flattened entries"] = double(path.Count());
}
BENCHMARK(BM_FlattenPath)->Unit(benchmark::kMillisecond);

void BM_MeasurePath(benchmark::State& State)
{
    TZorPathData path;
    path.Assign(&ReadPath());
    for (auto _ : State) {
        // Moving by nothing is still a change: the caches are dropped.
        path.Translate(0, 0);
        benchmark::DoNotOptimize(path.GetLength());
    }
    CountEntries(State, path);
    qsizetype points = 0;
    for (const QPolygonF& polygon : path.Polygons())
        points += polygon.size();
    State.counters["polygon points"] = double(points);
}
BENCHMARK(BM_MeasurePath)->Unit(benchmark::kMillisecond);

// Hit tests at random points, on polygons measured beforehand.
void BM_HitTest(benchmark::State& State, bool (*Test)(const TZorPathData&, QPointF))
{
    const TZorPathData& path = ReadPath();
    path.Polygons();
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(0, 1000);
    for (auto _ : State)
        benchmark::DoNotOptimize(Test(path, QPointF(coordinate(random), coordinate(random))));
}
BENCHMARK_CAPTURE(BM_HitTest, PointInPath, [](const TZorPathData& Path, QPointF P) { return Path.PointInPath(P); })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HitTest, PointInPathOutline,
                  [](const TZorPathData& Path, QPointF P) { return Path.PointInPathOutline(P, 2); })
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
