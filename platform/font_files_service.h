#pragma once
// An installed-font service made of given font files only, for tests and for
// drawing with a fixed set of fonts whatever the machine has.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

#include "platform/font_service.h"

namespace zor {

namespace messages {
inline constexpr const char* CannotLoadFontFile = "Cannot load font file \"%s\"";
inline constexpr const char* FamilyNotInFontFiles = "Font family \"%s\" is not in the font files";
} // namespace messages

// The family each generic name stands for; an empty entry leaves that
// generic to the platform's font configuration.
using TGenericFontFamilies = std::array<QString, EnumCount(TGenericFontFamily{})>;

// The files are registered with the platform's font database for the life of
// the service, so that the platform's fonts and text drawing find them too.
// The service does not change after construction.
class TZorFontFilesService : public IZorFMXSystemFontsService {
public:
    // Raises EReadError "Cannot load font file ..." for a file the platform
    // cannot read, and EListError "Font family ... is not in the font files"
    // for a generic family naming another family; nothing stays registered then.
    explicit TZorFontFilesService(const QStringList& Files, const TGenericFontFamilies& Generics = {});

    const TZorFontList& GetFontList() override;
    QString GenericFamily(TGenericFontFamily Generic) override;
    // The faces read from the files; a family without faces read (one from
    // further inside a font collection) is left to the font database.
    QList<TFontFaceInfo> FamilyFaces(const QString& Family) override;

private:
    // The application fonts registered, removed again when the service ends.
    class TRegisteredFonts {
    public:
        TRegisteredFonts() = default;
        ~TRegisteredFonts();
        TRegisteredFonts(const TRegisteredFonts&) = delete;
        TRegisteredFonts& operator=(const TRegisteredFonts&) = delete;
        void Add(int Id) { FIds.append(Id); }

    private:
        QList<int> FIds;
    };

    TRegisteredFonts FRegistered;
    TZorFontList FFonts;
    TGenericFontFamilies FGenerics;
    // By family name in lower case.
    QHash<QString, QList<TFontFaceInfo>> FFaces;
};

} // namespace zor
