// Colours and paint references: a colour text either raises one of the
// system's errors or gives a colour whose written form reads back to it.

#include "svg/values/colors.h"
#include "svg/values/reference_parsers.h"
#include "tests/fuzz/fuzz_support.h"

using namespace zor;
using namespace zor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QString text = InputText(Data, Size);
    Rejectable([&] {
        bool noPaint = false;
        bool inherited = false;
        const TAlphaColor color = ParseColor(text, OpaqueBlack, noPaint, OpaqueBlack, inherited);
        const TAlphaColor opaque = color | 0xFF000000u;
        bool noPaintAgain = false;
        bool inheritedAgain = false;
        const TAlphaColor again =
            ParseColor(ColorToString(opaque), OpaqueBlack, noPaintAgain, OpaqueBlack, inheritedAgain);
        Require(again == opaque, "colour text reads back the same");
    });
    ParsePaintReference(text);
    SplitPaintReference(text);
    ParseReference(text);
    bool inherited = false;
    ParseReferenceValue(text, QStringLiteral("a"), inherited);
    ParsePaintReferenceValue(text, QStringLiteral("a"), inherited);
    return 0;
}
