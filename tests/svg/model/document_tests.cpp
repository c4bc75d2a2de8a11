#include <QLocale>
#include <gtest/gtest.h>

#include "model_test_support.h"
#include "svg/model/metadata.h"
#include "platform/update_scope.h"

namespace zor::test {
namespace {

using enum TSVGOption;

using Document = DocumentTest;

TEST_F(Document, OneOnChangePerUpdateBracket)
{
    auto* first = Add(Doc);
    auto* second = Add(*first);
    TDocumentRecorder events(Doc);

    Doc.BeginUpdate();
    Doc.BeginUpdate();
    first->SetTitle(QStringLiteral("one"));
    second->SetLanguage(QStringLiteral("en"));
    Add(*second);
    Doc.EndUpdate();
    EXPECT_TRUE(events.ChangeSenders.empty());
    Doc.EndUpdate();
    EXPECT_EQ(events.ChangeSenders, std::vector<TSVGElement*>{nullptr});
    EXPECT_TRUE(events.Added.empty()); // element events are not raised inside an update

    // An unmatched EndUpdate is ignored and does not open a bracket.
    Doc.EndUpdate();
    events.ChangeSenders.clear();
    second->SetTitle(QStringLiteral("two"));
    EXPECT_EQ(events.ChangeSenders, std::vector<TSVGElement*>{second});
}

TEST_F(Document, ElementUpdateDoesNotHoldBackTheDocument)
{
    auto* group = Add(Doc);
    TDocumentRecorder events(Doc);
    group->BeginUpdate();
    group->SetTitle(QStringLiteral("t"));
    EXPECT_EQ(events.ChangeSenders, std::vector<TSVGElement*>{group});
    group->EndUpdate();
    EXPECT_EQ(events.ChangeSenders, (std::vector<TSVGElement*>{group, nullptr}));
}

TEST_F(Document, UpdateScopeClosesTheBracketWhenAnEditFails)
{
    TDocumentRecorder events(Doc);
    EXPECT_THROW(
        {
            TUpdateScope update(Doc);
            Add<TTestStop>(Doc);
        },
        ESVGException);
    EXPECT_EQ(events.ChangeSenders, std::vector<TSVGElement*>{nullptr});
    Doc.SetTitle(QStringLiteral("after"));
    EXPECT_EQ(events.ChangeSenders.size(), 2u);
}

TEST_F(Document, ElementEventsSeeAttachedAndStillLivingChildren)
{
    auto* group = Add(Doc);
    TSVGElement* parentSeen = nullptr;
    Doc.OnAddElement = [&](TSVGElement*, TSVGElement* Child) { parentSeen = Child->Parent(); };
    QString removedTitle;
    Doc.OnRemoveElement = [&](TSVGElement* Parent, TSVGElement* Child) {
        EXPECT_EQ(Parent, group);
        removedTitle = Child->Title();
    };
    auto* child = Add(*group);
    EXPECT_EQ(parentSeen, group);
    child->SetTitle(QStringLiteral("leaving"));
    group->RemoveChild(child);
    EXPECT_EQ(removedTitle, QStringLiteral("leaving"));
}

TEST_F(Document, RemovingABranchReportsItsRootOnly)
{
    auto* branch = Add(Doc);
    Add(*Add(*branch));
    TDocumentRecorder events(Doc);
    Doc.RemoveChild(branch);
    ASSERT_EQ(events.Removed.size(), 1u);
    EXPECT_EQ(events.Removed[0].first, &Doc);
    EXPECT_EQ(events.Removed[0].second, branch);
    EXPECT_EQ(events.ChangeSenders, std::vector<TSVGElement*>{&Doc});
}

TEST_F(Document, FailingEventHandlerLeavesTheTreeConsistent)
{
    auto* group = Add(Doc);
    Doc.OnAddElement = [](TSVGElement*, TSVGElement*) { throw EInvalidOperation(QStringLiteral("handler")); };
    auto child = std::make_unique<TTestGroup>(&Doc);
    TTestGroup* raw = child.get();
    EXPECT_THROW(group->AppendChild(std::move(child)), EInvalidOperation);
    EXPECT_EQ(raw->Parent(), group); // the tree owns it; freed with the document
    Doc.OnAddElement = nullptr;

    Doc.OnRemoveElement = [](TSVGElement*, TSVGElement*) { throw EInvalidOperation(QStringLiteral("handler")); };
    EXPECT_THROW(group->RemoveChild(group->Items()[0]), EInvalidOperation);
    EXPECT_TRUE(group->Items().IsEmpty()); // freed all the same
}

TEST_F(Document, ProvisionalAndDuplicateIds)
{
    auto* first = Add(Doc);
    auto* second = Add(Doc);
    EXPECT_EQ(first->ID(), QStringLiteral("ID#0"));
    EXPECT_EQ(second->ID(), QStringLiteral("ID#1"));
    EXPECT_EQ(Doc.AllItems().Items(QStringLiteral("ID#1")), second);

    first->SetID(QStringLiteral("needle"));
    second->SetID(QStringLiteral("needle"));
    EXPECT_EQ(second->ID(), QStringLiteral("needle Copy"));
    EXPECT_EQ(Doc.AllItems().Items(QStringLiteral("needle")), first);
    EXPECT_EQ(Doc.AllItems().Items(QStringLiteral("needle Copy")), second);
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("ID#1")));

