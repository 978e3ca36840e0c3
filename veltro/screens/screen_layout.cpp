#include "veltro/screens/screen_layout.h"

namespace veltro {

CellSize cellSize(int sampleTextWidth, int textHeight) {
    return {(sampleTextWidth + 9) / 10, textHeight};
}

ControlPlace placeControl(int column, int row, int cells, CellSize cell, int clientWidth,
                          int clientHeight, int columnExtent, int rowExtent) {
    ControlPlace place;
    // The extents are at least 1 (they start there and only grow).
    place.x = columnExtent > 0 ? static_cast<int>(1LL * column * clientWidth / columnExtent) : 0;
    place.y = rowExtent > 0 ? static_cast<int>(1LL * row * clientHeight / rowExtent) : 0;
    place.width = cells * cell.width;
    place.height = cell.height;
    return place;
}

}  // namespace veltro
