#include <gtest/gtest.h>

#include <QBuffer>
#include <QtEndian>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <QRegularExpression>

#include "platform/stream_classes.h"
#include "platform/streaming.h"
#include "tests/support/qt_test_support.h"

using namespace zor;

using zor::testing::MessageOf;

namespace {

enum class TShade { shLight, shDark, shGlass };
constexpr std::size_t EnumCount(TShade) { return 3; }
constexpr const char* ShadeNames[] = {"shLight", "shDark", "shGlass"};
using TShades = TEnumSet<TShade>;

// A part owned by its object, like a font.
class TFace : public TPersistent {
public:
    double Size = 9;
    QString Family = "Sans";
};

class TControlBase : public TPersistent {
public:
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    QString Caption;
    int Tag = 0;

private:
    bool FVisible = true;
};

class TGauge : public TControlBase {
public:
    double Value = 0;
    float Ratio = 1;
    std::int64_t Big = 0;
    std::uint32_t Color = 0xFF000000;
    std::int16_t Small = 0;
    TShade Shade = TShade::shLight;
    TShades Parts{TShade::shLight, TShade::shDark};
    QStringList Labels;
    QByteArray Blob;
    TFace Face;
    double StartAngle = 0;
    std::vector<std::pair<QString, int>> Marks; // a collection
    std::vector<std::unique_ptr<TGauge>> Children;
    TPersistent* Owner = nullptr;
};

// Redeclares StartAngle with its own default.
class TDial : public TGauge {
public:
    TDial() { StartAngle = 225; }
    bool Knob = false;
};

// Reads the stream of a TGauge with no properties, skipping them all, so
// the names written can be seen in order.
class TProbe : public TPersistent {};

template <typename C, typename T>
auto Field(T C::*Member)
{
    return std::pair{[Member](const C& object) -> T { return object.*Member; },
                     [Member](C& object, const T& value) { object.*Member = value; }};
}

void RegisterTestClasses(TStreamRegistry& Registry)
{
    const auto caption = Field(&TControlBase::Caption);
    const auto tag = Field(&TControlBase::Tag);
    Registry.Register<TControlBase>("TControlBase", {}) // abstract: never made from a stream
        .Property("Visible", &TControlBase::Visible, &TControlBase::SetVisible, true)
        .Property("Caption", caption.first, caption.second, QString())
        .Stored([](const TControlBase& control) { return !control.Caption.startsWith("auto"); })
        .Property("Tag", tag.first, tag.second); // no default: always written
    Registry.Register<TFace>("TFace")
        .Property("Size", Field(&TFace::Size).first, Field(&TFace::Size).second, 9.0)
        .Property("Family", Field(&TFace::Family).first, Field(&TFace::Family).second, QString("Sans"));

    TClassBuilder<TGauge> gauge = Registry.Register<TGauge, TControlBase>(
        "TGauge", [](TPersistent* Owner) -> std::unique_ptr<TPersistent> {
            auto made = std::make_unique<TGauge>();
            made->Owner = Owner;
            return made;
        });
    gauge.Property("Value", Field(&TGauge::Value).first, Field(&TGauge::Value).second, 0.0)
        .Property("Ratio", Field(&TGauge::Ratio).first, Field(&TGauge::Ratio).second, 1.0f)
        .Property("Big", Field(&TGauge::Big).first, Field(&TGauge::Big).second, 0)
        .Property("Color", Field(&TGauge::Color).first, Field(&TGauge::Color).second, 0xFF000000u)
        .Property("Small", Field(&TGauge::Small).first, Field(&TGauge::Small).second, 0)
        .Enum("Shade", Field(&TGauge::Shade).first, Field(&TGauge::Shade).second, TShade::shLight, ShadeNames)
        .Set("Parts", Field(&TGauge::Parts).first, Field(&TGauge::Parts).second, TShades{TShade::shLight, TShade::shDark},
             ShadeNames)
        .Property("Labels", Field(&TGauge::Labels).first, Field(&TGauge::Labels).second, QStringList())
        .Object("Face", [](TGauge& g) -> TPersistent& { return g.Face; })
        .Property("StartAngle", Field(&TGauge::StartAngle).first, Field(&TGauge::StartAngle).second, 0.0)
        .DefineBinary(
            "Blob", [](const TGauge& g) { return !g.Blob.isEmpty(); }, [](const TGauge& g) { return g.Blob; },
            [](TGauge& g, const QByteArray& data) { g.Blob = data; })
        .Define(
            "Marks", [](const TGauge& g) { return !g.Marks.empty(); },
            [](const TGauge& g, TWriter& writer) {
                writer.WriteCollectionBegin();
                for (const auto& [name, at] : g.Marks) {
                    writer.WriteItemBegin();
                    writer.WritePropName("Name");
                    writer.WriteString(name);
                    writer.WritePropName("At");
                    writer.WriteInteger(at);
                    writer.WriteItemEnd();
                }
                writer.WriteCollectionEnd();
            },
            [](TGauge& g, TReader& reader) {
                reader.ReadCollectionBegin();
                while (!reader.EndOfList()) {
                    reader.ReadItemBegin();
                    std::pair<QString, int> mark;
                    while (!reader.EndOfProperties()) {
                        if (reader.ReadPropName() == "Name")
                            mark.first = reader.ReadString();
                        else
                            mark.second = int(reader.ReadInteger());
                    }
                    reader.ReadItemEnd();
                    g.Marks.push_back(mark);
                }
                reader.ReadCollectionEnd();
            })
        .Define(
            "Children", [](const TGauge& g) { return !g.Children.empty(); },
            [](const TGauge& g, TWriter& writer) {
                writer.WriteListBegin();
                for (const auto& child : g.Children)
                    writer.WriteComponent(child.get());
                writer.WriteListEnd();
            },
            [](TGauge& g, TReader& reader) {
                reader.ReadListBegin();
                while (!reader.EndOfList()) {
                    std::unique_ptr<TPersistent> child = reader.ReadComponent(&g);
                    g.Children.emplace_back(CheckedCast<TGauge>(child.release()));
                }
                reader.ReadListEnd();
            });

    Registry.Register<TDial, TGauge>("TDial")
        .Property("Knob", Field(&TDial::Knob).first, Field(&TDial::Knob).second, false)
        .Property("StartAngle", Field(&TDial::StartAngle).first, Field(&TDial::StartAngle).second, 225.0);
}

const TStreamRegistry& TestClasses()
{
    static const TStreamRegistry registry = [] {
        TStreamRegistry made;
        RegisterTestClasses(made);
        return made;
    }();
    return registry;
}

QByteArray Written(const TPersistent& Root, const TStreamRegistry& Registry = TestClasses())
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TWriter(buffer, Registry).WriteRootComponent(Root);
    return buffer.data();
}

