#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <random>

#include <libxml/parserInternals.h>

#include "platform/xml_document.h"
#include "tests/support/qt_test_support.h"

using namespace zor;

using zor::testing::MessageOf;

namespace {

constexpr const char* SvgNS = "http://www.w3.org/2000/svg";
constexpr const char* XLinkNS = "http://www.w3.org/1999/xlink";

TXMLDocument Loaded(const QByteArray& Text)
{
    TXMLDocument doc;
    doc.LoadFromBytes(Text);
    return doc;
}

QByteArray Repeated(const QByteArray& Part, int Count)
{
    QByteArray text;
    text.reserve(Part.size() * Count);
    for (int i = 0; i < Count; ++i)
        text += Part;
    return text;
}

// Ten entities, each ten times the one before: a billion "lol"s if expanded.
QByteArray EntityBomb()
{
    QByteArray text = "<!DOCTYPE lolz [<!ENTITY lol0 \"lol\">";
    for (int level = 1; level <= 9; ++level)
        text += "<!ENTITY lol" + QByteArray::number(level) + " \"" +
                Repeated("&lol" + QByteArray::number(level - 1) + ";", 10) + "\">";
    return text + "]><lolz>&lol9;</lolz>";
}

// One 100 kB entity referenced 200 000 times: 20 GB of text from 1.3 MB,
// made of shallow references that libxml2 does not count.
QByteArray QuadraticBlowup(const QByteArray& Where)
{
    const QByteArray declaration = "<!DOCTYPE a [<!ENTITY big \"" + QByteArray(100000, 'x') + "\">]>";
    const QByteArray references = Repeated("&big;", 200000);
    return declaration + (Where == "attribute" ? "<a v=\"" + references + "\"/>" : "<a>" + references + "</a>");
}

QByteArray Nested(const QByteArray& Open, const QByteArray& Close, int Depth)
{
    return Repeated(Open, Depth) + Repeated(Close, Depth);
}

std::vector<TNodeType> KindsOf(const std::vector<TXMLNode>& Nodes)
{
    std::vector<TNodeType> kinds;
    for (const TXMLNode& node : Nodes)
        kinds.push_back(node.NodeType());
    return kinds;
}

} // namespace

