#pragma once

#include <string_view>
#include <vector>

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

// A text or control of a picture: its place in cells, its size in pixels
// (at least what placeControl gives it; more where its content needs more).
struct PictureElement {
    int column = 0;
    int row = 0;
    int width = 0;
    int height = 0;
};

struct ClientSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ClientSize&, const ClientSize&) = default;
};

// The smallest client area in which the picture's elements, placed by
// placeControl, neither overlap nor run out of it: a cell per column and a
// row as high as its tallest element at least, and wide enough that each
// element ends before the next one on its row begins (or before the edge).
// Below it a debug window scrolls instead of squeezing its rows.
ClientSize minimumClientSize(const std::vector<PictureElement>& elements, CellSize cell,
                             int columnExtent, int rowExtent);

}  // namespace veltro
