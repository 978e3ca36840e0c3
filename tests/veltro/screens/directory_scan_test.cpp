#include "veltro/screens/directory_scan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "support/veltro/messages.h"
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

using test_support::MessageLine;
using test_support::RecordingMessages;
using test_support::TempDir;
using Lines = std::vector<MessageLine>;

std::string textOnlyWindow() {
    return std::string(24, '\n');
}

TEST(DirectoryScan, PatternsIgnoreCaseAndReportWhatTheyRead) {
    TempDir dir;
    dir.write("debug_002.plo", textOnlyWindow());
    dir.write("DEBUG_001.PLO", std::string(23, '\n'));  // rejected: one row short
    dir.write("kruis_001.DbG", textOnlyWindow());
    dir.write("debug_01.plo", textOnlyWindow());  // two digits: no match
    RecordingMessages messages;
    Collected windows;
    const DefinitionTable definitions;
    const std::string d = dir.path().string();
    EXPECT_EQ(loadDebugDirectory(d, definitions, messages, windows), 3);
    const int info = message_kind::kInformation;
    EXPECT_EQ(
        messages.lines(),
        (Lines{{info, "", 0, d + "/DEBUG_???.*: Inlezen van de debug venster bestanden..."},
               {info, "", 0, d + "/DEBUG_001.PLO"},
               {message_kind::kError, d + "/DEBUG_001.PLO", 23,
                "Geen 'nieuwe regel' karakter aanwezig of meer dan 256 karakters in deze "
                "regel."},
               {info, "", 0, d + "/debug_002.plo"},
               {info, "", 0, d + "/?????_???.DBG: Inlezen van de debug venster bestanden..."},
               {info, "", 0, d + "/kruis_001.DbG"}}));
    EXPECT_EQ(windows.titles,
              (std::vector<std::string>{d + "/debug_002.plo", d + "/kruis_001.DbG"}));
}

TEST(DirectoryScan, LimitsOfPathAndWindowCount) {
    TempDir dir;
    dir.write("debug_001.plo", textOnlyWindow());
    dir.write("debug_002.plo", textOnlyWindow());
    const std::string d = dir.path().string();
    const MessageLine maximum{message_kind::kWarning, "", 0,
                              "Het maximum aantal van 200 vensters is bereikt."};
    RecordingMessages messages;
    Collected windows;
    windows.preset = 199;
    const DefinitionTable definitions;
    EXPECT_EQ(scanDebugFiles(d, kDebugPattern, definitions, messages, windows), 1);
    EXPECT_EQ(messages.lines().back(), maximum);
    messages.clear();
    // Full already: nothing more is loaded by the next scan, but the files
    // that match are not reported as absent.
    EXPECT_EQ(scanDebugFiles(d, kDebugPattern, definitions, messages, windows), 1);
    EXPECT_EQ(windows.titles.size(), 1U);
    EXPECT_EQ(messages.lines(),
              (Lines{{message_kind::kInformation, "", 0,
                      d + "/DEBUG_???.*: Inlezen van de debug venster bestanden..."},
                     maximum}));

    messages.clear();
    const std::string longDir(1024 - 11, 'd');  // + "DEBUG_???.*" reaches 1024
    EXPECT_EQ(scanDebugFiles(longDir, kDebugPattern, definitions, messages, windows), 0);
    EXPECT_EQ(
        messages.lines(),
        (Lines{{message_kind::kError, "", 0, ": Pad naar debug bestand is te lang: " + longDir}}));
    // One character less fits.
    messages.clear();
    Collected none;
    EXPECT_EQ(scanDebugFiles(longDir.substr(1), kDebugPattern, definitions, messages, none), 0);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{
                  longDir.substr(1) + "/DEBUG_???.*: Inlezen van de debug venster bestanden...",
                  "Er zijn geen debug venster bestanden die voldoen aan dit pad."}));
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
    const std::string d = dir.path().string();
    const std::vector<std::string> titles = {d + "/debug_001.plo"};
    EXPECT_EQ(windowListTexts(d + "/", titles), titles);  // no pendrel.txt
    dir.write("PENDREL.TXT", list);
    EXPECT_EQ(windowListTexts(d + "/", titles).front(), "debug_001.plo  debugfile voor tellers.");
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
