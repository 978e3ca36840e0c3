// The serial link on the Win32 communications functions. A port with an
// echoing peer is named by VELTRO_TEST_SERIAL_PORT (scripts/test-windows maps
// one to a pseudo-terminal under Wine; a loopback plug serves on a real
// machine); without one those cases are skipped.
#include "veltro/link/win32/serial_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "support/veltro/dispatcher.h"
#include "support/veltro/frames.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/prompts.h"
#include "support/veltro/settings.h"
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

struct Serial {
    FakeDispatcher dispatcher;
    ScriptedPrompts prompts;
    CollectingConsumer consumer;
    SerialLink link{consumer, prompts, dispatcher};
};

// The port with an echoing peer, as a device name; empty when none is given.
std::string echoPort() {
    const char* name = std::getenv("VELTRO_TEST_SERIAL_PORT");
    return name != nullptr && *name != '\0' ? "\\\\.\\" + std::string(name) : std::string();
}

TEST(SerialLink, MissingPortGivesOnlyTheOpenMessage) {
    Serial s;
    EXPECT_FALSE(s.link.open("\\\\.\\COM87", 9600));
    EXPECT_EQ(s.prompts.shown(),
              std::vector<std::string>{"VELTRO.EXE|Fatale fout: de COM-poort kan niet geopend "
                                       "worden.\nControleer de COM-poortinstellingen.\n"
                                       "Apparaat: \\\\.\\COM87"});
    EXPECT_FALSE(s.link.connected());
    EXPECT_TRUE(s.link.writeSome(Bytes{0x41}, std::chrono::milliseconds(1)).closed);
}

TEST(SerialLink, PortNamesReachTheDeviceNameSpaceUnlessVeltroIniNamesAnother) {
    EXPECT_EQ(serialDevicePath("COM1", nullptr), "\\\\.\\COM1");
    EXPECT_EQ(serialDevicePath("COM4", nullptr), "\\\\.\\COM4");
    test_support::MemorySettings settings;
    ASSERT_TRUE(settings.writeString("Poorten", "COM2", "\\\\.\\COM12"));
    EXPECT_EQ(serialDevicePath("COM2", &settings), "\\\\.\\COM12");
    EXPECT_EQ(serialDevicePath("com2", &settings), "\\\\.\\COM12");
    EXPECT_EQ(serialDevicePath("COM3", &settings), "\\\\.\\COM3");
}

TEST(SerialLink, BytesGoOutAndComeBackThroughAnEchoingPeerWithoutMessages) {
    const std::string port = echoPort();
    if (port.empty())
        GTEST_SKIP() << "no port with an echoing peer (VELTRO_TEST_SERIAL_PORT)";
    Serial s;
    ASSERT_TRUE(s.link.open(port, 9600));
    EXPECT_TRUE(s.link.connected());

    // Raw 8 bits: a line feed, a carriage return, 0xFF and the XON/XOFF
    // characters pass unchanged.
    const Bytes out = {0xE2, 0x45, 0x43, '\n', '\r', 0xFF, 0x11, 0x13};
    const auto written = s.link.writeSome(out, std::chrono::milliseconds(100));
    EXPECT_EQ(written.written, out.size());
    EXPECT_EQ(s.consumer.waitFor(out.size()), out);

    // No modem lines behind the port: DTR and modem status are not applicable.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    s.dispatcher.drain();
    EXPECT_TRUE(s.prompts.snapshot().empty());

    s.link.lineBlocked();
    s.dispatcher.drain();
    EXPECT_EQ(s.prompts.shown(),
              std::vector<std::string>{
                  "VELTRO.EXE|Er is een fout opgetreden tijdens het schrijven naar de COM-poort "
                  "(WriteFile).\nControleer de COM-poortinstellingen."});
}

// A burst far beyond the driver's output buffer, through the write queue:
// every frame comes back whole and in order, while the reader and the writer
// use the port at the same time.
TEST(SerialLink, BurstThroughTheWriteQueueComesBackWhole) {
    const std::string port = echoPort();
    if (port.empty())
        GTEST_SKIP() << "no port with an echoing peer (VELTRO_TEST_SERIAL_PORT)";
    Serial s;
    ASSERT_TRUE(s.link.open(port, 115200));
    MachineClock clock;
    QueuedWriter writer(s.link, clock);

    Bytes expected;
    for (int i = 0; expected.size() < 20000; ++i) {
        const ControllerRecord record{32 + i % 450, i % 4000, -1, 0, i};
        const auto frame = encodeFrame(record, CommandMode::Write);
        ASSERT_TRUE(writer.writeBytes(frame.bytes())) << i;
        expected.insert(expected.end(), frame.bytes().begin(), frame.bytes().end());
    }
    const Bytes received = s.consumer.waitFor(expected.size());
    EXPECT_EQ(received.size(), expected.size());
    EXPECT_EQ(test_support::decodeFrames({received}), test_support::decodeFrames({expected}));
    EXPECT_TRUE(writer.waitUntilIdle(std::chrono::seconds(1)));
    s.dispatcher.drain();
    EXPECT_TRUE(s.prompts.snapshot().empty());
}

}  // namespace
}  // namespace veltro::link
