#pragma once

#include <filesystem>
#include <string>

namespace pendrel {

// pendrel.ini in "the Windows directory" (common::configDirectory), section
// "PENDREL".
class ProjectSettings {
  public:
    ProjectSettings();
    explicit ProjectSettings(std::filesystem::path iniPath) : m_path(std::move(iniPath)) {}

    // "LastProjectDir", or `fallback` (the current directory) when unset.
    std::string lastProjectDir(const std::string& fallback) const;
    bool setLastProjectDir(const std::string& directory);

    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

}  // namespace pendrel
