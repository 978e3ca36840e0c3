#include "tonvia/run.h"

#include <gtest/gtest.h>

#include "confil_bytes.h"
#include "support/tonvia/memory_directory.h"
#include "support/tonvia/recording_sink.h"

namespace tonvia {
namespace {

using test_support::MemoryTonviaDirectory;
using test_support::RecordingTonviaSink;
using Faults = MemoryTonviaDirectory::Faults;
using Lines = std::vector<std::string>;

const std::string kBlocks =
    "/* declaratie arraynummers voor blokken */\n#define BK1 0\n#define NUMBK 1\n";
const std::string kDefinitions = kBlocks + "#define SG02 0\n#define SG05 1\n#define NUMSG 2\n";
const std::string kController = "struct REGELINGSTRUCT regeling = {\n  \"test\",\n  7,\n};\n";
const std::string kDetectorTable =
    "const struct SG_DETECTIE SG_DETECTIE_tabel[] = {\n  SG02_1, DK,\n  SG05_1, DS,\n  STOP\n};\n";
const std::string kTables = kController + kDetectorTable;

std::string detectorTable(const std::string& rows) {
    return kController + "struct SG_DETECTIE SG_DETECTIE_tabel[] = {\n" + rows + "STOP\n};\n";
}

std::string manySignalGroups(int count) {
    std::string text = kBlocks;
    for (int i = 1; i <= count; ++i) {
        text += "#define SG" + std::to_string(i) + " 0\n";
    }
    return text + "#define NUMSG " + std::to_string(count) + "\n";
}

std::string manyDetectors(int count) {
    std::string rows;
    for (int i = 1; i <= count; ++i) {
        rows += "SG02_" + std::to_string(i) + " DA\n";
    }
    return detectorTable(rows);
}

Faults checkFails(const std::string& name) {
    Faults faults;
    faults.presence[name] = Presence::CheckFailed;
    return faults;
}
Faults openFails(const std::string& name, int after = 0) {
    Faults faults;
    faults.failOpen = name;
    faults.failOpenAfter = after;
    return faults;
}
Faults readFails(const std::string& name, std::size_t afterBytes) {
    Faults faults;
    faults.failRead = name;
    faults.failReadAfter = afterBytes;
    return faults;
}
Faults closeFails(const std::string& name, int after = 0) {
    Faults faults;
    faults.failClose = name;
    faults.failCloseAfter = after;
    return faults;
}
Faults writeFails(int at) {
    Faults faults;
    faults.failWriteAt = at;
    return faults;
}
Faults createFails() {
    Faults faults;
    faults.failCreate = true;
    return faults;
}
Faults commitFails() {
    Faults faults;
    faults.failCommit = true;
    return faults;
}

struct RunOutcome {
    bool ok = false;
    Lines lines;
    std::optional<std::string> written;
};

RunOutcome runOn(std::optional<std::string> definitions, std::optional<std::string> tables,
                 const Faults& faults = {}) {
    MemoryTonviaDirectory directory;
    if (definitions) {
        directory.files["ZXAPDEF.H"] = *definitions;
    }
    if (tables) {
        directory.files["ZXAPTAB.C"] = *tables;
    }
    directory.faults = faults;
    RecordingTonviaSink sink;
    RunOptions options;
    options.identification.date = "2026-12-07";
    RunOutcome outcome;
    outcome.ok = runGenerator(options, directory, sink);
    outcome.lines = sink.lines;
    outcome.written = directory.written;
    return outcome;
}

TEST(Run, EveryStopEndsTheRunWithItsMessageAndWritesNothing) {
    const std::string tooLong = std::string(257, ' ') + "x\n";
    struct Case {
        const char* name;
        std::optional<std::string> definitions;
        std::optional<std::string> tables;
        Faults faults;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"no ZXAPDEF.H", std::nullopt, kTables, {}, "Fout: sourcefile ZXAPDEF.H niet gevonden"},
        {"no ZXAPTAB.C",
         kDefinitions,
         std::nullopt,
         {},
         "Fout: sourcefile ZXAPTAB.C niet gevonden"},
        {"check of ZXAPDEF.H fails", kDefinitions, kTables, checkFails("ZXAPDEF.H"),
         "Fout bij controleren bestaan C-sourcefiles"},
        {"check of ZXAPTAB.C fails", kDefinitions, kTables, checkFails("ZXAPTAB.C"),
         "Fout bij controleren bestaan C-sourcefiles"},
        {"ZXAPDEF.H cannot be opened", kDefinitions, kTables, openFails("ZXAPDEF.H"),
         "Fout bij openen sourcefile ZXAPDEF.H om in te lezen"},
        {"empty ZXAPDEF.H", "", kTables, {}, "Fout: geen signaalgroepen gevonden in ZXAPDEF.H"},
        {"no NUMBK",
         "#define SG02 0\n#define NUMSG 1\n",
         kTables,
         {},
         "Fout: geen signaalgroepen gevonden in ZXAPDEF.H"},
        {"no NUMSG",
         kBlocks + "#define SG02 0\n",
         kTables,
         {},
         "Fout: geen signaalgroepen gevonden in ZXAPDEF.H"},
        {"NUMBK only in a comment",
         "/* NUMBK */\n#define SG02 0\n#define NUMSG 1\n",
         kTables,
         {},
         "Fout: geen signaalgroepen gevonden in ZXAPDEF.H"},
        {"ZXAPDEF.H read error", kDefinitions, kTables, readFails("ZXAPDEF.H", 60),
         "Fout bij lezen sourcefile ZXAPDEF.H"},
        {"ZXAPDEF.H close error", kDefinitions, kTables, closeFails("ZXAPDEF.H"),
         "Fout bij sluiten ZXAPDEF.H na inlezen signaalgroepen"},
        {"NUMSG says 3 for 2",
         kBlocks + "#define SG02 0\n#define SG05 1\n#define NUMSG 3\n",
         kTables,
         {},
         "Fout: waarde bij #define NUMSG klopt niet met aantal opgegeven signaalgroepen"},
        {"two blanks after #define",
         kBlocks + "#define SG02 0\n#define  SG05 1\n#define NUMSG 2\n",
         kTables,
         {},
         "Fout: waarde bij #define NUMSG klopt niet met aantal opgegeven signaalgroepen"},
        {"1000 signal groups",
         manySignalGroups(1000),
         kTables,
         {},
         "Fout: meer dan 999 signaalgroepen in ZXAPDEF.H"},
        {"long line in ZXAPDEF.H",
         kBlocks + tooLong,
         kTables,
         {},
         "Fout: regel 4 van ZXAPDEF.H is langer dan 256 tekens"},
        {"binary ZXAPDEF.H",
         std::string("\x7f"
                     "ELF\x02\x01\x01\0\0\0",
                     10),
         kTables,
         {},
         "Fout: regel 1 van ZXAPDEF.H bevat binaire gegevens"},
        {"ZXAPTAB.C cannot be opened", kDefinitions, kTables, openFails("ZXAPTAB.C"),
         "Fout bij openen sourcefile ZXAPTAB.C (regelaarnummer)"},
        {"no REGELINGSTRUCT",
         kDefinitions,
         kDetectorTable,
         {},
         "Fout: geen regelaarnummer gevonden in ZXAPTAB.C"},
        {"REGELINGSTRUCT without a number",
         kDefinitions,
         "struct REGELINGSTRUCT r = {\n \"x\"\n};\n",
         {},
         "Fout: geen regelaarnummer gevonden in ZXAPTAB.C"},
        {"REGELINGSTRUCT without its trailing blank",
         kDefinitions,
         "struct REGELINGSTRUCTX r = {\n 7,\n};\n" + kDetectorTable,
         {},
         "Fout: geen regelaarnummer gevonden in ZXAPTAB.C"},
        {"empty ZXAPTAB.C",
         kDefinitions,
         "",
         {},
         "Fout: geen regelaarnummer gevonden in ZXAPTAB.C"},
        {"ZXAPTAB.C read error at the number", kDefinitions, kTables, readFails("ZXAPTAB.C", 20),
         "Fout bij lezen sourcefile ZXAPTABC.C (regelaarnummer)"},
        {"ZXAPTAB.C close error at the number", kDefinitions, kTables, closeFails("ZXAPTAB.C"),
         "Fout bij sluiten ZXAPTAB.C (regelaarnummer)"},
        {"controller number below 0",
         kDefinitions,
         "struct REGELINGSTRUCT r = {\n -5,\n",
         {},
         "Fout: regelaarnummer moet groter zijn dan 0"},
        {"controller number 1000",
         kDefinitions,
         "struct REGELINGSTRUCT r = {\n 1000,\n",
         {},
         "Fout: regelaarnummer moet kleiner zijn dan 1000"},
        {"long line in ZXAPTAB.C",
         kDefinitions,
         "struct REGELINGSTRUCT r = {\n" + tooLong,
         {},
         "Fout: regel 2 van ZXAPTAB.C is langer dan 256 tekens"},
        {"ZXAPTAB.C cannot be opened again", kDefinitions, kTables, openFails("ZXAPTAB.C", 1),
         "Fout bij openen sourcefile ZXAPTAB.C (detectoren)"},
        {"no SG_DETECTIE table",
         kDefinitions,
         kController,
         {},
         "Fout: geen detectoren gevonden in ZXAPTAB.C"},
        {"table without STOP",
         kDefinitions,
         kController + "struct SG_DETECTIE t[] = {\n SG02_1 DK\n};\n",
         {},
         "Fout: geen detectoren gevonden in ZXAPTAB.C"},
        {"quoted STOP does not end the table",
         kDefinitions,
         kController + "struct SG_DETECTIE t[] = {\n SG02_1 DK\n \"STOP\"\n};\n",
         {},
         "Fout: geen detectoren gevonden in ZXAPTAB.C"},
        {"ZXAPTAB.C read error in the table", kDefinitions, kTables, readFails("ZXAPTAB.C", 110),
         "Fout bij lezen sourcefile ZXAPTABC.C (detectoren)"},
        {"ZXAPTAB.C close error after the table", kDefinitions, kTables,
         closeFails("ZXAPTAB.C", 1), "Fout bij sluiten ZXAPTAB.C (detectoren)"},
        {"no underscore",
         kDefinitions,
         detectorTable("SG02-1 DK\n"),
         {},
         "Fout: volgnummer ontbreekt bij detector"},
        {"underscore missing at the end",
         kDefinitions,
         detectorTable("SG02\n"),
         {},
         "Fout: volgnummer ontbreekt bij detector"},
        {"DX detector",
         kDefinitions,
         detectorTable("SG02_1, DX, 1\n"),
         {},
         "Fout: onbekend detectortype gevonden (alleen DA,DK,DP,DS,DV toegestaan)"},
        {"D at the end of the line",
         kDefinitions,
         detectorTable("SG02_1 D\n"),
         {},
         "Fout: onbekend detectortype gevonden (alleen DA,DK,DP,DS,DV toegestaan)"},
        {"no detector type",
         kDefinitions,
         detectorTable("SG02_1, 10, 20\n"),
         {},
         "Fout: geen detectortype gevonden"},
        {"1000 detectors",
         kDefinitions,
         manyDetectors(1000),
         {},
         "Fout: meer dan 999 detectoren in ZXAPTAB.C"},
        {"CONFIL cannot be created", kDefinitions, kTables, createFails(),
         "Fout bij openen CONFIL voor schrijven"},
        {"header record", kDefinitions, kTables, writeFails(0),
         "Fout: schrijven headertekst in CONFIL"},
        {"identification record", kDefinitions, kTables, writeFails(1),
         "Fout: schrijven headertekst in CONFIL"},
        {"counts record", kDefinitions, kTables, writeFails(2),
         "Fout: schrijven aantallen signaalgroepen en detectoren in CONFIL"},
        {"second signal group", kDefinitions, kTables, writeFails(4),
         "Fout: schrijven signaalgroepen in CONFIL"},
        {"first detector", kDefinitions, kTables, writeFails(5),
         "Fout: schrijven detectoren in CONFIL"},
        {"closing CONFIL", kDefinitions, kTables, commitFails(),
         "Fout bij sluiten CONFIL na schrijven"},
    };
    for (const Case& c : cases) {
        const RunOutcome outcome = runOn(c.definitions, c.tables, c.faults);
        EXPECT_FALSE(outcome.ok) << c.name;
        EXPECT_EQ(outcome.lines, Lines{c.message}) << c.name;
        EXPECT_FALSE(outcome.written.has_value()) << c.name;
    }
}

TEST(Run, MalformedNumbersAreAllReportedBeforeTheStop) {
    const std::string definitions = kBlocks +
                                    "#define SG02 0\n"
                                    "#define SGx 1   /* no number */\n"
                                    "#define SG123456789 2\n"
                                    "#define NUMSG 3\n";
    const std::string tables = "struct REGELINGSTRUCT r = {\n  123456789,\n};\n" +
                               std::string(
                                   "struct SG_DETECTIE SG_DETECTIE_tabel[] = {\n"
                                   "  SG_1, DK,\n"
                                   "  SG02_x, DS,\n"
                                   "  SG05_2, DV,\n"
                                   "STOP\n");
    const RunOutcome outcome = runOn(definitions, tables);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.lines, (Lines{
                                 "Foutief getal in tabel signaalgroepen in ZXAPDEF.H",
                                 "Regel: #DEFINE SGX 1",
                                 "Foutief getal in tabel signaalgroepen in ZXAPDEF.H",
                                 "Regel: #DEFINE SG123456789 2",
                                 "Foutief getal in structure kruispuntnummer in ZXAPTAB.C",
                                 "Regel:   123456789,",
                                 "Foutief getal in tabel detectoren in ZXAPTAB.C",
                                 "Regel:   SG_1, DK,",
                                 "Foutief getal in tabel detectoren in ZXAPTAB.C",
                                 "Regel:   SG02_X, DS,",
                                 "CONFIL niet gegenereerd vanwege fout in invoerfile(s).",
                             }));
    EXPECT_FALSE(outcome.written.has_value());

