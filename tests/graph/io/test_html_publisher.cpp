#include "io_fixture.h"

#include <html_publisher.h>

#include <clock.h>
#include <rgb_color.h>
#include <trendwick_version.h>

#include <QBrush>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

class HtmlPublisherTest : public ::testing::Test {
protected:
    // Given a value table with a label, a button column (no header), a value and a colour column.
    HtmlPublisherTest()
    {
        table.setHorizontalHeaderLabels({"Label", "", "Current Value", "Color"});
        table.setItem(0, 0, new QStandardItem(QStringLiteral("<b>\"x\"&</b>")));
        table.setItem(0, 2, new QStandardItem(QStringLiteral("12.5 K")));
        auto* colour = new QStandardItem();
        colour->setBackground(QBrush(QColor(255, 0, 0)));
        table.setItem(0, 3, colour);
        table.setItem(1, 0, new QStandardItem(QStringLiteral("it's")));
        auto* white = new QStandardItem(QStringLiteral("7"));
        white->setBackground(QBrush(Qt::white));
        table.setItem(1, 2, white);
        table.setItem(1, 3, new QStandardItem());
        table.item(1, 3)->setData(QColor(0, 128, 255), Qt::BackgroundRole);

        context.saveJPEG = [this](const QString& file, int width, int height) {
            saved << QStringLiteral("%1 %2x%3").arg(QFileInfo(file).fileName()).arg(width).arg(height);
            QImage image(width, height, QImage::Format_RGB32);
            image.fill(Qt::darkBlue);
            return image.save(file, "JPEG");
        };
        context.mainTitle = QStringLiteral("Core & Edge");
        context.subTitle = QStringLiteral("<script>alert(1)</script>");
        context.deskColor = RGBColor(0x20, 0x30, 0x40);
        context.fontSizeCode = 0;
        context.autoPublishInterval = 90;
        context.table = &table;
    }

    ManualClock clock{QDateTime(QDate(2026, 12, 4), QTime(18, 37, 1))};
    HtmlPublisher publisher{clock, QLocale(QLocale::English, QLocale::UnitedStates)};
    QStandardItemModel table{2, 4};
    HtmlPageContext context;
    QStringList saved;
    QTemporaryDir folder;
};

TEST_F(HtmlPublisherTest, ImageNamesAndColours)
{
    EXPECT_EQ(HtmlPublisher::ImageFilename("page.HTM"), QStringLiteral("page.jpg"));
    EXPECT_EQ(HtmlPublisher::ImageFilename("/www/report.htm"), QStringLiteral("/www/report.jpg"));
    EXPECT_EQ(HtmlPublisher::ImageFilename("report.Htm"), QStringLiteral("report.jpg"));
    EXPECT_EQ(HtmlPublisher::ImageFilename("page.html"), QStringLiteral("page.html.jpg"));
    EXPECT_EQ(HtmlPublisher::ImageFilename("ab"), QStringLiteral("ab.jpg"));
    EXPECT_EQ(HtmlPublisher::ImageFilename("HTM"), QStringLiteral("jpg"));

    EXPECT_EQ(HtmlPublisher::HTMLColor(RGBColor(255, 0, 0)), QStringLiteral("#FF0000"));
    EXPECT_EQ(HtmlPublisher::HTMLColor(RGBColor(0x12, 0xab, 0x5c)), QStringLiteral("#12AB5C"));
    EXPECT_EQ(HtmlPublisher::HTMLColor(0), QStringLiteral("#000000"));
    EXPECT_EQ(HtmlPublisher::HTMLColor(0x1000000), QStringLiteral("#FFFFFF")) << "beyond white";
    EXPECT_EQ(HtmlPublisher::HTMLColor(0x80000005), QStringLiteral("#FFFFFF")) << "a system colour code";
    EXPECT_EQ(HtmlPublisher::HTMLColor(-1), QStringLiteral("#FFFFFF")) << "no colour yet";

    EXPECT_EQ(HtmlPublisher::Escaped("<b>\"x\"&</b> it's"),
              QStringLiteral("&lt;b&gt;&quot;x&quot;&amp;&lt;/b&gt; it&#39;s"));
    EXPECT_EQ(HtmlPublisher::Escaped(QStringLiteral("Zürich \U0001F600")),
              QStringLiteral("Z&#252;rich &#128512;"));
}

