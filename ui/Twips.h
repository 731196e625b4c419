#pragma once
// The window is designed in twips (1440 to the inch); pixels follow the
// screen's logical DPI so the layout matches at 96 DPI and scales above it.

#include <QRect>
#include <QSize>

#include <cmath>

[[nodiscard]] inline int TwipsToPixels(int twips, qreal dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}
[[nodiscard]] inline int PixelsToTwips(int pixels, qreal dpi)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}
[[nodiscard]] inline QRect TwipsRect(int left, int top, int width, int height, qreal dpi)
{
    return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(width, dpi),
            TwipsToPixels(height, dpi)};
}
