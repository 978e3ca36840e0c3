#include "veltro/screens/screen_layout.h"

#include <algorithm>
#include <limits>

namespace veltro {

CellSize cellSize(int sampleTextWidth, int textHeight) {
    return {(sampleTextWidth + 9) / 10, textHeight};
}

namespace {

// The least whole n with n * parts / whole >= need, the placement's
// division rounding down.
long long atLeast(long long need, long long parts, long long whole) {
    return whole > 0 ? (need * whole + parts - 1) / parts : 0;
}

}  // namespace

ClientSize minimumClientSize(const std::vector<PictureElement>& elements, CellSize cell,
                             int columnExtent, int rowExtent) {
    long long width = 1LL * columnExtent * cell.width;
    long long height = 1LL * rowExtent * cell.height;
    std::vector<const PictureElement*> order;
    for (const PictureElement& e : elements) {
        order.push_back(&e);
    }
    std::sort(order.begin(), order.end(), [](const PictureElement* a, const PictureElement* b) {
        return a->row != b->row ? a->row < b->row : a->column < b->column;
    });
    for (std::size_t i = 0; i < order.size(); ++i) {
        const PictureElement& e = *order[i];
        // The element ends before the next one on its row, or the right edge.
        const bool last = i + 1 == order.size() || order[i + 1]->row != e.row;
        const int next = last ? columnExtent : order[i + 1]->column;
        if (next > e.column) {
            width = std::max(width, atLeast(e.width, next - e.column, columnExtent));
        }
        // A row ends where the next row begins: rows are a height apart.
        height = std::max(height, 1LL * e.height * rowExtent);
    }
    return {static_cast<int>(std::min<long long>(width, std::numeric_limits<int>::max())),
            static_cast<int>(std::min<long long>(height, std::numeric_limits<int>::max()))};
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
