#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <array>

#include "pendrel/editor/item_chooser.h"
#include "pendrel/gui/dialog_prompts.h"

namespace pendrel::gui {

// The item dialog "Toevoegen debug-items": four selection columns, each
// choice refilling the columns to its right; "Toevoegen" adds the chosen
// item to the screen, "Toevoegen verklarende tekst" a text.
class ItemChoiceDialog : public QDialog {
    Q_OBJECT

  public:
    ItemChoiceDialog(QWidget* parent, ScreenRecord& screen, const ProjectData& data);

    QListWidget* column(int index) const { return m_lists.at(static_cast<std::size_t>(index)); }
    QLabel* heading(int index) const { return m_headings.at(static_cast<std::size_t>(index)); }

    // "Toevoegen" and "Toevoegen verklarende tekst".
    void addItem();
    void addText();

  private:
    void chosen(int column);
    void showColumns(int chosenColumn);

    ItemChooser m_model;
    DialogPrompts m_prompts;
    std::array<QListWidget*, 4> m_lists{};
    std::array<QLabel*, 4> m_headings{};
};

}  // namespace pendrel::gui
