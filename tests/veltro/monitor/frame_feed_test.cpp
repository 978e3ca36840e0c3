#include "veltro/monitor/frame_feed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "veltro/monitor/frame_intake.h"

namespace veltro::monitor {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Seen {
    FrameDirection direction;
    FrameKind kind;
    Bytes bytes;
    std::int64_t time;
};

std::vector<Seen> takeAll(FrameIntake& intake) {
    std::vector<Seen> out;
    FrameEntry e;
    while (intake.pop(e))
        out.push_back({e.direction, e.kind, Bytes(e.data().begin(), e.data().end()), e.timeMs});
    return out;
}

struct FeedRig {
    FrameIntake intake{1024};
    std::int64_t now = 1000;
    FrameFeed feed{intake, [this] { return now; }};
};

TEST(FrameFeed, CutsReadsIntoFramesAndKeepsMalformedBytesAsSuch) {
    FeedRig rig;
    // A frame split over two reads, stamped with the read that completed it.
    rig.feed.bytesIn(Bytes{0xB2, 0x44, 0x45});
    rig.now = 1007;
    rig.feed.bytesIn(Bytes{0x43, 0x41, 0x64});
    // Stray bytes, then a frame cut short by 0x85, then a whole short frame.
    rig.now = 1010;
    rig.feed.bytesIn(Bytes{0x01, 0x02, 0xA2, 0x65, 0x85, 0x03, 0xA2, 0x65, 0x5F});
    const std::vector<Seen> seen = takeAll(rig.intake);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].kind, FrameKind::Frame);
    EXPECT_EQ(seen[0].bytes, (Bytes{0xB2, 0x44, 0x45, 0x43, 0x41, 0x64}));
    EXPECT_EQ(seen[0].time, 1007);
    EXPECT_EQ(seen[1].kind, FrameKind::Stray);
    EXPECT_EQ(seen[1].bytes, (Bytes{0x01, 0x02}));
    EXPECT_EQ(seen[2].kind, FrameKind::Cut);
    EXPECT_EQ(seen[2].bytes, (Bytes{0xA2, 0x65, 0x85}));
    // The byte after a cut frame is outside any frame until the next header.
    EXPECT_EQ(seen[3].kind, FrameKind::Stray);
    EXPECT_EQ(seen[3].bytes, (Bytes{0x03}));
    EXPECT_EQ(seen[4].bytes, (Bytes{0xA2, 0x65, 0x5F}));
    for (const Seen& s : seen)
        EXPECT_EQ(s.direction, FrameDirection::In);
}

TEST(FrameFeed, LongRunsOfGarbageAreShownInPiecesAndNothingIsLost) {
    FeedRig rig;
    const Bytes garbage(150, 0x3F);
    rig.feed.bytesIn(garbage);
    const std::vector<Seen> seen = takeAll(rig.intake);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].bytes.size(), 65u);
    EXPECT_EQ(seen[1].bytes.size(), 65u);
    EXPECT_EQ(seen[2].bytes.size(), 20u);
}

TEST(FrameFeed, WritesAreFramesOrUnframedText) {
    FeedRig rig;
    rig.feed.bytesOut(Bytes{0xE2, 0x45, 0x43});  // READ
    rig.feed.bytesOut(Bytes{0x82, 0x45});        // a two-byte short frame
    rig.feed.bytesOut(Bytes{'D'});               // a dump command
    rig.feed.bytesOut(Bytes{0xE2, 0x45, 0x03});  // a byte without its data bit
    const std::vector<Seen> seen = takeAll(rig.intake);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].kind, FrameKind::Frame);
    EXPECT_EQ(seen[1].kind, FrameKind::Frame);
    EXPECT_EQ(seen[2].kind, FrameKind::Unframed);
    EXPECT_EQ(seen[3].kind, FrameKind::Unframed);
    EXPECT_EQ(seen[0].direction, FrameDirection::Out);
}

TEST(FrameIntake, IsBoundedAndCountsWhatItRefuses) {
    FrameIntake intake(3);  // rounded up to 4
    EXPECT_EQ(intake.capacity(), 4u);
    FrameEntry e;
    for (int i = 0; i < 6; ++i) {
        e.timeMs = i;
        intake.push(e);
    }
    EXPECT_EQ(intake.refused(), 2u);
    // The oldest stay; taking one frees a cell for the next push.
    ASSERT_TRUE(intake.pop(e));
    EXPECT_EQ(e.timeMs, 0);
    e.timeMs = 9;
    EXPECT_TRUE(intake.push(e));
    std::vector<std::int64_t> order;
    while (intake.pop(e))
        order.push_back(e.timeMs);
    EXPECT_EQ(order, (std::vector<std::int64_t>{1, 2, 3, 9}));
}

TEST(FrameIntake, ManyProducersAndOneConsumerLoseNothingAndKeepEachProducersOrder) {
    constexpr int kProducers = 3;
    constexpr int kEach = 20000;
    FrameIntake intake(256);
    std::atomic<bool> go{false};
    std::vector<std::thread> producers;
    for (int p = 0; p < kProducers; ++p) {
        producers.emplace_back([&, p] {
            while (!go.load())
                std::this_thread::yield();
            FrameEntry e;
            e.bytes[0] = static_cast<std::uint8_t>(p);
            for (int i = 0; i < kEach; ++i) {
                e.timeMs = i;
                while (!intake.push(e))
                    std::this_thread::yield();
            }
        });
    }
    go.store(true);
    std::vector<std::int64_t> next(kProducers, 0);
    int taken = 0;
    FrameEntry e;
    while (taken < kProducers * kEach) {
        if (!intake.pop(e)) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(e.timeMs, next[e.bytes[0]]++);
        ++taken;
    }
    for (std::thread& t : producers)
        t.join();
    EXPECT_FALSE(intake.pop(e));
}

// A tap whose owner destroys it right after detaching it, while another
// thread keeps calling: the detach must wait for a call in progress.
TEST(FrameTapSlot, ATapIsNoLongerCalledOnceDetached) {
    struct CountingTap : FrameTap {
        std::atomic<int> calls{0};
        void bytesIn(std::span<const std::uint8_t>) override { calls.fetch_add(1); }
        void bytesOut(std::span<const std::uint8_t>) override { calls.fetch_add(1); }
    };
    FrameTapSlot slot;
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        const std::uint8_t byte = 0x80;
        while (!stop.load())
            slot.use([&](FrameTap& tap) { tap.bytesIn(std::span(&byte, 1)); });
    });
    for (int round = 0; round < 200; ++round) {
        auto tap = std::make_unique<CountingTap>();
        slot.attach(tap.get());
        EXPECT_TRUE(slot.attached());
        while (tap->calls.load() == 0 && round % 20 == 0)
            std::this_thread::yield();
        slot.attach(nullptr);
        const int calls = tap->calls.load();
        std::this_thread::yield();
        EXPECT_EQ(tap->calls.load(), calls);
        tap.reset();  // a call still inside it would touch freed memory (ASan, TSan)
    }
    stop.store(true);
    reader.join();
    EXPECT_FALSE(slot.attached());
}

}  // namespace
}  // namespace veltro::monitor
