#pragma once
// The real-world files the renderers are timed on. They are read from their
// folder at run time and never copied into the project.

#include <QByteArray>
#include <QString>
#include <vector>

namespace zor::bench {

struct TCorpusFile {
    QString Name;
    QString Path;
    QByteArray Bytes;
};

// The folder named by the environment variable ZOR_BENCH_CORPUS, otherwise the
// one configured at build time.
QString CorpusFolder();

// Every *.svg file of Folder, by name, read into memory; raises Exception when
// the folder holds none or a file cannot be read.
std::vector<TCorpusFile> ReadCorpus(const QString& Folder);

// The bytes of one file; raises Exception when it cannot be read.
QByteArray ReadFileBytes(const QString& Path);

} // namespace zor::bench
