#include "veltro/link/posix/ip_client.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/wait.h"
#include "veltro/link/posix/socket_errors.h"

namespace veltro::link {
namespace {

using test_support::Bytes;
using test_support::FakeDispatcher;
using test_support::waitUntil;
using Collecting = test_support::CollectingConsumer;
using RecordingErrors = test_support::RecordingIpErrors;

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

TEST(IpClient, RefusedConnectionAndBadAddressAreIpErrors) {
    int closedPort = 0;
    {
        Listener l;
        closedPort = l.port;
    }
    LinkFlags flags;
    Collecting consumer;
    RecordingErrors errors;
    FakeDispatcher dispatcher;
    IpClient client(consumer, flags, errors, dispatcher);
    ASSERT_FALSE(client.create());
    const auto refused = client.connect("127.0.0.1", closedPort);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->code, 10061);
    EXPECT_EQ(refused->message,
              "error calling connect():\nThe attempt to connect was forcefully rejected.");

    IpClient other(consumer, flags, errors, dispatcher);
    ASSERT_FALSE(other.create());
    const auto bad = other.connect("192.168.1", 7000);  // no name lookup, no partial forms
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->code, 10049);
}

struct Connected {
    Connected() : client(consumer, flags, errors, dispatcher) {
        EXPECT_FALSE(client.create());
        EXPECT_FALSE(client.connect("127.0.0.1", listener.port));
        peer = ::accept(listener.fd, nullptr, nullptr);
        client.startReader();
    }
    ~Connected() {
        if (peer >= 0)
            ::close(peer);
    }
    // What the link's write queue does: offer the rest until all is taken.
    bool sendAll(const Bytes& bytes) {
        std::span<const std::uint8_t> rest(bytes);
        while (!rest.empty()) {
            const auto r = client.writeSome(rest, std::chrono::milliseconds(50));
            if (r.closed)
                return false;
            rest = rest.subspan(r.written);
        }
        return true;
    }
    Listener listener;
    LinkFlags flags;
    Collecting consumer;
    RecordingErrors errors;
    FakeDispatcher dispatcher;
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

    const Bytes frame = {0xB2, 0x44, 0x45, 0x43, 0x41, 0x64};
    ASSERT_TRUE(c.sendAll(frame));
    std::uint8_t got[6] = {};
    ASSERT_EQ(::recv(c.peer, got, sizeof got, MSG_WAITALL), 6);
    EXPECT_EQ(Bytes(got, got + 6), frame);

    // A peer that reads late: the socket takes what fits, the rest is
    // offered again, and every byte arrives in order.
    Bytes big(8 << 20);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    Bytes received(big.size());
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::size_t at = 0;
        while (at < received.size()) {
            const ssize_t n = ::recv(c.peer, received.data() + at, received.size() - at, 0);
            if (n <= 0)
                break;
            at += static_cast<std::size_t>(n);
        }
    });
    EXPECT_TRUE(c.sendAll(big));
    reader.join();
    EXPECT_TRUE(received == big);
}

TEST(IpClient, OrderlyCloseEndsTheReaderQuietly) {
    Connected c;
    const std::uint8_t last[] = {0x41, 0x42};
    ::send(c.peer, last, 2, 0);
    ::close(c.peer);
    c.peer = -1;
    EXPECT_TRUE(waitUntil([&] { return c.client.connectionEnded(); }));
    EXPECT_EQ(c.client.lastReceiveCount(), 0);
    EXPECT_EQ(c.consumer.bytes(), (Bytes{0x41, 0x42}));
    const Bytes frame = {0xE2, 0x45, 0x43};
    EXPECT_FALSE(c.sendAll(frame));  // the program goes on; nothing to report
    EXPECT_FALSE(c.sendAll(frame));
    c.dispatcher.drain();
    EXPECT_TRUE(c.errors.errors().empty());
}

TEST(IpClient, ResetIsTheMinus99CountAndNotAnError) {
    Connected c;
    linger reset{1, 0};
    ::setsockopt(c.peer, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    ::close(c.peer);
    c.peer = -1;
    EXPECT_TRUE(waitUntil([&] { return c.client.connectionEnded(); }));
    EXPECT_EQ(c.client.lastReceiveCount(), IpClient::kConnectionReset);
    EXPECT_FALSE(c.sendAll(Bytes{0xE2, 0x45, 0x43}));
    c.dispatcher.drain();
    EXPECT_TRUE(c.errors.errors().empty());
    EXPECT_TRUE(c.consumer.bytes().empty());
}

TEST(SocketErrors, PosixErrorsMapToWindowsSocketsNumbers) {
    const std::pair<int, int> cases[] = {
        {ECONNREFUSED, 10061}, {ECONNRESET, 10054}, {ETIMEDOUT, 10060}, {ENETUNREACH, 10051},
        {EMFILE, 10024},       {ENOTCONN, 10057},   {EPIPE, 10058},     {EADDRNOTAVAIL, 10049},
    };
    for (auto [posix, code] : cases)
        EXPECT_EQ(wsaErrorFromErrno(posix), code) << posix;
    EXPECT_EQ(wsaErrorFromErrno(ENOENT), ENOENT);  // unmapped: kept, text "unknown problems!"
}

}  // namespace
}  // namespace veltro::link
