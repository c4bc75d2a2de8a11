#include "platform/font_service.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <array>
#include <atomic>

#include "platform/enum_table.h"

namespace zor {

namespace {

struct TGenericFamilyRow {
    TGenericFontFamily Generic;
    QLatin1String Name;
    QFont::StyleHint Hint;
};

constexpr std::array<TGenericFamilyRow, EnumCount(TGenericFontFamily{})> GenericFamilyRows = {{
    {TGenericFontFamily::gfSerif, QLatin1String("serif"), QFont::Serif},
    {TGenericFontFamily::gfSansSerif, QLatin1String("sans-serif"), QFont::SansSerif},
    {TGenericFontFamily::gfMonospace, QLatin1String("monospace"), QFont::Monospace},
    {TGenericFontFamily::gfCursive, QLatin1String("cursive"), QFont::Cursive},
    {TGenericFontFamily::gfFantasy, QLatin1String("fantasy"), QFont::Fantasy},
}};
static_assert(RowsFollowTheEnumeration<&TGenericFamilyRow::Generic>(GenericFamilyRows));

struct TSlantRow {
    TFontSlant Slant;
    QFont::Style Style;
};

constexpr std::array<TSlantRow, EnumCount(TFontSlant{})> SlantRows = {{
    {TFontSlant::slNormal, QFont::StyleNormal},
    {TFontSlant::slItalic, QFont::StyleItalic},
    {TFontSlant::slOblique, QFont::StyleOblique},
}};
static_assert(RowsFollowTheEnumeration<&TSlantRow::Slant>(SlantRows));

std::atomic<std::uint64_t> Generation{1};
// Counts the changes the platform reported of its font database.
std::atomic<std::uint64_t> DatabaseGeneration{1};
std::atomic<bool> WatchingFontDatabase{false};

// The platform announces added and removed application fonts; whatever was
// matched before may then be matched differently. The watch needs the
// application object, so it starts with the first request made under one.
void WatchFontDatabase()
{
    if (WatchingFontDatabase.load() || qGuiApp == nullptr)
        return;
    if (WatchingFontDatabase.exchange(true))
        return;
    // Direct: the signal comes on the thread that changed the database, and
    // the count must change before that thread matches again.
    QObject::connect(
        qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp,
        [] {
            ++DatabaseGeneration;
            ++Generation;
        },
        Qt::DirectConnection);
}

struct TInstalledService {
    std::mutex Lock;
    std::shared_ptr<IZorFMXSystemFontsService> Service = std::make_shared<TZorPlatformServices>();
};

TInstalledService& Installed()
{
    static TInstalledService installed;
    return installed;
}

// Swaps the installed service and returns the one it replaces.
std::shared_ptr<IZorFMXSystemFontsService> Install(std::shared_ptr<IZorFMXSystemFontsService> Service)
{
    TInstalledService& installed = Installed();
    std::lock_guard guard(installed.Lock);
    std::swap(installed.Service, Service);
    ++Generation;
    return Service;
}

} // namespace

qsizetype TZorFontList::IndexOf(const QString& Name) const
{
    const QStringList& names = ToStringList();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QLatin1String GenericFontFamilyName(TGenericFontFamily Generic)
{
    return GenericFamilyRows[static_cast<std::size_t>(Generic)].Name;
}

std::optional<TGenericFontFamily> FindGenericFontFamily(QStringView Name)
{
    for (const TGenericFamilyRow& row : GenericFamilyRows)
        if (Name.compare(row.Name, Qt::CaseInsensitive) == 0)
            return row.Generic;
    return std::nullopt;
}

TFontSlant SlantFromQt(QFont::Style Style)
{
    for (const TSlantRow& row : SlantRows)
        if (row.Style == Style)
            return row.Slant;
    return TFontSlant::slNormal;
}

QFont::Style SlantToQt(TFontSlant Slant)
{
    return SlantRows[static_cast<std::size_t>(Slant)].Style;
}

QStringList IZorFMXSystemFontsService::Families()
{
    return GetFontList().ToStringList();
}

bool IZorFMXSystemFontsService::HasFamily(const QString& Name)
{
    return !InstalledFamily(Name).isEmpty();
}

QString IZorFMXSystemFontsService::InstalledFamily(const QString& Name)
{
    if (Name.isEmpty())
        return {};
    for (const QString& family : Families())
        if (family.compare(Name, Qt::CaseInsensitive) == 0)
            return family;
    return {};
}

QString IZorFMXSystemFontsService::PlatformResolvedFamily(const QString& Name,
                                                          std::optional<TGenericFontFamily> Generic)
{
    if (qGuiApp == nullptr)
        return {};
    QFont font(Name);
    if (Generic)
        font.setStyleHint(GenericFamilyRows[static_cast<std::size_t>(*Generic)].Hint);
    return InstalledFamily(QFontInfo(font).family());
}

QString IZorFMXSystemFontsService::GenericFamily(TGenericFontFamily Generic)
{
    return PlatformResolvedFamily(GenericFontFamilyName(Generic), Generic);
}

QString IZorFMXSystemFontsService::FallbackFamily()
{
    if (qGuiApp != nullptr) {
        const QString resolved = PlatformResolvedFamily(QGuiApplication::font().family(), std::nullopt);
        if (!resolved.isEmpty())
            return resolved;
    }
    const QStringList families = Families();
    return families.isEmpty() ? QString() : families.first();
}

QList<TFontFaceInfo> IZorFMXSystemFontsService::FamilyFaces(const QString& Family)
{
    QList<TFontFaceInfo> faces;
    if (qGuiApp == nullptr)
        return faces;
    for (const QString& style : QFontDatabase::styles(Family)) {
        const QFont font = QFontDatabase::font(Family, style, 12);
        faces.append({QFontDatabase::weight(Family, style), SlantFromQt(font.style())});
    }
    return faces;
}

QStringList TZorPlatformServices::WithoutRepeats(const QStringList& Enumerated)
{
    QStringList result;
    for (const QString& name : Enumerated)
        if (result.isEmpty() || result.last().compare(name, Qt::CaseInsensitive) != 0)
            result.append(name);
    return result;
}

void TZorPlatformServices::Update()
{
    // The font database only exists under a GUI application; without one the
    // list stays unfilled so that a later request can still fill it.
    if (qGuiApp == nullptr)
        return;
    WatchFontDatabase();
    const std::uint64_t current = DatabaseGeneration.load();
    if (FFilledAt == current)
        return;
    FFonts.Assign(WithoutRepeats(QFontDatabase::families()));
    FFilledAt = current;
}

const TZorFontList& TZorPlatformServices::GetFontList()
{
    std::lock_guard guard(FLock);
    Update();
    return FFonts;
}

QStringList TZorPlatformServices::Families()
{
    std::lock_guard guard(FLock);
    Update();
    return FFonts.ToStringList();
}

std::shared_ptr<IZorFMXSystemFontsService> CurrentFontsService()
{
    TInstalledService& installed = Installed();
    std::lock_guard guard(installed.Lock);
    return installed.Service;
}

IZorFMXSystemFontsService& SystemFontsService()
{
    return *CurrentFontsService();
}

std::uint64_t FontsServiceGeneration()
{
    WatchFontDatabase();
    return Generation.load();
}

TZorFontsServiceScope::TZorFontsServiceScope(std::shared_ptr<IZorFMXSystemFontsService> Service)
    : FService(std::move(Service))
    , FPrevious(Install(FService))
{
}

TZorFontsServiceScope::~TZorFontsServiceScope()
{
    Install(std::move(FPrevious));
}

QString PlatformDefaultFontFamily()
{
    // Asked for every font made, so asked of the platform once: the first
    // answer of a running application is kept.
    static const QString fallback = QStringLiteral("Tahoma");
    if (qGuiApp == nullptr)
        return fallback;
    static const QString family = [] {
        const QString name = QGuiApplication::font().family();
        return name.isEmpty() ? fallback : name;
    }();
    return family;
}

} // namespace zor
