#include <gtest/gtest.h>

#include "model_test_support.h"
#include "svg/model/element_classes.h"
#include "svg/model/metadata.h"
#include "svg/model/model_messages.h"

namespace zor::test {
namespace {

using enum TSVGElementType;

// root { a { a1, a2 }, b } in a stand-alone document, and a parentless
// element that takes children of every kind.
class ElementTree : public DocumentTest {
protected:
    TTestGroup* root = Add(Doc);
    TTestGroup* a = Add(*root);
    TTestGroup* a1 = Add(*a);
    TTestGroup* a2 = Add(*a);
    TTestGroup* b = Add(*root);
    std::unique_ptr<TPlainElement> loose = std::make_unique<TPlainElement>(&Doc);
};

QString MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("(no exception)");
}

TEST_F(ElementTree, RefusedChildKindsLeaveTheChildWithTheCaller)
{
    struct Case {
        TSVGElement* Parent;
        std::function<std::unique_ptr<TSVGElement>()> MakeChild;
        const char* Message;
    };
    const Case cases[] = {
        {a, [&] { return std::make_unique<TTestStop>(&Doc); },
         "SVG element <g> does not allow children of <stop> element type"},
        {&Doc, [&] { return std::make_unique<TTestStop>(&Doc); },
         "SVG element <svg> does not allow children of <stop> element type"},
        {Add<TTestStop>(*loose), [&] { return std::make_unique<TTestGroup>(&Doc); },
         "SVG element <stop> does not allow children of <g> element type"},
        {a, [] { return nullptr; }, "SVG element <g> cannot take a nil child"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Message);
        std::unique_ptr<TSVGElement> child = c.MakeChild();
        const TSVGElement* made = child.get();
        const qsizetype count = c.Parent->Items().Count();
        try {
            c.Parent->AppendChild(std::move(child));
            FAIL() << "no exception";
        } catch (const ESVGException& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.Message));
        }
        EXPECT_EQ(c.Parent->Items().Count(), count);
        EXPECT_EQ(child.get(), made); // still the caller's, alive and parentless
        if (child) {
            EXPECT_EQ(child->Parent(), nullptr);
        }
    }
    EXPECT_NO_THROW(Add<TTestStop>(*loose)); // a plain element takes every kind
}

TEST_F(ElementTree, RefusedChildStaysWhereItWas)
{
    auto* stop = Add<TTestStop>(*loose);
    EXPECT_THROW(stop->SetParent(a), ESVGException);
    EXPECT_EQ(stop->Parent(), loose.get());
    EXPECT_EQ(loose->Items().Count(), 1);
    EXPECT_EQ(a->Items().Count(), 2);
}

TEST_F(ElementTree, AddingAnElementWithAParentMovesIt)
{
    TDocumentRecorder events(Doc);
    a1->SetParent(b);
    EXPECT_EQ(a1->Parent(), b);
    EXPECT_EQ(a->Items().Count(), 1);
    EXPECT_EQ(a->Items()[0], a2);
    EXPECT_EQ(b->Items().Count(), 1);
    EXPECT_TRUE(events.Removed.empty());
    ASSERT_EQ(events.Added.size(), 1u);
    EXPECT_EQ(events.Added[0].first, b);
    EXPECT_EQ(events.Added[0].second, a1);

    // Moving a whole branch keeps it together.
    a->SetParent(b);
    EXPECT_EQ(root->Items().Count(), 1);
    EXPECT_TRUE(b->HasDescendant(a2));
}

