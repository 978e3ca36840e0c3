#pragma once

#include <string_view>

#include "veltro/ports/prompts.h"
#include "veltro/session/session_options.h"

namespace veltro {

// Parses the command line text behind the program name: words separated by
// blanks, compared in upper case (COM1..COM4, -C, -B, -IP, -IPP and the start
// flags DPCOM, AFNAME, PARAMETERS, VERSCHILLEN or -D, -A, -P, -V, and
// -NORECONNECT, which keeps a lost link lost). Faulty
// words are reported through `prompts` and ignored; the parser always yields
// options.
SessionOptions parseCommandLine(std::string_view text, Prompts& prompts);

// The menu command that the main window posts to itself at start, or empty
// when no start flag is set. Only the first of the flags counts.
std::string_view startCommand(const SessionOptions& options);

}  // namespace veltro
