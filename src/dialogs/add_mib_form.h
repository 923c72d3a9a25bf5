#pragma once

#include "add_mib_logic.h"

#include <QDialog>
#include <functional>
#include <memory>

class HistoryComboBox;
class OIDDetailsWidget;
class Prompter;
class QComboBox;
class QLabel;
class QPushButton;
class Settings;
class SNMPSession;
class TargetOIDs;

/// "New SNMP MIB variable to Graph": adds one MIB object on one host to a graph. A table column
/// goes on to the index selection dialog.
class AddMibForm : public QDialog {
    Q_OBJECT
public:
    /// session is the window's lent session; resolver finds MIB objects (the MIB database).
    AddMibForm(SNMPSession& session, Settings& settings, Prompter& prompter, QWidget* parent = nullptr,
               OIDResolver resolver = MibDatabaseResolver());
    ~AddMibForm() override;

    /// Fills from the graph's targets, shows the dialog modally and, after OK, adds the object
    /// (or runs the index selection for a table column). Returns true when the graph must now be
    /// Reset: a target was added, or the index selection ended with OK (even with no row ticked).
    bool AddMIB(TargetOIDs& targets, qint32 pollInterval);

    /// What the Help button does; without one the button stays disabled.
    void setHelpHandler(std::function<void()> handler);

    bool Cancelled() const;
    bool IsTable() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fill(const TargetOIDs& targets);
    void ShowMessage(const QString& text);
    void FocusField(AddMibLogic::Field field);
    void MibChanged(const QString& text);
    void BrowseMib();
    void Accept();
    void Cancel();
    QString UnitsText() const;
    void StoreHistories() const;

    SNMPSession& m_session;
    Settings& m_settings;
    Prompter& m_prompter;
    OIDResolver m_resolver;
    std::unique_ptr<AddMibLogic> m_logic;
    QStringList m_unitEntries;
    AddMibLogic::Entries m_accepted;
    std::function<void()> m_help;

    HistoryComboBox* m_host;
    HistoryComboBox* m_community;
    HistoryComboBox* m_mib;
    OIDDetailsWidget* m_details;
    QComboBox* m_units;
    QComboBox* m_calculation;
    QPushButton* m_helpButton;
    QLabel* m_message;
};
