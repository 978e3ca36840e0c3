#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// File names are case-insensitive in the controller framework's world: these
// helpers find the real name of a file on a case-sensitive file system.

// The path of the entry of `directory` whose name equals `name` without regard
// to case (an exact match is preferred), or nothing.
std::optional<std::filesystem::path> findFileIgnoreCase(const std::filesystem::path& directory,
                                                        std::string_view name);

// Resolves every component of `path` case-insensitively; nothing when some
// component does not exist. "." and ".." are kept as they are.
std::optional<std::filesystem::path> resolvePathIgnoreCase(const std::filesystem::path& path);

// The names of the regular files in `directory` that match the wildcard
// `pattern` (see wildcard.h), sorted by name. Empty when the directory
// cannot be read.
std::vector<std::string> listMatchingFiles(const std::filesystem::path& directory,
                                           std::string_view pattern);

}  // namespace common
