// The reference-image check: tolerance, what a failure leaves behind, and
// regeneration.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/support/reference_image.h"

using namespace zor::testing;

namespace {

QImage Filled(QRgb Color)
{
    QImage image(8, 6, QImage::Format_ARGB32_Premultiplied);
    image.fill(Color);
    return image;
}

class ReferenceImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Folder.isValid());
        ASSERT_TRUE(QDir(Folder.path()).mkpath("references"));
        ASSERT_TRUE(Filled(qRgb(100, 150, 200)).save(Folder.filePath("references/plain.png")));
    }
    ::testing::AssertionResult Check(const QImage& Actual, const QString& Name, int Tolerance = 2)
    {
        return MatchesReferenceImage(Actual, Name, Folder.filePath("references"), Folder.filePath("failures"),
                                     Tolerance);
    }
    QTemporaryDir Folder;
};

TEST_F(ReferenceImages, SmallDifferencesPassLargerOnesLeaveThreeImages)
{
    EXPECT_TRUE(Check(Filled(qRgb(102, 148, 200)), "plain"));

    QImage actual = Filled(qRgb(100, 150, 200));
    actual.setPixel(3, 2, qRgb(100, 150, 210));
    const ::testing::AssertionResult result = Check(actual, "plain");
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("1 pixels differ by more than 2 (largest difference 10)"), std::string::npos) << message;
    for (const char* suffix : {"-expected.png", "-actual.png", "-difference.png"}) {
        const QString path = Folder.filePath(QStringLiteral("failures/plain") + suffix);
        EXPECT_TRUE(QFileInfo::exists(path)) << suffix;
        EXPECT_NE(message.find(path.toStdString()), std::string::npos) << suffix;
    }
    const QImage difference(Folder.filePath("failures/plain-difference.png"));
    EXPECT_EQ(qGray(difference.pixel(3, 2)), 80);
    EXPECT_EQ(qGray(difference.pixel(0, 0)), 0);
    // A looser tolerance accepts it.
    EXPECT_TRUE(Check(actual, "plain", 10));
}

TEST_F(ReferenceImages, SizeMismatchAndMissingReferencesFail)
{
    const ::testing::AssertionResult bigger = Check(QImage(9, 6, QImage::Format_RGB32), "plain");
    ASSERT_FALSE(bigger);
    EXPECT_NE(std::string(bigger.message()).find("size 9 x 6, expected 8 x 6"), std::string::npos);

    const ::testing::AssertionResult missing = Check(Filled(0), "absent");
    ASSERT_FALSE(missing);
    EXPECT_NE(std::string(missing.message()).find("ZOR_REGENERATE_REFERENCES=1"), std::string::npos);
    EXPECT_TRUE(QFileInfo::exists(Folder.filePath("failures/absent-actual.png")));
}

TEST_F(ReferenceImages, RegeneratingRewritesTheReference)
{
    qputenv("ZOR_REGENERATE_REFERENCES", "1");
    const ::testing::AssertionResult written = Check(Filled(qRgb(1, 2, 3)), "plain");
    qunsetenv("ZOR_REGENERATE_REFERENCES");
    EXPECT_TRUE(written);
    EXPECT_TRUE(Check(Filled(qRgb(1, 2, 3)), "plain", 0));
}

} // namespace
