// What a repaint of an instrument costs once its active element has moved,
// against a full drawing of its document: a document of 2,000 paths behind a
// three-part needle and 200 paths over it, in a 400 × 400 control at device
// pixel ratios 1 and 2 and supersampling qualities 1 and 2; and the same for
// the artworks of the round gauge, the classic clock and the speedometer; and
// a value change of a round barometer against a full drawing of it.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "generated_paths.h"
#include "instruments/artwork_instrument.h"
#include "instruments/barometers.h"
#include "instruments/svg_control.h"
#include "svg/model/document.h"
#include "svg/model/group.h"
#include "svg/model/path_element.h"

using namespace zor;

namespace {

constexpr int BackPaths = 2000;
constexpr int FrontPaths = 200;
constexpr int Side = 400;

class TBenchControl : public TZorSVGControl {
public:
    TBenchControl()
    {
        resize(Side, Side);
        TSVGDocument& doc = SVG();
        doc.SetBoundsRect(QRectF(0, 0, Side, Side));
        const auto paths = bench::GeneratedPaths(BackPaths + FrontPaths, Side);
        for (int i = 0; i < BackPaths; ++i)
            AddPath(doc, *paths[i], 0xFF2878C8u + 0x010305u * (i % 40));
        FNeedle = doc.AppendChild(std::make_unique<TSVGGroup>(&doc));
        for (const char* data : {"M195,200 L200,60 L205,200 Z", "M197,200 L200,70 L203,200 Z",
                                 "M190,200 a10,10 0 1 0 20,0 a10,10 0 1 0 -20,0 Z"}) {
            TZorPathData needle;
            needle.SetData(QString::fromLatin1(data));
            AddPath(*FNeedle, needle, 0xFFD02020);
        }
        for (int i = BackPaths; i < BackPaths + FrontPaths; ++i)
            AddPath(doc, *paths[i], 0x80FFFFFFu);
    }

    void UseNeedle(bool Active) { SetActiveSVGElement(Active ? FNeedle : nullptr); }
    void InvalidateLayers() { InvalidateBuffers(); }
    // Turns the needle to a new angle, as a value change does.
    void Turn(double Angle)
    {
        FNeedle->SetMatrix(QTransform().translate(200, 200).rotate(Angle).translate(-200, -200));
    }

private:
    void AddPath(TSVGElement& Parent, const TZorPathData& Data, TAlphaColor Color)
    {
        auto* path = Parent.AppendChild(std::make_unique<TSVGPath>(&SVG()));
        path->SetData(Data);
        path->SetBrush(TSVGBrush(TBrushKind::Solid, Color));
        TSVGPen pen(TBrushKind::Solid, 0xFF141414);
        pen.SetThickness(1.5);
        path->SetPen(pen);
    }

