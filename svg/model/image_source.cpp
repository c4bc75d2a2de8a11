#include "svg/model/image_source.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "platform/exceptions.h"
#include "svg/model/document.h"
#include "svg/values/data_uri.h"

namespace zor {

namespace {

[[noreturn]] void Refuse(const char* Message, const QString& Argument)
{
    Raise<ESVGException>(QString::fromLatin1(Message), {Argument});
}

// Counts the SVG images that load inside one another. Loading happens on the
// loading thread, depth first, so the count lives with the thread: the
// outermost image of a load opens the budget its nested documents share.
class TNestedImageLoad {
public:
    TNestedImageLoad()
    {
        if (Depth >= TImagePicture::MaxNesting)
            Raise<ESVGException>(QString::fromLatin1(messages::ImagesNestTooDeep), {QString::number(TImagePicture::MaxNesting)});
        if (Depth == 0)
            DocumentsLeft = TImagePicture::MaxDocuments;
        ++Depth;
    }
    ~TNestedImageLoad() { --Depth; }
    TNestedImageLoad(const TNestedImageLoad&) = delete;
    TNestedImageLoad& operator=(const TNestedImageLoad&) = delete;

    static void CountDocument()
    {
        if (DocumentsLeft <= 0)
            Raise<ESVGException>(QString::fromLatin1(messages::TooManySVGImages), {QString::number(TImagePicture::MaxDocuments)});
        --DocumentsLeft;
    }

private:
    static thread_local int Depth;
    static thread_local int DocumentsLeft;
};

thread_local int TNestedImageLoad::Depth = 0;
thread_local int TNestedImageLoad::DocumentsLeft = 0;

// The absolute name of the local file Reference names; raises for a URL of
// another scheme, which is never fetched.
QString LocalFileName(const QString& Reference, const QString& BaseFolder)
{
    QString name = Reference;
    const QUrl url(Reference);
    // A one-letter scheme is a drive letter.
    if (url.scheme().size() > 1) {
        if (!url.isLocalFile())
            Refuse(messages::ImageNotLocal, Reference);
        name = url.toLocalFile();
    }
    if (QDir::isRelativePath(name))
        name = QDir(BaseFolder.isEmpty() ? QDir::currentPath() : BaseFolder).filePath(name);
    return QDir::cleanPath(name);
}

// The bytes of a regular file of bounded size: devices, pipes and folders
// could block or never end.
QByteArray ReadRegularFile(const QFileInfo& File)
{
    if (!File.exists())
        Refuse(messages::ImageFileNotFound, File.filePath());
    if (!File.isFile())
        Refuse(messages::ImageNotRegularFile, File.filePath());
    const auto tooLarge = [&] {
        Raise<ESVGException>(QString::fromLatin1(messages::ImageFileTooLarge),
                             {QString::number(TImagePicture::MaxFileSize), File.filePath()});
    };
    if (File.size() > TImagePicture::MaxFileSize)
        tooLarge();
    QFile file(File.filePath());
    if (!file.open(QIODevice::ReadOnly))
        Refuse(messages::ImageFileNotFound, File.filePath());
    // The file may have grown since it was measured.
    QByteArray bytes = file.read(TImagePicture::MaxFileSize + 1);
    if (bytes.size() > TImagePicture::MaxFileSize)
        tooLarge();
    return bytes;
}

// An SVG document of its own, reading Bytes; its images resolve against
// Folder and may not show a file of Chain again.
std::unique_ptr<TSVGDocument> LoadDocument(QByteArray Bytes, const TImageSourceContext& Context,
                                           const QString& Folder, const QStringList& Chain)
{
    TNestedImageLoad::CountDocument();
    auto document = std::make_unique<TSVGDocument>();
    if (!Context.AllowFiles)
        document->SetOptions(TSVGOptions(document->Options()).Include(TSVGOption::soIgnoreExternalImages));
    document->SetBaseFolder(Folder);
    document->SetImageSourceChain(Chain);
    QBuffer buffer(&Bytes);
    buffer.open(QIODevice::ReadOnly);
    document->LoadFromStream(buffer);
    return document;
}

TImagePicture LoadFile(const QString& Reference, const TImageSourceContext& Context)
{
    if (!Context.AllowFiles)
        Refuse(messages::ExternalImagesIgnored, Reference);
    const QFileInfo file(LocalFileName(Reference, Context.BaseFolder));
    QByteArray bytes = ReadRegularFile(file);
    TImagePicture picture;
    if (IsSVGContent(bytes)) {
        const QString path = file.canonicalFilePath();
        if (Context.Chain.contains(path))
            Refuse(messages::ImageContainsItself, Reference);
        picture = TImagePicture(
            LoadDocument(std::move(bytes), Context, file.absolutePath(), Context.Chain + QStringList{path}));
    } else {
        picture = TImagePicture(DecodeBitmap(std::move(bytes)));
    }
    return picture;
}

} // namespace

TImagePicture::TImagePicture() = default;
TImagePicture::TImagePicture(QImage Bitmap)
    : FBitmap(std::move(Bitmap))
{
}
TImagePicture::TImagePicture(std::unique_ptr<TSVGDocument> Document)
    : FDocument(std::move(Document))
{
}
TImagePicture::TImagePicture(TImagePicture&&) noexcept = default;
TImagePicture& TImagePicture::operator=(TImagePicture&&) noexcept = default;
TImagePicture::~TImagePicture() = default;

TImagePicture TImagePicture::Load(const QString& Reference, const TImageSourceContext& Context)
{
    if (Reference.isEmpty())
        return {};
    const TNestedImageLoad nested;
    if (std::optional<TDataURIContent> content = DecodeDataURI(Reference)) {
        if (IsSVGContent(content->Bytes)) {
            // Inline markup has no location its file names could be relative
            // to: it shows inline pictures only.
            TImageSourceContext inlineContext = Context;
            inlineContext.AllowFiles = false;
            return TImagePicture(
                LoadDocument(std::move(content->Bytes), inlineContext, Context.BaseFolder, Context.Chain));
        }
        return TImagePicture(DecodeBitmap(std::move(content->Bytes)));
    }
    TImagePicture picture = LoadFile(Reference, Context);
    picture.FFromFile = true;
    return picture;
}

QSizeF TImagePicture::IntrinsicSize() const
{
    if (!FBitmap.isNull())
        return QSizeF(FBitmap.size());
    if (!FDocument)
        return QSizeF();
    constexpr double DefaultSide = 100;
    const QRectF box = FDocument->ViewBox().Specified() ? FDocument->ViewBox().Rect() : QRectF();
    // A relative size is of a viewport the picture does not have yet: the
    // view box gives it.
    const auto side = [](const TSVGLength& Length, double Value, double BoxSide) {
        if (!Length.IsPercent() && Value > 0)
            return Value;
        return BoxSide > 0 ? BoxSide : DefaultSide;
    };
    return QSizeF(side(FDocument->WidthU(), FDocument->Width(), box.width()),
                  side(FDocument->HeightU(), FDocument->Height(), box.height()));
}

} // namespace zor
