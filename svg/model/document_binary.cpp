// The binary form of a document: the tree through component streaming.
//
// The document is the stream's root object; each element is an item of its
// parent's "ChildItems" collection, whose first property "ElementClass"
// names its class among the registered element classes. An element's
// attributes travel as the SVG markup of the element alone (its own
// attributes and characters, numbers in their exact form), read back by the
// class's own attribute reader; beside them the stream holds what SVG text
// cannot: the generated ids, whether the element is enabled, which
// properties it inherits and which it writes as style declarations.

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <functional>
#include <vector>

#include "platform/stream_classes.h"
#include "platform/streaming.h"
#include "platform/update_scope.h"
#include "platform/xml_document.h"
#include "svg/model/attribute_reader.h"
#include "svg/model/attribute_writer.h"
#include "svg/model/document.h"
#include "svg/model/element_classes.h"

namespace zor {

namespace {

const QString SVGNamespaceURI = QStringLiteral("http://www.w3.org/2000/svg");
const QString ChildItemsName = QStringLiteral("ChildItems");
const QString ElementClassName = QStringLiteral("ElementClass");
// Set ordinals beyond the property enumeration come from other versions.
constexpr std::int64_t MaxPropertyOrdinal = 55;

} // namespace

// Writes and reads the elements of one stream.
class TSVGBinaryForm {
public:
    explicit TSVGBinaryForm(TSVGDocument& Document)
        : FDocument(Document)
    {
    }

    // The properties of Element, in this order; each writes one value.
    void WriteProperties(const TSVGElement& Element, TWriter& Writer) const
    {
        for (const TProperty& property : Properties())
            if (property.Has(*this, Element)) {
                Writer.WritePropName(property.Name);
                property.Write(*this, Element, Writer);
            }
    }
    void ReadProperty(const QString& Name, TSVGElement& Element, TReader& Reader)
    {
        for (const TProperty& property : Properties())
            if (property.Name == Name) {
                property.Read(*this, Element, Reader);
                return;
            }
        Raise<EReadError>(messages::PropertyNotFound, {Name});
    }

    // After the whole tree is read: the cascade of the own attributes, then
    // the inheritance flags as they were stored.
    void Finish()
    {
        FDocument.ApplyStyles();
        for (const auto& [element, inherits] : FInherits)
            if (element->Inherits() != inherits)
                element->SetInherits(inherits);
    }

    // The registry of the root object: the document and its properties.
    static const TStreamRegistry& Registry()
    {
        static const TStreamRegistry registry = [] {
            TStreamRegistry classes;
            TClassBuilder<TSVGDocument> document =
                classes.Register<TSVGDocument>(QStringLiteral("TSVGDocument"), {});
            document.Property(QStringLiteral("FormatStr"), &TSVGDocument::FormatStr, &TSVGDocument::SetFormatStr,
                              QStringLiteral("0.###"));
            document.Property(
                QStringLiteral("DPI"), [](const TSVGDocument& d) { return d.DPI(); },
                [](TSVGDocument& d, int value) { d.SetDPI(value); }, 96);
            document.Property(
                QStringLiteral("Options"), [](const TSVGDocument& d) { return qint64(d.Options().ToBits()); },
                [](TSVGDocument& d, qint64 value) { d.SetOptions(TSVGOptions::FromBits(std::uint64_t(value))); },
                qint64(DefaultSVGOptions().ToBits()));
            for (const TProperty& property : Properties())
                document.Define(
                    property.Name,
                    [&property](const TSVGDocument& d) { return property.Has(*Current(d), d); },
                    [&property](const TSVGDocument& d, TWriter& w) { property.Write(*Current(d), d, w); },
                    [&property](TSVGDocument& d, TReader& r) { property.Read(*Current(d), d, r); });
            return classes;
        }();
        return registry;
    }

    // The form working on Document's stream.
    static TSVGBinaryForm* Current(const TSVGDocument& Document) { return Active().value(&Document); }

    // Makes this the form of its document for the scope.
    class TScope {
    public:
        explicit TScope(TSVGBinaryForm& Form)
            : FForm(Form)
        {
            Active().insert(&Form.FDocument, &Form);
        }
        ~TScope() { Active().remove(&FForm.FDocument); }
        TScope(const TScope&) = delete;
        TScope& operator=(const TScope&) = delete;

    private:
        TSVGBinaryForm& FForm;
    };

private:
    struct TProperty {
        QString Name;
        std::function<bool(const TSVGBinaryForm&, const TSVGElement&)> Has;
        std::function<void(const TSVGBinaryForm&, const TSVGElement&, TWriter&)> Write;
        std::function<void(TSVGBinaryForm&, TSVGElement&, TReader&)> Read;
    };

