#pragma once
// The window was designed in twips; at 96 dots per inch 15 twips make one pixel.
// Qt's own high-DPI scaling takes these logical pixels on to larger screens.

#include <QRect>

namespace trevak {

constexpr int px(int twips)
{
    return twips / 15;
}
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

}  // namespace trevak
