#include "veltro/session/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/text_file.h"
#include "support/temp_dir.h"
#include "veltro/session/profile_settings.h"

namespace veltro {
namespace {

namespace fs = std::filesystem;

TEST(Settings, PathInTheStartDirectoryOrTheConfigurationDirectory) {
    EXPECT_EQ(settingsPath("/w/proj", "/home/u/.config"), fs::path("/w/proj/veltro.ini"));
    EXPECT_EQ(settingsPath("/w/proj/", "/home/u/.config"), fs::path("/w/proj/veltro.ini"));
    const std::string longDir(512 - 10, 'd');  // with "veltro.ini": 512
    EXPECT_EQ(settingsPath(longDir, "/home/u/.config"), fs::path("/home/u/.config/veltro.ini"));
    EXPECT_EQ(settingsPath(longDir.substr(1), "/c"), fs::path(longDir.substr(1) + "/veltro.ini"));
}

TEST(Settings, DefaultsMinimumsAndWritingBack) {
    const test_support::TempDir temp;
    const fs::path dir = temp.path();
    ProfileFileSettings file(dir / "veltro.ini");
    VeltroSettings settings(file);
    const WindowGeometry defaults = settings.readGeometry();
    EXPECT_EQ(defaults.width, 500);
    EXPECT_EQ(defaults.height, 400);
    EXPECT_EQ(settings.readFont().faceName, "use default");
    EXPECT_EQ(settings.readDumpFileName(), "dpcom.dmp");
    EXPECT_FALSE(fs::exists(dir / "veltro.ini"));  // created at the first write only

    std::ofstream(dir / "veltro.ini") << "; eigen commentaar\n[hoofdvenster]\nbreedte=50\n"
                                         "Hoogte=20\nFontnaam=Een heel lange lettertypenaam\n"
                                         "[Poorten]\nCOM1=/dev/ttyUSB0\n";
    const WindowGeometry small = settings.readGeometry();
    EXPECT_EQ(small.width, 125);
    EXPECT_EQ(small.height, 100);
    EXPECT_EQ(settings.readFont().faceName, "Een heel lange lett");  // 19 characters

    ASSERT_TRUE(settings.writeGeometry({-10, 20, 60, 700}));
    const WindowGeometry written = settings.readGeometry();
    EXPECT_EQ(written.x, -10);
    EXPECT_EQ(written.width, 125);
    EXPECT_EQ(written.height, 700);
    ASSERT_TRUE(settings.writeDumpFileName("veld.dmp"));
    EXPECT_EQ(settings.readDumpFileName(), "veld.dmp");
    const auto text = common::readFileBytes(dir / "veltro.ini");
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("; eigen commentaar"), std::string::npos);
    EXPECT_NE(text->find("COM1=/dev/ttyUSB0"), std::string::npos);
}

}  // namespace
}  // namespace veltro
