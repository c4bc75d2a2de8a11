#include <QRawFont>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

#include "platform/font_files_service.h"
#include "platform/glyph_service.h"
#include "tests/platform/dejavu_fonts.h"

using namespace zor;
using zor::test::DejaVuFile;

namespace {

TFontRequest Request(const char* Families, int Weight = RegularFontWeight)
{
    QStringList names;
    for (const QString& name : QString::fromLatin1(Families).split(u','))
        names.append(name.trimmed());
    return {names, Weight};
}

// Outlines agree when they have the same elements at nearly the same points.
::testing::AssertionResult SameOutline(const QPainterPath& Actual, const QPainterPath& Expected, double Tolerance)
{
    if (Actual.elementCount() != Expected.elementCount())
        return ::testing::AssertionFailure()
               << Actual.elementCount() << " elements instead of " << Expected.elementCount();
    for (int i = 0; i < Actual.elementCount(); ++i) {
        const QPainterPath::Element a = Actual.elementAt(i);
        const QPainterPath::Element e = Expected.elementAt(i);
        if (a.type != e.type || std::abs(a.x - e.x) > Tolerance || std::abs(a.y - e.y) > Tolerance)
            return ::testing::AssertionFailure() << "element " << i << " is (" << a.x << ", " << a.y
                                                 << ") instead of (" << e.x << ", " << e.y << ")";
    }
    return ::testing::AssertionSuccess();
}

constexpr char32_t ReferenceMark = U'\u203B'; // in DejaVu Sans only
constexpr char32_t LowGraveAccent = U'\u02CE'; // in DejaVu Sans and Sans Mono, not in Serif
constexpr char32_t PrivateUse = U'\uE000'; // in no font

} // namespace

TEST(GlyphService, AdvancesAndOutlinesAgreeWithTheFontFile)
{
    struct Case {
        const char* families;
        int weight;
        const char* file;
    };
    const Case cases[] = {
        {"DejaVu Sans", 400, "DejaVuSans.ttf"},
        {"No Such Family, serif", 700, "DejaVuSerif-Bold.ttf"},
    };
    const double size = 37.5;
    TGlyphService service;
    for (const Case& c : cases) {
        const QRawFont oracle(DejaVuFile(c.file), size, QFont::PreferNoHinting);
        ASSERT_TRUE(oracle.isValid()) << c.file;
        const TGlyphFont font = service.Font(Request(c.families, c.weight), size);
        const QString text = QStringLiteral("Ag&\u00e9%");
        const QList<TGlyph> glyphs = font.Glyphs(text);
        const QList<quint32> indexes = oracle.glyphIndexesForString(text);
        const QList<QPointF> advances = oracle.advancesForGlyphIndexes(indexes, QRawFont::UseDesignMetrics);
        ASSERT_EQ(glyphs.size(), text.size());
        double width = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const TGlyph& glyph = glyphs[i];
            EXPECT_EQ(glyph.Character(), text[i].unicode());
            EXPECT_EQ(glyph.GlyphIndex(), indexes[i]) << c.file << " " << i;
            EXPECT_FALSE(glyph.IsMissing());
            // The platform's advances come in 1/64 pixel.
            EXPECT_NEAR(glyph.Advance(), advances[i].x(), 1.0 / 64) << c.file << " " << i;
            const QPainterPath expected = oracle.pathForGlyph(indexes[i]);
            EXPECT_TRUE(SameOutline(glyph.Outline(), expected, 0.02)) << c.file << " " << i;
            EXPECT_EQ(glyph.Outline().fillRule(), Qt::WindingFill);
            const QRectF bounds = glyph.Bounds();
            EXPECT_NEAR(bounds.left(), expected.boundingRect().left(), 0.02);
            EXPECT_NEAR(bounds.bottom(), expected.boundingRect().bottom(), 0.02);
            width += advances[i].x();
        }
        EXPECT_NEAR(font.TextWidth(text), width, text.size() / 64.0);
        // A placement maps the outline after it is sized.
        const QTransform placement = QTransform::fromTranslate(10, 20).rotate(30);
        EXPECT_TRUE(SameOutline(glyphs[0].Outline(placement), placement.map(glyphs[0].Outline()), 1e-9));
    }
}

