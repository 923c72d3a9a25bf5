#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

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

/// The named child of a dialog; a missing one fails the test.
template <typename Widget>
Widget* Child(QWidget* parent, const char* name)
{
    auto* child = parent->findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

inline void Click(QWidget* parent, const char* button)
{
    if (auto* found = Child<QPushButton>(parent, button))
        QTest::mouseClick(found, Qt::LeftButton);
}