TEST_F(ElementTree, ExtractedChildKeepsItsBranchAndCanBeAddedElsewhere)
{
    auto* leaf = Add(*a1);
    a1->SetID(QStringLiteral("moved"));
    TDocumentRecorder events(Doc);

    std::unique_ptr<TSVGElement> extracted = a->ExtractChild(a1);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a2}));
    EXPECT_EQ(Doc.AllItems().Items(QStringLiteral("moved")), a1);
    EXPECT_EQ(b->InsertChild(0, std::move(extracted)), a1);
    EXPECT_EQ(extracted, nullptr);
    EXPECT_EQ(a1->Parent(), b);
    EXPECT_EQ(leaf->Parent(), a1);
    EXPECT_TRUE(events.Removed.empty());
    ASSERT_EQ(events.Added.size(), 1u);
    EXPECT_EQ(events.Added[0], std::make_pair(static_cast<TSVGElement*>(b), static_cast<TSVGElement*>(a1)));

    // Inserting puts the child before the one at the index; Count appends.
    auto* first = b->InsertChild(0, std::make_unique<TTestGroup>(&Doc));
    auto* last = b->InsertChild(2, std::make_unique<TTestGroup>(&Doc));
    EXPECT_EQ(b->Items().ToList(), QList<TSVGElement*>({first, a1, last}));
    auto outside = std::make_unique<TTestGroup>(&Doc);
    EXPECT_THROW(b->InsertChild(4, std::move(outside)), EListError);
    EXPECT_THROW(b->InsertChild(-1, std::move(outside)), EListError);
    EXPECT_NE(outside, nullptr);
    EXPECT_EQ(b->Items().Count(), 3);
}

TEST_F(ElementTree, OnlyTheOwnershipOperationsGiveOrTakeAParent)
{
    EXPECT_EQ(MessageOf([&] { a1->SetParent(nullptr); }),
              QStringLiteral("SVG element <g> leaves its parent through ExtractChild"));
    EXPECT_EQ(a1->Parent(), a);
    EXPECT_EQ(MessageOf([&] { loose->SetParent(b); }),
              QStringLiteral("SVG element <TPlainElement> has no parent to move from: give it one with AppendChild "
                             "or InsertChild"));
    EXPECT_TRUE(b->Items().IsEmpty());
    loose->SetParent(nullptr); // already parentless: nothing to do

    // A second owner of a child is refused before it can free the child twice.
    std::unique_ptr<TSVGElement> secondOwner(a1);
    EXPECT_EQ(MessageOf([&] { b->AppendChild(std::move(secondOwner)); }),
              QStringLiteral("SVG element <g> already has a parent"));
    EXPECT_EQ(secondOwner.release(), a1);
    EXPECT_EQ(a1->Parent(), a);
}

TEST_F(ElementTree, FailingReportsKeepEveryElementOwned)
{
    auto* leaf = Add(*a1);
    Doc.OnChange = [](TSVGElement*) { throw EInvalidOperation(QStringLiteral("handler")); };

    // An extraction whose report fails puts the child back: the caller could not receive it.
    EXPECT_THROW(a->ExtractChild(a1), EInvalidOperation);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2}));
    EXPECT_EQ(a1->Parent(), a);

    // A move stands once the element has left its old parent.
    EXPECT_THROW(a1->SetParent(b), EInvalidOperation);
    EXPECT_EQ(a1->Parent(), b);
    EXPECT_EQ(b->Items().ToList(), QList<TSVGElement*>({a1}));
    EXPECT_EQ(leaf->Parent(), a1);

    // A replacement stands, and the replaced child is freed all the same.
    a2->SetID(QStringLiteral("replaced"));
    EXPECT_THROW(a->ReplaceChild(0, std::make_unique<TTestGroup>(&Doc)), EInvalidOperation);
    EXPECT_EQ(a->Items().Count(), 1);
    EXPECT_EQ(a->Items()[0]->Parent(), a);
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("replaced")));

    // Adopting a list stops at the failing report; the caller keeps the rest.
    std::vector<std::unique_ptr<TSVGElement>> wanted;
    wanted.push_back(std::make_unique<TTestGroup>(&Doc));
    wanted.push_back(std::make_unique<TTestGroup>(&Doc));
    TSVGElement* const second = wanted[1].get();
    EXPECT_THROW(b->SetItems(std::move(wanted)), EInvalidOperation); // fails freeing a1
    EXPECT_TRUE(b->Items().IsEmpty());
    EXPECT_EQ(wanted.size(), 2u);
    EXPECT_THROW(b->SetItems(std::move(wanted)), EInvalidOperation); // fails adopting the first
    EXPECT_EQ(b->Items().Count(), 1);
    ASSERT_EQ(wanted.size(), 1u);
    EXPECT_EQ(wanted[0].get(), second);
    Doc.OnChange = nullptr;
}

