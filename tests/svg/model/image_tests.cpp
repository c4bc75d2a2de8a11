// The image element: where its picture comes from, what it refuses, how it
// is fitted, drawn, measured and hit, and that its picture is decoded once.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <sys/stat.h>

#include "drawing_test_support.h"
#include "svg/model/image.h"
#include "tests/support/image_bytes.h"
#include "tests/support/qt_test_support.h"

namespace zor::test {
namespace {

using zor::testing::Base64Uri;
using zor::testing::Png;
using zor::testing::PngClaiming;

constexpr QRgb Red = 0xFFFF0000;

QImage Solid(int Width, int Height, QRgb Color)
{
    QImage image(Width, Height, QImage::Format_ARGB32);
    image.fill(Color);
    return image;
}

// An SVG picture of Width × Height units filled with Fill, and the images
// Inner within it.
QByteArray SVGPicture(int Width, int Height, const QString& Fill, const QString& Inner = QString())
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                          "viewBox='0 0 %1 %2'><path d='M0 0H%1V%2H0z' fill='%3'/>%4</svg>")
        .arg(Width)
        .arg(Height)
        .arg(Fill, Inner)
        .toUtf8();
}

QString ImageTag(const QString& Href, const QString& Attributes = QStringLiteral("width='100' height='100'"))
{
    return QStringLiteral("<image %1 xlink:href='%2'/>").arg(Attributes, Href.toHtmlEscaped());
}

// Documents read from files in a folder of their own, beside their pictures.
class ImageTest : public DrawingTest {
protected:
    QString Write(const QString& Name, const QByteArray& Bytes)
    {
        const QString path = Folder.filePath(Name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Bytes);
        return path;
    }

    // A 100 × 100 document holding Images, read from its file.
    TSVGImage* LoadImages(const QString& Images, const QString& Name = QStringLiteral("page.svg"))
    {
        Doc.LoadFromFile(Write(Name, SVGPicture(100, 100, QStringLiteral("none"), Images)));
        return FirstImage();
    }

    TSVGImage* FirstImage() const
    {
        for (TSVGElement* child : Doc.Items())
            if (auto* image = dynamic_cast<TSVGImage*>(child))
                return image;
        return nullptr;
    }

    QTemporaryDir Folder;
};

