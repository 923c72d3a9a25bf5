#pragma once

#include <QLabel>

/// A framed caption laid over the chart (the baseline and pause notices). It takes no part in
/// any layout: its owner centres it with CentreIn whenever its own size changes.
class MessagePanel : public QLabel {
    Q_OBJECT
public:
    MessagePanel(const QString& objectName, const QString& caption, QWidget* parent);

    /// Sizes the panel to its caption and puts it in the middle of area (parent coordinates).
    void CentreIn(const QRect& area);

Q_SIGNALS:
    /// Any mouse button went down on the panel.
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
