#include "tools/value_commands.h"

#include "geometry/path_data.h"
#include "svg/values/colors.h"
#include "svg/values/length_text.h"
#include "svg/values/lengths.h"
#include "svg/values/number_format.h"
#include "svg/values/transform_parser.h"
#include "svg/values/units.h"

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

} // namespace zor::tools
