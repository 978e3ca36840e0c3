#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltro {

// Directory and file name together may not reach this many characters.
inline constexpr std::size_t kMaxJoinedPath = 1024;

// Joins a directory and a file name with '/', unless the directory is empty or
// already ends in '/' or '\'. Nothing when directory and name together are
// kMaxJoinedPath characters or longer.
std::optional<std::string> joinPath(std::string_view directory, std::string_view fileName);

// The directory part of a path: everything up to and including its last '/'
// or '\'; empty when the path has no separator.
std::string_view directoryOf(std::string_view path);

// The part of a path after its last '/' or '\'.
std::string_view fileNameOf(std::string_view path);

}  // namespace veltro
