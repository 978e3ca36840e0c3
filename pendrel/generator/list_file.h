#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pendrel {

inline constexpr std::string_view kListFileName = "pendrel.txt";

// "Bekijken gegenereerde debugfiles" is enabled while the list file exists.
bool listFileExists(const std::filesystem::path& directory);

// The lines of the window "Overzicht debugfiles": those of the list file,
// each up to 254 characters, or one line saying why the file cannot be read.
std::vector<std::string> listFileView(const std::filesystem::path& directory);

// The lines of that window for the text of a list file: a line longer than
// 254 characters is shown in pieces, each a line of the list.
std::vector<std::string> listFileLines(std::string_view text);

}  // namespace pendrel
