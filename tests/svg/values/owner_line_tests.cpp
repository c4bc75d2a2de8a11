// Value objects made by an owner report to it through private lines: a caller
// who assigns their public slots adds a listener and breaks nothing.

#include <gtest/gtest.h>

#include "svg/values/font.h"
#include "svg/values/lengths.h"
#include "svg/values/pen.h"
#include "svg/values/style_values.h"
#include "svg/values/view_box.h"
#include "tests/svg/values/values_test_support.h"

using namespace zor;
using namespace zor::testing;

namespace {

// Factors that make one inch 10 user units, told apart from every default.
const TSVGUnitFactors TenPerInch = UnitFactorsForResolution(10);

// Counts how often the owner was told of a change, and answers its queries.
struct TOwner {
    int Changes = 0;
    TSVGValueOwner Lines()
    {
        return {
            .Changed = [this](TPersistent&) { ++Changes; },
            .UnitFactors = [](const TPersistent&, TSVGUnitFactors& Factors) { Factors = TenPerInch; },
            .Range = [](const TSVGLength&, float& Min, float& Max, bool&) { Min = 0, Max = 200; },
            .IsInherited = [](const TPersistent&, TSVGStyleProperty, bool& Inherited) { Inherited = true; },
        };
    }
};

// What a caller's slots do once assigned: count, and answer differently from the owner.
struct TCaller {
    int Changes = 0;
    auto Counting() { return [this](auto&&...) { ++Changes; }; }
    static void Factors(const TPersistent&, TSVGUnitFactors& Factors) { Factors = DefaultUnitFactors; }
};

} // namespace

TEST(OwnerLines, LengthsKeepReportingToTheirOwner)
{
    TOwner owner;
    TCaller caller;
    TSVGLength length(owner.Lines());
    length.OnChange = caller.Counting();
    length.OnUnitFactors = &TCaller::Factors;
    length.OnRange = [](const TSVGLength&, float&, float&, bool& DoRange) { DoRange = false; };

    length.SetAsUnit(TSVGUnit::suInches, 2);
    EXPECT_EQ(owner.Changes, 1);
    EXPECT_EQ(caller.Changes, 1);
    EXPECT_FLOAT_EQ(length.Pixels(), 20); // the owner's factors
    length.Initialize(0.5f, true, TSVGUnit::suPercent);
    EXPECT_FLOAT_EQ(length.GetValue(), 100); // half the owner's range

    // Without an owner the public slots answer.
    TSVGLength loose;
    loose.OnUnitFactors = [](const TPersistent&, TSVGUnitFactors& Factors) { Factors = TenPerInch; };
    loose.SetAsUnit(TSVGUnit::suInches, 1);
    EXPECT_FLOAT_EQ(loose.Pixels(), 10);
}

TEST(OwnerLines, PartsOfValueObjectsIgnoreWhatCallersAssign)
{
    TCaller caller;

    // The pen's dash offset keeps the pen's offset in step and measures with the pen's factors.
    TOwner penOwner;
    TSVGPen pen(TBrushKind::Solid, 0xFF000000, penOwner.Lines());
    pen.SVGDashOffset().OnChange = caller.Counting();
    pen.SVGDashOffset().OnUnitFactors = &TCaller::Factors;
    pen.SVGDashOffset().SetAsUnit(TSVGUnit::suInches, 1);
    EXPECT_FLOAT_EQ(pen.DashOffset(), 10);
    EXPECT_EQ(penOwner.Changes, 1);
    EXPECT_TRUE(pen.GetByIndex(TSVGStyleProperty::ipStroke)); // asked the owner

    // The font's family follows its family list.
    TOwner fontOwner;
    TSVGFont font(fontOwner.Lines());
    font.Families().OnChange = caller.Counting();
    font.OnIsInherited = [](const TPersistent&, TSVGStyleProperty, bool& Inherited) { Inherited = false; };
    font.Families().Assign(QStringList{"monospace"});
    EXPECT_EQ(Text(font.Family()), "Courier New");
    EXPECT_EQ(fontOwner.Changes, 1);
    EXPECT_TRUE(font.GetByIndex(TSVGStyleProperty::ipFontFamily));

    // The view box reports changes of its lengths and gives them its factors.
    TSVGViewBox box;
    int boxChanges = 0;
    box.OnChange = [&](TSVGViewBox&) { ++boxChanges; };
    box.SetOnUnitFactors([](const TPersistent&, TSVGUnitFactors& Factors) { Factors = TenPerInch; });
    box.Width().OnChange = caller.Counting();
    box.Width().OnUnitFactors = &TCaller::Factors;
    box.Width().SetAsUnit(TSVGUnit::suInches, 3);
    EXPECT_EQ(boxChanges, 1);
    EXPECT_FLOAT_EQ(box.Rect().width(), 30);

    // The style lengths inherit through the values' Inherits set.
    TSVGStyleValues parent;
    TSVGStyleValues values;
    values.Parent = &parent;
    parent.Kerning.SetAutomatic(false);
    values.Kerning.OnGetInherited = [](const TSVGStylePropertyLength&, bool& Inherited) { Inherited = false; };
    values.Kerning.OnGetParent = [](const TSVGStylePropertyLength&, TSVGStylePropertyLength*& Parent) {
        Parent = nullptr;
    };
    values.Kerning.SetParentValue(true);
    EXPECT_TRUE(values.Inherits.Contains(TSVGStyleProperty::ipKerning));
    EXPECT_FALSE(values.Kerning.Automatic()); // the parent's

    EXPECT_EQ(caller.Changes, 3); // the callers heard every change they listened to
}

TEST(OwnerLines, EditsThatReportOnceStillReachTheOwnerOnce)
{
    TOwner owner;
    TSVGBrush brush(TBrushKind::Solid, 0xFF000000, owner.Lines());
    TCaller caller;
    brush.OnChanged = caller.Counting();
    brush.SetURI(QStringLiteral("g"));
    brush.Clear();
    EXPECT_EQ(owner.Changes, 2);
    EXPECT_EQ(caller.Changes, 2);
    EXPECT_TRUE(brush.URI().isEmpty());
}
