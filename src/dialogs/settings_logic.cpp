#include "settings_logic.h"

#include <prompter.h>
#include <settings.h>

namespace {

const QString kSelectFirst = QStringLiteral("You must select a field first.");
// The value name the store keeps the version under: a broken text there is replaced directly.
const QString kSNMPVersion = QStringLiteral("SNMP Version");

} // namespace

SettingsLogic::SettingsLogic(Settings& settings, Prompter& prompter)
    : m_settings(settings), m_prompter(prompter)
{
}

QStringList SettingsLogic::AllColumns()
{
    QStringList names;
    // The settings name every identifier they know; the first empty name ends the list.
    for (int id = 0; id <= 100; ++id) {
        const QString name = Settings::ColumnName(id);
        if (name.isEmpty())
            break;
        names.append(name);
    }
    return names;
}

void SettingsLogic::MarkBroken(const QString& name, const QString& why)
{
    m_broken.append(name);
    m_brokenTexts.append(why);
}

QString SettingsLogic::BrokenText(const QString& name) const
{
    const int at = m_broken.indexOf(name);
    return at < 0 ? QString() : m_brokenTexts.at(at);
}

void SettingsLogic::Load()
{
    m_broken.clear();
    m_brokenTexts.clear();
    values = Values();
    // Each option on its own: one broken line must not hide the others' stored values.
    const auto read = [this](const QString& name, auto getter, auto& into) {
        try {
            into = getter();
        } catch (const TypeMismatchError& error) {
            MarkBroken(name, QString::fromStdString(error.what()));
        }
    };
    read(
        QStringLiteral("Poll Interval"), [this] { return m_settings.PollInterval(); }, values.pollInterval);
    read(
        QStringLiteral("SNMP Timeout"), [this] { return m_settings.SNMPTimeout(); }, values.snmpTimeout);
    read(
        QStringLiteral("SNMP Retries"), [this] { return m_settings.SNMPRetries(); }, values.snmpRetries);
    read(
        QStringLiteral("Assume Counter Rollover"), [this] { return m_settings.AssumeCounterRollover(); },
        values.rolloverMethod1);
    qint16 version = 2;
    read(
        kSNMPVersion, [this] { return m_settings.SNMPVersion(); }, version);
    values.version = version == 1 ? Version::V1 : version == 2 ? Version::V2 : Version::None;
    LoadColumns();
}

void SettingsLogic::LoadColumns()
{
    m_chosen.clear();
    m_selected = -1;
    const QString stored = m_settings.Columns();
    if (stored.isEmpty())
        return;
    QStringList refused;
    for (const QString& entry : stored.split(QLatin1Char(','))) {
        bool ok = false;
        const int id = entry.trimmed().toInt(&ok);
        const QString name = ok ? Settings::ColumnName(id) : QString();
        if (name.isEmpty())
            refused.append(entry);
        else
            m_chosen.append({name, id});
    }
    if (!refused.isEmpty())
        MarkBroken(QStringLiteral("Table Columns"),
                   QStringLiteral("The setting \"Table Columns\" names no column as \"%1\"; it is left out")
                       .arg(refused.join(QStringLiteral("\", \""))));
}

SettingsLogic::Focus SettingsLogic::Refuse(const QString& text, Focus focus)
{
    m_prompter.Message(text, Prompter::Icon::Exclamation, Prompter::Ok);
    return focus;
}

SettingsLogic::Focus SettingsLogic::Add(int allRow)
{
    const QString name = Settings::ColumnName(allRow);
    if (allRow < 0 || name.isEmpty())
        return Refuse(kSelectFirst, Focus::AllFields);
    for (const Column& column : m_chosen) {
        if (column.id == allRow)
            return Refuse(QLatin1Char('"') + name + QStringLiteral("\" is already in the list."),
                          Focus::None);
    }
    m_chosen.append({name, allRow});
    return Focus::None;
}

SettingsLogic::Focus SettingsLogic::Remove()
{
    if (m_selected < 0)
        return Refuse(kSelectFirst, Focus::ChosenFields);
    m_chosen.removeAt(m_selected);
    m_selected = int(m_chosen.size()) - 1;
    return Focus::None;
}

void SettingsLogic::Up()
{
    Move(-1);
}

void SettingsLogic::Down()
{
    Move(1);
}

void SettingsLogic::Move(int step)
{
    if (m_selected < 0) {
        m_prompter.Message(QStringLiteral("You must select a field first"), Prompter::Icon::None,
                           Prompter::Ok);
        return;
    }
    const int to = m_selected + step;
    if (to < 0 || to >= m_chosen.size())
        return;
    m_chosen.swapItemsAt(m_selected, to);
    m_selected = to;
}

void SettingsLogic::Apply()
{
    m_settings.setPollInterval(values.pollInterval);
    m_settings.setSNMPTimeout(values.snmpTimeout);
    m_settings.setSNMPRetries(values.snmpRetries);
    m_settings.setAssumeCounterRollover(values.rolloverMethod1);
    const qint16 version = values.version == Version::V1 ? 1 : 2;
    if (m_broken.contains(kSNMPVersion)) {
        // The cache never held the broken text, so the let could take the new value for "no
        // change" and leave the file as it is.
        m_settings.SaveOption(kSNMPVersion, version);
        m_settings.Refresh();
    } else {
        m_settings.setSNMPVersion(version);
    }
    QStringList ids;
    for (const Column& column : m_chosen)
        ids.append(QString::number(column.id));
    m_settings.setColumns(ids.join(QLatin1Char(',')));
}
