#include "help_text_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QString ExpandTabs(const QString& line)
{
    QString expanded;
    for (const QChar c : line) {
        if (c == QLatin1Char('\t'))
            expanded += QString(8 - expanded.size() % 8, QLatin1Char(' '));
        else
            expanded += c;
    }
    return expanded;
}

} // namespace

QString HelpTextDialog::DisplayText(const QStringList& lines)
{
    QStringList expanded;
    for (const QString& line : lines)
        expanded << ExpandTabs(line);
    return expanded.join(QLatin1Char('\n'));
}

HelpTextDialog::HelpTextDialog(const QString& title, const QStringList& lines, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QLabel(DisplayText(lines));
    text->setTextFormat(Qt::PlainText);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(text);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // As large as the text, up to most of the screen.
    QSize wanted = text->sizeHint() + QSize(24, 24);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() * 8 / 10);
    scroll->setMinimumSize(wanted);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(scroll, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
