#include "bench/load_memory.h"

#include <QFile>
#include <QProcess>

#include "platform/exceptions.h"

namespace zor::bench {

namespace {

// Reaches the code paths of shapes, paint servers and text once.
constexpr char WarmUpDocument[] = R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10">
<defs><linearGradient id="g"><stop offset="0" stop-color="red"/><stop offset="1" stop-color="blue"/></linearGradient></defs>
<style>.a { fill: url(#g) }</style>
<rect class="a" width="10" height="10"/><path d="M10,0 h10 v10 z" stroke="black"/><text y="8">x</text>
</svg>)";

// A "Name:   1234 kB" line of /proc/self/status, in bytes.
qint64 StatusBytes(const char* Name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        Raise<Exception>(QStringLiteral("cannot read /proc/self/status: %s"), {status.errorString()});
    const QByteArray prefix = QByteArray(Name) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith(prefix))
            continue;
        const QList<QByteArray> fields = line.mid(prefix.size()).simplified().split(' ');
        bool ok = false;
        const qint64 kibibytes = fields.value(0).toLongLong(&ok);
        if (ok && fields.value(1) == "kB")
            return kibibytes * 1024;
    }
    Raise<Exception>(QStringLiteral("/proc/self/status has no %s line"), {QString::fromLatin1(Name)});
}

// From here on the peak resident size starts at the current one (Linux 4.0 on).
void ResetPeakResidentSize()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1 || !clearRefs.flush())
        Raise<Exception>(QStringLiteral("cannot reset the peak resident size: %s"), {clearRefs.errorString()});
}

} // namespace

qint64 MeasureLoadPeak(const TRendererUnderTest& Renderer, const QByteArray& Bytes)
{
    Renderer.Load(QByteArray(WarmUpDocument));
    ResetPeakResidentSize();
    const qint64 before = StatusBytes("VmRSS");
    const std::unique_ptr<TLoadedDocument> document = Renderer.Load(Bytes);
    return StatusBytes("VmHWM") - before;
}

TLoadPeak LoadPeakInFreshProcess(const QString& Program, const QString& Renderer, const QString& Path)
{
    // Generous: the largest corpus file loads in well under a second.
    constexpr int TimeoutMs = 120000;
    QProcess process;
    process.start(Program, {QString::fromLatin1(LoadPeakOption), Renderer, Path});
    if (!process.waitForFinished(TimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {std::nullopt, QStringLiteral("the measuring process did not finish: %1").arg(process.errorString())};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        // The reason is the last line; Qt may have warned about its environment before.
        const QStringList lines =
            QString::fromLocal8Bit(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        return {std::nullopt, lines.isEmpty() ? QStringLiteral("the measuring process failed") : lines.last()};
    }
    bool ok = false;
    const qint64 bytes = process.readAllStandardOutput().trimmed().toLongLong(&ok);
    if (!ok)
        return {std::nullopt, QStringLiteral("the measuring process printed no figure")};
    return {bytes, QString()};
}

} // namespace zor::bench
