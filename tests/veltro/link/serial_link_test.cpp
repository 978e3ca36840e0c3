#include "veltro/link/serial_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/profile_file.h"
#include "link_fakes.h"
#include "veltro/link/serial_device.h"

namespace veltro::link {
namespace {

class RecordingPrompts : public Prompts {
  public:
    void messageBox(std::string_view caption, std::string_view text, PromptIcon) override {
        std::lock_guard lock(m_mutex);
        boxes.push_back(std::string(caption) + "|" + std::string(text));
    }
    bool askYesNo(std::string_view, std::string_view, PromptIcon) override { return false; }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }
    std::vector<std::string> snapshot() {
        std::lock_guard lock(m_mutex);
        return boxes;
    }

  private:
    std::mutex m_mutex;
    std::vector<std::string> boxes;
};

class CollectingConsumer : public ByteConsumer {
  public:
    void bytesReceived(std::span<const std::uint8_t> bytes) override {
        std::lock_guard lock(m_mutex);
        received.insert(received.end(), bytes.begin(), bytes.end());
    }
    std::vector<std::uint8_t> waitFor(std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            {
                std::lock_guard lock(m_mutex);
                if (received.size() >= count)
                    return received;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::lock_guard lock(m_mutex);
        return received;
    }

  private:
    std::mutex m_mutex;
    std::vector<std::uint8_t> received;
};

struct Pty {
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master);
        ::unlockpt(master);
        slave = ::ptsname(master);
    }
    ~Pty() { ::close(master); }
    std::vector<std::uint8_t> readMaster(std::size_t count) {
        std::vector<std::uint8_t> out;
        while (out.size() < count) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 2000) <= 0)
                break;
            std::uint8_t buffer[64];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            out.insert(out.end(), buffer, buffer + n);
        }
        return out;
    }
    int master = -1;
    std::string slave;
};

const std::string kOpenFailure =
    "VELTRO.EXE|Fatale fout: de COM-poort kan niet geopend worden.\n"
    "Controleer de COM-poortinstellingen.";

TEST(SerialLink, MissingDeviceGivesOnlyTheOpenMessage) {
    RecordingPrompts prompts;
    CollectingConsumer consumer;
    SerialLink link(consumer, prompts);
    EXPECT_FALSE(link.open("/dev/no-such-serial-port", 9600));
    EXPECT_EQ(prompts.snapshot(), std::vector<std::string>{kOpenFailure});
    EXPECT_FALSE(link.connected());
}

TEST(SerialLink, BytesFlowBothWaysOverAPseudoTerminalWithoutMessages) {
    Pty pty;
    RecordingPrompts prompts;
    CollectingConsumer consumer;
    SerialLink link(consumer, prompts);
    ASSERT_TRUE(link.open(pty.slave, 9600));
    EXPECT_TRUE(link.connected());

    // The line is raw 8N1 at the chosen speed: a line feed or 0xFF passes unchanged.
    termios line{};
    const int probe = ::open(pty.slave.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::tcgetattr(probe, &line), 0);
    ::close(probe);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));

    const std::vector<std::uint8_t> in = {0xA2, 0x65, 0x5F, '\n', '\r', 0xFF, 0x11, 0x13};
    ASSERT_EQ(::write(pty.master, in.data(), in.size()), static_cast<ssize_t>(in.size()));
    EXPECT_EQ(consumer.waitFor(in.size()), in);

    const std::vector<std::uint8_t> out = {0xE2, 0x45, 0x43, '\n'};
    link.writeBytes(out);
    EXPECT_EQ(pty.readMaster(out.size()), out);
    // A pseudo-terminal has no modem lines: DTR and modem status are not applicable.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(prompts.snapshot().empty());
}

TEST(SerialLink, RejectedSettingsAreReportedAndTheLinkStillRuns) {
    Pty pty;
    RecordingPrompts prompts;
    CollectingConsumer consumer;
    SerialLink link(consumer, prompts);
    ASSERT_TRUE(link.open(pty.slave, 14400));  // no termios speed for it
    EXPECT_EQ(prompts.snapshot(),
              std::vector<std::string>{
                  "VELTRO.EXE|Er is een fout opgetreden tijdens het instellen van de COM-poort "
                  "(SetCommState).\n                            "
                  "Controleer de COM-poortinstellingen."});
    const std::vector<std::uint8_t> in = {0x41, 0x42};
    ASSERT_EQ(::write(pty.master, in.data(), in.size()), 2);
    EXPECT_EQ(consumer.waitFor(2), in);
}

TEST(SerialLink, NotATerminalGetsEachSetupMessageAndGoesOn) {
    RecordingPrompts prompts;
    CollectingConsumer consumer;
    SerialLink link(consumer, prompts);
    ASSERT_TRUE(link.open("/dev/null", 9600));
    const auto boxes = prompts.snapshot();
    ASSERT_GE(boxes.size(), 3u);
    EXPECT_NE(boxes[0].find("(GetTimeOuts)"), std::string::npos);
    EXPECT_NE(boxes[1].find("(SetTimeOuts)"), std::string::npos);
    EXPECT_NE(boxes[2].find("(GetCommState).\n" + std::string(26, ' ') + "Controleer"),
              std::string::npos);
}

TEST(SerialDevice, PortNamesAndTheirDevices) {
    const std::pair<int, const char*> names[] = {
        {1, "COM1"}, {4, "COM4"}, {0, "COM1"}, {5, "COM1"}, {-3, "COM1"}};
    for (auto [number, name] : names)
        EXPECT_EQ(serialPortName(number), name);
    EXPECT_EQ(serialDevicePath("COM1", nullptr), "/dev/ttyS0");
    EXPECT_EQ(serialDevicePath("COM4", nullptr), "/dev/ttyS3");

    const auto ini = std::filesystem::path(TEST_BINARY_DIR) / "serial_device_veltro.ini";
    std::filesystem::remove(ini);
    common::ProfileFile settings(ini);
    ASSERT_TRUE(settings.writeString("Poorten", "COM2", "/dev/pts/7"));
    EXPECT_EQ(serialDevicePath("COM2", &settings), "/dev/pts/7");
    EXPECT_EQ(serialDevicePath("COM3", &settings), "/dev/ttyS2");
}

}  // namespace
}  // namespace veltro::link