    // An empty id is not indexed, and is no duplicate of another empty id.
    first->SetID({});
    second->SetID({});
    EXPECT_TRUE(second->ID().isEmpty());
    EXPECT_EQ(Doc.AllItems().Count(), 0);
}

TEST_F(Document, EnforcedUniqueIdsRaiseAndKeepTheOldId)
{
    Doc.SetOptions(Doc.Options().Include(soEnforceUniqueID));
    auto* first = Add(Doc);
    auto* second = Add(Doc);
    first->SetID(QStringLiteral("a"));
    try {
        second->SetID(QStringLiteral("a"));
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Duplicates not allowed"));
    }
    EXPECT_EQ(second->ID(), QStringLiteral("ID#1"));
    EXPECT_EQ(Doc.AllItems().Items(QStringLiteral("ID#1")), second);
}

TEST_F(Document, ProvisionalIdsSkipIdsStillInUse)
{
    Doc.SetOptions(Doc.Options().Include(soEnforceUniqueID));
    auto* first = Add(Doc);
    Add(Doc); // ID#1
    Doc.RemoveChild(first);
    // One id is left, but "ID#1" is taken: creating an element must not fail.
    auto* third = Add(Doc);
    EXPECT_EQ(third->ID(), QStringLiteral("ID#2"));
}

TEST_F(Document, ClearForgetsEveryIdButKeepsExtractedElementsUsable)
{
    auto* kept = Add(Doc);
    kept->SetID(QStringLiteral("kept"));
    Add(Doc)->SetID(QStringLiteral("freed"));
    std::unique_ptr<TSVGElement> extracted = Doc.ExtractChild(kept);
    TDocumentRecorder events(Doc);

    Doc.Clear();
    EXPECT_TRUE(Doc.Items().IsEmpty());
    EXPECT_EQ(Doc.AllItems().Count(), 0);
    EXPECT_EQ(events.ChangeSenders.back(), nullptr);

    extracted->SetID(QStringLiteral("back"));
    EXPECT_EQ(Doc.AllItems().Items(QStringLiteral("back")), extracted.get());
    Doc.AppendChild(std::move(extracted));
}

