// Outlining and measuring a paragraph of 1,000 characters at 16 pixels: with
// empty caches (the font matched and every distinct glyph loaded), with warm
// caches (only the cached outlines scaled and placed), its width alone, and
// straight from the platform's raw font for comparison; and matching a
// cached font request.

#include <benchmark/benchmark.h>

#include <QRawFont>

#include "platform/glyph_service.h"

using namespace zor;

namespace {

constexpr int ParagraphLength = 1000;
constexpr double FontSize = 16;

QString Paragraph()
{
    static const QString words = QStringLiteral(
        "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor incididunt ut labore et "
        "dolore magna aliqua. Ut enim ad minim veniam, quis nostrud exercitation ullamco laboris nisi ut aliquip "
        "ex ea commodo consequat: 0123456789 \u00e9\u00e8\u00fc\u00df \u2116 \u00bd \u2192 ");
    QString text;
    while (text.size() < ParagraphLength)
        text += words;
    return text.left(ParagraphLength);
}

const TFontRequest Request{{QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")},
                           RegularFontWeight};

// Every glyph's outline placed on one line, and the line's width.
double LayOut(TGlyphService& Service, const QString& Text)
{
    const TGlyphFont font = Service.Font(Request, FontSize);
    double x = 0;
    for (const TGlyph& glyph : font.Glyphs(Text)) {
        const QPainterPath outline = glyph.Outline(QTransform::fromTranslate(x, 0));
        benchmark::DoNotOptimize(outline);
        x += glyph.Advance();
    }
    return x;
}

void BM_ParagraphCold(benchmark::State& State)
{
    const QString text = Paragraph();
    TGlyphService service;
    for (auto _ : State) {
        service.Clear();
        benchmark::DoNotOptimize(LayOut(service, text));
    }
    State.SetItemsProcessed(State.iterations() * ParagraphLength);
}
BENCHMARK(BM_ParagraphCold)->Unit(benchmark::kMicrosecond);

// Step on the paragraph, each time with the caches the first run filled.
template <typename TStep>
void RunWarm(benchmark::State& State, TStep Step)
{
    const QString text = Paragraph();
    TGlyphService service;
    LayOut(service, text);
    for (auto _ : State)
        benchmark::DoNotOptimize(Step(service, text));
    State.SetItemsProcessed(State.iterations() * ParagraphLength);
}

void BM_ParagraphCached(benchmark::State& State)
{
    RunWarm(State, LayOut);
}
BENCHMARK(BM_ParagraphCached)->Unit(benchmark::kMicrosecond);

// Advances only, as measuring a text for platform text drawing does.
void BM_ParagraphWidthCached(benchmark::State& State)
{
    RunWarm(State, [](TGlyphService& Service, const QString& Text) {
        return Service.Font(Request, FontSize).TextWidth(Text);
    });
}
BENCHMARK(BM_ParagraphWidthCached)->Unit(benchmark::kMicrosecond);

// No cache and no fallback: one raw font, every glyph outlined each time.
void BM_ParagraphRawFont(benchmark::State& State)
{
    const QString text = Paragraph();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(FontSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    const QRawFont raw = QRawFont::fromFont(font);
    for (auto _ : State) {
        const QList<quint32> indexes = raw.glyphIndexesForString(text);
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes, QRawFont::UseDesignMetrics);
        double x = 0;
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const QPainterPath outline = QTransform::fromTranslate(x, 0).map(raw.pathForGlyph(indexes[i]));
            benchmark::DoNotOptimize(outline);
            x += advances[i].x();
        }
        benchmark::DoNotOptimize(x);
    }
    State.SetItemsProcessed(State.iterations() * ParagraphLength);
}
BENCHMARK(BM_ParagraphRawFont)->Unit(benchmark::kMicrosecond);

void BM_MatchCachedFont(benchmark::State& State)
{
    TGlyphService service;
    service.Font(Request, FontSize);
    for (auto _ : State)
        benchmark::DoNotOptimize(service.Font(Request, FontSize));
}
BENCHMARK(BM_MatchCachedFont);

} // namespace
