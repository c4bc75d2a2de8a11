#pragma once
// The base class of every node of the document model: identity, place in the
// tree, conditional processing, change notification, listeners and copying.

#include <QRectF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <vector>

#include "collections/collection_notification.h"
#include "platform/persistent.h"
#include "platform/string_list.h"
#include "svg/model/element_list.h"
#include "svg/model/element_types.h"
#include "svg/values/lengths.h"
#include "svg/values/style_properties.h"
#include "svg/values/style_values.h"

namespace zor {

class TSVGCustomViewBox;
class TSVGAttributeWriter;
class TSVGDocument;
class TSVGGraphicElement;
class TSVGPaintServerElement;
class TXMLNode;

// An element owns the lengths it makes and answers their questions itself
// (ISVGValueOwner), by the way it made them measure.
class TSVGElement : public TPersistent, protected ISVGValueOwner {
public:
    // The most levels a tree may have, from its root down to its deepest
    // element. The walks of a tree (drawing, bounds, hit tests, Reset,
    // copying, destruction) recurse once per level, so the bound keeps them
    // within the stack; adding or moving a branch that would go deeper is
    // refused, and a loader refuses deeper nesting before it builds it.
    static constexpr int MaxDepth = 1000;

    // An element created with an owner document is registered in the
    // document's AllItems under a provisional "ID#<n>" id.
    explicit TSVGElement(TSVGDocument* aOwner);
    // Frees the children, leaves the parent, tells the listeners (with
    // esDestroying set) and gives up the id.
    ~TSVGElement() override;
    TSVGElement(const TSVGElement&) = delete;
    TSVGElement& operator=(const TSVGElement&) = delete;

