#include "io_fixture.h"

#include <html_publisher.h>

#include <clock.h>
#include <rgb_color.h>

#include <QBrush>
#include <QFileInfo>
#include <QImage>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QUrl>

class HtmlPublisherTest : public ::testing::Test {
protected:
    // Given a value table with a label, a button column (no header), a value and a colour column.
    HtmlPublisherTest()
    {
        table.setHorizontalHeaderLabels({"Label", "", "Current Value", "Color"});
        table.setItem(0, 0, new QStandardItem(awkward));
        table.setItem(0, 1, new QStandardItem("button"));
        table.setItem(0, 2, new QStandardItem("12.5 K"));
        table.setItem(0, 3, new QStandardItem());
        table.item(0, 3)->setBackground(QBrush(QColor(255, 0, 0)));
        table.setItem(1, 0, new QStandardItem("it's"));
        table.setItem(1, 2, new QStandardItem("7"));
        table.item(1, 2)->setBackground(QBrush(Qt::white));
        table.setItem(1, 3, new QStandardItem());
        table.item(1, 3)->setData(QColor(0, 128, 255), Qt::BackgroundRole);

        context.saveJPEG = [this](const QString& file, int width, int height) {
            saved << QStringLiteral("%1 %2x%3").arg(QFileInfo(file).fileName()).arg(width).arg(height);
            QImage image(width, height, QImage::Format_RGB32);
            image.fill(Qt::darkBlue);
            return image.save(file, "JPEG");
        };
        context.mainTitle = "Core & Edge";
        context.subTitle = "<script>alert(1)</script>";
        context.deskColor = RGBColor(0x20, 0x30, 0x40);
        context.autoPublishInterval = 90;
        context.table = &table;
    }

    // Device text: markup, quotes, any script, tabs, line breaks and a control character.
    const QString awkward = QString::fromUtf8("<b>\"x\"&</b> it's Zürich 東京 😀\ttab\nline \x01 end");
    ManualClock clock{QDateTime(QDate(2026, 12, 4), QTime(18, 37, 1))};
    HtmlPublisher publisher{clock, QLocale(QLocale::English, QLocale::UnitedStates)};
    QStandardItemModel table{2, 4};
    HtmlPageContext context;
    QStringList saved;
    QTemporaryDir folder;
};

TEST_F(HtmlPublisherTest, PageAndItsImageOpenInChromiumWhateverThePageIsCalled)
{
    const QString chromium = QStringLiteral("/usr/bin/chromium");
    ASSERT_TRUE(QFileInfo(chromium).isExecutable()) << "install Debian's chromium package";
    const QString page = folder.filePath(QString::fromUtf8("Core #1 \"edge\" 'b' Grüße.HTM"));
    // Published at the default size, then again narrower with the small font: the page is replaced.
    ASSERT_TRUE(publisher.SaveHTML(page, 0, 0, context));
    context.fontSizeCode = 2;
    ASSERT_TRUE(publisher.SaveHTML(page, 640, 0, context));
    const QString image = QString::fromUtf8("Core #1 \"edge\" 'b' Grüße.jpg ");
    EXPECT_EQ(saved, QStringList({image + "800x600", image + "640x600"}));

    QProcess browser;
    const QString screenshot = folder.filePath("screen.png");
    browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                             "--disable-background-networking", "--disable-component-update",
                             "--disable-sync", "--user-data-dir=" + folder.filePath("profile"),
                             "--hide-scrollbars", "--window-size=1000,800", "--screenshot=" + screenshot,
                             "--dump-dom", QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded)});
    ASSERT_TRUE(browser.waitForFinished(90000) && browser.exitCode() == 0) << "chromium did not run";
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());

    // Device and user texts stay text; only the page's own markup is markup.
    EXPECT_TRUE(dom.contains("<title>Core &amp; Edge  &lt;script&gt;alert(1)&lt;/script&gt;</title>"))
        << dom.toStdString();
    EXPECT_FALSE(dom.contains("<script") || dom.contains("<b>"));
    // Chromium serialises a text node with "&", "<" and ">" escaped.
    for (QString text : {awkward, QStringLiteral("it's"), QStringLiteral("12.5 K"), QStringLiteral("7")})
        EXPECT_TRUE(dom.contains(">" + text.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;") +
                                 "</font>"))
            << text.toStdString();
    EXPECT_FALSE(dom.contains("button")) << "a column without a header is left out";
    // Refreshed at the publishing interval; colour cells painted, white cells left plain.
    EXPECT_TRUE(dom.contains("<meta http-equiv=\"REFRESH\" content=\"90\">"));
    EXPECT_TRUE(dom.contains("<td bgcolor=\"#FF0000\">") && dom.contains("<td bgcolor=\"#0080FF\">"));
    EXPECT_EQ(dom.count("<td bgcolor="), 2);
    EXPECT_TRUE(dom.contains("<body bgcolor=\"#203040\">"));
    EXPECT_EQ(dom.count("<table"), 1);
    EXPECT_TRUE(dom.contains("width=\"640\"") &&
                dom.contains("<font face=\"Arial\" size=\"1\">Label</font>"));
    // The chart image was found beside the page and drawn.
    const QImage shot(screenshot);
    ASSERT_FALSE(shot.isNull());
    const QColor drawn = shot.pixelColor(100, 100);
    EXPECT_TRUE(drawn.blue() > 100 && drawn.red() < 40 && drawn.green() < 40) << drawn.name().toStdString();
}

TEST_F(HtmlPublisherTest, FailuresAreOnlyTheResult)
{
    // No chart saver, or a folder that does not exist: nothing is reported beyond the result.
    EXPECT_FALSE(publisher.SaveHTML(folder.filePath("none/page.htm"), 0, 0, context));
    context.saveJPEG = nullptr;
    EXPECT_FALSE(publisher.SaveHTML(folder.filePath("page.htm"), 0, 0, context));
    // Beyond white, a system colour code and no colour yet all print as white.
    EXPECT_EQ(HtmlPublisher::HTMLColor(0x80000005LL) + HtmlPublisher::HTMLColor(-1), "#FFFFFF#FFFFFF");
}
