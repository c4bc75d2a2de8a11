// zorsvg: shows what the SVG engine reads from attribute values and path data.
//
//   zorsvg path "M10,10 h20 a5,5 0 0 1 5,5"
//   zorsvg color "rgb(100%, 50%, 0)"
//   zorsvg transform "rotate(30 50 50) scale(2)"
//   zorsvg length 2.54cm [--dpi 96]
//   zorsvg check-artwork circular_gauge artwork/circular_gauge.svg
//   zorsvg demo

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <map>

#include "platform/exceptions.h"
#include "svg/values/number_format.h"
#include "tools/artwork_commands.h"
#include "tools/value_commands.h"

using namespace zor;
using namespace zor::tools;

namespace {

constexpr const char* Usage =
    "usage: zorsvg path <path data>\n"
    "       zorsvg color <colour>\n"
    "       zorsvg transform <transform list>\n"
    "       zorsvg length <length> [--dpi <dots per inch>]\n"
    "       zorsvg check-artwork <kind> <file>\n"
    "       zorsvg demo\n";

void RunDemo(QTextStream& Out)
{
    const std::pair<const char*, const char*> samples[] = {
        {"path", "M10,10 h80 v80 h-80 Z M30,30 a20,20 0 1 0 40,0 a20,20 0 1 0 -40,0"},
        {"path", "M0,0 C0,10 10,10 10,0 S20,-10 20,0"},
        {"color", "cornflowerblue"},
        {"color", "rgb(100%, 50%, 0)"},
        {"transform", "translate(50 50) rotate(45) scale(2)"},
        {"length", "2.54cm"},
        {"length", "12pt"},
    };
    for (const auto& [kind, text] : samples) {
        Out << "$ zorsvg " << kind << " \"" << text << "\"\n";
        const QString value = QString::fromUtf8(text);
        const QString command = QString::fromLatin1(kind);
        if (command == u"path")
            DescribePath(value, Out);
        else if (command == u"color")
            DescribeColor(value, Out);
        else if (command == u"transform")
            DescribeTransform(value, Out);
        else
            DescribeLength(value, 96, Out);
        Out << "\n";
    }
}

int Run(const QStringList& Args, QTextStream& Out)
{
    if (Args.size() == 1 && Args[0] == u"demo") {
        RunDemo(Out);
        return 0;
    }
    const std::map<QString, std::function<void(const QString&)>> commands = {
        {QStringLiteral("path"), [&](const QString& v) { DescribePath(v, Out); }},
        {QStringLiteral("color"), [&](const QString& v) { DescribeColor(v, Out); }},
        {QStringLiteral("transform"), [&](const QString& v) { DescribeTransform(v, Out); }},
    };
    if (Args.size() == 2) {
        const auto command = commands.find(Args[0]);
        if (command != commands.end()) {
            command->second(Args[1]);
            return 0;
        }
    }
    if (Args.size() == 3 && Args[0] == u"check-artwork")
        return CheckArtworkFile(Args[1], Args[2], Out);
    if (Args.size() >= 2 && Args[0] == u"length") {
        double dpi = 96;
        if (Args.size() == 4 && Args[2] == u"--dpi") {
            if (!TryStrToFloat(Args[3], dpi) || dpi <= 0) {
                std::fputs("zorsvg: --dpi needs a positive number\n", stderr);
                return 2;
            }
        } else if (Args.size() != 2) {
            std::fputs(Usage, stderr);
            return 2;
        }
        DescribeLength(Args[1], dpi, Out);
        return 0;
    }
    std::fputs(Usage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    try {
        return Run(app.arguments().mid(1), out);
    } catch (const Exception& e) {
        out.flush();
        std::fprintf(stderr, "zorsvg: %s\n", e.what());
        return 1;
    }
}
