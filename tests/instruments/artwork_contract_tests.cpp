// The artworks keep the contract their instruments rely on: every id the code
// addresses exists once, with its kind, in its container and in its place
// before, inside or after the active element. A broken artwork is reported id
// by id.

#include <gtest/gtest.h>

#include <QBuffer>
#include <memory>

#include "instruments/artwork_contract.h"
#include "instruments/artwork_resources.h"
#include "platform/exceptions.h"
#include "svg/model/document.h"

namespace zor::test {
namespace {

QByteArray ReadResource(const QString& Name)
{
    return OpenArtworkResource(Name)->readAll();
}

void Load(TSVGDocument& Document, QByteArray Text)
{
    RegisterArtworkElementClasses();
    QBuffer bytes(&Text);
    bytes.open(QIODevice::ReadOnly);
    Document.LoadFromStream(bytes);
}

TEST(ArtworkContractTest, TheTableHasOneContractPerKindInOrder)
{
    ASSERT_EQ(ArtworkContracts().size(), EnumCount(TArtworkKind{}));
    for (std::size_t i = 0; i < ArtworkContracts().size(); ++i) {
        const TArtworkContract& contract = ArtworkContracts()[i];
        EXPECT_EQ(contract.Kind, static_cast<TArtworkKind>(i));
        EXPECT_EQ(ArtworkKindByName(QString::fromLatin1(contract.Name)), contract.Kind);
        EXPECT_EQ(ArtworkKindByName(QString::fromLatin1(contract.ResourceName).toLower()), contract.Kind);
        EXPECT_TRUE(HasArtworkResource(QString::fromLatin1(contract.ResourceName))) << contract.ResourceName;
    }
    EXPECT_FALSE(ArtworkKindByName(QStringLiteral("sundial")).has_value());
}

TEST(ArtworkContractTest, ResourcesAreFoundByNameWithoutRegardToCase)
{
    for (const char* name : {"CircularGaugeSVG", "CIRCULARGAUGESVG", "circulargaugesvg", "ClockOrvikSVG"})
        EXPECT_TRUE(HasArtworkResource(QString::fromLatin1(name))) << name;
    for (const char* name : {"", "GaugeSVG", "../artwork/CIRCULARGAUGESVG", "/CIRCULARGAUGESVG"}) {
        EXPECT_FALSE(HasArtworkResource(QString::fromLatin1(name))) << name;
        try {
            OpenArtworkResource(QString::fromLatin1(name));
            ADD_FAILURE() << name;
        } catch (const EResNotFound& Error) {
            EXPECT_EQ(Error.Message(), QStringLiteral("Resource %1 not found").arg(QString::fromLatin1(name)));
        }
    }
}

TEST(ArtworkContractTest, EveryArtworkKeepsItsContract)
{
    for (const TArtworkContract& contract : ArtworkContracts()) {
        SCOPED_TRACE(contract.Name);
        const QByteArray text = ReadResource(QString::fromLatin1(contract.ResourceName));
        TSVGDocument document;
        Load(document, text);
        const TArtworkFindings findings = CheckArtwork(contract, document, DuplicateArtworkIDs(text));
        EXPECT_TRUE(findings.IsEmpty()) << findings.Lines().join(u'\n').toStdString();
    }
}

TEST(ArtworkContractTest, ABrokenArtworkIsReportedIdById)
{
    // A digital clock whose digit d2 lies outside "digits" and has too few
    // segments, whose frame is a group drawn over the digits, and whose "AM"
    // occurs twice; most ids are missing.
    const QByteArray text = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="40">
      <g id="digits">
        <g id="d1"><path/><path/><path/><path/><path/><path/><path/></g>
        <g id="AMPM"><text id="AM">AM</text><text id="PM">PM</text></g>
      </g>
      <g id="d2"><path/></g>
      <g id="Frame"><path/></g>
      <path id="AM" d="M0,0 H1"/>
    </svg>)svg";
    TSVGDocument document;
    Load(document, text);
    const TArtworkFindings findings =
        CheckArtwork(ArtworkContract(TArtworkKind::akClockDigital), document, DuplicateArtworkIDs(text));
    EXPECT_EQ(findings.Missing.join(u'|'),
              (QStringList{"d3", "d4", "GradientFrame", "linearGradientFrame", "Backface", "BackfaceHighlight",
                           "GradientBackface", "linearGradientBackface", "Glass", "linearGradientGlassTop",
                           "linearGradientGlassBottom", "Decoration"}.join(u'|')));
    EXPECT_EQ(findings.Misplaced.join(u'|'),
              (QStringList{"d2 lies outside digits", "d2 lies after the active element, not in the active element",
                           "d2 has 1 children, not at least 7", "Frame is a g, not of kind path",
                           "Frame lies after the active element, not before the active element"}.join(u'|')));
    EXPECT_EQ(findings.Extra, QStringList{"AM"});
    EXPECT_EQ(findings.Lines().first(), QStringLiteral("missing: d3"));
    EXPECT_EQ(findings.Lines().last(), QStringLiteral("extra: AM occurs more than once"));
}

TEST(ArtworkContractTest, ATurnedElementThatCarriesATransformIsReported)
{
    const QByteArray text = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100">
      <g id="ClockHands"><g id="HourHand" transform="rotate(10)"><path id="HourHandNeedle" d="M0,0 H1"/></g></g>
    </svg>)svg";
    TSVGDocument document;
    Load(document, text);
    const TArtworkFindings findings = CheckArtwork(ArtworkContract(TArtworkKind::akClockClassic), document);
    EXPECT_TRUE(findings.Misplaced.contains(QStringLiteral("HourHand carries a transform, which turning it replaces")))
        << findings.Lines().join(u'\n').toStdString();
}

} // namespace
} // namespace zor::test
