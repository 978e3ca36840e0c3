#include "common/config_directory.h"

#include <cstdlib>

namespace common {

std::filesystem::path configDirectoryOf(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome != nullptr && *xdgConfigHome != '\0') {
        const std::filesystem::path xdg(xdgConfigHome);
        if (xdg.is_absolute())
            return xdg;
    }
    if (home != nullptr && *home != '\0')
        return std::filesystem::path(home) / ".config";
    return ".";
}

std::filesystem::path configDirectory() {
    return configDirectoryOf(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

}  // namespace common
