#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace pendrel {

// The bytes of the file at `path`; nothing when it cannot be read. A
// directory standing where a file is expected is such a file: the standard
// stream library throws when it is read, and the designer says it cannot be
// read instead.
std::optional<std::string> readFileContents(const std::filesystem::path& path);

}  // namespace pendrel
