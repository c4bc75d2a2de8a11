#pragma once
// The text elements: text, tspan and tref (textPath in text_path.h). Each
// keeps its own character content and its position lists (x, y, dx, dy,
// rotate). The outermost text element lays out its whole subtree at once,
// when first drawn or asked after a change, and every element of it keeps
// the placed glyphs and outline of its own characters until the next change.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/path_data.h"
#include "platform/glyph_service.h"
#include "svg/model/graphic_element.h"
#include "svg/shapes/text_chunks.h"
#include "svg/shapes/text_reference.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGTextPath;

// xml:space: how white space of the content is kept.
enum class TSVGXmlSpace { xsInherit, xsDefault, xsPreserve };
constexpr std::size_t EnumCount(TSVGXmlSpace) { return 3; }

// One character of the layout: its glyph and the matrix that puts the
// glyph's outline (origin on the baseline) into the element's user space.
struct TSVGPlacedGlyph {
    TGlyph Glyph;
    QTransform Placement;
};

class TSVGCustomText : public TSVGGraphicElement {
    using Inherited = TSVGGraphicElement;

public:
    explicit TSVGCustomText(TSVGDocument* aOwner);
    ~TSVGCustomText() override;

    // --- Content --------------------------------------------------------------
    // The element's own characters (a tref: those of the text it references).
    virtual QString GetText() const;
    QString Text() const { return GetText(); }
    // A change of text lays the text out again.
    void SetText(const QString& Value);
    // Character data read from a document, in order: the first piece before
    // any child element becomes the own text, later pieces become anonymous
    // tspans at their place among the children. White space is kept as
    // xml:space says (line breaks and tabs become spaces; runs of them one
    // space unless preserved).
    void AddTextContent(const QString& Content);

    TSVGXmlSpace XmlSpace() const { return FXmlSpace; }
    void SetXmlSpace(TSVGXmlSpace Value);
    // The own value, else that of the nearest text ancestor that has one,
    // else xsDefault.
    TSVGXmlSpace EffectiveXmlSpace() const;

    // --- Position lists --------------------------------------------------------
    // Lists of lengths; percentages are stored as fractions.
    const TSVGLengths& XList() const { return *FX; }
    const TSVGLengths& YList() const { return *FY; }
    const TSVGLengths& DXList() const { return *FDX; }
    const TSVGLengths& DYList() const { return *FDY; }
    // Each replaces the list by a copy of Value.
    virtual void SetXList(const TSVGLengths& Value);
    virtual void SetYList(const TSVGLengths& Value);
    void SetDXList(const TSVGLengths& Value);
    void SetDYList(const TSVGLengths& Value);
    const QList<float>& Rotate() const { return FRotate; }
    void SetRotate(const QList<float>& Value);

    // The lists as attribute text; setting reads the text (unreadable
    // entries are skipped, as the list parsers do).
    QString XStr() const;
    virtual void SetXStr(QStringView Value);
    QString YStr() const;
    virtual void SetYStr(QStringView Value);
    QString DXStr() const;
    void SetDXStr(QStringView Value);
    QString DYStr() const;
    void SetDYStr(QStringView Value);
    QString RotateStr() const;
    void SetRotateStr(QStringView Value);

    // Position data of character i of the element's own text: from the own
    // list, else from the text ancestors' lists at the character's index in
    // their subtree; 0 or not specified without any.
    virtual float GetXAt(qsizetype i) const;
    virtual float GetYAt(qsizetype i) const;
    virtual float GetDXAt(qsizetype i) const;
    virtual float GetDYAt(qsizetype i) const;
    virtual float GetRotateAt(qsizetype i) const;
    virtual bool IsXSpecifiedAt(qsizetype i) const;
    virtual bool IsYSpecifiedAt(qsizetype i) const;

    // --- Layout -----------------------------------------------------------------
    // The outermost text element of this one's text (itself at the root).
    TSVGCustomText* LayoutRoot() const;
    // The nearest text path around the element (itself included); null outside.
    TSVGTextPath* EnclosingTextPath() const;
    // Appends the characters of the element and then of its text children to
    // Chunks, with their resolved position data.
    virtual void BuildTextChunks(TSVGTextChunks& Chunks);
    // Platform text drawing (soUseFillText) instead of glyph outlines.
    bool UseFillText() const;
    // The effective text-anchor; a root written right to left swaps start and end.
    virtual TSVGTextAlign GetTextAnchor() const;
    // Whether the text runs top to bottom (the root's writing mode decides).
    bool IsVertical() const;
    // The placed glyphs of the element's own characters.
    const std::vector<TSVGPlacedGlyph>& PlacedGlyphs() const;
    // Decoration lines drawn for this element, as outlines.
    const TZorPathData& DecorationOutline() const;
    // The advance of the whole text from its start to the end of its last
    // character (width for horizontal text, height for vertical).
    double TextAdvance() const;
    // Laid out texts: how often this text's layout ran; text whose content,
    // fonts, positions and referenced paths did not change is not laid out again.
    std::uint64_t LayoutCount() const;
    // The size of the subtree's ink.
    QSizeF GetTextSize() const;