TEST(XMLDocument, WalksEveryKindOfChildInOrder)
{
    const TXMLDocument doc = Loaded(R"(<?xml version="1.0"?>
<!DOCTYPE svg [<!ENTITY who "World"><!ENTITY part "<g id='e'>in &who;</g>">]>
<!-- top -->
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink"
     width="10" xlink:href="#a" height="20">Hello &who;<![CDATA[ <raw> ]]><!--note--><?tool run?>&part;<svg:rect xmlns:svg="http://www.w3.org/2000/svg"/></svg>)");

    EXPECT_EQ(KindsOf(doc.DocumentNode().ChildNodes()),
              (std::vector{TNodeType::ntDocType, TNodeType::ntComment, TNodeType::ntElement}));
    const TXMLNode svg = doc.DocumentElement();
    EXPECT_EQ(svg.LocalName(), "svg");
    EXPECT_EQ(svg.NamespaceURI(), SvgNS);

    const std::vector<TXMLNode> children = svg.ChildNodes();
    EXPECT_EQ(KindsOf(children), (std::vector{TNodeType::ntText, TNodeType::ntEntityRef, TNodeType::ntCData,
                                              TNodeType::ntComment, TNodeType::ntProcessingInstr,
                                              TNodeType::ntEntityRef, TNodeType::ntElement}));
    struct Expected {
        QString localName;
        QString text;
    };
    const Expected expected[] = {
        {"", "Hello "}, {"who", "World"}, {"", " <raw> "}, {"", "note"}, {"tool", "run"}, {"part", "in World"},
        {"rect", ""}};
    for (std::size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(children[i].LocalName(), expected[i].localName) << i;
        EXPECT_EQ(children[i].Text(), expected[i].text) << i;
    }

    // An entity reference holds what its entity expands to.
    const TXMLNode group = children[5].FirstChild();
    EXPECT_EQ(group.LocalName(), "g");
    EXPECT_EQ(group.Attribute("id"), "e");
    EXPECT_EQ(KindsOf(group.ChildNodes()), (std::vector{TNodeType::ntText, TNodeType::ntEntityRef}));
    EXPECT_EQ(children[1].FirstChild().Text(), "World");

    const TXMLNode rect = children[6];
    EXPECT_EQ(rect.Prefix(), "svg");
    EXPECT_EQ(rect.NamespaceURI(), SvgNS);
    EXPECT_EQ(svg.FindChildElement("rect"), rect);
    EXPECT_TRUE(svg.FindChildElement("g").IsNull()); // inside the entity, not a child of svg

    EXPECT_EQ(svg.Text(), "Hello World <raw> in World");
    EXPECT_EQ(children[1].Xml(), "&who;");
    EXPECT_EQ(rect.Xml(), R"(<svg:rect xmlns:svg="http://www.w3.org/2000/svg"/>)");
}

TEST(XMLDocument, AttributesByNamespaceAndPrefixLookup)
{
    const TXMLDocument doc = Loaded(R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink"
        xmlns:x="urn:x" id="a" xlink:href="#b" x:id="c" style="a &amp; b &#x263A;"><use xlink:href="#d" loose:href="#e"/></svg>)");
    const TXMLNode svg = doc.DocumentElement();

    const std::vector<TXMLAttribute> attributes = svg.Attributes();
    ASSERT_EQ(attributes.size(), 4u);
    const TXMLAttribute expected[] = {
        {"id", "", "", "a"}, {"href", "xlink", XLinkNS, "#b"}, {"id", "x", "urn:x", "c"}, {"style", "", "", "a & b \u263A"}};
    for (std::size_t i = 0; i < attributes.size(); ++i) {
        EXPECT_EQ(attributes[i].LocalName, expected[i].LocalName) << i;
        EXPECT_EQ(attributes[i].Prefix, expected[i].Prefix) << i;
        EXPECT_EQ(attributes[i].NamespaceURI, expected[i].NamespaceURI) << i;
        EXPECT_EQ(attributes[i].Value, expected[i].Value) << i;
    }

    EXPECT_EQ(svg.Attribute("id"), "a");
    EXPECT_EQ(svg.Attribute("id", "urn:x"), "c");
    EXPECT_EQ(svg.Attribute("href", XLinkNS), "#b");
    EXPECT_FALSE(svg.HasAttribute("href"));
    EXPECT_FALSE(svg.HasAttribute("id", "urn:other"));
    EXPECT_TRUE(svg.Attribute("missing").isNull());

    const TXMLNode use = svg.FirstChild();
    EXPECT_EQ(use.LookupNamespaceURI("xlink"), XLinkNS);
    EXPECT_EQ(use.LookupNamespaceURI(""), SvgNS);
    EXPECT_EQ(use.LookupNamespaceURI("xml"), "http://www.w3.org/XML/1998/namespace");
    EXPECT_EQ(use.LookupNamespaceURI("loose"), "");
    // A prefix nobody declared stays part of the attribute's name.
    EXPECT_EQ(use.Attribute("loose:href"), "#e");
    EXPECT_EQ(use.Attribute("href", XLinkNS), "#d");
}

TEST(XMLDocument, TextOnlyElements)
{
    const struct {
        const char* xml;
        bool textOnly;
    } cases[] = {
        {"<a>text</a>", true},
        {"<a> </a>", true},
        {"<a>&amp;&#65;</a>", true}, // predefined and character references become text
        {"<a/>", false},
        {"<a><![CDATA[x]]></a>", false},
        {"<a>x<!--c--></a>", false},
        {"<a>x<b/></a>", false},
        {"<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Loaded(c.xml).DocumentElement().IsTextElement(), c.textOnly) << c.xml;
    EXPECT_FALSE(Loaded("<a>x</a>").DocumentElement().FirstChild().IsTextElement());
}

TEST(XMLDocument, NullNodesReadAsEmpty)
{
    const TXMLNode none;
    EXPECT_EQ(none.NodeType(), TNodeType::ntReserved);
    EXPECT_TRUE(none.LocalName().isEmpty());
    EXPECT_TRUE(none.Text().isEmpty());
    EXPECT_TRUE(none.Xml().isEmpty());
    EXPECT_TRUE(none.ChildNodes().empty());
    EXPECT_TRUE(none.Attributes().empty());
    EXPECT_FALSE(none.HasAttribute("a"));
    EXPECT_TRUE(none.NextSibling().IsNull());
    EXPECT_EQ(NodeTypeName(TNodeType::ntProcessingInstr), "ntProcessingInstr");
    EXPECT_EQ(NodeTypeName(TNodeType::ntNotation), "ntNotation");
}

TEST(XMLDocument, DetectsTheEncoding)
{
    const QString text = QStringLiteral("caf\u00E9 \u263A");
    const QByteArray body = "<a>" + text.toUtf8() + "</a>";
    // UTF-16 with its byte order mark, code unit by code unit.
    const auto utf16 = [](const QString& xml, bool bigEndian) {
        QByteArray bytes;
        for (const char16_t unit : (QString(QChar(0xFEFF)) + xml).toStdU16String()) {
            const char high = char(unit >> 8), low = char(unit & 0xFF);
            bytes += bigEndian ? QByteArray{&high, 1} + low : QByteArray{&low, 1} + high;
        }
        return bytes;
    };
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8 without declaration", body},
        {"UTF-8 with byte order mark", "\xEF\xBB\xBF" + body},
        {"UTF-8 declared", "<?xml version='1.0' encoding='UTF-8'?>" + body},
        {"UTF-16LE with byte order mark", utf16(QString::fromUtf8(body), false)},
        {"UTF-16BE with byte order mark and declaration",
         utf16("<?xml version='1.0' encoding='UTF-16'?>" + QString::fromUtf8(body), true)},
        {"ISO-8859-1 declared", "<?xml version='1.0' encoding='ISO-8859-1'?><a>caf\xE9 &#x263A;</a>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Loaded(c.bytes).DocumentElement().Text(), text) << c.name;
}

TEST(XMLDocument, EmptyInputGivesADocumentWithoutElement)
{
    for (const QByteArray& empty : {QByteArray(), QByteArray(" \r\n\t"), QByteArray("\xEF\xBB\xBF\n")}) {
        TXMLDocument doc = Loaded("<a/>");
        doc.LoadFromBytes(empty);
        EXPECT_TRUE(doc.DocumentElement().IsNull());
        EXPECT_TRUE(doc.DocumentNode().ChildNodes().empty());
    }
}

TEST(XMLDocument, RefusesBadInputClearlyAndKeepsWhatItHad)
{
    const QString expansion = QStringLiteral("XML entity references loop or expand beyond 10000000 characters");
    const struct {
        const char* name;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"entity bomb", EntityBomb(), expansion},
        {"quadratic blowup in text", QuadraticBlowup("text"), expansion},
        {"quadratic blowup in an attribute", QuadraticBlowup("attribute"), expansion},
        {"entity loop", "<!DOCTYPE a [<!ENTITY a '&b;'><!ENTITY b '&a;'>]><a>&a;</a>", expansion},
        {"truncated", "<svg><g>", "Malformed XML at line 1, column 9: Premature end of data in tag g line 1"},
        {"mismatched tags", "<svg>\n<g></svg>",
         "Malformed XML at line 2, column 10: Opening and ending tag mismatch: g line 2 and svg"},
        {"not UTF-8", "<a>\xFF\xFE</a>",
         "Malformed XML at line 1, column 4: Input is not proper UTF-8, indicate encoding ! Bytes: 0xFF 0xFE 0x3C 0x2F"},
        {"unknown encoding", "<?xml version='1.0' encoding='bogus'?><a/>",
         "Malformed XML at line 1, column 37: Unsupported encoding bogus"},
        {"undeclared entity", "<a>&nope;</a>", "Malformed XML at line 1, column 10: Entity 'nope' not defined"},
        {"declaration without element", "<?xml version='1.0'?>",
         "Malformed XML at line 1, column 22: Start tag expected, '<' not found"},
        {"text without element", "hello", "Malformed XML at line 1, column 1: Start tag expected, '<' not found"},
        {"second root", "<a/><b/>", "Malformed XML at line 1, column 5: Extra content at the end of the document"},
    };
    for (const auto& c : cases) {
        TXMLDocument doc = Loaded("<kept/>");
        EXPECT_EQ(MessageOf<EXMLDocError>([&] { doc.LoadFromBytes(c.bytes); }), c.message) << c.name;
        EXPECT_EQ(doc.DocumentElement().LocalName(), "kept") << c.name;
    }
}

// Reads everything the loader will read, through entities too.
int VisitAll(const TXMLNode& Node)
{
    int visited = 1;
    (void)Node.Text();
    (void)Node.Xml();
    for (const TXMLAttribute& attribute : Node.Attributes())
        (void)Node.Attribute(attribute.LocalName, attribute.NamespaceURI);
    for (const TXMLNode& child : Node.ChildNodes())
        visited += VisitAll(child);
    return visited;
}

TEST(XMLDocument, DamagedDocumentsAreReadOrRefusedNeverMishandled)
{
    const QByteArray sample = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE svg [<!ENTITY ns "http://www.w3.org/2000/svg"><!ENTITY c "<g id='x'>&#233;&amp;</g>"><!ATTLIST svg v CDATA "d">]>
<svg xmlns="&ns;" xmlns:l="urn:l" l:a="&#x263A;" b='&c;'><!--k--><?p q?><![CDATA[<&>]]>&c;<l:t>caf)"
                              "Ã©</l:t></svg>";
    std::mt19937 random(11);
    int loaded = 0;
    for (qsizetype cut = 0; cut <= sample.size(); ++cut) {
        for (int variant = 0; variant < 3; ++variant) {
            QByteArray bytes = sample.left(cut);
            if (variant > 0 && !bytes.isEmpty()) // and one random byte damaged
                bytes[std::uniform_int_distribution<qsizetype>(0, bytes.size() - 1)(random)] =
                    char(std::uniform_int_distribution<int>(0, 255)(random));
            TXMLDocument doc;
            try {
                doc.LoadFromBytes(bytes);
            } catch (const EXMLDocError&) {
                continue;
            }
            ++loaded;
            EXPECT_GE(VisitAll(doc.DocumentNode()), 1);
        }
    }
    EXPECT_GT(loaded, 0);
}

TEST(XMLDocument, EntityExpansionWithinTheBoundIsRead)
{
    // 9 999 999 characters through references, one per text node, stays within.
    const QByteArray text = "<!DOCTYPE a [<!ENTITY e \"" + QByteArray(999'999, 'x') + "\">]><a>" +
                            Repeated("&e;", 5) + "</a>";
    EXPECT_EQ(Loaded(text).DocumentElement().Text().size(), 5 * 999'999);
}

TEST(XMLDocument, NeverLoadsAnythingExternal)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString secret = dir.filePath("secret.txt");
    const QString dtd = dir.filePath("outside.dtd");
    for (const auto& [path, content] : {std::pair{secret, QByteArray("SECRET")},
                                        std::pair{dtd, QByteArray("<!ENTITY outside \"SECRET\">")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QByteArray secretUrl = QUrl::fromLocalFile(secret).toEncoded();
    const QByteArray dtdUrl = QUrl::fromLocalFile(dtd).toEncoded();

    const struct {
        const char* name;
        QByteArray bytes;
    } loaded[] = {
        {"external entity", "<!DOCTYPE a [<!ENTITY x SYSTEM '" + secretUrl + "'>]><a>&x;</a>"},
        {"password file", "<!DOCTYPE a [<!ENTITY x SYSTEM 'file:///etc/passwd'>]><a>&x;</a>"},
        {"external DTD", "<!DOCTYPE a SYSTEM '" + dtdUrl + "'><a>&outside;</a>"},
        {"public DTD on the network",
         "<!DOCTYPE svg PUBLIC '-//W3C//DTD SVG 1.1//EN' 'http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd'><svg>x</svg>"},
    };
    for (const auto& c : loaded) {
        const TXMLDocument doc = Loaded(c.bytes);
        const QString text = doc.DocumentElement().Text();
        EXPECT_FALSE(text.contains("SECRET") || text.contains("root:")) << c.name;
        EXPECT_FALSE(doc.DocumentElement().Xml().contains("SECRET")) << c.name;
    }
    // An external parameter entity is not read, so what it would declare is missing.
    const QByteArray parameterEntity = "<!DOCTYPE a [<!ENTITY % p SYSTEM '" + dtdUrl + "'> %p;]><a>&outside;</a>";
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Loaded(parameterEntity); }),
              "Malformed XML at line 1, column " + QString::number(parameterEntity.indexOf("</a>") + 1) +
                  ": Entity 'outside' not defined");

    // Whatever asks libxml2 for an external resource is refused.
    InitXMLService();
    EXPECT_EQ(xmlLoadExternalEntity(secretUrl.constData(), nullptr, nullptr), nullptr);
}

TEST(XMLDocument, DeepNestingNeitherOverflowsNorIsRefusedHere)
{
    constexpr int depth = 100'000;
    const TXMLDocument doc = Loaded(Repeated("<g>", depth - 1) + "<g>core</g>" + Repeated("</g>", depth - 1));
    int levels = 0;
    TXMLNode deepest;
    for (TXMLNode node = doc.DocumentElement(); node && node.NodeType() == TNodeType::ntElement;
         node = node.FirstChild()) {
        deepest = node;
        ++levels;
    }
    EXPECT_EQ(levels, depth);
    EXPECT_EQ(deepest.Text(), "core");
    EXPECT_EQ(doc.DocumentElement().Text(), "core");
    EXPECT_EQ(doc.DocumentElement().Xml().size(), 7 * (depth - 1) + 11);
    EXPECT_GT(doc.SaveToBytes().size(), 7 * depth);

    // Inside an entity too; a DTD content model is bounded by libxml2 itself.
    EXPECT_EQ(Loaded("<!DOCTYPE a [<!ENTITY e '" + Nested("<g>", "</g>", depth) + "'>]><a>&e;</a>")
                  .DocumentElement()
                  .Xml(),
              "<a>&e;</a>");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Loaded("<!DOCTYPE a [<!ELEMENT a " + Nested("(", ")", depth) + ">]><a/>"); }),
              "Malformed XML at line 1, column 155: xmlParseElementChildrenContentDecl : depth 129 too deep");
}

