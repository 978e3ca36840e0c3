// A recording takes its frames from the monitor's intake: every frame in
// order, and what the full intake refused told as a gap, never lost silently.
#include <gtest/gtest.h>

#include <vector>

#include "veltro/monitor/monitor_hub.h"

namespace {

using namespace veltro::monitor;

struct Recorded final : FrameRecorder {
    std::vector<std::int64_t> times;
    std::vector<std::pair<std::uint64_t, std::int64_t>> gaps;
    int ticks = 0;
    void take(const FrameEntry& entry) override { times.push_back(entry.timeMs); }
    void lost(std::uint64_t frames, std::int64_t timeMs) override {
        gaps.emplace_back(frames, timeMs);
    }
    void tick(std::int64_t) override { ++ticks; }
};

TEST(RecordingHub, FramesArriveInOrderAndARefusalBecomesAGap) {
    veltro::FrameTapSlot slot;
    std::int64_t now = 0;
    MonitorHub hub(slot, [&now] { return ++now; });
    Recorded recorded;
    hub.setRecorder(&recorded);
    ASSERT_TRUE(slot.attached());

    const std::uint8_t frame[] = {0xA2, 0x65, 0x5F};
    const std::size_t extra = 7;
    for (std::size_t i = 0; i < MonitorHub::kIntakeCapacity + extra; ++i)
        slot.use([&](veltro::FrameTap& tap) { tap.bytesIn(frame); });
    hub.drain(1'000'000);
    ASSERT_EQ(recorded.times.size(), MonitorHub::kIntakeCapacity);
    EXPECT_EQ(recorded.times.front(), 1);
    EXPECT_EQ(recorded.times.back(), static_cast<std::int64_t>(MonitorHub::kIntakeCapacity));
    EXPECT_EQ(recorded.gaps,
              (std::vector<std::pair<std::uint64_t, std::int64_t>>{{extra, 1'000'000}}));
    EXPECT_EQ(recorded.ticks, 1);

    // The last frames queued before the end still reach the recording; a
    // gap is told once.
    slot.use([&](veltro::FrameTap& tap) { tap.bytesOut(frame); });
    hub.setRecorder(nullptr);
    EXPECT_FALSE(slot.attached());
    EXPECT_EQ(recorded.times.size(), MonitorHub::kIntakeCapacity + 1);
    EXPECT_EQ(recorded.gaps.size(), 1u);
}

}  // namespace
