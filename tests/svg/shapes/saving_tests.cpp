// Saving documents as SVG text and in the binary form: load → save → load
// gives the same tree, and what is written for the cases that matter.

#include <QBuffer>
#include <QTemporaryDir>

#include "saving_test_support.h"
#include "svg/model/attribute_reader.h"
#include "svg/model/group.h"
#include "svg/model/marker.h"
#include "svg/model/use.h"
#include "svg/shapes/rectangle.h"
#include "svg/shapes/text_path.h"

namespace zor::test {

namespace {

struct TRoundTripCase {
    const char* Name;
    const char* Text;
};

const TRoundTripCase RoundTripCases[] = {
    {"shapes", R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="300" height="200" viewBox="0 0 300 200">
      <rect id="r" x="10" y="10" width="50%" height="30" rx="4" fill="#123456" stroke="red" stroke-width="2.5"
            stroke-dasharray="4 2" stroke-dashoffset="1" stroke-linecap="round" stroke-linejoin="bevel"
            stroke-miterlimit="7" fill-opacity="0.25" opacity="0.5"/>
      <circle cx="100" cy="50" r="20mm" fill="none" stroke="blue" transform="rotate(30 100 50)"/>
      <ellipse cx="1in" cy="2cm" rx="20" ry="10" fill-rule="evenodd" visibility="hidden"/>
      <line x1="0" y1="0" x2="100" y2="100" stroke="black" vector-effect="non-scaling-stroke"/>
      <polyline points="0,0 10,20 30,5" fill="none" stroke="green" display="none"/>
      <polygon points="50,50 60,70 40,70" shape-rendering="crispEdges"/>
      <path d="M10 80 C 40 10, 65 10, 95 80 S 150 150, 180 80 Z" pathLength="100" cursor="pointer"/>
    </svg>)svg"},
    {"structure", R"svg(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink">
      <title>A title</title><desc>First line
second line</desc>
      <metadata><about xmlns="urn:x-test">made by hand</about></metadata>
      <defs>
        <symbol id="s" viewBox="0 0 10 10" preserveAspectRatio="xMinYMax slice"><circle cx="5" cy="5" r="5"/></symbol>
        <clipPath id="c" clipPathUnits="objectBoundingBox"><rect width="0.5" height="1"/></clipPath>
      </defs>
      <g id="outer" class="a b" lang="en" clip-path="url(#c)" overflow="hidden">
        <use xlink:href="#s" x="5" y="6" width="20" height="30"/>
        <svg x="10" y="10" width="50" height="60" viewBox="0 0 5 6" overflow="visible"><rect width="5" height="6"/></svg>
        <switch><g systemLanguage="fr"><rect width="1" height="1"/></g><g requiredFeatures="x"/></switch>
      </g>
    </svg>)svg"},
    {"gradients", R"svg(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink">
      <linearGradient id="base" x1="0" y1="0" x2="1" y2="0" spreadMethod="reflect" gradientTransform="rotate(10)">
        <stop offset="0" stop-color="red"/><stop offset="50%" stop-color="#00ff00" stop-opacity="0.5"/>
        <stop offset="1" stop-color="blue"/>
      </linearGradient>
      <linearGradient id="derived" xlink:href="#base" x2="0.5"/>
      <radialGradient id="radial" cx="50" cy="50" r="40" fx="30" gradientUnits="userSpaceOnUse" xlink:href="#base"/>
      <rect width="100" height="100" fill="url(#derived)"/>
      <rect width="100" height="100" stroke="url(#radial) green"/>
    </svg>)svg"},
    {"text", R"svg(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink">
      <defs><path id="p" d="M0 50 L 200 50"/><text id="t">referenced</text></defs>
      <text x="10 20 30" y="40" dx="1" rotate="5 7" font-family="DejaVu Sans" font-size="20" font-weight="bold"
            font-style="italic" text-anchor="middle" text-decoration="underline" letter-spacing="2"
            word-spacing="3" kerning="1">Hello <tspan fill="red" baseline-shift="super">big</tspan> world</text>
      <text xml:space="preserve" y="80">  two  spaces  <tref xlink:href="#t"/></text>
      <text><textPath xlink:href="#p" startOffset="10%" method="stretch" spacing="auto">on a path</textPath></text>
      <text writing-mode="tb" glyph-orientation-vertical="90" direction="rtl" y="10">A<tspan dy="5">B</tspan></text>
    </svg>)svg"},
    {"styles", R"svg(<svg xmlns="http://www.w3.org/2000/svg">
      <style>.warm { fill: orange; stroke: purple } #x { stroke-width: 3 !important }</style>
      <g style="fill: red; font: italic bold 12px serif" opacity="0.5" fill-rule="evenodd">
        <rect id="x" class="warm" width="10" height="10" style="stroke-width: 1"/>
        <rect width="10" height="10" fill="inherit" opacity="inherit" fill-rule="nonzero"/>
        <g marker="url(#m)" clip-rule="evenodd" color="#808080"><rect width="1" height="1" fill="currentColor"/></g>
      </g>
    </svg>)svg"},
    {"markers_patterns_images", R"svg(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink">
      <defs>
        <marker id="m" refX="1" refY="2" markerWidth="4" markerHeight="5" markerUnits="userSpaceOnUse" orient="45"
                viewBox="0 0 10 10"><path d="M0 0 L10 5 L0 10 z"/></marker>
        <marker id="a" orient="auto-start-reverse"><circle r="1"/></marker>
        <pattern id="p" width="10" height="10" patternUnits="userSpaceOnUse" patternTransform="rotate(20)">
          <rect width="5" height="5"/></pattern>
        <pattern id="q" xlink:href="#p" patternContentUnits="objectBoundingBox" preserveAspectRatio="none"/>
      </defs>
      <path d="M0 0 L 50 50 L 100 0" marker-start="url(#a)" marker-mid="url(#m)" marker-end="url(#m)" fill="url(#q)"/>
      <image x="5" y="5" width="20" preserveAspectRatio="xMinYMin slice"
             xlink:href="data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg=="/>
    </svg>)svg"},
};

class RoundTripTest : public SavingTest, public ::testing::WithParamInterface<TRoundTripCase> {};

} // namespace

TEST_P(RoundTripTest, SavedTextReadsBackAsTheSameTree)
{
    const std::unique_ptr<TSVGDocument> original = Load(QString::fromUtf8(GetParam().Text));
    // Numbers as they are: the default format rounds them to three decimals.
    original->SetFormatStr(QString());
    const std::unique_ptr<TSVGDocument> copy = SavedAndLoaded(*original);
    EXPECT_EQ(DescribeTree(*copy).toStdString(), DescribeTree(*original).toStdString());
}

TEST_P(RoundTripTest, BinaryFormReadsBackAsTheSameTree)
{
    const std::unique_ptr<TSVGDocument> original = Load(QString::fromUtf8(GetParam().Text));
    const std::unique_ptr<TSVGDocument> copy = BinaryCopy(*original);
    EXPECT_EQ(DescribeTree(*copy).toStdString(), DescribeTree(*original).toStdString());
    // And again, from a tree that was itself read from the binary form.
    EXPECT_EQ(DescribeTree(*BinaryCopy(*copy)).toStdString(), DescribeTree(*original).toStdString());
}

TEST_P(RoundTripTest, SavingTwiceWritesTheSameText)
{
    const std::unique_ptr<TSVGDocument> original = Load(QString::fromUtf8(GetParam().Text));
    const QString first = original->SaveToText();
    EXPECT_EQ(SavedAndLoaded(*original)->SaveToText().toStdString(), first.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Saving, RoundTripTest, ::testing::ValuesIn(RoundTripCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(SavingTest, GeneratedIdsAreNotWrittenOwnIdsAre)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <rect width="1" height="1"/><rect id="needle" width="1" height="1"/></svg>)svg"));
    ASSERT_TRUE(TSVGDocument::IsProvisionalID(document->Items()[0]->ID()));
    const TXMLDocument xml = SavedXML(*document);
    const std::vector<TXMLNode> rects = xml.DocumentElement().ChildNodes();
    std::vector<TXMLNode> elements;
    for (const TXMLNode& node : rects)
        if (node.NodeType() == TNodeType::ntElement)
            elements.push_back(node);
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_FALSE(elements[0].HasAttribute(QStringLiteral("id")));
    EXPECT_EQ(elements[1].Attribute(QStringLiteral("id")), u"needle");
}

TEST_F(SavingTest, ReferencedGeneratedIdsSurvive)
{
    // Elements made in code keep their generated ids; references to them are
    // written with names no other element has, and still find them.
    TSVGDocument document;
    auto* target = document.AppendChild(std::make_unique<TSVGRectangle>(&document));
    target->SetID(QString());
    target->SetID(QStringLiteral("ID3"));
    auto* generated = document.AppendChild(std::make_unique<TSVGRectangle>(&document));
    ASSERT_TRUE(TSVGDocument::IsProvisionalID(generated->ID()));
    auto* use = document.AppendChild(std::make_unique<TSVGUse>(&document));
    use->SetReference(generated->ID());
    auto* painted = document.AppendChild(std::make_unique<TSVGRectangle>(&document));
    painted->EditValues({TSVGStyleProperty::ipClipPath},
                        [&](TSVGStyleValues& Values) { Values.ClipURI = generated->ID(); });

    for (const auto& copy : {SavedAndLoaded(document), BinaryCopy(document)}) {
        const auto* savedUse = dynamic_cast<const TSVGUse*>(copy->Items()[2]);
        ASSERT_NE(savedUse, nullptr);
        EXPECT_EQ(savedUse->ReferencedElement(), copy->Items()[1]);
        const auto* savedPainted = copy->Items()[3]->AsGraphicElement();
        EXPECT_EQ(FindID(*copy, savedPainted->ClipURI()), copy->Items()[1]);
        // The own id of the first rectangle is not taken.
        EXPECT_EQ(copy->Items()[0]->ID(), u"ID3");
    }
}

TEST_F(SavingTest, DisabledElementsAreLeftOutWithoutAnEmptyNode)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <g id="g"><rect id="off" width="1" height="1"/><rect id="on" width="1" height="1"/></g></svg>)svg"));
    FindID(*document, QStringLiteral("off"))->SetEnabled(false);
    const auto copy = SavedAndLoaded(*document);
    const TSVGElement* group = FindID(*copy, QStringLiteral("g"));
    ASSERT_EQ(group->Items().Count(), 1);
    EXPECT_EQ(group->Items()[0]->ID(), u"on");

