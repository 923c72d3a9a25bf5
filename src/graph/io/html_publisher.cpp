#include "html_publisher.h"

#include "file_writing.h"
#include "log_time_format.h"
#include "value_log.h"

#include <clock.h>
#include <rgb_color.h>
#include <trendwick_version.h>

#include <QAbstractItemModel>
#include <QBrush>
#include <QColor>
#include <QFileInfo>
#include <QUrl>
#include <optional>

static constexpr int kDefaultWidth = 800;
static constexpr int kDefaultHeight = 600;
static constexpr qint64 kWhite = 0xFFFFFF;

QString EffectiveAutoPublishFilename(const QString& asSet, const QString& mainTitle,
                                     const QString& definitionFilename)
{
    return asSet.isEmpty() ? DerivedGraphFilename(mainTitle, definitionFilename, QStringLiteral(".htm"))
                           : asSet;
}

HtmlPublisher::HtmlPublisher(Clock& clock, const QLocale& locale) : m_clock(clock), m_locale(locale) {}

QString HtmlPublisher::ImageFilename(const QString& page)
{
    if (page.endsWith(QLatin1String("HTM"), Qt::CaseInsensitive))
        return page.left(page.size() - 3) + QLatin1String("jpg");
    return page + QLatin1String(".jpg");
}

QString HtmlPublisher::HTMLColor(qint64 color)
{
    // System colour codes and the "no colour yet" -1 lie outside 0..white.
    if (color < 0 || color > kWhite)
        color = kWhite;
    const auto hex = [](qint64 part) {
        return QStringLiteral("%1").arg(part & 0xFF, 2, 16, QLatin1Char('0'));
    };
    return (QLatin1Char('#') + hex(color) + hex(color >> 8) + hex(color >> 16)).toUpper();
}

// The page declares no character set, so everything beyond ASCII goes in as a character
// reference: a device's non-English text then shows the same in every browser.
QString HtmlPublisher::Escaped(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c == U'<')
            escaped += QLatin1String("&lt;");
        else if (c == U'>')
            escaped += QLatin1String("&gt;");
        else if (c == U'&')
            escaped += QLatin1String("&amp;");
        else if (c == U'"')
            escaped += QLatin1String("&quot;");
        else if (c == U'\'')
            escaped += QLatin1String("&#39;");
        else if (c < 128)
            escaped += QChar(char16_t(c));
        else
            escaped += QStringLiteral("&#%1;").arg(quint32(c));
    }
    return escaped;
}

// The colour a cell is painted with, or nothing when the model leaves it to the view.
static std::optional<qint64> CellBackground(const QVariant& background)
{
    QColor color;
    if (background.userType() == QMetaType::QBrush) {
        const QBrush brush = background.value<QBrush>();
        if (brush.style() != Qt::NoBrush)
            color = brush.color();
    } else if (background.userType() == QMetaType::QColor) {
        color = background.value<QColor>();
    }
    if (!color.isValid())
        return std::nullopt;
    return ToRGBColor(color);
}

void HtmlPublisher::AppendTableLines(QStringList& lines, const QAbstractItemModel& table, int fontSize) const
{
    const QString font = QStringLiteral("<font face=\"Arial\" size=\"%1\">").arg(fontSize);
    QList<int> columns;
    lines << QStringLiteral("\t<tr>");
    for (int column = 0; column < table.columnCount(); ++column) {
        const QString header = table.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        if (header.isEmpty())
            continue;
        columns << column;
        lines << QStringLiteral("\t\t<th bgcolor=\"#FFFFCC\">") + font + Escaped(header) +
                     QStringLiteral("</font></th>");
    }
    lines << QStringLiteral("\t</tr>");

    for (int row = 0; row < table.rowCount(); ++row) {
        lines << QStringLiteral("\t<tr>");
        for (const int column : columns) {
            const QModelIndex cell = table.index(row, column);
            const QString text = table.data(cell, Qt::DisplayRole).toString();
            const QString content = font + (text.isEmpty() ? QStringLiteral("&nbsp;") : Escaped(text)) +
                                    QStringLiteral("</font></td>");
            const std::optional<qint64> background = CellBackground(table.data(cell, Qt::BackgroundRole));
            if (background && *background != kWhite && *background != 0) {
                lines << QStringLiteral("\t\t<td bgcolor=\"") + HTMLColor(*background) +
                             QStringLiteral("\">");
                lines << content;
            } else {
                lines << QStringLiteral("\t\t<td align=\"center\">") + content;
            }
        }
        lines << QStringLiteral("\t</tr>");
    }
}

QStringList HtmlPublisher::PageLines(const HtmlPageContext& context, const QString& imageName,
                                     int width) const
{
    const int fontSize = context.fontSizeCode == 2 ? 1 : 2;
    // The image sits beside the page; its name is a relative URL there.
    const QString source =
        QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(imageName).fileName(), QByteArrayLiteral("/")));
    QStringList lines{
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta http-equiv=\"REFRESH\" content=\"%1\">").arg(context.autoPublishInterval),
        QStringLiteral("<title>") + Escaped(context.mainTitle) + QStringLiteral("  ") +
            Escaped(context.subTitle) + QStringLiteral("</title>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body bgcolor=\"") + HTMLColor(context.deskColor) + QStringLiteral("\">"),
        QStringLiteral("<p><img border=0 src=\"") + source + QStringLiteral("\"></p>"),
        QStringLiteral(
            "<table bgcolor=\"white\" border=\"1\" width=\"%1\" cellspacing=\"0\" cellpadding=\"2\">")
            .arg(width)};
    if (context.table)
        AppendTableLines(lines, *context.table, fontSize);
    lines << QStringLiteral("</table>");
    lines << QStringLiteral("<p><font size=\"2\">Generated by <a href=\"") + QLatin1String(MakerSite) +
                 QStringLiteral("\">Brightfen</a> ") + TrendwickFileDescription() +
                 QStringLiteral(" version ") + TrendwickVersionString() + QStringLiteral(" at ") +
                 Escaped(GeneralDateText(m_locale, m_clock.Now())) + QStringLiteral(" </font></p>");
    lines << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

bool HtmlPublisher::SaveHTML(const QString& page, int width, int height, const HtmlPageContext& context) const
{
    if (width <= 0)
        width = kDefaultWidth;
    if (height <= 0)
        height = kDefaultHeight;
    const QString image = ImageFilename(page);
    const bool imageSaved = context.saveJPEG && context.saveJPEG(image, width, height);

    QByteArray data;
    for (const QString& line : PageLines(context, image, width))
        data += line.toUtf8() + '\n';
    // Replaced as a whole, so a browser that reloads meanwhile never sees half a page.
    const bool pageSaved = ReplaceFile(page, data);
    return imageSaved && pageSaved;
}
