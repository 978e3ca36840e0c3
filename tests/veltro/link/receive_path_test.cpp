#include "veltro/link/receive_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "link_fakes.h"
#include "veltro/link/record_router.h"

namespace veltro::link {
namespace {

using testing::RecordingDisplay;
using testing::RecordingSink;
using Bytes = std::vector<std::uint8_t>;

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
    RecordingDisplay display;
    DumpReceiver dump{display};
    ReceivePath path{flags, router, dump};
};

TEST_F(ReceivePathTest, RoutesEachRecordToTheSinkChosenWhenItIsDecoded) {
    const Bytes frame = {0xA2, 0x65, 0x5F};
    path.bytesReceived(frame);
    router.setToolDialogOpen(true);
    path.bytesReceived(frame);
    router.setToolDialogOpen(false);
    // A frame split over two reads completes with the second.
    path.bytesReceived(Bytes{0xB2, 0x44, 0x45});
    path.bytesReceived(Bytes{0x43, 0x41, 0x64});
    ASSERT_EQ(window.records.size(), 2u);
    EXPECT_EQ(window.records[1], (ControllerRecord{69, 3, 0, 0, 100}));
    EXPECT_EQ(tool.records.size(), 1u);
}

TEST_F(ReceivePathTest, PausedReadsAreDroppedWhole) {
    flags.paused = true;
    path.bytesReceived(Bytes{0xA2, 0x65, 0x5F});
    flags.paused = false;
    path.bytesReceived(Bytes{0xA2, 0x65, 0x5F});
    EXPECT_EQ(window.records.size(), 1u);
}

// The dump flag is looked at for every byte: a dump receiver that closes the
// dialog in the middle of a read hands the rest of it back to the decoder.
class ClosingDisplay : public RecordingDisplay {
  public:
    LinkFlags* flags = nullptr;
    void showCount(std::int32_t count) override {
        RecordingDisplay::showCount(count);
        if (count == 2)
            flags->dumpOpen = false;
    }
};

TEST(ReceivePath, DumpFlagIsLookedAtForEveryByte) {
    LinkFlags flags;
    RecordingSink window;
    RecordRouter router;
    router.setWindowSink(&window);
    ClosingDisplay display;
    display.flags = &flags;
    DumpReceiver dump{display};
    ReceivePath path{flags, router, dump};
    const auto file = std::filesystem::path(TEST_BINARY_DIR) / "receive_path_dump.dmp";
    dump.open(file.string());
    flags.dumpOpen = true;
    path.bytesReceived(Bytes{'O', 'K', 0xA2, 0x65, 0x5F});
    EXPECT_EQ(dump.count(), 2);
    EXPECT_EQ(window.records.size(), 1u);
}

}  // namespace
}  // namespace veltro::link
