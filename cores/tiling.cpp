#include "cores/tiling.h"

namespace {

// The scale in thousandths at which windows of the natural size fit cells.
int FitScale(int cellWidth, int cellHeight, SIZE natural) {
    int scale = 1000;
    if (natural.cx > 0 && cellWidth * 1000 / natural.cx < scale)
        scale = cellWidth * 1000 / natural.cx;
    if (natural.cy > 0 && cellHeight * 1000 / natural.cy < scale)
        scale = cellHeight * 1000 / natural.cy;
    return scale;
}

} // namespace

RECT TileRect(RECT area, int count, int index, SIZE natural) {
    int width = area.right - area.left, height = area.bottom - area.top;
    int columns = 1, bestScale = -1;
    for (int c = 1; c <= count; ++c) {
        int rows = (count + c - 1) / c;
        int scale = FitScale(width / c, height / rows, natural);
        if (scale > bestScale)
            bestScale = scale, columns = c;
    }
    int rows = (count + columns - 1) / columns;
    int x = area.left + index % columns * (width / columns);
    int y = area.top + index / columns * (height / rows);
    RECT tile = {x, y, x + int(natural.cx * bestScale / 1000),
                 y + int(natural.cy * bestScale / 1000)};
    return tile;
}

RECT SplitOffLeft(RECT* workArea, int width) {
    RECT left = *workArea;
    left.right = left.left + width;
    workArea->left = left.right;
    return left;
}
