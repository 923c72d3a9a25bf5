#pragma once

#include <chart_sink.h>
#include <oid_details.h>
#include <target_oid.h>

#include <QHash>
#include <QStringList>
#include <ostream>
#include <qt_print.h>

// Readable failure messages for Qt texts.
/// Records every call as one line of text, so a test can compare the whole conversation.
class RecordingChart : public ChartSink {
public:
    QStringList calls;
    int pointsShown = 100;

    void SetSeriesLabel(int subset, const QString& label) override { Log("SeriesLabel", subset, label); }
    void SetSeriesColor(int subset, qint32 color) override { Log("SeriesColor", subset, color); }
    void SetSeriesLineType(int subset, int code) override { Log("SeriesLineType", subset, code); }
    void SetAxisPlottingMethod(int axis, int code) override { Log("AxisPlot", axis, code); }
    void SetAxisTitle(int axis, const QString& title) override { Log("AxisTitle", axis, title); }
    void SetAxisColor(int axis, qint32 color) override { Log("AxisColor", axis, color); }
    void SetAxisScale(int axis, double minimum, double maximum) override
    {
        Log("AxisScale", axis, QString::number(minimum) + QLatin1Char(' ') + QString::number(maximum));
    }
    void SetAxisLabelFormat(int axis, const QString& format) override { Log("AxisFormat", axis, format); }
    void SetColor(ColorRole role, qint32 color) override { Log("Color", int(role), color); }
    void SetFont(FontRole role, const QString& face) override { Log("Font", int(role), face); }
    void SetMarkDataPoints(bool mark) override { Log("MarkDataPoints", mark); }
    void SetDecimalPoints(int decimals) override { Log("DecimalPoints", decimals); }
    void SetFontSizeCode(int code) override { Log("FontSize", code); }
    void SetGridStyleCode(int code) override { Log("GridStyle", code); }
    void SetGridInFront(bool inFront) override { Log("GridInFront", inFront); }
    void SetTableStyleCode(int code) override { Log("TableStyle", code); }
    void SetPointLabelOrientationCode(int code) override { Log("PointLabelOrientation", code); }
    int PointsShown() const override { return pointsShown; }
    void SetPointsShown(int points) override { Log("PointsShown", pointsShown = points); }

private:
    void Log(const char* what, int number, qint64 value) { Log(what, number, QString::number(value)); }
    void Log(const char* what, int number, const QString& text = QString())
    {
        QString line = QLatin1String(what) + QLatin1Char(' ') + QString::number(number);
        if (!text.isNull())
            line += QLatin1Char(' ') + text;
        calls.append(line);
    }
};

/// Answers lookups from a fixed table instead of the MIB database; unknown names give empty details.
struct FakeMib {
    QHash<QString, OIDInfo> objects;
    QStringList lookedUp;

    OIDResolver Resolver()
    {
        return [this](const QString& name) {
            lookedUp.append(name);
            return OIDDetails(objects.value(name));
        };
    }
};

inline OIDInfo CounterInfo(const QString& fullName = QStringLiteral("IF-MIB::ifInOctets"))
{
    OIDInfo info;
    info.fullName = fullName;
    info.objectName = fullName.section(QLatin1Char(':'), -1);
    info.syntaxName = QStringLiteral("Counter32");
    info.unitChoices = QStringLiteral("Octets,bps=*8");
    info.typeTag = 2;
    return info;
}