    TSVGOptions options = document->Options();
    options.Include(TSVGOption::soExportDisabled);
    document->SetOptions(options);
    EXPECT_EQ(FindID(*SavedAndLoaded(*document), QStringLiteral("g"))->Items().Count(), 2);
}

TEST_F(SavingTest, AnElementTheEventDeclinesLeavesNothingBehind)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <text><tspan id="keep">a</tspan><tspan id="drop">b</tspan></text></svg>)svg"));
    std::vector<QString> saved;
    document->OnSavingElement = [](TSVGElement*, TSVGElement* Element, bool& Save, TXMLNode&) {
        Save = Element->ID() != u"drop";
    };
    document->OnSavedElement = [&saved](TSVGElement*, TSVGElement* Element, TXMLNode&) { saved.push_back(Element->ID()); };
    const QString text = document->SaveToText();
    EXPECT_FALSE(text.contains(QStringLiteral("<tspan/>"))) << text.toStdString();
    const auto copy = Load(text);
    ASSERT_EQ(copy->Items()[0]->Items().Count(), 1);
    EXPECT_EQ(copy->Items()[0]->Items()[0]->ID(), u"keep");
    EXPECT_NE(std::find(saved.begin(), saved.end(), QStringLiteral("keep")), saved.end());
}

TEST_F(SavingTest, TextChildrenKeepTheirOwnTags)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg"
        xmlns:xlink="http://www.w3.org/1999/xlink"><path id="p" d="M0 0 H 100"/><text id="t">x</text>
        <text>a<tref xlink:href="#t"/><textPath xlink:href="#p">b</textPath><tspan>c</tspan></text></svg>)svg"));
    const QString text = document->SaveToText();
    EXPECT_TRUE(text.contains(QStringLiteral("<tref xlink:href=\"#t\"/>"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("<textPath xlink:href=\"#p\">b</textPath>"))) << text.toStdString();
    // No indentation inside a text: it would read back as spaces.
    EXPECT_TRUE(text.contains(QStringLiteral("<text>a<tref"))) << text.toStdString();
}

