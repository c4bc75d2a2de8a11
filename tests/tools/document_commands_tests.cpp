// The document commands of zorsvg: image sizes, exit statuses, and that a
// failure leaves no output file behind.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include "platform/exceptions.h"
#include "platform/xml_document.h"
#include "svg/model/document.h"
#include "tests/support/qt_test_support.h"
#include "tools/command_line.h"
#include "tools/document_commands.h"

using namespace zor;
using namespace zor::tools;

namespace {

QSizeF IntrinsicSizeOf(const char* RootAttributes)
{
    TXMLDocument xml;
    xml.LoadFromBytes(QByteArray("<svg xmlns='http://www.w3.org/2000/svg' ") + RootAttributes + "/>");
    TSVGDocument document;
    document.LoadFromXML(xml);
    return IntrinsicSize(xml.DocumentElement(), document);
}

TEST(DocumentCommands, TheIntrinsicSizeFollowsTheViewBoxWhereNoSideIsGiven)
{
    const struct {
        const char* Attributes;
        QSizeF Size;
    } cases[] = {
        {"width='200' height='50'", {200, 50}},
        {"width='1in' height='72pt'", {96, 96}},
        {"", {100, 100}},
        {"viewBox='0 0 40 30'", {40, 30}},
        {"width='80' viewBox='0 0 40 30'", {80, 60}},
        {"height='60' viewBox='0 0 40 30'", {80, 60}},
        {"width='100%' height='100%' viewBox='0 0 40 30'", {40, 30}},
        {"width='100%' viewBox='0 0 0 30'", {100, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Attributes);
        EXPECT_EQ(IntrinsicSizeOf(c.Attributes), c.Size);
    }
}

TEST(DocumentCommands, ImageSizes)
{
    const QSizeF own(200, 100);
    EXPECT_EQ(ImageSize(own, {}, {}), QSize(200, 100));
    EXPECT_EQ(ImageSize(own, 50, {}), QSize(50, 25));
    EXPECT_EQ(ImageSize(own, {}, 50), QSize(100, 50));
    EXPECT_EQ(ImageSize(own, 30, 30), QSize(30, 30));
    EXPECT_EQ(ImageSize(QSizeF(0.2, 0.2), {}, {}), QSize(1, 1));
    // A drawing that would need gigabytes is refused before anything is allocated.
    EXPECT_THROW(ImageSize(QSizeF(1e9, 1e9), {}, {}), ESVGException);
    EXPECT_THROW(ImageSize(QSizeF(1e9, 1), {}, {}), ESVGException);
    EXPECT_THROW(ImageSize(own, 40000, {}), ESVGException);
    EXPECT_EQ(ImageSize(QSizeF(1e9, 1e9), 500, {}), QSize(500, 500));
}

class ZorsvgRun : public ::testing::Test {
protected:
    QString Path(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
    void Write(const char* Name, const QByteArray& Content) const
    {
        QFile file(Path(Name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Content);
    }
    int Run(const QStringList& Args)
    {
        OutText.clear();
        ErrText.clear();
        QTextStream out(&OutText);
        QTextStream err(&ErrText);
        return RunZorsvg(Args, out, err);
    }

    QTemporaryDir Dir;
    QString OutText;
    QString ErrText;
};

TEST_F(ZorsvgRun, RenderDrawsIntoAPNGOfTheRightSize)
{
    Write("in.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20' viewBox='0 0 4 2'>"
                    "<path d='M0,0 H2 V2 H0 Z' fill='#00f'/></svg>");
    ASSERT_EQ(Run({"render", Path("in.svg"), "-o", Path("out.png")}), 0) << ErrText.toStdString();
    QImage image(Path("out.png"));
    ASSERT_EQ(image.size(), QSize(40, 20));
    EXPECT_EQ(image.pixel(5, 10), 0xFF0000FFu);
    EXPECT_EQ(qAlpha(image.pixel(35, 10)), 0);

    ASSERT_EQ(Run({"render", Path("in.svg"), "-o", Path("out.png"), "-w", "80", "--background", "white"}), 0);
    image.load(Path("out.png"));
    ASSERT_EQ(image.size(), QSize(80, 40));
    EXPECT_EQ(image.pixel(70, 20), 0xFFFFFFFFu);

    // A box of another shape: fitted by xMidYMid meet, centred.
    ASSERT_EQ(Run({"render", Path("in.svg"), "-o", Path("out.png"), "-w", "40", "-h", "40"}), 0);
    image.load(Path("out.png"));
    ASSERT_EQ(image.size(), QSize(40, 40));
    EXPECT_EQ(qAlpha(image.pixel(5, 5)), 0);
    EXPECT_EQ(image.pixel(5, 20), 0xFF0000FFu);
}

TEST_F(ZorsvgRun, ExitStatusesAndNoPartialOutput)
{
    Write("huge.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='1e9' height='1e9'/>");
    Write("bad.svg", "<svg xmlns='http://www.w3.org/2000/svg'><g></svg>");
    Write("html.svg", "<html/>");
    const struct {
        QStringList Args;
        int Status;
        QString Message;
    } cases[] = {
        {{"render", Path("missing.svg"), "-o", Path("out.png")}, 1, "Cannot open XML file"},
        {{"render", Path("bad.svg"), "-o", Path("out.png")}, 1, "Malformed XML"},
        {{"render", Path("html.svg"), "-o", Path("out.png")}, 1, "Not a valid SVG"},
        {{"render", Path("huge.svg"), "-o", Path("out.png")}, 1, "more than the 67108864 pixels"},
        {{"render", Path("huge.svg"), "-o", Path("nodir/out.png"), "-w", "10"}, 1, "Cannot write"},
        {{"info", Path("bad.svg")}, 1, "Malformed XML"},
        {{"render", Path("huge.svg")}, 2, "needs an output file"},
        {{"render", Path("huge.svg"), "-o", Path("out.png"), "-w", "0"}, 2, "positive whole number"},
        {{"render", Path("huge.svg"), "-o", Path("out.png"), "-w"}, 2, "-w needs a value"},
        {{"render", Path("huge.svg"), "-o", Path("out.png"), "--background", "nocolour"}, 2, "not a colour"},
        {{"render", Path("huge.svg"), "-o", Path("out.png"), "--frobnicate"}, 2, "unknown option"},
        {{"render", "a.svg", "b.svg", "-o", Path("out.png")}, 2, "one input file"},
        {{"frobnicate"}, 2, "unknown command"},
        {{}, 2, "usage:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Args.join(u' ').toStdString());
        EXPECT_EQ(Run(c.Args), c.Status);
        EXPECT_TRUE(ErrText.contains(c.Message)) << ErrText.toStdString();
        EXPECT_FALSE(QFile::exists(Path("out.png")));
    }
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files).size(), 3);
}

TEST_F(ZorsvgRun, InfoHelpAndVersion)
{
    Write("in.svg", "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 30 20'><g id='a'><path id='p' d='M0,0'/>"
                    "<path/></g><g fill='#ggg'/></svg>");
    ASSERT_EQ(Run({"info", Path("in.svg")}), 0);
    EXPECT_TRUE(OutText.contains("size:      30 x 20")) << OutText.toStdString();
    EXPECT_TRUE(OutText.contains("view box:  0 0 30 20"));
    EXPECT_TRUE(OutText.contains("elements:  4\n  g: 2\n  path: 2\n"));
    EXPECT_TRUE(OutText.contains("ids:       a p\n"));
    EXPECT_TRUE(OutText.contains("<g> fill=\"#ggg\""));
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_TRUE(OutText.startsWith("usage: zorsvg render"));
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_TRUE(OutText.startsWith("zorsvg "));
}

} // namespace