TEST(GlyphService, MetricsAgreeWithTheFontFile)
{
    const double size = 37.5;
    const QRawFont oracle(DejaVuFile("DejaVuSans.ttf"), size, QFont::PreferNoHinting);
    TGlyphService service;
    const TGlyphFont font = service.Font(Request("DejaVu Sans"), size);
    const TGlyphFontMetrics m = font.Metrics();
    EXPECT_NEAR(m.Ascent, oracle.ascent(), 0.02);
    EXPECT_NEAR(m.Descent, oracle.descent(), 0.02);
    // The platform rounds these two to whole pixels; DejaVu Sans' OS/2
    // table has them in units of 2048 per em.
    EXPECT_NEAR(m.XHeight, size * 1120 / 2048, 0.02);
    EXPECT_NEAR(m.CapHeight, size * 1493 / 2048, 0.02);
    EXPECT_NEAR(m.UnderlinePosition, oracle.underlinePosition(), 0.02);
    EXPECT_NEAR(m.UnderlineThickness, oracle.lineThickness(), 0.02);
    // DejaVu Sans' OS/2 table: a line-through 102 units thick, its top 530
    // units above the baseline, of 2048 units per em.
    EXPECT_NEAR(m.StrikeOutThickness, size * 102 / 2048, 1e-9);
    EXPECT_NEAR(m.StrikeOutPosition, -size * (530 - 51) / 2048.0, 1e-9);
    // The platform has no vertical advance: it is the font's height.
    EXPECT_DOUBLE_EQ(font.Glyph(U'A').VerticalAdvance(), m.Height());
    EXPECT_DOUBLE_EQ(m.BaselineOffset(TGlyphBaseline::gbAlphabetic), 0);
    EXPECT_DOUBLE_EQ(m.BaselineOffset(TGlyphBaseline::gbTextBeforeEdge), -m.Ascent);
    EXPECT_DOUBLE_EQ(m.BaselineOffset(TGlyphBaseline::gbCentral),
                     (m.BaselineOffset(TGlyphBaseline::gbTextBeforeEdge) +
                      m.BaselineOffset(TGlyphBaseline::gbTextAfterEdge)) / 2);
    EXPECT_DOUBLE_EQ(m.BaselineOffset(TGlyphBaseline::gbMiddle), -m.XHeight / 2);
    // Metrics scale with the size.
    EXPECT_NEAR(service.Font(Request("DejaVu Sans"), 2 * size).Metrics().Ascent, 2 * m.Ascent, 1e-9);
}

TEST(GlyphService, CharactersTheFontLacksComeFromAnotherThatHasThem)
{
    TGlyphService service;
    const TGlyphFont font = service.Font(Request("DejaVu Serif, DejaVu Sans"), 20);
    const QString text = QStringLiteral("a") + QString::fromUcs4(&ReferenceMark, 1) + QStringLiteral("b");
    const QList<TGlyph> glyphs = font.Glyphs(text);
    ASSERT_EQ(glyphs.size(), 3);
    EXPECT_EQ(glyphs[0].Face().Family(), "DejaVu Serif");
    EXPECT_EQ(glyphs[1].Face().Family(), "DejaVu Sans");
    EXPECT_EQ(glyphs[2].Face().Family(), "DejaVu Serif");

    // Not in the list: the platform's fallback, at the list's weight.
    const TGlyphFont serif = service.Font(Request("DejaVu Serif", 700), 20);
    const TGlyph mark = serif.Glyph(ReferenceMark);
    EXPECT_FALSE(mark.IsMissing());
    EXPECT_EQ(mark.Face().Family(), "DejaVu Sans");
    EXPECT_EQ(mark.Face().Weight(), 700);
    EXPECT_FALSE(mark.Outline().isEmpty());

    // A character beyond 16 bits is one glyph.
    const QList<TGlyph> smiley = serif.Glyphs(QString::fromUcs4(U"\U0001F600x"));
    ASSERT_EQ(smiley.size(), 2);
    EXPECT_EQ(smiley[0].Character(), U'\U0001F600');
    EXPECT_EQ(smiley[0].Face().Family(), "DejaVu Sans");

    // In no font: the first face's missing-glyph box, which still advances.
    const TGlyph none = serif.Glyph(PrivateUse);
    EXPECT_TRUE(none.IsMissing());
    EXPECT_EQ(none.Face().Family(), "DejaVu Serif");
    EXPECT_EQ(none.GlyphIndex(), 0u);
    EXPECT_GT(none.Advance(), 0);
    EXPECT_FALSE(none.Outline().isEmpty());
}

TEST(GlyphService, FallbackStaysWithinTheInstalledService)
{
    TZorFontsServiceScope scope(std::make_shared<TZorFontFilesService>(
        QStringList{DejaVuFile("DejaVuSerif.ttf"), DejaVuFile("DejaVuSansMono.ttf")}));
    TGlyphService service;
    const TGlyphFont font = service.Font(Request("DejaVu Serif"), 20);
    // DejaVu Sans has both, but only Sans Mono belongs to the service.
    const TGlyph accent = font.Glyph(LowGraveAccent);
    EXPECT_FALSE(accent.IsMissing());
    EXPECT_EQ(accent.Face().Family(), "DejaVu Sans Mono");
    EXPECT_TRUE(font.Glyph(ReferenceMark).IsMissing());
}

