#pragma once
// The DejaVu font files the font tests use (fonts-dejavu-core).

#include <QLatin1String>
#include <QString>

namespace zor::test {

inline QString DejaVuFile(const char* Name)
{
    return QStringLiteral(ZOR_DEJAVU_DIR "/") + QLatin1String(Name);
}

} // namespace zor::test
