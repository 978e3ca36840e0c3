// The debugger's replay: received lines to the receive path, sent ones to
// the monitor's tap, the recorded time for the monitor's clock, the notes at
// the end; and the replay bar's times.
#include "veltro/capture/replay_driver.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_dir.h"

namespace {

using namespace veltro;
using namespace veltro::capture;

struct Bytes final : ByteConsumer, FrameTap {
    std::vector<std::string> seen;
    const ReplayDriver* driver = nullptr;
    void add(const char* what, std::span<const std::uint8_t> bytes) {
        seen.push_back(std::string(what) + std::to_string(bytes.size()) + "@" +
                       std::to_string(driver->timeMs()));
    }
    void bytesReceived(std::span<const std::uint8_t> b) override { add("<", b); }
    void bytesIn(std::span<const std::uint8_t>) override {}
    void bytesOut(std::span<const std::uint8_t> b) override { add(">", b); }
};

struct Still final : ReplayClock {
    std::int64_t nowMs() const override { return 0; }
};

TEST(ReplayDriver, FeedsBothDirectionsWithTheirRecordedTimesAndTellsTheEnd) {
    test_support::TempDir dir;
    const auto path = dir.write("opname.txt",
                                "VELTRO-OPNAME 1\nproject p\nzxapdef -\nbegin 1000\n"
                                "0 > E2 45 43\n0 < A2 65 5F\n5 gat 4\n7 < B2 44 45 43 41 64\n"
                                "zz\n")
                          .string();
    Bytes bytes;
    FrameTapSlot slot;
    slot.attach(&bytes);
    Still clock;
    ReplayDriver driver(bytes, slot, clock);
    bytes.driver = &driver;
    ASSERT_FALSE(driver.open(path));
    EXPECT_EQ(driver.timeMs(), 1000);
    driver.player().setSpeed(ReplaySchedule::kFastest);
    driver.player().start();
    EXPECT_TRUE(driver.advance().finished);
    EXPECT_EQ(bytes.seen, (std::vector<std::string>{">3@1000", "<3@1000", "<6@1007"}));
    EXPECT_EQ(driver.endNotes(),
              (std::vector<std::string>{
                  "Opname " + path + ": in de opname ontbreken 4 frames (regels 'gat').",
                  "Opname " + path + ": regel 9: onleesbaar; de weergave is daar gestopt."}));
    slot.attach(nullptr);

    ReplayDriver missing(bytes, slot, clock);
    EXPECT_EQ(
        missing.open((dir.path() / "geen.txt").string()),
        "Opname " + (dir.path() / "geen.txt").string() + ": de opname kan niet gelezen worden.");
    const auto csv = dir.write("waarden.csv", "tijd,venster\n").string();
    EXPECT_EQ(missing.open(csv), "Opname " + csv +
                                     ": regel 1: geen opname van veltro (de eerste regel moet "
                                     "met VELTRO-OPNAME beginnen).");
}

TEST(ReplayTimes, AreReadAsTheBarShowsThem) {
    const struct {
        const char* text;
        std::optional<std::int64_t> ms;
    } cases[] = {
        {"75", 75'000},
        {"2:03", 123'000},
        {"1:02:03.4", 3'723'400},
        {"0:00:00.0", 0},
        {"90:00", 5'400'000},
        {"1:60", std::nullopt},
        {"1:02:60", std::nullopt},
        {"1:2:3:4", std::nullopt},
        {"", std::nullopt},
        {"-3", std::nullopt},
        {"a:10", std::nullopt},
        {":10", std::nullopt},
        {"1:", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseReplayTime(c.text), c.ms) << c.text;
    EXPECT_EQ(replayTimeText(3'723'456), "1:02:03.4");
    EXPECT_EQ(replayTimeText(0), "0:00:00.0");
    EXPECT_EQ(parseReplayTime(replayTimeText(3'723'400)), 3'723'400);
}

}  // namespace
