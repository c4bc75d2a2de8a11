#pragma once
// Documents built in code and drawn into small images: the fixture of the
// drawing, hit-testing and bounds tests.

#include <gtest/gtest.h>

#include <QImage>
#include <QRgb>
#include <memory>

#include "model_test_support.h"
#include "svg/model/draw_in_rect.h"
#include "svg/model/group.h"
#include "svg/model/path_element.h"
#include "svg/model/use.h"
#include "svg/model/viewport.h"
#include "tests/svg/render/render_test_support.h"

namespace zor::test {

using zor::testing::SameColor;

inline constexpr QRgb OpaqueRed = 0xFFFF0000;
inline constexpr QRgb OpaqueBlue = 0xFF0000FF;
inline constexpr QRgb OpaqueLime = 0xFF00FF00;
inline constexpr QRgb Transparent = 0;

// A stand-alone document of 100 × 100 units, drawn into 100 × 100 pixels.
class DrawingTest : public ::testing::Test {
protected:
    static constexpr int Side = 100;

    template <typename T>
    T* Add(TSVGElement& Parent)
    {
        return Parent.AppendChild(std::make_unique<T>(&Doc));
    }

    // A path with Data, styled by Style (a style attribute's text).
    TSVGPath* AddPath(TSVGElement& Parent, const QString& Data, const QString& Style = QStringLiteral("fill:red"))
    {
        TSVGPath* path = Add<TSVGPath>(Parent);
        path->Data().SetData(Data);
        SetStyle(*path, Style);
        return path;
    }

    template <typename T = TSVGGroup>
    T* AddStyled(TSVGElement& Parent, const QString& Style)
    {
        T* element = Add<T>(Parent);
        SetStyle(*element, Style);
        return element;
    }

    static void SetStyle(TSVGGraphicElement& Element, const QString& Style)
    {
        Element.Style().SetStyle(Style);
        Element.ApplyStyles();
    }

    // The document drawn as a host draws it, over the whole image.
    QImage Render(int Width = Side, int Height = Side)
    {
        QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        DrawSVGElementToBitmap(image, &Doc, false);
        return image;
    }

    TSVGGraphicElement* HitAt(QPointF Pt, TSVGFindOptions Options = {})
    {
        return Doc.ElementAtPos(Pt, QRectF(0, 0, Side, Side), Options);
    }

    TSVGDocument Doc;
};

} // namespace zor::test
