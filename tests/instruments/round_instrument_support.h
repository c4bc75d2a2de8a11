#pragma once
// What the tests of the round instruments look at: artwork elements by id,
// the angle a hand was turned to, the marks of a generated ring, the label
// texts along the dial, and a picture of the instrument.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "instruments/circular_scale.h"
#include "instruments/svg_control.h"
#include "svg/model/document.h"
#include "svg/model/graphic_element.h"
#include "svg/model/path_element.h"
#include "svg/shapes/text_element.h"
#include "svg/shapes/text_path.h"

namespace zor::test {

// The element with id ID, or null.
template <typename T = TSVGGraphicElement>
T* ElementOf(TZorSVGControl& Control, const QString& ID)
{
    TSVGElement* found = nullptr;
    if (!Control.SVG().AllItems().TryGetValue(ID, found))
        return nullptr;
    return dynamic_cast<T*>(found);
}

// The angle element ID shows, 0..360 clockwise from twelve o'clock: its turn
// less the 90 degrees that bring the artwork's nine o'clock hands to twelve.
inline double HandAngle(TZorSVGControl& Control, const QString& ID)
{
    const TSVGGraphicElement* element = ElementOf(Control, ID);
    EXPECT_NE(element, nullptr) << ID.toStdString();
    if (element == nullptr)
        return std::nan("");
    const QTransform& m = element->Matrix();
    return ReducedAngle(std::atan2(m.m12(), m.m11()) * 180 / std::numbers::pi - 90);
}

// Expects the hand ID at Angle (reduced), within a thousandth of a degree.
inline void ExpectHandAt(TZorSVGControl& Control, const QString& ID, double Angle)
{
    const double shown = HandAngle(Control, ID);
    EXPECT_NEAR(AngleDistance(shown, Angle), 0, 1e-3) << ID.toStdString() << " at " << shown << ", not " << Angle;
}

// The marks of the generated ring GroupID: the subpaths of its one path, 0
// without one.
inline int MarkCount(TZorSVGControl& Control, const QString& GroupID)
{
    const TSVGElement* group = ElementOf<TSVGElement>(Control, GroupID);
    if (group == nullptr || group->Items().IsEmpty())
        return 0;
    EXPECT_EQ(group->Items().Count(), 1);
    const auto* path = dynamic_cast<const TSVGPath*>(group->Items()[0]);
    return path == nullptr ? 0 : static_cast<int>(path->Data().Data().count(QLatin1Char('M')));
}

// The text paths of the measurement labels, in order.
inline std::vector<const TSVGTextPath*> LabelPaths(TZorSVGControl& Control)
{
    std::vector<const TSVGTextPath*> paths;
    const TSVGElement* group = ElementOf<TSVGElement>(Control, QStringLiteral("MeasurementLabels"));
    if (group != nullptr)
        for (const TSVGElement* text : group->Items())
            for (const TSVGElement* child : text->Items())
                if (const auto* along = dynamic_cast<const TSVGTextPath*>(child))
                    paths.push_back(along);
    return paths;
}

inline QStringList LabelTexts(TZorSVGControl& Control)
{
    QStringList texts;
    for (const TSVGTextPath* along : LabelPaths(Control))
        texts += along->Text();
    return texts;
}

// Runs the event loop for Milliseconds: timers fire, repaints happen.
inline void ProcessEventsFor(int Milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < Milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The instrument painted into an image of its size.
inline QImage Picture(TZorSVGControl& Control)
{
    QImage image(Control.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Control.PaintTo(painter);
    return image;
}

// The largest difference of any channel of any pixel of two pictures.
inline int LargestDifference(const QImage& A, const QImage& B)
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

} // namespace zor::test
