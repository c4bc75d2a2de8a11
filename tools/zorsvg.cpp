// zorsvg: draws SVG files into PNG images and shows what the SVG engine reads
// from files, attribute values and path data. `zorsvg --help` lists the commands.

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "svg/shapes/shape_classes.h"
#include "svg/shapes/text_element.h"
#include "tools/command_line.h"

namespace {

// Qt's own notices (a missing runtime folder, font set-up) are no concern of
// a converter's user; its errors still show.
void QuietQtNotices(QtMsgType Type, const QMessageLogContext&, const QString& Message)
{
    if (Type == QtCriticalMsg || Type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(Message));
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietQtNotices);
    // Drawing needs fonts and images, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    zor::RegisterShapeClasses();
    zor::RegisterTextElementClasses();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return zor::tools::RunZorsvg(app.arguments().mid(1), out, err);
}
