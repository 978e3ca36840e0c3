#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veltro {

// The text of one line of the window list dialogs: the first line of
// `pendrelText` (the contents of pendrel.txt) that names the window's file,
// without its line feed, or else the window's title. Lines count at most 255
// characters; file names compare without regard to case.
std::string windowListText(std::string_view pendrelText, const std::string& title);

// The texts of all windows, reading pendrel.txt from `debugDirectory` (which
// ends in a separator) once.
std::vector<std::string> windowListTexts(const std::string& debugDirectory,
                                         const std::vector<std::string>& titles);

}  // namespace veltro
