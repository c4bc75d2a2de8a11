// The dashboard program: shows the dashboard window until it is closed.
// Without a display it draws the window into a picture instead and says
// where.
//
//     veyra-dashboard [--screenshot FILE] [--click NAME] [--size WxH]
//
// --screenshot draws the window into FILE (PNG) and ends; --click first
// clicks the instrument NAME (as the mouse does), --size first resizes the
// window.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>

#include "app/dashboard_window.h"
#include "instruments/custom_instrument.h"

namespace {

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int Run(QApplication& Application, bool Offscreen)
{
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("The instrument dashboard."));
    options.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Draw the window into <file> (PNG) and end."),
                                        QStringLiteral("file"));
    const QCommandLineOption click(QStringLiteral("click"), QStringLiteral("Click the instrument <name> first."),
                                   QStringLiteral("name"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("Resize the window to <WxH> first."),
                                  QStringLiteral("WxH"));
    options.addOptions({screenshot, click, size});
    options.process(Application);

    zor::TfrmDashboard window;
    if (options.isSet(size)) {
        const QStringList sides = options.value(size).split(u'x');
        bool wide = false, high = false;
        const int width = sides.value(0).toInt(&wide);
        const int height = sides.value(1).toInt(&high);
        if (sides.size() != 2 || !wide || !high || width <= 0 || height <= 0 || width > 8192 || height > 8192) {
            std::fprintf(stderr, "--size wants WxH, each from 1 to 8192\n");
            return 2;
        }
        window.resize(width, height);
    }
    window.show();
    for (const QString& name : options.values(click)) {
        auto* target = window.findChild<zor::TZorSVGControl*>(name);
        if (target == nullptr) {
            std::fprintf(stderr, "There is no instrument named %s\n", qPrintable(name));
            return 2;
        }
        zor::SendClick(*target);
    }
    QString picture = options.value(screenshot);
    if (picture.isEmpty() && Offscreen)
        picture = QStringLiteral("dashboard.png");
    if (picture.isEmpty())
        return QApplication::exec();

    QApplication::processEvents();
    if (!window.grab().save(picture, "PNG")) {
        std::fprintf(stderr, "Could not write %s\n", qPrintable(picture));
        return 1;
    }
    std::printf("Drew the dashboard window into %s\n", qPrintable(QFileInfo(picture).absoluteFilePath()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Without a display the window is drawn offscreen.
    const bool offscreen = !HasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (offscreen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        return Run(application, offscreen);
    } catch (const std::exception& Error) {
        std::fprintf(stderr, "%s\n", Error.what());
        return 1;
    }
}
