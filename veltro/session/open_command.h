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
// The dialog opens on its file name "?????_???.*", which lists the files of
// both naming schemes; a dialog that filters only by its filter list gets it
// as a first filter of its own, before the three the menu names.
inline constexpr OpenDialogFilter OpenDialogFilters[] = {
    {"Debug Bestanden (?????_???.*)", "?????_???.*"},
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

// The same words for a dialog that answers with the full path of each file
// chosen (all in one directory): one path stays itself; more become their
// directory followed by their names, which may hold blanks.
std::vector<std::string> openCommandWords(const std::vector<std::string>& paths);

// Loads the files that the dialog returned into `windows` while there is
// room, then shows the last one added. Returns the number of windows added.
int openDebugFiles(const std::vector<std::string>& words, const DefinitionTable& definitions,
                   Messages& messages, DebugWindowList& windows, WindowSwitchPorts& ports);

}  // namespace veltro
