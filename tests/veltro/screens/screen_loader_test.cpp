#include "veltro/screens/screen_loader.h"

#include <gtest/gtest.h>

#include "support/veltro/messages.h"
#include "veltro/definitions/macro_definitions.h"
#include "veltro/definitions/silent_messages.h"

namespace veltro {
namespace {

using test_support::MessageLine;
using test_support::RecordingMessages;
using Lines = std::vector<MessageLine>;

const std::string kTitle = "/p/debug_001.plo";

// A message about line `line` of the test file (0: no line named).
MessageLine errorAt(int line, const std::string& text) {
    return {message_kind::kError, kTitle, line, text};
}
MessageLine warningAt(int line, const std::string& text) {
    return {message_kind::kWarning, kTitle, line, text};
}

DefinitionTable sampleDefinitions() {
    DefinitionTable table;
    SilentMessages silent;
    EXPECT_TRUE(readMacroDefinitions(builtinMacroText(), table, silent));
    table.add("SG02", 0);
    table.add("SG05", 2);
    table.add("B2", 1);
    return table;
}

// 24 picture rows (the given ones first, then empty rows) and a definition list.
std::string windowFile(const std::vector<std::string>& rows, const std::string& definitions) {
    std::string text;
    for (std::size_t i = 0; i < 24; ++i) {
        text += (i < rows.size() ? rows[i] : std::string()) + "\n";
    }
    return text + "#include \"zxapdef.h\"\n\n" + definitions;
}

struct Loaded {
    std::optional<DebugScreen> screen;
    Lines lines;
    bool prefixesCleared = false;
};

Loaded load(const std::string& bytes) {
    RecordingMessages messages;
    const DefinitionTable definitions = sampleDefinitions();
    Loaded result;
    result.screen = parseDebugWindow(kTitle, bytes, definitions, messages);
    result.lines = messages.lines();
    result.prefixesCleared = messages.prefixesCleared();
    return result;
}

TEST(ScreenLoader, PictureRulesAndTheirFaults) {
    const std::string tildes16(16, '~');
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<MessageLine> line;  // the only message expected
    };
    std::string rows23;
    for (int i = 0; i < 23; ++i) {
        rows23 += "tekst\n";
    }
    std::string manyItems;
    for (int i = 0; i < 21; ++i) {
        manyItems += "~00 ";  // 21 a row, 24 rows: 504 fields
    }
    std::string manyTexts;
    for (int i = 0; i < 9; ++i) {
        manyTexts += "w ";  // 9 a row, 24 rows: 216 texts
    }
    // The message names the line it is about: the refused one, or the last
    // line read when the file ends early.
    const auto noLineFeedAt = [](int line) {
        return errorAt(line,
                       "Geen 'nieuwe regel' karakter aanwezig of meer dan 256 karakters "
                       "in deze regel.");
    };
    const MessageLine noLineFeed = noLineFeedAt(23);
    const std::vector<Case> cases = {
        {"texts only", windowFile({"alleen tekst"}, ""), std::nullopt},
        {"23 lines", rows23, noLineFeed},
        {"last row without line feed", rows23 + "tekst", noLineFeedAt(24)},
        {"16 tildes", windowFile({tildes16 + "01"}, "01 ronde_teller\n"), std::nullopt},
        {"item number 99", windowFile({"~~99"}, "99 ronde_teller\n"), std::nullopt},
        {"17 tildes", windowFile({tildes16 + "~01"}, ""),
         errorAt(1, "Scherm item is langer dan 16 karakters")},
        {"digit and letter", windowFile({"~1a"}, ""),
         errorAt(1, "Code van twee cijfers verwacht")},
        {"field at the end of the row", windowFile({"abc ~"}, ""),
         errorAt(1, "Code van twee cijfers verwacht")},
        {"501 fields", windowFile(std::vector<std::string>(24, manyItems), ""),
         errorAt(24, "Meer dan 500 debug items in dit debug venster bestand")},
        {"201 texts", windowFile(std::vector<std::string>(24, manyTexts), ""),
         errorAt(23, "Meer dan 200 omschrijvende teksten in dit debug venster bestand")},
        {"row of 255 characters", windowFile({std::string(255, 'x')}, ""), noLineFeedAt(1)},
        {"long row further down", windowFile({"a", "b", "c", "d", std::string(300, 'x')}, ""),
         noLineFeedAt(5)},
        {"row of 254 characters", windowFile({std::string(254, 'x')}, ""), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded loaded = load(c.bytes);
        EXPECT_EQ(loaded.screen.has_value(), !c.line.has_value());
        EXPECT_EQ(loaded.lines, c.line ? Lines{*c.line} : Lines{});
        EXPECT_TRUE(loaded.prefixesCleared);
    }
}

// The highest legal counts load: 500 fields (20 rows of 21, 4 of 20) and
// 200 texts (8 rows of 9, 16 of 8).
TEST(ScreenLoader, HighestLegalCountsLoad) {
    std::vector<std::string> fieldRows;
    std::vector<std::string> textRows;
    for (int row = 0; row < 24; ++row) {
        std::string fields;
        for (int i = 0; i < (row < 20 ? 21 : 20); ++i) {
            fields += "~00 ";
        }
        fieldRows.push_back(fields);
        std::string texts;
        for (int i = 0; i < (row < 8 ? 9 : 8); ++i) {
            texts += "w ";
        }
        textRows.push_back(texts);
    }
    const Loaded fields = load(windowFile(fieldRows, "00 ronde_teller\n"));
    ASSERT_TRUE(fields.screen);
    EXPECT_EQ(fields.screen->items().size(), 500U);
    const Loaded texts = load(windowFile(textRows, ""));
    ASSERT_TRUE(texts.screen);
    EXPECT_EQ(texts.screen->texts().size(), 200U);
    EXPECT_TRUE(texts.lines.empty());
}

TEST(ScreenLoader, PlacesTextsAndFieldsByColumn) {
    const Loaded loaded = load(windowFile({"", "ab\t~~01x", "\r~~~~~~~~~~~~~~~~02 ëén"},
                                          "01 ronde_teller\n02 ronde_teller\n"));
    ASSERT_TRUE(loaded.screen);
    const DebugScreen& s = *loaded.screen;
    ASSERT_EQ(s.items().size(), 2U);
    EXPECT_EQ(s.item(0).column, 8);  // the TAB moves to the next multiple of 8
    EXPECT_EQ(s.item(0).row, 1);
    EXPECT_EQ(s.item(0).width, 3);
    EXPECT_EQ(s.item(1).column, 1);  // a carriage return takes a column
    EXPECT_EQ(s.item(1).width, 17);
    ASSERT_EQ(s.texts().size(), 3U);
    EXPECT_EQ(s.texts()[1].text, "x");  // right behind the two digits
    EXPECT_EQ(s.texts()[1].column, 12);
    EXPECT_EQ(s.texts()[2].text, "ëén");
    EXPECT_EQ(s.texts()[2].column, 20);
    // The widest is "ëén", ending in column 23 (three cells); then 4 more.
    EXPECT_EQ(s.columnExtent(), 27);
    EXPECT_EQ(s.rowExtent(), 4);
}

TEST(ScreenLoader, DefinitionLinesAndTheirWarnings) {
    struct Case {
        const char* definitions;  // the first definition line is line 27
        Lines lines;
        int function;
        int first;
        int block;
    };
    const MessageLine missing =
        warningAt(0, "Definitie lijst mist de definitie voor scherm item 1");
    const MessageLine digitLetter =
        warningAt(27, "Ongeoorloofde cijfer en letter combinatie: 12abc 3 4");
    const std::vector<Case> cases = {
        {"01 VG_TIJD SG05\n", {}, 288, 2, -1},
        {"01\tVG_TIJD\t7\n", {}, 288, 7, -1},
        {"1 VG_TIJD SG02\n",
         {warningAt(27, "Code van twee cijfers met daarna een spatie verwacht"), missing},
         -1,
         -1,
         -1},
        {"01 VG_TIJD SG99\n",
         {warningAt(27, "'SG99' is niet gedefinieerd in de definitie bestanden."),
          errorAt(27, "Van item nummer 1 ontbreekt het signaalgroepnr. "), missing},
         -1,
         -1,
         -1},
        {"01 12abc 3 4\n",
         {digitLetter, digitLetter, digitLetter,
          warningAt(27, "Van item nummer 1 ontbreken de functie code en het signaalgroepnr"),
          missing},
         -1,
         -1,
         -1},
        {"07 VG_TIJD SG02\n01 ronde_teller\n",
         {warningAt(27, "Item nummer 7 komt niet voor op het venster")},
         480,
         -1,
         -1},
        {"01 ronde_teller\n01 VG_TIJD 3\n",
         {warningAt(28, "Item nummer 1 is al eerder gedefinieerd")},
         480,
         -1,
         -1},
        {"01 512\n",
         {warningAt(27, "Van item nummer 1 is de functie code 512. Dit moet kleiner zijn dan 512"),
          missing},
         -1,
         -1,
         -1},
        {"01 VG_TIJD 255\n", {}, 288, 255, -1},  // the highest legal element
        {"01 VG_TIJD 256\n",
         {warningAt(27, "Van item nummer 1 is signaalgroepnr 256. Dit moet kleiner zijn dan 256"),
          missing},
         -1,
         -1,
         -1},
        {"01 REGSTAT 300\n", {}, 461, 300, -1},
        {"01 REGSTAT 26000\n", {}, 461, 26000, -1},
        {"01 REGSTAT 26001\n",
         {warningAt(27,
                    "Van item nummer 1 is signaalgroepnr/kruispuntnr 26001. Dit moet kleiner "
                    "zijn dan 26000"),
          missing},
         -1,
         -1,
         -1},
        {"01 inst_EPARM 4000\n", {}, 32, 4000, -1},
        {"01 AR SG05 47\n", {}, 192, 2, 47},
        {"01 AR SG05 48\n",
         {errorAt(27, "Van item nummer 1 is het bloknr. 48. Dit moet kleiner zijn dan 48."),
          missing},
         -1,
         -1,
         -1},
        {"01 BLOK B2\n", {}, 128, -1, 1},  // a block-only kind takes FIRST's place
        {"01 ronde_teller SG02 B2\n", {}, 480, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.definitions);
        const Loaded loaded = load(windowFile({"~~01"}, c.definitions));
        ASSERT_TRUE(loaded.screen);
        EXPECT_EQ(loaded.lines, c.lines);
        const DebugItem& item = loaded.screen->item(0);
        EXPECT_EQ(item.functionCode, c.function);
        EXPECT_EQ(item.firstElement, c.first);
        EXPECT_EQ(item.block, c.block);
        EXPECT_EQ(item.hasControl, c.function >= 0);
    }
}

TEST(ScreenLoader, FaultsThatRejectTheWholeFile) {
    Loaded loaded = load(windowFile({"~~01"}, "01 AR SG05\n"));
    EXPECT_FALSE(loaded.screen);
    EXPECT_EQ(loaded.lines, Lines{errorAt(27, "Van item nummer 1 ontbreekt het bloknr. ")});

    loaded = load(windowFile({"~~01"}, "geen definities\n"));
    EXPECT_FALSE(loaded.screen);
    EXPECT_EQ(loaded.lines,
              Lines{errorAt(27, "De bijbehorende item definities ontbreken volledig")});
    // A last line without a line feed is not read.
    loaded = load(windowFile({"~~01"}, "01 ronde_teller"));
    EXPECT_FALSE(loaded.screen);
}

TEST(ScreenLoader, KindsWidthsAndTheItemIndex) {
    const Loaded loaded = load(windowFile({"~~01 ~~02 ~~03 ~~01 ~~04"},
                                          "01 DVWD SG05\n02 VG SG02\n03 datum\n"
                                          "04 VG 0\n"));
    ASSERT_TRUE(loaded.screen);
    const DebugScreen& s = *loaded.screen;
    EXPECT_EQ(s.item(0).width, 7);  // DVWD fields grow by 4 cells
    EXPECT_TRUE(s.item(0).keepsLastValue);
    EXPECT_EQ(s.item(0).onOff, 0);
    EXPECT_EQ(s.item(1).onOff, 1);
    EXPECT_EQ(s.item(2).functionCode, 481);
    EXPECT_FALSE(s.item(3).hasControl);  // the second field numbered 01
    EXPECT_EQ(loaded.lines,
              (Lines{warningAt(0, "Definitie lijst mist de definitie voor scherm item 1"),
                     warningAt(0,
                               "De functie van item 4 is reeds eerder in dit scherm "
                               "gedefinieerd.")}));
    EXPECT_EQ(s.findItem({259, 2, 0, 0, 5}), -1);
    EXPECT_EQ(s.findItem({259, 0, 0, 0, 5}), 1);  // the item indexed first keeps the key
    EXPECT_EQ(s.findItem({462, 2, 0, 0, 5}), 0);
}

}  // namespace
}  // namespace veltro
