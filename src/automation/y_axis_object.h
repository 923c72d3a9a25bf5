#pragma once

#include "automation_object.h"

#include <QDBusObjectPath>
#include <QList>
#include <QString>

class GraphTree;
class YAxis;

/// What the YAxis adaptor of one axis forwards to, at .../YAxises/A<index>. It keeps the index
/// only: after a Reset rebuilt the axes the path names the new axis of that index.
class YAxisObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(QList<QDBusObjectPath> TargetOIDs READ TargetOIDs)
    Q_PROPERTY(QString Key READ Key)
    Q_PROPERTY(qint16 Index READ Index)
    Q_PROPERTY(QString Label READ Label WRITE setLabel)
    Q_PROPERTY(QString Units READ Units)
    Q_PROPERTY(qint32 Color READ Color WRITE setColor)
    Q_PROPERTY(QString Calculation READ Calculation)
    Q_PROPERTY(qint16 Subsets READ Subsets)
    Q_PROPERTY(double Max READ Max)
    Q_PROPERTY(double Min READ Min)
    Q_PROPERTY(bool FixedScales READ FixedScales WRITE setFixedScales)
    Q_PROPERTY(double FixedMax READ FixedMax WRITE setFixedMax)
    Q_PROPERTY(double FixedMin READ FixedMin WRITE setFixedMin)
    Q_PROPERTY(double Magnitude READ Magnitude)
    Q_PROPERTY(QString ScaleFormat READ ScaleFormat)
    Q_PROPERTY(qint32 PlottingMethod READ PlottingMethod WRITE setPlottingMethod)
    Q_PROPERTY(QString PlottingMethodName READ PlottingMethodName WRITE setPlottingMethodName)
public:
    YAxisObject(GraphTree& tree, int index);

    /// The series' own paths under the graph's TargetOIDs.
    QList<QDBusObjectPath> TargetOIDs();
    QString Key();
    qint16 Index();
    QString Label();
    void setLabel(const QString& value);
    QString Units();
    qint32 Color();
    void setColor(qint32 value);
    QString Calculation();
    qint16 Subsets();
    double Max();
    double Min();
    bool FixedScales();
    void setFixedScales(bool value);
    double FixedMax();
    void setFixedMax(double value);
    double FixedMin();
    void setFixedMin(double value);
    double Magnitude();
    QString ScaleFormat();
    qint32 PlottingMethod();
    void setPlottingMethod(qint32 value);
    QString PlottingMethodName();
    void setPlottingMethodName(const QString& value);

private:
    template <class F>
    auto Forward(F&& member);

    GraphTree& m_tree;
    int m_index;
};
