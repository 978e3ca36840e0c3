// Drives the real program with piped keys, as scripts and the demo do.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "support/temp_dir.h"

namespace rendall {
namespace {

using test_support::TempDir;

struct Outcome {
    int exitCode = -1;
    std::string output;
};

Outcome runProgram(const TempDir& dir, const std::string& args, const std::string& keys) {
    dir.write("keys.in", keys);
    const std::string command = "cd '" + dir.path().string() + "' && '" RENDALL_EXE "' " + args +
                                " < keys.in > console.out";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.read("console.out")};
}

const std::string kSample = EXAMPLES_DIR "/kruispunt/";

TEST(RendallProgram, ConvertsTheSampleDump) {
    TempDir dir;
    dir.write("ZXAPDEF.H", test_support::readFile(kSample + "ZXAPDEF.H"));
    dir.write("dpcom.dmp", test_support::readFile(kSample + "dpcom.dmp"));
    const Outcome outcome = runProgram(dir, "dpcom.dmp", "Dorpsweg - Molenlaan\rJ");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("Programma goed doorlopen"), std::string::npos);
    EXPECT_EQ(dir.read("DUMP.OUT"), test_support::readFile(kSample + "DUMP.OUT"));
}

TEST(RendallProgram, EndOfInputCountsAsCtrlC) {
    TempDir dir;
    dir.write("ZXAPDEF.H", test_support::readFile(kSample + "ZXAPDEF.H"));
    dir.write("dpcom.dmp", test_support::readFile(kSample + "dpcom.dmp"));
    const Outcome outcome = runProgram(dir, "dpcom.dmp", "Half");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.output.find("Naam kruispunt: Half"), std::string::npos);
    EXPECT_NE(outcome.output.find("Fout opgetreden !!!\nProgramma voortijdig afgebroken\n"),
              std::string::npos);
    EXPECT_FALSE(dir.exists("DUMP.OUT"));
}

TEST(RendallProgram, MissingDumpIsErrorTwelve) {
    TempDir dir;
    const Outcome outcome = runProgram(dir, "geen.dmp uit.lst", "");
    EXPECT_EQ(outcome.exitCode, 12);
    EXPECT_NE(outcome.output.find("File GEEN.DMP niet in werkdirectory"), std::string::npos);
}

}  // namespace
}  // namespace rendall
