#include "bench/large_documents.h"

#include <random>

namespace zor::bench {

namespace {

constexpr int CanvasWidth = 2000;
constexpr int CanvasHeight = 1500;
constexpr int PathsPerGroup = 100;

QByteArray Header()
{
    return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"") + QByteArray::number(CanvasWidth)
         + "\" height=\"" + QByteArray::number(CanvasHeight) + "\" viewBox=\"0 0 " + QByteArray::number(CanvasWidth)
         + ' ' + QByteArray::number(CanvasHeight) + "\">\n";
}

QByteArray Number(double Value)
{
    return QByteArray::number(Value, 'f', 1);
}

} // namespace

TLargeDocument FlatRectangles(int Count)
{
    std::mt19937 random(20261211);
    std::uniform_real_distribution<double> x(0, CanvasWidth - 10);
    std::uniform_real_distribution<double> y(0, CanvasHeight - 10);
    std::uniform_int_distribution<int> size(2, 9);
    QByteArray text = Header();
    text.reserve(qsizetype(Count) * 56);
    for (int i = 0; i < Count; ++i)
        text += "<rect x=\"" + Number(x(random)) + "\" y=\"" + Number(y(random)) + "\" width=\""
              + QByteArray::number(size(random)) + "\" height=\"" + QByteArray::number(size(random)) + "\"/>\n";
    text += "</svg>\n";
    return {QStringLiteral("rects-%1k").arg(Count / 1000), Count, text};
}

TLargeDocument PathsInGroups(int Count)
{
    std::mt19937 random(20261212);
    std::uniform_real_distribution<double> offset(0, 200);
    std::uniform_real_distribution<double> step(-12, 12);
    std::uniform_int_distribution<int> channel(0, 255);
    QByteArray text = Header();
    text.reserve(qsizetype(Count) * 90);
    for (int i = 0; i < Count; ++i) {
        if (i % PathsPerGroup == 0) {
            if (i > 0)
                text += "</g>\n";
            const int group = i / PathsPerGroup;
            text += "<g fill=\"#" + QByteArray::number(0x100000 + channel(random) * 0x100 + channel(random), 16)
                  + "\" stroke=\"#333\" stroke-width=\"0.5\" transform=\"translate("
                  + QByteArray::number(group % 10 * 200) + ',' + QByteArray::number(group / 10 % 8 * 180) + ")\">\n";
        }
        text += "<path d=\"M" + Number(offset(random)) + ',' + Number(offset(random)) + 'l' + Number(step(random))
              + ',' + Number(step(random)) + ' ' + Number(step(random)) + ',' + Number(step(random)) + 'q'
              + Number(step(random)) + ',' + Number(step(random)) + ' ' + Number(step(random)) + ',' + Number(step(random))
              + "z\"/>\n";
    }
    if (Count > 0)
        text += "</g>\n";
    text += "</svg>\n";
    return {QStringLiteral("paths-%1k-in-groups").arg(Count / 1000), Count, text};
}

std::vector<TLargeDocument> LargeDocuments()
{
    std::vector<TLargeDocument> documents;
    for (const int count : {10'000, 100'000, 300'000})
        documents.push_back(FlatRectangles(count));
    documents.push_back(PathsInGroups(100'000));
    return documents;
}

} // namespace zor::bench
