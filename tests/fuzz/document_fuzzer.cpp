// Arbitrary bytes as an SVG document: loading ends with a document or one of
// the system's errors, and what loaded draws into a small image, is hit
// tested and measured, all without a crash, a hang or unbounded memory.

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "svg/model/document.h"
#include "svg/model/draw_in_rect.h"
#include "svg/render/fitting.h"
#include "svg/shapes/shape_classes.h"
#include "svg/shapes/text_element.h"
#include "tests/fuzz/fuzz_support.h"

using namespace zor;
using namespace zor::fuzz;

namespace {

constexpr int CanvasSize = 32;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* Argc, char*** Argv)
{
    // Text needs fonts, which need the application object; it lives for the whole run.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(*Argc, *Argv);
    // Without them shapes and text would be recognised by name and make no element.
    RegisterShapeClasses();
    RegisterTextElementClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(Data), qsizetype(Size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TSVGDocument document;
    bool loaded = false;
    Rejectable([&] {
        document.LoadFromStream(buffer);
        loaded = true;
    });
    if (!loaded)
        return 0;
    // Drawing and hit testing raise nothing: any exception here is a finding.
    QImage image(CanvasSize, CanvasSize, QImage::Format_ARGB32_Premultiplied);
    DrawSVGElementToBitmap(image, &document, true);
    const QRectF target = BitmapTargetRect(image.size());
    const QTransform matrix = document.GetViewMatrix(target);
    for (int y = 0; y < CanvasSize; y += 8)
        for (int x = 0; x < CanvasSize; x += 8)
            document.ElementAtPos(matrix, QPointF(x, y), target, {});
    document.BoundsRect();
    return 0;
}
