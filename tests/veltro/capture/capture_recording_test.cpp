// The debugger's recording from the menu: the file is made with the first
// frame, the message window hears of start, end, gaps, failure and limit.
#include "veltro/capture/capture_recording.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace {

using namespace veltro;
using test_support::TempDir;

const std::uint8_t kFrame[] = {0xA2, 0x65, 0x5F};

struct Rig {
    FrameTapSlot slot;
    std::int64_t now = 1000;
    monitor::MonitorHub hub{slot, [this] { return now; }};
    capture::CaptureRecording recording{hub};
    void frames(int count) {
        for (int i = 0; i < count; ++i)
            slot.use([](FrameTap& tap) { tap.bytesIn(kFrame); });
        hub.drain(now);
    }
};

TEST(CaptureRecording, TellsStartEndAndMakesTheFileOnlyWithAFrame) {
    TempDir dir;
    const std::string path = (dir.path() / "opname.txt").string();
    Rig rig;
    EXPECT_EQ(rig.recording.start(path, EXAMPLES_DIR "/kruispunt"),
              "Opname naar " + path + " gestart.");
    rig.frames(0);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(rig.recording.stop(),
              "Opname gestopt: er kwam geen frame; " + path + " is niet gemaakt.");
    EXPECT_FALSE(rig.slot.attached());
    EXPECT_FALSE(rig.recording.stop());  // none runs

    rig.recording.start(path, EXAMPLES_DIR "/kruispunt");
    rig.frames(3);
    EXPECT_EQ(rig.recording.stop(), "Opname naar " + path + " gestopt: 3 frames.");
    const std::string text = test_support::readFile(path);
    EXPECT_TRUE(text.starts_with("VELTRO-OPNAME 1\nproject kruispunt\nzxapdef 20")) << text;
    EXPECT_TRUE(text.ends_with("0 < A2 65 5F\neinde\n")) << text;
}

TEST(CaptureRecording, AFailureOrTheLimitEndsItWithItsMessageOnce) {
    TempDir dir;
    Rig rig;
    const std::string nowhere = (dir.path() / "nergens" / "opname.txt").string();
    rig.recording.start(nowhere, ".");
    rig.frames(1);
    EXPECT_EQ(rig.recording.check(),
              "Opname naar " + nowhere + " mislukt: No such file or directory.");
    EXPECT_FALSE(rig.recording.active());
    EXPECT_FALSE(rig.recording.check());

    const std::string path = (dir.path() / "klein.txt").string();
    rig.recording.start(path, ".", 100);
    rig.frames(1);
    EXPECT_FALSE(rig.recording.check());  // still room
    rig.frames(10);
    EXPECT_EQ(rig.recording.check(),
              "Opname naar " + path + " gestopt: de grens van 100 bytes is bereikt.");
    EXPECT_TRUE(test_support::readFile(path).ends_with("einde limiet\n"));
}

}  // namespace
