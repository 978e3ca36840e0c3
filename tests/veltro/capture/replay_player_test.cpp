// The replay's pace on a clock the test steps: recorded pace at each speed,
// pause, as fast as possible, jumps, a bounded amount of work per call, and
// the end or the damage.
#include "veltro/capture/replay_player.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace veltro::capture;

struct SteppedClock final : ReplayClock {
    std::int64_t now = 100'000;
    std::int64_t nowMs() const override { return now; }
};

// What reached the link (received bytes) and the monitor, with the times.
struct Seen final : ReplayTarget {
    std::vector<std::string> lines;
    void received(std::span<const std::uint8_t> bytes, std::int64_t timeMs) override {
        lines.push_back("< " + std::to_string(bytes.size()) + " @" + std::to_string(timeMs));
    }
    void sent(std::span<const std::uint8_t> bytes, std::int64_t timeMs) override {
        lines.push_back("> " + std::to_string(bytes.size()) + " @" + std::to_string(timeMs));
    }
    void lost(std::uint64_t frames, std::int64_t timeMs) override {
        lines.push_back("gat " + std::to_string(frames) + " @" + std::to_string(timeMs));
    }
    std::size_t take() {
        const std::size_t n = lines.size();
        lines.clear();
        return n;
    }
};

// Lines at 0, 100, ..., 1900 ms of the recording, begun at 5000.
std::string twentyLines(const std::string& end = "einde\n") {
    std::string text = "VELTRO-OPNAME 1\nproject p\nzxapdef -\nbegin 5000\n";
    for (int i = 0; i < 20; ++i)
        text += std::to_string(i * 100) + " < A2 65 5F\n";
    return text + end;
}

struct Replay {
    explicit Replay(const std::string& text) : in(text), reader(in), player(reader, seen, clock) {
        EXPECT_TRUE(reader.readHeader());
        player.start();
    }
    // Steps the clock by `ms` and feeds what is due.
    std::size_t after(std::int64_t ms) {
        clock.now += ms;
        player.advance();
        return seen.take();
    }
    std::istringstream in;
    CaptureReader reader;
    SteppedClock clock;
    Seen seen;
    ReplayPlayer player;
};

TEST(ReplayPlayer, FeedsEachLineAtItsRecordedTimeAtEverySpeed) {
    Replay r(twentyLines());
    ReplayPlayer::Step step = r.player.advance();
    EXPECT_EQ(step.fed, 1u);  // the first line at once
    EXPECT_EQ(r.seen.lines, std::vector<std::string>{"< 3 @5000"});
    r.seen.take();
    EXPECT_EQ(step.nextDueMs, r.clock.now + 100);
    EXPECT_EQ(r.after(99), 0u);  // never before its time
    EXPECT_EQ(r.after(1), 1u);
    EXPECT_EQ(r.after(250), 2u);  // 200 and 300 are due at 350

    r.player.setSpeed(4);  // from 350 ms of the recording on, four times as fast
    EXPECT_EQ(r.after(12), 0u);
    EXPECT_EQ(r.after(1), 1u);  // 400: 50 ms of the recording in 12.5 ms, rounded up
    r.player.setSpeed(16);      // from 402 ms on
    EXPECT_EQ(r.after(6), 0u);
    EXPECT_EQ(r.after(1), 1u);     // 500 after 98 ms of the recording: 7 ms
    EXPECT_EQ(r.after(100), 14u);  // 600..1900
    EXPECT_TRUE(r.player.finished());
    EXPECT_FALSE(r.player.damaged());
    EXPECT_EQ(r.player.positionMs(), 1900);
}

TEST(ReplayPlayer, PausesRunsAsFastAsPossibleAndJumps) {
    Replay r(twentyLines());
    EXPECT_EQ(r.after(250), 3u);  // 0, 100, 200
    r.player.setPaused(true);
    EXPECT_EQ(r.after(10'000), 0u);
    EXPECT_EQ(r.player.advance().nextDueMs, ReplaySchedule::kNever);
    r.player.setPaused(false);  // on from 250 ms of the recording
    EXPECT_EQ(r.after(49), 0u);
    EXPECT_EQ(r.after(1), 1u);  // 300

    r.player.setSpeed(ReplaySchedule::kFastest);
    EXPECT_EQ(r.player.advance(5).fed, 5u);  // a bounded share per call
    EXPECT_EQ(r.seen.take(), 5u);
    EXPECT_EQ(r.player.positionMs(), 800);
    // Back to the recorded pace from where the fast run stood, not from
    // where the schedule was when it began.
    r.player.setSpeed(1);
    EXPECT_EQ(r.after(99), 0u);
    EXPECT_EQ(r.after(1), 1u);  // 900

    r.player.jump(250);  // back: the first line at or after it
    EXPECT_EQ(r.after(50), 1u);
    EXPECT_EQ(r.player.positionMs(), 300);
    r.player.jump(1850);
    EXPECT_EQ(r.after(50), 1u);
    EXPECT_EQ(r.after(100), 0u);
    EXPECT_TRUE(r.player.finished());
    r.player.jump(0);  // a finished replay starts again
    EXPECT_EQ(r.after(0), 1u);
    EXPECT_FALSE(r.player.finished());
}

TEST(ReplayPlayer, ADamagedCaptureIsReplayedUpToTheDamage) {
    Replay cut(twentyLines(""));
    cut.player.setSpeed(ReplaySchedule::kFastest);
    EXPECT_EQ(cut.after(0), 20u);
    EXPECT_TRUE(cut.player.finished());
    EXPECT_TRUE(cut.player.damaged());
    EXPECT_EQ(cut.reader.error(), "na regel 24 houdt de opname op zonder 'einde' (afgebroken)");

    Replay garbage(
        "VELTRO-OPNAME 1\nproject p\nzxapdef -\nbegin 7\n0 > E2 45 43\n"
        "0 gat 3\nzz\n1 < A2 65 5F\neinde\n");
    garbage.player.advance();
    EXPECT_EQ(garbage.seen.lines, (std::vector<std::string>{"> 3 @7", "gat 3 @7"}));
    EXPECT_TRUE(garbage.player.damaged());
    EXPECT_EQ(garbage.reader.error(), "regel 7: onleesbaar");
}

}  // namespace
