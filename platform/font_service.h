#pragma once
// The installed-font service: the families installed on the machine, so that
// a CSS font-family list can pick the first one that exists.

#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>

#include "platform/string_list.h"

namespace zor {

// A list of family names whose look-ups ignore letter case, as family names do.
class TZorFontList : public TStringList {
public:
    using TStringList::TStringList;

    // The index of Name in any letter case, or -1.
    qsizetype IndexOf(const QString& Name) const;
};

class IZorFMXSystemFontsService {
public:
    virtual ~IZorFMXSystemFontsService() = default;

    // The installed family names; the list belongs to the service.
    virtual const TZorFontList& GetFontList() = 0;

    // Whether Name is installed, ignoring letter case.
    bool HasFamily(const QString& Name);
};

// The service over the platform font database. The list is filled on the first
// request (which needs a running QGuiApplication) and never refreshed.
class TZorPlatformServices : public IZorFMXSystemFontsService {
public:
    const TZorFontList& GetFontList() override;

    // Enumerated names with immediate repetitions (equal ignoring case)
    // dropped; the first spelling is kept.
    static QStringList WithoutRepeats(const QStringList& Enumerated);

private:
    std::mutex FLock;
    std::unique_ptr<TZorFontList> FFonts;
    TZorFontList FEmpty;
};

// The process-wide service, created on first use.
IZorFMXSystemFontsService& SystemFontsService();

// The user-interface font family of the platform; "Tahoma" when it names none.
QString PlatformDefaultFontFamily();

} // namespace zor
