// Runs a fuzz target's entry point over files, outside the fuzzer, so that
// the normal build replays the seeds and every past finding as a test.
//
//   <target>_replay FILE_OR_FOLDER...
//
// Folders are read one level deep, in name order. A finding that comes back
// crashes or aborts this program, which fails the test.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

// Optional, as for libFuzzer: only targets that set something up define it.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* Argc, char*** Argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size);

namespace {

bool ReplayFile(const QString& Path)
{
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(Path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    bool readable = true;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (!QFileInfo(path).isDir()) {
            readable = ReplayFile(path) && readable;
            ++replayed;
            continue;
        }
        const QDir folder(path);
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
            readable = ReplayFile(folder.filePath(name)) && readable;
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return readable && replayed > 0 ? 0 : 1;
}
