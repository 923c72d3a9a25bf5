#include "history_combo_box.h"

#include "history_store.h"

HistoryComboBox::HistoryComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    // Entries come from AddItem only; Enter in the field must not append what was typed.
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(24);
    connect(this, &QComboBox::editTextChanged, this, &HistoryComboBox::Changed);
}

void HistoryComboBox::AddItem(const QString& text)
{
    if (text.isEmpty() || findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;
    // Adding to an empty editable box would make the new entry the text; keep the text as it is.
    const QString kept = currentText();
    addItem(text);
    setEditText(kept);
}

void HistoryComboBox::RestoreHistory()
{
    const QStringList entries = HistoryStore(m_historyOwner).Load(m_historyName);
    clear();
    addItems(entries);
    setEditText(entries.isEmpty() ? QString() : entries.constLast());
}

void HistoryComboBox::StoreHistory() const
{
    QStringList entries;
    for (int i = 0; i < count(); ++i)
        entries.append(itemText(i));
    // The text in use goes last, so the next RestoreHistory starts with it.
    const QString text = currentText().trimmed();
    if (!text.isEmpty()) {
        entries.removeAll(text);
        entries.append(text);
    }
    HistoryStore(m_historyOwner).Save(m_historyName, entries);
}
