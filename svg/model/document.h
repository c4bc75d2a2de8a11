#pragma once
// The root of the document model: owns the element tree, indexes every element
// by id, holds the document-wide options and languages and raises the
// document's events.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "collections/hash_table_strings.h"
#include "platform/events.h"
#include "platform/string_list.h"
#include "svg/model/diagnostics.h"
#include "svg/model/draw_events.h"
#include "svg/model/element_table.h"
#include "svg/model/style_sheet.h"
#include "svg/model/viewport.h"

class QIODevice;

namespace zor {

class TSVGSaveContext;
class TXMLDocument;


// Sender is the element whose child list changed, Element the child.
using TSVGElementEvent = TEvent<TSVGElement*, TSVGElement*>;
// Sender is the element about to read Node.
using TSVGParserNodeEvent = TEvent<TSVGElement*, const TXMLNode&>;
// Sender is the document, Element the element about to be written on Node;
// Save (true on entry) decides whether it is.
using TSVGSavingElementEvent = TEvent<TSVGElement*, TSVGElement*, bool&, TXMLNode&>;
// Sender is the document, Element the element just written on Node.
using TSVGSaveElementEvent = TEvent<TSVGElement*, TSVGElement*, TXMLNode&>;

class TSVGDocument : public TSVGCustomViewBox {
    using Inherited = TSVGCustomViewBox;
    static constexpr int DefaultDPI = 96;
    static constexpr int MinimumDPI = 10;
    static constexpr float DefaultSize = 100;

public:
    // A stand-alone document has no owner; a nested one belongs to the
    // document that contains it.
    explicit TSVGDocument(TSVGDocument* aOwner = nullptr);
    ~TSVGDocument() override;

    TSVGElementType SVGType() const override;
    TSVGElementTypes ChildSVGTypes() const override;

    // A document with an owner reports its owner's options, otherwise its own.
    TSVGOptions Options() const override;
    // Resets the tree and reports the change when the options differ.
    void SetOptions(TSVGOptions Value);

    // Resolution of the absolute units, never below 10; changing it reports no change.
    int DPI() const { return FDPI; }
    void SetDPI(int Value);
    // The table computed from DPI.
    TSVGUnitFactors GetUnitFactors() const override;

    // The preferred languages as comma-separated text.
    QString PreferredLanguage() const;
    void SetPreferredLanguage(const QString& Value);

    TSVGElementTable& AllItems() { return *FAllItems; }
    const TSVGElementTable& AllItems() const { return *FAllItems; }
    // An id the document gave an element that has none of its own ("ID#3").
    static bool IsProvisionalID(const QString& ID);

    // The values that elements of this document refused, in the order met;
    // the loader and the cascade add to them, Clear empties them.
    const std::vector<TSVGDiagnostic>& Diagnostics() const { return FDiagnostics; }
    // A nested document passes it on to the document it belongs to.
    void AddDiagnostic(TSVGDiagnostic Diagnostic);
    void ClearDiagnostics() { FDiagnostics.clear(); }

    // The style rules of this document, which style its elements (and the
    // document itself) when ApplyStyles runs.
    TSVGStyleSheet& Styles() { return FStyles; }
    const TSVGStyleSheet& Styles() const { return FStyles; }
    // Adds a rule, or merges it into the rule of the same selector; raises
    // "Invalid selector: %s" for a selector that does not read.
    TSVGStyle& AddStyleRule(const QString& aName, QStringView aStyles);
    // Adds the rules of style sheet text (the content of a style element,
    // read once); what is skipped is recorded in Diagnostics, as refused by
    // the "style" element. Nothing is applied until ApplyStyles runs.
    void ParseStyleSheet(QStringView Text);

    // --- Loading ----------------------------------------------------------------
    // Each load replaces the whole content, inside one update (one OnChange
    // at the end): the tree is cleared, built from the root svg element
    // (elements, attributes and style elements in document order) and styled
    // by the style sheet. The first error stops the load and reaches the
    // caller; what was built before it stays, and no element is left reading.
    // Raises "Empty XML document" without a root element and "Not a valid SVG"
    // when the root is not an svg element; the XML service's errors pass
    // through unchanged.
    void LoadFromXML(const TXMLDocument& XMLDocument);
    // The root element of a file; a nested document (an svg element inside
    // another) reads as a viewport of the file it belongs to.
    void LoadFromXML(const TXMLNode& Node) override;
    // Reads the device from its current position, detecting the encoding.
    virtual void LoadFromStream(QIODevice& Stream);
    void LoadFromFile(const QString& FileName);
    void LoadFromText(const QString& Text);
    // Whether a text, file, stream or XML document holds an SVG document; never
    // raises. Strictly: whether it loads without error; otherwise whether its
    // root element is named svg.
    static bool IsValidSVG(const TXMLDocument& XMLDocument, bool StrictVerification = false);
    static bool IsValidSVG(QIODevice& Stream, bool StrictVerification = false);
    static bool IsValidSVGFile(const QString& FileName, bool StrictVerification = false);
    static bool IsValidSVGText(const QString& Text, bool StrictVerification = false);
    // Adds the rules of a style element: the text of its text and CDATA
    // children, in document order, read as one style sheet.
    void ParseStyleElement(const TXMLNode& Node);

