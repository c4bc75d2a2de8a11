#include "bench/corpus.h"

#include <QDir>
#include <QFile>

#include "platform/exceptions.h"

namespace zor::bench {

QString CorpusFolder()
{
    const QString chosen = qEnvironmentVariable("ZOR_BENCH_CORPUS");
    return chosen.isEmpty() ? QStringLiteral(ZOR_BENCH_CORPUS) : chosen;
}

QByteArray ReadFileBytes(const QString& Path)
{
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        Raise<Exception>(QStringLiteral("cannot read %s: %s"), {Path, file.errorString()});
    return file.readAll();
}

std::vector<TCorpusFile> ReadCorpus(const QString& Folder)
{
    const QDir folder(Folder);
    const QStringList names = folder.entryList({QStringLiteral("*.svg")}, QDir::Files | QDir::Readable, QDir::Name);
    if (names.isEmpty())
        Raise<Exception>(QStringLiteral("no .svg files in %s (set ZOR_BENCH_CORPUS to the corpus folder)"),
                         {QDir::toNativeSeparators(folder.absolutePath())});
    std::vector<TCorpusFile> files;
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        files.push_back({name, path, ReadFileBytes(path)});
    }
    return files;
}

} // namespace zor::bench
