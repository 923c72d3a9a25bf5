#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

class ChartSink;
class QDomDocument;
class QDomElement;
class QDomNode;

enum GridStyles : qint32 { GRID_YAXIS = 0, GRID_XAXIS = 1, GRID_BOTH = 2, GRID_NONE = 3 };
enum FontSizes : qint32 { FONT_MEDIUM = 0, FONT_SMALL = 1, FONT_LARGE = 2 };
enum PointLabelOrientations : qint32 {
    POINT_LABEL_AUTO = 0,
    POINT_LABEL_VERTICAL = 1,
    POINT_LABEL_HORIZONTAL = 2,
    POINT_LABEL_SLANTED = 3,
};
enum TableStyles : qint32 { TABLESTYLE_GRAPH = 0, TABLESTYLE_TABLE = 1, TABLESTYLE_BOTH = 2 };

/// The look of one graph: colours, fonts, grid, point labels, decimals, points shown, whether chart
/// and table are shown, and the palette new series take their colours from. Enumerated properties
/// store any number; only the listed values have names and chart codes.
class ChartStyle : public QObject {
    Q_OBJECT
public:
    /// Points per series, the history size of a target.
    static constexpr qint16 MaxPoints = 500;

    explicit ChartStyle(QObject* parent = nullptr);
    ~ChartStyle() override;

    // Published members.
    qint16 PointsToGraph() const { return m_pointsToGraph; }
    /// Clamped to 10..500.
    void setPointsToGraph(int points);
    qint16 DecimalPoints() const { return m_decimalPoints; }
    /// Clamped to 0..7.
    void setDecimalPoints(int decimals);
    QString TitleFont() const { return m_titleFont; }
    void setTitleFont(const QString& face) { m_titleFont = face; }
    QString TableFont() const { return m_tableFont; }
    void setTableFont(const QString& face) { m_tableFont = face; }
    QString LabelFont() const { return m_labelFont; }
    void setLabelFont(const QString& face) { m_labelFont = face; }
    qint32 DeskColor() const { return m_deskColor; }
    void setDeskColor(qint32 color) { m_deskColor = color; }
    qint32 ShadowColor() const { return m_shadowColor; }
    void setShadowColor(qint32 color) { m_shadowColor = color; }
    qint32 TextColor() const { return m_textColor; }
    void setTextColor(qint32 color) { m_textColor = color; }
    qint32 GraphForeColor() const { return m_graphForeColor; }
    void setGraphForeColor(qint32 color) { m_graphForeColor = color; }
    qint32 GraphBackColor() const { return m_graphBackColor; }
    void setGraphBackColor(qint32 color) { m_graphBackColor = color; }
    qint32 TableForeColor() const { return m_tableForeColor; }
    void setTableForeColor(qint32 color) { m_tableForeColor = color; }
    qint32 TableBackColor() const { return m_tableBackColor; }
    void setTableBackColor(qint32 color) { m_tableBackColor = color; }
    /// Palette colour at index modulo Colors; std::out_of_range for a negative index.
    qint32 SubsetColor(int index) const;
    /// The palette colour at the next-colour position; the position moves on, cycling.
    qint32 GetNextColor();
    /// Number of palette colours.
    qint32 Colors() const { return static_cast<qint32>(m_palette.size()); }
    bool MarkDataPoints() const { return m_markDataPoints; }
    void setMarkDataPoints(bool mark) { m_markDataPoints = mark; }
    GridStyles GridStyle() const { return m_gridStyle; }
    void setGridStyle(GridStyles style) { m_gridStyle = style; }
    QString GridStyleName() const { return GridStyleNameOf(m_gridStyle); }
    void setGridStyleName(const QString& name);
    bool GridInFront() const { return m_gridInFront; }
    void setGridInFront(bool inFront) { m_gridInFront = inFront; }
    FontSizes FontSize() const { return m_fontSize; }
    void setFontSize(FontSizes size) { m_fontSize = size; }
    QString FontSizeName() const { return FontSizeNameOf(m_fontSize); }
    void setFontSizeName(const QString& name);
    PointLabelOrientations PointLabelOrientation() const { return m_pointLabelOrientation; }
    void setPointLabelOrientation(PointLabelOrientations orientation)
    {
        m_pointLabelOrientation = orientation;
    }
    QString PointLabelOrientationName() const { return PointLabelOrientationNameOf(m_pointLabelOrientation); }
    void setPointLabelOrientationName(const QString& name);
    bool IncludeAMPM() const { return m_includeAMPM; }
    void setIncludeAMPM(bool include) { m_includeAMPM = include; }
    TableStyles TableStyle() const { return m_tableStyle; }
    void setTableStyle(TableStyles style) { m_tableStyle = style; }
    bool OverLappingAxes() const { return m_overLappingAxes; }
    void setOverLappingAxes(bool overlapping) { m_overLappingAxes = overlapping; }
    bool AutoCalcTitles() const { return m_autoCalcTitles; }
    void setAutoCalcTitles(bool automatic) { m_autoCalcTitles = automatic; }
    /// Every property back to its default, IncludeAMPM excepted.
    void Reset();
    /// Writes the style (the "ChartStyle" element as a document of its own) to fileName, or to
    /// DefaultStyleFile() when it is empty; false when the file cannot be written.
    bool SaveStyle(const QString& fileName = QString()) const;
    /// Reads a file written by SaveStyle; false, and nothing changed, when it cannot be read.
    bool LoadStyle(const QString& fileName);
    /// The 21 default colours; the next colour is the first again.
    void LoadDefaultPallete();

    // For the program's own use.
    void ApplyToChart(ChartSink& chart) const;
    void WriteXML(QDomDocument& document, QDomNode& parent) const;
    void ReadXML(const QDomElement& element);

    /// The data folder, the executable's name and ".BrightfenChartStyle".
    static QString DefaultStyleFile();
    static QString GridStyleNameOf(qint32 style);
    static QString FontSizeNameOf(qint32 size);
    static QString PointLabelOrientationNameOf(qint32 orientation);
    /// Chart codes; -1 outside the enumeration.
    static int GridStyleCode(qint32 style);
    static int FontSizeCode(qint32 size);
    static int PointLabelOrientationCode(qint32 orientation);
    static int TableStyleCode(qint32 style);
    /// Attribute names of the "ChartStyle" element in writing order.
    static const QStringList& XMLAttributeNames();

private:
    struct ReadFlags {
        bool showGraph = false;
        bool showTable = false;
        bool autoCalcTitles = false;
    };
    void ReadAttribute(const QString& upperName, const QString& value, ReadFlags& flags);

    qint32 m_deskColor = 0;
    qint32 m_shadowColor = 0;
    qint32 m_textColor = 0;
    qint32 m_graphForeColor = 0;
    qint32 m_graphBackColor = 0;
    qint32 m_tableForeColor = 0;
    qint32 m_tableBackColor = 0;
    GridStyles m_gridStyle = GRID_YAXIS;
    bool m_gridInFront = false;
    qint16 m_decimalPoints = 2;
    FontSizes m_fontSize = FONT_MEDIUM;
    QString m_titleFont;
    QString m_tableFont;
    QString m_labelFont;
    bool m_markDataPoints = false;
    PointLabelOrientations m_pointLabelOrientation = POINT_LABEL_AUTO;
    bool m_includeAMPM = false;
    TableStyles m_tableStyle = TABLESTYLE_GRAPH;
    bool m_autoCalcTitles = true;
    bool m_overLappingAxes = true;
    qint16 m_pointsToGraph = 100;
    std::vector<qint32> m_palette;
    int m_nextColor = 0;
};
