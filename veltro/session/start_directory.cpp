#include "veltro/session/start_directory.h"

namespace veltro {

StartDirectory makeStartDirectory(std::string path) {
    StartDirectory dir;
    dir.withSeparator = path;
    if (dir.withSeparator.empty() || !isPathSeparator(dir.withSeparator.back())) {
        dir.withSeparator.push_back('/');
    }
    dir.path = std::move(path);
    return dir;
}

std::string fileNamePart(const std::string& path) {
    const std::size_t last = path.find_last_of("/\\");
    return last == std::string::npos ? path : path.substr(last + 1);
}

}  // namespace veltro
