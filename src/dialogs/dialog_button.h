#pragma once

#include <QPushButton>

/// A push button of our dialogs: named for tests and automation, and never the default button by
/// focus alone, so Enter in a text field does not press whichever button was last tabbed through.
inline QPushButton* MakeButton(const QString& text, const QString& objectName)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}
