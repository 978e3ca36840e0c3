#pragma once

#include <string>
#include <string_view>

#include "rendall/dump_reader.h"
#include "rendall/errors.h"
#include "rendall/name_table.h"

namespace rendall {

// Replaces the array numbers of blocks, signal groups and detectors in the
// dump text by their names. A name longer than its field runs on over the
// characters behind it, but never over the end of its line: what does not
// fit there is inserted. `consoleNote` receives text that the program prints
// on the console before the error.
Error convertDumpText(std::string& text, const NameTable& names, std::string& consoleNote);

}  // namespace rendall
