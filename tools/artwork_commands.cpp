#include "tools/artwork_commands.h"

#include <QBuffer>
#include <QFile>

#include "instruments/artwork_contract.h"
#include "instruments/artwork_resources.h"
#include "platform/exceptions.h"
#include "tools/command_line.h"
#include "svg/model/document.h"

namespace zor::tools {

namespace {

// Far above any artwork; a larger file is refused before it is read.
constexpr qint64 MaxArtworkBytes = 64 * 1024 * 1024;

QStringList KindNames()
{
    QStringList names;
    for (const TArtworkContract& contract : ArtworkContracts())
        names << QString::fromLatin1(contract.Name);
    return names;
}

} // namespace

int CheckArtworkFile(const QString& Kind, const QString& FileName, QTextStream& Out)
{
    const std::optional<TArtworkKind> kind = ArtworkKindByName(Kind);
    if (!kind)
        throw EUsageError(QStringLiteral("unknown artwork kind '%1' (one of %2)").arg(Kind, KindNames().join(u", ")));
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("cannot read %1").arg(FileName));
    if (file.size() > MaxArtworkBytes)
        throw Exception(QStringLiteral("%1 is larger than %2 bytes").arg(FileName).arg(MaxArtworkBytes));
    QByteArray text = file.readAll();

    const TArtworkContract& contract = ArtworkContract(*kind);
    RegisterArtworkElementClasses();
    TSVGDocument document;
    QBuffer bytes(&text);
    bytes.open(QIODevice::ReadOnly);
    document.LoadFromStream(bytes);
    const TArtworkFindings findings = CheckArtwork(contract, document, DuplicateArtworkIDs(text));
    for (const QString& line : findings.Lines())
        Out << line << "\n";
    Out << FileName << (findings.IsEmpty() ? ": keeps" : ": breaks") << " the contract of "
        << QString::fromLatin1(contract.Name) << "\n";
    return findings.IsEmpty() ? 0 : 1;
}

} // namespace zor::tools
