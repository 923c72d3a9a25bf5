#pragma once

#include <oid_details.h>

#include <QAbstractTableModel>
#include <QString>
#include <QVector>
#include <functional>

class SNMPSession;
class TargetOID;
class TargetOIDs;

/// One request the walk wants sent: a GET-NEXT of the column or a GET of a row's description.
struct WalkRequest {
    QString tag;
    QString oid;
    bool next = false; ///< GET-NEXT rather than GET
};

/// The rows of one table column and the walk that finds them. The walk asks for the column with
/// GET-NEXT requests tagged "ScanIndexes", adds one row per answer inside the column and stops at
/// the first answer outside it (a time-out answers with an empty OID, so it stops there too).
/// Where a describing object is known, each new row is followed by a GET tagged "IndexBy:" and
/// the row's index, whose answer fills the row's "Instance" cell.
///
/// The requests go out through the sender given; answers come in through HandleResponse, which
/// has the signature of SNMPSession::Response so it can be connected directly.
class SelectIndexLogic : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CheckColumn, IndexColumn, ValueColumn, InstanceColumn, ColumnCount };

    using Sender = std::function<void(const WalkRequest&)>;

    /// column is the walked object; indexBy the describing object (empty details for none).
    SelectIndexLogic(const OIDDetails& column, const OIDDetails& indexBy, Sender sender,
                     QObject* parent = nullptr);

    /// A sender that sets the session up for each request and sends it asynchronously to ip.
    static Sender SessionSender(SNMPSession& session, const QString& ip, const QString& community,
                                qint16 version);

    /// Sends the first GET-NEXT of the column.
    void Start();
    bool Walking() const { return m_walking; }
    void HandleResponse(const QString& address, const QString& oid, qint32 code, const QString& value,
                        const QString& tag, const QString& type);

    /// Ticks or unticks a row; rows outside the table are ignored.
    void ToggleRow(int row);
    void setChecked(int row, bool checked);
    bool Checked(int row) const;
    QString IndexText(int row) const;
    QString ValueText(int row) const;
    QString InstanceText(int row) const;

    /// One target per ticked row, in row order, with the row's index and description; returns
    /// how many were added.
    int AddTargets(TargetOIDs& targets, const QString& hostname, const QString& ip, const QString& community,
                   const QString& mib, const QString& units, const QString& calculation) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    /// The walk has left the column; no more rows will come.
    void WalkFinished();

private:
    struct Row {
        bool checked = false;
        QString index;
        QString value;
        QString instance;
    };

    void AddRow(const QString& oid, const QString& value);
    void Describe(const QString& index, const QString& description);
    void Finish();

    QString m_columnOID;
    QString m_columnName;
    QString m_indexByOID;
    Sender m_send;
    QString m_lastAsked;
    bool m_walking = false;
    QVector<Row> m_rows;
};

/// The index of an OID below a base OID ("1.3.6.1.2.1.2.2.1.10.7" below "1.3.6.1.2.1.2.2.1.10"
/// is "7"), or a null text when the OID does not lie below it.
QString IndexBelow(const QString& oid, const QString& base);