    TSVGGroup* FNeedle = nullptr;
};

// One frame as the widget system asks for it: the control painted into the
// window's pixels.
void PaintFrame(TBenchControl& Control, QImage& Frame)
{
    QPainter painter(&Frame);
    Control.PaintTo(painter);
}

QImage MakeFrame(qreal Ratio)
{
    QImage frame(static_cast<int>(Side * Ratio), static_cast<int>(Side * Ratio), QImage::Format_ARGB32_Premultiplied);
    frame.setDevicePixelRatio(Ratio);
    return frame;
}

// Arguments: device pixel ratio × 10, quality.
void BM_FullDrawing(benchmark::State& State)
{
    TBenchControl control;
    control.SetQuality(static_cast<int>(State.range(1)));
    control.SetBuffered(false);
    QImage frame = MakeFrame(State.range(0) / 10.0);
    double angle = 0;
    for (auto _ : State) {
        control.Turn(angle += 1);
        PaintFrame(control, frame);
    }
}
BENCHMARK(BM_FullDrawing)->Args({10, 1})->Args({20, 1})->Unit(benchmark::kMillisecond);

void BM_RepaintAfterMovingTheActiveElement(benchmark::State& State)
{
    TBenchControl control;
    control.SetQuality(static_cast<int>(State.range(1)));
    control.UseNeedle(true);
    QImage frame = MakeFrame(State.range(0) / 10.0);
    PaintFrame(control, frame);
    double angle = 0;
    for (auto _ : State) {
        control.Turn(angle += 1);
        PaintFrame(control, frame);
    }
}
BENCHMARK(BM_RepaintAfterMovingTheActiveElement)
    ->Args({10, 1})
    ->Args({20, 1})
    ->Args({10, 2})
    ->Args({20, 2})
    ->Unit(benchmark::kMillisecond);

// The layers drawn again: what a change outside the active element costs.
void BM_RebuildingTheLayers(benchmark::State& State)
{
    TBenchControl control;
    control.SetQuality(static_cast<int>(State.range(1)));
    control.UseNeedle(true);
    QImage frame = MakeFrame(State.range(0) / 10.0);
    for (auto _ : State) {
        control.InvalidateLayers();
        PaintFrame(control, frame);
    }
}
BENCHMARK(BM_RebuildingTheLayers)->Args({10, 1})->Args({10, 2})->Unit(benchmark::kMillisecond);

// An artwork as its instrument shows it, its active element turned about
// the middle of the picture for each frame.
class TBenchArtwork : public TZorArtworkInstrument {
public:
    explicit TBenchArtwork(TArtworkKind Kind)
        : TZorArtworkInstrument(Kind)
    {
    }
    void Turn(double Angle)
    {
        const QPointF centre = SVG().GetBoundsRect(QTransform()).center();
        ActiveSVGElement()->SetMatrix(
            QTransform().translate(centre.x(), centre.y()).rotate(Angle).translate(-centre.x(), -centre.y()));
    }
};

// Arguments: artwork kind, buffered.
void BM_Artwork(benchmark::State& State)
{
    const auto kind = static_cast<TArtworkKind>(State.range(0));
    auto artwork = CreateInstrument<TBenchArtwork>(nullptr, kind);
    artwork->resize(Side, Side);
    artwork->SetQuality(1);
    artwork->SetBuffered(State.range(1) != 0);
    QImage frame = MakeFrame(1);
    QPainter painter(&frame);
    artwork->PaintTo(painter);
    double angle = 0;
    for (auto _ : State) {
        artwork->Turn(angle += 1);
        artwork->PaintTo(painter);
    }
    State.SetLabel(QString::fromLatin1(ArtworkContract(kind).Name).toStdString() +
                   (State.range(1) != 0 ? " repaint after a move" : " full drawing"));
}
BENCHMARK(BM_Artwork)
    ->ArgsProduct({{static_cast<int>(TArtworkKind::akCircularGauge), static_cast<int>(TArtworkKind::akClockClassic),
                    static_cast<int>(TArtworkKind::akSpeedometer)},
                   {0, 1}})
    ->Unit(benchmark::kMillisecond);

// A round barometer: what one value change costs (the setter and the
// repaint it asks for) against a full drawing of the instrument. Arguments:
// buffered, quality.
void BM_Barometer(benchmark::State& State)
{
    const bool buffered = State.range(0) != 0;
    auto barometer = CreateInstrument<TZorCircularBarometer>();
    barometer->resize(Side, Side);
    barometer->SetQuality(static_cast<int>(State.range(1)));
    barometer->SetBuffered(buffered);
    QImage frame = MakeFrame(1);
    QPainter painter(&frame);
    barometer->PaintTo(painter);
    int step = 0;
    for (auto _ : State) {
        barometer->SetValue(static_cast<float>(950 + ++step % 100));
        barometer->PaintTo(painter);
    }
    State.SetLabel(buffered ? "value change" : "full drawing");
}
BENCHMARK(BM_Barometer)->ArgsProduct({{0, 1}, {1, 2}})->Unit(benchmark::kMillisecond);

} // namespace
