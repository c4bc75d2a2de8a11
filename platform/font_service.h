#pragma once
// The installed-font service: the families installed on the machine, so that
// a CSS font-family list can pick the first one that exists. The service in
// use can be replaced for a scope (tests, the conformance runner), and the
// platform's own service follows the font database when fonts are added.

#include <QFont>
#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/string_list.h"

namespace zor {

// A list of family names whose look-ups ignore letter case, as family names do.
class TZorFontList : public TStringList {
public:
    using TStringList::TStringList;

    // The index of Name in any letter case, or -1.
    qsizetype IndexOf(const QString& Name) const;
};

// The CSS generic families.
enum class TGenericFontFamily { gfSerif, gfSansSerif, gfMonospace, gfCursive, gfFantasy };
constexpr std::size_t EnumCount(TGenericFontFamily) { return 5; }

// The CSS name of a generic family ("sans-serif").
QLatin1String GenericFontFamilyName(TGenericFontFamily Generic);
// The generic family Name stands for (CSS keywords ignore letter case).
std::optional<TGenericFontFamily> FindGenericFontFamily(QStringView Name);

enum class TFontSlant { slNormal, slItalic, slOblique };
constexpr std::size_t EnumCount(TFontSlant) { return 3; }

TFontSlant SlantFromQt(QFont::Style Style);
QFont::Style SlantToQt(TFontSlant Slant);

// One face of an installed family, as font matching sees it.
struct TFontFaceInfo {
    int Weight = 400; // 1 to 1000, 400 regular, 700 bold
    TFontSlant Slant = TFontSlant::slNormal;

    friend bool operator==(const TFontFaceInfo&, const TFontFaceInfo&) = default;
};

// Every operation may be called from any thread, except that the reference
// GetFontList returns is only for reading on the thread that changes the
// service's fonts (the user-interface thread); other threads use Families().
class IZorFMXSystemFontsService {
public:
    virtual ~IZorFMXSystemFontsService() = default;

    // The installed family names; the list belongs to the service.
    virtual const TZorFontList& GetFontList() = 0;
    // A copy of the installed family names.
    virtual QStringList Families();

    // Whether Name is installed, ignoring letter case.
    bool HasFamily(const QString& Name);
    // The installed spelling of Name (any letter case); empty when it is not installed.
    QString InstalledFamily(const QString& Name);

    // The installed family that a generic name stands for; by default what
    // the platform's font configuration (fontconfig) maps it to, when that
    // family is installed here. Empty when the service knows none.
    virtual QString GenericFamily(TGenericFontFamily Generic);
    // The installed family for text whose family list names none that is
    // installed: the platform's choice when installed here, else the first
    // installed family; empty only when nothing is installed.
    virtual QString FallbackFamily();
    // The faces of an installed family; by default from the platform's font
    // database.
    virtual QList<TFontFaceInfo> FamilyFaces(const QString& Family);

protected:
    // The installed spelling of the family the platform resolves a request
    // for Name to; empty when that family is not installed here.
    QString PlatformResolvedFamily(const QString& Name, std::optional<TGenericFontFamily> Generic);
};

// The service over the platform font database. The list is filled on the
// first request (which needs a running QGuiApplication) and filled again after
// the platform reports a change of its font database (application fonts
// added or removed).
class TZorPlatformServices : public IZorFMXSystemFontsService {
public:
    const TZorFontList& GetFontList() override;
    QStringList Families() override;

    // Enumerated names with immediate repetitions (equal ignoring case)
    // dropped; the first spelling is kept.
    static QStringList WithoutRepeats(const QStringList& Enumerated);

private:
    // Fills the list when it is stale; FLock must be held.
    void Update();

    std::mutex FLock;
    TZorFontList FFonts;
    // The font database change the list was filled after; 0 while unfilled.
    std::uint64_t FFilledAt = 0;
};

// The service in use: the platform's, unless a TZorFontsServiceScope
// installed another. Holding the pointer keeps the service alive.
std::shared_ptr<IZorFMXSystemFontsService> CurrentFontsService();

// The service in use; the reference stays valid while that service is installed.
IZorFMXSystemFontsService& SystemFontsService();

// A number that changes whenever the fonts that matching sees may have
// changed: a service installed or removed, or a change of the platform's
// font database. Caches of matched fonts and glyphs compare it.
std::uint64_t FontsServiceGeneration();

// Installs a service for the life of the guard and puts the previous one back
// afterwards. Guards end in the reverse order of their creation.
class TZorFontsServiceScope {
public:
    explicit TZorFontsServiceScope(std::shared_ptr<IZorFMXSystemFontsService> Service);
    ~TZorFontsServiceScope();
    TZorFontsServiceScope(const TZorFontsServiceScope&) = delete;
    TZorFontsServiceScope& operator=(const TZorFontsServiceScope&) = delete;

private:
    std::shared_ptr<IZorFMXSystemFontsService> FService;
    std::shared_ptr<IZorFMXSystemFontsService> FPrevious;
};

// The user-interface font family of the platform; "Tahoma" when it names none.
QString PlatformDefaultFontFamily();

} // namespace zor
