#pragma once

#include <target_oid.h>

#include <QDialog>
#include <memory>

class Prompter;
class QLabel;
class QModelIndex;
class QProgressBar;
class QTableView;
class SelectIndexLogic;
class Settings;
class SNMPSession;
class TargetOIDs;

/// "Select Index": lists the rows of a table column on the agent, with their current values and
/// descriptions, and adds one target per ticked row.
class SelectIndexForm : public QDialog {
    Q_OBJECT
public:
    /// session is the window's lent session; resolver finds MIB objects (the MIB database).
    SelectIndexForm(SNMPSession& session, const Settings& settings, QWidget* parent = nullptr,
                    OIDResolver resolver = MibDatabaseResolver());
    ~SelectIndexForm() override;

    /// Walks the column of mib on ip while the dialog is shown modally; after OK adds one
    /// target per ticked row. Returns true after OK (the graph must then be Reset, even when no
    /// row was ticked), false after Cancel or closing the window.
    bool SelectIndexes(TargetOIDs& targets, const QString& hostname, const QString& ip,
                       const QString& community, const QString& mib, const QString& units,
                       const QString& calculation);

    /// Walks the column the same way for one series: returns the index of the first ticked row
    /// after OK, or an empty text after Cancel or when no row was ticked.
    QString PickIndex(const QString& hostname, const QString& ip, const QString& community,
                      const QString& mib);

    /// Where messages go; without one the form shows real message boxes.
    void setPrompter(Prompter* prompter);

    bool Cancelled() const { return m_cancelled; }
    /// The rows while the dialog is open (for tests that drive it).
    SelectIndexLogic* logic() const { return m_logic.get(); }
    QTableView* table() const { return m_table; }

private:
    /// Shows the walk of the column modally; true after OK. title takes the object's full name.
    bool Walk(const QString& hostname, const QString& ip, const QString& community, const QString& mib,
              const QString& title);
    void EndWalk();
    void Clicked(const QModelIndex& index);
    void UpdateProgress();
    void SizeColumns();

    SNMPSession& m_session;
    const Settings& m_settings;
    OIDResolver m_resolver;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter* m_prompter;
    std::unique_ptr<SelectIndexLogic> m_logic;
    bool m_cancelled = true;

    QLabel* m_targetLabel;
    QLabel* m_targetMIB;
    QTableView* m_table;
    QLabel* m_progressText;
    QProgressBar* m_progress;
};
