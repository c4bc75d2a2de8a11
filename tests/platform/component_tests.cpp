#include <gtest/gtest.h>

#include <QBuffer>
#include <QObject>

#include "platform/component.h"
#include "platform/control.h"
#include "platform/events.h"
#include "platform/object_text.h"
#include "platform/streaming.h"
#include "tests/support/qt_test_support.h"

using namespace zor;

using zor::testing::MessageOf;

namespace {

// A component with a value, a part, an event and stored children.
class TNode : public QObject, public TComponent {
public:
    explicit TNode(QObject* Parent = nullptr)
        : QObject(Parent)
    {
    }
    double Value = 0;
    QStringList Labels;
    TEvent<TNode*> OnPing;
};

// A component without stored children.
class TLeaf : public QObject, public TComponent {
public:
    explicit TLeaf(QObject* Parent = nullptr)
        : QObject(Parent)
    {
    }
    int Count = 0;
};

// Made without its owner as Qt parent: adopting it must fail.
class TStray : public TLeaf {
public:
    using TLeaf::TLeaf;
};

const TStreamRegistry& NodeClasses()
{
    static const TStreamRegistry registry = [] {
        TStreamRegistry classes;
        RegisterComponentClass(classes);
        RegisterControlClass(classes);
        TClassBuilder<TNode> node = classes.Register<TNode, TComponent>(
            "TNode", [](TPersistent* Owner) { return std::make_unique<TNode>(dynamic_cast<QObject*>(Owner)); });
        node.Property(
                "Value", [](const TNode& n) { return n.Value; }, [](TNode& n, double v) { n.Value = v; }, 0.0)
            .Property(
                "Labels", [](const TNode& n) { return n.Labels; }, [](TNode& n, const QStringList& v) { n.Labels = v; },
                QStringList())
            .Children([&classes](const TNode& n) { return StoredChildren(n, classes); },
                      [](TNode& n, std::unique_ptr<TPersistent> child) { AdoptChild(n, std::move(child)); });
        Event<TNode>(node, "OnPing", [](TNode& n, THandler h) {
            n.OnPing = h ? TEvent<TNode*>([h](TNode* s) { h(*s); }) : TEvent<TNode*>();
        });
        classes
            .Register<TLeaf, TComponent>(
                "TLeaf", [](TPersistent* Owner) { return std::make_unique<TLeaf>(dynamic_cast<QObject*>(Owner)); })
            .Property(
                "Count", [](const TLeaf& l) { return l.Count; }, [](TLeaf& l, int v) { l.Count = v; }, 0);
        classes.Register<TStray, TLeaf>("TStray", [](TPersistent*) { return std::make_unique<TStray>(); });
        return classes;
    }();
    return registry;
}

QByteArray Store(const TPersistent& Root)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter(buffer, NodeClasses()).WriteRootComponent(Root);
    return bytes;
}

std::unique_ptr<TPersistent> Load(const QByteArray& Bytes)
{
    QBuffer buffer;
    buffer.setData(Bytes);
    buffer.open(QIODevice::ReadOnly);
    return TReader(buffer, NodeClasses()).ReadRootComponent();
}

constexpr const char* TreeText = R"(// a root, two children and a grandchild
object Root: TNode
  Value = 2.5
  Labels = ('a' 'it''s')
  OnPing = RootPinged
  object First: TLeaf
    Count = 3
  end
  object Second: TNode
    Value = 42510.32330225695
    OnPing = Pinged
    object Inner: TLeaf
      Count = 0x10
    end
  end
end
)";

} // namespace

TEST(ComponentStreaming, TextFormBuildsTheTreeAndStoringItAgainGivesTheSameBytes)
{
    const std::unique_ptr<TPersistent> root = Load(ObjectTextToBinary(TreeText, NodeClasses()));
    auto& node = dynamic_cast<TNode&>(*root);
    EXPECT_EQ(node.Name(), "Root");
    EXPECT_EQ(node.Value, 2.5);
    EXPECT_EQ(node.Labels, QStringList({"a", "it's"}));
    ASSERT_EQ(node.children().size(), 2);
    auto* first = dynamic_cast<TLeaf*>(node.children()[0]);
    auto* second = dynamic_cast<TNode*>(node.children()[1]);
    ASSERT_TRUE(first != nullptr && second != nullptr);
    EXPECT_EQ(first->Name(), "First");
    EXPECT_EQ(first->Count, 3);
    // A number a single cannot hold is kept as a double.
    EXPECT_EQ(second->Value, 42510.32330225695);
    ASSERT_EQ(second->children().size(), 1);
    EXPECT_EQ(dynamic_cast<TLeaf*>(second->children()[0])->Count, 16);
    EXPECT_EQ(second->EventHandler("OnPing"), "Pinged");

    const QByteArray stored = Store(node);
    const std::unique_ptr<TPersistent> again = Load(stored);
    EXPECT_EQ(Store(*again), stored);
}

