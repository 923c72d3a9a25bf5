#include "value_table_view.h"

#include "column_menu_logic.h"
#include "value_table_model.h"

#include <rgb_color.h>
#include <settings.h>
#include <target_oid.h>

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Buttons and lights sit alone in narrow columns; centred they read as buttons. The style would
// keep a lone picture at the left edge, so it is painted here.
class PictureDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        if (!item.text.isEmpty() || !item.features.testFlag(QStyleOptionViewItem::HasDecoration)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QIcon icon = item.icon;
        item.icon = QIcon();
        item.features &= ~QStyleOptionViewItem::HasDecoration;
        const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        icon.paint(painter,
                   QStyle::alignedRect(item.direction, Qt::AlignCenter, item.decorationSize, item.rect));
    }
};

} // namespace

ValueTableView::ValueTableView(ValueTableModel& model, Settings& settings, QWidget* parent)
    : QTableView(parent), m_model(model), m_settings(settings), m_columnsMenu(new QMenu(this))
{
    qRegisterMetaType<TargetOID*>();
    setModel(&m_model);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    setItemDelegate(new PictureDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setHighlightSections(false);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this, header](const QPoint& pos) {
        const int section = header->logicalIndexAt(pos);
        if (section >= 0)
            OpenColumnsMenu(section, header->viewport()->mapToGlobal(pos));
    });
    // Stored once the header has finished the move: storing announces "Table Columns", and the
    // relayout that follows resets the header, which must not happen inside its own move.
    connect(header, &QHeaderView::sectionMoved, this, [this] {
        if (!m_restoringOrder)
            QMetaObject::invokeMethod(this, &ValueTableView::StoreColumnOrder, Qt::QueuedConnection);
    });
    connect(&m_model, &QAbstractItemModel::modelReset, this, &ValueTableView::ApplyLayout);
    ApplyLayout();
}

ValueTableView::~ValueTableView() = default;

void ValueTableView::LoadColumnsMenu()
{
    m_columnsMenu->clear();
    for (const ColumnMenuEntry& entry : ColumnMenuLogic::LoadColumnsMenu(m_settings.Columns())) {
        QAction* action = m_columnsMenu->addAction(entry.caption);
        action->setCheckable(true);
        action->setChecked(entry.checked);
        action->setData(entry.id);
        const bool checked = entry.checked;
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id, checked] { ChooseColumn(id, checked); });
    }
}

void ValueTableView::OpenColumnsMenu(int section, const QPoint& globalPos)
{
    LoadColumnsMenu();
    m_clickedPosition = horizontalHeader()->visualIndex(section);
    m_columnsMenu->popup(globalPos);
}

void ValueTableView::ChooseColumn(int id, bool checked)
{
    ColumnMenuEntry entry;
    entry.id = id;
    entry.checked = checked;
    m_settings.setColumns(ColumnMenuLogic::ListAfterChoosing(GridColumnIds(), m_clickedPosition, entry));
}

void ValueTableView::StoreColumnOrder()
{
    const QString order = ColumnMenuLogic::JoinIds(GridColumnIds());
    if (order != m_settings.Columns())
        m_settings.setColumns(order);
}

QList<int> ValueTableView::GridColumnIds() const
{
    const QHeaderView* header = horizontalHeader();
    QList<int> ids;
    for (int visual = 0; visual < header->count(); ++visual)
        ids.append(m_model.ColumnId(header->logicalIndex(visual)));
    return ids;
}

void ValueTableView::setColors(qint32 desk, qint32 tableFore, qint32 tableBack)
{
    m_model.setColors(desk, tableFore, tableBack);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, ToQColor(desk));
    colors.setColor(QPalette::Text, ToQColor(tableFore));
    setPalette(colors);
}

int ValueTableView::RowsHeight() const
{
    int height = 2 * frameWidth();
    if (!horizontalHeader()->isHidden())
        height += horizontalHeader()->sizeHint().height();
    height += verticalHeader()->length();
    const int available = width() - 2 * frameWidth();
    if (horizontalHeader()->length() > available)
        height += horizontalScrollBar()->sizeHint().height();
    return height;
}

void ValueTableView::ApplyLayout()
{
    // The header keeps moved sections across a model reset, but a new layout already holds the
    // stored order: show the columns as the model has them.
    QHeaderView* header = horizontalHeader();
    m_restoringOrder = true;
    for (int column = 0; column < header->count(); ++column) {
        if (header->visualIndex(column) != column)
            header->moveSection(header->visualIndex(column), column);
    }
    m_restoringOrder = false;
    ApplyColumnWidths();
}

void ValueTableView::ApplyColumnWidths()
{
    const int xWidth = fontMetrics().horizontalAdvance(QLatin1Char('X'));
    verticalHeader()->setDefaultSectionSize(qMax(fontMetrics().height(), iconSize().height()) + 6);
    QHeaderView* header = horizontalHeader();
    for (int column = 0; column < m_model.columnCount(); ++column) {
        const int inX = m_model.ColumnWidthInX(column);
        header->resizeSection(column, inX > 0 ? inX * xWidth : header->defaultSectionSize());
    }
}

void ValueTableView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mousePressEvent(event);
    if (!index.isValid())
        return;
    TargetOID* target = m_model.TargetAt(index.row());
    if (target == nullptr)
        return;
    switch (m_model.ColumnId(index.column())) {
    case ValueTableModel::ColEditButton:
        Q_EMIT EditRequested(target);
        break;
    case ValueTableModel::ColRemoveButton:
        Q_EMIT RemoveRequested(target->Key());
        break;
    case ValueTableModel::ColMIBName:
    case ValueTableModel::ColOID:
    case ValueTableModel::ColOIDName:
    case ValueTableModel::ColOIDNameWithMIB:
        Q_EMIT DetailsRequested(target);
        break;
    case ValueTableModel::ColColor:
        Q_EMIT ColorRequested(target);
        break;
    default:
        break;
    }
}

void ValueTableView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        ApplyColumnWidths();
}
