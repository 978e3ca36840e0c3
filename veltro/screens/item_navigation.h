#pragma once

#include <vector>

namespace veltro {

enum class Arrow { Left, Right, Up, Down };

// Where an item stands in the picture; the list is in reading order.
struct ItemPlace {
    int row = 0;
    int column = 0;
};

// The position in `places` that the arrow key moves the selection to, from
// `selected` (-1: nothing selected). -1 only when `places` is empty.
int navigate(const std::vector<ItemPlace>& places, int selected, Arrow arrow);

}  // namespace veltro