    // A NUMSG without a number cannot be compared: reported, and the run goes on.
    const RunOutcome count = runOn(kBlocks + "#define SG02 0\n#define NUMSG x\n", kTables);
    EXPECT_EQ(count.lines,
              (Lines{"Foutief getal in waarde voor NUMSG in ZXAPDEF.H", "Regel: #DEFINE NUMSG X",
                     "CONFIL niet gegenereerd vanwege fout in invoerfile(s)."}));
}

TEST(Run, ReadsWhatTheTablesHoldWithinTheirLimits) {
    const RunOutcome most = runOn(manySignalGroups(999), manyDetectors(999));
    ASSERT_TRUE(most.ok);
    ASSERT_TRUE(most.written.has_value());
    EXPECT_EQ(most.written->size(), 2 * 138 + 16 + 999 * 20 + 999 * 24);

    // The header line of the table may itself close it; an empty table is fine.
    const RunOutcome empty =
        runOn(kBlocks + "#define NUMSG 0\n",
              kController + "struct SG_DETECTIE SG_DETECTIE_tabel[] = { STOP };\n");
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(empty.lines, Lines{"TONVIA succesvol voltooid"});

    // STOP right behind a comma ends the table on that line; the row is not read.
    const RunOutcome comma =
        runOn(kDefinitions, detectorTable("SG02_1 DK\nSG05_1 DS,STOP\nSG05_2 DX\n"));
    ASSERT_TRUE(comma.written.has_value());
    EXPECT_EQ(comma.written->substr(276, 16), test::ints({2, 1})) << "2 groups, 1 detector";
}

}  // namespace
}  // namespace tonvia