TEST(XMLDocument, NamespacesNamedThroughEntitiesResolve)
{
    const TXMLDocument doc = Loaded(R"(<?xml version="1.0"?>
<!DOCTYPE svg [<!ENTITY ns_svg "http://www.w3.org/2000/svg"><!ENTITY ns_xlink "http://www.w3.org/1999/xlink">]>
<svg xmlns="&ns_svg;" xmlns:xlink="&ns_xlink;"><use xlink:href="#a"/></svg>)");
    const TXMLNode svg = doc.DocumentElement();
    EXPECT_EQ(svg.NamespaceURI(), SvgNS);
    EXPECT_EQ(svg.LookupNamespaceURI("xlink"), XLinkNS);
    EXPECT_EQ(svg.FirstChild().Attribute("href", XLinkNS), "#a");
    EXPECT_TRUE(doc.SaveToBytes().contains(R"(<svg xmlns="http://www.w3.org/2000/svg")"));
}

TEST(XMLDocument, WritesIndentedDocumentsWithNamespaces)
{
    TXMLDocument doc;
    TXMLNode svg = doc.CreateDocumentElement("svg", SvgNS);
    svg.DeclareNamespace("xlink", XLinkNS);
    svg.DeclareNamespace("xlink", XLinkNS); // declaring the same binding again changes nothing
    svg.SetAttribute("version", "1.1");
    TXMLNode group = svg.AddChild("g", SvgNS);
    group.SetAttribute("id", "a\"<&>");
    TXMLNode use = group.AddChild("use", SvgNS);
    use.SetAttribute("xlink:href", "#a", XLinkNS);
    use.SetAttribute("xlink:href", "#b", XLinkNS); // replaces
    use.SetAttribute("role", "r", "urn:extra");   // no prefix given: one is made up
    TXMLNode title = svg.AddChild("title", SvgNS);
    title.SetText("x < y & z");
    title.SetText("\u00E9 < &amp;");
    svg.AddChild("plain");
    TXMLNode metadata = svg.AddChild("metadata", SvgNS);
    metadata.AppendMarkup("<rdf:RDF xmlns:rdf=\"urn:rdf\"><rdf:li>1</rdf:li></rdf:RDF>");
    metadata.AppendMarkup("<ref xlink:href='#c'/>"); // prefixes of the scope are known

    const QByteArray expected = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" version="1.1">
  <g id="a&quot;&lt;&amp;&gt;">
    <use xmlns:ns1="urn:extra" xlink:href="#b" ns1:role="r"/>
  </g>
  <title>)" + QString::fromUtf8("\u00E9").toUtf8() + R"( &lt; &amp;amp;</title>
  <plain xmlns=""/>
  <metadata>
    <rdf:RDF xmlns:rdf="urn:rdf">
      <rdf:li>1</rdf:li>
    </rdf:RDF>
    <ref xlink:href="#c"/>
  </metadata>
</svg>
)";
    EXPECT_EQ(doc.SaveToBytes(), expected);

    // What was written reads back the same.
    const TXMLDocument again = Loaded(doc.SaveToBytes());
    const TXMLNode root = again.DocumentElement();
    const std::vector<TXMLNode> children = root.ChildNodes();
    const TXMLNode readUse = root.FindChildElement("g").FindChildElement("use");
    EXPECT_EQ(readUse.NamespaceURI(), SvgNS);
    EXPECT_EQ(readUse.Attribute("href", XLinkNS), "#b");
    EXPECT_EQ(readUse.Attribute("role", "urn:extra"), "r");
    EXPECT_EQ(root.FindChildElement("g").Attribute("id"), "a\"<&>");
    EXPECT_EQ(root.FindChildElement("title").Text(), "\u00E9 < &amp;");
    EXPECT_EQ(root.FindChildElement("plain").NamespaceURI(), "");
    EXPECT_EQ(root.FindChildElement("metadata").FindChildElement("ref").Attribute("href", XLinkNS), "#c");
}

TEST(XMLDocument, EditingLoadedDocuments)
{
    TXMLDocument doc = Loaded("<svg a='1' b='2'><title>old<b/></title></svg>");
    TXMLNode svg = doc.DocumentElement();
    svg.RemoveAttribute("a");
    svg.RemoveAttribute("missing");
    svg.FindChildElement("title").SetText("n\u00E9w");
    // Declaring the default namespace on an element in no namespace puts it there.
    svg.DeclareNamespace("", SvgNS);
    EXPECT_EQ(svg.NamespaceURI(), SvgNS);
    EXPECT_EQ(svg.Xml(), "<svg xmlns=\"http://www.w3.org/2000/svg\" b=\"2\"><title>n\u00E9w</title></svg>");
}

TEST(XMLDocument, WritingMistakesRaise)
{
    TXMLDocument doc;
    TXMLNode svg = doc.CreateDocumentElement("svg", SvgNS);
    svg.DeclareNamespace("p", "urn:one");
    TXMLNode text = svg.AddChild("t", SvgNS);
    text.SetText("x");
    const struct {
        const char* name;
        std::function<void()> write;
        QString message;
    } cases[] = {
        {"null node", [] { TXMLNode().AddChild("g"); }, "AddChild on a null XML node"},
        {"text node", [&] { text.FirstChild().SetAttribute("a", "b"); },
         "SetAttribute on an XML node of kind ntText, which is not an element"},
        {"prefix bound elsewhere", [&] { svg.DeclareNamespace("p", "urn:two"); },
         "XML namespace prefix \"p\" is already bound to urn:one here"},
        {"xml prefix", [&] { svg.DeclareNamespace("xml", "urn:two"); },
         "XML namespace prefix \"xml\" is already bound to http://www.w3.org/XML/1998/namespace here"},
        {"xmlns prefix", [&] { svg.DeclareNamespace("xmlns", "urn:two"); },
         "XML namespace prefix \"xmlns\" is already bound to http://www.w3.org/2000/xmlns/ here"},
        {"malformed markup", [&] { svg.AppendMarkup("<a><b></a>"); },
         "Malformed XML at line 1, column 11: Opening and ending tag mismatch: b line 1 and a"},
        {"undeclared entity in markup", [&] { svg.AppendMarkup("<a>&nope;</a>"); },
         "Malformed XML at line 1, column 10: Entity 'nope' not defined"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf<EXMLDocError>(c.write), c.message) << c.name;
    svg.DeclareNamespace("xml", "http://www.w3.org/XML/1998/namespace"); // the fixed binding itself is fine
    EXPECT_EQ(svg.ChildNodes().size(), 1u); // failed markup added nothing
}

TEST(XMLDocument, FilesAndStreams)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TXMLDocument doc;
    doc.CreateDocumentElement("svg", SvgNS).AddChild("g", SvgNS);
    const QString path = dir.filePath("out.svg");
    doc.SaveToFile(path);

    TXMLDocument fromFile;
    fromFile.LoadFromFile(path);
    EXPECT_EQ(fromFile.SaveToBytes(), doc.SaveToBytes());

    // Streams are read and written from their current position.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    buffer.write("HEAD");
    doc.SaveToStream(buffer);
    EXPECT_TRUE(buffer.data().startsWith("HEAD<?xml"));
    buffer.seek(4);
    TXMLDocument fromStream;
    fromStream.LoadFromStream(buffer);
    EXPECT_EQ(fromStream.DocumentElement().FirstChild().NextSibling().LocalName(), "g");

    const QString missing = dir.filePath("missing.svg");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { fromFile.LoadFromFile(missing); }),
              "Cannot open XML file \"" + missing + "\": No such file or directory");
    EXPECT_EQ(fromFile.DocumentElement().LocalName(), "svg");
    const QString nowhere = dir.filePath("no/such/dir/out.svg");
    EXPECT_TRUE(MessageOf<EXMLDocError>([&] { doc.SaveToFile(nowhere); }).startsWith("Cannot write XML file \"" + nowhere));
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_TRUE(MessageOf<EXMLDocError>([&] { doc.SaveToStream(readOnly); }).startsWith("Cannot write XML: "));
}