std::unique_ptr<TPersistent> ReadBack(const QByteArray& Bytes, TPersistent* Owner = nullptr, bool SkipUnknown = false)
{
    QBuffer buffer;
    buffer.setData(Bytes);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer, TestClasses());
    reader.SetSkipUnknownProperties(SkipUnknown);
    return reader.ReadRootComponent(Owner);
}

// The property names a stream holds for its root, in order.
QStringList NamesWritten(const TPersistent& Root)
{
    TStreamRegistry probes;
    probes.Register<TProbe>(TestClasses().ClassOf(Root).Name());
    QBuffer buffer;
    buffer.setData(Written(Root));
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer, probes);
    reader.SetSkipUnknownProperties(true);
    TProbe probe;
    reader.ReadRootComponent(probe);
    QStringList names = reader.SkippedProperties();
    names.replaceInStrings(QRegularExpression("^\\w+\\."), "");
    return names;
}

TGauge FullGauge()
{
    TGauge g;
    g.SetVisible(false);
    g.Caption = QString::fromUtf8("Caf\xC3\xA9 \xE2\x98\xBA");
    g.Tag = -7;
    g.Value = -0.0;
    g.Ratio = std::numeric_limits<float>::denorm_min();
    g.Big = std::numeric_limits<std::int64_t>::min();
    g.Color = 0xFFFFFFFF;
    g.Small = -32768;
    g.Shade = TShade::shGlass;
    g.Parts = {};
    g.Labels = {"0", "", "\xE2\x86\x92"};
    g.Blob = QByteArray("\0\1\2\xFF", 4);
    g.Face.Size = 12.5;
    g.StartAngle = std::numeric_limits<double>::infinity();
    g.Marks = {{"a", 1}, {"b", -2}};
    auto child = std::make_unique<TDial>();
    child->Knob = true;
    child->Children.push_back(std::make_unique<TGauge>());
    g.Children.push_back(std::move(child));
    return g;
}

} // namespace

