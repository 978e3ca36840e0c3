#include "veltro/link/ip_client.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace veltro::link {
namespace {

class Collecting : public ByteConsumer {
  public:
    void bytesReceived(std::span<const std::uint8_t> bytes) override {
        std::lock_guard lock(m_mutex);
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    }
    std::vector<std::uint8_t> bytes() {
        std::lock_guard lock(m_mutex);
        return m_bytes;
    }

  private:
    std::mutex m_mutex;
    std::vector<std::uint8_t> m_bytes;
};

class RecordingErrors : public IpErrorHandler {
  public:
    void ipError(const IpError& e) override {
        std::lock_guard lock(m_mutex);
        errors.push_back(e);
    }
    std::size_t count() {
        std::lock_guard lock(m_mutex);
        return errors.size();
    }
    std::vector<IpError> errors;

  private:
    std::mutex m_mutex;
};

// A listener on 127.0.0.1 with a free port.
struct Listener {
    Listener() {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(fd, 1);
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
    }
    ~Listener() { ::close(fd); }
    int fd = -1;
    int port = 0;
};

template <class F>
bool waitUntil(F condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

TEST(IpClient, RefusedConnectionAndBadAddressAreIpErrors) {
    int closedPort = 0;
    {
        Listener l;
        closedPort = l.port;
    }
    LinkFlags flags;
    Collecting consumer;
    RecordingErrors errors;
    IpClient client(consumer, flags, errors);
    ASSERT_FALSE(client.create());
    const auto refused = client.connect("127.0.0.1", closedPort);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->code, 10061);
    EXPECT_EQ(refused->message,
              "error calling connect():\nThe attempt to connect was forcefully rejected.");

    IpClient other(consumer, flags, errors);
    ASSERT_FALSE(other.create());
    const auto bad = other.connect("192.168.1", 7000);  // no name lookup, no partial forms
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->code, 10049);
}

struct Connected {
    Connected() : client(consumer, flags, errors) {
        EXPECT_FALSE(client.create());
        EXPECT_FALSE(client.connect("127.0.0.1", listener.port));
        peer = ::accept(listener.fd, nullptr, nullptr);
        client.startReader();
    }
    ~Connected() {
        if (peer >= 0)
            ::close(peer);
    }
    Listener listener;
    LinkFlags flags;
    Collecting consumer;
    RecordingErrors errors;
    IpClient client;
    int peer = -1;
};

TEST(IpClient, BytesArriveInOrderAndSendsGoOutWhole) {
    Connected c;
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 20; ++i) {
        const std::uint8_t piece[] = {0xA2, 0x65, static_cast<std::uint8_t>(0x40 + i)};
        ASSERT_EQ(::send(c.peer, piece, sizeof piece, 0), 3);
        expected.insert(expected.end(), piece, piece + 3);
    }
    EXPECT_TRUE(waitUntil([&] { return c.consumer.bytes().size() >= expected.size(); }));
    EXPECT_EQ(c.consumer.bytes(), expected);

    const std::vector<std::uint8_t> frame = {0xB2, 0x44, 0x45, 0x43, 0x41, 0x64};
    c.client.writeBytes(frame);
    std::uint8_t got[6] = {};
    ASSERT_EQ(::recv(c.peer, got, sizeof got, MSG_WAITALL), 6);
    EXPECT_EQ(std::vector<std::uint8_t>(got, got + 6), frame);
}

TEST(IpClient, OrderlyCloseEndsTheReaderQuietly) {
    Connected c;
    const std::uint8_t last[] = {0x41, 0x42};
    ::send(c.peer, last, 2, 0);
    ::close(c.peer);
    c.peer = -1;
    EXPECT_TRUE(waitUntil([&] { return c.client.connectionEnded(); }));
    EXPECT_EQ(c.client.lastReceiveCount(), 0);
    EXPECT_EQ(c.consumer.bytes(), (std::vector<std::uint8_t>{0x41, 0x42}));
    const std::uint8_t frame[] = {0xE2, 0x45, 0x43};
    c.client.writeBytes(frame);  // the program goes on; nothing to report
    c.client.writeBytes(frame);
    EXPECT_EQ(c.errors.count(), 0u);
}

TEST(IpClient, ResetIsTheMinus99CountAndNotAnError) {
    Connected c;
    linger reset{1, 0};
    ::setsockopt(c.peer, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    ::close(c.peer);
    c.peer = -1;
    EXPECT_TRUE(waitUntil([&] { return c.client.connectionEnded(); }));
    EXPECT_EQ(c.client.lastReceiveCount(), IpClient::kConnectionReset);
    const std::uint8_t frame[] = {0xE2, 0x45, 0x43};
    c.client.writeBytes(frame);
    EXPECT_EQ(c.errors.count(), 0u);
    EXPECT_TRUE(c.consumer.bytes().empty());
}

}  // namespace
}  // namespace veltro::link