TEST_F(Document, CloneIntoTheSameDocumentGetsCopyIds)
{
    auto* original = Add(Doc);
    original->SetID(QStringLiteral("gauge"));
    original->SetTitle(QStringLiteral("Gauge"));
    original->SetEnabled(false);
    original->Classes().Add(QStringLiteral("dial"));
    auto* hand = Add(*original);
    hand->SetID(QStringLiteral("hand"));
    auto* note = Add<TSVGMetadata>(*original);
    note->SetXML(QStringLiteral("<metadata>x</metadata>"));

    std::unique_ptr<TSVGElement> clone = original->Clone(&Doc);
    EXPECT_TRUE(typeid(*clone.get()) == typeid(TTestGroup));
    EXPECT_EQ(clone->ID(), QStringLiteral("gauge Copy"));
    EXPECT_EQ(original->ID(), QStringLiteral("gauge"));
    EXPECT_EQ(clone->Title(), QStringLiteral("Gauge"));
    EXPECT_TRUE(clone->Enabled()); // not a copied property
    EXPECT_EQ(clone->Classes().ToStringList(), QStringList{QStringLiteral("dial")});
    EXPECT_EQ(clone->Parent(), nullptr);
    ASSERT_EQ(clone->Items().Count(), 2);
    EXPECT_EQ(clone->Items()[0]->ID(), QStringLiteral("hand Copy"));
    EXPECT_EQ(clone->Items()[0]->Parent(), clone.get());
    EXPECT_EQ(dynamic_cast<TSVGMetadata&>(*clone->Items()[1]).XML(), note->XML());
    EXPECT_EQ(Doc.AllItems().Items(QStringLiteral("hand Copy")), clone->Items()[0]);

    // Into another document the ids stay as they are.
    TSVGDocument other;
    EXPECT_EQ(original->Clone(&other)->ID(), QStringLiteral("gauge"));
}

TEST_F(Document, CloneOfADocumentOwnsItsCopiedTree)
{
    Doc.SetPreferredLanguage(QStringLiteral("fr"));
    Add(Doc)->SetID(QStringLiteral("child"));
    std::unique_ptr<TSVGElement> copy = Doc.Clone(nullptr);
    auto& document = dynamic_cast<TSVGDocument&>(*copy);
    ASSERT_EQ(document.Items().Count(), 1);
    EXPECT_EQ(document.Items()[0]->Owner(), &document);
    EXPECT_EQ(document.AllItems().Items(QStringLiteral("child")), document.Items()[0]);
    EXPECT_EQ(document.PreferredLanguage(), QStringLiteral("fr"));
}

TEST_F(Document, AssignReplacesContentAndCopiesChildren)
{
    auto* target = Add(Doc);
    Add(*target)->SetID(QStringLiteral("old"));
    TTestGroup source(nullptr);
    source.SetTitle(QStringLiteral("new"));
    source.AppendChild(std::make_unique<TTestGroup>(nullptr))->SetID(QStringLiteral("kid"));

    target->Assign(&source);
    EXPECT_EQ(target->Title(), QStringLiteral("new"));
    ASSERT_EQ(target->Items().Count(), 1);
    EXPECT_EQ(target->Items()[0]->Owner(), &Doc);
    EXPECT_TRUE(Doc.AllItems().ContainsKey(QStringLiteral("kid")));
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("old")));

    TStringList notAnElement;
    EXPECT_THROW(target->Assign(&notAnElement), EConvertError);
    target->Assign(target);
    EXPECT_EQ(target->Items().Count(), 1);
}

TEST_F(Document, AssignFromOwnDescendantTakesItsContent)
{
    auto* outer = Add(Doc);
    auto* inner = Add(*outer);
    inner->SetID(QStringLiteral("inner"));
    inner->SetTitle(QStringLiteral("kept"));
    Add(*inner)->SetID(QStringLiteral("leaf"));

    outer->Assign(inner);
    EXPECT_EQ(outer->ID(), QStringLiteral("inner"));
    EXPECT_EQ(outer->Title(), QStringLiteral("kept"));
    ASSERT_EQ(outer->Items().Count(), 1);
    EXPECT_EQ(outer->Items()[0]->ID(), QStringLiteral("leaf"));
    EXPECT_EQ(Doc.AllItems().Count(), 2);
}

