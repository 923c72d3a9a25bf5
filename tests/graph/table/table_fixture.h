#pragma once

#include <value_table_model.h>

#include <clock.h>
#include <fake_mib.h>
#include <settings.h>
#include <target_oids.h>

#include <QStringList>
#include <ostream>
#include <qt_print.h>

/// Targets of an ifSpeed-like gauge in bps, a clock that stands still and a model over them; the
/// column list starts as the default one whatever an earlier test stored.
class TableFixture {
public:
    static constexpr const char* DefaultColumns = "13,14,15,12,22,5,7,10,8,9";

    TableFixture()
    {
        OIDInfo& speed = mib.Add(QStringLiteral("IF-MIB::ifSpeed"), QStringLiteral("1.3.6.1.2.1.2.2.1.5"),
                                 QStringLiteral("Gauge32"), QStringLiteral("bps"));
        speed.description = QStringLiteral("Estimated bandwidth of the interface.");
        speed.qualifiedName =
            QStringLiteral("iso.org.dod.internet.mgmt.mib-2.interfaces.ifTable.ifEntry.ifSpeed");
        speed.status = QStringLiteral("current");
        settings.setColumns(QLatin1String(DefaultColumns));
    }

    /// A gauge target on host "router<n>" with the given series number and colour.
    TargetOID* AddTarget(int subset, qint32 color = 0x0000ff)
    {
        const QString n = QString::number(targets.Count() + 1);
        TargetOID* target = targets.Add(QStringLiteral("router") + n, QStringLiteral("127.0.0.") + n,
                                        QStringLiteral("public"), QStringLiteral("ifSpeed"), n);
        target->SetSubset(static_cast<qint16>(subset));
        target->setColor(color);
        target->setInstance(QStringLiteral("eth") + n);
        return target;
    }

    /// Lays out the columns and writes the rows; returns what RefreshTableRows returned.
    bool Layout(const QString& columns)
    {
        settings.setColumns(columns);
        model.LayoutTableColumns();
        return model.RefreshTableRows();
    }

    /// Text of a row's cell in the first column with that identifier.
    QString Cell(int row, int id, int role = Qt::DisplayRole) const
    {
        return model.data(model.index(row, model.ColumnIds().indexOf(id)), role).toString();
    }
    ValueTableModel::PictureKey Light(int row) const
    {
        return model.Picture(model.index(row, model.ColumnIds().indexOf(ValueTableModel::ColStatusLED)));
    }

    ManualClock clock;
    Settings settings;
    FakeMib mib;
    TargetOIDs targets{clock, settings, mib.Resolver()};
    ValueTableModel model{targets, settings};
};
