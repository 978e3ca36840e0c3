// The Windows Sockets client against a listener of the test's own on
// 127.0.0.1: the real WSA error numbers, the data path and the two ends of a
// connection.
#include "veltro/link/win32/ip_client.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/wait.h"

// Windows Sockets after the link's headers: its error names are macros.
#include <windows.h>
#include <winsock2.h>

namespace veltro::link {
namespace {

using test_support::Bytes;
using test_support::FakeDispatcher;
using test_support::waitUntil;
using Collecting = test_support::CollectingConsumer;
using RecordingErrors = test_support::RecordingIpErrors;

// A listener on 127.0.0.1, on a free port unless one is given (the test's
// own socket library).
struct Listener {
    explicit Listener(int onPort = 0) {
        WSADATA data{};
        ::WSAStartup(MAKEWORD(2, 2), &data);
        socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
        a.sin_port = ::htons(static_cast<u_short>(onPort));
        ::bind(socket, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(socket, 1);
        int length = sizeof a;
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&a), &length);
        port = ::ntohs(a.sin_port);
    }
    ~Listener() {
        ::closesocket(socket);
        ::WSACleanup();
    }
    SOCKET socket = INVALID_SOCKET;
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
    EXPECT_EQ(bad->message,
              "error calling connect():\n"
              "The specified address is not available from the local machine.");
}

// Wine hands a reset to its programs as an orderly close (its socket layer
// takes the pending error first), so there the count of the end is 0.
bool runningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class CountingWatch final : public LineWatch {
  public:
    void lineLost() override { lost.fetch_add(1); }
    bool reconnects() const override { return true; }
    std::atomic<int> lost{0};
};

void resetAndClose(SOCKET s) {
    const linger reset{1, 0};
    ::setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset), sizeof reset);
    ::closesocket(s);
}

struct Connected {
    Connected() : client(consumer, flags, errors, dispatcher) {
        EXPECT_FALSE(client.create());
        EXPECT_FALSE(client.connect("127.0.0.1", listener.port));
        peer = ::accept(listener.socket, nullptr, nullptr);
        client.startReader();
    }
    ~Connected() {
        if (peer != INVALID_SOCKET)
            ::closesocket(peer);
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
    int peerSend(const std::uint8_t* bytes, int size) {
        return ::send(peer, reinterpret_cast<const char*>(bytes), size, 0);
    }
    int peerReceive(std::uint8_t* bytes, int size, int flags = 0) {
        return ::recv(peer, reinterpret_cast<char*>(bytes), size, flags);
    }
    Listener listener;
    LinkFlags flags;
    Collecting consumer;
    RecordingErrors errors;
    FakeDispatcher dispatcher;
    IpClient client;
    SOCKET peer = INVALID_SOCKET;
};

TEST(IpClient, BytesArriveInOrderAndSendsGoOutWhole) {
    Connected c;
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 20; ++i) {
        const std::uint8_t piece[] = {0xA2, 0x65, static_cast<std::uint8_t>(0x40 + i)};
        ASSERT_EQ(c.peerSend(piece, sizeof piece), 3);
        expected.insert(expected.end(), piece, piece + 3);
    }
    EXPECT_EQ(c.consumer.waitFor(expected.size()), expected);

    const Bytes frame = {0xB2, 0x44, 0x45, 0x43, 0x41, 0x64};
    ASSERT_TRUE(c.sendAll(frame));
    std::uint8_t got[6] = {};
    ASSERT_EQ(c.peerReceive(got, sizeof got, MSG_WAITALL), 6);
    EXPECT_EQ(Bytes(got, got + 6), frame);