TEST_F(SavingTest, PathLengthIsWrittenOnlyWhenTheFileGaveOne)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <path id="plain" d="M0 0 H 100"/><path id="given" d="M0 0 H 100" pathLength="10"/></svg>)svg"));
    const auto* plain = dynamic_cast<const TSVGPath*>(FindID(*document, QStringLiteral("plain")));
    ASSERT_DOUBLE_EQ(plain->GetPathLength(), 100);
    const auto copy = SavedAndLoaded(*document);
    EXPECT_EQ(dynamic_cast<const TSVGPath*>(FindID(*copy, QStringLiteral("plain")))->PathLength(), -1);
    EXPECT_EQ(dynamic_cast<const TSVGPath*>(FindID(*copy, QStringLiteral("given")))->PathLength(), 10);
}

TEST_F(SavingTest, MarkerReferencesAreWrittenAsUrls)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <path d="M0 0 H 100" marker-start="url(#a)" style="marker-end:url(#b)"/></svg>)svg"));
    const QString text = document->SaveToText();
    EXPECT_TRUE(text.contains(QStringLiteral("marker-start=\"url(#a)\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("style=\"marker-end:url(#b)\""))) << text.toStdString();
}

TEST_F(SavingTest, MarkerOrientationIsWrittenInDegrees)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <marker id="m" orient="45"/><marker id="r" orient="0.5rad"/></svg>)svg"));
    const QString text = document->SaveToText();
    EXPECT_TRUE(text.contains(QStringLiteral("orient=\"45\""))) << text.toStdString();
    const auto copy = Load(text);
    for (const char* id : {"m", "r"})
        EXPECT_NEAR(dynamic_cast<const TSVGMarker*>(FindID(*copy, QString::fromLatin1(id)))->Orientation(),
                    dynamic_cast<const TSVGMarker*>(FindID(*document, QString::fromLatin1(id)))->Orientation(), 1e-3)
            << id;
}

