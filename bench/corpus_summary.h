#pragma once
// The results of the corpus benchmarks and the tables printed after the runs:
// per corpus file, each renderer's load, draw and hit-test times, the peak
// memory of its load and the ratios ours ÷ that renderer.

#include <benchmark/benchmark.h>

#include <QSize>
#include <QString>
#include <QTextStream>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench/load_memory.h"
#include "bench/renderer_under_test.h"

namespace zor::bench {

enum class TStage { tsLoad, tsDraw, tsHitTest };
constexpr std::size_t StageCount = 3;

struct TRendererResult {
    QString Renderer;
    TRendererRole Role = TRendererRole::rrPeer;
    // Why the file did not load or a stage failed; empty while all goes well.
    QString Error;
    // Seconds per operation, one sample per reported run, by stage.
    std::array<std::vector<double>, StageCount> Seconds;
    // The drawing size that the renderer's reading of the document's size
    // gives; empty when it does not draw.
    QSize OwnDrawingSize;
    std::optional<TLoadPeak> LoadPeak;

    // The median sample of Stage, if it ran.
    std::optional<double> MedianSeconds(TStage Stage) const;
};

struct TFileResults {
    QString Name;
    qint64 Size = 0;
    // Every renderer draws this many pixels: the first drawing renderer's
    // OwnDrawingSize.
    QSize DrawingSize;
    std::vector<TRendererResult> Renderers;
};

// Shows every run on the console as usual and keeps its time in the result it
// belongs to. The results must not move while runs are reported.
class TCollectingReporter : public benchmark::ConsoleReporter {
public:
    void Expect(const std::string& BenchmarkName, TRendererResult& Result, TStage Stage);
    void ReportRuns(const std::vector<Run>& Runs) override;

private:
    struct TTarget {
        TRendererResult* Result;
        TStage Stage;
        bool HasMedian = false;
    };
    std::map<std::string, TTarget> FTargets;
};

void PrintSummary(const std::vector<TFileResults>& Files, QTextStream& Out);

} // namespace zor::bench
