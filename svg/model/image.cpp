#include "svg/model/image.h"

#include "platform/exceptions.h"
#include "platform/update_scope.h"
#include "platform/xml_document.h"
#include "svg/model/attribute_reader.h"
#include "svg/model/attribute_writer.h"
#include "svg/model/document.h"
#include "svg/render/fitting.h"

namespace zor {

namespace {

// A diagnostic quotes this much of a data URI, which may be long.
constexpr qsizetype QuotedReferenceLength = 64;

bool GivesSize(const TXMLNode& Node, const QString& Name)
{
    return Node.HasAttribute(Name) && Node.Attribute(Name).trimmed() != u"auto";
}

} // namespace

TSVGImage::TSVGImage(TSVGDocument* aOwner)
    : Inherited(aOwner)
{
}

TSVGImage::~TSVGImage() = default;

TSVGElementType TSVGImage::SVGType() const
{
    return TSVGElementType::etImage;
}

TSVGElementTypes TSVGImage::ChildSVGTypes() const
{
    return DescriptiveTypes();
}

void TSVGImage::SetReference(const QString& Value)
{
    if (Value == FReference)
        return;
    FReference = Value;
    LoadImage();
    Changed(this);
}

TImageSourceContext TSVGImage::SourceContext() const
{
    TImageSourceContext context;
    // Elements of a nested svg belong to the file's document, which knows
    // where the file lies.
    const TSVGDocument* document = Owner();
    while (document != nullptr && document->Owner() != nullptr)
        document = document->Owner();
    if (document != nullptr) {
        context.BaseFolder = document->BaseFolder();
        context.Chain = document->ImageSourceChain();
    }
    context.AllowFiles = !Options().Contains(TSVGOption::soIgnoreExternalImages);
    return context;
}

void TSVGImage::LoadImage()
{
    const TImageSourceContext context = SourceContext();
    FPicture = TImagePicture();
    FPictureContext = context;
    try {
        FPicture = TImagePicture::Load(FReference, context);
    } catch (const Exception& Error) {
        const bool quoted = FReference.size() > QuotedReferenceLength;
        ReportDiagnostic(QStringLiteral("href"),
                         quoted ? FReference.left(QuotedReferenceLength) + QStringLiteral("...") : FReference, Error.Message());
    }
}

const TImagePicture& TSVGImage::Picture() const
{
    // The picture is a cache of the reference: loading it again changes no
    // value of the element.
    if (FPictureContext != SourceContext())
        const_cast<TSVGImage*>(this)->LoadImage();
    return FPicture;
}

const TImagePicture* TSVGImage::ShownPicture() const
{
    const TImagePicture& picture = Picture();
    return picture.IsEmpty() ? nullptr : &picture;
}

QRectF TSVGImage::ImageViewport() const
{
    double width = Width();
    double height = Height();
    const bool autoWidth = FAutoWidth && width == 0;
    const bool autoHeight = FAutoHeight && height == 0;
    if (autoWidth || autoHeight) {
        const QSizeF own = Picture().IntrinsicSize();
        if (!own.isEmpty()) {
            if (autoWidth && autoHeight) {
                width = own.width();
                height = own.height();
            } else if (autoWidth) {
                width = height * own.width() / own.height();
            } else {
                height = width * own.height() / own.width();
            }
        }
    }
    return QRectF(X(), Y(), width, height);
}

QRectF TSVGImage::PictureRect() const
{
    const QRectF viewport = ImageViewport();
    const QSizeF own = Picture().IntrinsicSize();
    if (viewport.isEmpty() || own.isEmpty())
        return QRectF();
    const QRectF source(QPointF(), own);
    const std::optional<QTransform> fit = ViewBoxMatrix(source, viewport, AspectRatio());
    return fit ? fit->mapRect(source) : QRectF();
}

QRectF TSVGImage::BoundsRect() const
{
    return ImageViewport();
}

bool TSVGImage::TakesUseSize() const
{
    return false;
}

void TSVGImage::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    FReference.clear();
    FAutoWidth = true;
    FAutoHeight = true;
    FPicture = TImagePicture();
    FPictureContext.reset();
}

void TSVGImage::AssignProperties(const TSVGElement* Source)
{
    if (const auto* image = dynamic_cast<const TSVGImage*>(Source); image && image != this) {
        FReference = image->FReference;
        FAutoWidth = image->FAutoWidth;
        FAutoHeight = image->FAutoHeight;
        FPicture = TImagePicture();
        FPictureContext.reset();
    }
    Inherited::AssignProperties(Source);
}

void TSVGImage::LoadAttributes(const TXMLNode& Node)
{
    Inherited::LoadAttributes(Node);
    FAutoWidth = !GivesSize(Node, QStringLiteral("width"));
    FAutoHeight = !GivesSize(Node, QStringLiteral("height"));
    FReference = TSVGAttributeReader(*this, Node).Href().value_or(QString());
    LoadImage();
}

void TSVGImage::SaveAttributes(TSVGAttributeWriter& Writer) const
{
    Inherited::SaveAttributes(Writer);
    // A written 0 would hide the picture that gives the size.
    if (FAutoWidth && Width() == 0)
        Writer.WriteAttribute(QStringLiteral("width"), QString(), true);
    if (FAutoHeight && Height() == 0)
        Writer.WriteAttribute(QStringLiteral("height"), QString(), true);
    if (!ViewBox().Specified())
        SaveAspectRatio(Writer);
    Writer.WriteLink(FReference);
}

TSVGCustomGroup::TSVGGeometryDefaults TSVGImage::GeometryDefaults() const
{
    return {};
}

std::unique_ptr<TSVGElement> TSVGImage::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGImage>(aOwner);
}

} // namespace zor
