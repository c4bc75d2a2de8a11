#pragma once
// Loading documents from text and describing their trees, so that a tree
// read back from a saved document can be compared with the one saved.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/xml_document.h"
#include "svg/model/document.h"
#include "svg/model/graphic_element.h"
#include "svg/model/path_element.h"
#include "svg/model/property_export.h"
#include "svg/model/viewport.h"
#include "svg/shapes/shape_classes.h"
#include "svg/shapes/text_element.h"
#include "svg/values/style_value_copy.h"
#include "svg/values/transform_parser.h"

namespace zor::test {

inline QString DescribeLength(const TSVGLength& Length)
{
    return QStringLiteral("%1%2u%3").arg(Length.Raw()).arg(Length.IsPercent() ? "%" : "").arg(int(Length.aUnit()));
}

// One line per element, depth first: class, id, the own values of every
// property it does not inherit, the inheritance and style flags, geometry,
// transformation, view box and text content.
inline void DescribeTree(const TSVGElement& Element, int Depth, QStringList& Lines)
{
    QStringList line{QString(Depth * 2, u' ') + Element.ClassName(), Element.ID(),
                     Element.Enabled() ? QString() : QStringLiteral("disabled"), Element.Title(),
                     Element.Description().Text(), Element.Classes().ToStringList().join(u',')};
    if (const TSVGGraphicElement* graphic = Element.AsGraphicElement()) {
        line << QStringLiteral("inherits{%1}").arg(TSVGStylePropertiesSet::ToString(graphic->Inherits()))
             << QStringLiteral("preferred{%1}").arg(TSVGStylePropertiesSet::ToString(graphic->PreferredStyles()));
        for (std::size_t i = 1; i < EnumCount(TSVGStyleProperty{}); ++i) {
            const auto property = TSVGStyleProperty(i);
            if (!graphic->Inherits().Contains(property) && !StyleShorthands().Contains(property))
                line << StylePropertyName(property) + u'=' +
                            StylePropertyText(graphic->Values(), property).value_or(QString());
        }
        line << TransformToString(graphic->Matrix()) << DescribeLength(graphic->Xu()) << DescribeLength(graphic->Yu())
             << DescribeLength(graphic->WidthU()) << DescribeLength(graphic->HeightU());
    }
    if (const auto* viewport = dynamic_cast<const TSVGCustomViewBox*>(&Element))
        line << (viewport->ViewBox().Specified() ? viewport->ViewBox().ToString(QString(), 0, 100) : QStringLiteral("no box"))
             << viewport->AspectRatio().ToString(false);
    if (const auto* text = dynamic_cast<const TSVGCustomText*>(&Element))
        line << u'"' + text->Text() + u'"' << text->XStr() << text->YStr() << text->DXStr() << text->DYStr()
             << text->RotateStr();
    if (const auto* path = dynamic_cast<const TSVGPath*>(&Element))
        line << path->Data().Data() << QString::number(path->PathLength());
    Lines << line.join(u'|');
    for (const TSVGElement* child : Element.Items())
        DescribeTree(*child, Depth + 1, Lines);
}

inline QString DescribeTree(const TSVGElement& Root)
{
    QStringList lines;
    DescribeTree(Root, 0, lines);
    return lines.join(u'\n');
}

// The element with ID, or null.
inline TSVGElement* FindID(TSVGDocument& Document, const QString& ID)
{
    return Document.AllItems().ContainsKey(ID) ? Document.AllItems().Items(ID) : nullptr;
}

class SavingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterShapeClasses();
        RegisterTextElementClasses();
    }

    static std::unique_ptr<TSVGDocument> Load(const QString& Text)
    {
        auto document = std::make_unique<TSVGDocument>();
        document->LoadFromText(Text);
        return document;
    }
    static std::unique_ptr<TSVGDocument> SavedAndLoaded(TSVGDocument& Document, int SplitPathLines = 0)
    {
        return Load(Document.SaveToText(SplitPathLines));
    }
    static std::unique_ptr<TSVGDocument> BinaryCopy(TSVGDocument& Document)
    {
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        Document.SaveToBinaryStream(buffer);
        buffer.seek(0);
        auto copy = std::make_unique<TSVGDocument>();
        copy->LoadFromBinaryStream(buffer);
        return copy;
    }
    // The root element of the saved text, to look at attributes.
    static TXMLDocument SavedXML(TSVGDocument& Document)
    {
        TXMLDocument xml;
        Document.SaveToXML(xml);
        return xml;
    }
};

} // namespace zor::test
