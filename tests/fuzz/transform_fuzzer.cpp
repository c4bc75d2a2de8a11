// Transform lists: a list either raises one of the system's errors or gives
// a finite matrix, and that matrix writes out as text that reads back.

#include <QTransform>

#include "svg/values/transform_parser.h"
#include "tests/fuzz/fuzz_support.h"

using namespace zor;
using namespace zor::fuzz;

namespace {

void RequireFiniteMatrix(const QTransform& M, const char* What)
{
    for (double value : {M.m11(), M.m12(), M.m21(), M.m22(), M.dx(), M.dy()})
        RequireFinite(value, What);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    Rejectable([&] {
        const QTransform matrix = ParseTransform(InputText(Data, Size));
        RequireFiniteMatrix(matrix, "transform read from text");
        RequireFiniteMatrix(ParseTransform(TransformToString(matrix)), "transform written and read back");
    });
    return 0;
}
