#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pendrel/ports/prompts.h"
#include "pendrel/project/project.h"

namespace pendrel {

// The screen list dialog "Lijst van extra debugschermen": the titles in
// database order, and the commands on the screen records they name. An entry
// stands for the screen at its own place in the list, so that two screens
// with one title are never mistaken for each other.
class ScreenListModel {
  public:
    explicit ScreenListModel(Project& project);

    const std::vector<std::string>& titles() const { return m_titles; }
    std::optional<std::size_t> selection() const { return m_selection; }
    void select(std::optional<std::size_t> index) {
        m_selection = index && *index < m_titles.size() ? index : std::nullopt;
    }

    // "Wijzigen titel", "Verwijderen" and "Bewerken" need an entry.
    bool canChange() const { return !m_titles.empty(); }

    // "Toevoegen": false for an empty title (the dialog asks again), and
    // after a warning for one that pendrel.db cannot hold.
    bool add(const std::string& title, Prompts& prompts);
    // "Wijzigen titel" of the selected entry, refusing as add() does.
    bool rename(const std::string& title, Prompts& prompts);
    // "Verwijderen" of the selected entry after its question; false when
    // the user answered no.
    bool remove(Prompts& prompts);
    // "Bewerken": the screen record of the selected entry.
    ScreenRecord* selectedScreen();
    // "OK": Write screen database, then the information box; false (the
    // dialog stays open) when nothing was stored.
    bool ok(Prompts& prompts);

  private:
    bool acceptable(const std::string& title, Prompts& prompts) const;

    Project& m_project;
    std::vector<std::string> m_titles;
    std::optional<std::size_t> m_selection;
};

}  // namespace pendrel
