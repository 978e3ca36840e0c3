#include "pendrel/project/project_settings.h"

#include "common/config_directory.h"
#include "common/format.h"
#include "common/profile_file.h"

namespace pendrel {

ProjectSettings::ProjectSettings() {
    std::string dir = common::configDirectory().string();
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
