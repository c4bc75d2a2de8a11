#include "bench/corpus_summary.h"

#include <algorithm>
#include <cstdlib>

namespace zor::bench {

namespace {

const QString NotAvailable = QStringLiteral("n/a");

std::size_t Index(TStage Stage)
{
    return std::size_t(Stage);
}

// Three significant figures in the largest unit that keeps the number at 1 or
// more, or in the next one once it would print as 1000.
QString FormatScaled(double Value, const std::initializer_list<std::pair<double, const char*>>& Units)
{
    auto unit = Units.begin();
    for (auto next = unit + 1; next != Units.end() && (Value >= next->first || Value / unit->first >= 999.5);
         ++next)
        unit = next;
    const double scaled = Value / unit->first;
    const int decimals = scaled < 10 ? 2 : scaled < 100 ? 1 : 0;
    return QString::number(scaled, 'f', decimals) + u' ' + QString::fromUtf8(unit->second);
}

QString FormatSeconds(std::optional<double> Seconds)
{
    if (!Seconds)
        return NotAvailable;
    return FormatScaled(*Seconds, {{1e-9, "ns"}, {1e-6, "µs"}, {1e-3, "ms"}, {1, "s"}});
}

QString FormatBytes(qint64 Bytes)
{
    if (Bytes < 1000)
        return QStringLiteral("%1 B").arg(Bytes);
    return FormatScaled(double(Bytes), {{1, "B"}, {1024, "KiB"}, {1024.0 * 1024, "MiB"}, {1024.0 * 1024 * 1024, "GiB"}});
}

QString FormatSize(QSize Size)
{
    return QStringLiteral("%1x%2").arg(Size.width()).arg(Size.height());
}

QString FormatLoadPeak(const std::optional<TLoadPeak>& Peak)
{
    return Peak && Peak->Bytes ? FormatBytes(*Peak->Bytes) : NotAvailable;
}

// Ours ÷ Row for Stage as a number, where both ran.
std::optional<double> Ratio(const TRendererResult& Ours, const TRendererResult& Row, TStage Stage)
{
    const std::optional<double> ours = Ours.MedianSeconds(Stage);
    const std::optional<double> theirs = Row.MedianSeconds(Stage);
    if (!ours || !theirs || *theirs <= 0)
        return std::nullopt;
    return *ours / *theirs;
}

// Ours ÷ Row for Stage; ours has no ratio to itself.
QString FormatRatio(const TRendererResult* Ours, const TRendererResult& Row, TStage Stage)
{
    if (&Row == Ours)
        return QStringLiteral("-");
    const std::optional<double> ratio = Ours ? Ratio(*Ours, Row, Stage) : std::nullopt;
    return ratio ? QString::number(*ratio, 'f', 2) : NotAvailable;
}

// Columns padded to their widest cell: the first to the left, the figures to the right.
void PrintTable(const std::vector<QStringList>& Rows, QTextStream& Out)
{
    std::vector<qsizetype> widths;
    for (const QStringList& row : Rows) {
        widths.resize(std::max(widths.size(), std::size_t(row.size())));
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    for (const QStringList& row : Rows) {
        QString line = QStringLiteral("  ");
        for (qsizetype c = 0; c < row.size(); ++c)
            line += (c == 0 ? row[c].leftJustified(widths[c]) : QStringLiteral("   ") + row[c].rightJustified(widths[c]));
        Out << line << '\n';
    }
}

void PrintFile(const TFileResults& File, QTextStream& Out)
{
    const auto ours = std::find_if(File.Renderers.begin(), File.Renderers.end(),
                                   [](const TRendererResult& r) { return r.Role == TRendererRole::rrOurs; });
    const TRendererResult* oursResult = ours == File.Renderers.end() ? nullptr : &*ours;

    std::vector<QStringList> rows = {{QStringLiteral("renderer"), QStringLiteral("load"), QStringLiteral("draw"),
                                      QStringLiteral("hit test"),
                                      QStringLiteral("load peak memory"), QStringLiteral("ours ÷ load"),
                                      QStringLiteral("ours ÷ draw")}};
    QStringList notes;
    for (const TRendererResult& r : File.Renderers) {
        rows.push_back({r.Renderer, FormatSeconds(r.MedianSeconds(TStage::tsLoad)),
                        FormatSeconds(r.MedianSeconds(TStage::tsDraw)),
                        FormatSeconds(r.MedianSeconds(TStage::tsHitTest)), FormatLoadPeak(r.LoadPeak),
                        FormatRatio(oursResult, r, TStage::tsLoad), FormatRatio(oursResult, r, TStage::tsDraw)});
        if (!r.Error.isEmpty())
            notes << QStringLiteral("%1: %2").arg(r.Renderer, r.Error);
        // A pixel of difference is only another rounding (Qt rounds the document's size).
        if (!r.OwnDrawingSize.isEmpty() && std::abs(r.OwnDrawingSize.height() - File.DrawingSize.height()) > 1)
            notes << QStringLiteral("%1 reads the document's size as %2 (drawn at %3 like the others)")
                          .arg(r.Renderer, FormatSize(r.OwnDrawingSize), FormatSize(File.DrawingSize));
        if (r.LoadPeak && !r.LoadPeak->Error.isEmpty())
            notes << QStringLiteral("%1, load peak memory: %2").arg(r.Renderer, r.LoadPeak->Error);
    }
    Out << File.Name << " (" << FormatBytes(File.Size) << ")";
    if (!File.DrawingSize.isEmpty())
        Out << ", drawn at " << FormatSize(File.DrawingSize);
    Out << '\n';
    PrintTable(rows, Out);
    for (const QString& note : notes)
        Out << "  " << note << '\n';
    Out << '\n';
}

QString FormatMedianAndMaximum(std::vector<double> Ratios)
{
    if (Ratios.empty())
        return NotAvailable;
    const auto middle = Ratios.begin() + std::ptrdiff_t(Ratios.size() / 2);
    std::nth_element(Ratios.begin(), middle, Ratios.end());
    const double maximum = *std::max_element(Ratios.begin(), Ratios.end());
    return QStringLiteral("%1 (max %2, %3 files)")
        .arg(QString::number(*middle, 'f', 2), QString::number(maximum, 'f', 2))
        .arg(Ratios.size());
}

// Over the whole corpus, for each other renderer: the median and the largest
// of the per-file ratios ours ÷ that renderer.
void PrintCorpusRatios(const std::vector<TFileResults>& Files, QTextStream& Out)
{
    std::vector<QString> names;
    std::map<QString, std::array<std::vector<double>, StageCount>> ratios;
    for (const TFileResults& file : Files) {
        const auto ours = std::find_if(file.Renderers.begin(), file.Renderers.end(),
                                       [](const TRendererResult& r) { return r.Role == TRendererRole::rrOurs; });
        if (ours == file.Renderers.end())
            return;
        for (const TRendererResult& r : file.Renderers) {
            if (&r == &*ours)
                continue;
            if (std::find(names.begin(), names.end(), r.Renderer) == names.end())
                names.push_back(r.Renderer);
            for (TStage stage : {TStage::tsLoad, TStage::tsDraw})
                if (const std::optional<double> ratio = Ratio(*ours, r, stage))
                    ratios[r.Renderer][Index(stage)].push_back(*ratio);
        }
    }
    if (names.empty())
        return;
    std::vector<QStringList> rows = {
        {QStringLiteral("ours ÷"), QStringLiteral("load: median"), QStringLiteral("draw: median")}};
    for (const QString& name : names)
        rows.push_back({name, FormatMedianAndMaximum(ratios[name][Index(TStage::tsLoad)]),
                        FormatMedianAndMaximum(ratios[name][Index(TStage::tsDraw)])});
    Out << "Over the corpus: the median of the per-file ratios, and the largest\n";
    PrintTable(rows, Out);
    Out << '\n';
}

} // namespace

std::optional<double> TRendererResult::MedianSeconds(TStage Stage) const
{
    std::vector<double> samples = Seconds[Index(Stage)];
    if (samples.empty())
        return std::nullopt;
    const auto middle = samples.begin() + std::ptrdiff_t(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

void TCollectingReporter::Expect(const std::string& BenchmarkName, TRendererResult& Result, TStage Stage)
{
    FTargets.insert_or_assign(BenchmarkName, TTarget{&Result, Stage});
}

void TCollectingReporter::ReportRuns(const std::vector<Run>& Runs)
{
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& run : Runs) {
        const auto target = FTargets.find(run.run_name.function_name);
        if (target == FTargets.end())
            continue;
        TTarget& t = target->second;
        std::vector<double>& samples = t.Result->Seconds[Index(t.Stage)];
        if (run.error_occurred) {
            t.Result->Error = QString::fromStdString(run.error_message);
            continue;
        }
        const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        // With repetitions the median of the runs, where reported, stands for them all.
        if (run.run_type == Run::RT_Aggregate) {
            if (run.aggregate_name == "median") {
                samples = {seconds};
                t.HasMedian = true;
            }
        } else if (!t.HasMedian) {
            samples.push_back(seconds);
        }
    }
}

void PrintSummary(const std::vector<TFileResults>& Files, QTextStream& Out)
{
    Out << "\nMedian wall time per operation; draw: the whole document fitted to the drawing size shown;\n"
           "hit test: 1000 points on a grid over that drawing; load peak memory: growth of the peak resident\n"
           "size during one load, in a fresh process; ours ÷ r: our time divided by r's.\n\n";
    // A benchmark filter leaves out the files of which nothing ran.
    for (const TFileResults& file : Files)
        if (std::any_of(file.Renderers.begin(), file.Renderers.end(), [](const TRendererResult& r) {
                return !r.Error.isEmpty()
                    || std::any_of(r.Seconds.begin(), r.Seconds.end(), [](const auto& s) { return !s.empty(); });
            }))
            PrintFile(file, Out);
    PrintCorpusRatios(Files, Out);
}

} // namespace zor::bench
