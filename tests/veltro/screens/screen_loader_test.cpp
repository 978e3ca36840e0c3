#include "veltro/screens/screen_loader.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "veltro/definitions/macro_definitions.h"
#include "veltro/definitions/silent_messages.h"

namespace veltro {
namespace {

using testing::RecordingLog;

const std::string Title = "/p/debug_001.plo";

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
    std::vector<std::string> lines;
};

Loaded load(const std::string& bytes) {
    RecordingLog rec;
    const DefinitionTable definitions = sampleDefinitions();
    Loaded result;
    result.screen = parseDebugWindow(Title, bytes, definitions, rec.log);
    result.lines = rec.lines.lines;
    return result;
}

TEST(ScreenLoader, PictureRulesAndTheirFaults) {
    const std::string tildes16(16, '~');
    struct Case {
        const char* name;
        std::string bytes;
        std::string line;  // the only message expected; empty for none
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
        return "/p/debug_001.plo : (" + std::to_string(line) +
               ") : fout : Geen 'nieuwe regel' karakter aanwezig of meer dan 256 karakters "
               "in deze regel.";
    };
    const std::string noLineFeed = noLineFeedAt(23);
    const std::vector<Case> cases = {
        {"texts only", windowFile({"alleen tekst"}, ""), ""},
        {"23 lines", rows23, noLineFeed},
        {"last row without line feed", rows23 + "tekst", noLineFeedAt(24)},
        {"16 tildes", windowFile({tildes16 + "01"}, "01 ronde_teller\n"), ""},
        {"17 tildes", windowFile({tildes16 + "~01"}, ""),
         "/p/debug_001.plo : (1) : fout : Scherm item is langer dan 16 karakters"},
        {"digit and letter", windowFile({"~1a"}, ""),
         "/p/debug_001.plo : (1) : fout : Code van twee cijfers verwacht"},
        {"field at the end of the row", windowFile({"abc ~"}, ""),
         "/p/debug_001.plo : (1) : fout : Code van twee cijfers verwacht"},
        {"501 fields", windowFile(std::vector<std::string>(24, manyItems), ""),
         "/p/debug_001.plo : (24) : fout : Meer dan 500 debug items in dit debug venster bestand"},
        {"201 texts", windowFile(std::vector<std::string>(24, manyTexts), ""),
         "/p/debug_001.plo : (23) : fout : Meer dan 200 omschrijvende teksten in dit debug "
         "venster bestand"},
        {"row of 255 characters", windowFile({std::string(255, 'x')}, ""), noLineFeedAt(1)},
        {"long row further down", windowFile({"a", "b", "c", "d", std::string(300, 'x')}, ""),
         noLineFeedAt(5)},
        {"row of 254 characters", windowFile({std::string(254, 'x')}, ""), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded loaded = load(c.bytes);
        EXPECT_EQ(loaded.screen.has_value(), c.line.empty());
        if (c.line.empty()) {
            EXPECT_TRUE(loaded.lines.empty()) << loaded.lines.front();
        } else {
            ASSERT_EQ(loaded.lines.size(), 1U);
            EXPECT_EQ(loaded.lines[0], c.line);
        }
    }
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

// A message about line `line` of the test file.
std::string at(int line, const std::string& text) {
    return "/p/debug_001.plo : (" + std::to_string(line) + ") : " + text;
}

TEST(ScreenLoader, DefinitionLinesAndTheirWarnings) {
    struct Case {
        const char* definitions;  // the first definition line is line 27
        std::vector<std::string> lines;
        int function;
        int first;
        int block;
    };
    const std::string w = "waarschuwing : ";
    const std::string e = "fout : ";
    const std::string missing =
        "/p/debug_001.plo : waarschuwing : Definitie lijst mist de "
        "definitie voor scherm item 1";
    const std::string digitLetter = w + "Ongeoorloofde cijfer en letter combinatie: 12abc 3 4";
    const std::vector<Case> cases = {
        {"01 VG_TIJD SG05\n", {}, 288, 2, -1},
        {"01\tVG_TIJD\t7\n", {}, 288, 7, -1},
        {"1 VG_TIJD SG02\n",
         {at(27, w + "Code van twee cijfers met daarna een spatie verwacht"), missing},
         -1,
         -1,
         -1},
        {"01 VG_TIJD SG99\n",
         {at(27, w + "'SG99' is niet gedefinieerd in de definitie bestanden."),
          at(27, e + "Van item nummer 1 ontbreekt het signaalgroepnr. "), missing},
         -1,
         -1,
         -1},
        {"01 12abc 3 4\n",
         {at(27, digitLetter), at(27, digitLetter), at(27, digitLetter),
          at(27, w + "Van item nummer 1 ontbreken de functie code en het signaalgroepnr"),
          missing},
         -1,
         -1,
         -1},
        {"07 VG_TIJD SG02\n01 ronde_teller\n",
         {at(27, w + "Item nummer 7 komt niet voor op het venster")},
         480,
         -1,
         -1},
        {"01 ronde_teller\n01 VG_TIJD 3\n",
         {at(28, w + "Item nummer 1 is al eerder gedefinieerd")},
         480,
         -1,
         -1},
        {"01 512\n",
         {at(27, w + "Van item nummer 1 is de functie code 512. Dit moet kleiner zijn dan 512"),
          missing},
         -1,
         -1,
         -1},
        {"01 VG_TIJD 300\n",
         {at(27, w + "Van item nummer 1 is signaalgroepnr 300. Dit moet kleiner zijn dan 256"),
          missing},
         -1,
         -1,
         -1},
        {"01 REGSTAT 300\n", {}, 461, 300, -1},
        {"01 REGSTAT 26000\n", {}, 461, 26000, -1},
        {"01 REGSTAT 26001\n",
         {at(27, w + "Van item nummer 1 is signaalgroepnr/kruispuntnr 26001. Dit moet kleiner "
                     "zijn dan 26000"),
          missing},
         -1,
         -1,
         -1},
        {"01 inst_EPARM 4000\n", {}, 32, 4000, -1},
        {"01 AR SG05 47\n", {}, 192, 2, 47},
        {"01 AR SG05 48\n",
         {at(27, e + "Van item nummer 1 is het bloknr. 48. Dit moet kleiner zijn dan 48."),
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
    EXPECT_EQ(loaded.lines, std::vector<std::string>{"/p/debug_001.plo : (27) : fout : Van item "
                                                     "nummer 1 ontbreekt het bloknr. "});

    loaded = load(windowFile({"~~01"}, "geen definities\n"));
    EXPECT_FALSE(loaded.screen);
    EXPECT_EQ(loaded.lines, std::vector<std::string>{"/p/debug_001.plo : (27) : fout : De "
                                                     "bijbehorende item definities ontbreken "
                                                     "volledig"});
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
    EXPECT_EQ(loaded.lines, (std::vector<std::string>{
                                "/p/debug_001.plo : waarschuwing : Definitie lijst mist de "
                                "definitie voor scherm item 1",
                                "/p/debug_001.plo : waarschuwing : De functie van item 4 is "
                                "reeds eerder in dit scherm gedefinieerd."}));
    EXPECT_EQ(s.findItem({259, 2, 0, 0, 5}), -1);
    EXPECT_EQ(s.findItem({259, 0, 0, 0, 5}), 1);  // the item indexed first keeps the key
    EXPECT_EQ(s.findItem({462, 2, 0, 0, 5}), 0);
}

}  // namespace
}  // namespace veltro
