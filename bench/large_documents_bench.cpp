// Times every renderer of this build on large generated documents (flat
// rectangles by the ten thousand, paths in groups), drawn 256 pixels wide,
// and prints the cost per element of loading, drawing and the load's peak
// memory, so that growth with the size of a file is visible.
//
//   large_documents_bench [--save-drawings=DIR] [Google Benchmark options]
//   ZOR_LARGE_DOCUMENTS=DIR large_documents_bench    keeps the files in DIR

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "bench/corpus_run.h"
#include "bench/large_documents.h"
#include "platform/exceptions.h"

using namespace zor;
using namespace zor::bench;

namespace {

QString Milliseconds(std::optional<double> Seconds)
{
    return Seconds ? QString::number(*Seconds * 1e3, 'f', 1) : QStringLiteral("n/a");
}

QString PerElement(std::optional<double> Value, int Elements, double Scale, int Decimals)
{
    return Value ? QString::number(*Value * Scale / Elements, 'f', Decimals) : QStringLiteral("n/a");
}

void PrintPerElement(const std::vector<TFileResults>& Files, const std::map<QString, int>& Elements,
                     QTextStream& Out)
{
    Out << "\nMedian wall time per operation, draw 256 pixels wide; peak: growth of the peak resident size\n"
           "during one load, in a fresh process. Per element: the figure divided by the elements drawn.\n\n";
    Out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
               .arg(QStringLiteral("file"), -22)
               .arg(QStringLiteral("renderer"), -9)
               .arg(QStringLiteral("load ms"), 9)
               .arg(QStringLiteral("µs/elem"), 8)
               .arg(QStringLiteral("draw ms"), 9)
               .arg(QStringLiteral("µs/elem"), 8)
               .arg(QStringLiteral("peak MiB"), 9)
               .arg(QStringLiteral("B/elem"), 7);
    for (const TFileResults& file : Files) {
        const int elements = Elements.at(file.Name);
        for (const TRendererResult& result : file.Renderers) {
            const std::optional<double> load = result.MedianSeconds(TStage::tsLoad);
            const std::optional<double> draw = result.MedianSeconds(TStage::tsDraw);
            std::optional<double> peak;
            if (result.LoadPeak && result.LoadPeak->Bytes)
                peak = double(*result.LoadPeak->Bytes);
            Out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
                       .arg(file.Name, -22)
                       .arg(result.Renderer, -9)
                       .arg(Milliseconds(load), 9)
                       .arg(PerElement(load, elements, 1e6, 2), 8)
                       .arg(Milliseconds(draw), 9)
                       .arg(PerElement(draw, elements, 1e6, 2), 8)
                       .arg(peak ? QString::number(*peak / (1024 * 1024), 'f', 1) : QStringLiteral("n/a"), 9)
                       .arg(PerElement(peak, elements, 1, 0), 7);
            if (!result.Error.isEmpty())
                Out << "    " << result.Renderer << ": " << result.Error << '\n';
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    static std::unique_ptr<QTemporaryDir> temporary;
    static std::map<QString, int> elements;
    return RendererBenchmarkMain(argc, argv, "large_documents_bench", [] {
        QString folder = qEnvironmentVariable("ZOR_LARGE_DOCUMENTS");
        if (folder.isEmpty()) {
            temporary = std::make_unique<QTemporaryDir>();
            folder = temporary->path();
        }
        if (!QDir().mkpath(folder))
            Raise<Exception>(QStringLiteral("cannot create %s"), {folder});
        TRendererBenchmarks benchmarks;
        benchmarks.Heading = QStringLiteral("large documents in ") + QDir::toNativeSeparators(folder);
        benchmarks.DrawingWidth = 256;
        benchmarks.HitTest = false;
        for (TLargeDocument& document : LargeDocuments()) {
            const QString path = QDir(folder).filePath(document.Name + QStringLiteral(".svg"));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(document.Text) != document.Text.size())
                Raise<Exception>(QStringLiteral("cannot write %s"), {path});
            elements[document.Name + QStringLiteral(".svg")] = document.Elements;
            benchmarks.Files.push_back({document.Name + QStringLiteral(".svg"), path, std::move(document.Text)});
        }
        benchmarks.Summarize = [](const std::vector<TFileResults>& Files, QTextStream& Out) {
            PrintPerElement(Files, elements, Out);
        };
        return benchmarks;
    });
}
