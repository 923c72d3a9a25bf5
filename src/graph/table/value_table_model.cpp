#include "value_table_model.h"

#include "table_icons.h"

#include <common_functions.h>
#include <rgb_color.h>
#include <settings.h>
#include <target_oid.h>
#include <target_oids.h>

#include <QColor>
#include <QIcon>
#include <cmath>

namespace {

constexpr double NoValue = -20000.0;

struct ColumnLook {
    const char* header;
    int widthInX;
    bool headerCentred;
};

// Indexed by column identifier.
constexpr ColumnLook Looks[ValueTableModel::ColumnCount] = {
    {"Hostname", 16, false},
    {"IP", 12, false},
    {"Community", 12, false},
    {"MIB", 16, false},
    {"OID", 16, false},
    {"OID", 18, false},
    {"MIB:OID", 22, false},
    {"Current Value", 13, true},
    {"Minimum", 9, true},
    {"Maximum", 9, true},
    {"Average", 10, true},
    {"OID Index", 10, true},
    {"Color", 6, true},
    {"", 3, false},
    {"", 3, false},
    {"Instance", 23, false},
    {"Subset", 16, false},
    {"Units", 10, true},
    {"OID Description", 29, false},
    {"Longname", 29, false},
    {"Status", 10, true},
    {"Type", 10, true},
    {"Error", 15, false},
    {"", 3, false},
};

bool IsKnownId(int id)
{
    return id >= 0 && id < ValueTableModel::ColumnCount;
}

bool IsValueColumn(int id)
{
    return id >= ValueTableModel::ColCurrentValue && id <= ValueTableModel::ColAverageValue;
}

} // namespace

// What one row showed when it was last written: texts are shared copies, numbers are formatted
// only when a cell is painted.
struct ValueTableModel::Row {
    int subset = 0;
    QString hostname, ip, community, index, instance, label, units, lastError;
    QString moduleName, dottedOID, objectName, fullName, description, qualifiedName, status, syntax;
    double value = NoValue, minimum = NoValue, maximum = NoValue, average = NoValue;
    qint32 color = -1;
    bool grayLight = false;
};

ValueTableModel::ValueTableModel(TargetOIDs& targets, const Settings& settings, QObject* parent)
    : QAbstractTableModel(parent), m_targets(targets), m_settings(settings)
{
}

ValueTableModel::~ValueTableModel() = default;

int ValueTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ValueTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

Qt::ItemFlags ValueTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void ValueTableModel::LayoutTableColumns()
{
    beginResetModel();
    m_columns.clear();
    m_rows.clear();
    m_rowBySubset.clear();
    m_shown.reset();
    const QStringList entries = m_settings.Columns().split(QLatin1Char(','));
    for (const QString& entry : entries) {
        LayoutColumn column;
        column.id = static_cast<int>(RoundHalfEven(LeadingNumber(entry)));
        // The look goes by the exact text: " 5" or "05" still read as 5 but have no header.
        column.known = IsKnownId(column.id) && entry == QString::number(column.id);
        if (IsKnownId(column.id))
            m_shown.set(size_t(column.id));
        m_columns.push_back(column);
    }
    endResetModel();
}

bool ValueTableModel::RefreshTableRows()
{
    const int oldCount = static_cast<int>(m_rows.size());
    std::vector<Row> appended;
    bool anyNoValue = false;
    const int count = m_targets.Count();
    for (int i = 0; i < count; ++i) {
        // A thousand targets do not stay in the cache from one poll to the next.
        if (i + 4 < count)
            m_targets.At(i + 4)->PrefetchTableRow();
        const TargetOID* target = m_targets.At(i);
        if (target->Value() == NoValue)
            anyNoValue = true;
        const auto found = m_rowBySubset.constFind(target->Subset());
        if (found != m_rowBySubset.constEnd()) {
            const int row = *found;
            WriteRow(row < oldCount ? m_rows[row] : appended[row - oldCount], *target);
            continue;
        }
        m_rowBySubset.insert(target->Subset(), oldCount + static_cast<int>(appended.size()));
        appended.emplace_back();
        appended.back().subset = target->Subset();
        WriteRow(appended.back(), *target);
    }
    if (oldCount > 0 && !m_columns.empty())
        Q_EMIT dataChanged(index(0, 0), index(oldCount - 1, columnCount() - 1));
    if (!appended.empty()) {
        beginInsertRows(QModelIndex(), oldCount, oldCount + static_cast<int>(appended.size()) - 1);
        for (Row& row : appended)
            m_rows.push_back(std::move(row));
        endInsertRows();
    }
    return anyNoValue;
}

