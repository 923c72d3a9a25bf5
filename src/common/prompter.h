#pragma once

#include <QColor>
#include <QFlags>
#include <QString>
#include <optional>

class QWidget;

/// Every message box and file or colour dialog goes through this, so tests never block:
/// the real one shows Qt dialogs, the scripted one records the call and answers from a script.
class Prompter {
public:
    enum class Icon { None, Information, Exclamation, Question, Critical };
    enum Button { NoButton = 0, Ok = 1, Cancel = 2, Yes = 4, No = 8 };
    Q_DECLARE_FLAGS(Buttons, Button)

    struct FileRequest {
        QString title;
        QString filter;        ///< Qt filter text, e.g. "Trendwick Files (*.Trendwick);;All Files (*)"
        QString initialPath;   ///< folder or file name to start from
        QString defaultSuffix; ///< added when the user types a name without one
    };

    virtual ~Prompter() = default;

    /// Shows a message; returns the button pressed (Cancel/No when closed otherwise).
    virtual Button Message(const QString& text, Icon icon = Icon::Exclamation, Buttons buttons = Ok,
                           const QString& title = QString()) = 0;
    /// Returns the chosen file, or an empty text when cancelled.
    virtual QString OpenFile(const FileRequest& request) = 0;
    virtual QString SaveFile(const FileRequest& request) = 0;
    /// Returns the chosen colour, or nothing when cancelled.
    virtual std::optional<QColor> ChooseColor(const QColor& initial, const QString& title = QString()) = 0;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(Prompter::Buttons)

/// Shows real Qt dialogs parented to a widget (may be null).
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    Button Message(const QString& text, Icon icon, Buttons buttons, const QString& title) override;
    QString OpenFile(const FileRequest& request) override;
    QString SaveFile(const FileRequest& request) override;
    std::optional<QColor> ChooseColor(const QColor& initial, const QString& title) override;

private:
    QWidget* m_parent;
};