TEST_F(HtmlPublisherTest, PageLinesForASmallTable)
{
    const QString page = folder.filePath(QStringLiteral("page.HTM"));
    ASSERT_TRUE(publisher.SaveHTML(page, 0, 0, context));
    EXPECT_EQ(saved, QStringList{"page.jpg 800x600"});

    const QStringList expected{
        "<html>",
        "<head>",
        "<meta http-equiv=\"REFRESH\" content=\"90\">",
        "<title>Core &amp; Edge  &lt;script&gt;alert(1)&lt;/script&gt;</title>",
        "</head>",
        "<body bgcolor=\"#203040\">",
        "<p><img border=0 src=\"page.jpg\"></p>",
        "<table bgcolor=\"white\" border=\"1\" width=\"800\" cellspacing=\"0\" cellpadding=\"2\">",
        "\t<tr>",
        "\t\t<th bgcolor=\"#FFFFCC\"><font face=\"Arial\" size=\"2\">Label</font></th>",
        "\t\t<th bgcolor=\"#FFFFCC\"><font face=\"Arial\" size=\"2\">Current Value</font></th>",
        "\t\t<th bgcolor=\"#FFFFCC\"><font face=\"Arial\" size=\"2\">Color</font></th>",
        "\t</tr>",
        "\t<tr>",
        "\t\t<td align=\"center\"><font face=\"Arial\" "
        "size=\"2\">&lt;b&gt;&quot;x&quot;&amp;&lt;/b&gt;</font></td>",
        "\t\t<td align=\"center\"><font face=\"Arial\" size=\"2\">12.5 K</font></td>",
        "\t\t<td bgcolor=\"#FF0000\">",
        "<font face=\"Arial\" size=\"2\">&nbsp;</font></td>",
        "\t</tr>",
        "\t<tr>",
        "\t\t<td align=\"center\"><font face=\"Arial\" size=\"2\">it&#39;s</font></td>",
        "\t\t<td align=\"center\"><font face=\"Arial\" size=\"2\">7</font></td>",
        "\t\t<td bgcolor=\"#0080FF\">",
        "<font face=\"Arial\" size=\"2\">&nbsp;</font></td>",
        "\t</tr>",
        "</table>",
        "<p><font size=\"2\">Generated by <a href=\"https://brightfen.net/\">Brightfen</a> Real-Time "
        "Trendwick version " +
            TrendwickVersionString() + " at 12/4/26 6:37:01 PM </font></p>",
        "</body>",
        "</html>",
        ""};
    EXPECT_EQ(QString::fromUtf8(FileBytes(page)).split(QLatin1Char('\n')), expected);
    EXPECT_FALSE(QImage(folder.filePath(QStringLiteral("page.jpg"))).isNull());
}

TEST_F(HtmlPublisherTest, SizeFontAndRewriting)
{
    const QString page = folder.filePath(QStringLiteral("report.html"));
    context.fontSizeCode = 2;
    ASSERT_TRUE(publisher.SaveHTML(page, 640, 0, context));
    EXPECT_EQ(saved, QStringList{"report.html.jpg 640x600"});
    const QString first = QString::fromUtf8(FileBytes(page));
    EXPECT_TRUE(first.contains("width=\"640\" cellspacing")) << first.toStdString();
    EXPECT_TRUE(first.contains("<font face=\"Arial\" size=\"1\">Label</font>"));
    EXPECT_FALSE(first.contains("size=\"2\">Label"));

    // The page is replaced at every publishing, never appended to.
    table.setRowCount(0);
    ASSERT_TRUE(publisher.SaveHTML(page, 0, 0, context));
    const QString second = QString::fromUtf8(FileBytes(page));
    EXPECT_EQ(second.count("<html>"), 1);
    EXPECT_FALSE(second.contains("12.5 K"));

    // No chart saver, or a folder that does not exist: nothing is reported beyond the result.
    context.saveJPEG = nullptr;
    EXPECT_FALSE(publisher.SaveHTML(page, 0, 0, context));
    EXPECT_FALSE(publisher.SaveHTML(folder.filePath("none/page.htm"), 0, 0, context));
}

// Runs headless Chromium over a page; returns false with a reason when it is not usable.
static bool DumpWithChromium(const QString& page, const QString& profile, QString& dom, QString& console)
{
    QProcess chromium;
    chromium.start(QStringLiteral("/usr/bin/chromium"),
                   {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                    "--disable-background-networking", "--disable-component-update", "--disable-sync",
                    "--user-data-dir=" + profile, "--enable-logging=stderr", "--v=0", "--dump-dom",
                    QUrl::fromLocalFile(page).toString()});
    if (!chromium.waitForFinished(90000) || chromium.exitCode() != 0)
        return false;
    dom = QString::fromUtf8(chromium.readAllStandardOutput());
    // Console messages of the page are logged as "...:CONSOLE(line)] text" or ":CONSOLE:line]".
    for (const QString& line : QString::fromUtf8(chromium.readAllStandardError()).split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String(":CONSOLE")))
            console += line + QLatin1Char('\n');
    }
    return true;
}

TEST_F(HtmlPublisherTest, PageOpensInChromiumWithoutConsoleErrors)
{
    if (!QFileInfo(QStringLiteral("/usr/bin/chromium")).isExecutable())
        GTEST_SKIP()
            << "/usr/bin/chromium is not installed (Debian package chromium); page not checked in a browser";

    const QString page = folder.filePath(QStringLiteral("published.htm"));
    ASSERT_TRUE(publisher.SaveHTML(page, 0, 0, context));
    QString dom;
    QString console;
    ASSERT_TRUE(DumpWithChromium(page, folder.filePath("profile"), dom, console)) << "chromium did not run";
    EXPECT_TRUE(console.isEmpty()) << console.toStdString();
    EXPECT_TRUE(dom.contains("<table")) << dom.toStdString();
    EXPECT_TRUE(dom.contains("&lt;b&gt;\"x\"&amp;&lt;/b&gt;")) << "the label stays text";
    EXPECT_FALSE(dom.contains("<b>")) << "no markup from a device";
    EXPECT_FALSE(dom.contains("<script>"));

    // The same run over a page that does log to the console shows the check can fail.
    const QString noisy = folder.filePath(QStringLiteral("noisy.htm"));
    QFile file(noisy);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><script>console.error('noisy page')</script></body></html>\n");
    file.close();
    ASSERT_TRUE(DumpWithChromium(noisy, folder.filePath("profile2"), dom, console));
    EXPECT_TRUE(console.contains("noisy page")) << "console messages are not recognised any more";
}
