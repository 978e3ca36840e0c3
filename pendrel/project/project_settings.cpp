#include "pendrel/project/project_settings.h"

#include <cstdlib>

#include "common/format.h"
#include "common/profile_file.h"

namespace pendrel {

std::filesystem::path windowsDirectory() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config) {
        return config;
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / ".config";
}

ProjectSettings::ProjectSettings() {
    std::string dir = windowsDirectory().string();
    // A trailing separator is removed before the two are joined.
    while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) {
        dir.pop_back();
    }
    m_path = common::format("%s/%s", dir.c_str(), "pendrel.ini");
}

std::string ProjectSettings::lastProjectDir(const std::string& fallback) const {
    return common::ProfileFile(m_path).readString("PENDREL", "LastProjectDir", fallback);
}

bool ProjectSettings::setLastProjectDir(const std::string& directory) {
    return common::ProfileFile(m_path).writeString("PENDREL", "LastProjectDir", directory);
}

}  // namespace pendrel
