// Numbers, lengths, angles, point lists, view boxes and aspect ratios: every
// reader either raises one of the system's errors or keeps its results finite.

#include "svg/values/length_text.h"
#include "svg/values/lengths.h"
#include "svg/values/number_parsers.h"
#include "svg/values/view_box.h"
#include "tests/fuzz/fuzz_support.h"

using namespace zor;
using namespace zor::fuzz;

namespace {

void RequireFiniteLength(const TSVGLength& Length)
{
    RequireFinite(Length.Raw(), "length number");
    RequireFinite(Length.GetValue(), "length in user units");
}

void ReadLengths(const QString& Text)
{
    TSVGLength length;
    ParseLength(Text, length);
    RequireFiniteLength(length);
    TSVGLength written;
    ParseLength(length.ToString(QStringLiteral("0.###"), 0, 1), written);
    RequireFiniteLength(written);

    ParseLengthValue(Text, length, 0, 1);
    RequireFiniteLength(length);
    bool inherited = false;
    ParseLengthProperty(Text, length, inherited, 0, 100);
    RequireFiniteLength(length);

    TSVGLengths lengths;
    ParseLengthList(Text, lengths, 0, 1);
    for (qsizetype i = 0; i < lengths.Count(); ++i)
        RequireFiniteLength(lengths[i]);
    FormatLengthList(lengths, QStringLiteral("0.###"), QStringLiteral(" "));

    TSVGUnit unit = TSVGUnit::suNone;
    RequireFinite(ParseUnitValue(Text, unit, DefaultUnitFactors, 0), "unit value");
}

void ReadNumbers(const QString& Text)
{
    bool flag = false;
    RequireFinite(ParseNumber(Text, flag, 0), "number");
    RequireFinite(ParseFloatValue(Text, flag, 0), "float value");
    RequireFinite(ParseAngle(Text, flag, 0), "angle");
    for (float value : ParseNumberList(Text, {}))
        RequireFinite(value, "number list entry");
    SplitNumbers(Text);
    Rejectable([&] { RequireFinite(StrToNumber(Text), "number text"); });
    Rejectable([&] {
        const TCanvasPoints points = ParsePoints(Text);
        for (const QPointF& point : points) {
            RequireFinite(point.x(), "point x");
            RequireFinite(point.y(), "point y");
        }
        FormatPoints(points, QStringLiteral("0.###"));
    });
}

void ReadBoxes(const QString& Text)
{
    TSVGViewBox box;
    ParseViewBox(Text, box);
    const QRectF rect = box.Rect();
    for (double value : {rect.x(), rect.y(), rect.width(), rect.height()})
        RequireFinite(value, "view box");
    TSVGPreserveAspectRatio ratio(TSVGAlign::saXMidYMid, false, false);
    ParseAspectRatio(Text, ratio);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QString text = InputText(Data, Size);
    ReadLengths(text);
    ReadNumbers(text);
    ReadBoxes(text);
    return 0;
}
