#include "veltro/session/settings.h"

#include <algorithm>

#include "veltro/session/start_directory.h"

namespace veltro {
namespace {

constexpr std::string_view Section = "Hoofdvenster";
constexpr std::string_view IniName = "veltro.ini";
constexpr std::size_t PathLimit = 512;

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
    if (startDirectory.size() + IniName.size() >= PathLimit) {
        return configDirectory / IniName;
    }
    joined.append(IniName);
    return joined;
}

WindowGeometry VeltroSettings::readGeometry() const {
    WindowGeometry g;
    g.x = m_file.readInt(Section, "X-positie", g.x);
    g.y = m_file.readInt(Section, "Y-positie", g.y);
    g.width = atLeast(m_file.readInt(Section, "Breedte", g.width), MinimumWidth);
    g.height = atLeast(m_file.readInt(Section, "Hoogte", g.height), MinimumHeight);
    return g;
}

bool VeltroSettings::writeGeometry(const WindowGeometry& g) {
    return m_file.writeInt(Section, "X-positie", g.x) &&
           m_file.writeInt(Section, "Y-positie", g.y) &&
           m_file.writeInt(Section, "Breedte", atLeast(g.width, MinimumWidth)) &&
           m_file.writeInt(Section, "Hoogte", atLeast(g.height, MinimumHeight));
}

FontSettings VeltroSettings::readFont() const {
    FontSettings f;
    f.faceName = m_file.readString(Section, "Fontnaam", f.faceName);
    f.faceName.resize(std::min(f.faceName.size(), FontSettings::FaceNameLimit));
    f.pointSize = m_file.readInt(Section, "Fontpuntgrootte", f.pointSize);
    f.width = m_file.readInt(Section, "Fontbreedte", f.width);
    return f;
}

bool VeltroSettings::writeFont(const FontSettings& f) {
    return m_file.writeString(Section, "Fontnaam", f.faceName) &&
           m_file.writeInt(Section, "Fontpuntgrootte", f.pointSize) &&
           m_file.writeInt(Section, "Fontbreedte", f.width);
}

std::string VeltroSettings::readDumpFileName() const {
    std::string name = m_file.readString(Section, "DPCOM file name", "dpcom.dmp");
    name.resize(std::min(name.size(), DumpFileNameLimit));
    return name;
}

bool VeltroSettings::writeDumpFileName(std::string_view name) {
    return m_file.writeString(Section, "DPCOM file name", name.substr(0, DumpFileNameLimit));
}

}  // namespace veltro
