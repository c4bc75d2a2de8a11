#include "bench/corpus_run.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bench/load_memory.h"
#include "bench/renderers.h"
#include "platform/exceptions.h"

namespace zor::bench {

namespace {

// 40 × 25 = 1000 hit-test points.
constexpr int HitTestColumns = 40;
constexpr int HitTestRows = 25;
constexpr char SaveDrawingsOption[] = "--save-drawings=";

// The centres of the cells of a HitTestColumns × HitTestRows grid over a drawing of Size.
std::vector<QPointF> HitTestPoints(QSize Size)
{
    std::vector<QPointF> points;
    points.reserve(HitTestColumns * HitTestRows);
    for (int row = 0; row < HitTestRows; ++row)
        for (int column = 0; column < HitTestColumns; ++column)
            points.emplace_back((column + 0.5) * Size.width() / HitTestColumns,
                                (row + 0.5) * Size.height() / HitTestRows);
    return points;
}

// Runs the timing loop Body; a failure ends the benchmark with its message
// instead of ending the program.
template <typename F>
void Guarded(benchmark::State& State, F&& Body)
{
    try {
        Body();
    } catch (const std::exception& e) {
        State.SkipWithError(e.what());
    }
}

void TimeLoad(benchmark::State& State, const TRendererUnderTest& Renderer, const QByteArray& Bytes)
{
    Guarded(State, [&] {
        for (auto _ : State) {
            std::unique_ptr<TLoadedDocument> document = Renderer.Load(Bytes);
            // Freeing is not part of loading.
            State.PauseTiming();
            document.reset();
            State.ResumeTiming();
        }
    });
}

void TimeDraw(benchmark::State& State, const TDrawableDocument& Document, QSize Size)
{
    QImage image(Size, QImage::Format_ARGB32_Premultiplied);
    Guarded(State, [&] {
        for (auto _ : State) {
            // Every draw starts on a clean image, as a viewer's would; clearing is not drawing.
            State.PauseTiming();
            image.fill(Qt::transparent);
            State.ResumeTiming();
            Document.Draw(image);
        }
    });
}

void TimeHitTest(benchmark::State& State, const THitTestableDocument& Document, QSize Size)
{
    const std::vector<QPointF> points = HitTestPoints(Size);
    Guarded(State, [&] {
        for (auto _ : State)
            benchmark::DoNotOptimize(Document.HitTest(points, Size));
    });
}

// Every renderer on every file: loaded once up front, to find out what it can
// do with the file, then timed.
class TCorpusRun {
public:
    TCorpusRun(const std::vector<TCorpusFile>& Corpus,
               const std::vector<std::unique_ptr<TRendererUnderTest>>& Renderers, int DrawingWidth, bool HitTest)
        : FHitTest(HitTest)
    {
        // The reporter keeps pointers into the results, so they are complete before any benchmark is registered.
        FResults.reserve(Corpus.size());
        for (const TCorpusFile& file : Corpus) {
            TFileResults& results = FResults.emplace_back();
            results.Name = file.Name;
            results.Size = file.Bytes.size();
            results.Renderers.reserve(Renderers.size());
            for (const auto& renderer : Renderers) {
                const TPair& pair = FPairs.emplace_back(
                    Prepare(file, results, *renderer, results.Renderers.emplace_back(), DrawingWidth));
                if (results.DrawingSize.isEmpty())
                    results.DrawingSize = pair.Result->OwnDrawingSize;
            }
        }
    }

