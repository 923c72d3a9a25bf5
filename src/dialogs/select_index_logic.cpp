#include "select_index_logic.h"

#include <snmp_session.h>
#include <target_oids.h>

namespace {

const QString ScanTag = QStringLiteral("ScanIndexes");
const QString DescribeTag = QStringLiteral("IndexBy:");

} // namespace

QString IndexBelow(const QString& oid, const QString& base)
{
    // The separating dot is part of the test: "...1.10.7" does not lie below "...1.1".
    if (base.isEmpty() || oid.size() <= base.size() + 1 || !oid.startsWith(base) ||
        oid.at(base.size()) != QLatin1Char('.'))
        return QString();
    return oid.mid(base.size() + 1);
}

SelectIndexLogic::SelectIndexLogic(const OIDDetails& column, const OIDDetails& indexBy, Sender sender,
                                   QObject* parent)
    : QAbstractTableModel(parent), m_columnOID(column.DottedOID()), m_columnName(column.ObjectName()),
      m_indexByOID(indexBy.DottedOID()), m_send(std::move(sender))
{
}

SelectIndexLogic::Sender SelectIndexLogic::SessionSender(SNMPSession& session, const QString& ip,
                                                         const QString& community, qint16 version)
{
    return [&session, ip, community, version](const WalkRequest& request) {
        session.setAsynchronous(true);
        session.setRequestTag(request.tag);
        session.setCommunity(community);
        session.setOID(request.oid);
        session.setVersion(version);
        if (request.next)
            session.SendGetNext(ip);
        else
            session.SendGet(ip);
    };
}

void SelectIndexLogic::Start()
{
    m_walking = true;
    m_lastAsked = m_columnOID;
    m_send(WalkRequest{ScanTag, m_columnOID, true});
}

void SelectIndexLogic::HandleResponse(const QString&, const QString& oid, qint32, const QString& value,
                                      const QString& tag, const QString&)
{
    if (tag == ScanTag) {
        if (!m_walking)
            return;
        // An agent that answers with the OID it was asked for would keep the walk going forever.
        if (IndexBelow(oid, m_columnOID).isNull() || oid == m_lastAsked) {
            Finish();
            return;
        }
        AddRow(oid, value);
        m_lastAsked = oid;
        m_send(WalkRequest{ScanTag, oid, true});
    } else if (tag.startsWith(DescribeTag)) {
        if (!IndexBelow(oid, m_indexByOID).isNull())
            Describe(tag.mid(DescribeTag.size()), value);
    }
}

void SelectIndexLogic::Finish()
{
    m_walking = false;
    Q_EMIT WalkFinished();
}

void SelectIndexLogic::AddRow(const QString& oid, const QString& value)
{
    const QString index = IndexBelow(oid, m_columnOID);
    const int row = m_rows.size();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.append(Row{false, index, value, QString()});
    endInsertRows();
    if (!m_indexByOID.isEmpty())
        m_send(WalkRequest{DescribeTag + index, m_indexByOID + QLatin1Char('.') + index, false});
}

void SelectIndexLogic::Describe(const QString& index, const QString& description)
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row].index == index) {
            m_rows[row].instance = description;
            const QModelIndex cell = this->index(row, InstanceColumn);
            Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole});
            return;
        }
    }
}

void SelectIndexLogic::setChecked(int row, bool checked)
{
    if (row < 0 || row >= m_rows.size() || m_rows[row].checked == checked)
        return;
    m_rows[row].checked = checked;
    const QModelIndex cell = index(row, CheckColumn);
    Q_EMIT dataChanged(cell, cell, {Qt::CheckStateRole});
}

void SelectIndexLogic::ToggleRow(int row)
{
    if (row >= 0 && row < m_rows.size())
        setChecked(row, !m_rows[row].checked);
}

bool SelectIndexLogic::Checked(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows[row].checked;
}

QString SelectIndexLogic::IndexText(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows[row].index : QString();
}

QString SelectIndexLogic::ValueText(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows[row].value : QString();
}

QString SelectIndexLogic::InstanceText(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows[row].instance : QString();
}

int SelectIndexLogic::AddTargets(TargetOIDs& targets, const QString& hostname, const QString& ip,
                                 const QString& community, const QString& mib, const QString& units,
                                 const QString& calculation) const
{
    int added = 0;
    for (const Row& row : m_rows) {
        if (!row.checked)
            continue;
        TargetOID* target = targets.Add(hostname, ip, community, mib, row.index);
        if (!target)
            continue;
        target->setInstance(row.instance);
        target->setCalculation(calculation);
        target->setUnits(units);
        ++added;
    }
    return added;
}

int SelectIndexLogic::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int SelectIndexLogic::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SelectIndexLogic::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Row& row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case IndexColumn:
            return row.index;
        case ValueColumn:
            return row.value;
        case InstanceColumn:
            return row.instance;
        default:
            return QVariant();
        }
    case Qt::CheckStateRole:
        if (index.column() == CheckColumn)
            return row.checked ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() == InstanceColumn)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignCenter);
    default:
        return QVariant();
    }
}

bool SelectIndexLogic::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        index.column() != CheckColumn || role != Qt::CheckStateRole)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags SelectIndexLogic::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled;
    if (index.column() == CheckColumn)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

QVariant SelectIndexLogic::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case IndexColumn:
        return QStringLiteral("Index");
    case ValueColumn:
        return m_columnName;
    case InstanceColumn:
        return QStringLiteral("Instance");
    default:
        return QString();
    }
}
