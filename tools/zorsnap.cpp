// zorsnap: pictures of instruments without a window.
//
//   zorsnap list
//   zorsnap render <class> <out.png> [--size N|WxH] [--ratio R] [--quality Q]
//                  [--value V] [--time HH:MM:SS] [--decoration dcName]
//   zorsnap sheet <out.png> [--size N] [--ratio R] [--class NAME]...

#include <QApplication>
#include <QDateTime>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <optional>

#include "instruments/custom_instrument.h"
#include "instruments/decoration_catalogue.h"
#include "instruments/instrument_registry.h"
#include "platform/exceptions.h"
#include "svg/values/number_format.h"
#include "tools/snapshot.h"

using namespace zor;
using namespace zor::tools;

namespace {

constexpr const char* Usage =
    "usage: zorsnap list\n"
    "       zorsnap render <class> <out.png> [--size N|WxH] [--ratio R] [--quality Q]\n"
    "                      [--value V] [--time HH:MM:SS] [--decoration dcName]\n"
    "       zorsnap sheet <out.png> [--size N] [--ratio R] [--class NAME]...\n";

class TUsageError : public Exception {
public:
    using Exception::Exception;
};

// The options after the positional arguments, as name and value pairs.
class TOptions {
public:
    TOptions(const QStringList& Args, qsizetype First)
    {
        for (qsizetype i = First; i < Args.size(); i += 2) {
            if (!Args[i].startsWith(u"--") || i + 1 >= Args.size())
                throw TUsageError(QStringLiteral("expected an option and its value at '%1'").arg(Args[i]));
            FPairs.append({Args[i].mid(2), Args[i + 1]});
        }
    }

    std::optional<QString> Value(const QString& Name) const
    {
        for (const auto& [name, value] : FPairs)
            if (name == Name)
                return value;
        return std::nullopt;
    }
    QStringList Values(const QString& Name) const
    {
        QStringList values;
        for (const auto& [name, value] : FPairs)
            if (name == Name)
                values << value;
        return values;
    }
    double Number(const QString& Name, double Default, double Least, double Most) const
    {
        const std::optional<QString> text = Value(Name);
        if (!text)
            return Default;
        double value = 0;
        if (!TryStrToFloat(*text, value) || value < Least || value > Most)
            throw TUsageError(QStringLiteral("--%1 wants a number from %2 to %3").arg(Name).arg(Least).arg(Most));
        return value;
    }
    QSize Size(int Default) const
    {
        const QString text = Value(QStringLiteral("size")).value_or(QString::number(Default));
        const QStringList parts = text.split(u'x');
        int width = 0;
        int height = 0;
        const bool read = parts.size() <= 2 && TryStrToInt(parts[0], width) &&
                          (parts.size() == 1 ? (height = width, true) : TryStrToInt(parts[1], height));
        if (!read || width < 1 || height < 1 || width > MaxSide || height > MaxSide)
            throw TUsageError(QStringLiteral("--size wants N or WxH, each from 1 to %1").arg(MaxSide));
        return QSize(width, height);
    }

    static constexpr int MaxSide = 4096;

private:
    QList<std::pair<QString, QString>> FPairs;
};

TDecoration DecorationByName(const QString& Name)
{
    for (std::size_t i = 0; i < EnumCount(TDecoration{}); ++i)
        if (DecorationName(static_cast<TDecoration>(i)).compare(Name, Qt::CaseInsensitive) == 0)
            return static_cast<TDecoration>(i);
    throw TUsageError(QStringLiteral("unknown decoration '%1'").arg(Name));
}

void Save(const QImage& Image, const QString& FileName)
{
    if (!Image.save(FileName, "PNG"))
        throw Exception(QStringLiteral("cannot write %1").arg(FileName));
}

int Render(const TInstrumentRegistry& Registry, const QStringList& Args, QTextStream& Out)
{
    if (Args.size() < 3)
        throw TUsageError(QStringLiteral("render wants a class and a file"));
    const TInstrumentClass* entry = Registry.Find(Args[1]);
    if (entry == nullptr)
        throw TUsageError(QStringLiteral("unknown class '%1' (zorsnap list shows them)").arg(Args[1]));
    const TOptions options(Args, 3);
    const QSize size = options.Size(200);
    const qreal ratio = options.Number(QStringLiteral("ratio"), 1, 0.25, 8);
    std::unique_ptr<TZorSVGCustomInstrument> instrument = entry->Create();
    instrument->SetQuality(static_cast<int>(options.Number(QStringLiteral("quality"), 2, 1, 8)));
    if (const std::optional<QString> decoration = options.Value(QStringLiteral("decoration")))
        instrument->SetDecoration(DecorationByName(*decoration));
    if (options.Value(QStringLiteral("value"))) {
        if (!entry->SetValue)
            throw TUsageError(QStringLiteral("%1 shows no value").arg(entry->Name));
        entry->SetValue(*instrument, options.Number(QStringLiteral("value"), 0, -1e9, 1e9));
    }
    if (const std::optional<QString> time = options.Value(QStringLiteral("time"))) {
        if (!entry->SetTime)
            throw TUsageError(QStringLiteral("%1 shows no time").arg(entry->Name));
        const QTime clock = QTime::fromString(*time, QStringLiteral("HH:mm:ss"));
        if (!clock.isValid())
            throw TUsageError(QStringLiteral("--time wants HH:MM:SS"));
        entry->SetTime(*instrument, QDateTime(QDate::currentDate(), clock));
    }
    Save(Snapshot(*instrument, size, ratio), Args[2]);
    Out << Args[2] << ": " << entry->Name << " at " << size.width() << "x" << size.height() << ", ratio " << ratio
        << "\n";
    return 0;
}

int Sheet(const TInstrumentRegistry& Registry, const QStringList& Args, QTextStream& Out)
{
    if (Args.size() < 2)
        throw TUsageError(QStringLiteral("sheet wants a file"));
    const TOptions options(Args, 2);
    TSheetOptions sheet;
    sheet.CellSize = static_cast<int>(options.Number(QStringLiteral("size"), 64, 8, 1024));
    sheet.PixelRatio = options.Number(QStringLiteral("ratio"), 1, 0.25, 4);
    sheet.Classes = options.Values(QStringLiteral("class"));
    for (const QString& name : sheet.Classes)
        if (Registry.Find(name) == nullptr)
            throw TUsageError(QStringLiteral("unknown class '%1'").arg(name));
    Save(ContactSheet(Registry, sheet), Args[1]);
    Out << Args[1] << "\n";
    return 0;
}

int Run(const QStringList& Args, QTextStream& Out)
{
    const TInstrumentRegistry registry;
    if (Args.size() == 1 && Args[0] == u"list") {
        for (const QString& name : registry.Names())
            Out << name << "\n";
        return 0;
    }
    if (!Args.isEmpty() && Args[0] == u"render")
        return Render(registry, Args, Out);
    if (!Args.isEmpty() && Args[0] == u"sheet")
        return Sheet(registry, Args, Out);
    throw TUsageError(QString());
}

} // namespace

int main(int argc, char** argv)
{
    // Pictures only: no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    try {
        return Run(args, out);
    } catch (const TUsageError& Error) {
        if (!Error.Message().isEmpty())
            err << "zorsnap: " << Error.Message() << "\n";
        err << Usage;
        return 2;
    } catch (const Exception& Error) {
        err << "zorsnap: " << Error.Message() << "\n";
        return 1;
    }
}
