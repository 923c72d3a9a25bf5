#pragma once

#include "automation_object.h"

#include <QDBusObjectPath>
#include <QString>

class GraphTree;
class TargetOID;

/// What the TargetOID adaptor of one series forwards to, at .../TargetOIDs/O<n>. It keeps the key
/// number only and finds the series again on every call.
class TargetOIDObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(qint32 ID READ ID)
    Q_PROPERTY(QString Key READ Key)
    Q_PROPERTY(QString LastError READ LastError)
    Q_PROPERTY(QString Instance READ Instance WRITE setInstance)
    Q_PROPERTY(bool AssumeCounterRollover READ AssumeCounterRollover WRITE setAssumeCounterRollover)
    Q_PROPERTY(bool AutoLabel READ AutoLabel WRITE setAutoLabel)
    Q_PROPERTY(QString Index READ Index)
    Q_PROPERTY(QString Label READ Label WRITE setLabel)
    Q_PROPERTY(qint32 Color READ Color WRITE setColor)
    Q_PROPERTY(qint32 LineStyle READ LineStyle WRITE setLineStyle)
    Q_PROPERTY(QString LineStyleName READ LineStyleName WRITE setLineStyleName)
    Q_PROPERTY(qint16 Subset READ Subset)
    Q_PROPERTY(qint16 HistoryCount READ HistoryCount)
    Q_PROPERTY(QString Conversion READ Conversion WRITE setConversion)
    Q_PROPERTY(QString Units READ Units WRITE setUnits)
    Q_PROPERTY(QString Calculation READ Calculation WRITE setCalculation)
    Q_PROPERTY(QString TargetMIB READ TargetMIB WRITE setTargetMIB)
    Q_PROPERTY(QString Hostname READ Hostname WRITE setHostname)
    Q_PROPERTY(QString IP READ IP WRITE setIP)
    Q_PROPERTY(QDBusObjectPath OID READ OID)
    Q_PROPERTY(QString Community READ Community WRITE setCommunity)
    Q_PROPERTY(double Value READ Value)
    Q_PROPERTY(double Average READ Average)
    Q_PROPERTY(double Min READ Min)
    Q_PROPERTY(double Max READ Max)
public:
    TargetOIDObject(GraphTree& tree, qint32 keyNumber);

    qint32 ID();
    QString Key();
    QString LastError();
    QString Instance();
    void setInstance(const QString& value);
    /// The permission in force; the published member only sets it.
    bool AssumeCounterRollover();
    void setAssumeCounterRollover(bool value);
    bool AutoLabel();
    void setAutoLabel(bool value);
    QString Index();
    QString Label();
    void setLabel(const QString& value);
    qint32 Color();
    void setColor(qint32 value);
    qint32 LineStyle();
    void setLineStyle(qint32 value);
    QString LineStyleName();
    void setLineStyleName(const QString& value);
    qint16 Subset();
    double History(qint16 Index);
    /// Days since 1899-12-30 in local time; 0 for a slot that holds no time.
    double HistoryTime(qint16 Index);
    qint16 HistoryCount();
    QString Conversion();
    void setConversion(const QString& value);
    QString Units();
    void setUnits(const QString& value);
    QString Calculation();
    void setCalculation(const QString& value);
    /// The full name of the MIB object polled; the published member only sets it.
    QString TargetMIB();
    void setTargetMIB(const QString& value);
    QString Hostname();
    void setHostname(const QString& value);
    QString IP();
    void setIP(const QString& value);
    QDBusObjectPath OID();
    QString Community();
    void setCommunity(const QString& value);
    double Value();
    double Average();
    double Min();
    double Max();

private:
    /// The series with this object's key; throws ObjectGoneError once it has left its graph.
    TargetOID& Target() const;
    template <class F>
    auto Forward(F&& member)
    {
        return Call([&] { return member(Target()); });
    }

    GraphTree& m_tree;
    qint32 m_keyNumber;
};
