#include "veltro/definitions/definition_header.h"

#include <gtest/gtest.h>

#include <string>

#include "support/veltro/messages.h"

namespace veltro {
namespace {

using test_support::RecordingMessages;

struct Pass1Result {
    bool ok;
    DefinitionTable table;
    RecordingMessages messages;
};

Pass1Result pass1(const std::string& text) {
    Pass1Result r;
    r.ok = readDefinitionPass1(text, "/p/ZXAPDEF.H", r.table, r.messages);
    return r;
}

TEST(DefinitionPass1, ValuesAreConvertedFromTheirLeadingDigits) {
    struct Case {
        const char* line;
        const char* name;
        int value;
    };
    const Case cases[] = {
        {"#define X 0012abc", "X", 12},
        {"#define X (5)", "X", 0},
        {"#define X", "X", 0},
        {"#define\tX\t\t7 /* uitleg */", "X", 7},
        {"#define X 2147483647", "X", 2147483647},
        // 16 digits wrap in 32-bit arithmetic and are kept when not negative.
        {"#define X 4294967296000001", "X", 1},
        {"#define X 12\r", "X", 12},
    };
    for (const Case& c : cases) {
        Pass1Result r = pass1(std::string(c.line) + "\n");
        EXPECT_TRUE(r.ok) << c.line;
        EXPECT_EQ(r.table.lookup(c.name), c.value) << c.line;
        EXPECT_TRUE(r.messages.lines().empty()) << c.line;
    }
}

TEST(DefinitionPass1, InvalidValueStopsWithASystemMessageOnItsLine) {
    const char* invalid[] = {"2147483648", "12345678901234567", "4294967295", "1000000000000000"};
    for (const char* value : invalid) {
        Pass1Result r =
            pass1(std::string("#define A 1\n\n#define X ") + value + "\n#define B 2\n");
        EXPECT_FALSE(r.ok) << value;
        ASSERT_EQ(r.messages.lines().size(), 1u);
        const auto line = r.messages.lines()[0];
        EXPECT_EQ(line.kind, message_kind::kSystem);
        EXPECT_EQ(line.text, std::string("De definitie waarde '") + value + "' is ongeldig.");
        EXPECT_EQ(line.context, "/p/ZXAPDEF.H");
        EXPECT_EQ(line.line, 3);
        EXPECT_EQ(r.table.lookup("A"), 1);
        EXPECT_EQ(r.table.lookup("B"), -1);
        EXPECT_TRUE(r.messages.prefixesCleared());
    }
}

TEST(DefinitionPass1, OnlyFirstColumnDefinesUntilALongOrUnfinishedLine) {
    // 254 characters and the line feed fit (a CR before it does not count); 255 do not.
    const std::string fits = "#define L" + std::string(244, ' ') + "0\r\n";
    const std::string tooLong = "#define M" + std::string(245, ' ') + "0\n";
    std::string text = " #define INDENTED 1\n";
    text += "/* #define COMMENTED 2 */\n";
    text += "#ifndef pc_omgeving\n#define BOTH 3\n#else\n#define BOTH 4\n#endif\n";
    text += "#define " + std::string(31, 'N') + " 5\n";
    text += fits + tooLong + "#define AFTER 7\n";
    Pass1Result r = pass1(text);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.lines().empty());
    EXPECT_EQ(r.table.lookup("INDENTED"), -1);
    EXPECT_EQ(r.table.lookup("COMMENTED"), -1);
    EXPECT_EQ(r.table.lookup("BOTH"), 3);  // both branches entered, the first wins
    EXPECT_EQ(r.table.count(), 4);
    EXPECT_EQ(r.table.lookup(std::string(31, 'N')), 5);
    EXPECT_EQ(r.table.lookup("L"), 0);
    EXPECT_EQ(r.table.lookup("M"), -1);
    EXPECT_EQ(r.table.lookup("AFTER"), -1);  // behind the line that is too long

