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
    EXPECT_EQ(parseScreenDatabase(text).screens, screens);
    EXPECT_TRUE(parseScreenDatabase(text).complete());
    // Windows line ends and lower-case record words read the same.
    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    }
    EXPECT_EQ(parseScreenDatabase(crlf).screens, screens);
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
    EXPECT_EQ(parseScreenDatabase(text).screens, ScreenList{screen});
    // Beyond the range of int a number is held to its end.
    const ScreenList held =
        parseScreenDatabase("#SCHERM\n 'S'\n#TEKST\n -99999999999 99999999999 -0 'x'\n").screens;
    ASSERT_EQ(held[0].texts.size(), 1u);
    EXPECT_EQ(held[0].texts[0], (TextRecord{"x", -2147483647 - 1, 2147483647, 0}));
}

// An apostrophe ends a text between apostrophes for every reader, older ones
// included, and one at the start ends their reading: such a text is written
// with backticks between the apostrophes, and whole after them.
TEST(ScreenDatabase, TextsWithApostrophesReadBackWhole) {
    ScreenRecord screen{"'s Morgens", {}, {}};
    screen.texts.push_back({"'t Zand", 3, 1, 7});
    screen.texts.push_back({"Piet's `fiets'", 3, 2, 14});
    screen.texts.push_back({"'", 3, 3, 1});
    ScreenList screens{screen, ScreenRecord{"Daarna", {}, {}}};
    const std::string text = formatScreenDatabase(screens);
    EXPECT_EQ(text,
              "#SCHERM\n  '`s Morgens' {'s Morgens}\n"
              "  #TEKST\n   3  1   7 '`t Zand' {'t Zand}\n"
              "  #TEKST\n   3  2  14 'Piet`s `fiets`' {Piet's `fiets'}\n"
              "  #TEKST\n   3  3   1 '`' {'}\n"
              "#SCHERM\n  'Daarna'\n");
    const ScreenDatabase read = parseScreenDatabase(text);
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(read.screens, screens);

    // After the apostrophes only the whole form of the text before counts,
    // and an old file's cut text stays as it always read.
    const ScreenList other = parseScreenDatabase(
                                 "#SCHERM\n 'abc' {xyz}\n#SCHERM\n 'a`b' {a'b}  \n"
                                 "#SCHERM\n 'Fase 1's'\n#SCHERM\n 'x' {x'}\n")
                                 .screens;
    ASSERT_EQ(other.size(), 4u);
    EXPECT_EQ(other[0].title, "abc");
    EXPECT_EQ(other[1].title, "a'b");
    EXPECT_EQ(other[2].title, "Fase 1");
    EXPECT_EQ(other[3].title, "x");
}

TEST(ScreenDatabase, ReadingEndsAtTheFirstMalformedLineAndSaysWhere) {
    struct Case {
        std::string text;
        std::size_t screens;
        std::size_t items;
        std::optional<std::size_t> stoppedAt;
    };
    const Case cases[] = {
        // An apostrophe inside a title cuts it; reading goes on.
        {"#SCHERM\n 'Fase 1's'\n", 1, 0, std::nullopt},
        // A title line without text ends reading.
        {"#SCHERM\n 'Eerste'\n#scherm\n ''\n#SCHERM\n 'Derde'\n", 1, 0, 4},
        // An item with five numbers ends reading; the item before stays.
        {"#SCHERM\n 'S'\n#ITEM\n 1 2 3 4 5 6\n 1 2 3 4 5\n#SCHERM\n 'T'\n", 1, 1, 5},
        // Items before any screen belong nowhere and are passed over.
        {"#ITEM\n 1 2 3 4 5 6 \"~\"\n#SCHERM\n 'S'\n", 1, 0, std::nullopt},
        // Lines of an unknown record are ignored.
        {"#ANDERS\nwat dan ook\n#SCHERM\n 'S'\n", 1, 0, std::nullopt},
        // A line longer than 255 characters is read in pieces, each of that line.
        {"#SCHERM\n 'S'\n#TEKST\n 1 1 1 'x'" + std::string(250, ' ') + "zz\n", 1, 0, 4},
    };
    for (const Case& c : cases) {
        ScreenDatabase read = parseScreenDatabase(c.text);
        ASSERT_EQ(read.screens.size(), c.screens) << c.text;
        EXPECT_EQ(read.screens[0].items.size(), c.items) << c.text;
        EXPECT_EQ(read.stoppedAt, c.stoppedAt) << c.text;
    }
    EXPECT_EQ(parseScreenDatabase("#SCHERM\n 'Fase 1's'\n").screens[0].title, "Fase 1");
    ScreenList partial =
        parseScreenDatabase("#SCHERM\n 'S'\n#ITEM\n 1 2 3 4 5 6 \"~~\" \"D\"\n").screens;
    EXPECT_EQ(partial[0].items[0].macro, "D");
    EXPECT_EQ(partial[0].items[0].label, "");
    EXPECT_EQ(incompleteDatabaseWarning(parseScreenDatabase("#SCHERM\n\n")),
              "De file pendrel.db kan vanaf regel 2 niet gelezen worden.\n"
              "De debugschermen vanaf die regel zijn niet ingelezen.");
}

