// The instrument base: loading after construction and before stored values,
// the setters with their template operations, the decoration and its
// colours, paint servers, checked look-ups, and reloading the artwork.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

#include "instruments/artwork_instrument.h"
#include "instruments/artwork_resources.h"
#include "platform/exceptions.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/model/graphic_element.h"
#include "svg/model/path_element.h"

namespace zor::test {
namespace {

// A gauge artwork instrument with its protected members open to the tests,
// counting the operations its setters run.
class TTestInstrument : public TZorArtworkInstrument {
public:
    TTestInstrument()
        : TZorArtworkInstrument(TArtworkKind::akCircularGauge)
    {
    }

    using TZorSVGCustomInstrument::PartsChanged;
    using TZorSVGCustomInstrument::RestoreGradientColors;
    using TZorSVGCustomInstrument::SaveGradientColors;
    using TZorSVGCustomInstrument::ScaleGradientColors;
    using TZorSVGCustomInstrument::SetPaintServer;
    using TZorSVGCustomInstrument::ShiftGradientColors;
    using TZorSVGCustomInstrument::TryGetElement;
    using TZorSVGControl::InvalidateBuffers;

    template <typename T = TSVGGraphicElement>
    T* Element(const char* ID) const
    {
        T* element = nullptr;
        TryGetElement(QString::fromLatin1(ID), element);
        return element;
    }