TEST_F(Document, RefusedPropertyTextsAreRecordedAndKeepThePreviousValue)
{
    using enum TSVGStyleProperty;
    auto* named = Add(Doc);
    named->SetID(QStringLiteral("needle"));
    auto* unnamed = Add(Doc);
    auto* nested = Add<TSVGDocument>(Doc);
    auto* inner = Add(*nested);
    TSVGStyleValues values;
    const TSVGStyleContext context;

    EXPECT_TRUE(named->ReadStyleProperty(values, ipFill, u"red", context));
    EXPECT_TRUE(Doc.Diagnostics().empty());
    EXPECT_FALSE(named->ReadStyleProperty(values, ipFill, u"#ggg", context));
    EXPECT_EQ(values.Brush.Color(), 0xFFFF0000u);
    EXPECT_TRUE(values.Brush.URI().isEmpty());

    // Elements without an id of their own are named by their tag; a nested
    // document reports to the document it belongs to, a document to itself.
    EXPECT_FALSE(unnamed->ReadStyleProperty(values, ipStroke, u"rgb(1,x,2)", context));
    EXPECT_FALSE(inner->ReadStyleProperty(values, ipStopColor, u"#12g", context));
    EXPECT_FALSE(Doc.ReadStyleProperty(values, ipColor, u"#ggg", context));
    const std::vector<TSVGDiagnostic> expected = {
        {"needle", "fill", "#ggg", "'#ggg' is not a valid integer value"},
        {"g", "stroke", "rgb(1,x,2)", "'x' is not a valid integer value"},
        {"g", "stop-color", "#12g", "'#12g' is not a valid integer value"},
        {"svg", "color", "#ggg", "'#ggg' is not a valid integer value"},
    };
    EXPECT_EQ(Doc.Diagnostics(), expected);
    EXPECT_TRUE(nested->Diagnostics().empty());

    Doc.ClearDiagnostics();
    EXPECT_TRUE(Doc.Diagnostics().empty());
    named->ReportDiagnostic(QStringLiteral("x"), u"?", QStringLiteral("unreadable"));
    Doc.Clear();
    EXPECT_TRUE(Doc.Diagnostics().empty());

    // Without a document there is nowhere to record it; the value is kept all the same.
    TTestGroup loose(nullptr);
    EXPECT_FALSE(loose.ReadStyleProperty(values, ipFill, u"#ggg", context));
    EXPECT_EQ(values.Brush.Color(), 0xFFFF0000u);
}

TEST(DocumentOptions, DefaultsAndOwnership)
{
    TPlainElement loose(nullptr);
    EXPECT_EQ(loose.Options().ToBits(), 1467u);
    EXPECT_TRUE(loose.HasFeatures());
    EXPECT_TRUE(loose.HasLanguages());

    TSVGDocument outer;
    EXPECT_EQ(outer.Options().ToBits(), 1467u);
    int changes = 0;
    outer.OnChange = [&](TSVGElement*) { ++changes; };
    const TSVGOptions chosen = TSVGOptions{soEnforceUniqueID, soUseFillText};
    outer.SetOptions(chosen);
    outer.SetOptions(chosen);
    EXPECT_EQ(changes, 1);

    // A nested document reports the options of the document it belongs to.
    auto* nested = outer.AppendChild(std::make_unique<TSVGDocument>(&outer));
    EXPECT_EQ(nested->Options(), chosen);
    EXPECT_EQ(TSVGElement(nested).Options(), chosen);
}

