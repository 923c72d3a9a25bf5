#include "rgb_color.h"

QColor ToQColor(qint32 color)
{
    const auto bits = static_cast<quint32>(color);
    return QColor(int(bits & 0xff), int((bits >> 8) & 0xff), int((bits >> 16) & 0xff));
}

qint32 ToRGBColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return RGBColor(rgb.red(), rgb.green(), rgb.blue());
}
