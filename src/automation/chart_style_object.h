#pragma once

#include "automation_object.h"

#include <QString>

class ChartStyle;
class GraphTree;

/// What the ChartStyle adaptor of one graph forwards to, at /Graphs/G<handle>/ChartStyle.
class ChartStyleObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(qint16 MaxPoints READ MaxPoints)
    Q_PROPERTY(qint16 PointsToGraph READ PointsToGraph WRITE setPointsToGraph)
    Q_PROPERTY(qint16 DecimalPoints READ DecimalPoints WRITE setDecimalPoints)
    Q_PROPERTY(QString TitleFont READ TitleFont WRITE setTitleFont)
    Q_PROPERTY(QString TableFont READ TableFont WRITE setTableFont)
    Q_PROPERTY(QString LabelFont READ LabelFont WRITE setLabelFont)
    Q_PROPERTY(qint32 DeskColor READ DeskColor WRITE setDeskColor)
    Q_PROPERTY(qint32 ShadowColor READ ShadowColor WRITE setShadowColor)
    Q_PROPERTY(qint32 TextColor READ TextColor WRITE setTextColor)
    Q_PROPERTY(qint32 GraphForeColor READ GraphForeColor WRITE setGraphForeColor)
    Q_PROPERTY(qint32 GraphBackColor READ GraphBackColor WRITE setGraphBackColor)
    Q_PROPERTY(qint32 TableForeColor READ TableForeColor WRITE setTableForeColor)
    Q_PROPERTY(qint32 TableBackColor READ TableBackColor WRITE setTableBackColor)
    Q_PROPERTY(qint32 Colors READ Colors)
    Q_PROPERTY(bool MarkDataPoints READ MarkDataPoints WRITE setMarkDataPoints)
    Q_PROPERTY(qint32 GridStyle READ GridStyle WRITE setGridStyle)
    Q_PROPERTY(QString GridStyleName READ GridStyleName WRITE setGridStyleName)
    Q_PROPERTY(bool GridInFront READ GridInFront WRITE setGridInFront)
    Q_PROPERTY(qint32 FontSize READ FontSize WRITE setFontSize)
    Q_PROPERTY(QString FontSizeName READ FontSizeName WRITE setFontSizeName)
    Q_PROPERTY(qint32 PointLabelOrientation READ PointLabelOrientation WRITE setPointLabelOrientation)
    Q_PROPERTY(
        QString PointLabelOrientationName READ PointLabelOrientationName WRITE setPointLabelOrientationName)
    Q_PROPERTY(bool IncludeAMPM READ IncludeAMPM WRITE setIncludeAMPM)
    Q_PROPERTY(qint32 TableStyle READ TableStyle WRITE setTableStyle)
    Q_PROPERTY(bool OverLappingAxes READ OverLappingAxes WRITE setOverLappingAxes)
    Q_PROPERTY(bool AutoCalcTitles READ AutoCalcTitles WRITE setAutoCalcTitles)
public:
    explicit ChartStyleObject(GraphTree& tree);

    qint16 MaxPoints();
    qint16 PointsToGraph();
    void setPointsToGraph(qint16 value);
    qint16 DecimalPoints();
    void setDecimalPoints(qint16 value);
    QString TitleFont();
    void setTitleFont(const QString& value);
    QString TableFont();
    void setTableFont(const QString& value);
    QString LabelFont();
    void setLabelFont(const QString& value);
    qint32 DeskColor();
    void setDeskColor(qint32 value);
    qint32 ShadowColor();
    void setShadowColor(qint32 value);
    qint32 TextColor();
    void setTextColor(qint32 value);
    qint32 GraphForeColor();
    void setGraphForeColor(qint32 value);
    qint32 GraphBackColor();
    void setGraphBackColor(qint32 value);
    qint32 TableForeColor();
    void setTableForeColor(qint32 value);
    qint32 TableBackColor();
    void setTableBackColor(qint32 value);
    qint32 SubsetColor(qint32 Index);
    qint32 GetNextColor();
    qint32 Colors();
    bool MarkDataPoints();
    void setMarkDataPoints(bool value);
    qint32 GridStyle();
    void setGridStyle(qint32 value);
    QString GridStyleName();
    void setGridStyleName(const QString& value);
    bool GridInFront();
    void setGridInFront(bool value);
    qint32 FontSize();
    void setFontSize(qint32 value);
    QString FontSizeName();
    void setFontSizeName(const QString& value);
    qint32 PointLabelOrientation();
    void setPointLabelOrientation(qint32 value);
    QString PointLabelOrientationName();
    void setPointLabelOrientationName(const QString& value);
    bool IncludeAMPM();
    void setIncludeAMPM(bool value);
    qint32 TableStyle();
    void setTableStyle(qint32 value);
    bool OverLappingAxes();
    void setOverLappingAxes(bool value);
    bool AutoCalcTitles();
    void setAutoCalcTitles(bool value);
    void Reset();
    /// "" writes the default style file; a file that cannot be written fails the call.
    void SaveStyle(const QString& Filename);
    void LoadStyle(const QString& Filename);
    void LoadDefaultPallete();

private:
    template <class F>
    auto Forward(F&& member);

    GraphTree& m_tree;
};
