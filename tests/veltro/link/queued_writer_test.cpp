#include "veltro/link/queued_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/veltro/clock.h"
#include "support/veltro/line_output.h"
#include "support/veltro/wait.h"

namespace veltro::link {
namespace {

using test_support::Bytes;
using test_support::FakeClock;
using test_support::FakeLine;
using test_support::waitUntil;

Bytes frameOf(std::uint8_t seed, std::size_t size) {
    Bytes frame(size);
    for (std::size_t i = 0; i < size; ++i)
        frame[i] = static_cast<std::uint8_t>(seed + i);
    return frame;
}

// A line that takes a few bytes at a time still gets every byte in order.
TEST(QueuedWriter, EveryByteInOrderThroughASlowLine) {
    FakeClock clock;
    FakeLine line(clock);
    line.accept = 3;
    Bytes expected;
    {
        QueuedWriter writer(line, clock);
        for (int i = 0; i < 500; ++i) {
            const Bytes frame = frameOf(static_cast<std::uint8_t>(i), 2 + i % 7);
            ASSERT_TRUE(writer.writeBytes(frame));
            expected.insert(expected.end(), frame.begin(), frame.end());
        }
        EXPECT_TRUE(writer.waitUntilIdle(std::chrono::seconds(5)));
        EXPECT_EQ(writer.backlog(), 0u);
    }
    EXPECT_EQ(line.written(), expected);
    EXPECT_EQ(line.blockedReports.load(), 0);
}

// A blocked line is reported once per blocked spell, loses nothing, and the
// queue stays bounded: a frame that does not fit is refused whole.
TEST(QueuedWriter, BlockedLineIsReportedOnceAndTheQueueStaysBounded) {
    FakeClock clock;
    FakeLine line(clock);
    line.accept = 0;
    QueuedWriter writer(line, clock);
    const Bytes first = frameOf(1, 5);
    ASSERT_TRUE(writer.writeBytes(first));
    // Blocked past 10 ms per byte of what it was offered.
    EXPECT_TRUE(waitUntil([&] { return line.blockedReports.load() == 1; }));
    const auto waited = clock.now();
    EXPECT_TRUE(waitUntil([&] { return clock.now() > waited + std::chrono::seconds(1); }));
    EXPECT_EQ(line.blockedReports.load(), 1);  // still blocked: not reported again

    Bytes expected = first;
    const Bytes frame = frameOf(7, 9);
    std::size_t accepted = 0;
    while (writer.writeBytes(frame)) {
        expected.insert(expected.end(), frame.begin(), frame.end());
        ++accepted;
    }
    EXPECT_EQ(accepted, (QueuedWriter::kCapacity - first.size()) / frame.size());
    EXPECT_LE(writer.backlog(), QueuedWriter::kCapacity);
    EXPECT_TRUE(writer.writeBytes(Bytes(QueuedWriter::kCapacity - writer.backlog(), 0x41)));
    expected.resize(
        expected.size() + (QueuedWriter::kCapacity - first.size() - accepted * frame.size()),
        0x41);
    EXPECT_FALSE(writer.writeBytes(Bytes{0x42}));  // full to the byte

    line.accept = 4096;  // the line takes bytes again: all of them go out
    EXPECT_TRUE(writer.waitUntilIdle(std::chrono::seconds(5)));
    EXPECT_EQ(line.written(), expected);

    // A new blocked spell is reported again.
    line.accept = 0;
    ASSERT_TRUE(writer.writeBytes(first));
    EXPECT_TRUE(waitUntil([&] { return line.blockedReports.load() == 2; }));
    line.accept = 4096;
    EXPECT_TRUE(writer.waitUntilIdle(std::chrono::seconds(5)));
}

TEST(QueuedWriter, ClosedLineRefusesEverythingAfterwards) {
    FakeClock clock;
    FakeLine line(clock);
    QueuedWriter writer(line, clock);
    EXPECT_TRUE(writer.writeBytes(Bytes{}));  // nothing to send is no refusal
    line.closeNow = true;
    EXPECT_TRUE(writer.writeBytes(frameOf(1, 3)));
    EXPECT_TRUE(waitUntil([&] { return writer.closed(); }));
    EXPECT_FALSE(writer.writeBytes(frameOf(1, 3)));
    EXPECT_EQ(writer.backlog(), 0u);
    EXPECT_TRUE(line.written().empty());
}

}  // namespace
}  // namespace veltro::link
