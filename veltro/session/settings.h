#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "veltro/ports/settings_store.h"

namespace veltro {

struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 500;
    int height = 400;
};

struct FontSettings {
    static constexpr std::size_t kFaceNameLimit = 19;
    std::string faceName = "use default";  // the built-in font is kept
    int pointSize = 10;
    int width = 0;
};

// `veltro.ini` in the start directory, or in the configuration directory
// (the profile functions' fallback) when the joined path would reach 512
// characters.
std::filesystem::path settingsPath(const std::string& startDirectory,
                                   const std::filesystem::path& configDirectory);

// The section "Hoofdvenster" of `veltro.ini`, read and written through the
// settings port (a ProfileFileSettings over the file in the program).
class VeltroSettings {
  public:
    static constexpr int kMinimumWidth = 125;
    static constexpr int kMinimumHeight = 100;
    static constexpr std::size_t kDumpFileNameLimit = 259;

    explicit VeltroSettings(SettingsStore& file) : m_file(file) {}

    WindowGeometry readGeometry() const;
    bool writeGeometry(const WindowGeometry& geometry);

    FontSettings readFont() const;
    bool writeFont(const FontSettings& font);

    std::string readDumpFileName() const;
    bool writeDumpFileName(std::string_view name);

  private:
    SettingsStore& m_file;
};

}  // namespace veltro
