#pragma once

#include "settings_logic.h"

#include <QDialog>

class Prompter;
class QLabel;
class QListWidget;
class QRadioButton;
class QSlider;
class QTabWidget;
class Settings;

/// "Trendwick Settings": the program-wide options on three tabs. It reads every option when it
/// opens and writes them all back on OK; Cancel writes nothing.
class SettingsForm : public QDialog {
    Q_OBJECT
public:
    SettingsForm(Settings& settings, Prompter& prompter, QWidget* parent = nullptr);

    /// Fills the controls, shows the dialog modally and after OK writes every option.
    /// Returns true after OK.
    bool ShowSettings();
    bool Cancelled() const { return m_cancelled; }

private:
    QSlider* AddSlider(const QString& name, int minimum, int maximum, const QString& suffix, QLabel** label);
    QWidget* BuildGeneralTab();
    QWidget* BuildRolloverTab();
    QWidget* BuildColumnsTab();
    void Fill();
    void ShowChosen();
    void FocusList(SettingsLogic::Focus focus);
    void AddColumn();
    void RemoveColumn();
    void MoveColumn(int step);
    void Accept();

    SettingsLogic m_logic;
    bool m_cancelled = true;

    QTabWidget* m_tabs;
    QLabel* m_broken;
    QSlider* m_pollInterval;
    QSlider* m_snmpTimeout;
    QSlider* m_snmpRetries;
    QRadioButton* m_version1;
    QRadioButton* m_version2;
    QRadioButton* m_method1;
    QRadioButton* m_method2;
    QListWidget* m_allFields;
    QListWidget* m_fields;
};
