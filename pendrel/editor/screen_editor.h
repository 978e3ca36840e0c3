#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pendrel/ports/prompts.h"
#include "pendrel/project/screen_records.h"

namespace pendrel {

// The canvas of the screen edit dialog "Bewerken debugscherm", in character
// cells: one control per item and per text. Moves and deletions stay on the
// controls until they are taken over into the records (OK, or "Item
// Toevoegen"); dropping the editor drops them.
class ScreenEditor {
  public:
    static constexpr int kColumns = 80;
    static constexpr int kRows = 22;

    struct Control {
        bool isText = false;
        std::size_t record = 0;  // item or text index
        std::string text;        // what the canvas shows
        int column = 0;          // 1-based cells
        int row = 0;
        bool deleted = false;
        int width() const { return static_cast<int>(text.size()); }
    };

    // Opening the dialog: text 0 carries the current title, then the
    // canvas is built.
    explicit ScreenEditor(ScreenRecord& screen);

    const std::vector<Control>& controls() const { return m_controls; }

    // A click on control `index` selects it.
    void select(std::size_t index);

    // The control a click on this cell hits: the one on top (created last)
    // among those not deleted whose text covers the cell.
    std::optional<std::size_t> controlAt(int column, int row) const;

    // The control "Item Verwijderen" would delete.
    std::size_t selected() const { return m_selected.value_or(0); }
    bool hasSelection() const { return m_selected.has_value(); }

    // Dragging: the control's new place, kept inside the 80 by 22 cells.
    void move(std::size_t index, int column, int row);

    // "Item Verwijderen" of the selected control (the first one when none was
    // clicked since the canvas was built or since the last deletion).
    void deleteSelected(Prompts& prompts);

    // Takes the controls' places into the records and removes the records
    // of deleted controls; the canvas is then rebuilt. "Item Toevoegen" does
    // this before it opens the item dialog.
    void takeOver();

    // "OK": takeOver, then the overlap check; true when the dialog may close.
    bool ok(Prompts& prompts);

    // The canvas built anew from the records (after the item dialog).
    void rebuild();

    // The text of the first overlap, or empty when none.
    static std::string findOverlap(const ScreenRecord& screen);

  private:
    ScreenRecord& m_screen;
    std::vector<Control> m_controls;
    std::optional<std::size_t> m_selected;
};

}  // namespace pendrel
