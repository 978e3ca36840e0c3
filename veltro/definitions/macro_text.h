#pragma once

#include <string_view>

namespace veltro {

// The name under which the built-in macro text is reported.
inline constexpr std::string_view kMacroFileName = "macrodef.plo";

// The built-in macro definition text (the contents of macrodef.plo), lines
// ending in '\n': 16 sections of #define lines and the closing "end".
std::string_view builtinMacroText();

}  // namespace veltro
