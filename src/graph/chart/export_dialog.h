#pragma once

#include <QDialog>

class Prompter;
class QComboBox;
class QLineEdit;
class QSpinBox;

/// The chart's small export dialog: image format, size (0 = as on screen) and file.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    enum Format { Bitmap, JPEG, MetaFile };

    /// prompter, when given, chooses the file through its save dialog.
    ExportDialog(Prompter* prompter, QWidget* parent = nullptr);

    Format ChosenFormat() const;
    int ChosenWidth() const;
    int ChosenHeight() const;
    QString ChosenFile() const;

private:
    void Browse();
    void accept() override;

    Prompter* m_prompter;
    QComboBox* m_format;
    QSpinBox* m_width;
    QSpinBox* m_height;
    QLineEdit* m_file;
};
