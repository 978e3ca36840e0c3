#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "rendall/console.h"

namespace rendall {

// The whole run of the program with its command-line arguments (without the
// program name); relative file names are taken in `workDir`. Returns the
// exit code: 0 after success, else the error number.
int runRendall(const std::vector<std::string>& args, Console& console,
               const std::filesystem::path& workDir);

}  // namespace rendall
