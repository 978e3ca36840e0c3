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

// "Fontnaam", "Fontpuntgrootte" and "Fontbreedte". The face name is kept
// whole ("DejaVu Sans Condensed" has 21 characters); the width is the
// average character width in pixels, 0 for the face's own.
struct FontSettings {
    std::string faceName = "use default";  // the built-in font is kept
    int pointSize = 10;
    int width = 0;
};

// The horizontal stretch, in percent of the face's own width, that gives a
// font of average character width `naturalWidth` the stored `width`; 0 (no
// stretch) for a width of 0 or less. Held to the range a font can take.
int fontStretchPercent(int width, int naturalWidth);

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
    // Whether the file holds a size of the main window (from an earlier run).
    bool hasGeometry() const;
    bool writeGeometry(const WindowGeometry& geometry);

    FontSettings readFont() const;
    bool writeFont(const FontSettings& font);
    // A font chosen in the font dialog, which has no width to choose: the
    // stored width is kept. The font as it is to be used (a failed write is
    // the settings file's to tell).
    FontSettings writeChosenFont(std::string_view faceName, int pointSize);

    std::string readDumpFileName() const;
    bool writeDumpFileName(std::string_view name);

  private:
    SettingsStore& m_file;
};

}  // namespace veltro