    // --- Files ------------------------------------------------------------------
    // The folder relative file names of images are resolved against.
    // LoadFromFile sets it to the file's folder; the other loads keep it, so
    // a host that reads a file's text itself may set it first. Empty: the
    // process's current folder.
    const QString& BaseFolder() const { return FBaseFolder; }
    void SetBaseFolder(const QString& Value) { FBaseFolder = Value; }
    // For a document shown as an image: the files of the images it is shown
    // through, outermost first (canonical paths), which its own images must
    // not load again. Empty for a document that is no image.
    const QStringList& ImageSourceChain() const { return FImageSourceChain; }
    void SetImageSourceChain(const QStringList& Value) { FImageSourceChain = Value; }

    // --- Saving -------------------------------------------------------------------
    // The picture format of numbers and lengths in saved SVG text ("0.###");
    // an empty one writes each number in the shortest form that reads back
    // the same. Raises EConvertError for a format whose numbers would not
    // read back; the format then stays.
    const QString& FormatStr() const { return FFormatStr; }
    void SetFormatStr(const QString& Value);
    // Writes the document as SVG text: the root svg element and the tree,
    // each element with the attributes of its class (values equal to their
    // defaults left out with soCompactExport; disabled elements only with
    // soExportDisabled; OnSavingElement may refuse any). The style sheet is
    // not written: every element carries its own values. XML errors pass
    // through unchanged.
    void SaveToXML(TXMLDocument& XMLDocument);
    using Inherited::SaveToXML;
    // Writes at the device's current position. SplitPathLines above 32
    // breaks lines longer than that (long path data) where they allow it.
    void SaveToStream(QIODevice& Stream, int SplitPathLines = 0);
    // Replaces the file only once the whole document is written.
    void SaveToFile(const QString& FileName, int SplitPathLines = 0);
    QString SaveToText(int SplitPathLines = 0);

    // The binary form: the tree through component streaming, with what SVG
    // text cannot hold (inheritance flags, where each property was written,
    // whether view boxes were given). Loading replaces the whole content,
    // inside one update; no style sheet is applied after it, since the
    // stored values are the resolved ones. A stream of another class raises
    // "Stream read error: %s does not match expected %s class name", an
    // unknown element class "Class %s not found"; other stream errors pass
    // through, and what was read before the error stays.
    void SaveToBinaryStream(QIODevice& Stream);
    void SaveToBinaryFile(const QString& FileName);
    void LoadFromBinaryStream(QIODevice& Stream);
    void LoadFromBinaryFile(const QString& FileName);
    // The device holds the binary form at its current position (its
    // signature), which is left unchanged.
    static bool IsBinaryStream(QIODevice& Stream);

    // Feature is one of the SVG 1.1 feature strings that this renderer supports.
    bool SupportsFeature(const QString& Feature) const;
    // One of the languages in Language covers a candidate language: the
    // system's user-interface languages with soUseLocaleForLanguage, the
    // preferred languages otherwise.
    bool SupportsLanguage(const QString& Language) const;

    // --- Drawing --------------------------------------------------------------
    // The alignment that fits a document without a view box (by its width
    // and height) into a target; xMidYMid meet.
    TSVGPreserveAspectRatio& DefaultAspectRatio() { return FDefaultAspectRatio; }
    const TSVGPreserveAspectRatio& DefaultAspectRatio() const { return FDefaultAspectRatio; }
    void SetDefaultAspectRatio(const TSVGPreserveAspectRatio& Value) { FDefaultAspectRatio.Assign(&Value); }
    // Fits the document into aRect: its view box by AspectRatio, without one
    // its bounds by DefaultAspectRatio; with both alignments saNone the
    // fitting matrix OldTransformation (FitToRect(aRect)) itself, stretched.
    QTransform GetViewMatrix(const QTransform& OldTransformation, const QRectF& aRect) const override;
    using Inherited::GetViewMatrix;
    // A document that stands alone is the root viewport: aMatrix places its
    // user space in the canvas, and it clips to the target rectangle aRect.
    // A nested one draws as an svg element in its parent.
    void Draw(const QTransform& aMatrix, TRenderContext& Canvas, const QRectF& aRect) override;
    using Inherited::Draw;
    TSVGGraphicElement* ElementAtPos(const QTransform& aMatrix, const QPointF& Pt, const QRectF& aRect,
                                     TSVGFindOptions Options) override;
    using Inherited::ElementAtPos;
    // Draws Element alone, with what its ancestors give it (the moving part
    // of an instrument between its cached layers); nothing when the
    // document is not drawn.
    virtual void DrawElement(TSVGGraphicElement* Element, const QTransform& aMatrix, TRenderContext& Canvas,
                             const QRectF& aRect);
    void DrawElement(TSVGGraphicElement* Element, TRenderContext& Canvas, const QRectF& aRect);
    using Inherited::DrawElement;
    // Draws what the whole drawing draws before Element (and Element itself
    // with IncludeElement): the background layer of a split drawing.
    virtual void DrawBeforeElement(TSVGGraphicElement* Element, const QTransform& aMatrix, TRenderContext& Canvas,
                                   const QRectF& aRect, bool IncludeElement);
    void DrawBeforeElement(TSVGGraphicElement* Element, TRenderContext& Canvas, const QRectF& aRect,
                           bool IncludeElement);
    // Draws the shapes the whole drawing draws after Element (and Element's
    // own with IncludeElement): the foreground layer of a split drawing.
    virtual void DrawAfterElement(TSVGGraphicElement* Element, const QTransform& aMatrix, TRenderContext& Canvas,
                                  const QRectF& aRect, bool IncludeElement);
    void DrawAfterElement(TSVGGraphicElement* Element, TRenderContext& Canvas, const QRectF& aRect,
                          bool IncludeElement);