struct TPropertyCase {
    const char* Name;
    const char* Element;
    const char* Expected; // an attribute or style text that must be written, or
    const char* Absent;   // one that must not
};

const TPropertyCase PropertyCases[] = {
    {"fill in style", R"svg(<rect style="fill:red" width="1" height="1"/>)svg", R"svg(style="fill:red")svg", R"svg( fill=")svg"},
    {"fill as attribute", R"svg(<rect fill="red" width="1" height="1"/>)svg", R"svg(fill="red")svg", "style="},
    {"inherited opacity", R"svg(<rect opacity="inherit" width="1" height="1"/>)svg", R"svg(opacity="inherit")svg", ""},
    {"inherited fill", R"svg(<rect fill="inherit" width="1" height="1"/>)svg", "", "fill="},
    {"explicit fill rule", R"svg(<rect fill-rule="nonzero" width="1" height="1"/>)svg", R"svg(fill-rule="nonzero")svg", ""},
    {"initial opacity", R"svg(<rect opacity="1" width="1" height="1"/>)svg", "", "opacity="},
    {"zero stroke width", R"svg(<rect stroke-width="0" width="1" height="1"/>)svg", R"svg(stroke-width="0")svg", ""},
};

class PropertyWritingTest : public SavingTest, public ::testing::WithParamInterface<TPropertyCase> {};

TEST_P(PropertyWritingTest, WritesWhatTheElementGives)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">%1</svg>)svg")
                                   .arg(QString::fromUtf8(GetParam().Element)));
    const QString text = document->SaveToText();
    const QString rect = text.mid(text.indexOf(QStringLiteral("<rect")));
    if (*GetParam().Expected) {
        EXPECT_TRUE(rect.contains(QString::fromUtf8(GetParam().Expected))) << rect.toStdString();
    }
    if (*GetParam().Absent) {
        EXPECT_FALSE(rect.contains(QString::fromUtf8(GetParam().Absent))) << rect.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Saving, PropertyWritingTest, ::testing::ValuesIn(PropertyCases),
                         [](const auto& Info) {
                             std::string name = Info.param.Name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(SavingTest, SplitPathLinesBreaksLongLinesOnly)
{
    QString data = QStringLiteral("M0 0");
    for (int i = 1; i < 60; ++i)
        data += QStringLiteral(" L%1 %2").arg(i * 10).arg(i % 7);
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg"><path d="%1"/></svg>)svg").arg(data));
    const auto longest = [](const QString& Text) {
        qsizetype result = 0;
        for (const QString& line : Text.split(u'\n'))
            result = std::max(result, line.size());
        return result;
    };
    EXPECT_GT(longest(document->SaveToText(0)), 400);
    const QString split = document->SaveToText(80);
    // The path data is broken into lines of about 80 characters.
    EXPECT_LT(longest(split), 100);
    EXPECT_GT(split.count(u'\n'), document->SaveToText(0).count(u'\n') + 4);
    EXPECT_EQ(DescribeTree(*Load(split)).toStdString(), DescribeTree(*Load(document->SaveToText(0))).toStdString());
}

