// Loading documents from XML text: the errors and their messages, ids, style
// elements, the attributes of the structural elements, the reading state on
// every exit path, one file as one document, and hostile input.

#include <QBuffer>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include "model_test_support.h"
#include "tests/support/qt_test_support.h"
#include "platform/xml_document.h"
#include "svg/model/element_classes.h"
#include "svg/model/metadata.h"
#include "svg/model/path_element.h"
#include "svg/model/use.h"

namespace zor::test {
namespace {

using enum TSVGOption;
using enum TSVGElementType;

QString SVG(const char* Body, const char* RootAttributes = "")
{
    return QStringLiteral(R"~(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" %1>%2</svg>)~")
        .arg(QString::fromUtf8(RootAttributes), QString::fromUtf8(Body));
}

// Error messages end the load; nothing stays in its reading state and the
// table of ids lists exactly the elements of the tree.
class Loading : public DocumentTest {
protected:
    // Stops can be made here, as the gradient unit would register them.
    void SetUp() override { RegisterSVGElementClass(etGradientStop, SVGElementClassOf<TTestStop>()); }
    void TearDown() override { RegisterSVGElementClass(etGradientStop, {}); }

    QString LoadError(const QString& Text)
    {
        try {
            Doc.LoadFromText(Text);
        } catch (const Exception& error) {
            return error.Message();
        }
        return QStringLiteral("(loaded)");
    }

    static void Collect(TSVGElement& Element, std::vector<TSVGElement*>& Elements)
    {
        for (TSVGElement* child : Element.Items()) {
            Elements.push_back(child);
            Collect(*child, Elements);
        }
    }

