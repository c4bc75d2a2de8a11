#include "instruments/artwork_resources.h"

#include <QFile>

#include "platform/exceptions.h"
#include "svg/shapes/shape_classes.h"
#include "svg/shapes/text_element.h"

// Registers the resources compiled into this static library; outside the
// namespace, as the resource compiler names its function there.
static void InitArtworkResources()
{
    Q_INIT_RESOURCE(artwork);
}

namespace zor {

namespace {

QString ResourcePath(const QString& Name)
{
    // Registered once, before the first look-up.
    static const bool registered = (InitArtworkResources(), true);
    (void)registered;
    return QStringLiteral(":/artwork/") + Name.toUpper();
}

// A plain name: nothing that could lead out of the artwork folder.
bool IsPlainName(const QString& Name)
{
    return !Name.isEmpty() && !Name.contains(u'/') && !Name.contains(u'\\') && Name != QStringLiteral("..");
}

} // namespace

void RegisterArtworkElementClasses()
{
    static const bool registered = (RegisterShapeClasses(), RegisterTextElementClasses(), true);
    (void)registered;
}

bool HasArtworkResource(const QString& Name)
{
    return IsPlainName(Name) && QFile::exists(ResourcePath(Name));
}

std::unique_ptr<QIODevice> OpenArtworkResource(const QString& Name)
{
    auto file = std::make_unique<QFile>(ResourcePath(Name));
    if (!IsPlainName(Name) || !file->open(QIODevice::ReadOnly))
        Raise<EResNotFound>(QString::fromLatin1(messages::ResourceNotFound), {Name});
    return file;
}

} // namespace zor
