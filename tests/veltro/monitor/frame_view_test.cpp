#include "veltro/monitor/frame_view.h"

#include <gtest/gtest.h>

#include <string>

#include "veltro/link/frame_encoder.h"
#include "veltro/monitor/frame_history.h"
#include "veltro/monitor/frame_text.h"

namespace veltro::monitor {
namespace {

FrameEntry frame(std::int64_t time, int code, FrameDirection direction = FrameDirection::In) {
    const link::EncodedFrame f = link::encodeFrame({code, 2, -1, 0, 7}, CommandMode::Write);
    FrameEntry e;
    e.timeMs = time;
    e.direction = direction;
    e.length = static_cast<std::uint8_t>(f.size());
    std::copy(f.bytes().begin(), f.bytes().end(), e.bytes.begin());
    return e;
}

TEST(FrameHistory, KeepsTheLastHundredThousandFramesOldestFirst) {
    FrameHistory history;
    EXPECT_EQ(history.capacity(), 100000u);
    for (std::int64_t i = 0; i < 100005; ++i)
        history.push(frame(i, 69));
    EXPECT_EQ(history.size(), 100000u);
    EXPECT_EQ(history.total(), 100005u);
    EXPECT_EQ(history.at(0).timeMs, 5);
    EXPECT_EQ(history.at(99999).timeMs, 100004);
}

TEST(FrameView, FollowsTheHistoryAsItGrowsAndOverwrites) {
    FrameHistory history(4);
    FrameView view;
    FrameFilter outOnly;
    outOnly.in = false;
    view.setFilter(FrameFilter{}, history);
    for (int i = 0; i < 3; ++i)
        history.push(frame(i, 69));
    FrameView::Change change = view.update(history);
    EXPECT_EQ(change.appended, 3u);
    EXPECT_EQ(change.removedFront, 0u);
    // Three more: the history keeps four, so two rows leave the top.
    for (int i = 3; i < 6; ++i)
        history.push(frame(i, 69));
    change = view.update(history);
    EXPECT_EQ(change.removedFront, 2u);
    EXPECT_EQ(change.appended, 3u);
    ASSERT_EQ(view.size(), 4u);
    EXPECT_EQ(view.at(history, 0).timeMs, 2);
    EXPECT_EQ(view.at(history, 3).timeMs, 5);
    // More than the history holds between two updates: only what is kept.
    for (int i = 6; i < 16; ++i)
        history.push(frame(i, 69, i % 2 ? FrameDirection::Out : FrameDirection::In));
    change = view.update(history);
    EXPECT_EQ(change.removedFront, 4u);
    EXPECT_EQ(change.appended, 4u);
    EXPECT_EQ(view.at(history, 0).timeMs, 12);
    // A new filter rebuilds the rows from what is kept.
    view.setFilter(outOnly, history);
    ASSERT_EQ(view.size(), 2u);
    EXPECT_EQ(view.at(history, 0).timeMs, 13);
    EXPECT_EQ(view.at(history, 1).timeMs, 15);
    view.clear(history);
    EXPECT_EQ(view.size(), 0u);
    history.push(frame(16, 69, FrameDirection::Out));
    EXPECT_EQ(view.update(history).appended, 1u);
}

}  // namespace
}  // namespace veltro::monitor