TEST_F(ElementTree, DestructorsRaiseNoEvents)
{
    TRecordingListener listener(&Doc);
    a1->ChangeNotification(&listener);
    std::unique_ptr<TSVGElement> held = a->ExtractChild(a1);
    int events = 0;
    Doc.OnChange = [&](TSVGElement*) {
        ++events;
        throw EInvalidOperation(QStringLiteral("handler"));
    };
    Doc.OnRemoveElement = [&](TSVGElement*, TSVGElement*) { ++events; };

    // Freed by its holder: the listener is told, no handler runs.
    held.reset();
    ASSERT_EQ(listener.Calls.size(), 1u);
    EXPECT_TRUE(listener.Calls[0].SenderDestroying);
    EXPECT_EQ(events, 0);

    // Freed through the tree: the removal is reported, and the handler's error reaches the caller.
    a2->ChangeNotification(&listener);
    EXPECT_THROW(a->RemoveChild(a2), EInvalidOperation);
    EXPECT_EQ(events, 2);
    EXPECT_EQ(listener.Calls.size(), 2u);
    EXPECT_TRUE(a->Items().IsEmpty());
    Doc.OnChange = nullptr;
}

TEST_F(ElementTree, ElementCannotBecomeItsOwnAncestor)
{
    struct Case {
        const char* Name;
        TSVGElement* Item;
        TSVGElement* NewParent;
    };
    const Case cases[] = {{"itself", a, a}, {"its parent", root, a}, {"its grandparent", root, a1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TSVGElement* const oldParent = c.Item->Parent();
        const qsizetype oldCount = c.NewParent->Items().Count();
        EXPECT_EQ(MessageOf([&] { c.Item->SetParent(c.NewParent); }), QString::fromLatin1(messages::OwnParent));
        EXPECT_EQ(c.Item->Parent(), oldParent);
        EXPECT_EQ(c.NewParent->Items().Count(), oldCount);
    }
    EXPECT_THROW(a->SetParent(a), EInvalidOperation);

    // A tree held by its caller cannot be given to itself or to one of its descendants.
    TSVGElement* const held = loose.get();
    auto* grandchild = Add(*Add(*loose));
    for (TSVGElement* target : {held, static_cast<TSVGElement*>(grandchild)}) {
        const qsizetype count = target->Items().Count();
        EXPECT_EQ(MessageOf([&] { target->AppendChild(std::move(loose)); }), QString::fromLatin1(messages::OwnParent));
        EXPECT_EQ(loose.get(), held);
        EXPECT_EQ(target->Items().Count(), count);
    }
}

TEST_F(ElementTree, MovingAChildWithinTheListKeepsTheOthersInOrder)
{
    auto* a3 = Add(*a);
    TDocumentRecorder events(Doc);
    a->MoveChild(0, 2);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a2, a3, a1}));
    a->MoveChild(2, 0);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2, a3}));
    a->MoveChild(1, 1);
    EXPECT_EQ(events.ChangeSenders, (std::vector<TSVGElement*>{a, a}));
    EXPECT_THROW(a->MoveChild(0, 3), EListError);
    EXPECT_THROW(a->MoveChild(-1, 0), EListError);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2, a3}));
    EXPECT_EQ(a1->Parent(), a);
    EXPECT_TRUE(events.Added.empty() && events.Removed.empty());
}

