#include "veltro/link/receive_path.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_dir.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/timers.h"
#include "veltro/link/record_router.h"

namespace veltro::link {
namespace {

using test_support::Bytes;
using test_support::FakeDispatcher;
using test_support::FakeReplyTimer;
using test_support::RecordingDumpDisplay;
using test_support::RecordingSink;

class ReceivePathTest : public ::testing::Test {
  protected:
    ReceivePathTest() {
        router.setWindowSink(&window);
        router.setToolSink(&tool);
    }
    LinkFlags flags;
    RecordingSink window;
    RecordingSink tool;
    RecordRouter router;
    RecordingDumpDisplay display;
    FakeReplyTimer timer;
    FakeDispatcher dispatcher;
    DumpReceiver dump{display, timer, dispatcher};
    ReceivePath path{flags, router, dump};
    test_support::TempDir dir;
};

TEST_F(ReceivePathTest, RoutesEachRecordToTheSinkChosenWhenItIsDecoded) {
    const Bytes frame = {0xA2, 0x65, 0x5F};
    path.bytesReceived(frame);
    router.setRouteToParameterStore(true);
    path.bytesReceived(frame);
    router.setRouteToParameterStore(false);
    // A frame split over two reads completes with the second.
    path.bytesReceived(Bytes{0xB2, 0x44, 0x45});
    path.bytesReceived(Bytes{0x43, 0x41, 0x64});
    ASSERT_EQ(window.records().size(), 2u);
    EXPECT_EQ(window.records()[1], (ControllerRecord{69, 3, 0, 0, 100}));
    EXPECT_EQ(tool.records().size(), 1u);
}

TEST_F(ReceivePathTest, PausedReadsAreDroppedWhole) {
    flags.paused = true;
    path.bytesReceived(Bytes{0xA2, 0x65, 0x5F});
    flags.paused = false;
    path.bytesReceived(Bytes{0xA2, 0x65, 0x5F});
    EXPECT_EQ(window.records().size(), 1u);
}

// Opens the dump dialog the moment a record arrives, as if the GUI thread
// had set the flag between two bytes of one read.
class OpeningSink : public RecordSink {
  public:
    explicit OpeningSink(LinkFlags& flags) : m_flags(flags) {}
    void deliver(const ControllerRecord&) override { m_flags.dumpOpen = true; }

  private:
    LinkFlags& m_flags;
};

// The dump flag is looked at for every byte; the dump receiver gets its run
// of bytes in one call, and so updates its window once for the read.
TEST_F(ReceivePathTest, DumpFlagIsLookedAtForEveryByte) {
    OpeningSink opener(flags);
    router.setWindowSink(&opener);
    dump.open((dir.path() / "receive_path.dmp").string());
    path.bytesReceived(Bytes{0xA2, 0x65, 0x5F, 'O', 'K', '\n'});
    EXPECT_EQ(dump.count(), 3);
    dispatcher.drain();
    EXPECT_EQ(display.countUpdates(), 2);  // the open, then one for the read
    EXPECT_EQ(display.count(), 3);

    // And back: bytes after the flag is cleared go to the decoder again.
    router.setWindowSink(&window);
    flags.dumpOpen = false;
    path.bytesReceived(Bytes{0xA2, 0x65, 0x5F});
    EXPECT_EQ(dump.count(), 3);
    EXPECT_EQ(window.records().size(), 1u);
}

}  // namespace
}  // namespace veltro::link
