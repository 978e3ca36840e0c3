#include "pendrel/editor/canvas_geometry.h"

#include <algorithm>

#include "pendrel/editor/screen_editor.h"

namespace pendrel {
namespace {

// Division that rounds towards minus infinity, for pixels left of the origin.
int floorDiv(int value, int divisor) {
    int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

}  // namespace

CanvasGeometry CanvasGeometry::ofCanvas(int width, int height) {
    return CanvasGeometry(std::max(1, width / ScreenEditor::kColumns),
                          std::max(1, height / ScreenEditor::kRows));
}

CanvasGeometry::Point CanvasGeometry::canvasSize(int cellWidth, int cellHeight) {
    return {ScreenEditor::kColumns * cellWidth + 2 * kOriginX,
            ScreenEditor::kRows * cellHeight + kOriginY + kOriginX};
}

CanvasGeometry::Point CanvasGeometry::topLeft(Cell cell) const {
    return {kOriginX + (cell.column - 1) * m_cellWidth, kOriginY + (cell.row - 1) * m_cellHeight};
}

CanvasGeometry::Cell CanvasGeometry::cellAt(Point pixel) const {
    return {floorDiv(pixel.x - kOriginX, m_cellWidth) + 1,
            floorDiv(pixel.y - kOriginY, m_cellHeight) + 1};
}

CanvasGeometry::Cell CanvasGeometry::dragged(Cell start, int dx, int dy) const {
    // Whole cells of the way moved, the same in both directions.
    return {start.column + dx / m_cellWidth, start.row + dy / m_cellHeight};
}

}  // namespace pendrel
