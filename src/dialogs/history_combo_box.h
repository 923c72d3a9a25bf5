#pragma once

#include <QComboBox>

/// An editable combo box that remembers what was entered in it across runs. The list keeps
/// every text once, in the order it was first added.
class HistoryComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit HistoryComboBox(QWidget* parent = nullptr);

    QString Text() const { return currentText(); }
    void setText(const QString& text) { setEditText(text); }
    /// Appends text to the list unless it is empty or already there.
    void AddItem(const QString& text);

    QString HistoryName() const { return m_historyName; }
    void setHistoryName(const QString& name) { m_historyName = name; }
    QString HistoryOwner() const { return m_historyOwner; }
    void setHistoryOwner(const QString& owner) { m_historyOwner = owner; }
    /// Replaces the list with the stored history; the text shows the newest entry.
    void RestoreHistory();
    /// Stores the list as the history.
    void StoreHistory() const;

Q_SIGNALS:
    /// The text changed, typed or chosen from the list.
    void Changed(const QString& text);

private:
    QString m_historyName;
    QString m_historyOwner;
};
