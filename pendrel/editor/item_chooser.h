#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "pendrel/generator/catalogue.h"
#include "pendrel/ports/prompts.h"
#include "pendrel/project/project_data.h"
#include "pendrel/project/screen_records.h"

namespace pendrel {

// What the item dialog "Toevoegen debug-items" decides: four selection
// columns filled from the catalogue and the project's names, the placement
// cursor and the rank numbers in use. It adds the chosen items and texts to
// the screen record.
class ItemChooser {
  public:
    static constexpr int kMaxRank = 99;

    ItemChooser(ScreenRecord& screen, const ProjectData& data);

    // Column 1, and what choosing in each column refills.
    const std::vector<std::string>& groups() const { return m_groups; }
    const std::vector<std::string>& macros() const { return m_macros; }
    // Columns 3 and 4 as shown: each entry with its prefix, ">" when the
    // item is on the screen already, else a blank.
    const std::vector<std::string>& thirdColumn() const { return m_third; }
    const std::vector<std::string>& fourthColumn() const { return m_fourth; }
    std::string_view thirdHeading() const;
    std::string_view fourthHeading() const;

    void chooseGroup(std::optional<std::size_t> index);
    void chooseMacro(std::optional<std::size_t> index);
    void chooseThird(std::optional<std::size_t> index);
    void chooseFourth(std::optional<std::size_t> index);

    struct Cursor {
        int column;
        int row;
    };
    Cursor cursor() const { return m_cursor; }

    // "Toevoegen": true when an item was added; refusals go to `prompts`.
    bool add(Prompts& prompts);

    // "Toevoegen verklarende tekst": false for an empty text (the dialog
    // asks again), and after a warning for one pendrel.db cannot hold.
    bool addText(const std::string& text, Prompts& prompts);

    // The lowest free rank number, or nothing.
    std::optional<int> lowestFreeRank() const;

  private:
    std::optional<ElementKind> chosenKind() const;
    void refillThird();
    void refillFourth();
    std::vector<std::string> thirdNames() const;
    std::vector<std::string> fourthNames(const std::string& element1) const;
    bool onScreen(const std::string& element1, const std::string* element2) const;
    void advanceCursor();

    ScreenRecord& m_screen;
    const ProjectData& m_data;
    std::vector<std::string> m_groups;
    std::vector<std::string> m_macros;
    std::vector<std::string> m_third;
    std::vector<std::string> m_fourth;
    std::optional<std::size_t> m_group, m_macro, m_element1, m_element2;
    Cursor m_cursor{28, 1};
    std::array<bool, kMaxRank + 1> m_rankInUse{};
};

// An entry of column 3 or 4 without its prefix.
std::string entryName(std::string_view shown);

}  // namespace pendrel
