#pragma once

#include <QRect>
#include <QSize>

// Layouts are designed in twips; 15 twips make one device-independent pixel.
constexpr int Twips(int twips)
{
    return twips / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

constexpr QSize TwipsSize(int width, int height)
{
    return QSize(Twips(width), Twips(height));
}
