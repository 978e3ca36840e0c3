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
