#include "rendall/dump_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "fixtures.h"

namespace rendall {
namespace {

using testing::replaced;
using testing::sampleDump;

TEST(DumpReader, TextRunsFromAlgemeenToEindeDump) {
    std::string dump = sampleDump();
    // As the dump dialog stores it: CR LF line ends, the end marker behind.
    std::string stored = "verificatie  \r\n";
    for (char c : dump)
        stored += c == '\n' ? std::string("\r\n") : std::string(1, c);
    stored += "\xff\r\n";
    std::string text;
    ASSERT_TRUE(extractDumpText(stored, "X.DMP", text).ok());
    EXPECT_EQ(text, dump.substr(0, dump.find("EINDE DUMP")));
}

TEST(DumpReader, Errors) {
    const std::string dump = sampleDump();
    const std::string line80 = "\n" + std::string(80, 'a') + "\n";
    const std::string line81 = "\n" + std::string(81, 'b') + "\n";
    struct Case {
        std::string dump;
        int code;
        std::string message;
    } cases[] = {
        {replaced(dump, "ALGEMEEN", "ALGEMEN"), kNoStartHeading,
         "Kopje 'ALGEMEEN' niet gevonden in dumpfile K.DMP"},
        {dump + "ALGEMEEN\n", kSeveralDumps, "Dumpfile K.DMP bevat informatie van meerdere dumps"},
        {replaced(dump, "EINDE DUMP", "EINDE"), kNoEndHeading,
         "Kopje 'EINDE DUMP' niet gevonden in dumpfile K.DMP"},
        {line81 + dump, kDumpLineTooLong,
         "Regel in dumpfile K.DMP is te lang\nRegel:\n" + std::string(81, 'b')},
        {line80 + dump, kOk, ""},
        // Only the first 120000 characters are read.
        {std::string(119990, '\n') + dump, kNoEndHeading, ""},
    };
    for (const Case& c : cases) {
        std::string text;
        const Error error = extractDumpText(c.dump, "K.DMP", text);
        EXPECT_EQ(error.code, c.code) << c.message;
        if (!c.message.empty()) {
            EXPECT_EQ(error.message, c.message);
        }
    }
    std::string text;
    EXPECT_EQ(extractDumpText("ALGEMEEN\n" + std::string(400, 'c') + "\nEINDE DUMP\n", "K", text)
                  .message,
              "Regel in dumpfile K is te lang\nRegel:\n" + std::string(300, 'c'));
}

TEST(DumpReader, MissingHeadings) {
    for (const char* heading :
         {"KLOKKEN", "EXTRA PARAMETERS", "SCHAKELAARS", "TIJDEN", "HULPFUNCTIES"}) {
        DumpValues values;
        const Error error = readDumpValues(replaced(sampleDump(), heading, "x"), "K.DMP", values);
        EXPECT_EQ(error.code, kHeadingMissing);
        EXPECT_EQ(error.message, std::string("Kopje ") + heading + " niet gevonden in file K.DMP");
    }
    DumpValues values;
    EXPECT_TRUE(
        readDumpValues(replaced(sampleDump(), "EXTRA GEHEEL GETAL PARAMETERS", ""), "K", values)
            .ok());
    EXPECT_FALSE(values.hasExtraIntegerParameters);
    EXPECT_TRUE(values.extraIntegerParameters.empty());
}

TEST(DumpReader, ValuesInOrderOfAppearance) {
    std::string dump = replaced(sampleDump(), "KL(0) A 700 900\n",
                                "KL(0)\tA   700 900\nKL(1) B\nKL(2) C 99999999999 -5\n");
    DumpValues v;
    ASSERT_TRUE(readDumpValues(dump, "K", v).ok());
    ASSERT_EQ(v.clocks.size(), 3u);
    EXPECT_EQ(v.clocks[0].status, 'A');
    EXPECT_EQ(v.clocks[0].moment2, 900);
    EXPECT_EQ(v.clocks[1].status, 'B');  // fields that are missing stay 0
    EXPECT_EQ(v.clocks[1].moment1, 0);
    EXPECT_EQ(v.clocks[2].moment1, 2147483647);
    EXPECT_EQ(v.clocks[2].moment2, -5);
    EXPECT_EQ(v.extraParameters, std::vector<std::int32_t>{55});
    EXPECT_EQ(v.extraIntegerParameters, std::vector<std::int32_t>{-3});
    EXPECT_EQ(v.switches, std::vector<char>{'1'});
    ASSERT_EQ(v.times.size(), 1u);
    EXPECT_EQ(v.times[0].setting, 60);
    EXPECT_EQ(v.times[0].running, 12);
    EXPECT_EQ(v.auxiliaryFunctions, (std::vector<char>{'1', '0'}));
    EXPECT_EQ(v.counters, (std::vector<std::int32_t>{5, 7}));

    // Read again into the same values: only the second dump's values are there.
    ASSERT_TRUE(readDumpValues(sampleDump(), "K", v).ok());
    EXPECT_EQ(v.clocks.size(), 1u);
    EXPECT_EQ(v.counters, (std::vector<std::int32_t>{5, 7}));
}

// Every value table takes exactly its capacity; one more line is error 1.
TEST(DumpReader, ValueTableCapacities) {
    struct Table {
        std::string sampleLine;
        std::string token;
        std::size_t capacity;
        std::function<std::size_t(const DumpValues&)> size;
    };
    const Table tables[] = {
        {"KL(0) A 700 900\n", "KL", kMaxClocks,
         [](const DumpValues& v) { return v.clocks.size(); }},
        {"EPARM(0) 55\n", "EPARM", kMaxExtraParameters,
         [](const DumpValues& v) { return v.extraParameters.size(); }},
        {"EGGPARM(0) -3\n", "EGGPARM", kMaxExtraParameters,
         [](const DumpValues& v) { return v.extraIntegerParameters.size(); }},
        {"SCH(0) 1\n", "SCH", kMaxSwitches, [](const DumpValues& v) { return v.switches.size(); }},
        {"TIJD(0) L 60 12\n", "TIJD", kMaxTimes,
         [](const DumpValues& v) { return v.times.size(); }},
        {"HF(0) 1 TL(0) 5\nHF(1) 0 TL(1) 7\n", "HF", kMaxAuxiliaryFunctions,
         [](const DumpValues& v) { return v.auxiliaryFunctions.size(); }},
    };
    for (const Table& table : tables) {
        SCOPED_TRACE(table.token);
        std::string lines;
        for (std::size_t i = 0; i < table.capacity; ++i) {
            lines += table.token + "(" + std::to_string(i) + ") 1 TL(0) 2\n";
        }
        const std::string full = replaced(sampleDump(), table.sampleLine, lines);
        DumpValues v;
        ASSERT_TRUE(readDumpValues(full, "K", v).ok());
        EXPECT_EQ(table.size(v), table.capacity);
        const std::string oneMore = replaced(
            full, lines, lines + table.token + "(" + std::to_string(table.capacity) + ") 1\n");
        EXPECT_EQ(readDumpValues(oneMore, "K", v).code, kFileTooLarge);
    }
}

}  // namespace
}  // namespace rendall