TEST(Streaming, EveryValueTypeRoundTrips)
{
    const TGauge original = FullGauge();
    TGauge owner;
    const std::unique_ptr<TPersistent> read = ReadBack(Written(original), &owner);
    const TGauge& g = *CheckedCast<const TGauge>(read.get());

    EXPECT_EQ(g.Owner, &owner);
    EXPECT_FALSE(g.Visible());
    EXPECT_EQ(g.Caption, original.Caption);
    EXPECT_EQ(g.Tag, -7);
    EXPECT_TRUE(std::signbit(g.Value)); // -0.0 is not the default 0.0
    EXPECT_EQ(g.Ratio, original.Ratio);
    EXPECT_EQ(g.Big, original.Big);
    EXPECT_EQ(g.Color, 0xFFFFFFFFu);
    EXPECT_EQ(g.Small, -32768);
    EXPECT_EQ(g.Shade, TShade::shGlass);
    EXPECT_TRUE(g.Parts.IsEmpty());
    EXPECT_EQ(g.Labels, original.Labels);
    EXPECT_EQ(g.Blob, original.Blob);
    EXPECT_EQ(g.Face.Size, 12.5);
    EXPECT_EQ(g.Face.Family, "Sans");
    EXPECT_EQ(g.StartAngle, original.StartAngle);
    EXPECT_EQ(g.Marks, original.Marks);
    ASSERT_EQ(g.Children.size(), 1u);
    const auto* dial = dynamic_cast<const TDial*>(g.Children[0].get());
    ASSERT_NE(dial, nullptr);
    EXPECT_TRUE(dial->Knob);
    ASSERT_EQ(dial->Children.size(), 1u);
    EXPECT_EQ(typeid(*dial->Children[0]), typeid(TGauge));
    EXPECT_EQ(dial->Children[0]->Owner, dial);

    // Written again, the copy gives the same bytes.
    EXPECT_EQ(Written(g), Written(original));
}

TEST(Streaming, NaNAndReadingIntoAnExistingObject)
{
    TGauge original;
    original.Value = std::numeric_limits<double>::quiet_NaN();
    QBuffer buffer;
    buffer.setData(Written(original));
    buffer.open(QIODevice::ReadOnly);
    TGauge copy;
    copy.Value = 5;
    TReader(buffer, TestClasses()).ReadRootComponent(copy);
    EXPECT_TRUE(std::isnan(copy.Value));
}

TEST(Streaming, OnlyStoredValuesThatDifferFromTheirDefaultsAreWritten)
{
    TGauge plain;
    EXPECT_EQ(NamesWritten(plain), QStringList{"Tag"}); // Tag has no default

    TGauge changed;
    changed.Caption = "auto 1"; // the stored rule says no
    changed.Value = 3;
    changed.Face.Family = "Serif";
    changed.Marks = {{"m", 0}};
    EXPECT_EQ(NamesWritten(changed), (QStringList{"Tag", "Value", "Face", "Marks"}));

    // A subclass's redeclared default counts: 225 is not written for a dial, 0 is.
    TDial dial;
    EXPECT_EQ(NamesWritten(dial), QStringList{"Tag"});
    dial.StartAngle = 0;
    dial.Knob = true;
    EXPECT_EQ(NamesWritten(dial), (QStringList{"Tag", "StartAngle", "Knob"}));

    // Class name, "Tag" with its integer, end marker.
    EXPECT_EQ(Written(plain).size(), 4 + 1 + (4 + 6) + (4 + 3) + (1 + 8) + 4);
}

