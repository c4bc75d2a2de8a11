#include "platform/font_service.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace zor {

qsizetype TZorFontList::IndexOf(const QString& Name) const
{
    const QStringList& names = ToStringList();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool IZorFMXSystemFontsService::HasFamily(const QString& Name)
{
    return GetFontList().IndexOf(Name) >= 0;
}

QStringList TZorPlatformServices::WithoutRepeats(const QStringList& Enumerated)
{
    QStringList result;
    for (const QString& name : Enumerated)
        if (result.isEmpty() || result.last().compare(name, Qt::CaseInsensitive) != 0)
            result.append(name);
    return result;
}

const TZorFontList& TZorPlatformServices::GetFontList()
{
    std::lock_guard guard(FLock);
    if (FFonts)
        return *FFonts;
    // The font database only exists under a GUI application; without one the
    // list stays unfilled so that a later request can still fill it.
    if (qGuiApp == nullptr)
        return FEmpty;
    FFonts = std::make_unique<TZorFontList>(WithoutRepeats(QFontDatabase::families()));
    return *FFonts;
}

IZorFMXSystemFontsService& SystemFontsService()
{
    static TZorPlatformServices service;
    return service;
}

QString PlatformDefaultFontFamily()
{
    if (qGuiApp != nullptr) {
        const QString family = QGuiApplication::font().family();
        if (!family.isEmpty())
            return family;
    }
    return QStringLiteral("Tahoma");
}

} // namespace zor
