#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "veltro/definitions/definition_table.h"
#include "veltro/ports/messages.h"
#include "veltro/session/window_list.h"

namespace veltro {

// The open dialog of "&Openen...": its filters (text, pattern) and title.
struct OpenDialogFilter {
    std::string_view text;
    std::string_view pattern;
};
inline constexpr OpenDialogFilter OpenDialogFilters[] = {
    {"Debug Bestanden (debug_???.*)", "debug_???.*"},
    {"Debug Bestanden (?????_???.dbg)", "?????_???.dbg"},
    {"Alle Bestanden (*.*)", "*.*"},
};
inline constexpr std::string_view kOpenDialogDefaultExtension = "PLO";
std::string openDialogTitle(int windowNumber);

// The words of the dialog's result, split at blanks, commas, TABs and line
// feeds: one word is the path of one file, more are a directory followed by
// files in it.
std::vector<std::string> splitOpenResult(std::string_view result);

// Loads the files that the dialog returned into `windows` while there is
// room, then shows the last one added. Returns the number of windows added.
int openDebugFiles(const std::vector<std::string>& words, const DefinitionTable& definitions,
                   Messages& messages, DebugWindowList& windows, WindowSwitchPorts& ports);

}  // namespace veltro
