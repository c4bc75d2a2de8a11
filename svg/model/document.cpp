#include "svg/model/document.h"

#include <QLocale>
#include <algorithm>

#include "svg/model/conditional_processing.h"
#include "platform/update_scope.h"

namespace zor {

namespace {

using enum TCollectionNotification;

const QString CopySuffix = QStringLiteral("Copy");

} // namespace

TSVGDocument::TSVGDocument(TSVGDocument* aOwner)
    : Inherited(aOwner)
    , FPrefLanguages([this](TStringList&) { Changed(this); }, QLocale::system().uiLanguages())
{
    // A document of its own starts at 100 by 100 until it is given a size;
    // a nested one, an svg element, fills the viewport around it.
    if (aOwner == nullptr)
        SetBoundsRect(QRectF(0, 0, DefaultSize, DefaultSize));
    else
        FillViewportAround();
}

TSVGDocument::~TSVGDocument()
{
    BeginDestruction();
    // The children leave while the id table they are indexed in still exists.
    FreeChildren();
    for (TSVGElement* member = std::exchange(FFirstMember, nullptr); member != nullptr;) {
        member->FOwner = nullptr;
        member->FPreviousMember = nullptr;
        member->FProvisionalNumber = -1;
        member = std::exchange(member->FNextMember, nullptr);
    }
}

TSVGElementType TSVGDocument::SVGType() const
{
    return TSVGElementType::etDoc;
}

TSVGElementTypes TSVGDocument::ChildSVGTypes() const
{
    return ContainerChildTypes();
}

TSVGOptions TSVGDocument::Options() const
{
    return Owner() != nullptr ? Inherited::Options() : FOptions;
}

void TSVGDocument::SetOptions(TSVGOptions Value)
{
    if (Value == Options())
        return;
    FOptions = Value;
    Reset();
    Changed(this);
}

void TSVGDocument::SetDPI(int Value)
{
    if (Value == FDPI)
        return;
    FDPI = std::max(Value, MinimumDPI);
    FUnitFactors = UnitFactorsForResolution(float(FDPI));
    // Lengths in absolute units measure differently now: outlines and
    // bounds are built again.
    Reset();
}

TSVGUnitFactors TSVGDocument::GetUnitFactors() const
{
    return FUnitFactors;
}

QString TSVGDocument::PreferredLanguage() const
{
    return FPrefLanguages.ToStringList().join(u',');
}

void TSVGDocument::SetPreferredLanguage(const QString& Value)
{
    const QStringList languages = SplitLanguageList(Value);
    if (languages != FPrefLanguages.ToStringList())
        FPrefLanguages.Assign(languages);
}

bool TSVGDocument::SupportsFeature(const QString& Feature) const
{
    return IsSupportedFeature(Feature);
}

bool TSVGDocument::SupportsLanguage(const QString& Language) const
{
    const QStringList pieces = SplitLanguageList(Language);
    const QStringList candidates = Options().Contains(TSVGOption::soUseLocaleForLanguage)
                                       ? QLocale::system().uiLanguages()
                                       : FPrefLanguages.ToStringList();
    for (const QString& candidate : candidates)
        for (const QString& piece : pieces)
            if (LanguageInRange(candidate, piece))
                return true;
    return false;
}

bool TSVGDocument::IsQuiet() const
{
    return UpdateCount() > 0 || ElementState().Contains(TSVGElementStateFlag::esDestroying) || DestructorRunning();
}

void TSVGDocument::Changed(TSVGElement* Sender)
{
    if (!IsQuiet())
        Fire(OnChange, Sender);
    Inherited::Changed(Sender);
}

void TSVGDocument::Clear()
{
    TUpdateScope update(*this);
    Inherited::Clear();
    FAllItems->Clear();
    FDiagnostics.clear();
    FStyles.Clear();
}

bool TSVGDocument::IsProvisionalID(const QString& ID)
{
    return ID.startsWith(TSVGElementTable::ProvisionalPrefix);
}

void TSVGDocument::AddDiagnostic(TSVGDiagnostic Diagnostic)
{
    TSVGDocument* owner = Owner();
    if (owner != nullptr && owner != this)
        owner->AddDiagnostic(std::move(Diagnostic));
    else
        FDiagnostics.push_back(std::move(Diagnostic));
}

TSVGStyle& TSVGDocument::AddStyleRule(const QString& aName, QStringView aStyles)
{
    return FStyles.AddStyleRule(aName, aStyles);
}

void TSVGDocument::ParseStyleSheet(QStringView Text)
{
    const QString styleElement = SVGElementName(TSVGElementType::etStyle);
    for (TCSSProblem& problem : FStyles.Parse(Text))
        AddDiagnostic({styleElement, QString(), std::move(problem.Text), std::move(problem.Reason)});
}

std::vector<const TSVGStyleSheet*> TSVGDocument::RuleSheets() const
{
    std::vector<const TSVGStyleSheet*> sheets = Inherited::RuleSheets();
    sheets.push_back(&FStyles);
    return sheets;
}

void TSVGDocument::AssignProperties(const TSVGElement* Source)
{
    if (const auto* document = dynamic_cast<const TSVGDocument*>(Source); document != nullptr && document != this) {
        SetDPI(document->FDPI);
        FUnitFactors = document->FUnitFactors;
        SetOptions(document->Options());
        SetPreferredLanguage(document->PreferredLanguage());
        FDefaultAspectRatio.Assign(&document->FDefaultAspectRatio);
        FStyles.Clear();
        for (const std::unique_ptr<TSVGStyle>& rule : document->FStyles) {
            auto copy = std::make_unique<TSVGStyle>();
            copy->Assign(rule.get());
            copy->SetEnabled(rule->Enabled());
            FStyles.Add(std::move(copy));
        }
    }
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGDocument::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGDocument>(aOwner);
}

TSVGDocument* TSVGDocument::ChildOwner()
{
    // A file is one document for ids and style sheets: the elements of a
    // nested svg element belong to the document of the whole file.
    return Owner() != nullptr ? Owner()->ChildOwner() : this;
}

void TSVGDocument::ItemsNotify(TSVGElement* Sender, TSVGElement* Item, TCollectionNotification Action)
{
    ElementListChanged(Sender, Item, Action);
    // A nested document's own list is also reported to the document it belongs to.
    Inherited::ItemsNotify(Sender, Item, Action);
}

void TSVGDocument::ElementListChanged(TSVGElement* Parent, TSVGElement* Item, TCollectionNotification Action)
{
    // A branch that is being freed is reported once, by its root's parent:
    // the elements inside it are already partly destroyed.
    if (Parent->ElementState().Contains(TSVGElementStateFlag::esDestroying))
        return;
    if (!IsQuiet()) {
        if (Action == cnRemoved)
            Fire(OnRemoveElement, Parent, Item);
        else if (Action == cnAdded)
            Fire(OnAddElement, Parent, Item);
    }
    Changed(Parent);
}

// --- Ids ---------------------------------------------------------------------

void TSVGDocument::ElementCreated(TSVGElement* Element)
{
    Element->FNextMember = FFirstMember;
    if (FFirstMember != nullptr)
        FFirstMember->FPreviousMember = Element;
    FFirstMember = Element;
    Element->FProvisionalNumber = FAllItems->AddProvisional(Element);
}

void TSVGDocument::ElementDestroyed(TSVGElement* Element)
{
    ReleaseID(Element);
    if (Element->FPreviousMember != nullptr)
        Element->FPreviousMember->FNextMember = Element->FNextMember;
    else if (FFirstMember == Element)
        FFirstMember = Element->FNextMember;
    if (Element->FNextMember != nullptr)
        Element->FNextMember->FPreviousMember = Element->FPreviousMember;
    Element->FPreviousMember = Element->FNextMember = nullptr;
}

QString TSVGDocument::ChangeID(TSVGElement* Element, const QString& NewID)
{
    // An empty id is not indexed, so it never becomes a "Copy" variant.
    const QString used = NewID.isEmpty() ? NewID : RegisterID(Element, NewID);
    ReleaseID(Element);
    return used;
}

QString TSVGDocument::RegisterID(TSVGElement* Element, const QString& NewID)
{
    if (Options().Contains(TSVGOption::soEnforceUniqueID)) {
        FAllItems->AddNamed(NewID, Element, true);
        return NewID;
    }
    TSVGElement* holder = nullptr;
    const bool taken = FAllItems->TryGetValue(NewID, holder) && holder != Element;
    const QString used = taken ? FAllItems->GetUniqueName(NewID, CopySuffix) : NewID;
    FAllItems->AddNamed(used, Element, false);
    return used;
}

void TSVGDocument::ReleaseID(const TSVGElement* Element)
{
    if (Element->FProvisionalNumber >= 0) {
        FAllItems->RemoveProvisional(Element->FProvisionalNumber, Element);
        return;
    }
    TSVGElement* holder = nullptr;
    if (FAllItems->TryGetValue(Element->FID, holder) && holder == Element)
        FAllItems->RemoveNamed(Element->FID);
}

} // namespace zor
