#include "mib_tree.h"

#include "mib_database.h"
#include "mib_tree_model.h"
#include "mib_tree_search.h"
#include "oid_details_widget.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

MIBTree::MIBTree(QWidget* parent, const MibDatabase* database)
    : QWidget(parent), m_database(database ? *database : MibDatabase::instance()), m_view(new QTreeView),
      m_searchBar(new QWidget), m_searchText(new QLineEdit), m_searchStatus(new QLabel),
      m_details(new OIDDetailsWidget(nullptr, &m_database))
{
    m_view->setHeaderHidden(true);
    m_view->setUniformRowHeights(true); // keeps wide subtrees fast to open
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_view->header()->setStretchLastSection(false);
    connect(m_view, &QTreeView::activated, this, &MIBTree::nodeActivated);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QTreeView::customContextMenuRequested, this, [this](const QPoint& position) {
        const QModelIndex clicked = m_view->indexAt(position);
        if (!clicked.isValid())
            return;
        m_view->setCurrentIndex(clicked);
        QMenu menu;
        menu.addAction(tr("Show Details..."), this, [this] { SelectedDetails().ShowDetails(this); });
        menu.exec(m_view->viewport()->mapToGlobal(position));
    });

    m_searchText->setObjectName(QStringLiteral("MIBSearchText"));
    m_searchText->setPlaceholderText(tr("Name or OID"));
    m_searchText->setClearButtonEnabled(true);
    auto* previous = new QToolButton;
    previous->setObjectName(QStringLiteral("MIBSearchPrevious"));
    previous->setArrowType(Qt::UpArrow);
    previous->setToolTip(tr("Find previous (Shift+Enter)"));
    auto* next = new QToolButton;
    next->setObjectName(QStringLiteral("MIBSearchNext"));
    next->setArrowType(Qt::DownArrow);
    next->setToolTip(tr("Find next (Enter)"));
    auto* close = new QToolButton;
    close->setText(QStringLiteral("\u00d7"));
    close->setToolTip(tr("Close the search bar"));
    m_searchStatus->setObjectName(QStringLiteral("MIBSearchStatus"));
    connect(next, &QToolButton::clicked, this, &MIBTree::findNext);
    connect(previous, &QToolButton::clicked, this, &MIBTree::findPrevious);
    connect(close, &QToolButton::clicked, this, [this] { SearchTree(false); });
    connect(m_searchText, &QLineEdit::returnPressed, this, [this] {
        if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier)
            findPrevious();
        else
            findNext();
    });
    connect(m_searchText, &QLineEdit::textEdited, m_searchStatus, &QLabel::clear);
    auto* searchLayout = new QHBoxLayout(m_searchBar);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->addWidget(new QLabel(tr("Find:")));
    searchLayout->addWidget(m_searchText, 1);
    searchLayout->addWidget(previous);
    searchLayout->addWidget(next);
    searchLayout->addWidget(m_searchStatus);
    searchLayout->addWidget(close);
    m_searchBar->hide();
    auto* escape =
        new QShortcut(QKeySequence(Qt::Key_Escape), m_searchText, nullptr, nullptr, Qt::WidgetShortcut);
    connect(escape, &QShortcut::activated, this, [this] { SearchTree(false); });

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(m_view);
    splitter->addWidget(m_details);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_searchBar);
    layout->addWidget(splitter, 1);
}

MIBTree::~MIBTree() = default;

void MIBTree::LoadTree()
{
    if (m_model)
        return;
    m_model = new MibTreeModel(m_database, this);
    m_view->setModel(m_model);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, &MIBTree::showSelected);
    // Nearly everything of interest lives below iso.org.dod.internet.
    m_view->setExpanded(m_model->indexForOID(QStringLiteral("1.3.6.1")), true);
    QModelIndex up = m_model->indexForOID(QStringLiteral("1.3.6"));
    for (; up.isValid(); up = up.parent())
        m_view->setExpanded(up, true);
}

void MIBTree::selectIndex(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        m_view->setExpanded(up, true);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void MIBTree::ExpandToOID(const QString& dottedOID)
{
    LoadTree();
    selectIndex(m_model->indexForOID(dottedOID));
}

void MIBTree::SelectDetails(const OIDDetails& details)
{
    if (!details.DottedOID().isEmpty())
        ExpandToOID(details.DottedOID());
}

OIDDetails MIBTree::SelectedDetails() const
{
    const tree* node = MibTreeModel::nodeAt(m_view->currentIndex());
    return node ? OIDDetails(m_database.describe(node)) : OIDDetails(OIDInfo());
}

void MIBTree::SearchTree(bool show)
{
    m_searchBar->setVisible(show);
    if (show) {
        LoadTree();
        m_searchText->setFocus();
        m_searchText->selectAll();
    } else {
        m_view->setFocus();
    }
}

bool MIBTree::findNext()
{
    return find(true);
}

bool MIBTree::findPrevious()
{
    return find(false);
}

bool MIBTree::find(bool forward)
{
    LoadTree();
    const MibTreeSearch search(m_database);
    const auto result =
        search.find(m_searchText->text(), MibTreeModel::nodeAt(m_view->currentIndex()),
                    forward ? MibTreeSearch::Direction::Next : MibTreeSearch::Direction::Previous);
    if (!result.node) {
        m_searchStatus->setText(tr("Not found"));
        return false;
    }
    m_searchStatus->setText(
        result.wrapped ? (forward ? tr("Wrapped to the top") : tr("Wrapped to the bottom")) : QString());
    selectIndex(m_model->indexForNode(result.node));
    return true;
}

void MIBTree::showSelected()
{
    m_details->showInfo(SelectedDetails().info());
    Q_EMIT selectionChanged();
}
