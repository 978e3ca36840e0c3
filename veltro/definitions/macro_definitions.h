#pragma once

#include <string_view>

#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/macro_text.h"
#include "veltro/ports/messages.h"

namespace veltro {

// Reads a macro definition text into `table`, by the rules of a file: each
// section header comment selects the kind (base code) of the #define lines
// under it, and every name enters with base code + number. Reports through
// `messages` while the line prefix names the line (the context prefix is
// kMacroFileName). False after the first fatal error.
bool readMacroDefinitions(std::string_view text, DefinitionTable& table, Messages& messages);

}  // namespace veltro
