#pragma once
// The base class of every node of the document model: identity, place in the
// tree, conditional processing, change notification, listeners and copying.

#include <QRectF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/persistent.h"
#include "platform/string_list.h"
#include "svg/model/element_list.h"
#include "svg/model/element_types.h"
#include "svg/values/lengths.h"
#include "svg/values/style_properties.h"

namespace zor {

class TSVGDocument;

class TSVGElement : public TPersistent {
public:
    // An element created with an owner document is registered in the
    // document's AllItems under a provisional "ID#<n>" id.
    explicit TSVGElement(TSVGDocument* aOwner);
    // Frees the children, leaves the parent, tells the listeners (with
    // esDestroying set) and gives up the id.
    ~TSVGElement() override;
    TSVGElement(const TSVGElement&) = delete;
    TSVGElement& operator=(const TSVGElement&) = delete;

    // --- Identity ---------------------------------------------------------
    const QString& ID() const { return FID; }
    // Registers the id in the owner's AllItems. A taken id gets a unique
    // "Copy" variant, or raises "Duplicates not allowed" with
    // soEnforceUniqueID; an empty id unregisters the element.
    void SetID(const QString& Value);
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& Value);
    const QString& Language() const { return FLanguage; }
    void SetLanguage(const QString& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t Value) { FTag = Value; }

    TStringList& Description() { return FDescription; }
    const TStringList& Description() const { return FDescription; }
    void SetDescription(const TStringList& Value) { FDescription.Assign(&Value); }
    TStringList& Classes() { return FClasses; }
    const TStringList& Classes() const { return FClasses; }
    void SetClasses(const TStringList& Value) { FClasses.Assign(&Value); }
    TStringList& SystemLanguages() { return FSystemLanguages; }
    const TStringList& SystemLanguages() const { return FSystemLanguages; }
    void SetSystemLanguages(const TStringList& Value) { FSystemLanguages.Assign(&Value); }
    TStringList& RequiredFeatures() { return FRequiredFeatures; }
    const TStringList& RequiredFeatures() const { return FRequiredFeatures; }
    void SetRequiredFeatures(const TStringList& Value) { FRequiredFeatures.Assign(&Value); }
    TStringList& RequiredExtensions() { return FRequiredExtensions; }
    const TStringList& RequiredExtensions() const { return FRequiredExtensions; }
    void SetRequiredExtensions(const TStringList& Value) { FRequiredExtensions.Assign(&Value); }

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

    // The element kind; etNone for classes that are not an SVG tag.
    virtual TSVGElementType SVGType() const;
    // The tag name of the kind, or the class name for etNone.
    QString SVGTypeName() const;
    // The kinds this class accepts as children.
    virtual TSVGElementTypes ChildSVGTypes() const;

    // --- Tree ---------------------------------------------------------------
    TSVGElementList& Items() { return FItems; }
    const TSVGElementList& Items() const { return FItems; }
    void SetItems(const TZorAssignList<TSVGElement*>& Value) { FItems.Assign(Value); }
    TSVGElement* Parent() const { return FParent; }
    // Moves the element into Value's children (appended last). A null Value
    // takes it out of its parent, and the caller becomes responsible for it.
    void SetParent(TSVGElement* Value);

    // Appends Child; when it is refused, Child still holds the element, so
    // the caller keeps it.
    template <typename T>
    T* AppendChild(std::unique_ptr<T>&& Child)
    {
        T* child = Child.get();
        try {
            FItems.Add(child);
        } catch (...) {
            // Taken in, and then a change handler failed: the tree owns it now.
            if (HasChild(child))
                Child.release();
            throw;
        }
        Child.release();
        return child;
    }
    // Takes Child out of the children without freeing it; null when it is not a child.
    std::unique_ptr<TSVGElement> ExtractChild(TSVGElement* Child);

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

    // --- Copying --------------------------------------------------------------
    // From another element: Clear, AssignProperties and a copy of each of its children.
    void Assign(const TPersistent* Source) override;
    // Id, title, language and the five lists; not Enabled, Tag, parent or children.
    virtual void AssignProperties(const TSVGElement* Source);
    // A parentless copy of the same class, with copies of the children.
    virtual std::unique_ptr<TSVGElement> Clone(TSVGDocument* aOwner) const;
    // Empties the properties, frees the children and drops the listeners.
    virtual void Clear();

    // --- Bounds ---------------------------------------------------------------
    // The element's own bounds in its user space; empty here.
    virtual QRectF BoundsRect() const;
    virtual void SetBoundsRect(const QRectF& Value);
    // BoundsRect after aMatrix: the axis-aligned bounds of its transformed corners.
    virtual QRectF GetBoundsRect(const QTransform& aMatrix) const;

protected:
    // A new, empty element of this object's own class; every class overrides it.
    virtual std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const;
    // The document that children created for this element belong to.
    virtual TSVGDocument* ChildOwner();

    // Sender is the element whose child list changed. For its own list the
    // element checks and links added children, frees removed ones and unlinks
    // extracted ones.
    virtual void ItemsNotify(TSVGElement* Sender, TSVGElement* Item, TCollectionNotification Action);
    // Reports a change of the own child list: after an addition, before a
    // removed child is freed, after an extraction. The base passes it to the
    // owner document.
    virtual void ChildListChanged(TSVGElement* Item, TCollectionNotification Action);
    virtual void EnabledChanged();
    virtual void PropertyChanged(TPersistent* Sender);
    // A value that descendants may inherit changed: reported here and passed
    // down to every child.
    virtual void InheritedPropertyChanged(TPersistent* Source);

    // A length of this element: its changes are reported through
    // PropertyChanged, its unit factors and percentage range come from the
    // given callbacks.
    virtual std::unique_ptr<TSVGLength> CreateLength(TSVGUnitFactorsEvent OnUnitFactors,
                                                     TSVGLengthRangeEvent OnRange);
    virtual std::unique_ptr<TSVGLengths> CreateLengths();
    void SetAttributes(const TSVGStyleProperties& Value) { FAttributes = Value; }

    int UpdateCount() const { return FUpdateCount; }
    // Marks the element as being destroyed; destructors of subclasses that
    // must be seen as such call it first.
    void BeginDestruction() { FElementState.Include(TSVGElementStateFlag::esDestroying); }
    // Frees the children on the way out; a change handler that throws does
    // not stop it, since a destructor cannot pass the error on.
    void FreeChildren() noexcept;

private:
    friend class TSVGDocument;
    friend class TSVGElementList;

    void CheckChild(const TSVGElement* Item) const;
    void ChildAdded(TSVGElement* Item);
    void ChildRemoved(TSVGElement* Item);
    void ChildExtracted(TSVGElement* Item);
    static void Unlink(TSVGElement* Target, TSVGElement* Listener);
    void StopFollowing();
    void DropListeners();

    QString FID;
    TSVGDocument* FOwner;
    TSVGElementList FItems{*this};
    QString FTitle;
    TStringList FDescription;
    TSVGElement* FParent = nullptr;
    TStringList FClasses;
    int FUpdateCount = 0;
    QString FLanguage;
    TStringList FSystemLanguages;
    TStringList FRequiredFeatures;
    TStringList FRequiredExtensions;
    bool FEnabled = true;
    // Elements that follow this one, and the elements this one follows; the
    // two sides are always kept in step.
    std::vector<TSVGElement*> FListeners;
    std::vector<TSVGElement*> FFollowed;
    std::intptr_t FTag = 0;
    TSVGStyleProperties FAttributes;
    TSVGElementState FElementState;
};

} // namespace zor
