#pragma once

#include <qcustomplot.h>

#include <vector>

/// The chart's legend. Its entries change rarely but the plot redraws everything on every poll,
/// and with hundreds of series drawing their texts was most of a redraw; so the entries are drawn
/// once into a picture that is reused until an entry, its look or the legend's place changes.
/// Exports (which draw at other sizes or as vectors) still draw every entry directly.
class ChartLegend : public QCPLegend {
public:
    ChartLegend() = default;

    /// Whether entries drawn with this painter come from the picture.
    bool UsesPicture(const QCPPainter* painter) const;
    /// True while the picture is being drawn: entries draw themselves only then.
    bool DrawingPicture() const { return m_drawingPicture; }

protected:
    void draw(QCPPainter* painter) override;

private:
    /// What an entry's picture depends on.
    struct EntryLook {
        QRect rect;
        QString name;
        QPen pen;
        QBrush brush;
        int lineStyle = 0;
        int scatterShape = 0;
        double scatterSize = 0;
        bool selected = false;

        bool operator==(const EntryLook& other) const;
    };

    std::vector<EntryLook> CurrentLooks() const;
    void DrawPicture(qreal pixelRatio);

    QPixmap m_picture;
    std::vector<EntryLook> m_pictured;
    QRect m_picturedRect;
    QFont m_picturedFont;
    QColor m_picturedTextColor;
    QSize m_picturedIconSize;
    bool m_drawingPicture = false;
};

/// A legend entry that measures its text only when its text, font or icon height changed (the plot
/// lays out the whole legend on every redraw), and that leaves its drawing to the legend's picture.
class LegendEntry : public QCPPlottableLegendItem {
public:
    using QCPPlottableLegendItem::QCPPlottableLegendItem;

    /// Draws the entry at its place in the legend, for the legend's picture.
    void DrawInto(QCPPainter* painter);

protected:
    QSize minimumOuterSizeHint() const override;
    void draw(QCPPainter* painter) override;

private:
    mutable QString m_measuredName;
    mutable QFont m_measuredFont;
    mutable int m_measuredHeight = -1;
    mutable QSize m_textSize;
};
