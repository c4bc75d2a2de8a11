#include "svg/model/metadata.h"

#include "platform/update_scope.h"

namespace zor {

TSVGElementType TSVGMetadata::SVGType() const
{
    return TSVGElementType::etMetadata;
}

void TSVGMetadata::SetXML(const QString& Value)
{
    if (Value == FXML)
        return;
    FXML = Value;
    Changed(this);
}

void TSVGMetadata::AssignProperties(const TSVGElement* Source)
{
    TSVGElement::AssignProperties(Source);
    if (const auto* metadata = dynamic_cast<const TSVGMetadata*>(Source))
        SetXML(metadata->FXML);
}

void TSVGMetadata::Clear()
{
    TUpdateScope update(*this);
    TSVGElement::Clear();
    SetXML({});
}

std::unique_ptr<TSVGElement> TSVGMetadata::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGMetadata>(aOwner);
}

TSVGElementType TSVGScript::SVGType() const
{
    return TSVGElementType::etScript;
}

std::unique_ptr<TSVGElement> TSVGScript::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGScript>(aOwner);
}

} // namespace zor