    int LightColorApplied = 0;
    int PartsApplied = 0;
    int FormatsApplied = 0;
    // A load that frees the document and then fails.
    bool FailLoading = false;

protected:
    void ApplyLightColor() override { ++LightColorApplied; }
    void ApplyParts() override { ++PartsApplied; }
    void FormatStrChanged() override { ++FormatsApplied; }
    void LoadFromStream(QIODevice& Source) override
    {
        if (FailLoading) {
            SVG().Clear();
            throw ESVGException(QStringLiteral("broken artwork"));
        }
        TZorArtworkInstrument::LoadFromStream(Source);
    }
};

std::unique_ptr<TTestInstrument> MakeInstrument(const std::function<void(TTestInstrument&)>& StoredValues = {})
{
    return CreateInstrument<TTestInstrument>(StoredValues);
}

QImage Paint(TZorSVGControl& Control)
{
    QImage image(Control.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Control.PaintTo(painter);
    return image;
}

TEST(CustomInstrumentTest, TheArtworkIsLoadedAfterConstructionAndBeforeStoredValues)
{
    bool loadedFirst = false;
    TAlphaColor reportedFill = 0;
    TAlphaColor artworkFill = 0;
    const auto instrument = MakeInstrument([&](TTestInstrument& I) {
        loadedFirst = !I.SVG().Items().IsEmpty() && I.ActiveSVGElement() == I.Element("Hands");
        reportedFill = I.DecorationFillColor();
        artworkFill = I.Element("Decoration")->Brush().Color();
        I.SetDecorationFillColor(0xFF00FFFF);
    });
    EXPECT_TRUE(loadedFirst);
    // The colours the artwork gives its decoration, then the stored one.
    EXPECT_NE(artworkFill, 0u);
    EXPECT_EQ(reportedFill, artworkFill);
    EXPECT_EQ(instrument->DecorationFillColor(), 0xFF00FFFFu);
    EXPECT_EQ(instrument->Element("Decoration")->Brush().Color(), 0xFF00FFFFu);
    EXPECT_EQ(instrument->size(), QSize(200, 200));
}

TEST(CustomInstrumentTest, AMissingArtworkFailsTheConstruction)
{
    class TNoArtwork : public TZorSVGCustomInstrument {
    protected:
        QString GetResourceName() const override { return QStringLiteral("NoSuchSVG"); }
    };
    try {
        CreateInstrument<TNoArtwork>();
        ADD_FAILURE();
    } catch (const EResNotFound& Error) {
        EXPECT_EQ(Error.Message(), QStringLiteral("Resource NoSuchSVG not found"));
    }
}

TEST(CustomInstrumentTest, TheDecorationTakesItsEmblemAndAnUnchangedValueChangesNothing)
{
    const auto instrument = MakeInstrument();
    auto* decoration = instrument->Element<TSVGPath>("Decoration");
    ASSERT_NE(decoration, nullptr);
    instrument->SetDecoration(TDecoration::dcBolt);
    EXPECT_EQ(decoration->Data().Data(), [] {
        TZorPathData bolt;
        bolt.SetData(DecorationPathText(TDecoration::dcBolt));
        return bolt.Data();
    }());
    EXPECT_TRUE(instrument->NeedBuffers());

    Paint(*instrument);
    instrument->SetDecoration(TDecoration::dcBolt);
    EXPECT_FALSE(instrument->NeedBuffers());

    for (const TDecoration cleared : {TDecoration::dcCustom, TDecoration::dcNone}) {
        instrument->SetDecoration(TDecoration::dcStar);
        instrument->SetDecoration(cleared);
        EXPECT_TRUE(decoration->Data().IsEmpty());
    }
}

TEST(CustomInstrumentTest, DecorationColoursPaintOrPaintNothing)
{
    const auto instrument = MakeInstrument();
    TSVGGraphicElement* decoration = instrument->Element("Decoration");
    instrument->SetDecorationFillColor(0xFF123456);
    instrument->SetDecorationStrokeColor(0xFF654321);
    EXPECT_EQ(decoration->Brush().Kind(), TBrushKind::Solid);
    EXPECT_EQ(decoration->Brush().Color(), 0xFF123456u);
    EXPECT_EQ(decoration->Pen().Kind(), TBrushKind::Solid);
    EXPECT_EQ(decoration->Pen().Color(), 0xFF654321u);
    EXPECT_FALSE(decoration->Inherits().Contains(TSVGStyleProperty::ipFill));

    // Fully transparent is no paint, not a transparent one.
    instrument->SetDecorationFillColor(0);
    instrument->SetDecorationStrokeColor(0);
    EXPECT_EQ(decoration->Brush().Kind(), TBrushKind::None);
    EXPECT_EQ(decoration->Pen().Kind(), TBrushKind::None);
}

TEST(CustomInstrumentTest, TheLightColorGivesTheShadowAndRunsItsOperation)
{
    const auto instrument = MakeInstrument();
    EXPECT_EQ(instrument->LightColor(), 0xFFFFFFFFu);
    EXPECT_EQ(instrument->ShadowColor(), 0xFF000000u);
    Paint(*instrument);
    instrument->SetLightColor(0xFF80C0FF);
    EXPECT_EQ(instrument->ShadowColor(), 0xFF00407Fu);
    EXPECT_EQ(instrument->LightColorApplied, 1);
    EXPECT_TRUE(instrument->NeedBuffers());
    instrument->SetLightColor(0xFF80C0FF);
    EXPECT_EQ(instrument->LightColorApplied, 1);
}

TEST(CustomInstrumentTest, ANewFormatIsStoredAndRunsItsOperationOnce)
{
    const auto instrument = MakeInstrument();
    EXPECT_EQ(instrument->FormatStr(), QStringLiteral("0.#"));
    instrument->SetFormatStr(QStringLiteral("0.00"));
    instrument->SetFormatStr(QStringLiteral("0.00"));
    EXPECT_EQ(instrument->FormatStr(), QStringLiteral("0.00"));
    EXPECT_EQ(instrument->FormatsApplied, 1);
}

TEST(CustomInstrumentTest, AFormatWhoseNumbersDoNotReadBackIsRefused)
{
    const auto instrument = MakeInstrument();
    // Literal text in place of digits, digits as literal text, negatives
    // written without their sign, zero written as nothing.
    for (const char* format : {"abc", "'x'0", "0'0'", "0;0", "#"}) {
        SCOPED_TRACE(format);
        EXPECT_THROW(instrument->SetFormatStr(QString::fromLatin1(format)), EConvertError);
        EXPECT_EQ(instrument->FormatStr(), QStringLiteral("0.#"));
    }
    EXPECT_EQ(instrument->FormatsApplied, 0);
    // Grouping, exponents, fixed places and the shortest form read back.
    for (const char* format : {"#,##0.0", "0.00E+00", "0.000", "0", ""}) {
        SCOPED_TRACE(format);
        EXPECT_NO_THROW(instrument->SetFormatStr(QString::fromLatin1(format)));
        EXPECT_EQ(instrument->FormatStr(), QString::fromLatin1(format));
    }
}

TEST(CustomInstrumentTest, APaintServerIsAGradientOrAPlainColour)
{
    const auto instrument = MakeInstrument();
    TSVGGraphicElement* bevel = instrument->Element("FrameBevelUpper");
    ASSERT_NE(bevel, nullptr);
    instrument->SetPaintServer(QStringLiteral("FrameBevelUpper"), QString(), true, 0xFF545454, false);
    EXPECT_EQ(bevel->Brush().Kind(), TBrushKind::Solid);
    EXPECT_EQ(bevel->Brush().Color(), 0xFF545454u);
    EXPECT_TRUE(bevel->Brush().URI().isEmpty());
    instrument->SetPaintServer(QStringLiteral("FrameBevelUpper"), QStringLiteral("linearGradient7738"), true, 0,
                               true);
    EXPECT_EQ(bevel->Brush().Kind(), TBrushKind::Gradient);
    EXPECT_EQ(bevel->Brush().URI(), QStringLiteral("linearGradient7738"));
    instrument->SetPaintServer(QStringLiteral("FrameBevelUpper"), QString(), false, 0xFF010203, false);
    EXPECT_EQ(bevel->Pen().Color(), 0xFF010203u);
    // Without the element nothing happens.
    EXPECT_NO_THROW(instrument->SetPaintServer(QStringLiteral("NoSuchElement"), QString(), true, 0, false));
}

TEST(CustomInstrumentTest, ALookUpOfAnotherClassIsAnInvalidCast)
{
    const auto instrument = MakeInstrument();
    TSVGPath* path = nullptr;
    EXPECT_THROW(instrument->TryGetElement(QStringLiteral("Hands"), path), EInvalidCast);
    EXPECT_FALSE(instrument->TryGetElement(QStringLiteral("NoSuchElement"), path));
    EXPECT_EQ(path, nullptr);
    EXPECT_TRUE(instrument->TryGetElement(QStringLiteral("Decoration"), path));
}

TEST(CustomInstrumentTest, PartsChangeOnlyADocumentWithContent)
{
    // Without its after-construction step the artwork is not loaded: the
    // document is empty and a change of parts has nothing to apply.
    const auto unloaded = std::make_unique<TTestInstrument>();
    ASSERT_TRUE(unloaded->SVG().Items().IsEmpty());
    unloaded->PartsChanged();
    EXPECT_EQ(unloaded->PartsApplied, 0);

    const auto loaded = MakeInstrument();
    Paint(*loaded);
    ASSERT_FALSE(loaded->NeedBuffers());
    const int applied = loaded->PartsApplied;
    loaded->PartsChanged();
    EXPECT_EQ(loaded->PartsApplied, applied + 1);
    EXPECT_TRUE(loaded->NeedBuffers());
}

std::vector<TAlphaColor> StopColors(const TSVGCustomGradient& Gradient)
{
    std::vector<TAlphaColor> colors;
    for (const TSVGGradientStop* stop : Gradient.EffectiveStops())
        colors.push_back(stop->StopColor());
    return colors;
}

TEST(CustomInstrumentTest, RecolouredStopsComeBackToTheArtworksColours)
{
    TSVGDocument doc;
    auto* gradient = doc.AppendChild(std::make_unique<TSVGLinearGradient>(&doc));
    for (const TAlphaColor color : {0xFF404040u, 0xFF808080u}) {
        auto* stop = gradient->AppendChild(std::make_unique<TSVGGradientStop>(&doc));
        stop->SetStopColor(color);
    }
    TTestInstrument::SaveGradientColors(*gradient);
    TTestInstrument::ShiftGradientColors(*gradient, 0xFF606060, 1);
    EXPECT_EQ(StopColors(*gradient), (std::vector<TAlphaColor>{0xFF202020, 0xFF606060}));
    EXPECT_THROW(TTestInstrument::ShiftGradientColors(*gradient, 0xFF606060, 2), EListError);

    TTestInstrument::RestoreGradientColors(*gradient);
    TTestInstrument::ScaleGradientColors(*gradient, 0xFF204060, false);
    EXPECT_EQ(StopColors(*gradient), (std::vector<TAlphaColor>{0xFF102030, 0xFF204060}));
    TTestInstrument::RestoreGradientColors(*gradient);
    EXPECT_EQ(StopColors(*gradient), (std::vector<TAlphaColor>{0xFF404040, 0xFF808080}));
}

TEST(CustomInstrumentTest, ReloadingTheArtworkLeavesNoElementOfTheOldDocumentActive)
{
    const auto instrument = MakeInstrument();
    instrument->SetDecoration(TDecoration::dcBolt);
    instrument->SetDesign(TSVGDesign::sdSimple);
    instrument->SetDesign(TSVGDesign::sdDetailed);
    // The untouched artwork is back, with its own active element.
    EXPECT_TRUE(instrument->Element<TSVGPath>("Decoration")->Data().IsEmpty() ||
                instrument->Element<TSVGPath>("Decoration")->Data().Data() !=
                    DecorationPathText(TDecoration::dcBolt));
    EXPECT_EQ(instrument->ActiveSVGElement(), instrument->Element("Hands"));
    EXPECT_NO_THROW(Paint(*instrument));

    // A load that fails after freeing the old elements leaves none active.
    instrument->FailLoading = true;
    instrument->SetDesign(TSVGDesign::sdSimple);
    EXPECT_THROW(instrument->SetDesign(TSVGDesign::sdDetailed), ESVGException);
    EXPECT_EQ(instrument->ActiveSVGElement(), nullptr);
    EXPECT_NO_THROW(Paint(*instrument));
}

} // namespace
} // namespace zor::test
