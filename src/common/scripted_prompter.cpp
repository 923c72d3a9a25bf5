#include "scripted_prompter.h"

#include <algorithm>

int ScriptedPrompter::count(Kind kind) const
{
    return int(
        std::count_if(calls.cbegin(), calls.cend(), [kind](const Call& call) { return call.kind == kind; }));
}

Prompter::Button ScriptedPrompter::Message(const QString& text, Icon icon, Buttons buttons,
                                           const QString& title)
{
    Call call;
    call.kind = Kind::Message;
    call.text = text;
    call.icon = icon;
    call.buttons = buttons;
    call.title = title;
    calls.append(call);

    if (!m_buttons.empty()) {
        const Button answer = m_buttons.front();
        m_buttons.pop_front();
        return answer;
    }
    if (m_defaultChoice == DefaultChoice::Accept)
        return (buttons & Ok) || !(buttons & Yes) ? Ok : Yes;
    if (buttons & Cancel)
        return Cancel;
    return (buttons & No) ? No : Ok;
}

QString ScriptedPrompter::OpenFile(const FileRequest& request)
{
    Call call;
    call.kind = Kind::OpenFile;
    call.title = request.title;
    call.file = request;
    calls.append(call);
    return nextFile();
}

QString ScriptedPrompter::SaveFile(const FileRequest& request)
{
    Call call;
    call.kind = Kind::SaveFile;
    call.title = request.title;
    call.file = request;
    calls.append(call);
    return nextFile();
}

std::optional<QColor> ScriptedPrompter::ChooseColor(const QColor& initial, const QString& title)
{
    Call call;
    call.kind = Kind::ChooseColor;
    call.title = title;
    call.initialColor = initial;
    calls.append(call);
    if (m_colors.empty())
        return std::nullopt;
    const std::optional<QColor> answer = m_colors.front();
    m_colors.pop_front();
    return answer;
}

QString ScriptedPrompter::nextFile()
{
    if (m_files.empty())
        return QString();
    const QString answer = m_files.front();
    m_files.pop_front();
    return answer;
}
