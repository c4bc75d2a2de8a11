// What reading a document costs through the XML service (with its safety
// pass over entities), how long hostile input takes to be refused, and what
// component streaming costs per object.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QByteArray>
#include <memory>
#include <vector>

#include "platform/stream_classes.h"
#include "platform/streaming.h"
#include "platform/xml_document.h"

using namespace zor;

namespace {

// An SVG-like document of Count shapes in groups of ten.
QByteArray MakeDocument(int Count)
{
    QByteArray text = R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink">)";
    for (int i = 0; i < Count; ++i) {
        if (i % 10 == 0)
            text += "<g id=\"g" + QByteArray::number(i) + "\" transform=\"translate(1,2)\">";
        text += "<rect x=\"" + QByteArray::number(i) + "\" y=\"3\" width=\"10\" height=\"20\" style=\"fill:red\"/>"
                "<text x=\"1\">label " + QByteArray::number(i) + "</text>";
        if (i % 10 == 9)
            text += "</g>";
    }
    return text + "</svg>";
}

int VisitAll(const TXMLNode& Node)
{
    int count = 1;
    for (const TXMLAttribute& attribute : Node.Attributes())
        count += int(attribute.Value.size() > 0);
    for (TXMLNode child = Node.FirstChild(); child; child = child.NextSibling())
        count += VisitAll(child);
    return count;
}

void BM_XMLLoad(benchmark::State& State)
{
    const QByteArray text = MakeDocument(int(State.range(0)));
    for (auto _ : State) {
        TXMLDocument doc;
        doc.LoadFromBytes(text);
        benchmark::DoNotOptimize(doc.DocumentElement());
    }
    State.SetBytesProcessed(State.iterations() * text.size());
}
BENCHMARK(BM_XMLLoad)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_XMLLoadAndWalk(benchmark::State& State)
{
    const QByteArray text = MakeDocument(int(State.range(0)));
    for (auto _ : State) {
        TXMLDocument doc;
        doc.LoadFromBytes(text);
        benchmark::DoNotOptimize(VisitAll(doc.DocumentElement()));
    }
    State.SetBytesProcessed(State.iterations() * text.size());
}
BENCHMARK(BM_XMLLoadAndWalk)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_XMLSave(benchmark::State& State)
{
    TXMLDocument doc;
    doc.LoadFromBytes(MakeDocument(int(State.range(0))));
    for (auto _ : State)
        benchmark::DoNotOptimize(doc.SaveToBytes());
}
BENCHMARK(BM_XMLSave)->Arg(20000)->Unit(benchmark::kMillisecond);

// One 100 kB entity referenced 200 000 times (20 GB if expanded).
void BM_XMLRefuseQuadraticBlowup(benchmark::State& State)
{
    QByteArray text = "<!DOCTYPE a [<!ENTITY big \"" + QByteArray(100000, 'x') + "\">]><a>";
    for (int i = 0; i < 200000; ++i)
        text += "&big;";
    text += "</a>";
    for (auto _ : State) {
        TXMLDocument doc;
        try {
            doc.LoadFromBytes(text);
        } catch (const EXMLDocError&) {
            continue;
        }
        State.SkipWithError("the blow-up was read");
    }
}
BENCHMARK(BM_XMLRefuseQuadraticBlowup)->Unit(benchmark::kMillisecond);

class TShape : public TPersistent {
public:
    double X = 0;
    double Y = 0;
    QString Id;
    bool Visible = true;
    std::vector<std::unique_ptr<TShape>> Children;
};

const TStreamRegistry& ShapeClasses()
{
    static const TStreamRegistry registry = [] {
        TStreamRegistry made;
        made.Register<TShape>("TShape")
            .Property("X", [](const TShape& s) { return s.X; }, [](TShape& s, double v) { s.X = v; }, 0.0)
            .Property("Y", [](const TShape& s) { return s.Y; }, [](TShape& s, double v) { s.Y = v; }, 0.0)
            .Property("Id", [](const TShape& s) { return s.Id; }, [](TShape& s, const QString& v) { s.Id = v; })
            .Property("Visible", [](const TShape& s) { return s.Visible; }, [](TShape& s, bool v) { s.Visible = v; },
                      true)
            .Define(
                "Children", [](const TShape& s) { return !s.Children.empty(); },
                [](const TShape& s, TWriter& writer) {
                    writer.WriteListBegin();
                    for (const auto& child : s.Children)
                        writer.WriteComponent(child.get());
                    writer.WriteListEnd();
                },
                [](TShape& s, TReader& reader) {
                    reader.ReadListBegin();
                    while (!reader.EndOfList())
                        s.Children.emplace_back(CheckedCast<TShape>(reader.ReadComponent(&s).release()));
                    reader.ReadListEnd();
                });
        return made;
    }();
    return registry;
}

std::unique_ptr<TShape> MakeShapes(int Count)
{
    auto root = std::make_unique<TShape>();
    for (int i = 0; i < Count; ++i) {
        auto shape = std::make_unique<TShape>();
        shape->X = i;
        shape->Y = 0.5 * i;
        shape->Id = QStringLiteral("shape-%1").arg(i);
        root->Children.push_back(std::move(shape));
    }
    return root;
}

void BM_StreamWrite(benchmark::State& State)
{
    const std::unique_ptr<TShape> root = MakeShapes(int(State.range(0)));
    for (auto _ : State) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        TWriter(buffer, ShapeClasses()).WriteRootComponent(*root);
        benchmark::DoNotOptimize(buffer.data().size());
    }
    State.SetItemsProcessed(State.iterations() * State.range(0));
}
BENCHMARK(BM_StreamWrite)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_StreamRead(benchmark::State& State)
{
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    TWriter(written, ShapeClasses()).WriteRootComponent(*MakeShapes(int(State.range(0))));
    for (auto _ : State) {
        QBuffer buffer;
        buffer.setData(written.data());
        buffer.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(TReader(buffer, ShapeClasses()).ReadRootComponent());
    }
    State.SetItemsProcessed(State.iterations() * State.range(0));
}
BENCHMARK(BM_StreamRead)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
