#pragma once

#include <QDialog>

#include <QStringList>

/// The information box of the command-line help texts. A message box would wrap their long
/// command lines and lose the alignment their tabs give, so this one shows the lines as a
/// terminal does (tabs at eight-column stops, fixed-width font, no wrapping) and scrolls only
/// when the screen is too small.
class HelpTextDialog : public QDialog {
    Q_OBJECT
public:
    HelpTextDialog(const QString& title, const QStringList& lines, QWidget* parent = nullptr);

    /// The lines with their tabs expanded, as the box shows them.
    static QString DisplayText(const QStringList& lines);
};