TEST_F(ElementTree, ReplacingAChildFreesItAndMovesTheNewOne)
{
    auto* a3 = Add(*a);
    a2->SetID(QStringLiteral("replaced"));
    auto stop = std::make_unique<TTestStop>(&Doc);
    EXPECT_THROW(a->ReplaceChild(1, std::move(stop)), ESVGException);
    EXPECT_NE(stop, nullptr);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2, a3}));

    TDocumentRecorder events(Doc);
    EXPECT_EQ(a->ReplaceChild(1, a->ExtractChild(a3)), a3); // a child of the same list
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a3}));
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("replaced")));
    EXPECT_EQ(events.RemovedIDs, QStringList{QStringLiteral("replaced")}); // seen before it was freed
    ASSERT_EQ(events.Added.size(), 1u);
    EXPECT_EQ(events.Added[0].second, a3);

    a->ReplaceChild(0, root->ExtractChild(b)); // an element of another parent
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({b, a3}));
    EXPECT_EQ(root->Items().ToList(), QList<TSVGElement*>({a}));

    // Only an existing place can be replaced.
    auto extra = std::make_unique<TTestGroup>(&Doc);
    EXPECT_THROW(a->ReplaceChild(2, std::move(extra)), EListError);
    EXPECT_NE(extra, nullptr);
}

TEST_F(ElementTree, DeleteFreesTheChildExtractKeepsItRegistered)
{
    TDocumentRecorder events(Doc);
    a1->SetID(QStringLiteral("one"));
    a2->SetID(QStringLiteral("two"));

    EXPECT_TRUE(a->RemoveChild(a1));
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("one")));
    EXPECT_EQ(events.RemovedIDs, QStringList{QStringLiteral("one")}); // seen before it was freed

    std::unique_ptr<TSVGElement> extracted = a->ExtractChild(a2);
    ASSERT_EQ(extracted.get(), a2);
    EXPECT_EQ(extracted->Parent(), nullptr);
    EXPECT_EQ(Doc.AllItems().Items(QStringLiteral("two")), extracted.get());
    EXPECT_EQ(events.Removed.size(), 1u);
    EXPECT_EQ(a->ExtractChild(b), nullptr);
    EXPECT_FALSE(a->RemoveChild(b));
    EXPECT_EQ(b->Parent(), root);
}

TEST_F(ElementTree, ListObserversSeeLinkedAndLivingChildren)
{
    QStringList seen;
    const auto record = [&](const char* Action, TSVGElement* Parent, TSVGElement* Item) {
        seen << QStringLiteral("%1 %2 %3").arg(QLatin1String(Action), Item->ID()).arg(Item->Parent() == Parent);
    };
    Doc.OnAddElement = [&](TSVGElement* Parent, TSVGElement* Item) { record("added", Parent, Item); };
    Doc.OnRemoveElement = [&](TSVGElement* Parent, TSVGElement* Item) { record("removed", Parent, Item); };
    a1->SetID(QStringLiteral("x"));
    a->RemoveChild(a1);
    b->SetParent(a);
    EXPECT_THROW(Add<TTestStop>(*a), ESVGException);
    EXPECT_EQ(seen, QStringList({QStringLiteral("removed x 1"), QStringLiteral("added ID#4 1")}));
}

TEST_F(ElementTree, AssigningAListMovesSharedElementsAndFreesTheRest)
{
    b->SetID(QStringLiteral("b"));
    auto* b1 = Add(*b);
    b1->SetID(QStringLiteral("b1"));
    a1->SetID(QStringLiteral("a1"));

    std::vector<std::unique_ptr<TSVGElement>> wanted;
    wanted.push_back(a->ExtractChild(a2));
    wanted.push_back(b->ExtractChild(b1));
    a->SetItems(std::move(wanted));
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a2, b1}));
    EXPECT_EQ(b1->Parent(), a);
    EXPECT_TRUE(b->Items().IsEmpty());
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("a1")));
    EXPECT_TRUE(wanted.empty());

    // Taking over another element's children empties it; an empty list frees them all.
    std::vector<std::unique_ptr<TSVGElement>> taken;
    for (TSVGElement* child : a->Items().ToList())
        taken.push_back(a->ExtractChild(child));
    b->SetItems(std::move(taken));
    EXPECT_EQ(b->Items().ToList(), QList<TSVGElement*>({a2, b1}));
    EXPECT_TRUE(a->Items().IsEmpty());
    b->SetItems({});
    EXPECT_TRUE(b->Items().IsEmpty());
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("b1")));
}

