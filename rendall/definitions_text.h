#pragma once

#include <string>
#include <string_view>

#include "rendall/errors.h"

namespace rendall {

// The prepared text may hold this many characters (the text buffer less its end).
inline constexpr std::size_t kMaxDefinitionsText = 119999;

// Whether a piece of the header, as the line reader hands it out, holds the
// "#ifdef pc_omgeving" line about which the user is asked.
bool hasPcOmgevingBlock(std::string_view headerText);

struct HeaderChoice {
    bool asked = false;    // the header holds a "#ifdef pc_omgeving" block
    bool defined = false;  // the user chose to count it as defined
};

// Copies the header (already in text mode) into `out` with the pc_omgeving
// block resolved as chosen, tabs made blanks, blank runs, leading blanks and
// empty lines squeezed out. Error 1 when the result does not fit.
Error prepareDefinitionsText(std::string_view headerText, HeaderChoice choice, std::string& out);

}  // namespace rendall