    static QHash<const TSVGDocument*, TSVGBinaryForm*>& Active()
    {
        static thread_local QHash<const TSVGDocument*, TSVGBinaryForm*> active;
        return active;
    }

    static const std::vector<TProperty>& Properties()
    {
        static const std::vector<TProperty> properties = {
            {QStringLiteral("ID"), [](const TSVGBinaryForm&, const TSVGElement& e) { return !e.ID().isEmpty(); },
             [](const TSVGBinaryForm&, const TSVGElement& e, TWriter& w) { w.WriteString(e.ID()); },
             [](TSVGBinaryForm&, TSVGElement& e, TReader& r) { e.SetID(r.ReadString()); }},
            {QStringLiteral("Enabled"), [](const TSVGBinaryForm&, const TSVGElement& e) { return !e.Enabled(); },
             [](const TSVGBinaryForm&, const TSVGElement& e, TWriter& w) { w.WriteBoolean(e.Enabled()); },
             [](TSVGBinaryForm&, TSVGElement& e, TReader& r) { e.SetEnabled(r.ReadBoolean()); }},
            {QStringLiteral("Markup"), [](const TSVGBinaryForm&, const TSVGElement&) { return true; },
             [](const TSVGBinaryForm& f, const TSVGElement& e, TWriter& w) { w.WriteString(f.Markup(e)); },
             [](TSVGBinaryForm& f, TSVGElement& e, TReader& r) { f.LoadMarkup(e, r.ReadString()); }},
            {QStringLiteral("InheritedProperties"),
             [](const TSVGBinaryForm&, const TSVGElement& e) {
                 const TSVGGraphicElement* g = e.AsGraphicElement();
                 return g != nullptr && g->Inherits() != DefaultInheritedProperties();
             },
             [](const TSVGBinaryForm& f, const TSVGElement& e, TWriter& w) {
                 f.WritePropertySet(e.AsGraphicElement()->Inherits(), w);
             },
             [](TSVGBinaryForm& f, TSVGElement& e, TReader& r) {
                 const TSVGStyleProperties value = ReadPropertySet(r);
                 if (e.AsGraphicElement() != nullptr)
                     f.FInherits.emplace_back(e.AsGraphicElement(), value);
             }},
            {QStringLiteral("PreferredStyleProperties"),
             [](const TSVGBinaryForm&, const TSVGElement& e) {
                 const TSVGGraphicElement* g = e.AsGraphicElement();
                 return g != nullptr && !g->ParentPreferredStyles();
             },
             [](const TSVGBinaryForm& f, const TSVGElement& e, TWriter& w) {
                 f.WritePropertySet(e.AsGraphicElement()->PreferredStyles(), w);
             },
             [](TSVGBinaryForm&, TSVGElement& e, TReader& r) {
                 const TSVGStyleProperties value = ReadPropertySet(r);
                 if (TSVGGraphicElement* g = e.AsGraphicElement())
                     g->SetPreferredStyles(value);
             }},
            {ChildItemsName, [](const TSVGBinaryForm&, const TSVGElement& e) { return !e.Items().IsEmpty(); },
             [](const TSVGBinaryForm& f, const TSVGElement& e, TWriter& w) { f.WriteChildItems(e, w); },
             [](TSVGBinaryForm& f, TSVGElement& e, TReader& r) { f.ReadChildItems(e, r); }},
        };
        return properties;
    }

    // The element alone as SVG markup: its attributes and own characters,
    // numbers in the shortest form that reads back exactly.
    QString Markup(const TSVGElement& Element) const
    {
        TXMLDocument xml;
        TXMLNode node = xml.CreateDocumentElement(Element.SVGTypeName(), SVGNamespaceURI);
        node.DeclareNamespace(QStringLiteral("xlink"), XLinkNamespace.toString());
        // Every value, defaults too: the element read back starts from a
        // cleared one, not from a new one.
        TSVGAttributeWriter writer(Element, node, QString(), false);
        Element.SaveAttributes(writer);
        return node.Xml();
    }
    void LoadMarkup(TSVGElement& Element, const QString& Markup)
    {
        TXMLDocument xml;
        xml.LoadFromBytes(Markup.toUtf8());
        const TXMLNode node = xml.DocumentElement();
        if (!node)
            Raise<EReadError>(messages::StreamPropertyValue, {Markup.left(40), QStringLiteral("Markup")});
        // The document reads its own attributes as an element: loading a file
        // would start the whole document afresh.
        if (&Element == &FDocument)
            FDocument.TSVGCustomViewBox::LoadFromXML(node);
        else
            Element.LoadFromXML(node);
    }

