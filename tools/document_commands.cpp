#include "tools/document_commands.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPainter>
#include <QSaveFile>
#include <cmath>
#include <memory>

#include "platform/xml_document.h"
#include "svg/model/document.h"
#include "svg/model/draw_in_rect.h"
#include "svg/values/number_format.h"

namespace zor::tools {

namespace {

const QString StandardStream = QStringLiteral("-");
constexpr double DefaultSide = 100;

// A file, or standard input for "-", open for reading.
std::unique_ptr<QFile> OpenInput(const QString& Input)
{
    auto in = std::make_unique<QFile>();
    const bool opened = Input == StandardStream ? in->open(stdin, QIODevice::ReadOnly)
                                                : (in->setFileName(Input), in->open(QIODevice::ReadOnly));
    if (!opened)
        Raise<EXMLDocError>(messages::XMLCannotOpen, {Input, in->errorString()});
    return in;
}

// A side written in absolute units, not as a percentage.
bool HasAbsoluteSide(const TXMLNode& Root, const char* Name, const TSVGLength& Side)
{
    return Root.HasAttribute(QString::fromLatin1(Name)) && !Side.IsPercent() && Side.GetValue() > 0;
}

QString Number(double Value)
{
    return FormatFloat(QStringLiteral("0.###"), Value);
}

void CountKinds(const TSVGElement& Element, QMap<QString, int>& Counts, QStringList& IDs)
{
    for (const TSVGElement* child : Element.Items()) {
        ++Counts[child->SVGTypeName()];
        if (!child->HasProvisionalID())
            IDs << child->ID();
        CountKinds(*child, Counts, IDs);
    }
}

} // namespace

TLoadedDocument LoadDocument(const QString& Input)
{
    const std::unique_ptr<QFile> in = OpenInput(Input);
    TLoadedDocument loaded{std::make_unique<TSVGDocument>(), QSizeF()};
    if (Input != StandardStream)
        loaded.Document->SetBaseFolder(QFileInfo(Input).absolutePath());
    if (TSVGDocument::IsBinaryStream(*in)) {
        QByteArray bytes = ReadXMLBytes(*in);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        loaded.Document->LoadFromBinaryStream(buffer);
        // The binary form holds the sizes, not whether the file gave them: a
        // side of the new document's size counts as not given.
        TXMLDocument xml;
        loaded.Document->SaveToXML(xml);
        loaded.Size = IntrinsicSize(xml.DocumentElement(), *loaded.Document);
        return loaded;
    }
    // Read as a stream: the file is parsed as the tree is built, and never
    // held as a whole, neither as bytes nor as an XML tree.
    TXMLDocument xml;
    xml.StreamFromDevice(*in);
    loaded.Document->LoadFromXML(xml);
    loaded.Size = IntrinsicSize(xml.DocumentElement(), *loaded.Document);
    xml.FinishStream();
    return loaded;
}

QSizeF IntrinsicSize(const TXMLNode& Root, const TSVGDocument& Document)
{
    const bool hasWidth = HasAbsoluteSide(Root, "width", Document.WidthU());
    const bool hasHeight = HasAbsoluteSide(Root, "height", Document.HeightU());
    double width = hasWidth ? Document.Width() : DefaultSide;
    double height = hasHeight ? Document.Height() : DefaultSide;
    const QRectF box = Document.ViewBox().Specified() ? Document.ViewBox().Rect() : QRectF();
    if (box.width() > 0 && box.height() > 0) {
        if (!hasWidth && !hasHeight) {
            width = box.width();
            height = box.height();
        } else if (!hasWidth) {
            width = height * box.width() / box.height();
        } else if (!hasHeight) {
            height = width * box.height() / box.width();
        }
    }
    return QSizeF(width, height);
}

QSize ImageSize(const QSizeF& Intrinsic, std::optional<int> Width, std::optional<int> Height)
{
    double width = Intrinsic.width();
    double height = Intrinsic.height();
    if (Width && Height) {
        width = *Width;
        height = *Height;
    } else if (Width) {
        height = width > 0 ? height * *Width / width : *Width;
        width = *Width;
    } else if (Height) {
        width = height > 0 ? width * *Height / height : *Height;
        height = *Height;
    }
    width = std::max(1.0, std::round(width));
    height = std::max(1.0, std::round(height));
    if (!std::isfinite(width) || !std::isfinite(height) || width > MaxImageSide || height > MaxImageSide ||
        width * height > double(MaxImagePixels))
        Raise<ESVGException>(QStringLiteral("The drawing would be %s by %s pixels, more than the %s pixels "
                                            "(at most %s a side) allowed; give a smaller -w or -h"),
                             {Number(width), Number(height), QString::number(MaxImagePixels),
                              QString::number(MaxImageSide)});
    return QSize(int(width), int(height));
}

QImage RenderDocument(const TLoadedDocument& Loaded, const TRenderRequest& Request)
{
    QImage image(ImageSize(Loaded.Size, Request.Width, Request.Height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        Raise<ESVGException>(QStringLiteral("Not enough memory for a drawing of %s by %s pixels"),
                             {QString::number(image.width()), QString::number(image.height())});
    image.fill(QColor::fromRgba(Request.Background));
    DrawSVGElementToBitmap(image, Loaded.Document.get(), false);
    return image;
}

void WritePNG(const QImage& Image, const QString& FileName)
{
    if (FileName == StandardStream) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || !Image.save(&out, "PNG"))
            Raise<ESVGException>(QStringLiteral("Cannot write the image to standard output"));
        return;
    }
    // A failed write leaves no partial file behind: the temporary file is
    // dropped and FileName stays as it was.
    QSaveFile out(FileName);
    if (!out.open(QIODevice::WriteOnly) || !Image.save(&out, "PNG") || !out.commit())
        Raise<ESVGException>(QStringLiteral("Cannot write \"%s\": %s"), {FileName, out.errorString()});
}

void Render(const TRenderRequest& Request)
{
    const TLoadedDocument loaded = LoadDocument(Request.Input);
    WritePNG(RenderDocument(loaded, Request), Request.Output);
}

void DescribeDocument(const TLoadedDocument& Loaded, QTextStream& Out)
{
    const TSVGDocument& document = *Loaded.Document;
    Out << "size:      " << Number(Loaded.Size.width()) << " x " << Number(Loaded.Size.height()) << "\n";
    if (document.ViewBox().Specified()) {
        const QRectF box = document.ViewBox().Rect();
        Out << "view box:  " << Number(box.x()) << ' ' << Number(box.y()) << ' ' << Number(box.width()) << ' '
            << Number(box.height()) << "\n";
    } else {
        Out << "view box:  none\n";
    }
    QMap<QString, int> counts;
    QStringList ids;
    CountKinds(document, counts, ids);
    int total = 0;
    for (const int count : counts)
        total += count;
    Out << "elements:  " << total << "\n";
    for (auto kind = counts.cbegin(); kind != counts.cend(); ++kind)
        Out << "  " << kind.key() << ": " << kind.value() << "\n";
    Out << "ids:       " << (ids.isEmpty() ? QStringLiteral("none") : ids.join(u' ')) << "\n";
    if (!document.Diagnostics().empty()) {
        Out << "refused values:\n";
        for (const TSVGDiagnostic& d : document.Diagnostics())
            Out << "  <" << d.Element << "> " << d.Property << "=\"" << d.Text << "\": " << d.Reason << "\n";
    }
}

} // namespace zor::tools
