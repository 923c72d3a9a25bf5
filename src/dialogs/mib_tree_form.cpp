#include "mib_tree_form.h"

#include <busy_cursor.h>
#include <mib_tree.h>
#include <oid_details.h>

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

MIBTreeForm::MIBTreeForm(QWidget* parent, const MibDatabase* database)
    : QDialog(parent), m_database(database), m_tree(new MIBTree(nullptr, database))
{
    setWindowTitle(QStringLiteral("Select OID to Monitor"));
    m_tree->setObjectName(QStringLiteral("MIBTree"));

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OK_Button"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Cancel_Button"));
    auto* search = new QPushButton(QStringLiteral("Search MIB Tree"));
    search->setObjectName(QStringLiteral("Search_Button"));
    // One column of equal buttons, as wide as the widest of them.
    const int width =
        qMax(ok->sizeHint().width(), qMax(cancel->sizeHint().width(), search->sizeHint().width()));
    for (QPushButton* button : {ok, cancel, search})
        button->setFixedWidth(width);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(search);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &MIBTreeForm::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(search, &QPushButton::clicked, this, [this] { m_tree->SearchTree(true); });
    connect(m_tree, &MIBTree::nodeActivated, this, &MIBTreeForm::Accept);

    m_tree->LoadTree();
    resize(640, 520);
}

QString MIBTreeForm::Browse(QWidget* parent, const QString& mib)
{
    std::unique_ptr<MIBTreeForm> tree;
    {
        // Building the tree is the slow part; the browsing itself is the user's time.
        const BusyCursor busy;
        tree = std::make_unique<MIBTreeForm>(parent);
    }
    return tree->SelectMIB(mib);
}

QString MIBTreeForm::SelectMIB(const QString& mib)
{
    m_result = mib;
    OIDDetails details(m_database);
    details.Lookup(mib);
    if (!details.DottedOID().isEmpty()) {
        m_tree->ExpandToOID(details.DottedOID());
        m_tree->SelectDetails(details);
    }
    exec();
    return m_result;
}

void MIBTreeForm::Accept()
{
    // With no node selected there is no name to hand back; keep the one passed in.
    const QString chosen = m_tree->SelectedDetails().FullName();
    if (!chosen.isEmpty())
        m_result = chosen;
    accept();
}
