#pragma once
// A control showing a document built in code: a red backdrop, a blue active
// group (the moving part) and a green cover after it, drawn into images at
// any device pixel ratio.

#include <gtest/gtest.h>

#include <QImage>
#include <QRgb>
#include <cstdlib>
#include <memory>

#include "instruments/svg_control.h"
#include "svg/model/document.h"
#include "svg/model/group.h"
#include "svg/model/path_element.h"

namespace zor::test {

// Opens the control's protected members to the tests.
class TTestControl : public TZorSVGControl {
public:
    using TZorSVGControl::InvalidateBuffers;
    using TZorSVGControl::SetActiveSVGElement;
};

class ControlTest : public ::testing::Test {
protected:
    static constexpr int Side = 100;

    void SetUp() override
    {
        Control.resize(Side, Side);
        TSVGDocument& doc = Control.SVG();
        doc.SetWidth(Side);
        doc.SetHeight(Side);
        Backdrop = AddPath(doc, QStringLiteral("M0,0 H100 V100 H0 Z"), QStringLiteral("fill:red"));
        Active = doc.AppendChild(std::make_unique<TSVGGroup>(&doc));
        Active->SetID(QStringLiteral("Hands"));
        Hand = AddPath(*Active, QStringLiteral("M20,45 H80 V55 H20 Z"), QStringLiteral("fill:blue"));
        Cover = AddPath(doc, QStringLiteral("M40,40 H60 V60 H40 Z"),
                        QStringLiteral("fill:lime;fill-opacity:0.5;stroke:black;stroke-width:2"));
    }

    TSVGPath* AddPath(TSVGElement& Parent, const QString& Data, const QString& Style)
    {
        TSVGPath* path = Parent.AppendChild(std::make_unique<TSVGPath>(&Control.SVG()));
        path->Data().SetData(Data);
        path->Style().SetStyle(Style);
        path->ApplyStyles();
        return path;
    }

    // The control painted into an image of its size at PixelRatio.
    static QImage Paint(TZorSVGControl& Target, qreal PixelRatio = 1)
    {
        QImage image(QSize(qRound(Target.width() * PixelRatio), qRound(Target.height() * PixelRatio)),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(PixelRatio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        Target.PaintTo(painter);
        return image;
    }

    // The largest difference of any channel of any pixel.
    static int LargestDifference(const QImage& A, const QImage& B)
    {
        EXPECT_EQ(A.size(), B.size());
        int largest = 0;
        for (int y = 0; y < std::min(A.height(), B.height()); ++y)
            for (int x = 0; x < std::min(A.width(), B.width()); ++x) {
                const QRgb a = A.pixel(x, y);
                const QRgb b = B.pixel(x, y);
                largest = std::max({largest, std::abs(qAlpha(a) - qAlpha(b)), std::abs(qRed(a) - qRed(b)),
                                    std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        return largest;
    }

    TTestControl Control;
    TSVGPath* Backdrop = nullptr;
    TSVGGroup* Active = nullptr;
    TSVGPath* Hand = nullptr;
    TSVGPath* Cover = nullptr;
};

} // namespace zor::test
