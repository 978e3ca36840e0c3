// File calls on POSIX systems: paths are bytes, "x" creates exclusively, and a
// name reaches only the entry spelt exactly so.
#include <system_error>

#include "common/platform_files.h"

namespace common {

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::FILE* createNewFile(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "wbx");
}

std::optional<std::string> storedFileName(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return std::nullopt;
    return path.filename().string();
}

}  // namespace common
