#include <gtest/gtest.h>

#include "platform/enum_set.h"
#include "platform/events.h"
#include "platform/exceptions.h"
#include "platform/persistent.h"
#include "platform/string_list.h"

using namespace zor;

namespace {

enum class TColorKind { ckRed, ckGreen, ckBlue, ckAlpha };
constexpr std::size_t EnumCount(TColorKind) { return 4; }
using TColorKinds = TEnumSet<TColorKind>;

class TPoint3 : public TPersistent {
public:
    int X = 0;
    void Assign(const TPersistent* Source) override
    {
        if (auto* p = dynamic_cast<const TPoint3*>(Source)) {
            X = p->X;
            return;
        }
        TPersistent::Assign(Source);
    }
};

class TOther : public TPersistent {};

} // namespace

TEST(FormatMessage, FillsPlaceholdersInOrder)
{
    EXPECT_EQ(FormatMessage("SVG element <%s> does not allow children of <%s> element type", {"g", "stop"}),
              "SVG element <g> does not allow children of <stop> element type");
    EXPECT_EQ(FormatMessage("List index out of bounds (%d)", {"-1"}), "List index out of bounds (-1)");
    EXPECT_EQ(FormatMessage("100%% of %s", {"x"}), "100% of x");
    EXPECT_EQ(FormatMessage("missing %s", {}), "missing ");
}

TEST(Exceptions, CarryMessageAndClass)
{
    try {
        Raise<EListError>(messages::ListIndexOutOfBounds, {"3"});
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
        EXPECT_STREQ(e.what(), "List index out of bounds (3)");
        EXPECT_NE(dynamic_cast<const EListError*>(&e), nullptr);
    }
}

TEST(EnumSet, BitsRoundTripAndOperators)
{
    TColorKinds s{TColorKind::ckRed, TColorKind::ckBlue};
    EXPECT_EQ(s.ToBits(), 0b0101u);
    EXPECT_TRUE(s.Contains(TColorKind::ckBlue));
    EXPECT_FALSE(s.Contains(TColorKind::ckGreen));
    EXPECT_EQ(TColorKinds::FromBits(0xFF).Count(), 4u); // bits past the enumeration are dropped
    EXPECT_EQ((s | TColorKinds{TColorKind::ckGreen}).ToBits(), 0b0111u);
    EXPECT_EQ((s - TColorKinds{TColorKind::ckRed}).ToBits(), 0b0100u);
    EXPECT_TRUE((s & TColorKinds{TColorKind::ckAlpha}).IsEmpty());
    std::vector<TColorKind> seen;
    s.ForEach([&](TColorKind k) { seen.push_back(k); });
    EXPECT_EQ(seen, (std::vector{TColorKind::ckRed, TColorKind::ckBlue}));
}

TEST(Persistent, AssignFromUnknownClassRaisesConversionError)
{
    TPoint3 p;
    TOther o;
    try {
        p.Assign(&o);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TOther to a TPoint3");
    }
    EXPECT_THROW(p.Assign(nullptr), EConvertError);
    TPoint3 q;
    q.X = 7;
    p.Assign(&q);
    EXPECT_EQ(p.X, 7);
}

TEST(Persistent, CheckedCastRaisesOnWrongClass)
{
    TPoint3 p;
    TPersistent* base = &p;
    EXPECT_EQ(CheckedCast<TPoint3>(base), &p);
    EXPECT_THROW(CheckedCast<TOther>(base), EInvalidCast);
    EXPECT_EQ(CheckedCast<TOther>(static_cast<TPersistent*>(nullptr)), nullptr);
}

TEST(EventSwap, RestoresOnExit)
{
    int calls = 0;
    TEvent<> slot = [&] { calls += 1; };
    {
        TEventSwap<TEvent<>> swap(slot, [&] { calls += 100; });
        Fire(slot);
    }
    Fire(slot);
    EXPECT_EQ(calls, 101);
}

TEST(StringList, NotifiesOncePerUpdateBracket)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TStringList&) { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Insert(0, "c");
    list.Delete(1);
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list.ToStringList(), (QStringList{"c", "b"}));
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(changes, 2); // nothing changed, nothing reported
}

TEST(StringList, TheOwnerHearsThroughItsOwnLineWhateverCallersDo)
{
    QStringList heard;
    TStringList owned([&](TStringList&) { heard << QStringLiteral("owner"); }, {"a"});
    EXPECT_TRUE(heard.isEmpty()); // the first lines are no change
    owned.OnChange = [&](TStringList&) { heard << QStringLiteral("caller"); };
    owned.Add("b");
    owned.OnChange = nullptr;
    owned.BeginUpdate();
    owned.Clear();
    owned.EndUpdate();
    EXPECT_EQ(heard, (QStringList{"owner", "caller", "owner"}));

    // A copy has no owner; assigning keeps the list's own.
    TStringList copy(owned);
    copy.Add("c");
    owned = copy;
    EXPECT_EQ(heard.size(), 4);
    EXPECT_EQ(owned.ToStringList(), (QStringList{"c"}));
}

TEST(StringList, TextAndErrors)
{
    TStringList list;
    list.SetText("one\r\ntwo\nthree\r");
    EXPECT_EQ(list.ToStringList(), (QStringList{"one", "two", "three"}));
    EXPECT_EQ(list.Text(), "one\ntwo\nthree");
    try {
        list.Strings(3);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    TStringList copy;
    copy.Assign(&list);
    EXPECT_EQ(copy, list);
    copy.Assign(&copy); // self-assignment keeps the lines
    EXPECT_EQ(copy.Count(), 3);
}
