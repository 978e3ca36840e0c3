#include "veltro/session/check_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/text_file.h"
#include "support/temp_dir.h"

namespace veltro {
namespace {

namespace fs = std::filesystem;

struct CheckRun {
    int exitCode;
    std::vector<std::string> out;
    std::string err;
};

CheckRun check(const std::string& dir, bool strict = false) {
    std::ostringstream out;
    std::ostringstream err;
    CheckRun run;
    run.exitCode = runCheck(dir, out, err, strict);
    run.out = common::splitTextLines(out.str());
    run.err = err.str();
    return run;
}

void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string window(const std::string& firstRow, const std::string& definitions) {
    return firstRow + "\n" + std::string(23, '\n') + "#include \"zxapdef.h\"\n" + definitions;
}

TEST(CheckCommand, SampleIntersectionHasNoWarningOrError) {
    const CheckRun run = check(EXAMPLES_DIR "/kruispunt", true);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.empty());
    int windows = 0;
    for (const std::string& line : run.out) {
        EXPECT_EQ(line.find("waarschuwing"), std::string::npos) << line;
        EXPECT_EQ(line.find("fout"), std::string::npos) << line;
        windows += line.ends_with(".plo") || line.ends_with(".dbg");
    }
    EXPECT_GE(windows, 6);
}

TEST(CheckCommand, FaultyDebugFilesAreReportedInOrder) {
    const test_support::TempDir temp;
    const fs::path dir = temp.path();
    const std::string d = dir.string();
    write(dir / "zxapdef.h",
          "/* declaratie arraynummers voor signaalgroepen */\r\n"
          "#define SG02 0\r\n#define NUMSG 1\r\n");
    write(dir / "DEBUG_001.PLO", window("~~01 ~02", "01 VG_TIJD SG02\n02 VG_TIJD SG03\n"));
    write(dir / "debug_002.plo", window("~~~~~~~~~~~~~~~~~01", ""));
    write(dir / "kruis_001.dbg", window("~~01", "01 AR SG02\n"));
    const CheckRun run = check(d);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.empty());
    // --strict gates on the same lines: a project with warnings fails it.
    EXPECT_EQ(check(d, true).exitCode, 1);
    const std::vector<std::string> expected = {
        "macrodef.plo : Inlezen van het macro definitie bestand.",
        d + "/ZXAPDEF.H : Inlezen van het Tiral definitie bestand.",
        d + "/DEBUG_???.*: Inlezen van de debug venster bestanden...",
        d + "/DEBUG_001.PLO",
        d + "/DEBUG_001.PLO : (27) : waarschuwing : 'SG03' is niet gedefinieerd in de "
            "definitie bestanden.",
        d + "/DEBUG_001.PLO : (27) : fout : Van item nummer 2 ontbreekt het signaalgroepnr. ",
        d + "/DEBUG_001.PLO : waarschuwing : Definitie lijst mist de definitie voor scherm "
            "item 2",
        d + "/debug_002.plo",
        d + "/debug_002.plo : (1) : fout : Scherm item is langer dan 16 karakters",
        d + "/?????_???.DBG: Inlezen van de debug venster bestanden...",
        d + "/kruis_001.dbg",
        d + "/kruis_001.dbg : (26) : fout : Van item nummer 1 ontbreekt het bloknr. ",
    };
    EXPECT_EQ(run.out, expected);
}

TEST(CheckCommand, StartUpFailuresAndTheTooLongPath) {
    const test_support::TempDir temp;
    const fs::path dir = temp.path();
    const std::string d = dir.string();
    CheckRun run = check(d);
    EXPECT_EQ(run.exitCode, 1);
    // The box is one line, its line break written as " / ".
    EXPECT_EQ(run.err, "Het applicatie definitie bestand '" + d +
                           "/ZXAPDEF.H' / kon niet worden geopend.\n");
    ASSERT_EQ(run.out.size(), 3U);
    EXPECT_EQ(run.out[2], d + "/ZXAPDEF.H : fout : Dit bestand kon niet worden geopend.");

    write(dir / "ZXAPDEF.H", "#define X 99999999999999999\n");
    run = check(d);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.back(), d + "/ZXAPDEF.H : (1) : systeem melding : De definitie waarde "
                                  "'99999999999999999' is ongeldig.");

    // Start-up goes on without definitions or windows: success.
    const std::string longDir = "/" + std::string(1024 - 10, 'd');
    run = check(longDir);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.size(), 2U);
    EXPECT_TRUE(
        run.out.back().starts_with("fout : ZXAPDEF.H: Pad naar Tiral definitie bestand "
                                   "is te lang: "));
}

// Only a warning, no error: --strict still fails, plain --check passes.
TEST(CheckCommand, StrictFailsOnAWarningAlone) {
    const test_support::TempDir temp;
    const fs::path dir = temp.path();
    write(dir / "zxapdef.h",
          "/* declaratie arraynummers voor signaalgroepen */\n#define SG02 0\n#define NUMSG 1\n");
    write(dir / "debug_001.plo", window("~~01 ~02", "01 VG_TIJD SG02\n"));
    CheckRun run = check(dir.string());
    ASSERT_EQ(run.exitCode, 0);
    const std::string warning = dir.string() +
                                "/debug_001.plo : waarschuwing : Definitie lijst mist de "
                                "definitie voor scherm item 2";
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), warning), 1);
    for (const std::string& line : run.out)
        EXPECT_EQ(line.find(" : fout : "), std::string::npos) << line;
    run = check(dir.string(), true);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.empty());
}

TEST(CheckCommand, CommandLineTakesStrictAndOneDirectory) {
    const std::atomic<bool> never{false};
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;  // the start of standard error
    };
    const std::string sample = EXAMPLES_DIR "/kruispunt";
    const std::vector<Case> cases = {
        {{"--check", sample}, 0, ""},
        {{"--check", "--strict", sample}, 0, ""},
        {{"--check", sample, "--strict"}, 0, ""},
        {{"--check", sample, sample}, 2, "veltro: --check: one DIR only; '" + sample + "'"},
        {{"--check", "--strickt", sample}, 2, "veltro: --check: unknown option '--strickt'"},
        // An unset variable must not check the current directory instead.
        {{"--check", ""}, 2, "veltro: --check: DIR is empty"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runCheckCommand(c.args, out, err, never), c.code) << c.args.back();
        EXPECT_EQ(err.str().substr(0, c.err.size()), c.err) << err.str();
    }
}

}  // namespace
}  // namespace veltro