TEST(DocumentUnits, ResolutionDrivesTheLengthsOfItsElements)
{
    class TLengthElement : public TPlainElement {
    public:
        using TPlainElement::TPlainElement;
        std::unique_ptr<TSVGLength> NewLength()
        {
            return CreateLength([this](const TPersistent&, TSVGUnitFactors& Factors) { Factors = GetUnitFactors(); },
                                nullptr);
        }
    };
    EXPECT_EQ(TPlainElement(nullptr).GetUnitFactors(), DefaultUnitFactors);

    TSVGDocument doc;
    doc.SetDPI(5);
    EXPECT_EQ(doc.DPI(), 10);
    doc.SetDPI(72);
    TLengthElement element(&doc);
    std::unique_ptr<TSVGLength> length = element.NewLength();
    length->SetAsUnit(TSVGUnit::suInches, 2);
    EXPECT_FLOAT_EQ(length->Pixels(), 144);

    std::vector<TSVGElement*> senders;
    doc.OnChange = [&](TSVGElement* Sender) { senders.push_back(Sender); };
    length->SetRaw(3);
    EXPECT_EQ(senders, std::vector<TSVGElement*>{&element});

    // A caller listening to the length or the element's lists adds a
    // listener; the element still hears of every change.
    int heard = 0;
    length->OnChange = [&](TSVGLength&) { ++heard; };
    length->OnUnitFactors = [](const TPersistent&, TSVGUnitFactors& Factors) { Factors = DefaultUnitFactors; };
    element.Description().OnChange = [&](TStringList&) { ++heard; };
    length->SetRaw(4);
    element.Description().Add(QStringLiteral("line"));
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(senders, (std::vector<TSVGElement*>{&element, &element, &element}));
    EXPECT_FLOAT_EQ(length->Pixels(), 4 * 72); // still the document's resolution

    TSVGDocument copy;
    copy.Assign(&doc);
    EXPECT_EQ(copy.DPI(), 72);
    EXPECT_EQ(copy.GetUnitFactors(), doc.GetUnitFactors());
}

TEST(DocumentLifetime, ElementsMayOutliveTheirDocument)
{
    std::unique_ptr<TSVGElement> survivor;
    {
        TSVGDocument doc;
        auto* group = doc.AppendChild(std::make_unique<TTestGroup>(&doc));
        group->SetID(QStringLiteral("kept"));
        survivor = doc.ExtractChild(group);
        survivor->AppendChild(std::make_unique<TTestGroup>(&doc));
    }
    EXPECT_EQ(survivor->Owner(), nullptr);
    EXPECT_EQ(survivor->Items()[0]->Owner(), nullptr);
    survivor->SetID(QStringLiteral("renamed"));
    survivor->SetTitle(QStringLiteral("still usable"));
    survivor.reset();
}

struct LanguageCase {
    const char* Language;
    QStringList SystemLanguages;
    bool Expected;
};

TEST(DocumentLanguages, ElementLanguagesAgainstPreferredLanguages)
{
    TSVGDocument doc;
    doc.SetOptions(doc.Options().Exclude(soUseLocaleForLanguage));
    doc.SetPreferredLanguage(QStringLiteral("en-GB"));
    const LanguageCase cases[] = {
        {"", {}, true},
        {"", {"fr"}, false},
        {"", {"fr", "en"}, true},
        {"de", {}, false},
        {"en", {}, true},
        {"de", {"EN-gb"}, true},
        {"", {"en-US"}, false},
    };
    TPlainElement element(&doc);
    for (const LanguageCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Language << " / " << c.SystemLanguages.join(',').toStdString());
        element.SetLanguage(QString::fromLatin1(c.Language));
        element.SystemLanguages().Assign(c.SystemLanguages);
        EXPECT_EQ(element.HasLanguages(), c.Expected);
        EXPECT_EQ(element.IsRenderable(), c.Expected);
    }
}

