#include "veltro/session/geometry.h"

#include <algorithm>
#include <cmath>

namespace veltro {

Rect centreOver(const Rect& dialog, const Rect& owner, int screenWidth, int screenHeight) {
    Rect r = dialog;
    r.x = owner.x + (owner.width - dialog.width) / 2;
    r.y = owner.y + (owner.height - dialog.height) / 2;
    if (r.x < 0) {
        r.x = 0;
    } else if (r.x + r.width > screenWidth) {
        r.x = screenWidth - r.width;
    }
    if (r.y < 0) {
        r.y = 0;
    } else if (r.y + r.height > screenHeight) {
        r.y = screenHeight - r.height;
    }
    return r;
}

ClientLayout layoutClient(int clientWidth, int clientHeight, int messageHeight) {
    const int height = std::clamp(messageHeight, 0, std::max(clientHeight, 0));
    ClientLayout layout;
    layout.messageArea = {0, clientHeight - height, clientWidth, height};
    layout.debugArea = {0, 0, clientWidth, std::max(clientHeight - height, 0)};
    return layout;
}

Rect initialMessageWindow(int clientWidth, int clientHeight) {
    return {0, clientHeight * 2 / 3, clientWidth, clientHeight / 3};
}

int clientHeightForDebugArea(int debugHeight) {
    if (debugHeight <= 0) {
        return 0;
    }
    // The message window takes a third, rounded down: about half as much
    // again, found exactly by counting up from just below.
    int height = debugHeight + debugHeight / 2 - 1;
    while (height - initialMessageWindow(0, height).height < debugHeight) {
        ++height;
    }
    return height;
}

Rect fitOnScreen(const Rect& wanted, const Rect& available) {
    Rect r = wanted;
    r.width = std::min(r.width, available.width);
    r.height = std::min(r.height, available.height);
    r.x = std::clamp(r.x, available.x, available.x + available.width - r.width);
    r.y = std::clamp(r.y, available.y, available.y + available.height - r.height);
    return r;
}

int fontHeightFromPoints(int points, int pixelsPerInch) {
    return -static_cast<int>(std::lround(points * static_cast<double>(pixelsPerInch) / 72.0));
}

int fontPointsFromHeight(int height, int pixelsPerInch) {
    if (pixelsPerInch <= 0) {
        return 0;
    }
    return static_cast<int>(std::lround(-height * 72.0 / pixelsPerInch));
}

}  // namespace veltro
