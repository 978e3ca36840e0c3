#pragma once

#include <array>
#include <string_view>

#include "veltro/definitions/element_tables.h"

namespace veltro::tools {

// The ten parameter categories, in the order in which every tool walks them.
enum class Category {
    Ontruimingstijden,
    VgTijden,
    GlTijden,
    MgTijden,
    Hiaattijden,
    Tijden,
    Klokken,
    Schakelaars,
    Eggparm,
    Eparm,
};
inline constexpr int kCategoryCount = 10;

inline constexpr std::array<Category, kCategoryCount> kAllCategories{
    Category::Ontruimingstijden, Category::VgTijden, Category::GlTijden, Category::MgTijden,
    Category::Hiaattijden,       Category::Tijden,   Category::Klokken,  Category::Schakelaars,
    Category::Eggparm,           Category::Eparm,
};

constexpr int categoryNumber(Category c) {
    return static_cast<int>(c);
}

// What the dialogs, the settings and the listings call a category.
struct CategoryTexts {
    std::string_view word;    // the key word of the settings ("VG-tijden")
    std::string_view label;   // the check box text ("VG tijden")
    std::string_view suffix;  // inserted before the extension of a per-category file
    std::string_view header;  // the listing's header line, line break included
};
const CategoryTexts& categoryTexts(Category c);

// The category of a settings word (exact, as the settings write it).
bool categoryFromWord(std::string_view word, Category& out);

// Entries of the table behind the category: a category without entries
// cannot be chosen in a dialog and is never visited.
int entryCount(Category c, const ElementTables& tables);

// How far the progress bar moves for the category: one step per parameter
// visited (13 per signal group for the MG times, 3 per detector, 2 per clock).
int progressUnits(Category c, const ElementTables& tables);

// The factor that turns a source value into controller units: 10, 100 for
// clocks, 1 for the integer categories.
int scaleOf(Category c);

}  // namespace veltro::tools
