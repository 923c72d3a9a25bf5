#pragma once

#include <QColor>
#include <QtGlobal>

// Colours travel through files, the automation interface and the chart as one 32-bit number in the
// Windows layout: red in the low byte, then green, then blue; the high byte is unused.

/// The 32-bit colour of the given red, green and blue (each 0..255).
constexpr qint32 RGBColor(int red, int green, int blue)
{
    return static_cast<qint32>((red & 0xff) | ((green & 0xff) << 8) | ((blue & 0xff) << 16));
}

/// The QColor of a 32-bit colour; the high byte (set in -1, "no colour yet") is ignored.
QColor ToQColor(qint32 color);

/// The 32-bit colour of a QColor, alpha dropped.
qint32 ToRGBColor(const QColor& color);
