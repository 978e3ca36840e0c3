#pragma once

#include <filesystem>
#include <string>

namespace pendrel {

// pendrel.ini in "the Windows directory" ($XDG_CONFIG_HOME, else ~/.config),
// section "PENDREL".
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

// The directory that stands for the Windows directory.
std::filesystem::path windowsDirectory();

}  // namespace pendrel
