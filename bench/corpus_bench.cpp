// Times every renderer of this build on every file of the corpus: the load of
// the bytes held in memory, the draw at 1024 pixels wide and, where the
// renderer can, a hit test of 1000 points; then measures the peak memory of
// each load in a fresh process and prints one table per file.
//
//   corpus_bench [--save-drawings=DIR] [Google Benchmark options]
//   ZOR_BENCH_CORPUS=DIR corpus_bench       another corpus folder
//
// --save-drawings writes each renderer's drawing of each file to
// DIR/<file>.<renderer>.png before timing, to compare the pictures.

#include <QDir>

#include "bench/corpus_run.h"

using namespace zor::bench;

int main(int argc, char** argv)
{
    return RendererBenchmarkMain(argc, argv, "corpus_bench", [] {
        const QString folder = CorpusFolder();
        TRendererBenchmarks benchmarks;
        benchmarks.Heading = QStringLiteral("corpus: ") + QDir::toNativeSeparators(folder);
        benchmarks.Files = ReadCorpus(folder);
        benchmarks.Summarize = PrintSummary;
        return benchmarks;
    });
}
