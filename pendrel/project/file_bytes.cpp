#include "pendrel/project/file_bytes.h"

#include <ios>

#include "common/text_file.h"

namespace pendrel {

std::optional<std::string> readFileContents(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return std::nullopt;
    }
    try {
        return common::readFileBytes(path);
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

}  // namespace pendrel
