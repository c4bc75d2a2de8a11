#pragma once
// The non-graphic elements: metadata, which keeps the markup it was read
// from, and script, which is kept the same way and never run.

#include <QString>

#include "svg/model/element.h"

namespace zor {

class TSVGAttributeWriter;

class TSVGMetadata : public TSVGElement {
public:
    using TSVGElement::TSVGElement;

    TSVGElementType SVGType() const override;

    // The complete markup of the element as read.
    const QString& XML() const { return FXML; }
    void SetXML(const QString& Value);

    // Also copies the markup.
    void AssignProperties(const TSVGElement* Source) override;
    // Also empties the markup.
    void Clear() override;

protected:
    // The core attributes and the markup; the content is not read as elements.
    void LoadAttributes(const TXMLNode& Node) override;
    void SaveAttributes(TSVGAttributeWriter& Writer) const override;
    void LoadChildren(const TXMLNode& Node) override;
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;

private:
    QString FXML;
};

class TSVGScript : public TSVGMetadata {
public:
    using TSVGMetadata::TSVGMetadata;

    TSVGElementType SVGType() const override;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override;
};

} // namespace zor