    void SaveDrawings(const QString& Folder) const
    {
        if (!QDir().mkpath(Folder))
            Raise<Exception>(QStringLiteral("cannot create %s"), {Folder});
        for (const TPair& pair : FPairs) {
            const auto* drawable = dynamic_cast<const TDrawableDocument*>(pair.Document.get());
            if (!drawable || pair.FileResults->DrawingSize.isEmpty())
                continue;
            QImage image(pair.FileResults->DrawingSize, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            drawable->Draw(image);
            const QString path = QDir(Folder).filePath(
                QStringLiteral("%1.%2.png").arg(QFileInfo(pair.File->Name).completeBaseName(), pair.Renderer->Name()));
            if (!image.save(path))
                Raise<Exception>(QStringLiteral("cannot write %s"), {path});
        }
    }

    void Register(TCollectingReporter& Reporter) const
    {
        for (const TPair& pair : FPairs) {
            if (!pair.Document)
                continue;
            const QString suffix = u'/' + pair.File->Name + u'/' + pair.Renderer->Name();
            const QSize size = pair.FileResults->DrawingSize;
            Add(Reporter, *pair.Result, TStage::tsLoad, "load" + suffix, [&pair](benchmark::State& s) {
                TimeLoad(s, *pair.Renderer, pair.File->Bytes);
            });
            if (size.isEmpty())
                continue;
            if (const auto* drawable = dynamic_cast<const TDrawableDocument*>(pair.Document.get()))
                Add(Reporter, *pair.Result, TStage::tsDraw, "draw" + suffix,
                    [drawable, size](benchmark::State& s) { TimeDraw(s, *drawable, size); });
            if (const auto* hitTestable = dynamic_cast<const THitTestableDocument*>(pair.Document.get());
                hitTestable != nullptr && FHitTest)
                Add(Reporter, *pair.Result, TStage::tsHitTest, "hit-test" + suffix,
                    [hitTestable, size](benchmark::State& s) { TimeHitTest(s, *hitTestable, size); });
        }
    }

    // For the pairs whose load was timed, so that a benchmark filter narrows this too.
    void MeasureLoadPeaks(const QString& Program)
    {
        for (const TPair& pair : FPairs)
            if (!pair.Result->Seconds[std::size_t(TStage::tsLoad)].empty())
                pair.Result->LoadPeak = LoadPeakInFreshProcess(Program, pair.Renderer->Name(), pair.File->Path);
    }

    const std::vector<TFileResults>& Results() const { return FResults; }

private:
    struct TPair {
        const TCorpusFile* File;
        const TFileResults* FileResults;
        const TRendererUnderTest* Renderer;
        TRendererResult* Result;
        // Loaded once and kept for the draws and hit tests; null when the file did not load.
        std::unique_ptr<TLoadedDocument> Document;
    };

    static TPair Prepare(const TCorpusFile& File, const TFileResults& FileResults, const TRendererUnderTest& Renderer,
                         TRendererResult& Result, int DrawingWidth)
    {
        Result.Renderer = Renderer.Name();
        Result.Role = Renderer.Role();
        TPair pair{&File, &FileResults, &Renderer, &Result, nullptr};
        try {
            pair.Document = Renderer.Load(File.Bytes);
            if (const auto* drawable = dynamic_cast<const TDrawableDocument*>(pair.Document.get()))
                Result.OwnDrawingSize = DrawingSize(drawable->IntrinsicSize(), DrawingWidth);
        } catch (const Exception& e) {
            // A failed load leaves no document. A document without a usable size
            // is still timed loading, and drawn at the size another renderer found.
            Result.Error = e.Message();
        }
        return pair;
    }

    template <typename F>
    static void Add(TCollectingReporter& Reporter, TRendererResult& Result, TStage Stage, const QString& Name,
                    F&& Body)
    {
        const std::string name = Name.toStdString();
        benchmark::RegisterBenchmark(name.c_str(), std::forward<F>(Body))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        Reporter.Expect(name, Result, Stage);
    }

    bool FHitTest;
    std::vector<TFileResults> FResults;
    std::vector<TPair> FPairs;
};

// The measuring process of load_memory.h: prints the bytes of one load's peak.
int MeasureOneLoad(const QStringList& Args, const std::vector<std::unique_ptr<TRendererUnderTest>>& Renderers)
{
    if (Args.size() != 2)
        Raise<Exception>(QStringLiteral("%s needs a renderer and a file"), {QString::fromLatin1(LoadPeakOption)});
    const auto renderer = std::find_if(Renderers.begin(), Renderers.end(),
                                       [&](const auto& r) { return r->Name() == Args[0]; });
    if (renderer == Renderers.end())
        Raise<Exception>(QStringLiteral("no renderer named %s in this build"), {Args[0]});
    const QByteArray bytes = ReadFileBytes(Args[1]);
    std::printf("%lld\n", static_cast<long long>(MeasureLoadPeak(**renderer, bytes)));
    return 0;
}

int Run(int Argc, char** Argv, const std::function<TRendererBenchmarks()>& Prepare)
{
    const auto renderers = RenderersUnderTest();
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String(LoadPeakOption))
        return MeasureOneLoad(args.mid(2), renderers);

    // Our own option first; the rest belongs to Google Benchmark.
    QString drawingsFolder;
    std::vector<char*> benchmarkArgs;
    for (int i = 0; i < Argc; ++i) {
        const QString arg = QString::fromLocal8Bit(Argv[i]);
        if (i > 0 && arg.startsWith(QLatin1String(SaveDrawingsOption)))
            drawingsFolder = arg.mid(int(std::strlen(SaveDrawingsOption)));
        else
            benchmarkArgs.push_back(Argv[i]);
    }
    int benchmarkArgc = int(benchmarkArgs.size());
    benchmark::Initialize(&benchmarkArgc, benchmarkArgs.data());
    if (benchmark::ReportUnrecognizedArguments(benchmarkArgc, benchmarkArgs.data()))
        return 2;
    const TRendererBenchmarks benchmarks = Prepare();
    QStringList names;
    for (const auto& renderer : renderers)
        names << renderer->Name();
    QTextStream out(stdout);
    out << benchmarks.Heading << " (" << benchmarks.Files.size() << " files); renderers: "
        << names.join(QStringLiteral(", ")) << Qt::endl;

    TCorpusRun run(benchmarks.Files, renderers, benchmarks.DrawingWidth, benchmarks.HitTest);
    if (!drawingsFolder.isEmpty())
        run.SaveDrawings(drawingsFolder);
    TCollectingReporter reporter;
    run.Register(reporter);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    run.MeasureLoadPeaks(QCoreApplication::applicationFilePath());
    benchmarks.Summarize(run.Results(), out);
    return 0;
}

} // namespace

int RendererBenchmarkMain(int Argc, char** Argv, const char* ProgramName,
                          const std::function<TRendererBenchmarks()>& Prepare)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps a reference to its count, which must outlive the application object.
    int qtArgc = Argc;
    QGuiApplication app(qtArgc, Argv);
    // Qt SVG reports every feature it skips; the messages would bury the results.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.svg*=false"));
    xmlInitParser();
    try {
        return Run(qtArgc, Argv, Prepare);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s: %s\n", ProgramName, e.what());
        return 1;
    }
}

} // namespace zor::bench
