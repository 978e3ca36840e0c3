// veltro --watch against the real ctrlsim: its CSV lines, its end by duration
// or Ctrl-C, and its exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ctrlsim/ctrlsim_process.h"
#include "support/sample.h"
#include "support/temp_dir.h"
#include "support/veltro/program_run.h"

namespace {

using test_support::CtrlsimProcess;
using test_support::readFile;
using test_support::TempDir;
using test_support::textLines;

using test_support::kSample;
constexpr const char* kTitle = "tijd,venster,item,macro,element,waarde";

using Result = test_support::ProgramResult;

// `prefix` goes before the program (a timeout that sends Ctrl-C).
Result veltro(const TempDir& dir, const std::vector<std::string>& args,
              const std::string& prefix = "timeout 60") {
    return test_support::runProgram(VELTRO_BINARY, args, dir.path(), prefix);
}

class Watch : public ::testing::Test {
  protected:
    // ctrlsim with `options`; the debugger's link words for it.
    std::vector<std::string> start(std::vector<std::string> options) {
        options.insert(options.begin(), {"--port", "0"});
        sim = std::make_unique<CtrlsimProcess>(options);
        const std::string line = sim->readLine();
        EXPECT_EQ(line.rfind("port ", 0), 0u) << line;
        port = line.substr(line.find(' ') + 1);
        return {"-IP", "127.0.0.1", "-IPP", port};
    }
    Result watch(const std::string& file, std::vector<std::string> words,
                 const std::string& prefix = "timeout 60") {
        words.insert(words.begin(), {"--watch", kSample, file});
        return veltro(dir, words, prefix);
    }
    TempDir dir;
    std::unique_ptr<CtrlsimProcess> sim;
    std::string port;
};

// Every line names the item as the value log does; the values are those the
// controller holds (a green time set in ctrlsim, the version of the sample).
TEST_F(Watch, ReportedValuesBecomeCsvLinesUntilTheDurationEnds) {
    auto link = start({"--set", "inst_VG_TIJD:SG02=77"});
    const auto csv = dir.path() / "values.csv";
    std::vector<std::string> words = link;
    words.insert(words.end(), {"--duration", "1.2", "--csv", csv.string()});
    const Result r = watch("KRUIS_001.DBG", words);  // found whatever its case
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const auto written = textLines(readFile(csv));
    ASSERT_GT(written.size(), 10U);
    EXPECT_EQ(written[0], kTitle);
    int green = 0;
    for (std::size_t i = 1; i < written.size(); ++i) {
        const std::string& line = written[i];
        // 2026-12-08T08:15:03.123+01:00,kruis_001.dbg,...
        ASSERT_GE(line.size(), 30U) << line;
        EXPECT_EQ(line[10], 'T') << line;
        EXPECT_EQ(line[19], '.') << line;
        EXPECT_NE(line.find(",kruis_001.dbg,"), std::string::npos) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 5) << line;
        if (line.ends_with(",SG02,inst_VG_TIJD,SG02,77"))
            ++green;
    }
    EXPECT_GE(green, 1);

    // Standard output, Ctrl-C before the duration: an orderly end with 0.
    const Result interrupted = watch("debug_001.plo", link, "timeout -s INT --preserve-status 6");
    EXPECT_EQ(interrupted.code, 0) << interrupted.err;
    const auto printed = textLines(interrupted.out);
    ASSERT_GT(printed.size(), 1U) << interrupted.err;
    EXPECT_EQ(printed[0], kTitle);
    bool version = false;
    for (const std::string& line : printed)
        version = version || (line.find(",debug_001.plo,Versie") != std::string::npos &&
                              line.ends_with(",versie,,100"));
    EXPECT_TRUE(version) << interrupted.out;
}

TEST_F(Watch, ALostLinkIsOpenedAgainUnlessNoReconnectThenItEndsWithThree) {
    auto link = start({"--close-after", "15"});
    std::vector<std::string> words = link;
    words.insert(words.end(), {"--duration", "5"});  // a loss and the 1 s recovery, loaded
    const Result again = watch("debug_001.plo", words);
    EXPECT_EQ(again.code, 0) << again.err;
    // The message window's lines, as the window shows them.
    const std::string lost =
        "systeem melding : Verbinding met de regelautomaat verbroken "
        "(127.0.0.1:" +
        port + "); opnieuw verbinden…";
    const std::string back =
        "systeem melding : Verbinding met de regelautomaat hersteld (127.0.0.1:" + port + ")";
    const auto messages = textLines(again.err);
    ASSERT_GE(messages.size(), 2U) << again.err;
    EXPECT_EQ(messages[0], lost);
    EXPECT_EQ(messages[1], back);
    for (std::size_t i = 0; i < messages.size(); ++i)
        EXPECT_EQ(messages[i], i % 2 == 0 ? lost : back) << again.err;
    EXPECT_GT(textLines(again.out).size(), 16U);  // values after the recovery too

    words = link;
    // A watch that did not end at the loss would run into the 60 s timeout (124).
    words.insert(words.end(), {"-noreconnect", "--duration", "600"});
    const Result ended = watch("debug_001.plo", words);
    EXPECT_EQ(ended.code, 3) << ended.err;
    EXPECT_NE(ended.err.find("de verbinding met de regelautomaat is verbroken"), std::string::npos)
        << ended.err;

    sim.reset();  // nobody listens on the port any more
    const Result refused = watch("debug_001.plo", link);
    EXPECT_EQ(refused.code, 3);
    EXPECT_NE(refused.err.find("error calling connect():"), std::string::npos) << refused.err;
}

