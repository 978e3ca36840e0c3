// The adapters' side of a reconnect: a lost line is told once, writes are
// dropped meanwhile, and reopen() connects the same address or device again.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "support/temp_dir.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/prompts.h"
#include "support/veltro/wait.h"
#include "veltro/link/posix/ip_client.h"
#include "veltro/link/posix/serial_link.h"

namespace veltro::link {
namespace {

using test_support::Bytes;
using test_support::waitUntil;

class CountingWatch final : public LineWatch {
  public:
    explicit CountingWatch(bool reconnect) : m_reconnect(reconnect) {}
    void lineLost() override { lost.fetch_add(1); }
    bool reconnects() const override { return m_reconnect; }
    std::atomic<int> lost{0};

  private:
    bool m_reconnect;
};

int listenOn(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int portOf(int fd) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

int acceptOne(int listener) {
    pollfd p{listener, POLLIN, 0};
    if (::poll(&p, 1, 3000) <= 0)
        return -1;
    return ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
}

void resetConnection(int fd) {
    const linger hard{1, 0};  // close with a reset, as a controller that drops it
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    ::close(fd);
}

TEST(IpReconnect, AClosedOrResetConnectionIsLostOnceAndReopenedToTheSameAddress) {
    int listener = listenOn(0);
    ASSERT_GE(listener, 0);
    const int port = portOf(listener);
    test_support::FakeDispatcher dispatcher;
    test_support::CollectingConsumer consumer;
    test_support::RecordingIpErrors errors;
    LinkFlags flags;
    CountingWatch watch(true);
    IpClient client(consumer, flags, errors, dispatcher, &watch);
    ASSERT_FALSE(client.create());
    ASSERT_FALSE(client.connect("127.0.0.1", port));
    client.startReader();
    int peer = acceptOne(listener);
    ASSERT_GE(peer, 0);

    ::close(peer);  // an orderly close
    ASSERT_TRUE(waitUntil([&] { return watch.lost.load() == 1; }));
    const Bytes frame{0xE2, 0x45, 0x43};
    const auto dropped = client.writeSome(frame, std::chrono::milliseconds(10));
    EXPECT_EQ(dropped.written, frame.size());  // dropped, and the line not closed for good
    EXPECT_FALSE(dropped.closed);

    // Nobody listening: the attempt fails at once; the listener back: it connects.
    ::close(listener);
    std::stop_source stop;
    EXPECT_FALSE(client.reopen(stop.get_token()));
    listener = listenOn(port);
    ASSERT_GE(listener, 0);
    ASSERT_TRUE(client.reopen(stop.get_token()));
    peer = acceptOne(listener);
    ASSERT_GE(peer, 0);
    ASSERT_EQ(::write(peer, "\xA2\x65\x5F", 3), 3);
    EXPECT_EQ(consumer.waitFor(3), (Bytes{0xA2, 0x65, 0x5F}));
    const auto sent = client.writeSome(frame, std::chrono::milliseconds(100));
    EXPECT_EQ(sent.written, frame.size());
    std::uint8_t got[3] = {};
    EXPECT_EQ(::recv(peer, got, 3, MSG_WAITALL), 3);

    resetConnection(peer);  // a reset is a loss too, told once more
    ASSERT_TRUE(waitUntil([&] { return watch.lost.load() == 2; }));
    EXPECT_TRUE(errors.errors().empty());
    EXPECT_EQ(dispatcher.queued(), 0U);
    ::close(listener);
}

TEST(IpReconnect, WithoutReconnectingACloseIsToldButTheLineEndsAsItAlwaysDid) {
    const int listener = listenOn(0);
    test_support::FakeDispatcher dispatcher;
    test_support::CollectingConsumer consumer;
    test_support::RecordingIpErrors errors;
    LinkFlags flags;
    CountingWatch watch(false);
    IpClient client(consumer, flags, errors, dispatcher, &watch);
    ASSERT_FALSE(client.create());
    ASSERT_FALSE(client.connect("127.0.0.1", portOf(listener)));
    client.startReader();
    resetConnection(acceptOne(listener));
    ASSERT_TRUE(waitUntil([&] { return client.connectionEnded(); }));
    EXPECT_EQ(watch.lost.load(), 1);
    EXPECT_TRUE(client.writeSome(Bytes{0x41}, std::chrono::milliseconds(10)).closed);
    ::close(listener);
}

// A pseudo-terminal behind a fixed name, as a USB adapter's device name that
// comes back when it is plugged in again.
struct NamedPty {
    explicit NamedPty(const std::filesystem::path& name) : link(name) { plugIn(); }
    ~NamedPty() { unplug(); }
    void plugIn() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ::grantpt(master);
        ::unlockpt(master);
        std::filesystem::remove(link);
        std::filesystem::create_symlink(::ptsname(master), link);
    }
    void unplug() {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    std::filesystem::path link;
    int master = -1;
};

TEST(SerialReconnect, AVanishedDeviceIsLostOnceAndFoundAgainUnderItsName) {
    const test_support::TempDir dir;
    NamedPty pty(dir.path() / "ttyUSB0");
    test_support::FakeDispatcher dispatcher;
    test_support::CollectingConsumer consumer;
    test_support::ScriptedPrompts prompts;
    CountingWatch watch(true);
    SerialLink serial(consumer, prompts, dispatcher, &watch);
    ASSERT_TRUE(serial.open(pty.link.string(), 9600));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the reader's first checks
    dispatcher.drain();
    const std::size_t boxesOfTheOpening = prompts.boxes.size();

    pty.unplug();
    ASSERT_TRUE(waitUntil([&] { return watch.lost.load() == 1; }));
    EXPECT_EQ(serial.writeSome(Bytes{0x41, 0x42}, std::chrono::milliseconds(10)).written, 2U);
    std::stop_source stop;
    EXPECT_FALSE(serial.reopen(stop.get_token()));  // still away

    pty.plugIn();
    ASSERT_TRUE(serial.reopen(stop.get_token()));
    ASSERT_EQ(::write(pty.master, "\xA2\x65\x5F", 3), 3);
    EXPECT_EQ(consumer.waitFor(3), (Bytes{0xA2, 0x65, 0x5F}));
    EXPECT_EQ(watch.lost.load(), 1);
    dispatcher.drain();
    EXPECT_EQ(prompts.boxes.size(), boxesOfTheOpening);  // the set-up again is silent
}

}  // namespace
}  // namespace veltro::link