TEST_F(SavingTest, CompactExportLeavesDefaultsOut)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <rect x="0" width="5" height="5"/></svg>)svg"));
    const QString compact = document->SaveToText();
    EXPECT_FALSE(compact.contains(QStringLiteral(" x=\"0\""))) << compact.toStdString();
    TSVGOptions options = document->Options();
    options.Exclude(TSVGOption::soCompactExport);
    document->SetOptions(options);
    const QString full = document->SaveToText();
    EXPECT_TRUE(full.contains(QStringLiteral("<rect x=\"0\" y=\"0\""))) << full.toStdString();
    EXPECT_EQ(DescribeTree(*Load(full)).toStdString(), DescribeTree(*Load(compact)).toStdString());
}

TEST_F(SavingTest, NumberFormatRoundsWrittenNumbersAndRefusesUnreadableOnes)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <rect width="1.23456" height="2"/></svg>)svg"));
    EXPECT_TRUE(document->SaveToText().contains(QStringLiteral("width=\"1.235\"")));
    document->SetFormatStr(QStringLiteral("0.#"));
    EXPECT_TRUE(document->SaveToText().contains(QStringLiteral("width=\"1.2\"")));
    EXPECT_THROW(document->SetFormatStr(QStringLiteral("'x'0")), EConvertError);
    EXPECT_EQ(document->FormatStr(), u"0.#");
}

TEST_F(SavingTest, FilesAreWrittenWholeInBothForms)
{
    QTemporaryDir folder;
    const auto document = Load(QString::fromUtf8(RoundTripCases[0].Text));
    const QString svg = folder.filePath(QStringLiteral("a.svg"));
    const QString binary = folder.filePath(QStringLiteral("a.bin"));
    document->SaveToFile(svg);
    document->SaveToBinaryFile(binary);
    TSVGDocument fromText;
    fromText.LoadFromFile(svg);
    TSVGDocument fromBinary;
    fromBinary.LoadFromBinaryFile(binary);
    EXPECT_EQ(DescribeTree(fromBinary).toStdString(), DescribeTree(*document).toStdString());
    EXPECT_EQ(fromText.Items().Count(), document->Items().Count());
    QFile file(binary);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(TSVGDocument::IsBinaryStream(file));
    EXPECT_EQ(file.pos(), 0);
}

TEST_F(SavingTest, BinaryStreamsOfAnotherKindAreRefused)
{
    const auto document = Load(QString::fromUtf8(RoundTripCases[0].Text));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    document->SaveToBinaryStream(buffer);
    QByteArray bytes = buffer.data();

    struct TCase {
        const char* Name;
        QByteArray From;
        QByteArray To;
        const char* Message;
    };
    const TCase cases[] = {
        {"another class", "TSVGDocument", "TSVGDocumenX",
         "Stream read error: TSVGDocumenX does not match expected TSVGDocument class name"},
        {"an unknown element class", "TSVGRectangle", "TSVGRectanglX", "Class TSVGRectanglX not found"},
    };
    for (const TCase& c : cases) {
        QByteArray changed = bytes;
        changed.replace(c.From, c.To);
        QBuffer in(&changed);
        in.open(QIODevice::ReadOnly);
        TSVGDocument target;
        try {
            target.LoadFromBinaryStream(in);
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message().toStdString(), c.Message) << c.Name;
        }
    }
    // A truncated stream ends in an error, never a crash.
    QByteArray truncated = bytes.left(bytes.size() / 2);
    QBuffer in(&truncated);
    in.open(QIODevice::ReadOnly);
    TSVGDocument target;
    EXPECT_THROW(target.LoadFromBinaryStream(in), EReadError);
}

TEST_F(SavingTest, InheritanceFlagsSetInCodeSurviveTheBinaryForm)
{
    const auto document = Load(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <g fill="red"><rect id="r" width="1" height="1" style="stroke:blue"/></g></svg>)svg"));
    auto* rect = FindID(*document, QStringLiteral("r"))->AsGraphicElement();
    TSVGStyleProperties inherits = rect->Inherits();
    inherits.Include(TSVGStyleProperty::ipOpacity);
    inherits.Exclude(TSVGStyleProperty::ipFontSize);
    rect->SetInherits(inherits);
    for (const bool optimized : {true, false}) {
        TSVGOptions options = document->Options();
        if (optimized)
            options.Include(TSVGOption::soExportOptimizedBinaryStyleProperties);
        else
            options.Exclude(TSVGOption::soExportOptimizedBinaryStyleProperties);
        document->SetOptions(options);
        const auto copy = BinaryCopy(*document);
        const auto* copied = FindID(*copy, QStringLiteral("r"))->AsGraphicElement();
        EXPECT_EQ(copied->Inherits(), inherits);
        EXPECT_TRUE(copied->PreferredStyles().Contains(TSVGStyleProperty::ipStroke));
    }
}

} // namespace zor::test
