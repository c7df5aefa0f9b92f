#pragma once
// The game's rectangle test, used for every collision and placement.

namespace tiderush {

// 1 when the rectangles overlap; rectangles that only touch do not.
inline int RectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
    if (x1 >= x2 + w2 || x1 + w1 <= x2 || y1 >= y2 + h2 || y1 + h1 <= y2) return 0;
    return 1;
}

}  // namespace tiderush