    // --- Identity ---------------------------------------------------------
    // The element's id; a provisional one ("ID#3") for an element given none.
    QString ID() const;
    // The id is one the document gave.
    bool HasProvisionalID() const { return FProvisionalNumber >= 0; }
    // ID() == Value, without spelling out a provisional id.
    bool HasID(QStringView Value) const;
    // Registers the id in the owner's AllItems. A taken id gets a unique
    // "Copy" variant, or raises "Duplicates not allowed" with
    // soEnforceUniqueID; an empty id unregisters the element.
    void SetID(const QString& Value);
    // Title, language, tag and the lists below are made when first written;
    // until then they read as empty (0 for the tag).
    const QString& Title() const;
    void SetTitle(const QString& Value);
    const QString& Language() const;
    void SetLanguage(const QString& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    std::intptr_t Tag() const;
    void SetTag(std::intptr_t Value);

    TStringList& Description() { return List(&TExtras::Description); }
    const TStringList& Description() const { return ListOrEmpty(&TExtras::Description); }
    void SetDescription(const TStringList& Value) { Description().Assign(&Value); }
    TStringList& Classes() { return List(&TExtras::Classes); }
    const TStringList& Classes() const { return ListOrEmpty(&TExtras::Classes); }
    void SetClasses(const TStringList& Value) { Classes().Assign(&Value); }
    TStringList& SystemLanguages() { return List(&TExtras::SystemLanguages); }
    const TStringList& SystemLanguages() const { return ListOrEmpty(&TExtras::SystemLanguages); }
    void SetSystemLanguages(const TStringList& Value) { SystemLanguages().Assign(&Value); }
    TStringList& RequiredFeatures() { return List(&TExtras::RequiredFeatures); }
    const TStringList& RequiredFeatures() const { return ListOrEmpty(&TExtras::RequiredFeatures); }
    void SetRequiredFeatures(const TStringList& Value) { RequiredFeatures().Assign(&Value); }
    TStringList& RequiredExtensions() { return List(&TExtras::RequiredExtensions); }
    const TStringList& RequiredExtensions() const { return ListOrEmpty(&TExtras::RequiredExtensions); }
    void SetRequiredExtensions(const TStringList& Value) { RequiredExtensions().Assign(&Value); }

    // The presentation properties given on this element as attributes.
    const TSVGStyleProperties& Attributes() const { return FAttributes; }
    TSVGElementState ElementState() const { return FElementState; }
    // The document the element was created with; null for a stand-alone
    // element, and once that document has been destroyed.
    TSVGDocument* Owner() const { return FOwner; }
    // The owner's options; without owner the default set.
    virtual TSVGOptions Options() const;
    // User units per unit: the owner's table; without owner the fixed
    // 96-dots-per-inch table.
    virtual TSVGUnitFactors GetUnitFactors() const;

    // This element as a graphic element, null for the others: the walks of
    // drawing and hit testing ask it of every element, where a dynamic_cast
    // would cost more than the test itself.
    virtual TSVGGraphicElement* AsGraphicElement() { return nullptr; }
    virtual const TSVGGraphicElement* AsGraphicElement() const { return nullptr; }
    // The same for viewports (the nearest view box is looked for at every
    // use of a gradient) and paint servers (looked up at every url() paint).
    virtual const TSVGCustomViewBox* AsViewBox() const { return nullptr; }
    virtual const TSVGPaintServerElement* AsPaintServer() const { return nullptr; }

    // The element kind; etNone for classes that are not an SVG tag.
    virtual TSVGElementType SVGType() const;
    // The tag name of the kind, or the class name for etNone.
    QString SVGTypeName() const;
    // The kinds this class accepts as children.
    virtual TSVGElementTypes ChildSVGTypes() const;

    // --- Tree ---------------------------------------------------------------
    // The children, read-only: the operations below are the only way in or out.
    const TSVGElementList& Items() const { return FItems; }
    TSVGElement* Parent() const { return FParent; }

    // Ownership of children. A new child is checked before anything changes:
    // its kind must be in ChildSVGTypes, it may not be this element or one of
    // its ancestors, and it may not have a parent. A refused child stays with
    // the caller. The list changes first and ItemsNotify reports it after; when
    // a report fails, the change stands (ExtractChild excepted) and the error
    // reaches the caller.

    // Appends Child and returns it.
    template <typename T>
    T* AppendChild(std::unique_ptr<T>&& Child)
    {
        return InsertChild(FItems.Count(), std::move(Child));
    }
    // Inserts Child before the child at Index; Index = Count appends.
    template <typename T>
    T* InsertChild(qsizetype Index, std::unique_ptr<T>&& Child)
    {
        T* const child = Child.get();
        CheckAdoption(child, Index, FItems.Count());
        Adopt(Index, std::move(Child));
        return child;
    }
    // Puts Child in the place of the child at Index, which is reported as
    // removed and freed.
    template <typename T>
    T* ReplaceChild(qsizetype Index, std::unique_ptr<T>&& Child)
    {
        T* const child = Child.get();
        CheckAdoption(child, Index, FItems.Count() - 1);
        Replace(Index, std::move(Child));
        return child;
    }
    // Takes Child out without freeing it; null when it is not a child. When
    // the report fails, Child goes back to its place, since the caller could
    // not receive it.
    std::unique_ptr<TSVGElement> ExtractChild(TSVGElement* Child);
    // Reports Child as removed and frees it; false when it is not a child.
    bool RemoveChild(TSVGElement* Child);
    // Moves the child at CurIndex to NewIndex; the others keep their order.
    void MoveChild(qsizetype CurIndex, qsizetype NewIndex);
    // Frees the children and adopts Value's elements in order. Every element
    // is checked first, so a refused one changes nothing; Value keeps the
    // elements that were not taken.
    void SetItems(std::vector<std::unique_ptr<TSVGElement>>&& Value);
    // Moves the element, with its branch, to the end of Value's children. Only
    // an element that has a parent moves this way: a parentless one is given
    // to a parent with AppendChild or InsertChild, and one is taken out of its
    // parent with ExtractChild.
    void SetParent(TSVGElement* Value);

    // Levels from the root of the tree down to this element; 1 for a root.
    int Depth() const;
    // Levels of this element's branch; 1 for an element without children.
    int BranchHeight() const;

    bool HasChild(const TSVGElement* aElement) const;
    bool HasDescendant(const TSVGElement* aElement) const;
    bool HasAncestor(const TSVGElement* aElement) const;
    // Both have the same parent; an element with a parent is its own sibling.
    bool HasSibling(const TSVGElement* aElement) const;
    // aElement comes before this element in document order (an ancestor comes
    // before its descendants); false for elements of different trees.
    bool HasPreceding(const TSVGElement* aElement) const;
    // aElement comes after this element in document order.
    bool HasFollowing(const TSVGElement* aElement) const;

    // --- Conditional processing ---------------------------------------------
    virtual bool HasExtensions() const;
    virtual bool HasFeatures() const;
    virtual bool HasLanguages() const;
    // One of the languages in Language belongs to aLanguage ("en-GB" to "en").
    virtual bool HasLanguage(const QString& aLanguage) const;
    virtual bool IsRenderable() const;
    virtual bool IsEnabled() const;

    // --- Change notification ------------------------------------------------
    void BeginUpdate() { ++FUpdateCount; }
    // The outermost EndUpdate reports Changed(null); an unmatched one is ignored.
    void EndUpdate();
    // Passes the change on to the owner document; the element's own update
    // count does not hold it back.
    virtual void Changed(TSVGElement* Sender);
    // Drops cached derived values, here and in every descendant.
    virtual void Reset();
    // Applies the document's style sheet, here and in every descendant.
    virtual void ApplyStyles();

    // --- Listeners ------------------------------------------------------------
    // aListener follows this element until it is removed or either is destroyed.
    virtual void ChangeNotification(TSVGElement* aListener);
    virtual void RemoveChangeNotification(TSVGElement* aListener);
    // Calls ReferenceChanged(this) on every listener; one that goes away
    // during the call is skipped.
    virtual void NotifyListeners();
    // Called on a listener when the element it follows changes state;
    // Sender's esDestroying tells that it is going away.
    virtual void ReferenceChanged(TSVGElement* Sender);
    // This element is among aElement's listeners. Compares pointers only, so
    // it may be asked about an element that has gone away since.
    bool Follows(const TSVGElement* aElement) const;

    // --- Copying --------------------------------------------------------------
    // From another element: Clear, AssignProperties and a copy of each of its children.
    void Assign(const TPersistent* Source) override;
    // Id, title, language and the five lists; not Enabled, Tag, parent or children.
    virtual void AssignProperties(const TSVGElement* Source);
    // A parentless copy of the same class, with copies of the children.
    virtual std::unique_ptr<TSVGElement> Clone(TSVGDocument* aOwner) const;
    // Empties the properties, frees the children and drops the listeners.
    virtual void Clear();

    // --- Reading from XML -----------------------------------------------------
    // Reads the element and its branch from Node: DoParsingNode, LoadAttributes
    // (element nodes only), LoadChildren and DoParsedNode, inside one update.
    // The element is in esReading from DoParsingNode on and leaves it on every
    // exit path; the first error stops the reading and reaches the caller.
    virtual void LoadFromXML(const TXMLNode& Node);

    // --- Writing to XML -------------------------------------------------------
    // Writes the element and its branch onto Node, its own node, which the
    // caller made: DoSavingElement decides whether it is written at all; then
    // SaveAttributes, SaveChildren and DoSavedElement, with the element in
    // esWriting, which it leaves on every exit path. False when the element
    // declined, leaving Node as it was.
    virtual bool SaveToXML(TXMLNode& Node);
    // The element and its branch as XML text.
    QString ToString();
    // soCompactExport: values equal to their defaults are not written.
    bool IsCompactExport() const;
    // The number format that written numbers and lengths use.
    QString SaveFormatStr() const;

    // --- Reading values -------------------------------------------------------
    // Reads a presentation property text into Values through the property
    // table. A refused text keeps the previous value and is reported; the
    // result is then false.
    bool ReadStyleProperty(TSVGStyleValues& Values, TSVGStyleProperty Member, QStringView Text,
                           const TSVGStyleContext& Context);
    // Records on the element's document (the document itself for a document)
    // that the element refused Text for Property, and why; an element without
    // a document has nowhere to record it.
    void ReportDiagnostic(const QString& Property, QStringView Text, const QString& Reason);

    // --- Bounds ---------------------------------------------------------------
    // The element's own bounds in its user space; empty here.
    virtual QRectF BoundsRect() const;
    virtual void SetBoundsRect(const QRectF& Value);
    // BoundsRect after aMatrix: the axis-aligned bounds of its transformed corners.
    virtual QRectF GetBoundsRect(const QTransform& aMatrix) const;

protected:
    // The axis-aligned bounds of Bounds mapped by aMatrix; Bounds itself for
    // a matrix within 0.00001 of the identity.
    static QRectF MapBounds(const QRectF& Bounds, const QTransform& aMatrix);
    // A new, empty element of this object's own class; every class overrides it.
    virtual std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const;
    // The document that children created for this element belong to.
    virtual TSVGDocument* ChildOwner();

    // Reports a change of Sender's child list: after an addition, before a
    // removed child is freed (still alive and linked), after an extraction.
    // An element hears of its own list here (a class that tracks its children
    // overrides it and calls the base); the base passes that on to the owner
    // document, which hears of every list of its tree.
    virtual void ItemsNotify(TSVGElement* Sender, TSVGElement* Item, TCollectionNotification Action);
    virtual void EnabledChanged();

    // --- Reading from XML -----------------------------------------------------
    // Reads the element's own attributes; every class calls its base first.
    // Here: id, lang, class, title and desc, and the conditional attributes.
    virtual void LoadAttributes(const TXMLNode& Node);
    // Makes an element of every child node that stands for one, in document
    // order, each read at once (depth first); the first title and desc
    // children give the title (when not empty) and the description.
    virtual void LoadChildren(const TXMLNode& Node);
    // The title and description from Node's children, for a class whose
    // LoadChildren reads no children.
    void ReadDescriptiveChildren(const TXMLNode& Node);
    // The element Node stands for, appended and returned; null when the node
    // makes none. Here the form of elements that hold no other elements:
    // "desc" and "title" set the description and title, unnamed nodes and
    // editor metadata ("namedview", "perspective") and "filter" are passed
    // over, and anything else is unknown: skipped with soSkipUnknownXML,
    // refused with "Unknown SVG element <%s> in document: %s" otherwise.
    virtual TSVGElement* CreateChild(const TXMLNode& Node);

    // --- Writing to XML -------------------------------------------------------
    // Writes the element's own attributes; every class calls its base first.
    // Here: id (a generated one only when referenced), lang, class, the
    // conditional attributes and the title and desc children.
    virtual void SaveAttributes(TSVGAttributeWriter& Writer) const;
    // A child node per child, named by the child's tag, written by the child;
    // the node of a child that declines is taken out again.
    virtual void SaveChildren(TXMLNode& Node);
    // Whether the element is written: a disabled one only with
    // soExportDisabled, then what the document's OnSavingElement says.
    virtual bool DoSavingElement(TXMLNode& Node);
    // The document's OnSavedElement.
    virtual void DoSavedElement(TXMLNode& Node);

    // Makes an element of the registered class of Node's kind when that kind
    // is in Kinds, appends and returns it (null for a kind without a class);
    // other nodes go to TSVGElement::CreateChild. For classes that accept
    // some kinds only (clip paths, gradients).
    TSVGElement* CreateChildOfKinds(const TXMLNode& Node, const TSVGElementTypes& Kinds);
    // The kind of an element node in the SVG namespace (or in none, as files
    // without a namespace declaration have it) by its local name; etNone for
    // other nodes, and for elements of other vocabularies, whatever their name.
    static TSVGElementType NodeKind(const TXMLNode& Node);
    // Appends a new element of Kind's registered class, created for this
    // element's documents; null for a kind without a class. A child that
    // the element refuses is freed and the error passed on.
    TSVGElement* AppendNewChild(TSVGElementType Kind);
    // The document hears that Sender starts reading Node; Sender enters
    // esReading. A nested document passes it on to the document it belongs to.
    virtual void DoParsingNode(TSVGElement* Sender, const TXMLNode& Node);
    // The document hears that Sender has been read; Sender leaves esReading.
    virtual void DoParsedNode(TSVGElement* Sender);
    virtual void PropertyChanged(TPersistent* Sender);
    // A value that descendants may inherit changed: reported here and passed
    // down to every child.
    virtual void InheritedPropertyChanged(TPersistent* Source);

    // How a length the element makes is measured.
    enum class TLengthMeasure {
        // The length's own unit factors, a percentage of 0..1.
        lmOwnUnits,
        // The element's unit factors (its document's resolution).
        lmElementUnits,
        // As the element's position and size: em and ex in its font size, a
        // percentage of the width or height of the nearest view box around it.
        lmHorizontal,
        lmVertical,
    };
    // A length of this element: its changes reach PropertyChanged and its
    // unit factors and percentage range come from the element as Measure
    // says, through a private line; its public slots stay free for callers.
    std::unique_ptr<TSVGLength> CreateLength(TLengthMeasure Measure);
    // The same with unit factors and range from the given callbacks.
    std::unique_ptr<TSVGLength> CreateLength(TSVGUnitFactorsEvent OnUnitFactors, TSVGLengthRangeEvent OnRange);
    void OwnedValueChanged(TPersistent& Value, int Slot) override;
    bool OwnedValueUnitFactors(const TPersistent& Value, int Slot, TSVGUnitFactors& Factors) const override;
    virtual std::unique_ptr<TSVGLengths> CreateLengths();
    void SetAttributes(const TSVGStyleProperties& Value) { FAttributes = Value; }

    int UpdateCount() const { return FUpdateCount; }
    // Marks the element as being destroyed; destructors of subclasses that
    // must be seen as such call it first.
    void BeginDestruction() { FElementState.Include(TSVGElementStateFlag::esDestroying); }
    // Frees the children, last first, each reported as removed unless this
    // element is being destroyed.
    void FreeChildren();
    // True while an element destructor runs on this thread. Change reports
    // that arise then (listeners told that the element goes away) reach no
    // event handler: a destructor cannot pass a handler's error on, and the
    // removal that freed the element has been reported already.
    static bool DestructorRunning();

private:
    // What most elements never have, made when first written: most of an
    // element's properties cost one pointer until then.
    struct TExtras {
        QString Title;
        QString Language;
        std::unique_ptr<TStringList> Description;
        std::unique_ptr<TStringList> Classes;
        std::unique_ptr<TStringList> SystemLanguages;
        std::unique_ptr<TStringList> RequiredFeatures;
        std::unique_ptr<TStringList> RequiredExtensions;
        std::intptr_t Tag = 0;
        // Elements that follow this one, and the elements this one follows;
        // the two sides are always kept in step.
        std::vector<TSVGElement*> Listeners;
        std::vector<TSVGElement*> Followed;
    };
    using TListField = std::unique_ptr<TStringList> TExtras::*;
    TExtras& Extras();
    TStringList& List(TListField Field);
    const TStringList& ListOrEmpty(TListField Field) const;
    // The listeners and the followed elements; empty without extras.
    const std::vector<TSVGElement*>& Listeners() const;
    const std::vector<TSVGElement*>& Followed() const;

    friend class TSVGDocument;
    friend class TSVGTemporaryParent;
    friend class TSVGReadingScope;
    friend class TSVGWritingScope;
    friend class TSVGBinaryForm;

    // Which of the title and desc children have been met in one reading.
    class TDescriptiveChildren {
    public:
        // Takes Child when it is a title or desc element; false otherwise.
        bool Read(TSVGElement& Element, const TXMLNode& Child);

    private:
        bool FTitleRead = false;
        bool FDescriptionRead = false;
    };

    void CheckChild(const TSVGElement* Item) const;
    // CheckChild, a parentless Child, and Index within 0 .. LastIndex.
    void CheckAdoption(const TSVGElement* Child, qsizetype Index, qsizetype LastIndex) const;
    void Adopt(qsizetype Index, std::unique_ptr<TSVGElement> Child);
    void Replace(qsizetype Index, std::unique_ptr<TSVGElement> Child);
    // The two list primitives; neither reports. Place links the child, Take
    // leaves it linked.
    void Place(qsizetype Index, std::unique_ptr<TSVGElement> Child);
    std::unique_ptr<TSVGElement> Take(qsizetype Index);
    // The one place where children are freed: Child, already out of the list,
    // is reported as removed, unlinked and freed, on every path.
    void Discard(std::unique_ptr<TSVGElement> Child);
    // Leaves the parent's list without being freed by it again: for an element
    // deleted while still a child.
    void LeaveParentQuietly();
    // How the element hears of changes of its own string lists.
    TEvent<TStringList&> ListHook();
    static void Unlink(TSVGElement* Target, TSVGElement* Listener);
    void StopFollowing();
    void DropListeners();

    // Empty while the element has a provisional id, which is a number.
    QString FID;
    int FProvisionalNumber = -1;
    TSVGDocument* FOwner;
    // The owner's list of the elements made for it.
    TSVGElement* FPreviousMember = nullptr;
    TSVGElement* FNextMember = nullptr;
    TSVGElementList FItems;
    TSVGElement* FParent = nullptr;
    std::unique_ptr<TExtras> FExtras;
    TSVGStyleProperties FAttributes;
    int FUpdateCount = 0;
    bool FEnabled = true;
    TSVGElementState FElementState;
};

// Makes Parent the parent of Element for the guard's lifetime, without
// moving Element in any child list: Element then inherits from, and is
// placed by, Parent (a use element drawing what it references). The caller
// makes sure that no cycle arises and that the depth bound holds. Element's
// branch resolves its derived values afresh on both changes.
class TSVGTemporaryParent {
public:
    TSVGTemporaryParent(TSVGElement& Element, TSVGElement& Parent);
    ~TSVGTemporaryParent();
    TSVGTemporaryParent(const TSVGTemporaryParent&) = delete;
    TSVGTemporaryParent& operator=(const TSVGTemporaryParent&) = delete;

private:
    TSVGElement& FElement;
    TSVGElement* FSavedParent;
};

} // namespace zor
