// Path text: reading never raises, every point read is finite, what was read
// writes out as text that reads back the same, and measuring, hit testing and
// flattening finish on whatever was read.

#include <QPainterPath>

#include "geometry/path_data.h"
#include "tests/fuzz/fuzz_support.h"

using namespace zor;
using namespace zor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TZorPathData path;
    path.SetData(InputText(Data, Size));
    for (const TPathPoint& point : path.PointList()) {
        RequireFinite(point.Point.x(), "path point x");
        RequireFinite(point.Point.y(), "path point y");
    }
    TZorPathData again;
    again.SetData(path.Data());
    Require(again.Data() == path.Data(), "path text reads back the same");

    const QRectF bounds = path.GetBounds();
    path.GetLength();
    path.PointInPath(bounds.center());
    path.PointInPathOutline(bounds.center(), 2);
    path.SplitDataByLength(10, QStringLiteral("\n"));
    path.ToPainterPath();
    path.Flatten(0.25);
    return 0;
}
