#pragma once

#include <array>
#include <optional>
#include <string>

#include "pendrel/generator/generator.h"

namespace pendrel {

// The dialog "Genereren debugfiles" as typed: its edit fields hold text until
// OK checks them.
struct GenerationForm {
    std::string directory;
    NamingScheme scheme = NamingScheme::Plo;
    std::string extension;
    std::string name;
    std::string startNumber;
    std::array<bool, kCategoryCount> selected{};

    // The form showing `settings`.
    static GenerationForm from(const GenerationSettings& settings);

    // "Alles", "Afname" and "Niets".
    void selectAll() { selected = testSelection(); }
    void selectAcceptance() { selected = acceptanceSelection(); }
    void selectNone() { selected.fill(false); }
};

// The checks of the dialog's fields on OK, in the order of the fields: the
// message of the first that fails, or nothing. The dialog then stays open.
std::optional<std::string> checkForm(const GenerationForm& form);

// The settings of a form that passed its checks; what the form does not
// show (the list file) comes from `base`.
GenerationSettings settingsFrom(const GenerationForm& form, const GenerationSettings& base);

}  // namespace pendrel
