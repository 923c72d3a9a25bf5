#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QSet>
#include <memory>

class Clock;
class GraphMIBCommand;
class Prompter;
class QLabel;
class QMenu;
class QToolBar;
class RTTrendwick;
class Settings;
class SNMPSession;
class TargetOID;

/// The program's top-level window: one graph control with the menus, toolbar and status bar
/// around it, the file dialogs, and GraphMIB, which turns a host, a community and a MIB object
/// into polled series after checking that the device answers.
///
/// Menu items are found by their names (objectName, e.g. "SaveSelection"), toolbar buttons by
/// their keys ("Pause"). Commands whose dialogs are not part of the program yet stay disabled.
class GraphWindow : public QMainWindow {
    Q_OBJECT
public:
    /// prompter answers every message and file dialog; null gives the window real dialogs.
    GraphWindow(Settings& settings, Clock& clock, Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~GraphWindow() override;

    /// Every graph window of the process, oldest first.
    static QList<GraphWindow*> Windows();

    RTTrendwick& Control() const { return *m_control; }
    /// The window's own session: the GraphMIB probe and the dialogs borrow it.
    SNMPSession& SNMP() const { return *m_snmp; }

    /// Adds the object to this window's graph; problems are told in message boxes.
    void GraphMIB(const QString& target, const QString& community, const QString& mib,
                  const QString& index = QString(), const QString& instance = QString(),
                  const QString& calculation = QString(), const QString& hostname = QString());
    /// Shows the window, modeless.
    void StartGraph();
    /// Runs the closing steps and takes the window off the window list at once; the object itself
    /// goes when control is back in the event loop, so a dialog or probe of this window that is
    /// still running underneath the caller never finds it freed.
    void Unload();
    /// Re-reads the control: menu and toolbar states, the caption and the status bar.
    void UpdateCommandState();
    /// Places the logo at the right end of the toolbar, or hides it where it would cover buttons.
    void Layout();

    bool ToolbarVisible() const;
    /// Shows or hides the toolbar and the status bar together.
    void setToolbarVisible(bool visible);
    bool MenusVisible() const;
    /// File and Graph menus follow the value; Help is always hidden then; Edit keeps its state.
    void setMenusVisible(bool visible);

    /// A menu item or submenu entry by name ("OverLapSelection", "ExportMenu").
    QAction* MenuItem(const QString& name) const;
    /// A top-level menu or submenu by name ("GraphMenu", "FontSizeMenu").
    QMenu* Menu(const QString& name) const;
    /// A toolbar button by key ("New", "Pause").
    QAction* ToolbarButton(const QString& key) const;
    QLabel* Logo() const { return m_logo; }

    // Commands, as the menus and the toolbar run them.
    void Open();
    void Save();
    void CloseGraph();
    void AddMIB();
    /// The settings dialog, modal.
    void ShowSettings();
    /// The series dialog for one of this graph's targets, modal.
    void CustomizeSeries(TargetOID* target);
    void ZoomOut();
    /// The Overlap Axes item's new check state (the item flips it when chosen).
    void SetOverlapAxes(bool overlapping);
    /// 1 small, 0 medium, 2 large.
    void SetFontSize(int size);
    void TogglePause();
    /// Enables and checks the Graph menu's items the way they stand now (run before it opens).
    void PrepareGraphMenu();

Q_SIGNALS:
    /// The user asked for a new, empty graph window.
    void NewWindowRequested();
    /// Unload ran: the window is off the list and about to go.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenus();
    void BuildFileMenu(QMenu* menu);
    void BuildEditMenu(QMenu* menu);
    void BuildGraphMenu(QMenu* menu);
    void BuildHelpMenu(QMenu* menu);
    void BuildToolbar();
    QAction* AddItem(QMenu* menu, const QString& name, const QString& caption);
    QMenu* AddSubmenu(QMenu* menu, const QString& name, const QString& caption, const QString& placeholder);
    QAction* AddButton(const QString& key, const QIcon& icon);
    void MarkUnavailable(QAction* action);
    void SetCommandEnabled(QAction* action, bool enabled);
    void ShowAbout();
    void ChartMouseDown(qint16 button);
    void SelectIndexes(const QString& target, const QString& ip, const QString& community, const QString& mib,
                       const QString& units, const QString& calculation);
    void UpdateStatusBar();
    void ResizeToScreen();

    Settings& m_settings;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter& m_prompter;
    std::unique_ptr<SNMPSession> m_snmp;
    RTTrendwick* m_control = nullptr;
    std::unique_ptr<GraphMIBCommand> m_graphMIB;
    QToolBar* m_toolbar = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_status = nullptr;
    QHash<QString, QAction*> m_buttons;
    QSet<QAction*> m_unavailable;
};
