#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace common {

// The whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// The file split into lines as a text-mode reader sees them: the line feed
// ends a line and a carriage return right before it is dropped. A last line
// without a line feed is kept.
std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& path);

// Splits text the same way.
std::vector<std::string> splitTextLines(const std::string& text);

}  // namespace common
