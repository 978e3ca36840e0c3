#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pendrel/ports/prompts.h"
#include "pendrel/project/project.h"

namespace pendrel {

// The screen list dialog "Lijst van extra debugschermen": the titles in
// database order, and the commands on the screen records they name.
class ScreenListModel {
  public:
    explicit ScreenListModel(Project& project);

    const std::vector<std::string>& titles() const { return m_titles; }
    std::optional<std::size_t> selection() const { return m_selection; }
    void select(std::optional<std::size_t> index) { m_selection = index; }

    // "Wijzigen titel", "Verwijderen" and "Bewerken" need an entry.
    bool canChange() const { return !m_titles.empty(); }

    // "Toevoegen": false for an empty title (the dialog asks again).
    bool add(const std::string& title);
    // "Wijzigen titel" of the selected entry: false for an empty title.
    bool rename(const std::string& title);
    // "Verwijderen" of the selected entry after its question; false when
    // the user answered no.
    bool remove(Prompts& prompts);
    // "Bewerken": the first screen record whose title equals the selection.
    ScreenRecord* selectedScreen();
    // "OK": the information box, then Write screen database.
    bool ok(Prompts& prompts);

  private:
    ScreenRecord* firstWithTitle(const std::string& title);

    Project& m_project;
    std::vector<std::string> m_titles;
    std::optional<std::size_t> m_selection;
};

}  // namespace pendrel
