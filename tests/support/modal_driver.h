#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <functional>

/// Drives modal dialogs offscreen: calls step with the active modal dialog every 20 ms until it
/// returns true (then `done` is set). After 15 s every open dialog is rejected and `timedOut` is
/// set, so a failed step still ends the run. Destroyed with the test, it cannot act in another.
struct ModalDriver {
    explicit ModalDriver(std::function<bool(QDialog*)> step)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, step = std::move(step)] {
            if (deadline.hasExpired()) {
                timedOut = true;
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
                        dialog->reject();
                }
            } else if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                       dialog && !done) {
                done = step(dialog);
            }
        });
        timer.start(20);
    }
    QTimer timer;
    QDeadlineTimer deadline{15000};
    bool done = false;
    bool timedOut = false;
};
