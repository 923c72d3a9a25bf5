#pragma once

#include "prompter.h"

#include <QList>
#include <deque>

/// Test double for Prompter: records every call and answers from scripted queues, one queue per
/// kind of call. With a queue empty it answers by default: messages by the configured choice,
/// file dialogs with an empty name (cancelled), the colour dialog with nothing (cancelled).
class ScriptedPrompter final : public Prompter {
public:
    enum class Kind { Message, OpenFile, SaveFile, ChooseColor };
    /// How a message is answered when no button is queued.
    enum class DefaultChoice {
        Accept, ///< Ok, or Yes when the box has no Ok
        Reject  ///< Cancel, or No when the box has no Cancel, or Ok when it has neither
    };

    struct Call {
        Kind kind = Kind::Message;
        QString text;
        Icon icon = Icon::None;
        Buttons buttons = NoButton;
        QString title;
        FileRequest file;    ///< OpenFile and SaveFile
        QColor initialColor; ///< ChooseColor
    };

    /// Every call so far, oldest first.
    QList<Call> calls;

    void queueButton(Button button) { m_buttons.push_back(button); }
    void queueFile(const QString& path) { m_files.push_back(path); }
    void queueColor(const std::optional<QColor>& color) { m_colors.push_back(color); }
    void setDefaultChoice(DefaultChoice choice) { m_defaultChoice = choice; }

    /// Calls of one kind, and how many answers are still queued (all kinds together).
    int count(Kind kind) const;
    int pendingAnswers() const { return int(m_buttons.size() + m_files.size() + m_colors.size()); }

    Button Message(const QString& text, Icon icon = Icon::Exclamation, Buttons buttons = Ok,
                   const QString& title = QString()) override;
    QString OpenFile(const FileRequest& request) override;
    QString SaveFile(const FileRequest& request) override;
    std::optional<QColor> ChooseColor(const QColor& initial, const QString& title = QString()) override;

private:
    QString nextFile();

    std::deque<Button> m_buttons;
    std::deque<QString> m_files;
    std::deque<std::optional<QColor>> m_colors;
    DefaultChoice m_defaultChoice = DefaultChoice::Accept;
};
