#pragma once

#include <string_view>

#include "veltro/definitions/definition_table.h"
#include "veltro/ports/messages.h"

namespace veltro {

// The name under which the built-in macro text is reported.
inline constexpr std::string_view kMacroFileName = "macrodef.plo";

// The built-in macro definition text (the contents of macrodef.plo), lines
// ending in '\n'.
std::string_view builtinMacroText();

// Reads a macro definition text into `table`, by the rules of a file: each
// section header comment selects the kind (base code) of the #define lines
// under it, and every name enters with base code + number. Reports through
// `messages` while the line prefix names the line (the context prefix is
// kMacroFileName). False after the first fatal error.
bool readMacroDefinitions(std::string_view text, DefinitionTable& table, Messages& messages);

}  // namespace veltro
