// The main of the benchmark programs that need Qt's GUI services (fonts,
// images) without a display; those that measure widgets are built with
// ZOR_BENCH_WIDGETS and run under a QApplication.

#include <benchmark/benchmark.h>

#ifdef ZOR_BENCH_WIDGETS
#include <QApplication>
using TBenchApplication = QApplication;
#else
#include <QGuiApplication>
using TBenchApplication = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TBenchApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