TEST(GlyphService, GlyphsAreCachedByFontAndCharacterWhateverTheSize)
{
    TGlyphService service;
    const TGlyphFont font = service.Font(Request("DejaVu Sans"), 20);
    const QList<TGlyph> first = font.Glyphs(u"abca");
    TGlyphService::TStatistics stats = service.Statistics();
    EXPECT_EQ(stats.GlyphMisses, 3u);
    EXPECT_EQ(stats.GlyphHits, 1u);
    EXPECT_EQ(stats.CachedGlyphs, 3u);

    const QList<TGlyph> again = font.Glyphs(u"abca");
    // Another size and a list matching the same faces share the cached glyphs.
    const QList<TGlyph> larger = service.Font(Request("No Such Family, DejaVu Sans"), 50).Glyphs(u"abca");
    stats = service.Statistics();
    EXPECT_EQ(stats.GlyphMisses, 3u);
    EXPECT_EQ(stats.GlyphHits, 9u);
    for (qsizetype i = 0; i < first.size(); ++i) {
        EXPECT_EQ(again[i].Advance(), first[i].Advance());
        EXPECT_EQ(again[i].Outline(), first[i].Outline());
        EXPECT_NEAR(larger[i].Advance(), first[i].Advance() * 2.5, 1e-9);
    }
    service.Clear();
    EXPECT_EQ(service.Statistics().CachedGlyphs, 0u);
    EXPECT_EQ(service.Font(Request("DejaVu Sans"), 20).Glyph(U'a').Advance(), first[0].Advance());
}

TEST(GlyphService, CacheKeepsWithinItsCapacity)
{
    TGlyphService small(4);
    TGlyphService large;
    const QString text = QStringLiteral("abcdefghij");
    const QList<TGlyph> bounded = small.Font(Request("DejaVu Sans"), 20).Glyphs(text);
    const QList<TGlyph> unbounded = large.Font(Request("DejaVu Sans"), 20).Glyphs(text);
    EXPECT_EQ(small.Statistics().CachedGlyphs, 4u);
    for (qsizetype i = 0; i < text.size(); ++i)
        EXPECT_EQ(bounded[i].Advance(), unbounded[i].Advance());
    // The oldest went first: "a" is made again, "j" is still there.
    small.Font(Request("DejaVu Sans"), 20).Glyphs(u"ja");
    EXPECT_EQ(small.Statistics().GlyphMisses, 11u);
}

TEST(GlyphService, ReplacedServiceChangesTheFontsOfTheNextRequest)
{
    TGlyphService service;
    EXPECT_EQ(service.Font(Request("DejaVu Sans, monospace"), 20).Face().Family(), "DejaVu Sans");
    TGlyphFont mono;
    {
        TZorFontsServiceScope scope(
            std::make_shared<TZorFontFilesService>(QStringList{DejaVuFile("DejaVuSansMono.ttf")}));
        mono = service.Font(Request("DejaVu Sans, monospace"), 20);
        EXPECT_EQ(mono.Face().Family(), "DejaVu Sans Mono");
        EXPECT_EQ(mono.Glyph(U'i').Advance(), mono.Glyph(U'W').Advance());
    }
    // Cached fonts do not keep a removed service, and its fonts, alive.
    EXPECT_FALSE(SystemFontsService().HasFamily(QStringLiteral("DejaVu Sans Mono")));
    EXPECT_EQ(service.Font(Request("DejaVu Sans, monospace"), 20).Face().Family(), "DejaVu Sans");
}

TEST(GlyphService, DegenerateSizesAndTextsGiveEmptyGlyphs)
{
    TGlyphService service;
    for (double size : {0.0, -5.0, std::nan(""), double(INFINITY)}) {
        const TGlyphFont font = service.Font(Request("DejaVu Sans"), size);
        EXPECT_EQ(font.Size(), 0);
        EXPECT_EQ(font.TextWidth(u"abc"), 0);
        EXPECT_TRUE(font.Glyph(U'a').Bounds().isEmpty());
    }
    const TGlyphFont font = service.Font(Request("DejaVu Sans"), 20);
    EXPECT_TRUE(font.Glyphs(u"").isEmpty());
    // A value beyond Unicode is the replacement character.
    EXPECT_EQ(font.Glyph(0x110000).Character(), U'\uFFFD');
    const TGlyphFont none;
    EXPECT_FALSE(none.Face().IsValid());
    EXPECT_EQ(none.Glyphs(u"ab").size(), 2);
    EXPECT_EQ(none.TextWidth(u"ab"), 0);
    EXPECT_TRUE(TGlyph().Outline().isEmpty());
}

TEST(GlyphService, ThreadsShareOneServiceSafely)
{
    QString text;
    for (char32_t c = U'!'; c < U'\u0180'; ++c)
        text += QString::fromUcs4(&c, 1);
    text += QString::fromUcs4(&ReferenceMark, 1);
    const double expected = TGlyphService().Font(Request("DejaVu Serif"), 16).TextWidth(text);

    TGlyphService service;
    double widths[3] = {};
    std::vector<std::thread> threads;
    for (double& width : widths)
        threads.emplace_back([&service, &text, &width] {
            for (int round = 0; round < 3; ++round)
                width = service.Font(Request("DejaVu Serif"), 16).TextWidth(text);
        });
    for (std::thread& thread : threads)
        thread.join();
    for (double width : widths)
        EXPECT_NEAR(width, expected, 1e-9);
}
