#include "veltro/link/posix/serial_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/veltro/clock.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/frames.h"
#include "support/veltro/line_output.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/prompts.h"
#include "support/veltro/settings.h"
#include "support/veltro/wait.h"
#include "veltro/link/frame_encoder.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/queued_writer.h"
#include "veltro/link/serial_device.h"

namespace veltro::link {
namespace {

using test_support::Bytes;
using test_support::CollectingConsumer;
using test_support::FakeDispatcher;
using test_support::ScriptedPrompts;

struct Pty {
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master);
        ::unlockpt(master);
        slave = ::ptsname(master);
    }
    ~Pty() { ::close(master); }
    // Reads until `count` bytes came or the line stayed quiet for 2 s; with
    // `chunk` and `pause`, a slow reader that takes a little at a time.
    Bytes readMaster(std::size_t count, std::size_t chunk = 4096,
                     std::chrono::microseconds pause = {}) {
        Bytes out;
        std::vector<std::uint8_t> buffer(chunk);
        while (out.size() < count) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 2000) <= 0)
                break;
            const ssize_t n = ::read(master, buffer.data(), buffer.size());
            if (n <= 0)
                break;
            out.insert(out.end(), buffer.begin(), buffer.begin() + n);
            if (pause.count() > 0)
                std::this_thread::sleep_for(pause);
        }
        return out;
    }
    int master = -1;
    std::string slave;
};

struct Serial {
    FakeDispatcher dispatcher;
    ScriptedPrompts prompts;
    CollectingConsumer consumer;
    SerialLink link{consumer, prompts, dispatcher};
};

// The system's text, then the device that was tried.
const std::string kOpenFailure =
    "VELTRO.EXE|Fatale fout: de COM-poort kan niet geopend worden.\n"
    "Controleer de COM-poortinstellingen.\nApparaat: /dev/no-such-serial-port";

TEST(SerialLink, MissingDeviceGivesOnlyTheOpenMessage) {
    Serial s;
    EXPECT_FALSE(s.link.open("/dev/no-such-serial-port", 9600));
    EXPECT_EQ(s.prompts.shown(), std::vector<std::string>{kOpenFailure});
    EXPECT_FALSE(s.link.connected());
    EXPECT_TRUE(s.link.writeSome(Bytes{0x41}, std::chrono::milliseconds(1)).closed);
}

TEST(SerialLink, BytesFlowBothWaysOverAPseudoTerminalWithoutMessages) {
    Pty pty;
    Serial s;
    ASSERT_TRUE(s.link.open(pty.slave, 9600));
    EXPECT_TRUE(s.link.connected());

    // The line is raw 8N1 at the chosen speed: a line feed or 0xFF passes unchanged.
    termios line{};
    const int probe = ::open(pty.slave.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::tcgetattr(probe, &line), 0);
    ::close(probe);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));

    const Bytes in = {0xA2, 0x65, 0x5F, '\n', '\r', 0xFF, 0x11, 0x13};
    ASSERT_EQ(::write(pty.master, in.data(), in.size()), static_cast<ssize_t>(in.size()));
    EXPECT_EQ(s.consumer.waitFor(in.size()), in);

    const Bytes out = {0xE2, 0x45, 0x43, '\n'};
    const auto written = s.link.writeSome(out, std::chrono::milliseconds(100));
    EXPECT_EQ(written.written, out.size());
    EXPECT_EQ(pty.readMaster(out.size()), out);
    // A pseudo-terminal has no modem lines: DTR and modem status are not applicable.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    s.dispatcher.drain();
    EXPECT_TRUE(s.prompts.snapshot().empty());

    // A line that stays blocked is reported through the user-interface thread.
    s.link.lineBlocked();
    EXPECT_TRUE(s.prompts.snapshot().empty());
    s.dispatcher.drain();
    EXPECT_EQ(s.prompts.shown(),
              std::vector<std::string>{
                  "VELTRO.EXE|Er is een fout opgetreden tijdens het schrijven naar de COM-poort "
                  "(WriteFile).\nControleer de COM-poortinstellingen."});
}

