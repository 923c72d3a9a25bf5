// Images of the chart: files, clipboard and the export dialog.

#include "chart_binding.h"

#include "chart_binding_impl.h"
#include "export_dialog.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

QSize ChartBinding::ExportSize(int width, int height) const
{
    // The widget's pixel size is what the user sees; a chart never shown has its default size.
    return QSize(width > 0 ? width : std::max(1, this->width()),
                 height > 0 ? height : std::max(1, this->height()));
}

QImage ChartBinding::Image(int width, int height)
{
    m_impl->ReloadPending();
    const QSize size = ExportSize(width, height);
    m_impl->FitTicks(size);
    const QImage image = m_impl->plot->toPixmap(size.width(), size.height()).toImage();
    m_impl->Replot(); // the layout was left at the image's size
    return image;
}

QByteArray ChartBinding::Svg(int width, int height)
{
    m_impl->ReloadPending();
    const QSize size = ExportSize(width, height);
    m_impl->FitTicks(size);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(MainTitle());
    QCPPainter painter;
    if (!painter.begin(&generator))
        return QByteArray();
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    m_impl->plot->toPainter(&painter, size.width(), size.height());
    painter.end();
    m_impl->Replot(); // the layout was left at the image's size
    // The generator states the size in millimetres at its resolution, which readers convert back
    // at resolutions of their own; plain numbers are pixels to every reader.
    QString svg = QString::fromUtf8(buffer.data());
    const int header = svg.indexOf(QLatin1String("<svg"));
    const int headerEnd = svg.indexOf(QLatin1Char('>'), header);
    if (header >= 0 && headerEnd > header) {
        QString element = svg.mid(header, headerEnd - header);
        element.replace(QRegularExpression(QStringLiteral(" width=\"[^\"]*\"")),
                        QStringLiteral(" width=\"%1\"").arg(size.width()));
        element.replace(QRegularExpression(QStringLiteral(" height=\"[^\"]*\"")),
                        QStringLiteral(" height=\"%1\"").arg(size.height()));
        svg.replace(header, headerEnd - header, element);
    }
    return svg.toUtf8();
}

bool ChartBinding::SaveImage(const QString& fileName, const char* format, int width, int height)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!Image(width, height).save(&file, format, qstrcmp(format, "JPG") == 0 ? 90 : -1))
        return false;
    return file.commit();
}

bool ChartBinding::SaveBitmap(const QString& fileName, int width, int height)
{
    return SaveImage(fileName, "BMP", width, height);
}

bool ChartBinding::SaveJPEG(const QString& fileName, int width, int height)
{
    return SaveImage(fileName, "JPG", width, height);
}

bool ChartBinding::SaveMetaFile(const QString& fileName, int width, int height)
{
    const QByteArray svg = Svg(width, height);
    QSaveFile file(fileName);
    if (svg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(svg) != svg.size())
        return false;
    return file.commit();
}

void ChartBinding::CopyBitmap(int width, int height)
{
    QGuiApplication::clipboard()->setImage(Image(width, height));
}

void ChartBinding::CopyMetaFile(int width, int height)
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), Svg(width, height));
    data->setImageData(Image(width, height));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ChartBinding::ShowExportDialog()
{
    ExportDialog dialog(m_prompter, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString file = dialog.ChosenFile();
    const int width = dialog.ChosenWidth();
    const int height = dialog.ChosenHeight();
    switch (dialog.ChosenFormat()) {
    case ExportDialog::Bitmap:
        SaveBitmap(file, width, height);
        break;
    case ExportDialog::JPEG:
        SaveJPEG(file, width, height);
        break;
    case ExportDialog::MetaFile:
        SaveMetaFile(file, width, height);
        break;
    }
}
