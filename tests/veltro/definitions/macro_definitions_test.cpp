#include "veltro/definitions/macro_definitions.h"

#include <gtest/gtest.h>

#include <string>

#include "support/veltro/messages.h"
#include "veltro/definitions/macro_kind.h"

namespace veltro {
namespace {

using test_support::RecordingMessages;

TEST(MacroDefinitions, BuiltinTextGivesTheFunctionCodes) {
    DefinitionTable table;
    RecordingMessages messages;
    ASSERT_TRUE(readMacroDefinitions(builtinMacroText(), table, messages));
    EXPECT_TRUE(messages.lines().empty());
    EXPECT_TRUE(messages.prefixesCleared());
    const std::pair<const char*, int> expected[] = {
        {"VG_TIJD", 288},    {"inst_MG_TIJD12", 344},
        {"GL", 266},         {"BLOK", 128},
        {"AR", 192},         {"INT", 386},
        {"REGSTAT", 461},    {"DVWD", 462},
        {"datum", 481},      {"koppelsignaal", 0},
        {"inst_EPARM", 32},  {"DA", 68},
        {"tijd", 482},       {"TIJD", 421},
        {"BO_OP", 160},      {"VNM_OP", 226},
        {"PPS_OP", 110},     {"interne_toestand", 345},
        {"GO_TIJD", 353},    {"inst_H_TIJD2", 466},
        {"jaarnummer", 491}, {"BRT", 93},
        {"OVU", 37},
    };
    for (const auto& [name, code] : expected)
        EXPECT_EQ(table.lookup(name), code) << name;
    EXPECT_EQ(table.lookup("end"), -1);
    EXPECT_EQ(table.count(), 135);
    // Every code lies in the kind that its section header selects, below 512.
    for (const DefinitionTable::Entry& e : table.entries()) {
        EXPECT_LT(e.value, 512) << e.name;
        EXPECT_EQ(macroKind(e.value).baseCode, e.value & ~31) << e.name;
    }
}

TEST(MacroDefinitions, HeaderQualifiersSelectTheKind) {
    struct Case {
        const char* header;
        int code;           // of "#define M 1" under it; -1: skipped
        const char* error;  // reported with the header line, or ""
    };
    const Case cases[] = {
        {"/* Hulpfunctie-macro's, SG & BK */", 193, ""},
        {"/* Hulpfunctie-macro's, SG */", 65, ""},
        {"/* Hulpfunctie-macro's, BK */", 129, ""},
        {"/* Hulpfunctie-macro's */", 33, ""},
        {"/* Optie-macro's, SG & BK */", 225, ""},
        {"/* Optie-macro's, BK */", 161, ""},
        {"/* Toestand-macro's SG */", 257, ""},
        {"/* Onderlinge-tijd-macro's, SG WAARDE */", 385, ""},
        {"/* Tijd-macro's, SG LOPEND */", 289, ""},
        {"/* User-defined-macro's, WAARDE */", 449, ""},
        {"/* Tellers-macro's */", 481, ""},
        {"/* Koppel-signalen */", 1, ""},
        {"/* geen kop */", -1, ""},
        {"/* Toestand-macro's SG BK */", -1, ": toestand macro's hebben signaal groep nummer"},
        {"/* Tijd-macro's, SG */", -1, ": tijd macro's hebben signaal groep nummer"},
        {"/* Onderlinge-tijd-macro's, LOPEND */", -1,
         ": tijd macro's hebben signaal groep nummer"},
        {"/* User-defined-macro's, LOPEND WAARDE */", -1,
         ": user defined macro's hebben volgnummer"},
    };
    for (const Case& c : cases) {
        DefinitionTable table;
        RecordingMessages messages;
        std::string text = std::string(c.header) + "\n#define M 1\nend\n";
        ASSERT_TRUE(readMacroDefinitions(text, table, messages)) << c.header;
        EXPECT_EQ(table.lookup("M"), c.code) << c.header;
        if (*c.error) {
            ASSERT_EQ(messages.lines().size(), 1u) << c.header;
            EXPECT_EQ(messages.lines()[0].kind, message_kind::kError);
            EXPECT_EQ(messages.lines()[0].text, std::string(c.header) + c.error);
            EXPECT_EQ(messages.lines()[0].line, 1);
        } else {
            EXPECT_TRUE(messages.lines().empty()) << c.header;
        }
    }
}

TEST(MacroDefinitions, FatalNumbersEndTheReading) {
    struct Case {
        const char* line;
        int kind;
        const char* text;
    };
    const Case cases[] = {
        {"#define  BIG\t32", message_kind::kError, "#define  BIG: maximum nummer is 31"},
        {"#define X 2147483648", message_kind::kSystem,
         "De definitie waarde 2147483648 is ongeldig."},
        {"#define X 00000000000000001", message_kind::kSystem,
         "De definitie waarde 00000000000000001 is ongeldig."},
    };
    for (const Case& c : cases) {
        DefinitionTable table;
        RecordingMessages messages;
        std::string text = std::string("/* Tellers-macro's */\n#define OK 31\n") + c.line +
                           "\n#define LATER 2\nend\n";
        EXPECT_FALSE(readMacroDefinitions(text, table, messages)) << c.line;
        ASSERT_EQ(messages.lines().size(), 1u) << c.line;
        EXPECT_EQ(messages.lines()[0].kind, c.kind);
        EXPECT_EQ(messages.lines()[0].text, c.text);
        EXPECT_EQ(messages.lines()[0].context, "macrodef.plo");
        EXPECT_EQ(messages.lines()[0].line, 3);
        EXPECT_EQ(table.lookup("OK"), 511);
        EXPECT_EQ(table.lookup("LATER"), -1);
        EXPECT_TRUE(messages.prefixesCleared());
    }
}

TEST(MacroDefinitions, FullTableAndTheEndLine) {
    DefinitionTable table;
    for (int i = 0; i < DefinitionTable::kCapacity - 1; ++i)
        table.add(std::string("D").append(std::to_string(i)), i);
    RecordingMessages messages;
    const char* text = "#define EARLY 1\n/* Tellers-macro's */\n\n#define A 1\nend\n#define B 2\n";
    EXPECT_TRUE(readMacroDefinitions(text, table, messages));  // stops at "end"
    EXPECT_EQ(table.lookup("EARLY"), -1);                      // before the first header
    EXPECT_EQ(table.lookup("A"), 481);
    EXPECT_EQ(table.lookup("B"), -1);
    EXPECT_FALSE(readMacroDefinitions(text, table, messages));
    ASSERT_EQ(messages.lines().size(), 1u);
    EXPECT_EQ(messages.lines()[0].kind, message_kind::kSystem);
    EXPECT_EQ(messages.lines()[0].text,
              "Kan de definitie 'A' niet meer toevoegen aan de definitie tabel");
}

TEST(MacroKind, ElementsAndDisplayFollowTheKind) {
    struct Case {
        int code;
        bool first, block, number;
    };
    const Case cases[] = {
        {0, true, false, false},   {37, true, false, true},   {93, true, false, false},
        {128, false, true, false}, {165, false, true, false}, {192, true, true, false},
        {266, true, false, false}, {344, true, false, true},  {353, true, true, false},
        {386, true, true, true},   {421, true, false, false}, {461, true, false, true},
        {481, false, false, true}, {511, false, false, true},
    };
    for (const Case& c : cases) {
        MacroKind kind = macroKind(c.code);
        EXPECT_EQ(kind.needsFirst, c.first) << c.code;
        EXPECT_EQ(kind.needsBlock, c.block) << c.code;
        EXPECT_EQ(kind.showsNumber, c.number) << c.code;
    }
}

}  // namespace
}  // namespace veltro
