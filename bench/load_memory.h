#pragma once
// Peak memory of one load. Each (renderer, file) pair is measured in a fresh
// process of the benchmark program, so nothing an earlier load left in the
// allocator or in a cache is counted or reused. There a small document is
// loaded first, so that one-time set-up (type registration, static tables) is
// not charged to the file; then the kernel's peak resident size is reset
// (/proc/self/clear_refs), the file is loaded, and the figure is the peak
// resident size minus the resident size just before the load. Resident pages
// count every kind of memory the same way (malloc, mmap, a language's own
// allocator), which is what makes the figure fair across renderers.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

#include "bench/renderer_under_test.h"

namespace zor::bench {

// In the measuring process: the growth of the peak resident size while
// Renderer loads Bytes. Raises Exception when the kernel cannot report it.
qint64 MeasureLoadPeak(const TRendererUnderTest& Renderer, const QByteArray& Bytes);

// The first argument that makes the benchmark program a measuring process:
// it is followed by the renderer's name and the file's path.
inline constexpr const char* LoadPeakOption = "--load-peak-memory";

struct TLoadPeak {
    std::optional<qint64> Bytes;
    QString Error;
};

// Runs Program as a measuring process for Renderer and the file at Path.
TLoadPeak LoadPeakInFreshProcess(const QString& Program, const QString& Renderer, const QString& Path);

} // namespace zor::bench
