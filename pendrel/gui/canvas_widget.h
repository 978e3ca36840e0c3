#pragma once

#include <QFrame>
#include <QLabel>
#include <QPoint>
#include <optional>
#include <vector>

#include "pendrel/editor/canvas_geometry.h"
#include "pendrel/editor/screen_editor.h"

namespace pendrel::gui {

// The canvas of the screen edit dialog: 80 by 22 character cells in
// "Courier" (or the closest fixed-pitch face), one static control per item
// and text of `editor`. A press on a control selects it and a drag moves it
// in whole cells; the editor keeps the places and the rules.
class CanvasWidget : public QFrame {
    Q_OBJECT

  public:
    CanvasWidget(ScreenEditor& editor, QWidget* parent);

    // The controls made anew from the editor (after the records changed).
    void rebuild();

    // The controls the editor deleted are destroyed, and the selection with
    // them.
    void dropDeleted();

    // The control of the editor's control `index`, or null once deleted.
    QLabel* control(std::size_t index) const;
    const CanvasGeometry& geometry() const { return m_geometry; }

    // The pixel of the canvas at the middle of a cell.
    QPoint cellCentre(int column, int row) const;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void place(std::size_t index);
    QRect selectionRect() const;

    ScreenEditor& m_editor;
    CanvasGeometry m_geometry;
    std::vector<QLabel*> m_controls;
    std::optional<std::size_t> m_shownSelection;
    // The drag under way: the control, the pointer and its cell at the press.
    struct Drag {
        std::size_t control;
        QPoint pressed;
        CanvasGeometry::Cell start;
    };
    std::optional<Drag> m_drag;
};

}  // namespace pendrel::gui
