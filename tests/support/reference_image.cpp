#include "tests/support/reference_image.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>

namespace zor::testing {

namespace {

// Differences this small would stay black in the difference image.
constexpr int DifferenceGain = 8;

QImage Normalized(const QImage& Image)
{
    return Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

int ChannelDifference(QRgb A, QRgb B)
{
    return std::max({std::abs(qAlpha(A) - qAlpha(B)), std::abs(qRed(A) - qRed(B)), std::abs(qGreen(A) - qGreen(B)),
                     std::abs(qBlue(A) - qBlue(B))});
}

bool Regenerating()
{
    return qEnvironmentVariable("ZOR_REGENERATE_REFERENCES") == QLatin1String("1");
}

QString Describe(const QImage& Image)
{
    return QStringLiteral("%1 x %2").arg(Image.width()).arg(Image.height());
}

} // namespace

QImage DifferenceImage(const QImage& A, const QImage& B)
{
    const QImage a = Normalized(A);
    const QImage b = Normalized(B);
    QImage difference(a.size(), QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const int level = std::min(255, ChannelDifference(a.pixel(x, y), b.pixel(x, y)) * DifferenceGain);
            difference.setPixel(x, y, qRgb(level, level, level));
        }
    return difference;
}

::testing::AssertionResult MatchesReferenceImage(const QImage& Actual, const QString& Name, int Tolerance)
{
    const QString data = qEnvironmentVariable("ZOR_TEST_DATA");
    if (data.isEmpty())
        return ::testing::AssertionFailure() << "ZOR_TEST_DATA is not set: run the test through ctest";
    return MatchesReferenceImage(Actual, Name, QDir(data).filePath(QStringLiteral("references")),
                                 QStringLiteral(ZOR_REFERENCE_FAILURES), Tolerance);
}

::testing::AssertionResult MatchesReferenceImage(const QImage& Actual, const QString& Name,
                                                 const QString& ReferenceFolder, const QString& FailureFolder,
                                                 int Tolerance)
{
    const QImage actual = Normalized(Actual);
    const QString expectedPath = QDir(ReferenceFolder).filePath(Name + QStringLiteral(".png"));
    if (Regenerating()) {
        if (!QDir().mkpath(ReferenceFolder) || !actual.save(expectedPath, "PNG"))
            return ::testing::AssertionFailure() << "cannot write " << expectedPath.toStdString();
        return ::testing::AssertionSuccess() << "rewrote " << expectedPath.toStdString();
    }

    const QImage expected = Normalized(QImage(expectedPath));
    int worst = 0;
    qsizetype differing = 0;
    if (!expected.isNull() && expected.size() == actual.size()) {
        for (int y = 0; y < actual.height(); ++y)
            for (int x = 0; x < actual.width(); ++x) {
                const int difference = ChannelDifference(actual.pixel(x, y), expected.pixel(x, y));
                worst = std::max(worst, difference);
                differing += difference > Tolerance ? 1 : 0;
            }
        if (differing == 0)
            return ::testing::AssertionSuccess();
    }

    QDir().mkpath(FailureFolder);
    const QString stem = QDir(FailureFolder).filePath(Name);
    const QString actualPath = stem + QStringLiteral("-actual.png");
    actual.save(actualPath, "PNG");
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    if (expected.isNull())
        return failure << "no reference image " << expectedPath.toStdString() << " (actual image: "
                       << actualPath.toStdString() << "; set ZOR_REGENERATE_REFERENCES=1 to write it)";
    const QString expectedCopy = stem + QStringLiteral("-expected.png");
    expected.save(expectedCopy, "PNG");
    if (expected.size() != actual.size())
        return failure << Name.toStdString() << ": size " << Describe(actual).toStdString() << ", expected "
                       << Describe(expected).toStdString() << "\n  expected: " << expectedCopy.toStdString()
                       << "\n  actual:   " << actualPath.toStdString();
    const QString differencePath = stem + QStringLiteral("-difference.png");
    DifferenceImage(actual, expected).save(differencePath, "PNG");
    return failure << Name.toStdString() << ": " << differing << " pixels differ by more than " << Tolerance
                   << " (largest difference " << worst << ")\n  expected:   " << expectedCopy.toStdString()
                   << "\n  actual:     " << actualPath.toStdString()
                   << "\n  difference: " << differencePath.toStdString();
}

} // namespace zor::testing
