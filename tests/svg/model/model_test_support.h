#pragma once
// Small element classes for the model tests: a group and a gradient stop with
// the child rules of their kinds, drawable groups and shapes, an element
// without a kind, and a listener that records what it is told; a fixture with
// a document, and a recorder of the document's events.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "svg/model/document.h"
#include "svg/model/element.h"
#include "svg/model/graphic_element.h"

namespace zor {

inline void PrintTo(const TSVGDiagnostic& Diagnostic, std::ostream* Out)
{
    *Out << '{' << QStringList{Diagnostic.Element, Diagnostic.Property, Diagnostic.Text, Diagnostic.Reason}
                       .join(QStringLiteral(" | "))
                       .toStdString()
         << '}';
}

} // namespace zor

namespace zor::test {

template <TSVGElementType Kind, const TSVGElementTypes& (*ChildTypes)(), typename Base = TSVGElement>
class TTestElement : public Base {
public:
    using Base::Base;
    TSVGElementType SVGType() const override { return Kind; }
    TSVGElementTypes ChildSVGTypes() const override { return ChildTypes(); }

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override
    {
        return std::make_unique<TTestElement>(aOwner);
    }
};

using TTestGroup = TTestElement<TSVGElementType::etGroup, ContainerChildTypes>;
using TTestStop = TTestElement<TSVGElementType::etGradientStop, DescriptiveTypes>;

// Drawable kinds, with the cascade and inheritance of graphic elements.
using TGraphicGroup = TTestElement<TSVGElementType::etGroup, ContainerChildTypes, TSVGGraphicElement>;
using TGraphicRect = TTestElement<TSVGElementType::etRectangle, DescriptiveTypes, TSVGGraphicElement>;
using TGraphicCircle = TTestElement<TSVGElementType::etCircle, DescriptiveTypes, TSVGGraphicElement>;

class TPlainElement : public TSVGElement {
public:
    using TSVGElement::TSVGElement;

protected:
    std::unique_ptr<TSVGElement> NewInstance(TSVGDocument* aOwner) const override
    {
        return std::make_unique<TPlainElement>(aOwner);
    }
};

// Records every ReferenceChanged with whether the sender was going away, runs
// OnReference (if set) during the call, then reacts as every element does.
class TRecordingListener : public TSVGElement {
public:
    struct TCall {
        TSVGElement* Sender;
        bool SenderDestroying;
    };

    using TSVGElement::TSVGElement;

    void ReferenceChanged(TSVGElement* Sender) override
    {
        Calls.push_back({Sender, Sender->ElementState().Contains(TSVGElementStateFlag::esDestroying)});
        if (OnReference)
            OnReference(Sender);
        TSVGElement::ReferenceChanged(Sender);
    }

    std::vector<TCall> Calls;
    std::function<void(TSVGElement*)> OnReference;
};

// A stand-alone document to build trees in.
class DocumentTest : public ::testing::Test {
protected:
    template <typename T = TTestGroup>
    T* Add(TSVGElement& Parent)
    {
        return Parent.AppendChild(std::make_unique<T>(&Doc));
    }

    TSVGDocument Doc;
};

// The named colours the style tests use.
inline constexpr TAlphaColor Red = 0xFFFF0000;
inline constexpr TAlphaColor Green = 0xFF008000;
inline constexpr TAlphaColor Blue = 0xFF0000FF;
inline constexpr TAlphaColor Yellow = 0xFFFFFF00;

// A document whose elements are built with ids and classes.
class StyledDocumentTest : public DocumentTest {
protected:
    template <typename T = TGraphicGroup>
    T* Make(TSVGElement& Parent, const QString& ID, const QStringList& Classes = {})
    {
        T* element = Add<T>(Parent);
        element->SetID(ID);
        element->Classes().Assign(Classes);
        return element;
    }
};

// Records the OnChange senders and the element events of a document.
struct TDocumentRecorder {
    explicit TDocumentRecorder(TSVGDocument& Document)
    {
        Document.OnChange = [this](TSVGElement* Sender) { ChangeSenders.push_back(Sender); };
        Document.OnAddElement = [this](TSVGElement* Parent, TSVGElement* Child) {
            Added.push_back({Parent, Child});
        };
        Document.OnRemoveElement = [this](TSVGElement* Parent, TSVGElement* Child) {
            Removed.push_back({Parent, Child});
            RemovedIDs.push_back(Child->ID());
        };
    }

    std::vector<TSVGElement*> ChangeSenders;
    std::vector<std::pair<TSVGElement*, TSVGElement*>> Added;
    std::vector<std::pair<TSVGElement*, TSVGElement*>> Removed;
    QStringList RemovedIDs;
};

} // namespace zor::test