void ValueTableModel::WriteRow(Row& row, const TargetOID& target) const
{
    // Only texts a shown column needs are copied: every poll rewrites every row. Units and the
    // last error always count (value cells and the status light use them).
    const OIDDetails& details = target.OID();
    const auto shown = [this](int id) { return m_shown.test(size_t(id)); };
    // The texts rarely change, and copying one touches its (cold) reference count twice.
    const auto take = [](QString& to, const QString& from) {
        if (to.constData() != from.constData() || to.size() != from.size())
            to = from;
    };
    take(row.units, target.Units());
    take(row.lastError, target.LastError());
    if (shown(ColHostname))
        take(row.hostname, target.Hostname());
    if (shown(ColIPAddress))
        take(row.ip, target.IP());
    if (shown(ColCommunity))
        take(row.community, target.Community());
    if (shown(ColOIDIndex))
        take(row.index, target.Index());
    if (shown(ColInstanceName))
        take(row.instance, target.Instance());
    if (shown(ColSubsetLabel))
        take(row.label, target.Label());
    if (shown(ColMIBName))
        take(row.moduleName, details.ModuleName());
    if (shown(ColOID))
        take(row.dottedOID, details.DottedOID());
    if (shown(ColOIDName))
        take(row.objectName, details.ObjectName());
    if (shown(ColOIDNameWithMIB))
        take(row.fullName, details.FullName());
    if (shown(ColOIDDescription))
        take(row.description, details.Description());
    if (shown(ColQualifiedName))
        take(row.qualifiedName, details.QualifiedName());
    if (shown(ColOIDStatus))
        take(row.status, details.Status());
    if (shown(ColOIDType))
        take(row.syntax, details.SyntaxName());
    row.value = target.Value();
    row.minimum = target.Min();
    row.maximum = target.Max();
    row.average = target.Average();
    row.color = target.Color();
    row.grayLight = m_baselineShowing;
}

void ValueTableModel::setColors(qint32 desk, qint32 tableFore, qint32 tableBack)
{
    m_deskColor = desk;
    m_foreColor = tableFore;
    m_backColor = tableBack;
    if (!m_rows.empty() && !m_columns.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::ForegroundRole, Qt::BackgroundRole});
}

QVariant ValueTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Row& row = m_rows[static_cast<size_t>(index.row())];
    const int id = m_columns[static_cast<size_t>(index.column())].id;
    switch (role) {
    case Qt::DisplayRole:
        return CellText(row, id);
    case Qt::DecorationRole: {
        const PictureKey key = Picture(index);
        return key == NoPicture ? QVariant() : QVariant(TableIcon(key));
    }
    case Qt::ToolTipRole:
        return ToolTip(id);
    case Qt::TextAlignmentRole:
        // Shown values are centred; everything else reads from the left.
        if (IsValueColumn(id))
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (id == ColColor && row.color != -1)
            return ToQColor(row.color);
        return ToQColor(m_backColor);
    case Qt::ForegroundRole:
        return ToQColor(m_foreColor);
    default:
        return QVariant();
    }
}

