#include "export_dialog.h"

#include <prompter.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

const char* const Suffixes[] = {"bmp", "jpg", "svg"};

QSpinBox* SizeBox()
{
    auto* box = new QSpinBox;
    box->setRange(0, 32767);
    box->setSpecialValueText(QObject::tr("As on screen"));
    return box;
}

} // namespace

ExportDialog::ExportDialog(Prompter* prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_format(new QComboBox), m_width(SizeBox()), m_height(SizeBox()),
      m_file(new QLineEdit)
{
    setWindowTitle(tr("Export Chart"));
    m_format->addItems({tr("Bitmap (BMP)"), tr("JPEG"), tr("Metafile (SVG)")});
    auto* browse = new QPushButton(tr("Browse..."));
    connect(browse, &QPushButton::clicked, this, &ExportDialog::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file);
    fileRow->addWidget(browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Format:"), m_format);
    form->addRow(tr("Width (pixels):"), m_width);
    form->addRow(tr("Height (pixels):"), m_height);
    form->addRow(tr("File:"), fileRow);
    form->addRow(buttons);
}

ExportDialog::Format ExportDialog::ChosenFormat() const
{
    return Format(m_format->currentIndex());
}

int ExportDialog::ChosenWidth() const
{
    return m_width->value();
}

int ExportDialog::ChosenHeight() const
{
    return m_height->value();
}

QString ExportDialog::ChosenFile() const
{
    QString file = m_file->text().trimmed();
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty())
        file += QLatin1Char('.') + QLatin1String(Suffixes[m_format->currentIndex()]);
    return file;
}

void ExportDialog::Browse()
{
    if (!m_prompter)
        return;
    Prompter::FileRequest request;
    request.title = tr("Export Chart");
    request.filter = m_format->currentText() + QStringLiteral(" (*.") +
                     QLatin1String(Suffixes[m_format->currentIndex()]) + QStringLiteral(");;") +
                     tr("All Files (*)");
    request.initialPath = m_file->text();
    request.defaultSuffix = QLatin1String(Suffixes[m_format->currentIndex()]);
    const QString chosen = m_prompter->SaveFile(request);
    if (!chosen.isEmpty())
        m_file->setText(chosen);
}

void ExportDialog::accept()
{
    if (ChosenFile().isEmpty()) {
        Browse();
        if (ChosenFile().isEmpty())
            return;
    }
    QDialog::accept();
}
