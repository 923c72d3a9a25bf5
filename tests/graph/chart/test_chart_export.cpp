#include "chart_fixture.h"

#include <rgb_color.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QSvgRenderer>
#include <QTemporaryDir>

class ChartExportTest : public ChartTest {
protected:
    void SetUp() override
    {
        TargetOID* target = Add("bps");
        for (int i = 0; i < 80; ++i) {
            clock.advanceSeconds(5);
            target->RecordResponse(100 + 50 * std::sin(i / 5.0));
        }
        chart.ResetChart();
    }

    QString File(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(ChartExportTest, FilesAndClipboardHaveTheRequestedSizeAndFormat)
{
    // A width or height of 0 means the size on screen.
    chart.resize(433, 277);
    ASSERT_TRUE(chart.SaveBitmap(File("chart.bmp"), 321, 203) && chart.SaveBitmap(File("screen.bmp")));
    ASSERT_TRUE(chart.SaveJPEG(File("chart.jpg"), 640, 480) && chart.SaveJPEG(File("wide.jpg"), 600, 0));
    ASSERT_TRUE(chart.SaveMetaFile(File("chart.svg"), 500, 250));
    for (const auto& [name, format, size] : {std::tuple{"chart.bmp", "bmp", QSize(321, 203)},
                                             {"screen.bmp", "bmp", QSize(433, 277)},
                                             {"chart.jpg", "jpeg", QSize(640, 480)},
                                             {"wide.jpg", "jpeg", QSize(600, 277)}}) {
        QImageReader reader(File(QLatin1String(name)));
        EXPECT_EQ(reader.format(), QByteArray(format));
        EXPECT_EQ(reader.read().size(), size) << name;
    }
    QSvgRenderer svg(File("chart.svg"));
    EXPECT_TRUE(svg.isValid() && svg.defaultSize() == QSize(500, 250));
    EXPECT_FALSE(chart.SaveBitmap(File("no/such/folder/chart.bmp"), 100, 100));
    EXPECT_FALSE(chart.SaveMetaFile(File("no/such/folder/chart.svg"), 100, 100));
    chart.CopyBitmap();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(433, 277));
    chart.CopyMetaFile(200, 100);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    QSvgRenderer copied(data->data("image/svg+xml"));
    EXPECT_TRUE(copied.isValid() && copied.defaultSize() == QSize(200, 100));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(200, 100));
}

// Every plotting method draws the series in its colour (fits and curves included) and none
// leaves the series' pixels where a method with nothing to draw would.
TEST_F(ChartExportTest, EveryPlottingMethodDrawsTheSeries)
{
    TargetOID* target = targets.At(0);
    target->setColor(RGBColor(255, 0, 0));
    chart.ResetChart();
    const auto redPixels = [this] {
        const QImage image = chart.Image(400, 300).convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.red() > 180 && c.green() < 120 && c.blue() < 120;
            }
        return count;
    };
    for (int method = PLOT_LINE; method <= PLOT_STACKED; ++method) {
        axes.At(0)->setPlottingMethod(PlottingMethods(method));
        chart.UpdateStyle();
        chart.AppendPoint();
        EXPECT_GT(redPixels(), 60) << qPrintable(YAxis::PlottingMethodNameOf(method));
    }
    target->setLineStyle(LINESTYLE_DOT);
    axes.At(0)->setPlottingMethod(PLOT_LINE);
    chart.UpdateStyle();
    const int dotted = redPixels();
    target->setLineStyle(LINESTYLE_SOLID_6);
    chart.UpdateStyle();
    EXPECT_GT(redPixels(), 3 * dotted);
}
