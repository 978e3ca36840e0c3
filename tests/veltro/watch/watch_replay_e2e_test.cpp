// veltro --watch --record against the real ctrlsim, then --watch --replay of
// that capture: the same values in the same order; a damaged capture, one of
// another project and a capture file that exists already.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
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
using Result = test_support::ProgramResult;

using test_support::kSample;

class WatchReplay : public ::testing::Test {
  protected:
    Result watch(std::vector<std::string> words, const std::string& file = "debug_001.plo") {
        words.insert(words.begin(), {"--watch", kSample, file});
        return test_support::runProgram(VELTRO_BINARY, words, dir.path(), "timeout 60");
    }
    // A session of about two seconds against ctrlsim reporting at a rate,
    // recorded into capture.txt with its value log in live.csv.
    void record() {
        CtrlsimProcess sim({"--port", "0", "--rate", "500"});
        const std::string line = sim.readLine();
        ASSERT_EQ(line.rfind("port ", 0), 0u) << line;
        const Result r = watch({"-IP", "127.0.0.1", "-IPP", line.substr(5), "--duration", "2",
                                "--csv", path("live.csv"), "--record", path("capture.txt")});
        ASSERT_EQ(r.code, 0) << r.err;
    }
    std::string path(const std::string& name) const { return (dir.path() / name).string(); }
    TempDir dir;
};

TEST_F(WatchReplay, AReplayedSessionGivesTheSameValuesInTheSameOrder) {
    record();
    const std::string capture = readFile(path("capture.txt"));
    ASSERT_TRUE(capture.starts_with("VELTRO-OPNAME 1\nproject kruispunt\nzxapdef ")) << capture;
    EXPECT_TRUE(capture.ends_with("\neinde\n"));
    const auto live = textLines(readFile(path("live.csv")));
    ASSERT_GT(live.size(), 50u);
    // 2026-12-08T08:15:03.123+01:00,debug_001.plo,Tijd,tijd,,81503
    // The clock's seconds change while the session runs.
    std::set<std::string> times;
    for (const std::string& line : live) {
        if (line.find(",debug_001.plo,Tijd,") != std::string::npos)
            times.insert(line.substr(line.rfind(',')));
    }
    EXPECT_GE(times.size(), 2u);

    for (const std::string speed : {"1", "max"}) {
        const Result r = watch({"--replay", path("capture.txt"), "--replay-speed", speed, "--csv",
                                path("replay.csv"), "--overwrite"});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");  // the same project: nothing to tell
        // The recorded times too: the live log was made of the recorded frames.
        EXPECT_EQ(readFile(path("replay.csv")), readFile(path("live.csv"))) << speed;
    }

    // A capture file that exists is never replaced.
    const Result again = watch({"-IP", "127.0.0.1", "-IPP", "1", "--record", path("capture.txt")});
    EXPECT_EQ(again.code, 2) << again.err;
    EXPECT_EQ(readFile(path("capture.txt")), capture);
}

TEST_F(WatchReplay, ADamagedOrForeignCaptureIsToldAndADamagedOneEndsWithThree) {
    record();
    const std::string capture = readFile(path("capture.txt"));
    // Cut off in the middle of a line: the values before it, then the line.
    const std::size_t cut = capture.find('\n', capture.size() / 2) + 5;
    const auto whole = std::count(capture.begin(), capture.begin() + cut, '\n');
    dir.write("cut.txt", capture.substr(0, cut));
    const Result damaged = watch({"--replay", path("cut.txt"), "--replay-speed", "max"});
    EXPECT_EQ(damaged.code, 3);
    EXPECT_EQ(damaged.err, "veltro: " + path("cut.txt") + ": regel " + std::to_string(whole + 1) +
                               ": onleesbaar; de weergave is daar gestopt\n");
    const auto shown = textLines(damaged.out);
    const auto live = textLines(readFile(path("live.csv")));
    ASSERT_GT(shown.size(), 10u);
    ASSERT_LT(shown.size(), live.size());
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), live.begin()));

    std::string foreign = capture;
    foreign.replace(foreign.find("project kruispunt"), 17, "project elders");
    dir.write("foreign.txt", foreign);
    const Result other = watch({"--replay", path("foreign.txt"), "--replay-speed", "max"});
    EXPECT_EQ(other.code, 0);
    EXPECT_TRUE(other.err.starts_with("veltro: " + path("foreign.txt") +
                                      ": waarschuwing: de opname is gemaakt bij project 'elders'"))
        << other.err;

    // Frames of a signal group the project does not have.
    const std::string header = capture.substr(0, capture.find("\n0 ") + 1);
    dir.write("unknown.txt",
              header + "0 < A2 65 5F\n0 < B2 44 45 43 41 64\n1 < A2 65 5F\neinde\n");
    const Result unknown = watch({"--replay", path("unknown.txt"), "--replay-speed", "max"});
    EXPECT_NE(unknown.err.find("2 ontvangen frames noemen een element dat ZXAPDEF.H niet kent"),
              std::string::npos)
        << unknown.err;
}

}  // namespace
