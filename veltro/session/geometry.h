#pragma once

namespace veltro {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A dialog centred over its owner, then moved back onto the screen where it
// would start left of or above it, or end beyond its width or height.
Rect centreOver(const Rect& dialog, const Rect& owner, int screenWidth, int screenHeight);

// The main window's client area split: the debug windows above, the message
// window at the bottom at its own height (at most the client height).
struct ClientLayout {
    Rect debugArea;
    Rect messageArea;
};
ClientLayout layoutClient(int clientWidth, int clientHeight, int messageHeight);

// The message window when it is first created: a third of the client
// height, two thirds down.
Rect initialMessageWindow(int clientWidth, int clientHeight);

// The least client height that leaves the debug windows `debugHeight` above
// the message window as it is first created.
int clientHeightForDebugArea(int debugHeight);

// A window of `wanted` size kept within the screen area `available`: no
// larger, and moved onto it where it would start or end outside.
Rect fitOnScreen(const Rect& wanted, const Rect& available);

// Font sizes between points (the settings file) and logical units.
int fontHeightFromPoints(int points, int pixelsPerInch);
int fontPointsFromHeight(int height, int pixelsPerInch);

}  // namespace veltro
