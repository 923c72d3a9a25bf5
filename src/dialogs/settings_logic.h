#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Prompter;
class Settings;

/// Every decision of the settings dialog, kept apart from its widgets: what the controls start
/// with, the edits of the chosen-columns list and what OK writes. The form mirrors the chosen
/// list and its selection after each edit.
///
/// A stored option that does not convert (a hand-edited file) does not stop the dialog: the
/// control starts from the option's default, the option is listed in Broken(), and OK stores
/// the value shown.
class SettingsLogic {
public:
    enum class Version { None, V1, V2 };
    /// Where the focus goes after an edit was refused.
    enum class Focus { None, AllFields, ChosenFields };

    /// The controls' values apart from the column lists.
    struct Values {
        qint32 pollInterval = 10;
        qint32 snmpTimeout = 2500;
        qint16 snmpRetries = 2;
        bool rolloverMethod1 = false;
        Version version = Version::V2;
    };

    /// One entry of the chosen list: the column's name and its identifier.
    struct Column {
        QString name;
        int id = 0;
        bool operator==(const Column& other) const { return name == other.name && id == other.id; }
    };

    SettingsLogic(Settings& settings, Prompter& prompter);

    /// Reads every option; the chosen list starts with no selection.
    void Load();
    /// The all-columns list: every name the settings know, the position being the identifier.
    static QStringList AllColumns();

    Values values;
    const QList<Column>& Chosen() const { return m_chosen; }
    /// The selected row of the chosen list, -1 for none.
    int Selected() const { return m_selected; }
    void setSelected(int row) { m_selected = row >= 0 && row < m_chosen.size() ? row : -1; }
    /// The value names of the options that did not convert when loaded.
    const QStringList& Broken() const { return m_broken; }
    /// Why each broken option was refused, for the form to show beside its control.
    QString BrokenText(const QString& name) const;

    /// Appends the column at row allRow of the all-columns list (-1: none selected).
    Focus Add(int allRow);
    Focus Remove();
    void Up();
    void Down();

    /// OK: writes every option, each write announcing its change.
    void Apply();

private:
    void MarkBroken(const QString& name, const QString& why);
    void LoadColumns();
    /// Exchanges the selected entry with its neighbour step rows away; the selection follows.
    void Move(int step);
    /// Warns with the exclamation icon and says where the focus goes.
    Focus Refuse(const QString& text, Focus focus);

    Settings& m_settings;
    Prompter& m_prompter;
    QList<Column> m_chosen;
    int m_selected = -1;
    QStringList m_broken;
    QStringList m_brokenTexts;
};
