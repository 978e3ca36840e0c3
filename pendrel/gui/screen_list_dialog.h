#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include "pendrel/editor/screen_list.h"
#include "pendrel/gui/dialog_prompts.h"

namespace pendrel::gui {

// The screen list dialog "Lijst van extra debugschermen": the titles of the
// user screens with the commands on them. OK writes pendrel.db; when that
// fails (or the user keeps a database that was not read whole) the dialog
// stays open and the screens stay in memory. Annuleren
// closes without writing, keeping every change in memory.
class ScreenListDialog : public QDialog {
    Q_OBJECT

  public:
    ScreenListDialog(QWidget* parent, Project& project);

    QListWidget* list() const { return m_list; }
    QPushButton* button(const char* name) const;

    void accept() override;

    // "Toevoegen", "Wijzigen titel", "Verwijderen" and "Bewerken".
    void addScreen();
    void renameScreen();
    void removeScreen();
    void editScreen();

  private:
    void showTitles();

    Project& m_project;
    ScreenListModel m_model;
    DialogPrompts m_prompts;
    QListWidget* m_list;
};

}  // namespace pendrel::gui
