// Filling and stroking 5,000 cached outlines into a 1024 × 1024 image: the
// draw loop of a large document with nothing changed, with every matrix
// changed, with a stretched matrix (strokes as outlines), and with every
// element under opacity (one layer each); and the same outlines painted by a
// bare painter, for what the render context adds.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <numbers>
#include <vector>

#include "generated_paths.h"
#include "geometry/geometry_functions.h"
#include "geometry/path_data.h"
#include "svg/render/render_context.h"
#include "svg/render/transformed_path.h"

using namespace zor;

namespace {

constexpr int PathCount = 5000;
constexpr int CanvasSize = 1024;

const std::vector<std::unique_ptr<TZorPathData>>& Paths()
{
    static const std::vector<std::unique_ptr<TZorPathData>> paths = bench::GeneratedPaths(PathCount, CanvasSize);
    return paths;
}

// Draws every path with fill and stroke, each under ElementMatrix(frame).
template <typename MatrixOfFrame>
void DrawFrames(benchmark::State& State, MatrixOfFrame ElementMatrix, double Opacity)
{
    QImage image(CanvasSize, CanvasSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    TCanvasScene scene(image);
    TRenderContext context(scene.Painter());
    context.SetFill(TRenderPaint(QBrush(QColor(40, 120, 200)), 0.8));
    TStrokeStyle stroke;
    stroke.Width = 2;
    stroke.Join = TStrokeJoin::Round;
    context.SetStroke(TRenderPaint(QBrush(QColor(20, 20, 20))), stroke);
    std::vector<TTransformedPath> cache(Paths().size());
    int frame = 0;
    for (auto _ : State) {
        const QTransform m = ElementMatrix(frame++);
        for (std::size_t i = 0; i < cache.size(); ++i) {
            cache[i].Update(*Paths()[i], m);
            context.FillAndStroke(cache[i], Opacity);
        }
    }
    State.SetItemsProcessed(State.iterations() * PathCount);
}

// A little rotation and scale about the canvas centre: a uniform matrix.
QTransform Turned(int Degrees)
{
    return RotationMatrixAbout(QPointF(CanvasSize / 2.0, CanvasSize / 2.0), Degrees * std::numbers::pi / 180)
        * ScalingMatrix(0.95, 0.95);
}

void BM_DrawUnchanged(benchmark::State& State)
{
    DrawFrames(State, [](int) { return Turned(3); }, 1);
}
BENCHMARK(BM_DrawUnchanged)->Unit(benchmark::kMillisecond);

void BM_DrawEveryMatrixChanged(benchmark::State& State)
{
    DrawFrames(State, [](int Frame) { return Turned(Frame % 360); }, 1);
}
BENCHMARK(BM_DrawEveryMatrixChanged)->Unit(benchmark::kMillisecond);

void BM_DrawStretchedUnchanged(benchmark::State& State)
{
    DrawFrames(State, [](int) { return ScalingMatrix(1, 0.6); }, 1);
}
BENCHMARK(BM_DrawStretchedUnchanged)->Unit(benchmark::kMillisecond);

void BM_DrawUnderOpacity(benchmark::State& State)
{
    DrawFrames(State, [](int) { return Turned(3); }, 0.5);
}
BENCHMARK(BM_DrawUnderOpacity)->Unit(benchmark::kMillisecond);

void BM_BarePainter(benchmark::State& State)
{
    QImage image(CanvasSize, CanvasSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(20, 20, 20), 2);
    pen.setJoinStyle(Qt::RoundJoin);
    std::vector<QPainterPath> canvasPaths;
    for (const auto& path : Paths())
        canvasPaths.push_back(Turned(3).map(path->ToPainterPath()));
    for (auto _ : State)
        for (const QPainterPath& path : canvasPaths) {
            painter.setOpacity(0.8);
            painter.fillPath(path, QColor(40, 120, 200));
            painter.setOpacity(1);
            painter.strokePath(path, pen);
        }
    State.SetItemsProcessed(State.iterations() * PathCount);
}
BENCHMARK(BM_BarePainter)->Unit(benchmark::kMillisecond);

} // namespace
