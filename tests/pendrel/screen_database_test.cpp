#include "pendrel/project/screen_database.h"

#include <gtest/gtest.h>

#include "support/pendrel/recording_prompts.h"
#include "support/temp_dir.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

ScreenList sampleScreens() {
    ScreenRecord first{"Hoofdrichting", {}, {}};
    first.items.push_back({7, 28, 2, 3, 2, 25, "~~~", "inst_MG_TIJD", "SG02", "", "inst_MG"});
    first.items.push_back({3, 28, 3, 3, 3, 25, "~", "O_TIJD", "SG02", "SG05", "O_TIJD_SG02"});
    first.texts.push_back({"Hoofdrichting", 3, 1, 13});
    ScreenRecord second{"Leeg", {}, {}};
    return {first, second};
}

TEST(ScreenDatabase, WritesTheQuotedFormatAndReadsItBack) {
    ScreenList screens = sampleScreens();
    std::string text = formatScreenDatabase(screens);
    EXPECT_EQ(text,
              "#SCHERM\n  'Hoofdrichting'\n"
              "  #ITEM\n   7 28  2  3  2  25 \"~~~\" \"inst_MG_TIJD\" \"SG02\" \"\" \"inst_MG\"\n"
              "  #ITEM\n   3 28  3  3  3  25 \"~\" \"O_TIJD\" \"SG02\" \"SG05\" \"O_TIJD_SG02\"\n"
              "  #TEKST\n   3  1  13 'Hoofdrichting'\n"
              "#SCHERM\n  'Leeg'\n");
    // Items come back in file order; rank numbers are not renumbered.
    EXPECT_EQ(parseScreenDatabase(text), screens);
    // Windows line ends and lower-case record words read the same.
    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    }
    EXPECT_EQ(parseScreenDatabase(crlf), screens);
}

// Labels left of column 1 are stored as negative columns; every int, the
// extremes included, reads back as it was written.
TEST(ScreenDatabase, NegativeAndExtremeNumbersRoundTrip) {
    ScreenRecord screen{"Links", {}, {}};
    screen.items.push_back({1, 10, 2, -15, 2, 25, "~", "TL", "TL_A", "", "TL_TL_A"});
    screen.items.push_back(
        {2, 2147483647, -2147483647 - 1, -1, -22, -25, "~", "TL", "TL_B", "", "TL_B"});
    screen.texts.push_back({"tekst", -3, -1, -6});
    screen.texts.push_back({"rand", -2147483647 - 1, 2147483647, 0});
    const std::string text = formatScreenDatabase({screen});
    EXPECT_NE(text.find("   1 10  2 -15  2  25 \"~\""), std::string::npos) << text;
    EXPECT_EQ(parseScreenDatabase(text), ScreenList{screen});
    // Beyond the range of int a number is held to its end.
    const ScreenList held =
        parseScreenDatabase("#SCHERM\n 'S'\n#TEKST\n -99999999999 99999999999 -0 'x'\n");
    ASSERT_EQ(held[0].texts.size(), 1u);
    EXPECT_EQ(held[0].texts[0], (TextRecord{"x", -2147483647 - 1, 2147483647, 0}));
}

TEST(ScreenDatabase, ReadingEndsAtTheFirstMalformedLine) {
    struct Case {
        const char* text;
        std::size_t screens;
        std::size_t items;
    };
    const Case cases[] = {
        // An apostrophe ends a title.
        {"#SCHERM\n 'Fase 1's'\n", 1, 0},
        // A title line without text ends reading.
        {"#SCHERM\n 'Eerste'\n#scherm\n ''\n#SCHERM\n 'Derde'\n", 1, 0},
        // An item with five numbers ends reading; the item before stays.
        {"#SCHERM\n 'S'\n#ITEM\n 1 2 3 4 5 6\n 1 2 3 4 5\n#SCHERM\n 'T'\n", 1, 1},
        // Items before any screen belong nowhere and are passed over.
        {"#ITEM\n 1 2 3 4 5 6 \"~\"\n#SCHERM\n 'S'\n", 1, 0},
        // Lines of an unknown record are ignored.
        {"#ANDERS\nwat dan ook\n#SCHERM\n 'S'\n", 1, 0},
    };
    for (const Case& c : cases) {
        ScreenList screens = parseScreenDatabase(c.text);
        ASSERT_EQ(screens.size(), c.screens) << c.text;
        EXPECT_EQ(screens[0].items.size(), c.items) << c.text;
    }
    EXPECT_EQ(parseScreenDatabase("#SCHERM\n 'Fase 1's'\n")[0].title, "Fase 1");
    ScreenList partial = parseScreenDatabase("#SCHERM\n 'S'\n#ITEM\n 1 2 3 4 5 6 \"~~\" \"D\"\n");
    EXPECT_EQ(partial[0].items[0].macro, "D");
    EXPECT_EQ(partial[0].items[0].label, "");
}

TEST(ScreenDatabase, AFailedWriteKeepsTheStoredScreens) {
    test_support::TempDir dir;
    test_support::RecordingPendrelPrompts prompts;
    ASSERT_TRUE(writeScreenDatabase(dir.path(), sampleScreens(), prompts));
    std::string stored = test_support::readFile(dir / "pendrel.db");
    EXPECT_EQ(readScreenDatabase(dir.path()), sampleScreens());

    // An empty list writes nothing: the screens reappear at the next open.
    ASSERT_TRUE(writeScreenDatabase(dir.path(), {}, prompts));
    EXPECT_EQ(test_support::readFile(dir / "pendrel.db"), stored);

    // A database that cannot be replaced is reported and left whole.
    fs::remove(dir / "pendrel.db");
    fs::create_directory(dir / "pendrel.db");
    test_support::writeFile(dir / "pendrel.db" / "inhoud", "x");
    EXPECT_FALSE(writeScreenDatabase(dir.path(), sampleScreens(), prompts));
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{"pendrel.db kan niet gemaakt worden."});
    EXPECT_EQ(test_support::fileNames(dir.path()), std::vector<std::string>{"pendrel.db"});
    EXPECT_TRUE(readScreenDatabase(dir.path() / "ontbreekt").empty());
}

}  // namespace
}  // namespace pendrel
