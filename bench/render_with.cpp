// One renderer of the benchmark build as a whole process, for timing side by
// side with command-line converters (hyperfine, farm-bench):
//
//   render_with RENDERER IN.svg WIDTH [OUT.png]
//
// RENDERER is a name the corpus tables use (ours, librsvg, QtSvg, libxml2).
// The file is read, loaded, drawn WIDTH pixels wide and written as PNG when
// OUT is given; a renderer that only loads (libxml2) stops after the load.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>
#include <cstdio>

#include "bench/renderers.h"
#include "platform/exceptions.h"

using namespace zor;
using namespace zor::bench;

namespace {

int Fail(const QString& Message, int Status)
{
    QTextStream(stderr) << "render_with: " << Message << '\n';
    return Status;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 4 || arguments.size() > 5)
        return Fail(QStringLiteral("usage: render_with RENDERER IN.svg WIDTH [OUT.png]"), 2);
    bool widthRead = false;
    const int width = arguments[3].toInt(&widthRead);
    if (!widthRead || width <= 0)
        return Fail(QStringLiteral("the width must be a positive number"), 2);

    std::unique_ptr<TRendererUnderTest> renderer;
    for (std::unique_ptr<TRendererUnderTest>& candidate : RenderersUnderTest())
        if (candidate->Name().compare(arguments[1], Qt::CaseInsensitive) == 0)
            renderer = std::move(candidate);
    if (!renderer)
        return Fail(QStringLiteral("this build has no renderer named %1").arg(arguments[1]), 2);

    QFile file(arguments[2]);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(file.errorString(), 1);
    try {
        const std::unique_ptr<TLoadedDocument> document = renderer->Load(file.readAll());
        const auto* drawable = dynamic_cast<const TDrawableDocument*>(document.get());
        if (drawable == nullptr)
            return 0;
        QImage image(DrawingSize(drawable->IntrinsicSize(), width), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        drawable->Draw(image);
        if (arguments.size() == 5 && !image.save(arguments[4], "PNG"))
            return Fail(QStringLiteral("cannot write %1").arg(arguments[4]), 1);
    } catch (const Exception& error) {
        return Fail(error.Message(), 1);
    }
    return 0;
}