TEST_F(ElementTree, AssigningAListWithARefusedElementChangesNothing)
{
    std::vector<std::unique_ptr<TSVGElement>> wanted;
    wanted.push_back(root->ExtractChild(b));
    wanted.push_back(std::make_unique<TTestStop>(&Doc));
    EXPECT_THROW(a->SetItems(std::move(wanted)), ESVGException);
    EXPECT_EQ(a->Items().ToList(), QList<TSVGElement*>({a1, a2}));
    ASSERT_EQ(wanted.size(), 2u); // the caller keeps them all
    EXPECT_EQ(wanted[0].get(), b);

    // A tree held by its caller cannot become a child of its own descendant.
    auto* inside = Add(*loose);
    wanted.clear();
    wanted.push_back(std::move(loose));
    EXPECT_THROW(inside->SetItems(std::move(wanted)), EInvalidOperation);
    EXPECT_EQ(inside->Items().Count(), 0);
    EXPECT_EQ(wanted[0]->Items()[0], inside);
}

TEST_F(ElementTree, TreeQueries)
{
    EXPECT_TRUE(a->HasChild(a1));
    EXPECT_FALSE(root->HasChild(a1));
    EXPECT_TRUE(root->HasDescendant(a2));
    EXPECT_FALSE(a->HasDescendant(a));
    EXPECT_TRUE(a1->HasAncestor(root));
    EXPECT_FALSE(root->HasAncestor(a1));
    EXPECT_TRUE(a1->HasSibling(a2));
    EXPECT_TRUE(a1->HasSibling(a1));
    EXPECT_FALSE(a1->HasSibling(b));
    EXPECT_FALSE(Doc.HasSibling(&Doc));

    // Document order root, a, a1, a2, b: preceding and following are opposites.
    const std::vector<TSVGElement*> order = {root, a, a1, a2, b};
    for (std::size_t i = 0; i < order.size(); ++i)
        for (std::size_t j = 0; j < order.size(); ++j) {
            SCOPED_TRACE(testing::Message() << i << " " << j);
            EXPECT_EQ(order[i]->HasPreceding(order[j]), j < i);
            EXPECT_EQ(order[i]->HasFollowing(order[j]), j > i);
        }
    TTestGroup other(&Doc);
    EXPECT_FALSE(a1->HasPreceding(&other));
    EXPECT_FALSE(a1->HasFollowing(&other));
}

TEST_F(ElementTree, EnabledIsInheritedFromTheParent)
{
    a->SetEnabled(false);
    EXPECT_FALSE(a1->IsEnabled());
    EXPECT_TRUE(a1->Enabled());
    EXPECT_TRUE(b->IsEnabled());
}

TEST_F(ElementTree, DestroyingAnAttachedElementTakesItOutOfItsParent)
{
    TRecordingListener listener(nullptr);
    a->ChangeNotification(&listener);
    a1->ChangeNotification(&listener);

    delete a; // an owner's own way of freeing a child
    EXPECT_EQ(root->Items().ToList(), QList<TSVGElement*>({b}));
    // Children go first, and every listener call sees its sender going away.
    ASSERT_EQ(listener.Calls.size(), 2u);
    EXPECT_EQ(listener.Calls[0].Sender, a1);
    EXPECT_EQ(listener.Calls[1].Sender, a);
    EXPECT_TRUE(listener.Calls[0].SenderDestroying && listener.Calls[1].SenderDestroying);
}

