#include "message_panel.h"

#include <QMouseEvent>

MessagePanel::MessagePanel(const QString& objectName, const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
{
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setMargin(16);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    setFont(bold);
    hide();
}

void MessagePanel::CentreIn(const QRect& area)
{
    const QSize size = sizeHint().boundedTo(area.size());
    setGeometry(QRect(area.center() - QPoint(size.width() / 2, size.height() / 2), size));
}

void MessagePanel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT Clicked();
}