TEST(Streaming, SubclassesInheritTheirAncestorsProperties)
{
    const TStreamClass* dial = TestClasses().FindClass("TDial");
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->Parent(), TestClasses().FindClass("TGauge"));
    QStringList names;
    for (const auto& property : dial->Properties())
        names += property->Name();
    EXPECT_EQ(names, (QStringList{"Visible", "Caption", "Tag", "Value", "Ratio", "Big", "Color", "Small", "Shade",
                                  "Parts", "Labels", "Face", "StartAngle", "Blob", "Marks", "Children", "Knob"}));
    EXPECT_NE(dial->FindProperty("StartAngle"), TestClasses().FindClass("TGauge")->FindProperty("StartAngle"));
    EXPECT_EQ(dial->FindProperty("Visible"), TestClasses().FindClass("TControlBase")->FindProperty("Visible"));
    EXPECT_EQ(dial->FindProperty("Missing"), nullptr);
    EXPECT_EQ(&TestClasses().ClassOf(TDial()), dial);
}

TEST(Streaming, RegistrationMistakesRaise)
{
    class TLoose : public TPersistent {};
    class TProbeChild : public TProbe {};
    TStreamRegistry registry;
    RegisterTestClasses(registry);
    TStreamRegistry layered;
    TClassBuilder<TGauge> base = layered.Register<TGauge>("TGauge");
    layered.Register<TDial, TGauge>("TDial");
    const struct {
        const char* name;
        std::function<void()> action;
        QString message;
    } cases[] = {
        {"same name twice", [&] { registry.Register<TLoose>("TGauge"); }, "Duplicates not allowed"},
        {"same class twice", [&] { registry.Register<TFace>("TOtherFace"); }, "Duplicates not allowed"},
        {"unregistered base", [&] { registry.Register<TProbeChild, TProbe>("TProbeChild"); }, "Class TProbe not found"},
        {"property after a subclass",
         [&] { base.Property("Late", Field(&TGauge::Value).first, Field(&TGauge::Value).second); },
         "Properties of TGauge must be registered before its subclasses"},
        {"stored rule without property",
         [&] { registry.Register<TProbe>("TProbe").Stored([](const TProbe&) { return true; }); },
         "Class TProbe has no property for the stored rule"},
        {"abstract class", [&] { registry.CreateObject("TControlBase", nullptr); },
         "Cannot create an instance of the abstract class TControlBase"},
        {"unknown class", [&] { registry.CreateObject("TNope", nullptr); }, "Class TNope not found"},
        {"writing an unregistered class", [&] { Written(TLoose(), registry); }, "Class TLoose not found"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf<Exception>(c.action), c.message) << c.name;
}

TEST(Streaming, UnknownPropertiesAreRefusedUnlessSkipping)
{
    // A stream from a class that has one property more than the reader's.
    class TWider : public TPersistent {
    public:
        int Extra = 5;
        double Value = 2;
    };
    TStreamRegistry wider;
    wider.Register<TWider>("TGauge")
        .Property("Extra", Field(&TWider::Extra).first, Field(&TWider::Extra).second)
        .Property("Value", Field(&TWider::Value).first, Field(&TWider::Value).second);
    const QByteArray bytes = Written(TWider(), wider);

    EXPECT_EQ(MessageOf<EReadError>([&] { ReadBack(bytes); }), "Property Extra does not exist");

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer, TestClasses());
    reader.SetSkipUnknownProperties(true);
    const std::unique_ptr<TPersistent> read = reader.ReadRootComponent();
    EXPECT_EQ(CheckedCast<TGauge>(read.get())->Value, 2);
    EXPECT_EQ(reader.SkippedProperties(), QStringList{"TGauge.Extra"});
}

