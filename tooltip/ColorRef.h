#pragma once

#include <QColor>

// Colours in the platform's 32-bit form: red in the low byte, then green, then blue.

inline QColor ColorFromColorRef(qint32 colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

inline qint32 ColorRefFromColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}