    void WritePropertySet(const TSVGStyleProperties& Value, TWriter& Writer) const
    {
        if (!FDocument.Options().Contains(TSVGOption::soExportOptimizedBinaryStyleProperties)) {
            Writer.WriteIdent(TSVGStylePropertiesSet::ToString(Value));
            return;
        }
        Writer.WriteListBegin();
        Value.ForEach([&Writer](TSVGStyleProperty member) { Writer.WriteInteger(static_cast<std::int64_t>(member)); });
        Writer.WriteListEnd();
    }
    // Either form; ordinals this version does not know are passed over.
    static TSVGStyleProperties ReadPropertySet(TReader& Reader)
    {
        TSVGStyleProperties value;
        if (Reader.NextValue() != TValueType::vaList) {
            TSVGStylePropertiesSet set;
            set.FromString(Reader.ReadIdent());
            return set.Value();
        }
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) {
            const std::int64_t ordinal = Reader.ReadInteger();
            if (ordinal >= 0 && ordinal <= MaxPropertyOrdinal && ordinal < std::int64_t(EnumCount(TSVGStyleProperty{})))
                value.Include(static_cast<TSVGStyleProperty>(ordinal));
        }
        Reader.ReadListEnd();
        return value;
    }

    void WriteChildItems(const TSVGElement& Element, TWriter& Writer) const
    {
        Writer.WriteCollectionBegin();
        for (const TSVGElement* child : Element.Items()) {
            Writer.WriteItemBegin();
            Writer.WritePropName(ElementClassName);
            Writer.WriteString(child->ClassName());
            WriteProperties(*child, Writer);
            Writer.WriteItemEnd();
        }
        Writer.WriteCollectionEnd();
    }
    void ReadChildItems(TSVGElement& Element, TReader& Reader)
    {
        Element.FreeChildren();
        Reader.ReadCollectionBegin();
        while (!Reader.EndOfList()) {
            Reader.ReadItemBegin();
            if (Reader.ReadPropName() != ElementClassName)
                Raise<EReadError>(messages::StreamValueKind, {ElementClassName, QStringLiteral("another property")});
            TSVGElement* child = Element.AppendNewChild(KindOfClass(Reader.ReadString()));
            TUpdateScope update(*child);
            while (!Reader.EndOfProperties())
                ReadProperty(Reader.ReadPropName(), *child, Reader);
            Reader.ReadItemEnd();
        }
        Reader.ReadCollectionEnd();
    }

    // The kind whose registered class has this name.
    TSVGElementType KindOfClass(const QString& Name)
    {
        if (FKinds.isEmpty())
            for (std::size_t kind = 0; kind < EnumCount(TSVGElementType{}); ++kind)
                if (const std::unique_ptr<TSVGElement> sample = CreateSVGElement(TSVGElementType(kind), nullptr))
                    FKinds.insert(sample->ClassName(), TSVGElementType(kind));
        const auto found = FKinds.constFind(Name);
        if (found == FKinds.cend())
            Raise<EClassNotFound>(messages::ClassNotFound, {Name});
        return *found;
    }

    TSVGDocument& FDocument;
    QHash<QString, TSVGElementType> FKinds;
    std::vector<std::pair<TSVGGraphicElement*, TSVGStyleProperties>> FInherits;
};

void TSVGDocument::SaveToBinaryStream(QIODevice& Stream)
{
    TSVGBinaryForm form(*this);
    const TSVGBinaryForm::TScope scope(form);
    TWriter writer(Stream, TSVGBinaryForm::Registry());
    writer.WriteRootComponent(*this);
}

void TSVGDocument::LoadFromBinaryStream(QIODevice& Stream)
{
    TUpdateScope update(*this);
    Clear();
    TSVGBinaryForm form(*this);
    {
        const TSVGBinaryForm::TScope scope(form);
        TReader reader(Stream, TSVGBinaryForm::Registry());
        reader.ReadRootComponent(*this);
    }
    form.Finish();
}

void TSVGDocument::SaveToBinaryFile(const QString& FileName)
{
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        Raise<EWriteError>(messages::StreamWrite, {file.errorString()});
    SaveToBinaryStream(file);
    if (!file.commit())
        Raise<EWriteError>(messages::StreamWrite, {file.errorString()});
}

void TSVGDocument::LoadFromBinaryFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        Raise<EReadError>(messages::StreamDevice, {file.errorString()});
    LoadFromBinaryStream(file);
}

bool TSVGDocument::IsBinaryStream(QIODevice& Stream)
{
    return HasStreamSignature(Stream);
}

} // namespace zor
