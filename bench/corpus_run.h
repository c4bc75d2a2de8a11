#pragma once
// The renderer benchmarks over a set of files, shared by the corpus
// comparison and the large generated documents: every renderer of the build
// loads each file, draws it and hit-tests it where it can, then the peak
// memory of each timed load is measured in a fresh process of the program.

#include <QString>
#include <QTextStream>
#include <functional>
#include <vector>

#include "bench/corpus.h"
#include "bench/corpus_summary.h"

namespace zor::bench {

struct TRendererBenchmarks {
    // Printed before the runs, after the list of renderers.
    QString Heading;
    std::vector<TCorpusFile> Files;
    // Prints the tables after the runs.
    std::function<void(const std::vector<TFileResults>&, QTextStream&)> Summarize;
    // The width every drawing is made at.
    int DrawingWidth = 1024;
    // Hit tests of 1000 points; a search through hundreds of thousands of
    // elements per point would take longer than it tells.
    bool HitTest = true;
};

// The main function of such a program: sets up Qt and libxml2, and either
// measures one load for a parent process (load_memory.h) or runs what
// Prepare returns, with the program's own option --save-drawings=DIR (each
// renderer's drawing of each file written there first) and Google
// Benchmark's options.
int RendererBenchmarkMain(int Argc, char** Argv, const char* ProgramName,
                          const std::function<TRendererBenchmarks()>& Prepare);

} // namespace zor::bench
