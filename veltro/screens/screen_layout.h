#pragma once

#include <string_view>

namespace veltro {

// The text whose measure in the main window's font gives the cell size.
inline constexpr std::string_view kCellSampleText = "ABCDEFGWWW";

struct CellSize {
    int width = 0;
    int height = 0;
};
CellSize cellSize(int sampleTextWidth, int textHeight);

struct ControlPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ControlPlace&, const ControlPlace&) = default;
};

// Where a control of `cells` character cells at (column, row) of a picture of
// columnExtent by rowExtent goes in a client area of clientWidth by
// clientHeight pixels: positions scale with the window, sizes with the font.
ControlPlace placeControl(int column, int row, int cells, CellSize cell, int clientWidth,
                          int clientHeight, int columnExtent, int rowExtent);

}  // namespace veltro
