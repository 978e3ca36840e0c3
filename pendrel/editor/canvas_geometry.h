#pragma once

namespace pendrel {

// The canvas of the screen edit dialog in pixels: 80 by 22 character cells
// whose origin lies 2 pixels right of and 8 pixels below the canvas frame's
// top left corner. Cells are 1-based, as the records count them.
class CanvasGeometry {
  public:
    static constexpr int kOriginX = 2;
    static constexpr int kOriginY = 8;

    struct Cell {
        int column;
        int row;
        bool operator==(const Cell&) const = default;
    };
    struct Point {
        int x;
        int y;
        bool operator==(const Point&) const = default;
    };

    // The cells of a canvas frame of `width` by `height` pixels: its width
    // divided by 80, its height by 22 (at least one pixel each).
    static CanvasGeometry ofCanvas(int width, int height);

    // The smallest frame whose cells are `cellWidth` by `cellHeight`, with the
    // origin's margin on both sides.
    static Point canvasSize(int cellWidth, int cellHeight);

    int cellWidth() const { return m_cellWidth; }
    int cellHeight() const { return m_cellHeight; }

    // The top left pixel of a cell.
    Point topLeft(Cell cell) const;

    // The cell that holds a pixel (column or row 0 or less left of or above
    // the first cell).
    Cell cellAt(Point pixel) const;

    // Dragging: the cell a control that stood at `start` when the button went
    // down reaches after the pointer moved by (dx, dy) pixels, in whole cells.
    // Not yet clamped to the canvas.
    Cell dragged(Cell start, int dx, int dy) const;

  private:
    CanvasGeometry(int cellWidth, int cellHeight)
        : m_cellWidth(cellWidth), m_cellHeight(cellHeight) {}

    int m_cellWidth;
    int m_cellHeight;
};

}  // namespace pendrel
