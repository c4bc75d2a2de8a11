#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "geometry/path_data.h"
#include "tests/support/hostile_text.h"

using namespace zor;

namespace {

// Path text built like real path data (commands followed by numbers) but
// with numbers of every size, wrong argument counts, odd separators and the
// occasional stray character; deterministic for a seed.
QString HostilePathText(std::mt19937& Random)
{
    static constexpr std::array<const char*, 20> Commands = {
        "M", "m", "L", "l", "H", "h", "V", "v", "C", "c", "S", "s", "Q", "q", "T", "t", "A", "a", "Z", "z"};
    static constexpr std::array<const char*, 16> Numbers = {
        "0", "1", "-1", ".5", "-.5e1", "1e38", "-3e38", "1e-40", "1e308", "1e999", "0.0001", "100", "7", "1",
        "0", "-0"};
    static constexpr std::array<const char*, 4> Separators = {" ", ",", "", " ,"};
    static constexpr std::array<const char*, 6> Strays = {"NaN", "#", ".", "+", "e", "\xC3\xA9"};
    auto pick = [&](const auto& Table) { return Table[std::uniform_int_distribution<std::size_t>(0, Table.size() - 1)(Random)]; };
    std::uniform_int_distribution<int> segments(1, 12);
    std::uniform_int_distribution<int> arguments(0, 9);
    std::uniform_int_distribution<int> percent(0, 99);
    QString text = QStringLiteral("M0,0 ");
    for (int n = segments(Random); n > 0; --n) {
        text += QString::fromLatin1(pick(Commands));
        for (int a = arguments(Random); a > 0; --a)
            text += QString::fromLatin1(pick(Numbers)) + QString::fromLatin1(pick(Separators));
        if (percent(Random) < 5)
            text += QString::fromUtf8(pick(Strays));
    }
    return text;
}

bool IsFinite(QPointF P)
{
    return std::isfinite(P.x()) && std::isfinite(P.y());
}

} // namespace

TEST(HostilePathText, NeverCrashesAndKeepsEveryPointFinite)
{
    std::mt19937 random(7);
    qsizetype pointsRead = 0;
    for (int round = 0; round < 2000; ++round) {
        const QString text = HostilePathText(random);
        TZorPathData path;
        path.SetData(text);
        pointsRead += path.Count();
        for (const TPathPoint& point : path.PointList())
            ASSERT_TRUE(IsFinite(point.Point)) << text.toStdString();

        // Whatever was read writes out as text that reads back to the same points.
        TZorPathData again;
        again.SetData(path.Data());
        EXPECT_EQ(again.Data(), path.Data()) << text.toStdString();

        path.GetLength();
        path.GetBounds();
        path.PointInPath(QPointF(0.5, 0.5));
        path.PointInPathOutline(QPointF(0.5, 0.5), 2);
        path.SplitDataByLength(10, QStringLiteral("\n"));
    }
    // The texts must reach the parser's depths, not stop at the first character.
    EXPECT_GT(pointsRead, 2000);
}

TEST(HostilePathText, AcceptedNumberFormatsWriteNumbersThatReadBack)
{
    // Literal text passed the sample numbers and then turned 7 into "70" or "75".
    const QStringList found = {".#'0", "0.#5", "0.#\"x\"", "0.#########"};
    zor::testing::THostileText hostile(11);
    int accepted = 0;
    for (int i = 0; i < found.size() + 3000; ++i) {
        const QString format = i < found.size() ? found[i] : hostile.Next();
        TZorPathData path;
        try {
            path.SetFormatStr(format);
        } catch (const EConvertError&) {
            continue;
        }
        ++accepted;
        for (double value : {7.0, -3.25, 1234.5, 100000.0}) {
            path.Clear();
            path.MoveTo(QPointF(value, value));
            TZorPathData again;
            again.SetData(path.Data());
            ASSERT_GE(again.Count(), 1) << format.toStdString();
            EXPECT_NEAR(again.Points(0).Point.x(), value, std::abs(value) / 2)
                << format.toStdString() << " wrote " << path.Data().toStdString();
        }
    }
    EXPECT_GT(accepted, 1);
}
