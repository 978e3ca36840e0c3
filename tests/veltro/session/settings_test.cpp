#include "veltro/session/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/file_error.h"
#include "common/text_file.h"
#include "support/platform.h"
#include "support/temp_dir.h"
#include "support/veltro/messages.h"
#include "support/veltro/settings.h"
#include "veltro/session/profile_settings.h"
#include "veltro/session/settings_guard.h"

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
    EXPECT_FALSE(settings.hasGeometry());  // the window is then sized to its screens
    EXPECT_EQ(settings.readFont().faceName, "use default");
    EXPECT_EQ(settings.readDumpFileName(), "dpcom.dmp");
    EXPECT_FALSE(fs::exists(dir / "veltro.ini"));  // created at the first write only

    std::ofstream(dir / "veltro.ini") << "; eigen commentaar\n[hoofdvenster]\nbreedte=50\n"
                                         "Hoogte=20\nFontnaam=Een heel lange lettertypenaam\n"
                                         "[Poorten]\nCOM1=/dev/ttyUSB0\n";
    EXPECT_TRUE(settings.hasGeometry());
    const WindowGeometry small = settings.readGeometry();
    EXPECT_EQ(small.width, 125);
    EXPECT_EQ(small.height, 100);
    EXPECT_EQ(settings.readFont().faceName, "Een heel lange lettertypenaam");  // whole

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

// What is written comes back: a face name longer than 19 characters, and a
// width that the font dialog cannot choose and so must not lose.
TEST(Settings, TheFontRoundTrips) {
    const test_support::TempDir temp;
    ProfileFileSettings file(temp.path() / "veltro.ini");
    VeltroSettings settings(file);
    temp.write("veltro.ini", "[Hoofdvenster]\nFontnaam=Courier\nFontbreedte=9\n");
    const FontSettings chosen = settings.writeChosenFont("DejaVu Sans Condensed", 12);
    EXPECT_EQ(chosen.width, 9);
    const FontSettings read = settings.readFont();
    EXPECT_EQ(read.faceName, "DejaVu Sans Condensed");
    EXPECT_EQ(read.pointSize, 12);
    EXPECT_EQ(read.width, 9);

    // Without a stored width the face keeps its own.
    const test_support::TempDir other;
    ProfileFileSettings fresh(other.path() / "veltro.ini");
    EXPECT_EQ(VeltroSettings(fresh).writeChosenFont("Courier", 10).width, 0);
    EXPECT_EQ(VeltroSettings(fresh).readFont().width, 0);
}

TEST(Settings, FontWidthAsAStretch) {
    struct Case {
        int width;
        int natural;
        int percent;
    };
    const Case cases[] = {
        {0, 7, 0},  {-3, 7, 0}, {7, 7, 100},  {14, 7, 200},    {5, 7, 71},
        {1, 8, 13}, {9, 0, 0},  {1, 9999, 1}, {9999, 1, 4000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fontStretchPercent(c.width, c.natural), c.percent)
            << c.width << "/" << c.natural;
}

// veltro.ini is written only once the start-up succeeded: before, writes are
// held (and read back); a failed start-up leaves no file behind.
TEST(SettingsGuard, HoldsWritesUntilTheStartUpSucceeded) {
    const test_support::TempDir temp;
    ProfileFileSettings file(temp.path() / "veltro.ini");
    test_support::RecordingMessages messages;
    {
        SettingsGuard guard(file, messages, "veltro.ini");
        VeltroSettings settings(guard);
        ASSERT_TRUE(settings.writeGeometry({5, 6, 700, 500}));
        EXPECT_EQ(settings.readGeometry().width, 700);
        ASSERT_TRUE(guard.writeString("hoofdvenster", "X-POSITIE", "7"));  // the same key
        EXPECT_EQ(settings.readGeometry().x, 7);
    }
    EXPECT_FALSE(fs::exists(temp.path() / "veltro.ini"));

    SettingsGuard guard(file, messages, "veltro.ini");
    VeltroSettings settings(guard);
    ASSERT_TRUE(settings.writeGeometry({5, 6, 700, 500}));
    ASSERT_TRUE(guard.writeString("Hoofdvenster", "X-positie", "7"));
    guard.startWriting();
    EXPECT_EQ(VeltroSettings(file).readGeometry().x, 7);
    EXPECT_EQ(VeltroSettings(file).readGeometry().height, 500);
    ASSERT_TRUE(settings.writeDumpFileName("na.dmp"));
    EXPECT_EQ(VeltroSettings(file).readDumpFileName(), "na.dmp");
    EXPECT_TRUE(messages.lines().empty());
}

// A write that fails is told with its cause, once until one succeeds again:
// the window's position is written at every move.
TEST(SettingsGuard, AFailedWriteIsToldOnceWithItsCause) {
    const test_support::TempDir temp;
    const fs::path blocker = temp.write("project", "a file where the directory should be");
    ProfileFileSettings file(blocker / "veltro.ini");
    test_support::RecordingMessages messages;
    SettingsGuard guard(file, messages, (blocker / "veltro.ini").string());
    VeltroSettings settings(guard);
    settings.writeGeometry({1, 2, 300, 200});
    EXPECT_TRUE(messages.lines().empty());  // held until the start-up succeeded
    guard.startWriting();
    ASSERT_EQ(messages.lines().size(), 1u);
    EXPECT_EQ(messages.lines()[0].kind, message_kind::kError);
    const std::string cause =
        common::fileErrorText(std::make_error_code(test_support::pathBelowAFile()));
    EXPECT_EQ(messages.lines()[0].text, (blocker / "veltro.ini").string() +
                                            " kan niet worden geschreven (" + cause +
                                            "): de instellingen worden niet bewaard.");
    EXPECT_FALSE(settings.writeGeometry({3, 4, 300, 200}));
    EXPECT_FALSE(settings.writeDumpFileName("x.dmp"));
    EXPECT_EQ(messages.lines().size(), 1u);

    test_support::MemorySettings memory;
    SettingsGuard again(memory, messages, "veltro.ini");
    again.startWriting();
    memory.failWrites = true;
    EXPECT_FALSE(again.writeInt("S", "K", 1));
    memory.failWrites = false;
    EXPECT_TRUE(again.writeInt("S", "K", 1));
    memory.failWrites = true;
    EXPECT_FALSE(again.writeInt("S", "K", 2));
    ASSERT_EQ(messages.lines().size(), 3u);
    EXPECT_EQ(messages.lines()[2].text,
              "veltro.ini kan niet worden geschreven (alleen-lezen bestandssysteem): de "
              "instellingen worden niet bewaard.");
}

}  // namespace
}  // namespace veltro