TEST(Streaming, DefinedPropertiesMustHandleExactlyOneValue)
{
    class TOdd : public TPersistent {
    public:
        int Values = 0;
    };
    const auto registryWith = [](int Written, int Read) {
        auto registry = std::make_unique<TStreamRegistry>();
        registry->Register<TOdd>("TOdd").Define(
            "Odd", [](const TOdd&) { return true; },
            [Written](const TOdd&, TWriter& writer) {
                for (int i = 0; i < Written; ++i)
                    writer.WriteInteger(i);
            },
            [Read](TOdd& odd, TReader& reader) {
                for (int i = 0; i < Read; ++i)
                    odd.Values += int(reader.ReadInteger());
            });
        return registry;
    };
    EXPECT_EQ(MessageOf<EWriteError>([&] { Written(TOdd(), *registryWith(0, 0)); }),
              "Stream write error: property Odd did not write exactly one value");
    EXPECT_EQ(MessageOf<EWriteError>([&] { Written(TOdd(), *registryWith(2, 0)); }),
              "Stream write error: property Odd did not write exactly one value");

    const QByteArray one = Written(TOdd(), *registryWith(1, 1));
    const auto reading = [&](int Read) {
        QBuffer buffer;
        buffer.setData(one);
        buffer.open(QIODevice::ReadOnly);
        TOdd odd;
        TReader(buffer, *registryWith(1, Read)).ReadRootComponent(odd);
    };
    EXPECT_NO_THROW(reading(1));
    EXPECT_EQ(MessageOf<EReadError>([&] { reading(0); }), "Stream read error: property Odd was not read as one value");
}

TEST(Streaming, StreamsAreUsedFromTheirCurrentPosition)
{
    TGauge g;
    g.Value = 4;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    buffer.write("HEAD");
    TWriter(buffer, TestClasses()).WriteRootComponent(g);
    buffer.write("TAIL");

    buffer.seek(4);
    TGauge copy;
    TReader(buffer, TestClasses()).ReadRootComponent(copy);
    EXPECT_EQ(copy.Value, 4);
    EXPECT_EQ(buffer.readAll(), "TAIL"); // nothing after the object was consumed
}