    Pass1Result last = pass1("#define A 1\n#define B 2");
    EXPECT_TRUE(last.ok);
    EXPECT_EQ(last.table.lookup("A"), 1);
    EXPECT_EQ(last.table.lookup("B"), -1);  // no line feed: not read
}

TEST(DefinitionPass1, FullTableStops) {
    DefinitionTable table;
    for (int i = 0; i < DefinitionTable::kCapacity; ++i)
        table.add(std::string("D").append(std::to_string(i)), i);
    RecordingMessages messages;
    EXPECT_FALSE(readDefinitionPass1("\n#define MORE 1\n", "f", table, messages));
    ASSERT_EQ(messages.lines().size(), 1u);
    EXPECT_EQ(messages.lines()[0].text,
              "Kan de definitie 'MORE' niet meer toevoegen aan de definitie tabel");
    EXPECT_EQ(messages.lines()[0].line, 2);
}

std::string section(const std::string& header, const std::string& body, const std::string& count) {
    return "/* " + header + " */\n" + body + "#define " + count + " 99\n\n";
}

TEST(DefinitionSections, FillNamesNumbersAndCounts) {
    const std::string text =
        "#define NUMSG 1\n"  // a count line outside any section counts nothing
        + section("declaratie arraynummers voor signaalgroepen",
                  "#define SG01 0\n   #define SG02   1\n"
                  "#ifndef pc_omgeving\n#define SGX 7\n#else\n#define SG03 2\n#endif\n"
                  "#ifdef AUTOMAAT\n#define SGY 8\n#endif\n"
                  "#define SG04 (3)\n",
                  "NUMSG") +
        section("declaratie arraynummers voor detectoren", "#define D1 0\n", "NUMD") +
        section("declaratie arraynummers voor tijden",
                "#define T_a 0\n#define NUMTL_LIKE 1\n#define T_b 2\n", "NUMT ") +
        section("declaratie arraynummers voor eggparms", "#define PRM_A 0\n", "NUMEGGP") +
        section("declaratie arraynummers voor extra parameters", "#define EP_A 0\n", "NUMEP") +
        section("declaratie arraynummers voor schakelaars",
                "#define SCH_" + std::string(30, 'x') + " 0\n", "NUMSCH") +
        section("declaratie arraynummers voor hulpfuncties", "#define H1 0\n", "NUMHF");
    ElementTables e;
    e.times.count = 9;
    readDefinitionSections(text, e);
    ASSERT_EQ(e.signalGroups.count, 4);
    EXPECT_EQ(e.signalGroups[0].name, "SG01");
    EXPECT_EQ(e.signalGroups[1].name, "SG02");  // indented lines count in a section
    EXPECT_EQ(e.signalGroups[1].arrayNumber, 1);
    EXPECT_EQ(e.signalGroups[2].name, "SG03");     // the PC branch of the #else
    EXPECT_EQ(e.signalGroups[3].arrayNumber, -1);  // not a decimal value
    EXPECT_EQ(e.detectors.count, 1);
    // "NUMTL_LIKE" holds "NUMTL", which ends the section without a count.
    EXPECT_EQ(e.times.count, 9);
    EXPECT_EQ(e.times[0].name, "T_a");
    EXPECT_EQ(e.intParameters.count, 1);
    EXPECT_EQ(e.parameters.count, 1);
    EXPECT_EQ(e.switches.count, 1);
    EXPECT_EQ(e.switches[0].name, "SCH_" + std::string(19, 'x'));  // 23 characters kept
    EXPECT_EQ(e.clocks.count, 0);
}

TEST(DefinitionSections, CapacityRepeatsAndMissingSections) {
    std::string body;
    for (int i = 0; i < 81; ++i)
        body += "#define SG" + std::to_string(i) + " " + std::to_string(i) + "\n";
    const std::string sgs = section("declaratie arraynummers voor signaalgroepen", body, "NUMSG");
    ElementTables e;
    e.times.count = 5;
    e.times[0].name = "T_oud";
    e.detectors.count = 3;
    e.detectors[0].name = "D_oud";
    e.detectors[0].source[0] = 4.0;
    e.detectors[0].controller[0].storeFirst(40);
    readDefinitionSections(sgs, e);
    EXPECT_EQ(e.signalGroups.count, 80);
    EXPECT_EQ(e.signalGroups[79].name, "SG79");
    // Without a section a count keeps its value; detectors are reset all the same,
    // but never what the controller reported.
    EXPECT_EQ(e.times.count, 5);
    EXPECT_EQ(e.times[0].name, "T_oud");
    EXPECT_EQ(e.detectors.count, 3);
    EXPECT_EQ(e.detectors[0].name, "");
    EXPECT_EQ(e.detectors[0].source[0], -1.0);
    EXPECT_TRUE(e.detectors[0].controller[0].received());

    // A header met twice is read twice, from the first element again.
    const std::string twice =
        section("declaratie arraynummers voor signaalgroepen", "#define A 0\n#define B 1\n",
                "NUMSG") +
        section("declaratie arraynummers voor signaalgroepen", "#define C 5\n", "NUMSG");
    readDefinitionSections(twice, e);
    EXPECT_EQ(e.signalGroups.count, 1);
    EXPECT_EQ(e.signalGroups[0].name, "C");
    EXPECT_EQ(e.signalGroups[1].name, "B");

    // A section without its count line keeps the old count.
    readDefinitionSections("/* declaratie arraynummers voor signaalgroepen */\n#define Z 0\n", e);
    EXPECT_EQ(e.signalGroups.count, 1);
    EXPECT_EQ(e.signalGroups[0].name, "Z");
}

}  // namespace
}  // namespace veltro
