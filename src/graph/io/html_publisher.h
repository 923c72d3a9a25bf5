#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

class Clock;
class QAbstractItemModel;

/// What a published page shows, taken from the graph control at the moment of publishing.
struct HtmlPageContext {
    /// Writes the chart as a JPEG file of the given size; the control passes its SaveJPEG.
    std::function<bool(const QString& file, int width, int height)> saveJPEG;
    QString mainTitle;
    QString subTitle;
    /// The chart's background colour (DeskColor), 32-bit RGB with red in the low byte.
    qint32 deskColor = 0;
    /// The font size code the chart style last set; 2 gives the smaller table font.
    int fontSizeCode = 0;
    /// Seconds between refreshes of the page in the browser.
    int autoPublishInterval = 60;
    /// The value table: header texts from headerData(DisplayRole), cell texts from DisplayRole,
    /// cell colours from BackgroundRole (QColor or QBrush). Columns with an empty header are left out.
    const QAbstractItemModel* table = nullptr;
};

/// The published page name a graph uses: the name as set, or the derived ".htm" default when empty.
QString EffectiveAutoPublishFilename(const QString& asSet, const QString& mainTitle,
                                     const QString& definitionFilename);

/// Writes a graph as a web page: the chart as a JPEG beside the page, and an HTML page that shows
/// the image over the value table and reloads itself at the publishing interval. Every text that
/// comes from a device or a user (titles, header and cell texts) is HTML-escaped, quotes included,
/// so a device cannot put markup into the page.
class HtmlPublisher {
public:
    /// The address the page's closing line links to.
    static constexpr const char* MakerSite = "https://brightfen.net/";

    explicit HtmlPublisher(Clock& clock, const QLocale& locale = QLocale());

    /// Writes the image and the page; width and height 0 mean 800 by 600. Never reports errors:
    /// false only tells a caller that wants to know that the page was not completely written.
    bool SaveHTML(const QString& page, int width, int height, const HtmlPageContext& context) const;

    /// The lines of the page (without line ends) for the given image file name and width.
    QStringList PageLines(const HtmlPageContext& context, const QString& imageName, int width) const;

    /// page.htm -> page.jpg (the last three letters "HTM" in any case), else page + ".jpg".
    static QString ImageFilename(const QString& page);
    /// "#RRGGBB" of a 32-bit RGB colour (red in the low byte); white for values beyond white.
    static QString HTMLColor(qint64 color);
    /// Markup characters and both quotes as entities, everything beyond ASCII as character references.
    static QString Escaped(const QString& text);

private:
    void AppendTableLines(QStringList& lines, const QAbstractItemModel& table, int fontSize) const;

    Clock& m_clock;
    QLocale m_locale;
};
