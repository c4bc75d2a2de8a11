#pragma once
// The image element: a raster picture or another SVG document, given inline
// as a data URI or as a file, fitted into its viewport by preserveAspectRatio.

#include <QRectF>
#include <QString>
#include <memory>
#include <optional>

#include "svg/model/image_source.h"
#include "svg/model/viewport.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGImage : public TSVGCustomViewBox {
    using Inherited = TSVGCustomViewBox;

public:
    explicit TSVGImage(TSVGDocument* aOwner);
    ~TSVGImage() override;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // The href as read: a data URI or a file name (relative ones are of the
    // document's BaseFolder).
    const QString& Reference() const { return FReference; }
    // Loads the picture the new reference names and reports the change.
    void SetReference(const QString& Value);
    // Decodes the picture of the reference now, replacing the one held. A
    // picture that cannot be read leaves none, and the reason becomes a
    // diagnostic of the element's document.
    virtual void LoadImage();
    // The decoded picture, kept until the reference changes; loaded again
    // first when the document's folder, its files or soIgnoreExternalImages
    // changed since. A picture from a file is not shown while the document
    // ignores external images.
    const TImagePicture& Picture() const;

    // The rectangle the image takes: x and y, and the width and height the
    // file gives. Where it gives neither, the picture's own size; where it
    // gives one, the other keeps the picture's proportions.
    QRectF ImageViewport() const;
    // Where the picture is drawn: its own size fitted into the viewport by
    // preserveAspectRatio (it may reach beyond a slice's viewport); empty
    // without a picture.
    QRectF PictureRect() const;

    // The viewport.
    QRectF BoundsRect() const override;
    // Clipped to the viewport when it clips its content, the picture drawn
    // at its opacity times its fill-opacity.
    void Draw(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect) override;
    using Inherited::Draw;
    // Found where its picture is drawn (within the viewport's clip), or on
    // its viewport with foUseBoundingBox.
    TSVGGraphicElement* ElementAtPos(const QTransform& aMatrix, const QPointF& Pt, const QRectF& aRect,
                                     TSVGFindOptions Options) override;
    using Inherited::ElementAtPos;
    // A use element moves an image; it does not size it.
    bool TakesUseSize() const override;

    // Also the reference, and no picture.
    void Clear() override;
    // From another image the reference; the picture is loaded when first needed.
    void AssignProperties(const TSVGElement* Source) override;

protected:
    // Also the reference (xlink:href, or href without it), then LoadImage.
    void LoadAttributes(const TXMLNode& Node) override;
    // Also preserveAspectRatio (without a view box too) and the reference; a
    // size taken from the picture is left out, as the file left it.
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    TSVGGeometryDefaults GeometryDefaults() const override;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    bool DrawShape(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect) override;
    TSVGGraphicElement* HitTestShape(const QTransform& M, const QPointF& Pt, const QRectF& aRect,
                                     TSVGFindOptions Options) override;

private:
    // Where the picture may come from, as the document stands now.
    TImageSourceContext SourceContext() const;
    // The picture, when there is one.
    const TImagePicture* ShownPicture() const;
    // The matrix that draws an SVG picture's document into PictureRect.
    QTransform DocumentMatrix(const TSVGDocument& Document, const QRectF& Target) const;

    QString FReference;
    // The file gave no width or height.
    bool FAutoWidth = true;
    bool FAutoHeight = true;
    // A cache of what the reference names, and the context it was loaded in
    // (none: not loaded yet).
    mutable TImagePicture FPicture;
    mutable std::optional<TImageSourceContext> FPictureContext;
};

} // namespace zor
