#include "veltro/definitions/path_join.h"

namespace veltro {

namespace {
bool isSeparator(char c) {
    return c == '/' || c == '\\';
}
}  // namespace

std::optional<std::string> joinPath(std::string_view directory, std::string_view fileName) {
    if (directory.size() + fileName.size() >= kMaxJoinedPath)
        return std::nullopt;
    std::string path(directory);
    if (!path.empty() && !isSeparator(path.back()))
        path += '/';
    path += fileName;
    return path;
}

std::string_view directoryOf(std::string_view path) {
    std::size_t last = path.find_last_of("/\\");
    return last == std::string_view::npos ? std::string_view{} : path.substr(0, last + 1);
}

std::string_view fileNameOf(std::string_view path) {
    std::size_t last = path.find_last_of("/\\");
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

}  // namespace veltro
