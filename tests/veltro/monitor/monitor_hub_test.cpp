#include "veltro/monitor/monitor_hub.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_dir.h"
#include "veltro/link/frame_encoder.h"
#include "veltro/screens/item_index.h"

namespace veltro::monitor {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes encoded(int code, int index, int value) {
    const link::EncodedFrame f =
        link::encodeFrame({code, index, -1, 0, value}, CommandMode::Write);
    return Bytes(f.bytes().begin(), f.bytes().end());
}

void feed(FrameTapSlot& slot, const Bytes& in) {
    slot.use([&](FrameTap& tap) { tap.bytesIn(in); });
}

TEST(MonitorHub, TapsTheLinkOnlyWhileSomethingUsesIt) {
    FrameTapSlot slot;
    std::int64_t now = 5000;
    {
        MonitorHub hub(slot, [&] { return now; });
        EXPECT_FALSE(slot.attached());
        hub.setUse(MonitorHub::kMonitor, true);
        hub.setUse(MonitorHub::kTrend, true);
        EXPECT_TRUE(slot.attached());
        hub.setUse(MonitorHub::kMonitor, false);
        EXPECT_TRUE(slot.attached());
        hub.setUse(MonitorHub::kTrend, false);
        EXPECT_FALSE(slot.attached());
        hub.setUse(MonitorHub::kLog, true);
    }
    EXPECT_FALSE(slot.attached());  // a hub gone leaves no tap behind
}

TEST(MonitorHub, HandsEachFrameToWhatIsInUseAndSkipsWhilePaused) {
    FrameTapSlot slot;
    std::int64_t now = 5000;
    MonitorHub hub(slot, [&] { return now; });
    hub.setUse(MonitorHub::kMonitor, true);
    feed(slot, encoded(69, 2, 1));
    slot.use([](FrameTap& tap) { tap.bytesOut(encoded(69, 2, 4)); });
    EXPECT_EQ(hub.drain(now), 2u);
    EXPECT_EQ(hub.history().size(), 2u);
    EXPECT_EQ(hub.history().at(0).timeMs, 5000);

    hub.setPaused(true);
    feed(slot, encoded(69, 2, 2));
    hub.drain(now);
    EXPECT_EQ(hub.history().size(), 2u);
    EXPECT_EQ(hub.skipped(), 1u);
    hub.setPaused(false);

    // The trend takes the same stream; the history starts afresh when the
    // monitor is closed and opened again.
    LoggedItem item;
    item.key = reportKey({69, 2, -1, 0, 0});
    hub.trend().setItems({item});
    hub.setUse(MonitorHub::kTrend, true);
    hub.setUse(MonitorHub::kMonitor, false);
    EXPECT_EQ(hub.history().size(), 0u);
    feed(slot, encoded(69, 2, 3));
    hub.drain(now);
    ASSERT_EQ(hub.trend().series().size(), 1u);
    EXPECT_EQ(hub.trend().series()[0].points.back().value, 3);
    EXPECT_EQ(hub.history().size(), 0u);
    EXPECT_EQ(hub.dropped(), 0u);
}

// Frames that came before the log was switched off, and were not yet drained,
// belong in it: switching off used to drop them.
TEST(MonitorHub, SwitchingTheLogOffWritesWhatWasStillQueued) {
    FrameTapSlot slot;
    std::int64_t now = 5000;
    MonitorHub hub(slot, [&] { return now; });
    test_support::TempDir dir;
    ASSERT_EQ(hub.log().open((dir / "waarden.csv").string(), now), std::nullopt);
    hub.log().setItems({{"DEBUG_900.PLO", "groen", "VG_TIJD", "02", ItemIndex::key(69, 2, -1)}});
    hub.setUse(MonitorHub::kLog, true);
    feed(slot, encoded(69, 2, 1));
    feed(slot, encoded(69, 2, 7));
    hub.setUse(MonitorHub::kLog, false);
    EXPECT_EQ(hub.log().lines(), 2u);
    EXPECT_FALSE(slot.attached());
}

}  // namespace
}  // namespace veltro::monitor
