// A document of 5,000 paths in 50 groups, drawn through the element tree
// into a 1024 × 1024 image: unchanged, after a Reset (every cache cold), and
// one element of it alone, as an instrument redraws its needle between its
// cached layers; and hit tests of 1,000 points.

#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>
#include <random>

#include "generated_paths.h"
#include "geometry/geometry_functions.h"
#include "svg/model/document.h"
#include "svg/model/group.h"
#include "svg/model/path_element.h"
#include "svg/render/fitting.h"
#include "svg/render/render_context.h"

using namespace zor;

namespace {

constexpr int PathCount = 5000;
constexpr int GroupCount = 50;
constexpr int CanvasSize = 1024;

struct TBenchDocument {
    TBenchDocument()
    {
        Document.SetBoundsRect(QRectF(0, 0, CanvasSize, CanvasSize));
        const auto paths = bench::GeneratedPaths(PathCount, CanvasSize);
        TSVGGroup* group = nullptr;
        for (int i = 0; i < PathCount; ++i) {
            if (i % (PathCount / GroupCount) == 0)
                group = Document.AppendChild(std::make_unique<TSVGGroup>(&Document));
            auto* path = group->AppendChild(std::make_unique<TSVGPath>(&Document));
            path->SetData(*paths[i]);
            TSVGBrush brush(TBrushKind::Solid, 0xFF000000u | (0x2878C8u + 0x010305u * (i % 40)));
            brush.SetOpacity(0.8f);
            path->SetBrush(brush);
            TSVGPen pen(TBrushKind::Solid, 0xFF141414);
            pen.SetThickness(2);
            pen.SetJoin(TStrokeJoin::Round);
            path->SetPen(pen);
            Paths.push_back(path);
        }
    }

    TSVGDocument Document;
    std::vector<TSVGPath*> Paths;
};

TBenchDocument& Bench()
{
    static TBenchDocument document;
    return document;
}

// Draws into a fresh image each frame, as a host does, Draw(canvas, target) being one frame.
template <typename DrawFunction>
void DrawFrames(benchmark::State& State, DrawFunction&& Draw)
{
    QImage image(CanvasSize, CanvasSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    TCanvasScene scene(image);
    TRenderContext canvas(scene.Painter());
    const QRectF target = BitmapTargetRect(image.size());
    int frame = 0;
    for (auto _ : State)
        Draw(canvas, target, frame++);
}

void BM_DrawDocument(benchmark::State& State)
{
    TSVGDocument& document = Bench().Document;
    DrawFrames(State, [&](TRenderContext& Canvas, const QRectF& Target, int) { document.Draw(Canvas, Target); });
    State.SetItemsProcessed(State.iterations() * PathCount);
}
BENCHMARK(BM_DrawDocument)->Unit(benchmark::kMillisecond);

void BM_DrawDocumentAfterReset(benchmark::State& State)
{
    TSVGDocument& document = Bench().Document;
    DrawFrames(State, [&](TRenderContext& Canvas, const QRectF& Target, int) {
        document.Reset();
        document.Draw(Canvas, Target);
    });
    State.SetItemsProcessed(State.iterations() * PathCount);
}
BENCHMARK(BM_DrawDocumentAfterReset)->Unit(benchmark::kMillisecond);

// One path in the middle of the document, drawn alone with its ancestors'
// matrices, turned a degree further every frame like a needle.
void BM_DrawElementTurning(benchmark::State& State)
{
    TBenchDocument& bench = Bench();
    TSVGPath* needle = bench.Paths[PathCount / 2];
    const QPointF centre = needle->BoundsRect().center();
    DrawFrames(State, [&](TRenderContext& Canvas, const QRectF& Target, int Frame) {
        needle->SetMatrix(RotationMatrixAbout(centre, Frame % 360 * 0.0174533));
        bench.Document.DrawElement(needle, Canvas, Target);
    });
    needle->SetMatrix(QTransform());
}
BENCHMARK(BM_DrawElementTurning)->Unit(benchmark::kMicrosecond);

void BM_ElementAtPos(benchmark::State& State)
{
    TSVGDocument& document = Bench().Document;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(0, CanvasSize);
    std::vector<QPointF> points(1000);
    for (QPointF& point : points)
        point = QPointF(coordinate(random), coordinate(random));
    const QRectF target(0, 0, CanvasSize, CanvasSize);
    const QTransform M = document.GetViewMatrix(target);
    int found = 0;
    for (auto _ : State)
        for (const QPointF& point : points)
            found += document.ElementAtPos(M, point, target, {}) != nullptr;
    benchmark::DoNotOptimize(found);
    State.SetItemsProcessed(State.iterations() * std::int64_t(points.size()));
}
BENCHMARK(BM_ElementAtPos)->Unit(benchmark::kMillisecond);

} // namespace
