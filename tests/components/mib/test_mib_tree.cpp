// The tree model, the search rules and the details window over the real MIB set.
#include "mib_database.h"
#include "mib_tree_model.h"
#include "mib_tree_search.h"
#include "oid_details_widget.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

static const MibDatabase& db()
{
    return MibDatabase::instance();
}

TEST(MibTreeModel, PassesTheModelTesterAndFindsNodesByOID)
{
    MibTreeModel model(db());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    // Down to ifInOctets and back up: labels follow the qualified name.
    const QModelIndex octets = model.indexForOID("1.3.6.1.2.1.2.2.1.10");
    ASSERT_TRUE(octets.isValid());
    EXPECT_EQ(octets.data().toString(), "ifInOctets (10)");
    QStringList labels;
    for (QModelIndex i = octets; i.isValid(); i = i.parent())
        labels.prepend(MibDatabase::label(MibTreeModel::nodeAt(i)));
    EXPECT_EQ(labels.join('.'), "iso.org.dod.internet.mgmt.mib-2.interfaces.ifTable.ifEntry.ifInOctets");
    EXPECT_FALSE(model.hasChildren(octets));
    // Children come sorted by sub-identifier, and each row maps back to itself.
    const QModelIndex entry = octets.parent();
    ASSERT_EQ(model.rowCount(entry), 22);
    for (int row = 0; row < model.rowCount(entry); ++row) {
        const QModelIndex column = model.index(row, 0, entry);
        EXPECT_EQ(column.data(MibTreeModel::DottedOIDRole).toString(),
                  "1.3.6.1.2.1.2.2.1." + QString::number(row + 1));
        EXPECT_EQ(model.indexForNode(MibTreeModel::nodeAt(column)), column);
    }

    // An instance OID lands on its object; an unknown first arc on nothing.
    EXPECT_EQ(model.indexForOID(".1.3.6.1.2.1.2.2.1.10.7"), octets);
    EXPECT_FALSE(model.indexForOID("9.9").isValid());
    // What the tree dialog hands back (FullName) must look up to the node the user chose.
    QStringList wrong;
    for (const tree* node : db().preorder()) {
        const OIDInfo info = db().describe(node);
        const QString back = db().lookup(info.fullName).dottedOID;
        if (back != MibDatabase::dottedOID(node))
            wrong << info.fullName + " -> " + back;
    }
    EXPECT_GT(db().preorder().size(), 800u);
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join('\n').toStdString();
}

TEST(MibTreeSearch, FindsByNameAndOIDInTreeOrderAndWraps)
{
    const MibTreeSearch search(db());
    using D = MibTreeSearch::Direction;
    const tree* octets = db().nodeForOID("1.3.6.1.2.1.2.2.1.10");
    const tree* hcOctets = db().nodeForOID("1.3.6.1.2.1.31.1.1.1.6");
    // Names match by substring, ignoring case, in tree order.
    const auto first = search.find("inoctets", nullptr, D::Next);
    EXPECT_TRUE(first.node == octets && !first.wrapped);
    EXPECT_EQ(search.find("inoctets", octets, D::Next).node, hcOctets);
    EXPECT_EQ(search.find("inoctets", hcOctets, D::Previous).node, octets);
    // Going back from the first match wraps to the last one, and forward again to the first.
    const auto last = search.find("inoctets", octets, D::Previous);
    ASSERT_TRUE(last.node && last.wrapped);
    const auto again = search.find("inoctets", last.node, D::Next);
    EXPECT_TRUE(again.node == octets && again.wrapped);
    // "MODULE:name" means that exact name.
    EXPECT_FALSE(search.matches("IF-MIB:InOctets", octets));
    EXPECT_TRUE(search.matches("IF-MIB:ifinoctets", octets));
    // An OID matches its node first, then what lies below it.
    const tree* processor = db().nodeForOID("1.3.6.1.2.1.25.3.3");
    EXPECT_EQ(search.find(".1.3.6.1.2.1.25.3.3", nullptr, D::Next).node, processor);
    const tree* below = search.find("1.3.6.1.2.1.25.3.3", processor, D::Next).node;
    EXPECT_TRUE(below && MibDatabase::dottedOID(below).startsWith("1.3.6.1.2.1.25.3.3."));
    EXPECT_FALSE(search.matches("1.3.6.1.2.1.25.3.3", db().nodeForOID("1.3.6.1.2.1.25.3.30")));
    // Past the known tree the deepest node on the path is offered.
    EXPECT_EQ(search.find("1.3.6.1.2.1.2.2.1.10.4", nullptr, D::Next).node, octets);
    EXPECT_EQ(search.find("noSuchThingAnywhere", nullptr, D::Next).node, nullptr);
}

TEST(OIDDetailsWindow, ShowsTheObjectAndIsFreedWhenClosed)
{
    OIDDetails details;
    details.Lookup("IF-MIB:ifHighSpeed");
    QPointer<QWidget> window = details.ShowDetails();
    auto* shown = qobject_cast<OIDDetailsWidget*>(window.data());
    ASSERT_TRUE(shown && shown->isVisible());
    EXPECT_EQ(window->windowTitle() + ' ' + shown->shownInfo().units,
              "IF-MIB:ifHighSpeed " + details.Units());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}
