#pragma once

#include <filesystem>

namespace common {

// "The Windows directory" of the profile functions, where a program keeps a
// settings file that belongs to no project: $XDG_CONFIG_HOME, else
// ~/.config, else the current directory.
std::filesystem::path configDirectory();

// The same decision from the two variables' values (null when unset). A
// relative $XDG_CONFIG_HOME is ignored, as the XDG rules ask: it would name
// another place in every directory the program is started in.
std::filesystem::path configDirectoryOf(const char* xdgConfigHome, const char* home);

}  // namespace common