TEST_F(ElementTree, ListenersAreTakenOutWhenEitherSideGoesAway)
{
    auto first = std::make_unique<TRecordingListener>(&Doc);
    auto second = std::make_unique<TRecordingListener>(&Doc);
    a->ChangeNotification(first.get());
    a->ChangeNotification(first.get());
    a->ChangeNotification(second.get());

    // The first listener frees the second while both are being told.
    first->OnReference = [&](TSVGElement*) { second.reset(); };
    a->NotifyListeners();
    EXPECT_EQ(first->Calls.size(), 1u);
    EXPECT_EQ(second, nullptr);

    // A listener that unregisters after its target was renamed leaves nothing behind.
    first->OnReference = nullptr;
    a->SetID(QStringLiteral("renamed"));
    first.reset();
    a->NotifyListeners();

    // A listener outliving its target is told once, then forgotten.
    auto survivor = std::make_unique<TRecordingListener>(&Doc);
    a1->ChangeNotification(survivor.get());
    a->RemoveChild(a1);
    EXPECT_EQ(survivor->Calls.size(), 1u);
    survivor.reset();
}

TEST_F(ElementTree, ListenerRemovingItselfDuringNotificationIsSafe)
{
    TRecordingListener leaving(nullptr), staying(nullptr);
    leaving.OnReference = [&](TSVGElement* Sender) { Sender->RemoveChangeNotification(&leaving); };
    a->ChangeNotification(&leaving);
    a->ChangeNotification(&staying);
    a->NotifyListeners();
    a->NotifyListeners();
    EXPECT_EQ(leaving.Calls.size(), 1u);
    EXPECT_EQ(staying.Calls.size(), 2u);

    a->Clear(); // drops the remaining listener
    a->NotifyListeners();
    EXPECT_EQ(staying.Calls.size(), 2u);
}

TEST_F(ElementTree, ClearEmptiesPropertiesAndFreesChildren)
{
    a->SetTitle(QStringLiteral("t"));
    a->SetLanguage(QStringLiteral("en"));
    a->SetEnabled(false);
    for (TStringList* list : {&a->Description(), &a->Classes(), &a->SystemLanguages(), &a->RequiredFeatures(),
                              &a->RequiredExtensions()})
        list->Add(QStringLiteral("x"));
    a1->SetID(QStringLiteral("gone"));

    a->Clear();
    EXPECT_TRUE(a->Title().isEmpty());
    EXPECT_TRUE(a->Language().isEmpty());
    EXPECT_TRUE(a->Enabled());
    for (const TStringList* list : {&a->Description(), &a->Classes(), &a->SystemLanguages(),
                                    &a->RequiredFeatures(), &a->RequiredExtensions()})
        EXPECT_TRUE(list->IsEmpty());
    EXPECT_TRUE(a->Items().IsEmpty());
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("gone")));
}

