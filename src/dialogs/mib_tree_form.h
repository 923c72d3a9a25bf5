#pragma once

#include <QDialog>

class MIBTree;
class MibDatabase;

/// "Select OID to Monitor": picks a MIB object by browsing the MIB tree.
class MIBTreeForm : public QDialog {
    Q_OBJECT
public:
    /// Browses database, or the process-wide one when it is null.
    explicit MIBTreeForm(QWidget* parent = nullptr, const MibDatabase* database = nullptr);

    /// Shows the tree opened at mib; returns the chosen object's full name after OK, or mib
    /// unchanged after Cancel or closing the window.
    QString SelectMIB(const QString& mib);
    /// Builds the tree under a busy pointer, then lets the user pick, starting from mib.
    static QString Browse(QWidget* parent, const QString& mib);

    MIBTree* tree() const { return m_tree; }

private:
    void Accept();

    const MibDatabase* m_database;
    MIBTree* m_tree;
    QString m_result;
};
