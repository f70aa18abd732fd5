#pragma once

#include <QRect>

// The windows are laid out in twips, as their designs give them; 15 twips make one pixel at
// 96 dots per inch.
namespace tinctora::widgets {

constexpr int px(int twips) {
    return twips / 15;
}

inline QRect twipRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

} // namespace tinctora::widgets
