#include <gtest/gtest.h>

#include <QTransform>
#include <cmath>

#include "platform/exceptions.h"
#include "svg/values/attribute_parsers.h"
#include "svg/values/font.h"
#include "svg/values/length_text.h"
#include "svg/values/lengths.h"
#include "svg/values/pen.h"
#include "svg/values/style_properties.h"
#include "svg/values/style_values.h"
#include "svg/values/view_box.h"
#include "tests/support/hostile_text.h"

using namespace zor;
using namespace zor::testing;

namespace {

constexpr int Rounds = 1500;

// Runs each parser on many hostile texts, each call on its own; only the
// system's own exceptions may leave a parser. Known texts, such as those a
// fuzzer found, go first.
template <typename... F>
void ForHostileTexts(unsigned Seed, const QStringList& Known, F&&... Parsers)
{
    THostileText texts(Seed);
    for (qsizetype i = 0; i < Known.size() + Rounds; ++i) {
        const QString text = i < Known.size() ? Known[i] : texts.Next();
        auto run = [&](auto& Parse) {
            try {
                Parse(text);
            } catch (const Exception&) {
                // A documented rejection: fine.
            } catch (const std::exception& e) {
                ADD_FAILURE() << "foreign exception " << e.what() << " for \"" << text.toStdString() << '"';
            }
        };
        (run(Parsers), ...);
    }
}

#define EXPECT_FINITE(value, text) EXPECT_TRUE(std::isfinite(value)) << '"' << (text).toStdString() << '"'

// Most of what the property rows store, as text: a refused text must leave it as it was.
QString Snapshot(const TSVGStyleValues& V)
{
    const auto paint = [](const auto& P) {
        return QStringLiteral("%1/%2/%3/%4").arg(int(P.Kind())).arg(P.Color(), 0, 16).arg(P.Opacity()).arg(P.URI());
    };
    QStringList parts = {TSVGStylePropertiesSet::ToString(V.Inherits),
                         paint(V.Brush),
                         paint(V.Pen),
                         QString::number(V.Pen.Thickness()),
                         V.Pen.CustomDashArray(),
                         V.Font.Family(),
                         QString::number(V.Font.Size()),
                         QString::number(int(V.Font.Weight()))};
    for (TAlphaColor color : {V.Color, V.StopColor, V.FloodColor})
        parts << QString::number(color, 16);
    for (float number : {V.StopOpacity, V.FloodOpacity, V.Opacity})
        parts << QString::number(number);
    parts << V.ClipURI << V.MarkerStartURI << V.MarkerMidURI << V.MarkerEndURI;
    return parts.join(u'|');
}

} // namespace

TEST(HostileInput, NumberParsersStayFinite)
{
    ForHostileTexts(
        1, {},
        [](const QString& t) {
            bool inherited = false;
            EXPECT_FINITE(ParseNumber(t, inherited, 0), t);
            EXPECT_FINITE(ParseFloatValue(t, inherited, 0), t);
            bool automatic = false;
            EXPECT_FINITE(ParseAngle(t, automatic, 0), t);
            SplitNumbers(t);
            StripCSSComments(t);
        },
        [](const QString& t) {
            for (float v : ParseNumberList(t, {}))
                EXPECT_FINITE(v, t);
        },
        [](const QString& t) {
            for (const QPointF& p : ParsePoints(t)) {
                EXPECT_FINITE(p.x(), t);
                EXPECT_FINITE(p.y(), t);
            }
        });
}

TEST(HostileInput, TransformsColoursAndReferences)
{
    ForHostileTexts(
        2, {},
        [](const QString& t) {
            bool noPaint = false;
            bool inherited = false;
            ParseColor(t, 0, noPaint, 0, inherited);
        },
        [](const QString& t) {
            ParseReference(t);
            ParsePaintReference(t);
        },
        [](const QString& t) {
            const QTransform m = ParseTransform(t);
            for (double v : {m.m11(), m.m12(), m.m21(), m.m22(), m.m31(), m.m32()})
                EXPECT_FINITE(v, t);
            TransformToString(m);
        });
}

TEST(HostileInput, LengthsViewBoxesAndImages)
{
    ForHostileTexts(
        3, {},
        [](const QString& t) {
            TSVGLength length;
            ParseLength(t, length);
            EXPECT_FINITE(length.Pixels(), t);
        },
        [](const QString& t) {
            TSVGViewBox box;
            ParseViewBox(t, box);
            TSVGPreserveAspectRatio ratio(TSVGAlign::saXMidYMid, false, false);
            ParseAspectRatio(t, ratio);
        },
        [](const QString& t) { LoadDataURI(t); },
        [](const QString& t) { LoadDataURI(QStringLiteral("data:image/png;base64,") + t); });
}

TEST(HostileInput, EveryPresentationProperty)
{
    TSVGStyleValues values;
    const TSVGStyleContext context;
    for (std::size_t p = 1; p < EnumCount(TSVGStyleProperty{}); ++p) {
        const auto property = static_cast<TSVGStyleProperty>(p);
        ForHostileTexts(4, {}, [&](const QString& t) {
            const QString before = Snapshot(values);
            if (!ParseStyleProperty(values, property, t, context).Taken()) {
                EXPECT_EQ(Snapshot(values), before) << StylePropertyName(property).toStdString() << " \""
                                                    << t.toStdString() << '"';
            }
        });
    }
    for (float v : {values.Opacity, values.StopOpacity, values.FloodOpacity, values.Font.Size()})
        EXPECT_TRUE(std::isfinite(v));
}

// Whatever a reader takes is written so that it reads back the same: a save
// and reload must not change a document.
TEST(HostileInput, WrittenValuesReadBackTheSame)
{
    // Each was accepted once and written so that it no longer read back.
    const QStringList found = {"scale(1e38)scale(1e38)", "3e38in", "0.0001 1", "0.0001in 1mm", "a'b \"c",
                               "'x,y', \"p\\\"q\"", "\\'"};
    const QString format = QStringLiteral("0.###");
    ForHostileTexts(
        5, found,
        [](const QString& t) {
            const QString written = TransformToString(ParseTransform(t)); // a refusal is fine
            QString again;
            EXPECT_NO_THROW(again = TransformToString(ParseTransform(written))) << written.toStdString();
            EXPECT_EQ(again, written) << t.toStdString();
        },
        [&](const QString& t) {
            TSVGLength length;
            ParseLengthValue(t, length, 0, 1);
            EXPECT_FINITE(length.Pixels(), t);
            const QString written = FormatLength(length, format, 0, 100);
            TSVGLength again;
            ParseLengthValue(written, again, 0, 1);
            EXPECT_EQ(FormatLength(again, format, 0, 100), written) << t.toStdString();
        },
        [](const QString& t) {
            TSVGPen pen(TBrushKind::Solid, OpaqueBlack);
            pen.SetCustomDashArray(t);
            const QString written = pen.CustomDashArray();
            TSVGPen again(TBrushKind::Solid, OpaqueBlack);
            again.SetCustomDashArray(written);
            EXPECT_EQ(again.Dash(), pen.Dash()) << t.toStdString() << " written as " << written.toStdString();
            EXPECT_EQ(again.CustomDashArray(), written) << t.toStdString();
        },
        [](const QString& t) {
            const QStringList names = ParseFontFamilies(t);
            TSVGFont font;
            font.Families().Assign(names);
            const QString written = font.FamiliesToString();
            EXPECT_EQ(ParseFontFamilies(written), names) << t.toStdString() << " written as " << written.toStdString();
        });
}