    void ExpectNothingReadingAndIdsMatchTheTree()
    {
        std::vector<TSVGElement*> elements;
        Collect(Doc, elements);
        EXPECT_FALSE(Doc.ElementState().Contains(TSVGElementStateFlag::esReading));
        for (TSVGElement* element : elements)
            EXPECT_FALSE(element->ElementState().Contains(TSVGElementStateFlag::esReading)) << element->ID().toStdString();
        EXPECT_EQ(Doc.AllItems().Count(), int(elements.size()));
    }
};

TEST_F(Loading, ErrorsStopTheLoadWithTheirMessages)
{
    const QString deep = QStringLiteral("<g>").repeated(1500) + QStringLiteral("</g>").repeated(1500);
    const struct {
        QString Text;
        TSVGOptions Options;
        QString Message;
    } cases[] = {
        {QString(), DefaultSVGOptions(), "Empty XML document"},
        {QStringLiteral("\xFEFF \n"), DefaultSVGOptions(), "Empty XML document"},
        {QStringLiteral("<html><svg/></html>"), DefaultSVGOptions(), "Not a valid SVG"},
        {SVG("<g><foo/></g>"), DefaultSVGOptions().Exclude(soSkipUnknownXML),
         "Unknown SVG element <ntElement> in document: foo"},
        {SVG("<path><circle/></path>"), DefaultSVGOptions().Exclude(soSkipUnknownXML),
         "Unknown SVG element <ntElement> in document: circle"},
        {SVG("<g><stop/></g>"), DefaultSVGOptions(), "SVG element <g> does not allow children of <stop> element type"},
        {SVG(R"~(<g id="a"/><g id="a"/>)~"), DefaultSVGOptions().Include(soEnforceUniqueID), "Duplicates not allowed"},
        {SVG(deep.toUtf8().constData()), DefaultSVGOptions(), "SVG elements cannot nest deeper than 1000 levels"},
        {QStringLiteral("<svg><g></svg>"), DefaultSVGOptions(), "Malformed XML at line 1, column 15: "
                                                                "Opening and ending tag mismatch: g line 1 and svg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.left(80).toStdString());
        Doc.SetOptions(c.Options);
        EXPECT_EQ(LoadError(c.Text), c.Message);
        ExpectNothingReadingAndIdsMatchTheTree();
    }
}

TEST_F(Loading, WhatNeverRaisesWhateverTheOptions)
{
    Doc.SetOptions(DefaultSVGOptions().Exclude(soSkipUnknownXML));
    {
        // The pattern's kind without its class for the load.
        struct TWithoutClass {
            TSVGElementClass Saved = SVGElementClasses(TSVGElementType::etPattern);
            TWithoutClass() { RegisterSVGElementClass(TSVGElementType::etPattern, {}); }
            ~TWithoutClass() { RegisterSVGElementClass(TSVGElementType::etPattern, Saved); }
        } withoutClass;
        Doc.LoadFromText(SVG(R"~(<namedview/><g><perspective/><filter id="f"/><desc>d</desc><title>t</title></g>
                            <defs><pattern/></defs><!-- comment --><?pi x?>)~"));
    }
    ASSERT_EQ(Doc.Items().Count(), 2);
    EXPECT_EQ(Doc.Items()[0]->Title(), "t");
    EXPECT_EQ(Doc.Items()[0]->Description().Text().trimmed(), "d");
    // A known kind without a class (here the pattern) makes no element.
    EXPECT_TRUE(Doc.Items()[1]->Items().IsEmpty());

    Doc.SetOptions(DefaultSVGOptions());
    Doc.LoadFromText(SVG("<g><foo><g/></foo></g><bar/>"));
    ASSERT_EQ(Doc.Items().Count(), 1);
    EXPECT_TRUE(Doc.Items()[0]->Items().IsEmpty());
}

TEST_F(Loading, ElementsOfOtherVocabulariesAreNoSVGElements)
{
    Doc.LoadFromText(SVG(R"~(<s:g id="g" xmlns="urn:other" xmlns:s="http://www.w3.org/2000/svg">
                                 <s:path id="svg-path"/><path id="other-path"/></s:g>)~"));
    EXPECT_TRUE(Doc.AllItems().ContainsKey(QStringLiteral("svg-path")));
    EXPECT_FALSE(Doc.AllItems().ContainsKey(QStringLiteral("other-path")));
    // Files without a namespace declaration are read as SVG.
    Doc.LoadFromText(QStringLiteral(R"~(<svg><path id="p"/></svg>)~"));
    EXPECT_TRUE(Doc.AllItems().ContainsKey(QStringLiteral("p")));
}

TEST_F(Loading, AnEmptySvgGivesNoChildrenAndOneChange)
{
    Add(Doc);
    TDocumentRecorder events(Doc);
    Doc.LoadFromText(SVG(""));
    EXPECT_TRUE(Doc.Items().IsEmpty());
    EXPECT_EQ(events.ChangeSenders, std::vector<TSVGElement*>{nullptr});
}

TEST_F(Loading, IsValidSVG)
{
    const struct {
        QString Text;
        bool Plain;
        bool Strict;
    } cases[] = {
        {SVG("<g/>"), true, true},
        {QStringLiteral("<html/>"), false, false},
        {QString(), false, false},
        {QStringLiteral("<svg><g></svg>"), false, false},
        // The root is an svg element, but the content does not load.
        {SVG(R"~(<g><stop/></g>)~"), true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        EXPECT_EQ(TSVGDocument::IsValidSVGText(c.Text, false), c.Plain);
        EXPECT_EQ(TSVGDocument::IsValidSVGText(c.Text, true), c.Strict);
        QByteArray bytes = c.Text.toUtf8();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(TSVGDocument::IsValidSVG(buffer, true), c.Strict);
    }
    EXPECT_FALSE(TSVGDocument::IsValidSVGFile(QStringLiteral("/nonexistent/file.svg")));
}

TEST_F(Loading, FromFileAndStream)
{
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write(SVG(R"~(<g id="x"/>)~").toUtf8());
    file.close();
    Doc.LoadFromFile(file.fileName());
    EXPECT_TRUE(Doc.AllItems().ContainsKey(QStringLiteral("x")));

    // Latin-1 text, declared as such.
    QByteArray latin = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><svg><g id=\"caf\xE9\"/></svg>";
    QBuffer buffer(&latin);
    buffer.open(QIODevice::ReadOnly);
    Doc.LoadFromStream(buffer);
    EXPECT_TRUE(Doc.AllItems().ContainsKey(QStringLiteral("caf\u00E9")));
    EXPECT_THROW(Doc.LoadFromFile(QStringLiteral("/nonexistent/file.svg")), EXMLDocError);

    // Text is already decoded: an encoding it declares does not apply again.
    Doc.LoadFromText(QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><svg><g id=\"caf\u00E9\"/></svg>"));
    EXPECT_TRUE(Doc.AllItems().ContainsKey(QStringLiteral("caf\u00E9")));
}

TEST_F(Loading, IdsTakeCopyVariantsAndElementsWithoutIdsGetProvisionalOnes)
{
    Doc.LoadFromText(SVG(R"~(<g id="a"/><g id="a"/><g/>)~"));
    ASSERT_EQ(Doc.Items().Count(), 3);
    EXPECT_EQ(Doc.Items()[0]->ID(), "a");
    EXPECT_EQ(Doc.Items()[1]->ID(), "a Copy");
    EXPECT_TRUE(TSVGDocument::IsProvisionalID(Doc.Items()[2]->ID()));
    for (TSVGElement* element : Doc.Items())
        EXPECT_EQ(Doc.AllItems().Items(element->ID()), element);
}

TEST_F(Loading, StyleElementsAddTheirRulesFromTextAndCData)
{
    Doc.LoadFromText(SVG(R"~(<style>/* a comment */ .a, .b {fill:red} #c {stroke:blue}</style>
        <style>.d {fill:green}<!-- between --><![CDATA[ .e > g {fill:red} ]]>.f{opacity:0.5}</style>
        <g class="a"/>)~"));
    QStringList names;
    for (const std::unique_ptr<TSVGStyle>& rule : Doc.Styles())
        names << rule->Name();
    names.sort();
    EXPECT_EQ(names, QStringList({"#c", ".a", ".b", ".d", ".e > g", ".f"}));
    // The rules applied once the tree was read.
    auto* group = Doc.Items()[0]->AsGraphicElement();
    EXPECT_EQ(group->Brush().Color(), Red);
}

TEST_F(Loading, CoreAttributes)
{
    Doc.LoadFromText(SVG(R"~(<g id="g1" class="one, two  three" lang="en" title="attr"
                               requiredFeatures="http://www.w3.org/TR/SVG11/feature#Shape x"
                               requiredExtensions="e1" systemLanguage="de, en-GB">
                              <title>Heading</title><desc>line one
line two</desc></g><g title="only"/>)~"));
    const TSVGElement& g = *Doc.Items()[0];
    EXPECT_EQ(g.ID(), "g1");
    EXPECT_EQ(g.Classes().ToStringList(), QStringList({"one", "two", "three"}));
    EXPECT_EQ(g.Language(), "en");
    EXPECT_EQ(g.Title(), "Heading");
    EXPECT_EQ(g.Description().ToStringList(), QStringList({"line one", "line two"}));
    EXPECT_EQ(g.RequiredFeatures().Count(), 2);
    EXPECT_EQ(g.RequiredExtensions().ToStringList(), QStringList{"e1"});
    EXPECT_EQ(g.SystemLanguages().ToStringList(), QStringList({"de", "en-GB"}));
    EXPECT_EQ(Doc.Items()[1]->Title(), "only");
}

TEST_F(Loading, GraphicAttributes)
{
    Doc.LoadFromText(SVG(R"~(<g id="g" fill="red" stroke="blue" style="fill: green; opacity: 0.5"
                               x="10" y="5mm" width="50%" height="2em" transform="translate(3 4) scale(2)"/>
                            <g id="bad" transform="spin(3)" width="wide" fill="#ggg"/>)~",
                         R"~(viewBox="0 0 100 100")~"));
    auto* g = Doc.AllItems().Items(QStringLiteral("g"))->AsGraphicElement();
    EXPECT_EQ(g->Brush().Color(), Green);
    EXPECT_EQ(g->Pen().Color(), 0xFF0000FFu);
    EXPECT_FLOAT_EQ(g->Opacity(), 0.5f);
    EXPECT_EQ(g->PresentationAttributes().Value(QStringLiteral("fill")), "red");
    EXPECT_FLOAT_EQ(g->X(), 10);
    EXPECT_NEAR(g->Y(), 5 * 96 / 25.4, 1e-3);
    EXPECT_TRUE(g->WidthU().IsPercent());
    EXPECT_FLOAT_EQ(g->Width(), 50); // of the document's view box
    EXPECT_EQ(g->Matrix(), QTransform(2, 0, 0, 2, 3, 4));

    // Unreadable values keep the previous ones and are recorded.
    auto* bad = Doc.AllItems().Items(QStringLiteral("bad"))->AsGraphicElement();
    EXPECT_TRUE(bad->Matrix().isIdentity());
    EXPECT_FLOAT_EQ(bad->Width(), 0);
    QStringList refused;
    for (const TSVGDiagnostic& diagnostic : Doc.Diagnostics())
        if (diagnostic.Element == u"bad")
            refused << diagnostic.Property;
    refused.sort();
    EXPECT_EQ(refused, QStringList({"fill", "transform", "width"}));
}

TEST_F(Loading, StructuralAttributes)
{
    Doc.LoadFromText(SVG(R"~(<defs><path id="p" d="M0,0 L3,4" pathLength="10"/>
                                  <symbol id="s" viewBox="0 0 10 20" preserveAspectRatio="xMinYMax slice"
                                          transform="scale(2)"/></defs>
                            <use id="u" xlink:href="#p" x="1" y="2" width="3" height="4"/>
                            <svg id="n" x="5" width="40" viewBox="0 0 4 4"/>)~",
                         R"~(width="200" height="100" viewBox="0 0 20 10" preserveAspectRatio="none")~"));
    EXPECT_FLOAT_EQ(Doc.Width(), 200);
    EXPECT_EQ(Doc.ViewBox().Rect(), QRectF(0, 0, 20, 10));
    EXPECT_EQ(Doc.AspectRatio().Align(), TSVGAlign::saNone);

    auto* path = dynamic_cast<TSVGPath*>(Doc.AllItems().Items(QStringLiteral("p")));
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->Data().Data().trimmed(), "M0,0 L3,4");
    EXPECT_DOUBLE_EQ(path->GetPathLength(), 10);

    auto* symbol = dynamic_cast<TSVGSymbol*>(Doc.AllItems().Items(QStringLiteral("s")));
    ASSERT_NE(symbol, nullptr);
    EXPECT_TRUE(symbol->ViewBox().Specified());
    EXPECT_EQ(symbol->ViewBox().Rect(), QRectF(0, 0, 10, 20));
    EXPECT_EQ(symbol->AspectRatio().Align(), TSVGAlign::saXMinYMax);
    EXPECT_TRUE(symbol->AspectRatio().Slice());
    // A symbol is placed by its use alone.
    EXPECT_TRUE(symbol->Matrix().isIdentity());

    auto* use = dynamic_cast<TSVGUse*>(Doc.AllItems().Items(QStringLiteral("u")));
    ASSERT_NE(use, nullptr);
    EXPECT_EQ(use->Reference(), "p");
    EXPECT_EQ(use->ReferencedElement(), path);
    EXPECT_EQ(QRectF(use->X(), use->Y(), use->Width(), use->Height()), QRectF(1, 2, 3, 4));

    auto* nested = dynamic_cast<TSVGDocument*>(Doc.AllItems().Items(QStringLiteral("n")));
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->ViewportRect(), QRectF(5, 0, 40, 10));
    EXPECT_EQ(nested->ViewBox().Rect(), QRectF(0, 0, 4, 4));
}

TEST_F(Loading, XLinkHrefWinsOverHrefAndHrefAloneIsRead)
{
    const struct {
        const char* Attributes;
        const char* Reference;
    } cases[] = {
        {R"~(xlink:href="#a")~", "a"},
        {R"~(href="#b")~", "b"},
        {R"~(href="#b" xlink:href="#a")~", "a"},
        {R"~(xlink:href="#a" href="#b")~", "a"},
        {R"~(href="url(#c)")~", "c"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Attributes);
        Doc.LoadFromText(SVG(QStringLiteral("<use %1/>").arg(QString::fromUtf8(c.Attributes)).toUtf8().constData()));
        auto* use = dynamic_cast<TSVGUse*>(Doc.Items()[0]);
        ASSERT_NE(use, nullptr);
        EXPECT_EQ(use->Reference(), c.Reference);
    }
}

TEST_F(Loading, MetadataKeepsItsMarkupAndMakesNoChildren)
{
    Doc.LoadFromText(SVG(R"~(<metadata id="m"><rdf xmlns="urn:x"><g/></rdf></metadata>)~"));
    auto* metadata = dynamic_cast<TSVGMetadata*>(Doc.Items()[0]);
    ASSERT_NE(metadata, nullptr);
    EXPECT_TRUE(metadata->Items().IsEmpty());
    EXPECT_TRUE(metadata->XML().contains(u"<rdf xmlns=\"urn:x\"><g/></rdf>"));
}

TEST_F(Loading, ParseEventsSeeEveryElementInItsReadingState)
{
    QStringList parsing;
    int parsed = 0;
    Doc.OnParsingNode = [&](TSVGElement* Sender, const TXMLNode& Node) {
        parsing << Node.LocalName() + (Sender == &Doc ? QStringLiteral("(doc)") : QString());
    };
    Doc.OnParsedNode = [&](TSVGElement* Sender, TSVGElement* Element) {
        EXPECT_EQ(Sender, &Doc);
        EXPECT_TRUE(Element->ElementState().Contains(TSVGElementStateFlag::esReading));
        ++parsed;
    };
    Doc.LoadFromText(SVG("<g><path/></g><svg><g/></svg>"));
    EXPECT_EQ(parsing, QStringList({"svg(doc)", "g", "path", "svg", "g"}));
    EXPECT_EQ(parsed, 5);
    ExpectNothingReadingAndIdsMatchTheTree();

    // A handler that fails stops the load; nothing is left reading.
    Doc.OnParsedNode = [](TSVGElement*, TSVGElement* Element) {
        if (Element->SVGType() == etPath)
            throw EInvalidOperation(QStringLiteral("stop"));
    };
    EXPECT_THROW(Doc.LoadFromText(SVG("<g><g><path/></g></g>")), EInvalidOperation);
    ExpectNothingReadingAndIdsMatchTheTree();
}

// A file is one document: ids and style rules inside a nested svg element
// serve the whole file, and those outside serve the nested one.
TEST_F(Loading, ANestedSvgSharesIdsAndStyleSheetsWithTheFile)
{
    Doc.LoadFromText(SVG(R"~(<style>.outer {fill: blue}</style>
        <svg id="n"><style>.inner {fill: red}</style>
          <path id="inside" class="outer" d="M0,0 H1 V1 Z"/>
          <use id="use-out" xlink:href="#outside"/>
        </svg>
        <path id="outside" class="inner" d="M0,0 H1 V1 Z"/>
        <use id="use-in" xlink:href="#inside"/>)~"));
    auto* inside = Doc.AllItems().Items(QStringLiteral("inside"))->AsGraphicElement();
    auto* outside = Doc.AllItems().Items(QStringLiteral("outside"))->AsGraphicElement();
    EXPECT_EQ(inside->Owner(), &Doc);
    EXPECT_EQ(inside->Brush().Color(), 0xFF0000FFu);
    EXPECT_EQ(outside->Brush().Color(), Red);
    EXPECT_EQ(dynamic_cast<TSVGUse*>(Doc.AllItems().Items(QStringLiteral("use-in")))->ReferencedElement(), inside);
    EXPECT_EQ(dynamic_cast<TSVGUse*>(Doc.AllItems().Items(QStringLiteral("use-out")))->ReferencedElement(), outside);
}

TEST_F(Loading, NestingUpToTheBoundLoads)
{
    const int levels = TSVGElement::MaxDepth - 1;
    const QString text = QStringLiteral("<g>").repeated(levels) + QStringLiteral("</g>").repeated(levels);
    Doc.LoadFromText(SVG(text.toUtf8().constData()));
    EXPECT_EQ(Doc.BranchHeight(), TSVGElement::MaxDepth);
}

// Hostile files end with an error or values that stay bounded.
TEST_F(Loading, HostileInputEndsWithAnErrorOrBoundedValues)
{
    // Entities that expand without bound are refused by the XML service.
    const QString laughs = QStringLiteral(R"~(<?xml version="1.0"?><!DOCTYPE svg [
        <!ENTITY a "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa">
        <!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">
        <!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">
        <!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;">
        <!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;">
        <!ENTITY f "&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;">
        ]><svg xmlns="http://www.w3.org/2000/svg"><title>&f;</title></svg>)~");
    EXPECT_THROW(Doc.LoadFromText(laughs), EXMLDocError);

    // An external entity is never read.
    Doc.LoadFromText(QStringLiteral(R"~(<?xml version="1.0"?><!DOCTYPE svg [
        <!ENTITY x SYSTEM "file:///etc/passwd">]><svg xmlns="http://www.w3.org/2000/svg"><g><title>[&x;]</title></g></svg>)~"));
    ASSERT_EQ(Doc.Items().Count(), 1);
    EXPECT_FALSE(Doc.Items()[0]->Title().contains(u"root"));

    // Huge and non-finite numbers are refused; huge sizes are kept as they are.
    Doc.LoadFromText(SVG(R"~(<g id="g" x="1e39" y="NaN" width="inf" transform="scale(1e30) scale(1e30)"/>
                            <path id="p" pathLength="1e400"/>)~",
                         R"~(width="1e9" height="1e9")~"));
    auto* g = Doc.AllItems().Items(QStringLiteral("g"))->AsGraphicElement();
    EXPECT_EQ(g->X(), 0);
    EXPECT_EQ(g->Y(), 0);
    EXPECT_TRUE(g->Matrix().isIdentity());
    EXPECT_DOUBLE_EQ(dynamic_cast<TSVGPath*>(Doc.AllItems().Items(QStringLiteral("p")))->PathLength(), -1);
    EXPECT_FLOAT_EQ(Doc.Width(), 1e9f);
    EXPECT_GE(Doc.Diagnostics().size(), 4u);

    // An attribute of megabytes loads in one piece.
    const QString longPath = QStringLiteral("M0,0") + QStringLiteral(" L1,1 L2,0").repeated(200'000);
    Doc.LoadFromText(SVG(QStringLiteral(R"~(<path d="%1"/>)~").arg(longPath).toUtf8().constData()));
    EXPECT_EQ(dynamic_cast<TSVGPath*>(Doc.Items()[0])->Data().Count(), 400'001);
}

} // namespace
} // namespace zor::test