    // --- Shape ---------------------------------------------------------------------
    // The outline of the own characters and decorations.
    const TZorPathData& GetShape() const override;
    // The laid-out outline, which the layout keeps anyway.
    const TZorPathData& ShapeForDrawing(TZorPathData& Scratch) const override;
    // The own outline's bounds; the root's covers the whole text.
    QRectF BoundsRect() const override;
    QRectF GetBoundsRect(const QTransform& aMatrix) const override;

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;

protected:
    // x, y, dx, dy, rotate and xml:space.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    // Character data (CDATA sections too) becomes text as AddTextContent
    // says; the text content elements the class accepts become children.
    TSVGElement* CreateChild(const TXMLNode& Node) override;
    // Draws the own characters: the outline, or platform text with
    // soUseFillText.
    bool DrawShape(const QTransform& M, TRenderContext& Canvas, const QRectF& aRect) override;
    // Any change within the text lays the whole text out again.
    void MarkBoundsStale() const override;
    void ReferenceChanged(TSVGElement* Sender) override;

    // The characters of the own text as collected (after white space rules).
    virtual void BuildChildTextChunks(TSVGTextChunks& Chunks);
    // Whether character i of the own text starts a chunk of its own.
    virtual bool StartsChunkAt(qsizetype i) const;
    virtual bool IsClippedAt(qsizetype i) const;
    // What the element showed at the last layout came from another element
    // that has changed since (a referenced text or path). Referenced
    // elements are compared when the text is drawn, not followed by events.
    virtual bool ReferencesChanged() const;
    // The text ancestor position data defers to; null at the root.
    TSVGCustomText* TextParent() const;
    // Collected characters of this element's subtree so far (during a build).
    qsizetype CurrentTextIndex() const { return FCurrentTextIndex; }
    // The layout is stale: built again when next needed.
    void InvalidateLayout() const;

private:
    friend class TSVGTextLayout;
    struct TLayoutState;

    void ListChanged();
    float LengthAt(const TSVGLengths& List, qsizetype i, bool Horizontal) const;
    // Entry i of List, else FromParent of the text parent at the character's
    // index in the parent's text, else 0.
    float ListValueAt(const TSVGLengths& List, qsizetype i, bool Horizontal,
                      float (TSVGCustomText::*FromParent)(qsizetype) const) const;
    // This element or one of its text descendants: ReferencesChanged.
    bool AnyReferenceChanged() const;
    // Lays the text out when this root's layout is stale.
    void EnsureLayout() const;
    // The layout is current for this root; results of its elements are valid.
    void ResetResults() const;
    void CountCollected(qsizetype Count);
    void DrawPlatformText(const QTransform& M, TRenderContext& Canvas);

    QString FText;
    // The span AddTextContent made last; compared, never followed, since it
    // may have gone.
    TSVGCustomText* FContentSpan = nullptr;
    TSVGXmlSpace FXmlSpace = TSVGXmlSpace::xsInherit;
    std::unique_ptr<TSVGLengths> FX;
    std::unique_ptr<TSVGLengths> FY;
    std::unique_ptr<TSVGLengths> FDX;
    std::unique_ptr<TSVGLengths> FDY;
    QList<float> FRotate;

    // While chunks are built: characters of the subtree collected so far, and
    // the parent's count when this element began.
    qsizetype FCurrentTextIndex = 0;
    qsizetype FStartInParent = 0;

    // Results of the last layout for the own characters.
    mutable std::vector<TSVGPlacedGlyph> FGlyphs;
    mutable TZorPathData FDecorations;
    mutable TZorPathData FOutline;
    mutable bool FOutlineStale = true;
    // Kept by the layout root only.
    std::unique_ptr<TLayoutState> FLayout;
};

// The text element: the root of a text's layout.
class TSVGText : public TSVGCustomText {
    using Inherited = TSVGCustomText;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
};

// The base of the elements inside a text.
class TSVGCustomTextContentChild : public TSVGCustomText {
    using Inherited = TSVGCustomText;

public:
    using Inherited::Inherited;

    // The own text-anchor, without the root's direction swap.
    TSVGTextAlign GetTextAnchor() const override;
};

class TSVGTextSpan : public TSVGCustomTextContentChild {
    using Inherited = TSVGCustomTextContentChild;

public:
    using Inherited::Inherited;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
};

// Shows the own text of the text element it references.
class TSVGTextRef : public TSVGCustomTextContentChild {
    using Inherited = TSVGCustomTextContentChild;

public:
    explicit TSVGTextRef(TSVGDocument* aOwner);
    ~TSVGTextRef() override;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // The id of the referenced element, without "#".
    const QString& Reference() const { return FReference; }
    void SetReference(const QString& Value);
    // The referenced text's own text; the own (normally empty) text when the
    // reference names no text element.
    QString GetText() const override;

    void Clear() override;
    void AssignProperties(const TSVGElement* Source) override;
    void BuildTextChunks(TSVGTextChunks& Chunks) override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    // The reference ("xlink:href" or "href") besides the text's attributes.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    bool ReferencesChanged() const override;

private:
    const TSVGCustomText* ReferencedText() const;

    QString FReference;
    // The text the last layout showed.
    QString FLaidOutText;
    mutable TSVGReferenceLink FLink{*this};
};

// Registers the text classes for their kinds (done at start-up as well).
void RegisterTextElementClasses();

} // namespace zor