// F5 on full windows is a burst of frames far beyond what the line holds at
// once. Senders queue it and return; the writer drains it at the speed of a
// reader that takes a little at a time: every frame arrives whole, in order.
TEST(SerialLink, BurstThroughTheWriteQueueReachesASlowReaderWhole) {
    Pty pty;
    Serial s;
    ASSERT_TRUE(s.link.open(pty.slave, 9600));
    // The clock stands still: the line's write time-out never runs out, so a
    // busy machine cannot make it report a blocked line.
    test_support::FakeClock clock;
    test_support::GatedLine gate(s.link);
    QueuedWriter writer(gate, clock);

    Bytes expected;
    for (int i = 0; expected.size() < 40000; ++i) {
        const ControllerRecord record{32 + i % 450, i % 4000, -1, 0, i};
        const auto frame = encodeFrame(record, CommandMode::Write);
        ASSERT_TRUE(writer.writeBytes(frame.bytes())) << i;
        expected.insert(expected.end(), frame.bytes().begin(), frame.bytes().end());
    }
    EXPECT_EQ(writer.backlog(), expected.size());  // the senders did not wait for the line
    gate.open();

    const Bytes received = pty.readMaster(expected.size(), 64, std::chrono::microseconds(500));
    EXPECT_EQ(received.size(), expected.size());
    EXPECT_TRUE(received == expected);
    EXPECT_EQ(test_support::decodeFrames({received}), test_support::decodeFrames({expected}));
    EXPECT_TRUE(writer.waitUntilIdle(std::chrono::seconds(60)));
    s.dispatcher.drain();
    EXPECT_TRUE(s.prompts.snapshot().empty());  // never blocked past its time-out
}

TEST(SerialLink, RejectedSettingsAreReportedAndTheLinkStillRuns) {
    Pty pty;
    Serial s;
    ASSERT_TRUE(s.link.open(pty.slave, 14400));  // no termios speed for it
    EXPECT_EQ(s.prompts.shown(),
              std::vector<std::string>{
                  "VELTRO.EXE|Er is een fout opgetreden tijdens het instellen van de COM-poort "
                  "(SetCommState).\n                            "
                  "Controleer de COM-poortinstellingen."});
    const Bytes in = {0x41, 0x42};
    ASSERT_EQ(::write(pty.master, in.data(), in.size()), 2);
    EXPECT_EQ(s.consumer.waitFor(2), in);
}

TEST(SerialLink, NotATerminalGetsEachSetupMessageAndGoesOn) {
    Serial s;
    ASSERT_TRUE(s.link.open("/dev/null", 9600));
    const auto boxes = s.prompts.shown();
    ASSERT_GE(boxes.size(), 3u);
    EXPECT_NE(boxes[0].find("(GetTimeOuts)"), std::string::npos);
    EXPECT_NE(boxes[1].find("(SetTimeOuts)"), std::string::npos);
    EXPECT_NE(boxes[2].find("(GetCommState).\n" + std::string(26, ' ') + "Controleer"),
              std::string::npos);
    // The reader thread's own messages come through the dispatcher, after
    // these: the test waits for the reader's post, however late it runs.
    ASSERT_TRUE(test_support::waitUntil([&] { return s.dispatcher.queued() > 0; },
                                        std::chrono::seconds(60)));
    const std::size_t before = s.prompts.snapshot().size();
    s.dispatcher.drain();
    const auto after = s.prompts.shown();
    ASSERT_GT(after.size(), before);
    EXPECT_NE(after.back().find("(ClearCommError)"), std::string::npos);
}

TEST(SerialDevice, PortNamesAndTheirDevices) {
    const std::pair<int, const char*> names[] = {
        {1, "COM1"}, {4, "COM4"}, {0, "COM1"}, {5, "COM1"}, {-3, "COM1"}};
    for (auto [number, name] : names)
        EXPECT_EQ(serialPortName(number), name);
    EXPECT_EQ(serialDevicePath("COM1", nullptr), "/dev/ttyS0");
    EXPECT_EQ(serialDevicePath("COM4", nullptr), "/dev/ttyS3");

    test_support::MemorySettings settings;
    ASSERT_TRUE(settings.writeString("Poorten", "COM2", "/dev/pts/7"));
    EXPECT_EQ(serialDevicePath("COM2", &settings), "/dev/pts/7");
    EXPECT_EQ(serialDevicePath("com2", &settings), "/dev/pts/7");
    EXPECT_EQ(serialDevicePath("COM3", &settings), "/dev/ttyS2");
}

}  // namespace
}  // namespace veltro::link