TEST_F(ImageTest, ReadsEveryKindOfSource)
{
    const QByteArray png = Png(Solid(4, 2, Red));
    Write(QStringLiteral("red.png"), png);
    Write(QStringLiteral("pictures/square.svg"), SVGPicture(30, 30, QStringLiteral("red")));
    // The content decides, not the name.
    Write(QStringLiteral("raster.svg"), png);
    const QString fileURL = QUrl::fromLocalFile(Folder.filePath(QStringLiteral("red.png"))).toString();
    enum Kind { Bitmap, Document };
    const struct {
        QString href;
        Kind kind;
        QSizeF size;
    } cases[] = {
        {Base64Uri(png), Bitmap, {4, 2}},
        {"data:image/png," + QString::fromLatin1(png.toPercentEncoding()), Bitmap, {4, 2}},
        {Base64Uri(png, QString()), Bitmap, {4, 2}},
        {Base64Uri(png, QStringLiteral("text/plain")), Bitmap, {4, 2}},
        {Base64Uri(png, QStringLiteral("image/jpeg")), Bitmap, {4, 2}},
        {Base64Uri(SVGPicture(20, 10, QStringLiteral("red")), QStringLiteral("image/svg+xml")), Document, {20, 10}},
        {"data:," + QString::fromLatin1(SVGPicture(20, 10, QStringLiteral("red")).toPercentEncoding()), Document,
         {20, 10}},
        {QStringLiteral("red.png"), Bitmap, {4, 2}},
        {fileURL, Bitmap, {4, 2}},
        {QStringLiteral("pictures/square.svg"), Document, {30, 30}},
        {QStringLiteral("raster.svg"), Bitmap, {4, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.href.left(50).toStdString());
        TSVGImage* image = LoadImages(ImageTag(c.href));
        ASSERT_NE(image, nullptr);
        const TImagePicture& picture = image->Picture();
        EXPECT_EQ(picture.Bitmap().isNull(), c.kind == Document);
        EXPECT_EQ(picture.Document() != nullptr, c.kind == Document);
        EXPECT_EQ(picture.IntrinsicSize(), c.size);
        EXPECT_TRUE(Doc.Diagnostics().empty());
        EXPECT_EQ(Render().pixel(50, 50), Red);
    }
}

TEST_F(ImageTest, RefusesWhatItMustNotReadAndDrawsNothing)
{
    const QString folder = QDir::cleanPath(Folder.path());
    const QString fifo = Folder.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QFile large(Folder.filePath(QStringLiteral("large.png")));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    // Sparse: the size alone must refuse it.
    ASSERT_TRUE(large.resize(TImagePicture::MaxFileSize + 1));
    large.close();
    QDir().mkpath(Folder.filePath(QStringLiteral("folder.png")));
    const QString unreadable = QStringLiteral("Cannot read the image in a data URI: ");
    const struct {
        QString href;
        QString reason;
    } cases[] = {
        {QStringLiteral("missing.png"), "Image file not found: " + folder + "/missing.png"},
        {QStringLiteral("/dev/zero"), QStringLiteral("Image file is not a regular file: /dev/zero")},
        {QStringLiteral("folder.png"), "Image file is not a regular file: " + folder + "/folder.png"},
        {QStringLiteral("pipe.png"), "Image file is not a regular file: " + folder + "/pipe.png"},
        {QStringLiteral("large.png"), "Image file is larger than 67108864 bytes: " + folder + "/large.png"},
        {QStringLiteral("https://example.com/a.png"),
         QStringLiteral("Image is neither a data URI nor a local file: https://example.com/a.png")},
        {Base64Uri(PngClaiming(30000, 30000)),
         unreadable + "the image exceeds 16384 pixels per side or 67108864 pixels in all"},
        {QStringLiteral("data:image/png;base64,!!"), unreadable + "invalid Base64 data"},
        {QStringLiteral("data:,<svg"), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.href.left(50).toStdString());
        TSVGImage* image = LoadImages(ImageTag(c.href));
        ASSERT_NE(image, nullptr);
        EXPECT_TRUE(image->Picture().IsEmpty());
        ASSERT_EQ(Doc.Diagnostics().size(), 1u);
        const TSVGDiagnostic& diagnostic = Doc.Diagnostics().front();
        EXPECT_EQ(diagnostic.Property, "href");
        if (!c.reason.isEmpty()) {
            EXPECT_EQ(diagnostic.Reason, c.reason);
        }
        EXPECT_EQ(Render().pixel(50, 50), Transparent);
        EXPECT_EQ(HitAt(QPointF(50, 50)), nullptr);
    }
}

TEST_F(ImageTest, ResolvesFilesBesideTheDocumentNotTheCurrentFolder)
{
    Write(QStringLiteral("deep/red.png"), Png(Solid(2, 2, Red)));
    Write(QStringLiteral("deep/inner.svg"), SVGPicture(10, 10, QStringLiteral("none"), ImageTag("red.png")));
    TSVGImage* image = LoadImages(ImageTag(QStringLiteral("inner.svg")), QStringLiteral("deep/page.svg"));
    ASSERT_NE(image->Picture().Document(), nullptr);
    // The picture's own picture lies beside the picture's file.
    EXPECT_EQ(Render().pixel(50, 50), Red);
    EXPECT_TRUE(Doc.Diagnostics().empty());

    // Text has no folder until the host gives one.
    Doc.LoadFromText(QString::fromUtf8(SVGPicture(100, 100, "none", ImageTag("red.png"))));
    Doc.SetBaseFolder(Folder.filePath(QStringLiteral("deep")));
    EXPECT_EQ(Render().pixel(50, 50), Red);
}

TEST_F(ImageTest, IgnoresExternalImagesWhenAsked)
{
    Write(QStringLiteral("red.png"), Png(Solid(2, 2, Red)));
    const QString inlineSVG = Base64Uri(SVGPicture(10, 10, "none", ImageTag("red.png")), "image/svg+xml");
    TSVGImage* image = LoadImages(ImageTag(QStringLiteral("red.png")) + ImageTag(inlineSVG));
    EXPECT_EQ(Render().pixel(50, 50), Red);

    Doc.SetOptions(TSVGOptions(Doc.Options()).Include(TSVGOption::soIgnoreExternalImages));
    EXPECT_TRUE(image->Picture().IsEmpty());
    EXPECT_EQ(Render().pixel(50, 50), Transparent);
    EXPECT_EQ(Doc.Diagnostics().back().Reason, "External images are ignored: red.png");

    // Inline pictures still show; inline markup never reads files.
    image->SetReference(Base64Uri(Png(Solid(2, 2, Red))));
    EXPECT_EQ(Render().pixel(50, 50), Red);
    Doc.SetOptions(TSVGOptions(Doc.Options()).Exclude(TSVGOption::soIgnoreExternalImages));
    image->SetReference(QString());
    EXPECT_EQ(Render().pixel(50, 50), Transparent);
}

TEST_F(ImageTest, StopsAPictureThatShowsItselfAtTheFirstRepeat)
{
    Write(QStringLiteral("a.svg"), SVGPicture(10, 10, "none", ImageTag("b.svg")));
    Write(QStringLiteral("b.svg"), SVGPicture(10, 10, "red", ImageTag("a.svg")));
    Write(QStringLiteral("self.svg"), SVGPicture(10, 10, "red", ImageTag("self.svg")));
    for (const QString& href : {QStringLiteral("a.svg"), QStringLiteral("self.svg")}) {
        SCOPED_TRACE(href.toStdString());
        TSVGImage* image = LoadImages(ImageTag(href));
        TSVGDocument* shown = image->Picture().Document();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(Render().pixel(50, 50), Red);
        // Down the chain, the first file shown again has no picture.
        const TSVGDocument* last = shown;
        int depth = 1;
        while (const TSVGImage* inner = dynamic_cast<const TSVGImage*>(last->Items().Last())) {
            if (inner->Picture().Document() == nullptr) {
                EXPECT_TRUE(last->Diagnostics().back().Reason.startsWith("Image contains itself: "));
                break;
            }
            last = inner->Picture().Document();
            ++depth;
        }
        EXPECT_EQ(depth, href == "a.svg" ? 2 : 1);
    }
}

TEST_F(ImageTest, BoundsTheNestingOfInlinePictures)
{
    QByteArray picture = SVGPicture(10, 10, "red");
    for (int level = 0; level < TImagePicture::MaxNesting + 2; ++level)
        picture = SVGPicture(10, 10, "none", ImageTag(Base64Uri(picture, "image/svg+xml")));
    LoadImages(ImageTag(Base64Uri(picture, "image/svg+xml")));
    // Too deep to reach the red one: drawn, but nothing painted.
    EXPECT_EQ(Render().pixel(50, 50), Transparent);
}

TEST_F(ImageTest, FitsThePictureByPreserveAspectRatio)
{
    const QString wide = Base64Uri(Png(Solid(200, 100, Red)));
    const struct {
        QString aspect;
        QRectF drawn;
    } cases[] = {
        {QString(), {0, 25, 100, 50}},
        {QStringLiteral("xMinYMin slice"), {0, 0, 200, 100}},
        {QStringLiteral("xMaxYMax meet"), {0, 50, 100, 50}},
        {QStringLiteral("none"), {0, 0, 100, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.aspect.toStdString());
        const QString attributes = "width='100' height='100' preserveAspectRatio='" + c.aspect + "'";
        TSVGImage* image = LoadImages(ImageTag(wide, attributes));
        EXPECT_EQ(image->PictureRect(), c.drawn);
        const QImage drawn = Render();
        // Within the viewport only: a slice is clipped to it.
        for (const QPoint probe : {QPoint(50, 10), QPoint(50, 30), QPoint(50, 90), QPoint(99, 99)}) {
            const QRectF visible = c.drawn.intersected(QRectF(0, 0, 100, 100));
            EXPECT_EQ(drawn.pixel(probe), visible.contains(QPointF(probe) + QPointF(0.5, 0.5)) ? Red : Transparent)
                << probe.x() << ',' << probe.y();
        }
    }
}

TEST_F(ImageTest, TakesTheMissingSizeFromThePicture)
{
    const QString wide = Base64Uri(Png(Solid(40, 20, Red)));
    const struct {
        QString attributes;
        QRectF viewport;
    } cases[] = {
        {QStringLiteral("x='5' y='5'"), {5, 5, 40, 20}},
        {QStringLiteral("width='80'"), {0, 0, 80, 40}},
        {QStringLiteral("height='10' width='auto'"), {0, 0, 20, 10}},
        {QStringLiteral("width='0'"), {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes.toStdString());
        TSVGImage* image = LoadImages(ImageTag(wide, c.attributes));
        EXPECT_EQ(image->ImageViewport(), c.viewport);
        EXPECT_EQ(image->BoundsRect(), c.viewport);
    }
}

TEST_F(ImageTest, DrawsAtItsOpacityTimesFillOpacityWithinItsGroup)
{
    LoadImages("<g opacity='0.5'>" + ImageTag(Base64Uri(Png(Solid(2, 2, Red))),
                                              "width='100' height='100' fill-opacity='0.5'")
               + "</g>");
    EXPECT_NEAR(qAlpha(Render().pixel(50, 50)), 64, 2);
}

TEST_F(ImageTest, IsHitWherePictureIsDrawn)
{
    TSVGImage* image = LoadImages(ImageTag(Base64Uri(Png(Solid(200, 100, Red))),
                                           "x='10' width='80' height='80' transform='translate(0 10)'"));
    // Met: 80 × 40, from y = 20 to 60 in the element's space, 30 to 70 drawn.
    EXPECT_EQ(HitAt(QPointF(50, 50)), image);
    EXPECT_EQ(HitAt(QPointF(50, 25)), nullptr);
    EXPECT_EQ(HitAt(QPointF(50, 25), TSVGFindOptions{TSVGFindOption::foUseBoundingBox}), image);
    EXPECT_EQ(HitAt(QPointF(5, 50)), nullptr);
    EXPECT_EQ(image->GetBoundsRect(QTransform()), QRectF(10, 10, 80, 80));
}

TEST_F(ImageTest, DecodesOnceAndAgainOnlyWhenTheReferenceChanges)
{
    TSVGImage* image = LoadImages(ImageTag(Base64Uri(Png(Solid(2, 2, Red)))));
    const qint64 decoded = image->Picture().Bitmap().cacheKey();
    int changes = 0;
    Doc.OnChange = [&](TSVGElement*) { ++changes; };
    Render();
    Render();
    HitAt(QPointF(50, 50));
    // Drawing and hit testing read the model; they change nothing in it.
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(image->Picture().Bitmap().cacheKey(), decoded);

    image->SetReference(Base64Uri(Png(Solid(2, 2, 0xFF0000FF))));
    EXPECT_EQ(changes, 1);
    EXPECT_NE(image->Picture().Bitmap().cacheKey(), decoded);
    EXPECT_EQ(Render().pixel(50, 50), OpaqueBlue);
}

TEST_F(ImageTest, IsMovedButNotSizedByAUse)
{
    LoadImages("<defs>" + ImageTag(Base64Uri(Png(Solid(2, 2, Red))), "id='i' width='20' height='20'")
               + "</defs><use xlink:href='#i' x='50' y='50' width='50' height='50'/>");
    const QImage drawn = Render();
    EXPECT_EQ(drawn.pixel(60, 60), Red);
    EXPECT_EQ(drawn.pixel(80, 80), Transparent);
}

TEST_F(ImageTest, CopiesTheReferenceAndLoadsItsOwnPicture)
{
    TSVGImage* image = LoadImages(ImageTag(Base64Uri(Png(Solid(2, 2, Red)))));
    const std::unique_ptr<TSVGElement> copy = image->Clone(&Doc);
    auto* copied = dynamic_cast<TSVGImage*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->Reference(), image->Reference());
    EXPECT_EQ(copied->Picture().IntrinsicSize(), QSizeF(2, 2));
    copied->Clear();
    EXPECT_TRUE(copied->Reference().isEmpty());
    EXPECT_TRUE(copied->Picture().IsEmpty());
}

TEST_F(ImageTest, SurvivesSavingAsTextAndAsTheBinaryForm)
{
    Write(QStringLiteral("wide.png"), Png(Solid(40, 20, Red)));
    LoadImages(ImageTag(QStringLiteral("wide.png"), QStringLiteral("x='10' width='80'"))
               + ImageTag(Base64Uri(Png(Solid(2, 2, OpaqueBlue))),
                          QStringLiteral("y='60' width='100' height='40' preserveAspectRatio='xMinYMin slice'")));
    const QImage drawn = Render();
    const auto expectSame = [&](TSVGDocument& Copy) {
        Copy.SetBaseFolder(Folder.path());
        QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        DrawSVGElementToBitmap(image, &Copy, false);
        EXPECT_EQ(image, drawn);
        // After the page's own path.
        ASSERT_EQ(Copy.Items().Count(), 3);
        const auto* first = dynamic_cast<const TSVGImage*>(Copy.Items()[1]);
        const auto* second = dynamic_cast<const TSVGImage*>(Copy.Items()[2]);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first->Reference(), "wide.png");
        EXPECT_EQ(first->ImageViewport(), QRectF(10, 0, 80, 40));
        EXPECT_EQ(second->AspectRatio().Align(), TSVGAlign::saXMinYMin);
        EXPECT_TRUE(second->AspectRatio().Slice());
    };
    for (const bool compact : {true, false}) {
        SCOPED_TRACE(compact ? "compact" : "full");
        TSVGOptions options = Doc.Options();
        Doc.SetOptions(compact ? options.Include(TSVGOption::soCompactExport)
                               : options.Exclude(TSVGOption::soCompactExport));
        TSVGDocument text;
        text.LoadFromText(Doc.SaveToText());
        expectSame(text);
    }
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    Doc.SaveToBinaryStream(stream);
    stream.seek(0);
    TSVGDocument binary;
    binary.LoadFromBinaryStream(stream);
    expectSame(binary);
}

} // namespace
} // namespace zor::test
