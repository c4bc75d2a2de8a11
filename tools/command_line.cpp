#include "tools/command_line.h"

#include <cstdio>

#include "svg/model/document.h"
#include "svg/values/colors.h"
#include "tools/artwork_commands.h"
#include "tools/document_commands.h"
#include "tools/save_commands.h"
#include "tools/value_commands.h"

namespace zor::tools {

namespace {

constexpr const char* Usage =
    "usage: zorsvg render IN.svg -o OUT.png [-w WIDTH] [-h HEIGHT] [--background COLOR]\n"
    "       zorsvg info IN.svg\n"
    "       zorsvg save IN.svg -o OUT.svg [--binary] [--split N] [--exact] [--full]\n"
    "       zorsvg path <path data>\n"
    "       zorsvg color <colour>\n"
    "       zorsvg transform <transform list>\n"
    "       zorsvg length <length> [--dpi <dots per inch>]\n"
    "       zorsvg check-artwork KIND IN.svg\n"
    "       zorsvg demo\n"
    "       zorsvg --help | --version\n"
    "\n"
    "render draws IN.svg into a PNG image. Without -w and -h the image has the\n"
    "document's own size; one of them alone keeps its aspect ratio; both give the\n"
    "box the document is fitted into by its preserveAspectRatio. \"-\" reads the\n"
    "document from standard input or writes the image to standard output.\n"
    "info shows the size, the view box, the elements by kind, the ids and the\n"
    "values the document refused.\n"
    "save writes the document back as SVG text, or with --binary in the binary\n"
    "form, which render, info and save read as well. --split N breaks lines longer\n"
    "than N (over 32) where they allow it, --exact writes numbers in their shortest\n"
    "exact form instead of three decimals, --full writes default values too.\n"
    "check-artwork lists the ids an instrument artwork of KIND (circular_gauge,\n"
    "traffic_light, ...) lacks, has in the wrong place or kind, or has twice;\n"
    "its status is 1 when there are any.\n"
    "\n"
    "Exit status: 0 done, 1 the input could not be read or drawn, 2 usage error.\n";

bool IsOption(const QString& Arg)
{
    return Arg.size() > 1 && Arg.startsWith(u'-');
}

TAlphaColor ReadBackground(const QString& Text)
{
    // A value no colour text gives: the parser keeps it for unknown words.
    constexpr TAlphaColor unread = 0x00010203;
    bool noPaint = false;
    bool inherited = false;
    TAlphaColor color = unread;
    try {
        color = ParseColor(Text, unread, noPaint, 0, inherited);
    } catch (const Exception&) {
    }
    if (noPaint || Text.trimmed() == u"transparent")
        return 0;
    if (color == unread || inherited)
        throw EUsageError(QStringLiteral("--background: \"%1\" is not a colour").arg(Text));
    return color;
}

QString OneInput(const TArguments& Arguments, const char* Command)
{
    const QStringList operands = Arguments.Operands();
    if (operands.size() != 1)
        throw EUsageError(QStringLiteral("%1 takes one input file").arg(QString::fromLatin1(Command)));
    return operands[0];
}

void RunRender(const QStringList& Args)
{
    TArguments arguments(Args);
    TRenderRequest request;
    const std::optional<QString> output = arguments.Take({"-o", "--output"});
    if (!output)
        throw EUsageError(QStringLiteral("render needs an output file: -o OUT.png"));
    request.Output = *output;
    request.Width = arguments.TakePositive({"-w", "--width"});
    request.Height = arguments.TakePositive({"-h", "--height"});
    if (const std::optional<QString> background = arguments.Take({"--background", "-b"}))
        request.Background = ReadBackground(*background);
    request.Input = OneInput(arguments, "render");
    Render(request);
}

void RunSave(const QStringList& Args)
{
    TArguments arguments(Args);
    TSaveRequest request;
    const std::optional<QString> output = arguments.Take({"-o", "--output"});
    if (!output)
        throw EUsageError(QStringLiteral("save needs an output file: -o OUT.svg"));
    request.Output = *output;
    request.SplitLines = arguments.TakePositive({"--split"});
    request.Binary = arguments.TakeFlag({"--binary"});
    request.Exact = arguments.TakeFlag({"--exact"});
    request.Full = arguments.TakeFlag({"--full"});
    request.Input = OneInput(arguments, "save");
    Save(request);
}

void RunInfo(const QStringList& Args, QTextStream& Out)
{
    const TArguments arguments(Args);
    DescribeDocument(LoadDocument(OneInput(arguments, "info")), Out);
}

} // namespace

TArguments::TArguments(const QStringList& Args)
    : FArgs(Args)
{
}

std::optional<QString> TArguments::Take(std::initializer_list<const char*> Names)
{
    for (qsizetype i = 0; i < FArgs.size(); ++i)
        for (const char* name : Names) {
            const QString option = QString::fromLatin1(name);
            if (FArgs[i] == option) {
                if (i + 1 >= FArgs.size())
                    throw EUsageError(QStringLiteral("%1 needs a value").arg(option));
                const QString value = FArgs[i + 1];
                FArgs.remove(i, 2);
                return value;
            }
            if (option.startsWith(u"--") && FArgs[i].startsWith(option + u'=')) {
                const QString value = FArgs[i].mid(option.size() + 1);
                FArgs.remove(i);
                return value;
            }
        }
    return std::nullopt;
}

bool TArguments::TakeFlag(std::initializer_list<const char*> Names)
{
    for (const char* name : Names)
        if (FArgs.removeAll(QString::fromLatin1(name)) > 0)
            return true;
    return false;
}

std::optional<int> TArguments::TakePositive(std::initializer_list<const char*> Names)
{
    const std::optional<QString> text = Take(Names);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value <= 0)
        throw EUsageError(QStringLiteral("%1 needs a positive whole number, not \"%2\"")
                              .arg(QString::fromLatin1(*Names.begin()), *text));
    return value;
}

QStringList TArguments::Operands() const
{
    for (const QString& arg : FArgs)
        if (IsOption(arg))
            throw EUsageError(QStringLiteral("unknown option %1").arg(arg));
    return FArgs;
}

int RunZorsvg(const QStringList& Args, QTextStream& Out, QTextStream& Err)
{
    try {
        const QString command = Args.value(0);
        const QStringList rest = Args.mid(1);
        if (command == u"--help" || command == u"help") {
            Out << Usage;
        } else if (command == u"--version") {
            Out << "zorsvg " << ZOR_VERSION << "\n";
        } else if (command == u"render") {
            RunRender(rest);
        } else if (command == u"save") {
            RunSave(rest);
        } else if (command == u"info") {
            RunInfo(rest, Out);
        } else if (command == u"check-artwork") {
            const QStringList operands = TArguments(rest).Operands();
            if (operands.size() != 2)
                throw EUsageError(QStringLiteral("check-artwork takes a kind and a file"));
            return CheckArtworkFile(operands[0], operands[1], Out);
        } else if (!RunValueCommand(Args, Out)) {
            Err << (command.isEmpty() ? QString() : QStringLiteral("zorsvg: unknown command %1\n").arg(command))
                << Usage;
            return 2;
        }
        return 0;
    } catch (const EUsageError& error) {
        Out.flush();
        Err << "zorsvg: " << error.Message() << "\n" << Usage;
        return 2;
    } catch (const Exception& error) {
        Out.flush();
        Err << "zorsvg: " << error.Message() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        Out.flush();
        Err << "zorsvg: not enough memory\n";
        return 1;
    }
}

} // namespace zor::tools