TEST(DocumentLanguages, SupportsLanguageMatchesWholeSubtags)
{
    TSVGDocument doc;
    doc.SetOptions(doc.Options().Exclude(soUseLocaleForLanguage));
    doc.SetPreferredLanguage(QStringLiteral("en-GB, nl"));
    EXPECT_EQ(doc.PreferredLanguage(), QStringLiteral("en-GB,nl"));
    const std::pair<const char*, bool> cases[] = {
        {"de, EN", true}, {"nl-BE", false}, {"NL", true}, {"e", false}, {"en-GB", true}, {"", false}, {" , ", false},
    };
    for (const auto& [language, expected] : cases)
        EXPECT_EQ(doc.SupportsLanguage(QString::fromLatin1(language)), expected) << language;

    // With the locale option the system's user-interface languages count instead.
    doc.SetOptions(doc.Options().Include(soUseLocaleForLanguage));
    const QString systemLanguage = QLocale::system().uiLanguages().value(0);
    ASSERT_FALSE(systemLanguage.isEmpty());
    EXPECT_TRUE(doc.SupportsLanguage(systemLanguage));
}

TEST(DocumentLanguages, HasLanguageForTheLangSelector)
{
    TPlainElement element(nullptr);
    element.SetLanguage(QStringLiteral("en-US, fr"));
    EXPECT_TRUE(element.HasLanguage(QStringLiteral("en")));
    EXPECT_TRUE(element.HasLanguage(QStringLiteral("FR")));
    EXPECT_FALSE(element.HasLanguage(QStringLiteral("en-GB")));
    element.SetLanguage({});
    EXPECT_FALSE(element.HasLanguage(QStringLiteral("en")));
}

TEST(DocumentFeatures, OnlyTheSupportedFeatureStrings)
{
    TSVGDocument doc;
    const QString ns = QStringLiteral("http://www.w3.org/TR/SVG11/feature#");
    const QStringList supported{"CoreAttribute",       "Structure",        "BasicStructure",
                                "ConditionalProcessing", "Style",          "Shape",
                                "BasicText",           "BasicPaintAttribute", "OpacityAttribute",
                                "BasicGraphicsAttribute", "Marker",        "Gradient",
                                "Clip"};
    const QStringList unsupported{
        "SVG",          "SVGDOM",        "SVG-static",        "SVGDOM-static",    "SVG-animation",
        "SVGDOM-animation", "SVG-dynamic", "SVGDOM-dynamic",  "ContainerAttribute", "Image",
        "ViewportAttribute", "Text",     "PaintAttribute",    "GraphicsAttribute", "ColorProfile",
        "Pattern",      "Mask",          "Filter",            "XlinkAttribute",   "Font",
        "BasicFont",    "Extensibility", "Hyperlinking",      "Scripting",        "View",
        "Cursor",       "Animation",     "GraphicalEventsAttribute", "DocumentEventsAttribute",
        "AnimationEventsAttribute"};
    ASSERT_EQ(supported.size() + unsupported.size(), 43);
    for (const QString& name : supported)
        EXPECT_TRUE(doc.SupportsFeature(ns + name)) << name.toStdString();
    for (const QString& name : unsupported)
        EXPECT_FALSE(doc.SupportsFeature(ns + name)) << name.toStdString();
    // The comparison is exact: no other namespace, letter case or blanks.
    for (const char* other : {"Shape", "http://www.w3.org/TR/SVG11/feature#shape",
                              "http://www.w3.org/TR/SVG11/feature#Shape ", "http://www.w3.org/TR/SVG/feature#Shape",
                              "http://www.w3.org/TR/SVG11/feature#"})
        EXPECT_FALSE(doc.SupportsFeature(QString::fromLatin1(other))) << other;

    TPlainElement element(&doc);
    element.RequiredFeatures().Assign(QStringList{ns + "Gradient", ns + "Marker"});
    EXPECT_TRUE(element.HasFeatures());
    element.RequiredFeatures().Add(ns + "Filter");
    EXPECT_FALSE(element.IsRenderable());
    element.RequiredFeatures().Clear();
    element.RequiredExtensions().Add(QStringLiteral("http://example.org/ext"));
    EXPECT_FALSE(element.HasExtensions());
}

} // namespace
} // namespace zor::test
