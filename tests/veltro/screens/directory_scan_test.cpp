#include "veltro/screens/directory_scan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes.h"
#include "veltro/screens/item_index.h"
#include "veltro/screens/window_list_text.h"

namespace veltro {
namespace {

namespace fs = std::filesystem;

class Collected final : public ScreenCollector {
  public:
    int windowCount() const override { return static_cast<int>(titles.size()) + preset; }
    void addWindow(DebugScreen screen) override { titles.push_back(screen.title()); }
    std::vector<std::string> titles;
    int preset = 0;
};

class TempDir {
  public:
    TempDir() {
        m_path = fs::path(TEST_BINARY_DIR) / "scan_test" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(m_path / name, std::ios::binary) << text;
    }
    std::string path() const { return m_path.string(); }

  private:
    fs::path m_path;
};

std::string textOnlyWindow() {
    return std::string(24, '\n');
}

TEST(DirectoryScan, PatternsIgnoreCaseAndReportWhatTheyRead) {
    TempDir dir;
    dir.write("debug_002.plo", textOnlyWindow());
    dir.write("DEBUG_001.PLO", std::string(23, '\n'));  // rejected: one row short
    dir.write("kruis_001.DbG", textOnlyWindow());
    dir.write("debug_01.plo", textOnlyWindow());  // two digits: no match
    testing::RecordingLog rec;
    Collected windows;
    const DefinitionTable definitions;
    EXPECT_EQ(loadDebugDirectory(dir.path(), definitions, rec.log, windows), 3);
    const std::string d = dir.path();
    EXPECT_EQ(
        rec.lines.lines,
        (std::vector<std::string>{
            d + "/DEBUG_???.*: Inlezen van de debug venster bestanden...", d + "/DEBUG_001.PLO",
            d + "/DEBUG_001.PLO : (23) : fout : Geen 'nieuwe regel' karakter aanwezig of "
                "meer dan 256 karakters in deze regel.",
            d + "/debug_002.plo", d + "/?????_???.DBG: Inlezen van de debug venster bestanden...",
            d + "/kruis_001.DbG"}));
    EXPECT_EQ(windows.titles,
              (std::vector<std::string>{d + "/debug_002.plo", d + "/kruis_001.DbG"}));
}

TEST(DirectoryScan, LimitsOfPathAndWindowCount) {
    TempDir dir;
    dir.write("debug_001.plo", textOnlyWindow());
    dir.write("debug_002.plo", textOnlyWindow());
    testing::RecordingLog rec;
    Collected windows;
    windows.preset = 199;
    const DefinitionTable definitions;
    EXPECT_EQ(scanDebugFiles(dir.path(), DebugPattern, definitions, rec.log, windows), 1);
    EXPECT_EQ(rec.lines.lines.back(),
              "waarschuwing : Het maximum aantal van 200 vensters is "
              "bereikt.");
    rec.lines.lines.clear();
    // Full already: nothing more is loaded by the next scan, but the files
    // that match are not reported as absent.
    EXPECT_EQ(scanDebugFiles(dir.path(), DebugPattern, definitions, rec.log, windows), 1);
    EXPECT_EQ(windows.titles.size(), 1U);
    EXPECT_EQ(rec.lines.lines,
              (std::vector<std::string>{
                  dir.path() + "/DEBUG_???.*: Inlezen van de debug venster bestanden...",
                  "waarschuwing : Het maximum aantal van 200 vensters is bereikt."}));

    rec.lines.lines.clear();
    const std::string longDir(1024 - 11, 'd');  // + "DEBUG_???.*" reaches 1024
    EXPECT_EQ(scanDebugFiles(longDir, DebugPattern, definitions, rec.log, windows), 0);
    // The directory itself does not fit within the message window's line.
    EXPECT_EQ(rec.lines.lines,
              std::vector<std::string>{"fout : : Pad naar debug bestand is te lang: "});
}

TEST(WindowListText, DescriptionFromPendrelTxt) {
    const std::string list =
        "debug_001.plo  debugfile voor tellers.\r\n"
        "KRUIS_001.DBG  debugfile: Groentijden.\n" +
        std::string(300, 'x') + "debug_003.plo in een te lange regel\n";
    EXPECT_EQ(windowListText(list, "/p/debug_001.plo"), "debug_001.plo  debugfile voor tellers.");
    EXPECT_EQ(windowListText(list, "/p/kruis_001.dbg"), "KRUIS_001.DBG  debugfile: Groentijden.");
    // Lines count 255 characters at most; the rest is a line of its own.
    EXPECT_EQ(windowListText(list, "/p/debug_003.plo"),
              std::string(300 - 255, 'x') + "debug_003.plo in een te lange regel");
    EXPECT_EQ(windowListText(list, "/p/debug_009.plo"), "/p/debug_009.plo");

    TempDir dir;
    const std::vector<std::string> titles = {dir.path() + "/debug_001.plo"};
    EXPECT_EQ(windowListTexts(dir.path() + "/", titles), titles);  // no pendrel.txt
    dir.write("PENDREL.TXT", list);
    EXPECT_EQ(windowListTexts(dir.path() + "/", titles).front(),
              "debug_001.plo  debugfile voor tellers.");
}

TEST(ItemIndexKeys, KeyFormulaAndRefusals) {
    EXPECT_EQ(ItemIndex::key(288, 5, -1), 288 * 576000 + 5);
    EXPECT_EQ(ItemIndex::key(192, 3, 7), 192 * 576000 + 7 * 12000 + 3);
    EXPECT_EQ(ItemIndex::key(259, 0, 0), ItemIndex::key(259, -1, -1));
    ItemIndex index;
    EXPECT_TRUE(index.insert(ItemIndex::key(192, 12000, 0), 4));
    EXPECT_FALSE(index.insert(ItemIndex::key(192, 0, 1), 5));  // the same key
    EXPECT_TRUE(index.insert(ItemIndex::key(1, 0, 0), 6));
    EXPECT_EQ(index.find(ItemIndex::key(192, 0, 1)), 4);
    EXPECT_EQ(index.find(ItemIndex::key(2, 0, 0)), -1);
}

}  // namespace
}  // namespace veltro