TEST(ComponentStreaming, EventsAreBoundByNameAfterReadingAndAnUnknownNameIsAnError)
{
    const std::unique_ptr<TPersistent> root = Load(ObjectTextToBinary(TreeText, NodeClasses()));
    auto& node = dynamic_cast<TNode&>(*root);
    EXPECT_FALSE(node.OnPing) << "reading binds nothing";

    QStringList calls;
    const THandlerLookup lookup = [&](const QString& Name) -> THandler {
        if (Name != "Pinged" && Name != "RootPinged")
            return {};
        return [&calls, Name](TPersistent& Sender) { calls += Name + ":" + dynamic_cast<TNode&>(Sender).Name(); };
    };
    BindEventsOfTree(node, NodeClasses(), lookup);
    Fire(node.OnPing, &node);
    auto* second = dynamic_cast<TNode*>(node.children()[1]);
    Fire(second->OnPing, second);
    EXPECT_EQ(calls, QStringList({"RootPinged:Root", "Pinged:Second"}));

    ClearEvent(*second, "OnPing", NodeClasses());
    EXPECT_FALSE(second->OnPing);
    EXPECT_TRUE(second->EventHandler("OnPing").isEmpty());

    node.SetEventHandler("OnPing", "Nobody");
    EXPECT_EQ(MessageOf<EReadError>([&] { BindEvents(node, NodeClasses(), lookup); }), "Method Nobody not found");
}

TEST(ComponentStreaming, AChildItsParentDoesNotOwnIsRefused)
{
    const QString text = "object Root: TNode\n object Lost: TStray\n end\nend";
    EXPECT_EQ(MessageOf<EReadError>([&] { Load(ObjectTextToBinary(text, NodeClasses())); }),
              "A TStray cannot be a child of a TNode");
}

TEST(ComponentStreaming, TextFormErrorsNameTheirLine)
{
    const struct {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"object Root: TNode\n  Value = 'open\nend", "Object text, line 2: unterminated text"},
        {"object Root: TMissing\nend", "Object text, line 1: class TMissing not found"},
        {"object Root: TLeaf\n object Child: TLeaf\n end\nend", "Object text, line 2: a TLeaf has no children"},
        {"object Root: TNode\n Value = \nend", "Object text, line 3: a value expected"},
        {"object Root: TNode\n Value = 1.5.5\nend", "Object text, line 2: '1.5.5' is not a number"},
        {"object Root: TNode\n Value = 1.0", "Object text, line 2: 'end' expected"},
        {"object Root: TNode\nend\nmore", "Object text, line 3: text after the end of the object"},
        {"Root: TNode\nend", "Object text, line 1: 'object' expected"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf<EReadError>([&] { ObjectTextToBinary(QString::fromUtf8(c.Text), NodeClasses()); }),
                  c.Message)
            << c.Text;
}

TEST(ComponentStreaming, AnUnknownPropertyHoldingAComponentIsSkippedWithItsChildren)
{
    // A stream from a richer class: a property this reader does not know,
    // whose value is a component with children, then a known one.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TWriter writer(buffer, NodeClasses());
        writer.WriteSignature();
        writer.WriteObjectBegin("TLeaf");
        writer.WritePropName("Extra");
        TNode extra;
        extra.SetName("Extra");
        auto* child = new TLeaf(&extra);
        child->Count = 7;
        writer.WriteComponent(&extra);
        writer.WritePropName("Count");
        writer.WriteInteger(5);
        writer.WritePropertiesEnd();
        writer.WriteObjectEnd();
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer, NodeClasses());
    reader.SetSkipUnknownProperties(true);
    const std::unique_ptr<TPersistent> leaf = reader.ReadRootComponent();
    EXPECT_EQ(dynamic_cast<TLeaf&>(*leaf).Count, 5);
    EXPECT_EQ(reader.SkippedProperties(), QStringList({"TLeaf.Extra"}));
}

TEST(ComponentStreaming, ControlPlacementRoundTrips)
{
    // Placement properties are read as the text gives them.
    TStreamRegistry classes;
    RegisterComponentClass(classes);
    RegisterControlClass(classes);
    struct TBox : QObject, TControl {};
    classes.Register<TBox, TControl>("TBox");
    const QByteArray bytes = ObjectTextToBinary(
        "object Box: TBox\n Align = alRight\n Left = 652\n Width = 100\n Height = 50.5\n"
        " Margins = (1 2 3 4.5)\n Anchors = [akTop, akRight]\nend",
        classes);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TBox box;
    TReader(buffer, classes).ReadRootComponent(box);
    EXPECT_EQ(box.Align(), TAlignLayout::alRight);
    EXPECT_EQ(box.Bounds(), QRectF(652, 0, 100, 50.5));
    EXPECT_EQ(box.Margins(), QMarginsF(1, 2, 3, 4.5));
    EXPECT_TRUE(box.Anchors().Contains(TAnchorKind::akRight));
    EXPECT_FALSE(box.Anchors().Contains(TAnchorKind::akLeft));
}
