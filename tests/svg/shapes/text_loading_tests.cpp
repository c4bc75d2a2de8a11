// Reading text from SVG: content and CDATA, white space, position lists,
// references and text paths.

#include <gtest/gtest.h>

#include "tests/support/reference_image.h"
#include "text_test_support.h"

namespace zor::test {
namespace {

class TextLoadingTest : public TextTest {
protected:
    void Load(const char* Body)
    {
        Doc.LoadFromText(QStringLiteral(R"(<svg xmlns="http://www.w3.org/2000/svg" )"
                                        R"(xmlns:xlink="http://www.w3.org/1999/xlink" viewBox="0 0 200 100">)")
                         + QString::fromUtf8(Body) + QStringLiteral("</svg>"));
    }

    template <typename T = TSVGCustomText>
    T* Element(const char* ID)
    {
        TSVGElement* element = nullptr;
        Doc.AllItems().TryGetValue(QString::fromLatin1(ID), element);
        return dynamic_cast<T*>(element);
    }

    static QString ChunkText(TSVGCustomText& Root) { return ChunkTexts(Root).join(u'|'); }
};

TEST_F(TextLoadingTest, ContentBecomesTextAndSpansInDocumentOrder)
{
    Load(R"(<text id="t" x="10 20 30" y="50" dy="1" rotate="5 7">
              Hello <tspan id="s" dx="2">big</tspan> world<![CDATA[ & <more>]]>
            </text>)");
    auto* text = Element<TSVGText>("t");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->XStr(), QStringLiteral("10 20 30"));
    EXPECT_EQ(text->RotateStr(), QStringLiteral("5 7"));
    EXPECT_EQ(Element<TSVGTextSpan>("s")->DXStr(), QStringLiteral("2"));
    // The text after the span is an anonymous span; the CDATA joins it.
    ASSERT_EQ(text->Items().Count(), 2);
    EXPECT_EQ(ChunkText(*text), QStringLiteral("H|e|llo big world & <more>"));
}

TEST_F(TextLoadingTest, XmlSpacePreserveKeepsEverySpace)
{
    Load(R"(<text id="d">  a   b  </text>)"
         R"(<text id="p" xml:space="preserve">  a   b  </text>)");
    EXPECT_EQ(ChunkText(*Element("d")), QStringLiteral("a b"));
    EXPECT_EQ(ChunkText(*Element("p")), QStringLiteral("  a   b  "));
}

TEST_F(TextLoadingTest, ReferencesAreReadAndFollowed)
{
    Load(R"(<defs><text id="src">referenced</text></defs>
            <text id="t" y="20"><tref id="r" xlink:href="#src"/></text>
            <text id="tp"><textPath id="on" href="#p" startOffset="50%" method="stretch" spacing="auto">ab</textPath></text>
            <path id="p" d="M0,60 H200"/>)");
    EXPECT_EQ(Element<TSVGTextRef>("r")->Text(), QStringLiteral("referenced"));
    auto* onPath = Element<TSVGTextPath>("on");
    ASSERT_NE(onPath, nullptr);
    EXPECT_EQ(onPath->Reference(), QStringLiteral("p"));
    EXPECT_EQ(onPath->Method(), TSVGTextPathMethod::tpmStretch);
    EXPECT_EQ(onPath->Spacing(), TSVGTextPathSpacing::tpsAuto);
    // The path comes after the text in the file and is still found.
    ASSERT_EQ(onPath->PlacedGlyphs().size(), 2U);
    EXPECT_NEAR(OriginOf(onPath->PlacedGlyphs()[0]).x(), 100, 1e-3);
    EXPECT_NEAR(OriginOf(onPath->PlacedGlyphs()[0]).y(), 60, 1e-3);
}

TEST_F(TextLoadingTest, ADocumentWithTextMatchesTheReference)
{
    Load(R"(<path id="arc" d="M20,90 Q100,10 180,90" fill="none" stroke="silver"/>
            <text x="100" y="25" font-family="DejaVu Sans" font-size="18" text-anchor="middle"
                  text-decoration="underline">Gauge <tspan fill="red" font-weight="bold">120</tspan> km/h</text>
            <text font-family="DejaVu Sans" font-size="12" fill="navy">
              <textPath xlink:href="#arc" startOffset="50%" text-anchor="middle">0 · 40 · 80 · 120 · 160</textPath>
            </text>)");
    EXPECT_TRUE(zor::testing::MatchesReferenceImage(Render(), QStringLiteral("text-document")));
}

TEST_F(TextLoadingTest, TextClipsWhatReferencesItsClipPath)
{
    // A big I clips a blue square to its stem: inside the stem blue, beside and below it nothing.
    Load(R"svg(<clipPath id="c"><text x="20" y="80" font-family="DejaVu Sans" font-size="80">I</text></clipPath>
            <path d="M0,0H200V100H0Z" fill="blue" clip-path="url(#c)"/>)svg");
    const QImage image = Render();
    const int stem = 20 + static_cast<int>(0.17 * 80);
    EXPECT_EQ(image.pixel(stem, 50), 0xFF0000FFu);
    EXPECT_EQ(image.pixel(stem + 30, 50), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(stem, 90), 0xFFFFFFFFu);
}

} // namespace
} // namespace zor::test