TEST(ScreenDatabase, WritesReplaceWholeAndAnEmptyListEmptiesTheFile) {
    test_support::TempDir dir;
    test_support::RecordingPendrelPrompts prompts;
    // No screens and no file: nothing to store, no file made.
    ASSERT_TRUE(writeScreenDatabase(dir.path(), {}, prompts));
    EXPECT_TRUE(dir.files().empty());
    ASSERT_TRUE(writeScreenDatabase(dir.path(), sampleScreens(), prompts));
    EXPECT_EQ(readScreenDatabase(dir.path()).screens, sampleScreens());

    // Every screen deleted: the file says so, and nothing comes back.
    ASSERT_TRUE(writeScreenDatabase(dir.path(), {}, prompts));
    EXPECT_EQ(test_support::readFile(dir / "pendrel.db"), "");
    EXPECT_TRUE(readScreenDatabase(dir.path()).screens.empty());
    EXPECT_TRUE(readScreenDatabase(dir.path()).complete());

    // A database that cannot be replaced is reported and left whole; one
    // that cannot be read is not taken for an empty one.
    fs::remove(dir / "pendrel.db");
    fs::create_directory(dir / "pendrel.db");
    test_support::writeFile(dir / "pendrel.db" / "inhoud", "x");
    EXPECT_FALSE(writeScreenDatabase(dir.path(), sampleScreens(), prompts));
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{"pendrel.db kan niet gemaakt worden."});
    EXPECT_EQ(test_support::fileNames(dir.path()), std::vector<std::string>{"pendrel.db"});
    ScreenDatabase unread = readScreenDatabase(dir.path());
    EXPECT_TRUE(unread.unreadable);
    EXPECT_FALSE(unread.complete());
    EXPECT_NE(incompleteDatabaseWarning(unread).find("kan niet worden geopend"),
              std::string::npos);
    EXPECT_TRUE(readScreenDatabase(dir.path() / "ontbreekt").complete());
}

TEST(ScreenDatabase, TextsTheFileCannotHoldAreNamed) {
    EXPECT_EQ(unstorableText("'s Morgens", 79), std::nullopt);
    EXPECT_EQ(unstorableText(std::string(79, 'x'), 79), std::nullopt);
    EXPECT_NE(unstorableText(std::string(80, 'x'), 79), std::nullopt);
    for (const char* bad : {"a\nb", "a\rb", "a\tb", "a\x7F"}) {
        EXPECT_EQ(unstorableText(bad, 79),
                  "Een tekst in pendrel.db kan geen tab of regelovergang bevatten.")
            << bad;
    }
    // A field is cut at a whole UTF-8 letter.
    EXPECT_EQ(fitToField("ab\xC3\xAB", 3), "ab");
    EXPECT_EQ(fitToField("ab\xC3\xAB", 4), "ab\xC3\xAB");
    EXPECT_EQ(fitToField("a\xF0\x9F\x9A\xA6", 4), "a");
    // Bytes that are no UTF-8 are cut at the field's length, not emptied.
    EXPECT_EQ(fitToField(std::string(100, '\xAF'), 79), std::string(79, '\xAF'));
}

TEST(ScreenDatabase, ATitleOrTextOfBytesThatAreNoUtf8ReadsBackAfterSaving) {
    const std::string junk(120, '\xAF');
    ScreenDatabase read =
        parseScreenDatabase("#SCHERM\n  x" + junk + "'\n  #TEKST\n   1  1 10 x" + junk + "'\n");
    ASSERT_TRUE(read.complete());
    ASSERT_EQ(read.screens.size(), 1u);
    ScreenDatabase again = parseScreenDatabase(formatScreenDatabase(read.screens));
    EXPECT_TRUE(again.complete());
    EXPECT_EQ(again.screens, read.screens);
}

}  // namespace
}  // namespace pendrel
