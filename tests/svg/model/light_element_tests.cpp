// An element read from a file holds only what the file gave it: reading any
// of its properties afterwards, through const access, makes nothing new and
// gives the documented defaults for what the file left out. This binary
// counts every operator new of the process, so it runs on its own.

#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "svg/model/document.h"
#include "svg/model/graphic_element.h"
#include "svg/shapes/ellipse_shapes.h"
#include "svg/shapes/line.h"
#include "svg/shapes/rectangle.h"
#include "svg/shapes/shape_classes.h"

namespace {
std::atomic<long> Allocations{0};
} // namespace

void* operator new(std::size_t Size)
{
    ++Allocations;
    if (void* memory = std::malloc(Size == 0 ? 1 : Size))
        return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t Size) { return operator new(Size); }
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept
{
    ++Allocations;
    return std::malloc(Size == 0 ? 1 : Size);
}
void* operator new[](std::size_t Size, const std::nothrow_t& Tag) noexcept { return operator new(Size, Tag); }
void operator delete(void* Memory) noexcept { std::free(Memory); }
void operator delete[](void* Memory) noexcept { std::free(Memory); }
void operator delete(void* Memory, std::size_t) noexcept { std::free(Memory); }
void operator delete[](void* Memory, std::size_t) noexcept { std::free(Memory); }

namespace zor::test {
namespace {

using enum TSVGElementType;

// Every property the graphic element base publishes, read const; the sum
// keeps the reads from being optimised away.
double ReadGraphicProperties(const TSVGGraphicElement& Element)
{
    double sum = Element.X() + Element.Y() + Element.Width() + Element.Height();
    sum += Element.Xu().Raw() + Element.Yu().Raw() + Element.WidthU().Raw() + Element.HeightU().Raw();
    sum += Element.Title().size() + Element.Language().size() + Element.Enabled() + double(Element.Tag());
    sum += Element.Description().Count() + Element.Classes().Count() + Element.SystemLanguages().Count();
    sum += Element.RequiredFeatures().Count() + Element.RequiredExtensions().Count();
    sum += Element.Attributes().Contains(TSVGStyleProperty::ipFill);
    sum += Element.PresentationAttributes().Declarations().size() + Element.Style().Declarations().size();
    sum += Element.Inherits().Contains(TSVGStyleProperty::ipFill) + Element.ParentPreferredStyles();
    sum += Element.ValuesSetInCode().Contains(TSVGStyleProperty::ipFill);
    sum += Element.Matrix().m11() + Element.AbsoluteMatrix().m22();
    sum += double(Element.Brush().Color()) + int(Element.Brush().Kind()) + Element.Brush().Opacity();
    sum += Element.Pen().Thickness() + double(Element.Pen().Color()) + int(Element.Pen().Kind());
    sum += Element.Pen().MiterLimit() + Element.Pen().DashArray().size() + Element.Pen().DashOffset();
    sum += Element.Font().Size() + Element.Font().Family().size() + Element.Font().Families().Count();
    sum += int(Element.Font().Weight()) + double(Element.Color()) + Element.Opacity();
    sum += Element.GetAbsoluteOpacity() + Element.Visible() + Element.Display() + Element.IsDisplayed();
    sum += int(Element.FillRule()) + int(Element.ClipRule()) + Element.ClipURI().size();
    sum += Element.MarkerStartURI().size() + Element.MarkerMidURI().size() + Element.MarkerEndURI().size();
    return sum;
}

class LightElements : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterShapeClasses();
        // The first reads of a process make its shared defaults (the
        // platform's font family, the empty style): read once in another
        // document, so that the elements under test are read for the first time.
        TSVGDocument first;
        first.LoadFromText(QStringLiteral(R"(<svg xmlns="http://www.w3.org/2000/svg"><rect/></svg>)"));
        ReadGraphicProperties(*first.Items()[0]->AsGraphicElement());
        Doc.LoadFromText(QStringLiteral(R"(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="80">
              <rect/><circle/><ellipse/><line/><g fill="red"><rect x="5" width="10" stroke="blue"/></g></svg>)"));
    }

    const TSVGElement& Root() const { return Doc; }
    const TSVGGraphicElement& Child(int Index) const { return *Root().Items()[Index]->AsGraphicElement(); }

    TSVGDocument Doc;
};

TEST_F(LightElements, ReadingEveryPropertyMakesNothing)
{
    const long before = Allocations;
    double sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += ReadGraphicProperties(Child(i));
    const auto& rect = static_cast<const TSVGRectangle&>(Child(0));
    sum += rect.RX().Raw() + rect.RY().Raw() + rect.RXSpecified() + rect.RYSpecified();
    const auto& circle = static_cast<const TSVGCircle&>(Child(1));
    sum += circle.CenterX().Raw() + circle.Radius().Raw();
    const auto& ellipse = static_cast<const TSVGEllipse&>(Child(2));
    sum += ellipse.RadiusX().Raw() + ellipse.RadiusY().Raw();
    const auto& line = static_cast<const TSVGLine&>(Child(3));
    sum += line.StartX().Raw() + line.EndY().Raw();
    const auto& inner = *Child(4).Items()[0]->AsGraphicElement();
    sum += ReadGraphicProperties(inner);
    EXPECT_EQ(Allocations - before, 0);
    EXPECT_TRUE(std::isfinite(sum));
}

TEST_F(LightElements, WhatTheFileLeftOutReadsAsItsDefault)
{
    const TSVGGraphicElement& rect = Child(0);
    EXPECT_EQ(rect.X(), 0);
    EXPECT_EQ(rect.Width(), 0);
    EXPECT_EQ(rect.Xu().aUnit(), TSVGUnit::suNone);
    EXPECT_TRUE(rect.Title().isEmpty());
    EXPECT_EQ(rect.Classes().Count(), 0);
    EXPECT_TRUE(rect.Matrix().isIdentity());
    // fill black, stroke none 1 wide, opaque and shown, nonzero rule.
    EXPECT_EQ(rect.Brush().Kind(), TBrushKind::Solid);
    EXPECT_EQ(rect.Brush().Color(), TAlphaColor(0xFF000000));
    EXPECT_EQ(rect.Pen().Kind(), TBrushKind::None);
    EXPECT_EQ(rect.Pen().Thickness(), 1);
    EXPECT_EQ(rect.Pen().MiterLimit(), 4);
    EXPECT_EQ(rect.Opacity(), 1);
    EXPECT_TRUE(rect.Visible());
    EXPECT_TRUE(rect.Display());
    EXPECT_EQ(rect.FillRule(), TSVGFillRule::frNonZero);
    EXPECT_EQ(rect.Font().Size(), 12);
    EXPECT_FALSE(rect.Font().Family().isEmpty());
    EXPECT_TRUE(rect.ClipURI().isEmpty());

    // What the file gave is there, next to the defaults and what is inherited.
    const TSVGGraphicElement& inner = *Child(4).Items()[0]->AsGraphicElement();
    EXPECT_EQ(inner.Brush().Color(), TAlphaColor(0xFFFF0000));
    EXPECT_EQ(inner.Pen().Color(), TAlphaColor(0xFF0000FF));
    EXPECT_EQ(inner.X(), 5);
    EXPECT_EQ(inner.Width(), 10);
    EXPECT_EQ(inner.Y(), 0);
}

} // namespace
} // namespace zor::test
