#pragma once
// Texts built in code in a document of 200 × 100 units drawn into as many
// pixels, with DejaVu Sans as the font (the tests' fontconfig sees DejaVu only).

#include <gtest/gtest.h>

#include <QImage>
#include <QRgb>
#include <memory>

#include "svg/model/document.h"
#include "svg/model/draw_in_rect.h"
#include "svg/model/path_element.h"
#include "svg/shapes/text_element.h"
#include "svg/shapes/text_font.h"
#include "svg/shapes/text_path.h"
#include "svg/values/length_text.h"
#include "svg/values/lengths.h"
#include "svg/values/view_box.h"

namespace zor::test {

class TextTest : public ::testing::Test {
protected:
    static constexpr int Width = 200;
    static constexpr int Height = 100;

    TextTest()
    {
        ParseViewBox(u"0 0 200 100", Doc.ViewBox());
    }

    template <typename T>
    T* Add(TSVGElement& Parent, const QString& Text = {}, const QString& Style = {})
    {
        T* element = Parent.AppendChild(std::make_unique<T>(&Doc));
        if constexpr (std::is_base_of_v<TSVGCustomText, T>)
            if (!Text.isEmpty())
                element->SetText(Text);
        SetStyle(*element, Style);
        return element;
    }

    // A text at (X, Y) in DejaVu Sans 20 unless Style says otherwise.
    TSVGText* AddText(const QString& Text, float X, float Y, const QString& Style = {})
    {
        auto* text = Add<TSVGText>(Doc, Text, QStringLiteral("font-family:DejaVu Sans;font-size:20px;") + Style);
        text->SetXStr(QString::number(X));
        text->SetYStr(QString::number(Y));
        return text;
    }

    TSVGPath* AddPath(const QString& ID, const QString& Data)
    {
        auto* path = Add<TSVGPath>(Doc, {}, QStringLiteral("fill:none"));
        path->SetID(ID);
        path->Data().SetData(Data);
        return path;
    }

    static void SetStyle(TSVGGraphicElement& Element, const QString& Style)
    {
        Element.Style().SetStyle(Style);
        Element.ApplyStyles();
    }

    QImage Render()
    {
        QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        DrawSVGElementToBitmap(image, &Doc, false);
        return image;
    }

    // The advance of Text in DejaVu Sans at Size.
    static double AdvanceOf(const QString& Text, double Size = 20)
    {
        TFontRequest request;
        request.Families = {QStringLiteral("DejaVu Sans")};
        return GlyphService().Font(request, Size).TextWidth(Text);
    }

    // Where the glyph's origin went.
    static QPointF OriginOf(const TSVGPlacedGlyph& Glyph) { return Glyph.Placement.map(QPointF()); }

    TSVGDocument Doc;
};

// The texts of the chunks Root's characters are collected into.
inline QStringList ChunkTexts(TSVGCustomText& Root)
{
    TSVGTextChunks chunks;
    Root.BuildTextChunks(chunks);
    QStringList texts;
    for (const TSVGTextChunk& chunk : chunks)
        texts << chunk.Text();
    return texts;
}

// Pixels darker than this count as ink on the white background.
inline bool IsInk(QRgb Pixel)
{
    return qGray(Pixel) < 128;
}

// The number of ink pixels within R.
inline int InkIn(const QImage& Image, const QRect& R)
{
    int count = 0;
    for (int y = R.top(); y <= R.bottom(); ++y)
        for (int x = R.left(); x <= R.right(); ++x)
            count += IsInk(Image.pixel(x, y)) ? 1 : 0;
    return count;
}

} // namespace zor::test
