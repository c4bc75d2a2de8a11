#include "platform/font_files_service.h"

#include <QFontDatabase>
#include <QRawFont>

#include "platform/exceptions.h"

namespace zor {

TZorFontFilesService::TRegisteredFonts::~TRegisteredFonts()
{
    for (int id : FIds)
        QFontDatabase::removeApplicationFont(id);
}

TZorFontFilesService::TZorFontFilesService(const QStringList& Files, const TGenericFontFamilies& Generics)
{
    QStringList families;
    for (const QString& file : Files) {
        const int id = QFontDatabase::addApplicationFont(file);
        if (id < 0)
            Raise<EReadError>(messages::CannotLoadFontFile, {file});
        FRegistered.Add(id);
        families.append(QFontDatabase::applicationFontFamilies(id));
        // The first face of the file; further faces of a collection are not
        // reachable through a raw font.
        const QRawFont face(file, 12);
        if (face.isValid())
            FFaces[face.familyName().toLower()].append({face.weight(), SlantFromQt(face.style())});
    }
    // Several files of one family (regular, bold) name it once.
    for (const QString& family : families)
        if (FFonts.IndexOf(family) < 0)
            FFonts.Add(family);
    for (std::size_t i = 0; i < Generics.size(); ++i) {
        if (Generics[i].isEmpty())
            continue;
        const qsizetype index = FFonts.IndexOf(Generics[i]);
        if (index < 0)
            Raise<EListError>(messages::FamilyNotInFontFiles, {Generics[i]});
        FGenerics[i] = FFonts[index];
    }
}

const TZorFontList& TZorFontFilesService::GetFontList()
{
    return FFonts;
}

QString TZorFontFilesService::GenericFamily(TGenericFontFamily Generic)
{
    const QString& chosen = FGenerics[static_cast<std::size_t>(Generic)];
    return chosen.isEmpty() ? IZorFMXSystemFontsService::GenericFamily(Generic) : chosen;
}

QList<TFontFaceInfo> TZorFontFilesService::FamilyFaces(const QString& Family)
{
    const auto found = FFaces.constFind(Family.toLower());
    return found != FFaces.cend() ? *found : IZorFMXSystemFontsService::FamilyFaces(Family);
}

} // namespace zor
