// The watch's --record: the value log is made of the frames as the capture
// holds them, so that a replay gives the same lines.
#include "veltro/watch/watch_recording.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "veltro/link/frame_encoder.h"

namespace veltro::watch {
namespace {

TEST(WatchRecording, AFrameStampedBeforeTheOneAheadOfItKeepsTheTimeTheCaptureGivesIt) {
    test_support::TempDir dir;
    FrameTapSlot slot;
    std::int64_t now = 1'000'020;
    std::vector<std::int64_t> logged;
    const std::string capture = (dir.path() / "capture.txt").string();
    WatchRecording recording(
        slot, capture, dir.path().string(),
        [&](const monitor::FrameEntry& entry) { logged.push_back(entry.timeMs); },
        [&] { return now; });
    const ControllerRecord record{300, 0, -1, 0, 60};
    // The request, stamped on the writing thread; the answer, stamped a
    // millisecond earlier on the reader thread, reaches the queue after it.
    slot.use([&](FrameTap& tap) {
        tap.bytesOut(link::encodeFrame(record, CommandMode::Read).bytes());
    });
    now = 1'000'019;
    slot.use([&](FrameTap& tap) {
        tap.bytesIn(link::encodeFrame(record, CommandMode::Write).bytes());
    });
    recording.drain();
    ASSERT_FALSE(recording.close());

    EXPECT_EQ(logged, (std::vector<std::int64_t>{1'000'020, 1'000'020}));
    const auto lines = test_support::fileLines(capture);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_TRUE(lines[lines.size() - 3].starts_with("0 > ")) << lines[lines.size() - 3];
    EXPECT_TRUE(lines[lines.size() - 2].starts_with("0 < ")) << lines[lines.size() - 2];
}

}  // namespace
}  // namespace veltro::watch
