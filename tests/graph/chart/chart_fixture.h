#pragma once

#include <chart_binding.h>
#include <chart_style.h>
#include <clock.h>
#include <settings.h>
#include <target_oids.h>
#include <y_axises.h>

#include <fake_mib.h>
#include <gtest/gtest.h>
#include <ostream>
#include <qcustomplot.h>
#include <qt_print.h>

/// A graph without MIB database or agent: values are recorded by hand.
class ChartTest : public ::testing::Test {
protected:
    ChartTest()
    {
        mib.Add("IF-MIB::ifOutOctets", "1.3.6.1.2.1.2.2.1.16", "Counter32");
        chart.resize(400, 300);
        chart.InitChart();
    }

    TargetOID* Add(const QString& host, const QString& ip, const QString& object, const QString& instance,
                   const QString& units = "bps")
    {
        TargetOID* target = targets.Add(host, ip, "public", object, "1");
        target->setInstance(instance);
        target->setUnits(units);
        target->setCalculation("No Calculations");
        return target;
    }

    TargetOID* Add(const QString& units) { return Add("host", "10.0.0.1", "ifInOctets", QString(), units); }

    QCPGraph* Graph(const QString& name)
    {
        for (int i = 0; i < chart.Plot()->graphCount(); ++i)
            if (chart.Plot()->graph(i)->name() == name)
                return chart.Plot()->graph(i);
        return nullptr;
    }

    ManualClock clock{QDateTime(QDate(2026, 1, 1), QTime(21, 5, 7))};
    Settings settings;
    FakeMib mib = FakeMib().WithStandardObjects();
    TargetOIDs targets{clock, settings, mib.Resolver()};
    YAxises axes;
    ChartStyle style;
    ChartBinding chart{targets, axes, style, clock};
};
