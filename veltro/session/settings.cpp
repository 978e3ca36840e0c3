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

bool VeltroSettings::writeGeometry(const WindowGeometry& g) {
    return m_file.writeInt(kSection, "X-positie", g.x) &&
           m_file.writeInt(kSection, "Y-positie", g.y) &&
           m_file.writeInt(kSection, "Breedte", atLeast(g.width, kMinimumWidth)) &&
           m_file.writeInt(kSection, "Hoogte", atLeast(g.height, kMinimumHeight));
}

FontSettings VeltroSettings::readFont() const {
    FontSettings f;
    f.faceName = m_file.readString(kSection, "Fontnaam", f.faceName);
    f.faceName.resize(std::min(f.faceName.size(), FontSettings::kFaceNameLimit));
    f.pointSize = m_file.readInt(kSection, "Fontpuntgrootte", f.pointSize);
    f.width = m_file.readInt(kSection, "Fontbreedte", f.width);
    return f;
}

bool VeltroSettings::writeFont(const FontSettings& f) {
    return m_file.writeString(kSection, "Fontnaam", f.faceName) &&
           m_file.writeInt(kSection, "Fontpuntgrootte", f.pointSize) &&
           m_file.writeInt(kSection, "Fontbreedte", f.width);
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