TEST(ElementTypes, TagNamesAndKinds)
{
    // Every kind in ordinal order with its tag; the ordinals are stored in sets.
    const std::pair<TSVGElementType, const char*> kinds[] = {
        {etDoc, "svg"},           {etGroup, "g"},
        {etImage, "image"},       {etDefs, "defs"},
        {etUse, "use"},           {etCircle, "circle"},
        {etEllipse, "ellipse"},   {etRectangle, "rect"},
        {etLine, "line"},         {etPolyline, "polyline"},
        {etPolygon, "polygon"},   {etPath, "path"},
        {etText, "text"},         {etSwitch, "switch"},
        {etDesc, "desc"},         {etTitle, "title"},
        {etStyle, "style"},       {etTSpan, "tspan"},
        {etTextPath, "textPath"}, {etTRef, "tref"},
        {etClipPath, "clipPath"}, {etLinearGradient, "linearGradient"},
        {etRadialGradient, "radialGradient"}, {etGradientStop, "stop"},
        {etMarker, "marker"},     {etMetadata, "metadata"},
        {etScript, "script"},     {etComment, "comment"},
        {etSymbol, "symbol"},     {etPattern, "pattern"},
    };
    ASSERT_EQ(std::size(kinds) + 1, EnumCount(TSVGElementType{}));
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const auto [kind, tag] = kinds[i];
        EXPECT_EQ(static_cast<std::size_t>(kind), i + 1) << tag;
        EXPECT_EQ(SVGElementName(kind), QString::fromLatin1(tag));
        EXPECT_EQ(SVGElementTypeByName(QString::fromLatin1(tag)), kind) << tag;
    }
    EXPECT_TRUE(SVGElementName(etNone).isEmpty());
    EXPECT_EQ(SVGElementName(etTextPath), QStringLiteral("textPath"));
    EXPECT_EQ(SVGElementTypeByName(u"textpath"), etNone);
    EXPECT_EQ(SVGElementTypeByName(u""), etNone);

    TPlainElement plain(nullptr);
    EXPECT_EQ(plain.SVGTypeName(), QStringLiteral("TPlainElement"));
    EXPECT_EQ(TTestStop(nullptr).SVGTypeName(), QStringLiteral("stop"));
    EXPECT_EQ(TSVGDocument().SVGTypeName(), QStringLiteral("svg"));
    EXPECT_EQ(TSVGMetadata(nullptr).SVGTypeName(), QStringLiteral("metadata"));
    const TSVGScript script(nullptr);
    EXPECT_EQ(script.Clone(nullptr)->SVGTypeName(), QStringLiteral("script"));
}

TEST(ElementClasses, KindsMakeTheirRegisteredClass)
{
    TSVGDocument doc;
    const std::pair<TSVGElementType, const char*> builtIn[] = {
        {etDoc, "TSVGDocument"}, {etMetadata, "TSVGMetadata"}, {etScript, "TSVGScript"}};
    for (const auto& [kind, className] : builtIn) {
        const std::unique_ptr<TSVGElement> element = CreateSVGElement(kind, &doc);
        ASSERT_NE(element, nullptr) << className;
        EXPECT_EQ(element->ClassName(), QString::fromLatin1(className));
        EXPECT_EQ(element->SVGType(), kind);
        EXPECT_EQ(element->Owner(), &doc);
        EXPECT_EQ(doc.AllItems().Items(element->ID()), element.get());
    }
    // Kinds without a class are known by name but make nothing.
    for (TSVGElementType kind : {etNone, etDesc, etTitle, etStyle, etComment})
        EXPECT_EQ(CreateSVGElement(kind, &doc), nullptr) << static_cast<int>(kind);

    RegisterSVGElementClass(etComment, SVGElementClassOf<TTestStop>());
    EXPECT_EQ(CreateSVGElement(etComment, nullptr)->SVGTypeName(), QStringLiteral("stop"));
    RegisterSVGElementClass(etComment, nullptr);
    EXPECT_FALSE(SVGElementClasses(etComment));
}

TEST(ElementBounds, TransformedBoundsAreTheBoxOfTheCorners)
{
    class TBoxElement : public TPlainElement {
    public:
        using TPlainElement::TPlainElement;
        QRectF BoundsRect() const override { return QRectF(0, 0, 10, 20); }
    };
    const TBoxElement box(nullptr);
    EXPECT_EQ(box.GetBoundsRect(QTransform()), QRectF(0, 0, 10, 20));
    EXPECT_EQ(box.GetBoundsRect(QTransform(1.000001, 0, 0, 1, 0, 0)), QRectF(0, 0, 10, 20));
    const QRectF turned = box.GetBoundsRect(QTransform().rotate(90));
    EXPECT_NEAR(turned.left(), -20, 1e-9);
    EXPECT_NEAR(turned.top(), 0, 1e-9);
    EXPECT_NEAR(turned.width(), 20, 1e-9);
    EXPECT_NEAR(turned.height(), 10, 1e-9);
    EXPECT_EQ(TPlainElement(nullptr).GetBoundsRect(QTransform().scale(2, 2)), QRectF());
}

} // namespace
} // namespace zor::test
