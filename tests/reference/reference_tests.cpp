// Whole drawings of small SVG files of our own (cases/*.svg), loaded from
// their files and compared with their reference pictures
// (references/<name>.png). Every file in cases/ is a case: a new feature is
// covered by adding a file and, after looking at it, its picture.

#include <QDir>
#include <QImage>
#include <algorithm>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "svg/model/document.h"
#include "svg/model/draw_in_rect.h"
#include "tests/support/reference_image.h"
#include "svg/shapes/shape_classes.h"

namespace zor::test {
namespace {

// Not the cases' own shape: a case that fits its view box shows how.
const QSize ImageSize(200, 150);

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (const QFileInfo& file : QDir(QStringLiteral(ZOR_REFERENCE_CASES)).entryInfoList({"*.svg"}, QDir::Files))
        names.push_back(file.completeBaseName().toStdString());
    return names;
}

class ReferenceImage : public ::testing::TestWithParam<std::string> {};

TEST_P(ReferenceImage, MatchesItsPicture)
{
    RegisterShapeClasses();
    TSVGDocument document;
    const QString name = QString::fromStdString(GetParam());
    document.LoadFromFile(QStringLiteral(ZOR_REFERENCE_CASES "/") + name + QStringLiteral(".svg"));
    QImage image(ImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    DrawSVGElementToBitmap(image, &document, false);
    EXPECT_TRUE(testing::MatchesReferenceImage(image, name));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceImage, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& Info) {
                             std::string name = Info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace zor::test
