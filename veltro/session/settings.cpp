#include "veltro/session/settings.h"

#include <algorithm>

#include "veltro/session/start_directory.h"

namespace veltro {
namespace {

constexpr std::string_view kSection = "Hoofdvenster";
constexpr std::string_view kIniName = "veltro.ini";
constexpr std::size_t kPathLimit = 512;

// The minimums are compared unsigned, as the window keys always were: a
// negative size passes unchanged.
int atLeast(int value, int minimum) {
    return static_cast<unsigned>(value) < static_cast<unsigned>(minimum) ? minimum : value;
}

}  // namespace

std::filesystem::path settingsPath(const std::string& startDirectory,
                                   const std::filesystem::path& configDirectory) {
    std::string joined = startDirectory;
    if (joined.empty() || !isPathSeparator(joined.back())) {
        joined.push_back('/');
    }
    if (startDirectory.size() + kIniName.size() >= kPathLimit) {
        return configDirectory / kIniName;
    }
    joined.append(kIniName);
    return joined;
}

WindowGeometry VeltroSettings::readGeometry() const {
    WindowGeometry g;
    g.x = m_file.readInt(kSection, "X-positie", g.x);
    g.y = m_file.readInt(kSection, "Y-positie", g.y);
    g.width = atLeast(m_file.readInt(kSection, "Breedte", g.width), kMinimumWidth);
    g.height = atLeast(m_file.readInt(kSection, "Hoogte", g.height), kMinimumHeight);
    return g;
}

bool VeltroSettings::hasGeometry() const {
    return m_file.readString(kSection, "Breedte", "").size() > 0 ||
           m_file.readString(kSection, "Hoogte", "").size() > 0;
}

bool VeltroSettings::writeGeometry(const WindowGeometry& g) {
    return m_file.writeInt(kSection, "X-positie", g.x) &&
           m_file.writeInt(kSection, "Y-positie", g.y) &&
           m_file.writeInt(kSection, "Breedte", atLeast(g.width, kMinimumWidth)) &&
           m_file.writeInt(kSection, "Hoogte", atLeast(g.height, kMinimumHeight));
}

FontSettings VeltroSettings::readFont() const {
    FontSettings f;
    f.faceName = m_file.readString(kSection, "Fontnaam", f.faceName);
    f.pointSize = m_file.readInt(kSection, "Fontpuntgrootte", f.pointSize);
    f.width = m_file.readInt(kSection, "Fontbreedte", f.width);
    return f;
}

bool VeltroSettings::writeFont(const FontSettings& f) {
    return m_file.writeString(kSection, "Fontnaam", f.faceName) &&
           m_file.writeInt(kSection, "Fontpuntgrootte", f.pointSize) &&
           m_file.writeInt(kSection, "Fontbreedte", f.width);
}

FontSettings VeltroSettings::writeChosenFont(std::string_view faceName, int pointSize) {
    FontSettings f;
    f.faceName = std::string(faceName);
    f.pointSize = pointSize;
    f.width = m_file.readInt(kSection, "Fontbreedte", f.width);
    writeFont(f);
    return f;
}

int fontStretchPercent(int width, int naturalWidth) {
    constexpr int kLeast = 1;  // the range of QFont::setStretch
    constexpr int kMost = 4000;
    if (width <= 0 || naturalWidth <= 0)
        return 0;
    const long long percent = (200LL * width + naturalWidth) / (2LL * naturalWidth);
    return static_cast<int>(std::clamp<long long>(percent, kLeast, kMost));
}

std::string VeltroSettings::readDumpFileName() const {
    std::string name = m_file.readString(kSection, "DPCOM file name", "dpcom.dmp");
    name.resize(std::min(name.size(), kDumpFileNameLimit));
    return name;
}

bool VeltroSettings::writeDumpFileName(std::string_view name) {
    return m_file.writeString(kSection, "DPCOM file name", name.substr(0, kDumpFileNameLimit));
}

}  // namespace veltro
