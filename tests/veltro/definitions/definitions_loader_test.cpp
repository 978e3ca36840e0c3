#include "veltro/definitions/definitions_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_dir.h"
#include "support/veltro/messages.h"

namespace veltro {
namespace {

namespace fs = std::filesystem;
using test_support::RecordingMessages;

class DefinitionsLoader : public ::testing::Test {
  protected:
    void write(const std::string& name, const std::string& text) { m_dir.write(name, text); }
    std::string dir() const { return m_dir.path().string(); }

    test_support::TempDir m_dir;
    DefinitionTable m_table;
    ElementTables m_elements;
    RecordingMessages m_messages;
};

TEST_F(DefinitionsLoader, MacrosThenHeaderAndTableFoundWithoutRegardToCase) {
    write("zxapdef.h",
          "/* declaratie arraynummers voor signaalgroepen */\r\n"
          "#define fc01 0\r\n#define VG_TIJD 5\r\n#define NUMSG 2\r\n");
    write("ZxApTab.c", "SG_TIJDEN_tabel[]\r\n  fc01, 1, 30, 4, 50\r\nSTOP\r\n");
    EXPECT_EQ(loadMacroDefinitions(m_table, m_messages).status,
              DefinitionsOutcome::Status::Loaded);
    DefinitionsOutcome outcome =
        loadApplicationDefinitions(dir(), m_table, m_elements, m_messages);
    EXPECT_EQ(outcome.status, DefinitionsOutcome::Status::Loaded);
    EXPECT_EQ(outcome.path, dir() + "/ZXAPDEF.H");
    ASSERT_EQ(m_messages.lines().size(), 2u);
    EXPECT_EQ(m_messages.lines()[0].text,
              "macrodef.plo : Inlezen van het macro definitie bestand.");
    EXPECT_EQ(m_messages.lines()[1].text,
              dir() + "/ZXAPDEF.H : Inlezen van het Tiral definitie bestand.");
    EXPECT_EQ(m_messages.lines()[1].kind, message_kind::kInformation);
    EXPECT_EQ(m_messages.lines()[1].context, "");
    EXPECT_EQ(m_table.lookup("VG_TIJD"), 288);  // the macro was entered first
    EXPECT_EQ(m_table.lookup("fc01"), 0);
    EXPECT_EQ(m_elements.signalGroups.count, 2);
    EXPECT_EQ(m_elements.signalGroups[1].name, "VG_TIJD");
    EXPECT_EQ(m_elements.signalGroups[0].source[sg_value::kVg], -1.0);  // "fc01" holds no "SG"
    EXPECT_TRUE(m_messages.prefixesCleared());
}

TEST_F(DefinitionsLoader, FaultsOfTheHeader) {
    const std::string path = dir() + "/ZXAPDEF.H";
    const std::string box =
        "Het applicatie definitie bestand '" + path + "' \nkon niet worden geopend.";
    // Missing file.
    DefinitionsOutcome missing =
        loadApplicationDefinitions(dir(), m_table, m_elements, m_messages);
    EXPECT_TRUE(missing.fatal());
    EXPECT_EQ(missing.boxCaption, "Debugger Foutmelding");
    EXPECT_EQ(missing.boxText, box);
    ASSERT_EQ(m_messages.lines().size(), 2u);
    EXPECT_EQ(m_messages.lines()[1].kind, message_kind::kError);
    EXPECT_EQ(m_messages.lines()[1].text, "Dit bestand kon niet worden geopend.");
    EXPECT_EQ(m_messages.lines()[1].context, path);
    EXPECT_TRUE(m_messages.prefixesCleared());

    // Invalid value: the system message names the line, then the same box.
    m_messages.clear();
    write("ZXAPDEF.H", "#define A 1\n#define B 99999999999999999\n");
    write("ZXAPTAB.C", "CONFLICT_tabel[]\nSG01 SG02 x 1\nSTOP\n");
    m_elements.conflicts.count = 7;
    DefinitionsOutcome invalid =
        loadApplicationDefinitions(dir(), m_table, m_elements, m_messages);
    EXPECT_TRUE(invalid.fatal());
    EXPECT_EQ(invalid.boxText, box);
    ASSERT_EQ(m_messages.lines().size(), 2u);
    EXPECT_EQ(m_messages.lines()[1].kind, message_kind::kSystem);
    EXPECT_EQ(m_messages.lines()[1].line, 2);
    EXPECT_EQ(m_elements.conflicts.count, 7);  // nothing further was read

    // Too long a path: an error in the message window, no box.
    m_messages.clear();
    const std::string longDir(1015, 'd');
    DefinitionsOutcome tooLong =
        loadApplicationDefinitions(longDir, m_table, m_elements, m_messages);
    EXPECT_EQ(tooLong.status, DefinitionsOutcome::Status::PathTooLong);
    ASSERT_EQ(m_messages.lines().size(), 1u);
    EXPECT_EQ(m_messages.lines()[0].kind, message_kind::kError);
    EXPECT_EQ(m_messages.lines()[0].text,
              "ZXAPDEF.H: Pad naar Tiral definitie bestand is te lang: " + longDir);
}

TEST_F(DefinitionsLoader, MissingParameterTableOnlyEmptiesTheConflicts) {
    write("ZXAPDEF.H",
          "/* declaratie arraynummers voor tijden */\n#define T1 0\n#define NUMT 1\n");
    m_elements.conflicts.count = 3;
    m_elements.times[0].source = 2.5;
    EXPECT_FALSE(loadApplicationDefinitions(dir(), m_table, m_elements, m_messages).fatal());
    EXPECT_EQ(m_elements.conflicts.count, 0);
    EXPECT_EQ(m_elements.times[0].source, 2.5);
    EXPECT_EQ(m_elements.times[0].name, "T1");
}

TEST(SampleIntersection, LoadsWithoutWarningOrError) {
    const fs::path sample = fs::path(EXAMPLES_DIR) / "kruispunt";
    if (!fs::exists(sample / "ZXAPDEF.H"))
        GTEST_SKIP() << "no sample intersection yet";
    DefinitionTable table;
    ElementTables elements;
    RecordingMessages messages;
    ASSERT_FALSE(loadMacroDefinitions(table, messages).fatal());
    DefinitionsOutcome outcome =
        loadApplicationDefinitions(sample.string(), table, elements, messages);
    EXPECT_EQ(outcome.status, DefinitionsOutcome::Status::Loaded);
    for (const auto& line : messages.lines()) {
        EXPECT_EQ(line.kind, message_kind::kInformation) << line.text;
    }
    // The sections count what their count defines say, and array numbers run from 0.
    const std::pair<const char*, int> counts[] = {
        {"NUMSG", elements.signalGroups.count},
        {"NUMD", elements.detectors.count},
        {"NUMT", elements.times.count},
        {"NUMKL", elements.clocks.count},
        {"NUMSCH", elements.switches.count},
        {"NUMEP", elements.parameters.count},
        {"NUMEGGP", elements.intParameters.count},
    };
    for (const auto& [name, count] : counts) {
        EXPECT_GT(count, 0) << name;
        EXPECT_EQ(count, table.lookup(name)) << name;
    }
    int index = 0;
    for (const Detector& d : elements.detectors)
        EXPECT_EQ(d.arrayNumber, index++) << d.name;
    EXPECT_GT(elements.conflicts.count, 0);
    for (const Conflict& c : elements.conflicts) {
        EXPECT_GE(c.fromArrayNumber, 0) << c.fromName;
        EXPECT_GE(c.toArrayNumber, 0) << c.toName;
    }
    // Every signal group got its settings from the parameter table.
    for (const SignalGroup& sg : elements.signalGroups) {
        EXPECT_GE(sg.arrayNumber, 0) << sg.name;
        EXPECT_NE(sg.source[sg_value::kVg], -1.0) << sg.name;
        EXPECT_NE(sg.source[sg_value::kMg], -1.0) << sg.name;
    }
}

}  // namespace
}  // namespace veltro