    // A peer that reads late: the socket takes what fits, the rest is
    // offered again, and every byte arrives in order.
    Bytes big(2 << 20);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    Bytes received(big.size());
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::size_t at = 0;
        while (at < received.size()) {
            const int n =
                c.peerReceive(received.data() + at, static_cast<int>(received.size() - at));
            if (n <= 0)
                break;
            at += static_cast<std::size_t>(n);
        }
    });
    EXPECT_TRUE(c.sendAll(big));
    reader.join();
    EXPECT_TRUE(received == big);
    c.dispatcher.drain();
    EXPECT_TRUE(c.errors.errors().empty());
}

TEST(IpClient, OrderlyCloseEndsTheReaderQuietly) {
    Connected c;
    const std::uint8_t last[] = {0x41, 0x42};
    c.peerSend(last, 2);
    ::closesocket(c.peer);
    c.peer = INVALID_SOCKET;
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
    resetAndClose(c.peer);
    c.peer = INVALID_SOCKET;
    EXPECT_TRUE(waitUntil([&] { return c.client.connectionEnded(); }));
    EXPECT_EQ(c.client.lastReceiveCount(), runningUnderWine() ? 0 : IpClient::kConnectionReset);
    EXPECT_FALSE(c.sendAll(Bytes{0xE2, 0x45, 0x43}));
    c.dispatcher.drain();
    EXPECT_TRUE(c.errors.errors().empty());
    EXPECT_TRUE(c.consumer.bytes().empty());
}

// The reader waits in the socket library; ending the link must not wait for
// the controller to say something. The controller here never does: a reader
// that is not woken hangs the test (no clock is asked, so load cannot fail it).
TEST(IpClient, DestroyingAConnectedClientEndsItsReaderWithoutThePeer) {
    auto c = std::make_unique<Connected>();
    c.reset();
    EXPECT_EQ(c, nullptr);
}

TEST(IpClient, AConnectionLostWhileReconnectingIsToldOnceAndReopenedToTheSameAddress) {
    auto listener = std::make_unique<Listener>();
    const int port = listener->port;
    LinkFlags flags;
    Collecting consumer;
    RecordingErrors errors;
    FakeDispatcher dispatcher;
    CountingWatch watch;
    IpClient client(consumer, flags, errors, dispatcher, &watch);
    ASSERT_FALSE(client.create());
    ASSERT_FALSE(client.connect("127.0.0.1", port));
    client.startReader();
    SOCKET peer = ::accept(listener->socket, nullptr, nullptr);
    ASSERT_NE(peer, INVALID_SOCKET);

    ::closesocket(peer);  // an orderly close
    ASSERT_TRUE(waitUntil([&] { return watch.lost.load() == 1; }));
    const Bytes frame{0xE2, 0x45, 0x43};
    const auto dropped = client.writeSome(frame, std::chrono::milliseconds(10));
    EXPECT_EQ(dropped.written, frame.size());  // dropped, the line not closed for good
    EXPECT_FALSE(dropped.closed);

    // Nobody listening: the attempt fails; the listener back: it connects.
    listener.reset();
    std::stop_source stop;
    EXPECT_FALSE(client.reopen(stop.get_token()));
    listener = std::make_unique<Listener>(port);
    ASSERT_TRUE(client.reopen(stop.get_token()));
    peer = ::accept(listener->socket, nullptr, nullptr);
    ASSERT_NE(peer, INVALID_SOCKET);
    const char values[] = {'\xA2', '\x65', '\x5F'};
    ASSERT_EQ(::send(peer, values, 3, 0), 3);
    EXPECT_EQ(consumer.waitFor(3), (Bytes{0xA2, 0x65, 0x5F}));
    EXPECT_EQ(client.writeSome(frame, std::chrono::milliseconds(100)).written, frame.size());
    char got[3] = {};
    EXPECT_EQ(::recv(peer, got, 3, MSG_WAITALL), 3);

    resetAndClose(peer);  // a reset is a loss too, told once more
    ASSERT_TRUE(waitUntil([&] { return watch.lost.load() == 2; }));
    dispatcher.drain();
    EXPECT_TRUE(errors.errors().empty());
}

}  // namespace
}  // namespace veltro::link
