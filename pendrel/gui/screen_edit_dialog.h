#pragma once

#include <QDialog>
#include <QPushButton>

#include "pendrel/editor/screen_editor.h"
#include "pendrel/gui/canvas_widget.h"
#include "pendrel/gui/dialog_prompts.h"
#include "pendrel/project/project_data.h"

namespace pendrel::gui {

// The screen edit dialog "Bewerken debugscherm": the title, the canvas and
// the buttons that add (through the item dialog) and delete items. OK takes
// the places over into the screen record and refuses overlaps; Annuleren
// drops what was moved or deleted since the last "Item Toevoegen".
class ScreenEditDialog : public QDialog {
    Q_OBJECT

  public:
    ScreenEditDialog(QWidget* parent, ScreenRecord& screen, const ProjectData& data);

    CanvasWidget* canvas() const { return m_canvas; }
    ScreenEditor& editor() { return m_editor; }

    void accept() override;

  private:
    void addItems();
    void deleteItem();

    ScreenRecord& m_screen;
    const ProjectData& m_data;
    ScreenEditor m_editor;
    DialogPrompts m_prompts;
    CanvasWidget* m_canvas;
};

}  // namespace pendrel::gui
