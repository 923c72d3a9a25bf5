#include "prompter.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQtIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(Prompter::Buttons buttons)
{
    QMessageBox::StandardButtons result;
    if (buttons & Prompter::Ok)
        result |= QMessageBox::Ok;
    if (buttons & Prompter::Cancel)
        result |= QMessageBox::Cancel;
    if (buttons & Prompter::Yes)
        result |= QMessageBox::Yes;
    if (buttons & Prompter::No)
        result |= QMessageBox::No;
    return result ? result : QMessageBox::StandardButtons(QMessageBox::Ok);
}

// A box closed by its title bar or Escape counts as the refusing button it offers.
Prompter::Button closedAnswer(Prompter::Buttons buttons)
{
    if (buttons & Prompter::Cancel)
        return Prompter::Cancel;
    if (buttons & Prompter::No)
        return Prompter::No;
    return Prompter::Ok;
}

QString titleOrApplicationName(const QString& title)
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

QString runFileDialog(QWidget* parent, const Prompter::FileRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.initialPath, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.defaultSuffix.isEmpty()) {
        QString suffix = request.defaultSuffix;
        if (suffix.startsWith(QLatin1Char('.')))
            suffix.remove(0, 1);
        dialog.setDefaultSuffix(suffix);
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

Prompter::Button QtPrompter::Message(const QString& text, Icon icon, Buttons buttons, const QString& title)
{
    QMessageBox box(toQtIcon(icon), titleOrApplicationName(title), text, toQtButtons(buttons), m_parent);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Ok;
    case QMessageBox::Cancel:
        return Cancel;
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    default:
        return closedAnswer(buttons);
    }
}

QString QtPrompter::OpenFile(const FileRequest& request)
{
    return runFileDialog(m_parent, request, QFileDialog::AcceptOpen);
}

QString QtPrompter::SaveFile(const FileRequest& request)
{
    return runFileDialog(m_parent, request, QFileDialog::AcceptSave);
}

std::optional<QColor> QtPrompter::ChooseColor(const QColor& initial, const QString& title)
{
    const QColor chosen = QColorDialog::getColor(initial, m_parent, title);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}
