#pragma once

#include "oid_details.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

/// Shows what the MIB database knows about one object: name, module, OID, syntax, access,
/// status, units and description. Used both embedded (the Add OID dialog) and as the window
/// that OIDDetails::ShowDetails opens.
class OIDDetailsWidget : public QWidget {
    Q_OBJECT
public:
    /// Looks objects up in database, or in the process-wide one when it is null.
    explicit OIDDetailsWidget(QWidget* parent = nullptr, const MibDatabase* database = nullptr);

    /// Looks the dotted OID up and shows that object; an unknown OID clears the display.
    void DisplayOID(const QString& dottedOID);
    /// Shows details that are already at hand.
    void showInfo(const OIDInfo& info);
    /// What is shown now.
    const OIDInfo& shownInfo() const { return m_info; }

private:
    const MibDatabase* m_database;
    OIDInfo m_info;
    QLabel* m_name;
    QLabel* m_module;
    QLabel* m_oid;
    QLabel* m_syntax;
    QLabel* m_access;
    QLabel* m_status;
    QLabel* m_units;
    QPlainTextEdit* m_description;
};