QString ValueTableModel::CellText(const Row& row, int id) const
{
    switch (id) {
    case ColHostname:
        return row.hostname;
    case ColIPAddress:
        return row.ip;
    case ColCommunity:
        return row.community;
    case ColMIBName:
        return row.moduleName;
    case ColOID:
        return row.dottedOID;
    case ColOIDName:
        return row.objectName;
    case ColOIDNameWithMIB:
        return row.fullName;
    case ColCurrentValue:
        return FormatValue(row.value, row.units);
    case ColLowestValue:
        return FormatValue(row.minimum, row.units);
    case ColHighestValue:
        return FormatValue(row.maximum, row.units);
    case ColAverageValue:
        return FormatValue(row.average, row.units);
    case ColOIDIndex:
        return row.index;
    case ColInstanceName:
        return row.instance;
    case ColSubsetLabel:
        return row.label;
    case ColUnits:
        return row.units;
    case ColOIDDescription:
        return row.description;
    case ColQualifiedName:
        return row.qualifiedName;
    case ColOIDStatus:
        return row.status;
    case ColOIDType:
        return row.syntax;
    case ColLastError:
        return row.lastError;
    default:
        return QString();
    }
}

ValueTableModel::PictureKey ValueTableModel::Picture(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return NoPicture;
    const Row& row = m_rows[static_cast<size_t>(index.row())];
    switch (m_columns[static_cast<size_t>(index.column())].id) {
    case ColEditButton:
        return PictureCustomize;
    case ColRemoveButton:
        return PictureRemove;
    case ColStatusLED:
        if (!row.lastError.isEmpty())
            return PictureRed;
        return row.grayLight ? PictureGray : PictureGreen;
    default:
        return NoPicture;
    }
}

QVariant ValueTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const LayoutColumn& column = m_columns[static_cast<size_t>(section)];
    switch (role) {
    case Qt::DisplayRole:
        return column.known ? HeaderText(column.id) : QString();
    case Qt::TextAlignmentRole:
        if (column.known && HeaderCentred(column.id))
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

int ValueTableModel::ColumnId(int column) const
{
    if (column < 0 || column >= columnCount())
        return -1;
    return m_columns[static_cast<size_t>(column)].id;
}

QList<int> ValueTableModel::ColumnIds() const
{
    QList<int> ids;
    ids.reserve(columnCount());
    for (const LayoutColumn& column : m_columns)
        ids.append(column.id);
    return ids;
}

int ValueTableModel::ColumnWidthInX(int column) const
{
    if (column < 0 || column >= columnCount())
        return 0;
    const LayoutColumn& layout = m_columns[static_cast<size_t>(column)];
    return layout.known ? WidthInX(layout.id) : 0;
}

int ValueTableModel::RowSubset(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    return m_rows[static_cast<size_t>(row)].subset;
}

TargetOID* ValueTableModel::TargetAt(int row) const
{
    const int subset = RowSubset(row);
    if (subset < 0)
        return nullptr;
    for (TargetOID* target : m_targets) {
        if (target->Subset() == subset)
            return target;
    }
    return nullptr;
}

QString ValueTableModel::HeaderText(int id)
{
    return IsKnownId(id) ? QString::fromLatin1(Looks[id].header) : QString();
}

int ValueTableModel::WidthInX(int id)
{
    return IsKnownId(id) ? Looks[id].widthInX : 0;
}

bool ValueTableModel::HeaderCentred(int id)
{
    return IsKnownId(id) && Looks[id].headerCentred;
}

QString ValueTableModel::ToolTip(int id)
{
    switch (id) {
    case ColRemoveButton:
        return QStringLiteral("Remove Subset from graph");
    case ColEditButton:
        return QStringLiteral("Customize Subset");
    case ColColor:
        return QStringLiteral("Subset color. Click here to change colors.");
    case ColMIBName:
    case ColOIDName:
    case ColOIDNameWithMIB:
        return QStringLiteral("MIB that this value is being read from.");
    case ColOID:
        return QStringLiteral("OID that this value is being read from.");
    case ColOIDIndex:
        return QStringLiteral("Index into this MIB");
    case ColLastError:
        return QStringLiteral("Status of the SNMP Communication with the remote machine");
    case ColStatusLED:
        return QStringLiteral("Red light indicates the remote machine is not responding to SNMP");
    default:
        return QString();
    }
}

QString ValueTableModel::FormatValue(double value, const QString& units)
{
    if (value == NoValue)
        return QString();
    // Cents first (halves away from zero), so the magnitude band is chosen on the value as shown.
    const double rounded = std::round(value * 100.0) / 100.0;
    return FormatMagnitude(rounded, units, false);
}