TEST(Streaming, BadValuesAreRefusedWithTheirReason)
{
    // A stream for "TGauge" with one property of a given encoded value.
    const auto text = [](const QByteArray& Text) {
        char length[4];
        qToLittleEndian<std::uint32_t>(std::uint32_t(Text.size()), length);
        return QByteArray(length, 4) + Text;
    };
    const auto gaugeWith = [&](const QByteArray& Name, const QByteArray& Value) {
        return "ZCS1" + QByteArray(1, char(TValueType::vaObject)) + text("TGauge") + text(Name) + Value +
               QByteArray(4, '\0');
    };
    const auto tagged = [](TValueType Type, const QByteArray& Payload) {
        return QByteArray(1, char(Type)) + Payload;
    };
    const auto integer = [](std::int64_t Value) {
        char bytes[8];
        qToLittleEndian(Value, bytes);
        return QByteArray(bytes, 8);
    };
    const QByteArray sixByteText = QByteArray("\6\0\0\0", 4);
    const struct {
        const char* name;
        QByteArray bytes;
        QString message;
        bool skipUnknown = false;
    } cases[] = {
        {"bad signature", "ZCS2", "Invalid stream format"},
        {"short signature", "ZC", "Invalid stream format"},
        {"empty", "", "Invalid stream format"},
        {"not an object", "ZCS1" + tagged(TValueType::vaInt, integer(1)), "Stream read error: vaObject expected, found vaInt"},
        {"other class", "ZCS1" + tagged(TValueType::vaObject, sixByteText + "TPlain" + QByteArray(4, '\0')),
         "Class TPlain not found"},
        {"wrong kind of value", gaugeWith("Value", tagged(TValueType::vaString, QByteArray(4, '\0'))),
         "Stream read error: vaDouble expected, found vaString"},
        {"integer out of range", gaugeWith("Small", tagged(TValueType::vaInt, integer(40000))),
         "Stream read error: 40000 is not a valid value for property Small"},
        {"unknown identifier", gaugeWith("Shade", tagged(TValueType::vaIdent, QByteArray("\3\0\0\0shX", 7))),
         "Stream read error: shX is not a valid value for property Shade"},
        {"unknown set member",
         gaugeWith("Parts", tagged(TValueType::vaSet, QByteArray("\3\0\0\0shX", 7) + QByteArray(4, '\0'))),
         "Stream read error: shX is not a valid value for property Parts"},
        {"bad tag", gaugeWith("Value", QByteArray(1, char(200))), "Stream read error: invalid value type 200"},
        {"absurd length", gaugeWith("Caption", tagged(TValueType::vaString, QByteArray("\xF0\xFF\xFF\xFF", 4))),
         "Stream read error: a value of 4294967280 bytes is longer than the limit of 268435456"},
        {"length the stream does not back",
         gaugeWith("Caption", tagged(TValueType::vaString, QByteArray("\0\0\0\x0F", 4) + "short")),
         "Stream read error: unexpected end of stream"},
        {"long name", gaugeWith(QByteArray(256, 'n'), tagged(TValueType::vaTrue, {})),
         "Stream read error: a value of 256 bytes is longer than the limit of 255"},
        {"not UTF-8", gaugeWith("Caption", tagged(TValueType::vaString, QByteArray("\2\0\0\0\xC3\x28", 6))),
         "Stream read error: text is not valid UTF-8"},
        {"end marker as a value", gaugeWith("Value", tagged(TValueType::vaNull, {})),
         "Stream read error: vaDouble expected, found vaNull"},
        {"list of the wrong values",
         gaugeWith("Labels", tagged(TValueType::vaList, {}) + tagged(TValueType::vaInt, integer(1))),
         "Stream read error: vaString expected, found vaInt"},
        {"abstract class", "ZCS1" + tagged(TValueType::vaObject, text("TControlBase")),
         "Cannot create an instance of the abstract class TControlBase"},
        {"skipped values nested too deep",
         gaugeWith("Unknown", QByteArray(TStreamLimits::MaxDepth + 1, char(TValueType::vaList))),
         "Stream read error: values nest deeper than 4000 levels", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf<Exception>([&] { ReadBack(c.bytes, nullptr, c.skipUnknown); }), c.message) << c.name;
}

TEST(Streaming, HostileStreamsNeverCrashOrLoseTrackOfWhatTheyRead)
{
    const QByteArray valid = Written(FullGauge());
    const auto outcome = [](const QByteArray& Bytes) {
        try {
            ReadBack(Bytes);
            return 0;
        } catch (const EReadError&) {
            return 1;
        } catch (const EClassNotFound&) {
            return 2;
        } catch (const EInvalidCast&) { // a child of another registered class
            return 3;
        }
    };
    // Cut anywhere, the stream is refused as a read error.
    for (qsizetype cut = 0; cut < valid.size(); ++cut)
        ASSERT_EQ(outcome(valid.left(cut)), 1) << cut;
    EXPECT_EQ(outcome(valid), 0);

    // Damaged bytes and random tails are refused or read, nothing else.
    std::mt19937 random(5);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = valid;
        for (int n = 1 + round % 4; n > 0; --n)
            bytes[std::uniform_int_distribution<qsizetype>(4, bytes.size() - 1)(random)] = char(byte(random));
        outcome(bytes);
        QByteArray tail = "ZCS1";
        for (int n = round % 64; n > 0; --n)
            tail += char(byte(random));
        outcome(tail);
    }
}

TEST(Streaming, DeepObjectTreesWithinTheBoundRoundTrip)
{
    // Each level is an object inside a list: two levels of nesting.
    constexpr int levels = TStreamLimits::MaxDepth / 2 - 1;
    TGauge root;
    TGauge* at = &root;
    for (int i = 0; i < levels; ++i) {
        at->Children.push_back(std::make_unique<TGauge>());
        at = at->Children.back().get();
    }
    at->Value = 1;
    const std::unique_ptr<TPersistent> read = ReadBack(Written(root));
    const TGauge* deepest = CheckedCast<const TGauge>(read.get());
    for (int i = 0; i < levels; ++i)
        deepest = deepest->Children.at(0).get();
    EXPECT_EQ(deepest->Value, 1);

    at->Children.push_back(std::make_unique<TGauge>());
    EXPECT_EQ(MessageOf<EWriteError>([&] { Written(root); }),
              "Stream write error: values nest deeper than 4000 levels");
}
