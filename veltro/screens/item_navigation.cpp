#include "veltro/screens/item_navigation.h"

#include <cstdlib>

namespace veltro {
namespace {

int wrap(int position, int count) {
    return ((position % count) + count) % count;
}

// Up and Down: the nearest item by column on the next row in `step`
// direction; ties go to the item met later in that direction.
int verticalMove(const std::vector<ItemPlace>& places, int selected, int step) {
    const int count = static_cast<int>(places.size());
    const ItemPlace& from = places[static_cast<std::size_t>(selected)];
    int candidate = -1;
    for (int n = 1, p = wrap(selected + step, count); n < count; ++n, p = wrap(p + step, count)) {
        if (places[static_cast<std::size_t>(p)].row != from.row) {
            candidate = p;
            break;
        }
    }
    if (candidate < 0) {
        return wrap(selected + step, count);  // every item on one row
    }
    const int row = places[static_cast<std::size_t>(candidate)].row;
    int distance = std::abs(places[static_cast<std::size_t>(candidate)].column - from.column);
    for (int n = 1, p = wrap(candidate + step, count); n < count; ++n, p = wrap(p + step, count)) {
        const ItemPlace& next = places[static_cast<std::size_t>(p)];
        const int nextDistance = std::abs(next.column - from.column);
        if (next.row != row || nextDistance > distance) {
            break;
        }
        candidate = p;
        distance = nextDistance;
    }
    return candidate;
}

}  // namespace

int navigate(const std::vector<ItemPlace>& places, int selected, Arrow arrow) {
    const int count = static_cast<int>(places.size());
    if (count == 0) {
        return -1;
    }
    const bool forward = arrow == Arrow::Right || arrow == Arrow::Down;
    if (selected < 0 || selected >= count) {
        return forward ? 0 : count - 1;
    }
    switch (arrow) {
        case Arrow::Right:
            return wrap(selected + 1, count);
        case Arrow::Left:
            return wrap(selected - 1, count);
        case Arrow::Down:
            return verticalMove(places, selected, 1);
        case Arrow::Up:
            return verticalMove(places, selected, -1);
    }
    return selected;
}

}  // namespace veltro