    // Raises OnChange unless the document is inside an update or being
    // destroyed; a nested document also tells its owner.
    void Changed(TSVGElement* Sender) override;
    // Also empties AllItems, the diagnostics and Styles.
    void Clear() override;
    // From another document also the resolution, the options, the preferred
    // languages and copies of the style rules.
    void AssignProperties(const TSVGElement* Source) override;

    TEvent<TSVGElement*> OnChange;
    // Loading: an element starts reading a node (the document itself for the
    // root), and has read it (Sender is the document).
    TSVGParserNodeEvent OnParsingNode;
    TSVGElementEvent OnParsedNode;
    TSVGElementEvent OnAddElement;
    TSVGElementEvent OnRemoveElement;
    // The drawing and hit-testing events of every element of the tree.
    TSVGShouldDrawQEvent OnShouldDraw;
    TSVGDrawingQEvent OnDrawing;
    TSVGDrawingEvent OnDrawn;
    TSVGDrawingModificationEvent OnDisableAppearance;
    TSVGGraphicElementFoundEvent OnElementFound;
    // Saving: an element is about to be written (the document itself too),
    // and has been written.
    TSVGSavingElementEvent OnSavingElement;
    TSVGSaveElementEvent OnSavedElement;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
    TSVGDocument* ChildOwner() override;
    // The document's own rules style it too; a nested document is styled by
    // its containing document's rules as well, which come first.
    std::vector<const TSVGStyleSheet*> RuleSheets() const override;
    // Reports from the child lists of the tree raise the element events.
    void ItemsNotify(TSVGElement* Sender, TSVGElement* Item, TCollectionNotification Action) override;
    void DoParsingNode(TSVGElement* Sender, const TXMLNode& Node) override;
    void DoParsedNode(TSVGElement* Sender) override;
    bool ApplyAncestorTransforms(const TSVGGraphicElement& Child, QTransform& M, TRenderContext& Canvas,
                                 const QRectF& aRect) override;
    // The namespaces, the viewport's attributes and version="1.1".
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;

private:
    friend class TSVGElement;
    friend class TSVGSaveContext;

    // Bookkeeping of the elements created with this document as owner; a
    // new element is given a provisional id.
    void ElementCreated(TSVGElement* Element);
    void ElementDestroyed(TSVGElement* Element);
    // Registers Element under NewID instead of its current id; returns the id actually used.
    QString ChangeID(TSVGElement* Element, const QString& NewID);
    // Adds NewID for Element: a taken id gets its "Copy" variant, or raises
    // "Duplicates not allowed" with soEnforceUniqueID.
    QString RegisterID(TSVGElement* Element, const QString& NewID);
    void ReleaseID(const TSVGElement* Element);
    // Raises the element events for a change of Parent's child list, unless
    // Parent itself is being destroyed.
    void ElementListChanged(TSVGElement* Parent, TSVGElement* Item, TCollectionNotification Action);
    // No events inside an update, while the document is being destroyed or
    // while an element destructor runs.
    bool IsQuiet() const;
    // The document draws as the root viewport, not inside another.
    bool IsRootViewport() const;
    // Whether the root viewport is drawn; clips the canvas to the target
    // rectangle when it is.
    bool EnterRootViewport(TRenderContext& Canvas, const QRectF& aRect);

    std::unique_ptr<TSVGElementTable> FAllItems = std::make_unique<TSVGElementTable>();
    TSVGStyleSheet FStyles;
    TSVGOptions FOptions = DefaultSVGOptions();
    int FDPI = DefaultDPI;
    TSVGUnitFactors FUnitFactors = UnitFactorsForResolution(DefaultDPI);
    TStringList FPrefLanguages;
    TSVGPreserveAspectRatio FDefaultAspectRatio{TSVGAlign::saXMidYMid, false, false,
                                                 {.Changed = [this](TPersistent&) { Changed(this); }}};
    std::vector<TSVGDiagnostic> FDiagnostics;
    QString FBaseFolder;
    QStringList FImageSourceChain;
    // Every live element created with this document as owner, linked
    // through the elements themselves, so that those that outlive it can be
    // told.
    TSVGElement* FFirstMember = nullptr;
    QString FFormatStr = QStringLiteral("0.###");
    // The saving under way, while one is.
    TSVGSaveContext* FSaveContext = nullptr;
};

} // namespace zor
