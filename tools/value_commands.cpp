#include "tools/value_commands.h"

#include <functional>
#include <map>

#include "geometry/path_data.h"
#include "svg/values/colors.h"
#include "svg/values/length_text.h"
#include "svg/values/lengths.h"
#include "svg/values/number_format.h"
#include "svg/values/transform_parser.h"
#include "svg/values/units.h"
#include "tools/command_line.h"

namespace zor::tools {

namespace {

QString Number(double Value)
{
    return FormatFloat(QStringLiteral("0.###"), Value);
}

QString UnitName(TSVGUnit Unit)
{
    const QString suffix = UnitSuffix(Unit);
    return suffix.isEmpty() ? QStringLiteral("user units") : suffix;
}

} // namespace

void DescribePath(const QString& Data, QTextStream& Out)
{
    TZorPathData path;
    path.SetData(Data);
    const QRectF bounds = path.GetBounds();
    Out << "path:      " << path.Data() << "\n"
        << "entries:   " << path.Count() << "\n"
        << "polygons:  " << path.Polygons().size() << "\n"
        << "length:    " << Number(path.GetLength()) << "\n"
        << "bounds:    " << Number(bounds.left()) << ' ' << Number(bounds.top()) << ' ' << Number(bounds.width())
        << ' ' << Number(bounds.height()) << "\n";
}

void DescribeColor(const QString& Text, QTextStream& Out)
{
    bool noPaint = false;
    bool inherited = false;
    const TAlphaColor color = ParseColor(Text, 0, noPaint, 0xFF000000u, inherited);
    if (inherited) {
        Out << "colour:    inherit\n";
        return;
    }
    if (noPaint) {
        Out << "colour:    none\n";
        return;
    }
    Out << "colour:    " << ColorToString(color) << "\n"
        << "argb:      0x" << QString::number(color, 16).rightJustified(8, u'0').toUpper() << "\n";
}

void DescribeTransform(const QString& Text, QTextStream& Out)
{
    const QTransform m = ParseTransform(Text);
    Out << "transform: " << TransformToString(m) << "\n"
        << "matrix:    " << Number(m.m11()) << ' ' << Number(m.m12()) << " / " << Number(m.m21()) << ' '
        << Number(m.m22()) << " / " << Number(m.m31()) << ' ' << Number(m.m32()) << "\n";
}

void DescribeLength(const QString& Text, double Dpi, QTextStream& Out)
{
    TSVGLength length;
    length.OnUnitFactors = [Dpi](const TPersistent&, TSVGUnitFactors& Factors) {
        Factors = UnitFactorsForResolution(float(Dpi));
    };
    ParseLength(Text, length);
    Out << "length:    " << FormatLength(length, QStringLiteral("0.###"), 0, 0) << "\n"
        << "unit:      " << (length.IsPercent() ? QStringLiteral("%") : UnitName(length.aUnit())) << "\n"
        << "pixels:    " << Number(length.Pixels()) << " at " << Number(Dpi) << " dpi\n";
}

namespace {

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
        RunValueCommand({QString::fromLatin1(kind), QString::fromUtf8(text)}, Out);
        Out << "\n";
    }
}

} // namespace

bool RunValueCommand(const QStringList& Args, QTextStream& Out)
{
    if (Args.isEmpty())
        return false;
    if (Args[0] == u"demo") {
        if (Args.size() != 1)
            throw EUsageError(QStringLiteral("demo takes no operands"));
        RunDemo(Out);
        return true;
    }
    if (Args[0] == u"length") {
        TArguments arguments(Args.mid(1));
        double dpi = 96;
        if (const std::optional<QString> text = arguments.Take({"--dpi"}); text && (!TryStrToFloat(*text, dpi) || dpi <= 0))
            throw EUsageError(QStringLiteral("--dpi needs a positive number"));
        const QStringList operands = arguments.Operands();
        if (operands.size() != 1)
            throw EUsageError(QStringLiteral("length takes one length"));
        DescribeLength(operands[0], dpi, Out);
        return true;
    }
    const std::map<QString, std::function<void(const QString&, QTextStream&)>> commands = {
        {QStringLiteral("path"), DescribePath},
        {QStringLiteral("color"), DescribeColor},
        {QStringLiteral("transform"), DescribeTransform},
    };
    const auto command = commands.find(Args[0]);
    if (command == commands.end())
        return false;
    if (Args.size() != 2)
        throw EUsageError(QStringLiteral("%1 takes one value").arg(Args[0]));
    command->second(Args[1], Out);
    return true;
}

} // namespace zor::tools
