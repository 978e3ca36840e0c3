#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/profile_file.h"

namespace veltro {

struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 500;
    int height = 400;
};

struct FontSettings {
    static constexpr std::size_t FaceNameLimit = 19;
    std::string faceName = "use default";  // the built-in font is kept
    int pointSize = 10;
    int width = 0;
};

// `veltro.ini` in the start directory, or in the configuration directory
// (the profile functions' fallback) when the joined path would reach 512
// characters.
std::filesystem::path settingsPath(const std::string& startDirectory,
                                   const std::filesystem::path& configDirectory);

// The section "Hoofdvenster" of `veltro.ini`.
class VeltroSettings {
  public:
    static constexpr int MinimumWidth = 125;
    static constexpr int MinimumHeight = 100;
    static constexpr std::size_t DumpFileNameLimit = 259;

    explicit VeltroSettings(std::filesystem::path path) : m_file(std::move(path)) {}

    const std::filesystem::path& path() const { return m_file.path(); }

    WindowGeometry readGeometry() const;
    bool writeGeometry(const WindowGeometry& geometry);

    FontSettings readFont() const;
    bool writeFont(const FontSettings& font);

    std::string readDumpFileName() const;
    bool writeDumpFileName(std::string_view name);

  private:
    common::ProfileFile m_file;
};

}  // namespace veltro
