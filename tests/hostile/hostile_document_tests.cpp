// Hostile documents: each must end, within bounded time and memory, either
// with one of the system's errors or with a drawing, and drawing and hit
// testing what loaded must end too. The test program runs under a time limit
// (CMakeLists.txt) and in the sanitizer build.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <sys/resource.h>

#include "platform/exceptions.h"
#include "svg/model/document.h"
#include "svg/model/draw_in_rect.h"
#include "svg/render/fitting.h"
#include "tests/hostile/hostile_inputs.h"

using namespace zor;
using namespace zor::testing;
using ::testing::HasSubstr;

namespace {

constexpr int CanvasSize = 64;
// No case may need more than this much memory at its peak (the 50 MB
// attribute is the largest input; the sanitizers add their own share).
constexpr long PeakMemoryLimitKiB = 2L * 1024 * 1024;

// toEither: refusing and leaving out are both clean ends.
enum class TOutcome { toRefused, toDrawn, toEither };

struct THostileCase {
    const char* Name;
    std::function<QByteArray()> Input;
    TOutcome Outcome;
    // A part of the error's message when refused.
    const char* Message = "";
    // More checks on what was loaded and drawn.
    std::function<void(TSVGDocument&, const QImage&)> Check = {};
};

void PrintTo(const THostileCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

long PeakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QRgb CentrePixel(const QImage& Image)
{
    return Image.pixel(Image.width() / 2, Image.height() / 2);
}

void ExpectCentre(const QImage& Image, QRgb Colour)
{
    EXPECT_EQ(CentrePixel(Image), Colour) << std::hex << CentrePixel(Image);
}

void ExpectNothingDrawn(TSVGDocument&, const QImage& Image)
{
    EXPECT_EQ(CentrePixel(Image), 0u);
}

void ExpectGreenDrawn(TSVGDocument&, const QImage& Image)
{
    ExpectCentre(Image, qRgb(0, 128, 0));
}

// The image of the document drew nothing, and why is a diagnostic.
std::function<void(TSVGDocument&, const QImage&)> ExpectImageRefused(const char* Reason)
{
    return [Reason](TSVGDocument& Document, const QImage& Image) {
        ExpectNothingDrawn(Document, Image);
        ASSERT_FALSE(Document.Diagnostics().empty());
        EXPECT_THAT(Document.Diagnostics().front().Reason.toStdString(), HasSubstr(Reason));
    };
}

const THostileCase Cases[] = {
    {"EntityExpansionBomb", [] { return EntityExpansionBomb(9); }, TOutcome::toRefused, "entity references loop"},
    // Loaded with the reference left unresolved: nothing outside is read.
    {"ExternalEntity", [] { return ExternalEntity("file:///etc/passwd"); }, TOutcome::toDrawn},
    {"Nesting100000Deep", [] { return NestedGroups(100'000); }, TOutcome::toRefused, "cannot nest deeper"},
    {"UseCycle", [] { return UseCycle(3); }, TOutcome::toDrawn, "", ExpectNothingDrawn},
    {"UseSelfReference", [] { return UseCycle(1); }, TOutcome::toDrawn, "", ExpectNothingDrawn},
    // Uses nest 16 deep at most: the end of a longer chain draws nothing.
    {"LongUseChain", [] { return UseChain(5000); }, TOutcome::toDrawn, "", ExpectNothingDrawn},
    {"ShortUseChain", [] { return UseChain(10); }, TOutcome::toDrawn, "", ExpectGreenDrawn},
    // 10^12 references unbounded; one outermost use expands a bounded number.
    {"UseFanout", [] { return UseFanout(12, 10); }, TOutcome::toDrawn},
    // A linear gradient inherits from a radial one that inherits back: the
    // chain ends before the repeated gradient, with the radial one's stops.
    {"GradientHrefCycle",
     [] {
         return SVGDocument("<defs><linearGradient id=\"a\" xlink:href=\"#b\"/><radialGradient id=\"b\" "
                            "xlink:href=\"#a\"><stop offset=\"0\" stop-color=\"green\"/><stop offset=\"1\" "
                            "stop-color=\"green\"/></radialGradient></defs><path d=\"M0 0H64V64H0z\" "
                            "fill=\"url(#a)\"/>",
                            "viewBox=\"0 0 64 64\"");
     },
     TOutcome::toDrawn, "", ExpectGreenDrawn},
    // 10^12 marker instances unbounded; one marked element places a bounded number.
    {"MarkerFanout", [] { return MarkerFanout(6, 100); }, TOutcome::toDrawn},
    // 10^12 tiles unbounded, each as large as allowed; one outermost tile
    // renders a bounded number of bounded pixels.
    {"PatternFanout", [] { return PatternFanout(12, 10, "1e6"); }, TOutcome::toDrawn},
    {"HugeWidthAndHeight", [] { return SVGDocument("<path d=\"M0 0H1e9V1e9H0z\" fill=\"green\"/>",
                                                   "viewBox=\"0 0 1e9 1e9\""); },
     TOutcome::toDrawn, "", ExpectGreenDrawn},
    {"HugeRootSize",
     [] {
         return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1e9\" height=\"1e9\">"
                           "<path d=\"M0 0H1e9V1e9H0z\" fill=\"green\"/></svg>");
     },
     TOutcome::toDrawn, "", ExpectGreenDrawn},
    {"CoordinatesBeyondFloats",
     [] { return SVGDocument("<path d=\"M0 0L1e308 1e308L-1e308 1e308z\" stroke-width=\"1e308\"/><svg "
                             "x=\"1e308\" width=\"1e308\" height=\"NaN\" viewBox=\"0 0 1e308 1\"/>"); },
     TOutcome::toDrawn},
    {"NotANumber",
     [] { return SVGDocument("<path d=\"MNaN NaN LNaN 0\" transform=\"scale(NaN)\"/><path d=\"M0 0H9\" "
                             "stroke-width=\"NaN\" opacity=\"NaN\"/>"); },
     TOutcome::toDrawn},
    {"HugeTransform", [] { return SVGDocument("<g transform=\"scale(1e38) scale(1e38)\"><path d=\"M0 0H1V1z\" "
                                              "/></g><g transform=\"matrix(0 0 0 0 0 0)\"><path "
                                              "d=\"M0 0H9V9z\"/></g>"); },
     TOutcome::toDrawn},
    // The XML service reads attribute values of up to 10 MB.
    {"FiftyMegabyteAttribute", [] { return LongAttribute("class", 50'000'000, 'a'); }, TOutcome::toRefused,
     "AttValue length too long"},
    {"FiftyMegabytePath", [] { return LongAttribute("d", 50'000'000, '1'); }, TOutcome::toRefused,
     "AttValue length too long"},
    {"NineMegabytePath", [] { return LongAttribute("d", 9'000'000, '1'); }, TOutcome::toDrawn},
    {"HugeBitmapDataURI",
     [] { return ImageReference("data:image/png;base64," + ClaimedPNG(100'000, 100'000)); }, TOutcome::toDrawn, "",
     ExpectImageRefused("the image exceeds")},
    {"ImageOfDeviceFile", [] { return ImageReference("/dev/zero"); }, TOutcome::toDrawn, "",
     ExpectImageRefused("not a regular file")},
    {"ImageOfRandomDevice", [] { return ImageReference("file:///dev/urandom"); }, TOutcome::toDrawn, "",
     ExpectImageRefused("not a regular file")},
    {"ImageOfDirectory", [] { return ImageReference("/tmp/"); }, TOutcome::toDrawn, "",
     ExpectImageRefused("not a regular file")},
    {"ImageOfRemoteFile", [] { return ImageReference("http://127.0.0.1:9/a.png"); }, TOutcome::toDrawn, "",
     ExpectImageRefused("neither a data URI nor a local file")},
    {"SVGImagesNested20Deep", [] { return NestedSVGImages(20); }, TOutcome::toDrawn, "", ExpectNothingDrawn},
    {"SVGImageFanout", [] { return SVGImageFanout(4, 8); }, TOutcome::toDrawn},
    {"TruncatedFile", [] { return SVGDocument("<path d=\"M0 0H64V64z\"/>").chopped(20); },
     TOutcome::toRefused, "Malformed XML"},
    {"CutInsideAMultiByteCharacter", [] { return SVGDocument("<text>\xC3\xA9</text>").left(77); },
     TOutcome::toRefused, "Malformed XML"},
    {"NotUTF8", [] { return SVGDocument("<text>\xFF\xFE\xC3\x28 \xE9t\xE9</text>"); }, TOutcome::toRefused,
     "Malformed XML"},
    {"Latin1Declared",
     [] { return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + SVGDocument("<text>\xE9t\xE9</text>"); },
     TOutcome::toDrawn},
    {"Empty", [] { return QByteArray(); }, TOutcome::toRefused, "Empty XML document"},
    {"BinaryGarbage", [] { return QByteArray("\x00\x01\x02\xFF\x89PNG", 9); }, TOutcome::toRefused, ""},
    {"StyleSheetOf100000Rules", [] { return ManyStyleRules(100'000); }, TOutcome::toDrawn, "",
     [](TSVGDocument&, const QImage& Image) { ExpectCentre(Image, qRgb(0x66, 0x99, 0xff)); }},
};

class HostileDocument : public ::testing::TestWithParam<THostileCase> {};

TEST_P(HostileDocument, EndsWithAnErrorOrABoundedDrawing)
{
    const THostileCase& hostile = GetParam();
    QByteArray bytes = hostile.Input();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TSVGDocument document;
    try {
        document.LoadFromStream(buffer);
    } catch (const Exception& e) {
        EXPECT_NE(hostile.Outcome, TOutcome::toDrawn) << "refused: " << e.what();
        EXPECT_THAT(e.what(), HasSubstr(hostile.Message));
        return;
    }
    ASSERT_NE(hostile.Outcome, TOutcome::toRefused) << "loaded";
    bytes.clear();

    QImage image(CanvasSize, CanvasSize, QImage::Format_ARGB32_Premultiplied);
    DrawSVGElementToBitmap(image, &document, true);
    const QRectF target = BitmapTargetRect(image.size());
    const QTransform matrix = document.GetViewMatrix(target);
    for (int y = 0; y < CanvasSize; y += 8)
        for (int x = 0; x < CanvasSize; x += 8)
            document.ElementAtPos(matrix, QPointF(x, y), target, {});
    if (hostile.Check)
        hostile.Check(document, image);
    EXPECT_LT(PeakMemoryKiB(), PeakMemoryLimitKiB);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileDocument, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<THostileCase>& Info) { return Info.param.Name; });

} // namespace