TEST_F(Watch, AWrongCommandLineIsTwoAndFilesThatCannotBeLoadedThree) {
    const std::vector<std::vector<std::string>> wrong = {
        {"--watch"},
        {"--watch", kSample},
        {"--watch", kSample, "debug_001.plo", "--duration", "soon"},
        {"--watch", kSample, "debug_001.plo", "--duration", "-1"},
        {"--watch", kSample, "debug_001.plo", "--csv"},
        {"--watch", kSample, "debug_001.plo", "--verbose"},
        {"--watch", kSample, "debug_001.plo", "COM9"},
    };
    for (const auto& args : wrong) {
        const Result r = veltro(dir, args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << r.err;
    }
    EXPECT_EQ(veltro(dir, {"--watch", kSample, "debug_999.plo"}).code, 3);
    EXPECT_EQ(veltro(dir, {"--watch", dir.path().string(), "debug_001.plo"}).code, 3);
    // Link words where FILE belongs: FILE is named, not the baud rate.
    const Result shifted = veltro(dir, {"--watch", kSample, "-IP", "127.0.0.1", "-IPP", "7000"});
    EXPECT_EQ(shifted.code, 2);
    EXPECT_EQ(shifted.err.rfind("veltro: --watch: FILE is missing", 0), 0u) << shifted.err;
}

// An existing OUT is kept unless the command says to replace it or add to
// it, and even then it is touched only when the first value arrives.
TEST_F(Watch, AnExistingCsvFileIsKeptUntilAValueArrivesAndOnlyReplacedWhenAsked) {
    const auto csv = dir.path() / "values.csv";
    test_support::writeFile(csv, "gisteren\n");
    const Result refused = watch("debug_001.plo", {"--csv", csv.string()});
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("exists; give --overwrite"), std::string::npos) << refused.err;
    EXPECT_EQ(readFile(csv), "gisteren\n");

    auto link = start({});
    sim.reset();  // nobody listens: the link cannot be opened
    std::vector<std::string> words = link;
    words.insert(words.end(), {"--csv", csv.string(), "--overwrite"});
    EXPECT_EQ(watch("debug_001.plo", words).code, 3);
    EXPECT_EQ(readFile(csv), "gisteren\n");

    link = start({});
    words = link;
    words.insert(words.end(), {"--duration", "1.2", "--csv", csv.string(), "--append"});
    const Result appended = watch("debug_001.plo", words);
    EXPECT_EQ(appended.code, 0) << appended.err;
    const auto added = textLines(readFile(csv));
    ASSERT_GT(added.size(), 2U);
    EXPECT_EQ(added[0], "gisteren");
    EXPECT_NE(added[1], kTitle);  // the file's own title, if any, stays the only one

    words = link;
    words.insert(words.end(), {"--duration", "1.2", "--csv", csv.string(), "--overwrite"});
    EXPECT_EQ(watch("debug_001.plo", words).code, 0);
    EXPECT_EQ(textLines(readFile(csv)).at(0), kTitle);
}

// A file that takes no values, and a controller that sends none, are
// failures, never an empty success.
TEST_F(Watch, AnUnwritableFileOrNoValueAtAllEndsWithThree) {
    auto link = start({});
    std::vector<std::string> words = link;
    // It ends at the failure: a watch that went on would meet the timeout.
    words.insert(words.end(), {"--duration", "600", "--csv", "/dev/full", "--overwrite"});
    const Result full = watch("debug_001.plo", words);
    EXPECT_EQ(full.code, 3);
    EXPECT_NE(full.err.find("veltro: Kan /dev/full niet schrijven."), std::string::npos)
        << full.err;

    // The duration ends before the first poll (half a second after the start).
    const auto csv = dir.path() / "none.csv";
    words = link;
    words.insert(words.end(), {"--duration", "0.1", "--csv", csv.string()});
    const Result silent = watch("debug_001.plo", words);
    EXPECT_EQ(silent.code, 3);
    EXPECT_NE(silent.err.find("veltro: the controller reported no value"), std::string::npos)
        << silent.err;
    EXPECT_FALSE(std::filesystem::exists(csv));
}

}  // namespace
