// The cascade of a document of a few thousand elements under a style sheet of
// a few hundred rules, and reading the effective fill of every element: once
// after Reset (resolved from the own values and the ancestors) and once more
// (from the cache).

#include <benchmark/benchmark.h>

#include <QString>
#include <memory>
#include <vector>

#include "svg/model/document.h"
#include "svg/model/graphic_element.h"

using namespace zor;

namespace {

template <TSVGElementType Kind>
class TBenchElement : public TSVGGraphicElement {
public:
    using TSVGGraphicElement::TSVGGraphicElement;
    TSVGElementType SVGType() const override { return Kind; }

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override
    {
        return std::make_unique<TBenchElement>(aOwner);
    }
};

constexpr int GroupCount = 60;
constexpr int ShapesPerGroup = 50;

// 60 groups of 50 rects and circles (3060 elements), and 300 rules of every
// kind of selector, most of which match few elements, as in real files.
struct TBenchDocument {
    TBenchDocument()
    {
        for (int g = 0; g < GroupCount; ++g) {
            auto* group = Document.AppendChild(std::make_unique<TBenchElement<TSVGElementType::etGroup>>(&Document));
            group->SetID(QStringLiteral("group-%1").arg(g));
            group->Classes().Assign(QStringList{QStringLiteral("layer"), QStringLiteral("layer-%1").arg(g % 6)});
            group->PresentationAttributes().AddAttribute(QStringLiteral("fill"), QStringLiteral("#808080"));
            Elements.push_back(group);
            for (int s = 0; s < ShapesPerGroup; ++s) {
                std::unique_ptr<TSVGGraphicElement> shape;
                if (s % 2 == 0)
                    shape = std::make_unique<TBenchElement<TSVGElementType::etRectangle>>(&Document);
                else
                    shape = std::make_unique<TBenchElement<TSVGElementType::etCircle>>(&Document);
                shape->SetID(QStringLiteral("shape-%1-%2").arg(g).arg(s));
                shape->Classes().Assign(QStringList{QStringLiteral("shape"), QStringLiteral("s-%1").arg(s % 20)});
                if (s % 5 == 0)
                    shape->PresentationAttributes().AddAttribute(QStringLiteral("stroke"), QStringLiteral("black"));
                Elements.push_back(group->AppendChild(std::move(shape)));
            }
        }
        QString sheet;
        for (int k = 0; k < 100; ++k)
            sheet += QStringLiteral(".s-%1 { fill: #%2 }\n").arg(k).arg(k * 2345 % 0xFFFFFF, 6, 16, QLatin1Char('0'));
        for (int g = 0; g < GroupCount; ++g)
            sheet += QStringLiteral("#group-%1 rect { stroke: red; stroke-width: %2 }\n").arg(g).arg(g % 4 + 1);
        for (int g = 0; g < GroupCount; ++g)
            sheet += QStringLiteral("#shape-%1-0 { opacity: 0.5 }\n").arg(g);
        for (int k = 0; k < 40; ++k)
            sheet += QStringLiteral(".layer-%1 > circle.s-%2 { stroke-dasharray: 2 1 }\n").arg(k % 6).arg(k % 20);
        for (int k = 0; k < 40; ++k)
            sheet += QStringLiteral("g .s-%1:first-child, rect[stroke] + circle.s-%2 { fill-opacity: 0.8 !important }\n")
                         .arg(k)
                         .arg(k % 20);
        Document.ParseStyleSheet(sheet);
    }

    TSVGDocument Document;
    std::vector<TSVGGraphicElement*> Elements;
};

void BM_ApplyStyleSheet(benchmark::State& State)
{
    TBenchDocument bench;
    for (auto _ : State)
        bench.Document.ApplyStyles();
    State.counters["rules"] = double(bench.Document.Styles().Count());
    State.SetItemsProcessed(State.iterations() * std::int64_t(bench.Elements.size()));
}
BENCHMARK(BM_ApplyStyleSheet)->Unit(benchmark::kMillisecond);

// Arg 0: every read resolves (after Reset); arg 1: every read hits the cache.
void BM_ResolveFill(benchmark::State& State)
{
    TBenchDocument bench;
    bench.Document.ApplyStyles();
    const bool cached = State.range(0) == 1;
    for (auto _ : State) {
        if (!cached) {
            State.PauseTiming();
            bench.Document.Reset();
            State.ResumeTiming();
        }
        for (const TSVGGraphicElement* element : bench.Elements)
            benchmark::DoNotOptimize(element->Brush().Color());
    }
    State.SetItemsProcessed(State.iterations() * std::int64_t(bench.Elements.size()));
}
BENCHMARK(BM_ResolveFill)->ArgName("cached")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
