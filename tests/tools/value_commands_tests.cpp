#include <gtest/gtest.h>

#include <QTextStream>

#include "platform/exceptions.h"
#include "tools/value_commands.h"

using namespace zor;
using namespace zor::tools;

namespace {

template <typename F>
QString Capture(F&& describe)
{
    QString text;
    QTextStream out(&text);
    describe(out);
    out.flush();
    return text;
}

} // namespace

TEST(ValueCommands, DescribeWhatTheEngineReads)
{
    const QString path = Capture([](QTextStream& o) { DescribePath("M0,0 h30 v40 z", o); });
    EXPECT_TRUE(path.contains("path:      M0,0 L30,0 L30,40 Z")) << path.toStdString();
    EXPECT_TRUE(path.contains("length:    120")) << path.toStdString();
    EXPECT_TRUE(path.contains("bounds:    0 0 30 40")) << path.toStdString();

    EXPECT_TRUE(Capture([](QTextStream& o) { DescribeColor("#f00", o); }).contains("argb:      0xFFFF0000"));
    EXPECT_TRUE(Capture([](QTextStream& o) { DescribeColor("none", o); }).contains("none"));
    EXPECT_TRUE(Capture([](QTextStream& o) { DescribeTransform("translate(3)", o); }).contains("/ 3 0"));
    EXPECT_TRUE(Capture([](QTextStream& o) { DescribeLength("1in", 72, o); }).contains("pixels:    72 at 72 dpi"));
}

TEST(ValueCommands, BadValuesRaiseTheEnginesErrors)
{
    EXPECT_THROW(Capture([](QTextStream& o) { DescribeTransform("spin(3)", o); }), ESVGException);
    EXPECT_THROW(Capture([](QTextStream& o) { DescribeColor("#1234567", o); }), EConvertError);
}
