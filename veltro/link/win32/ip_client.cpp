// The IP link's TCP client on Windows Sockets.
#include "veltro/link/win32/ip_client.h"

#include "veltro/link/line_factory.h"
#include "veltro/link/receive_trace.h"

// Windows Sockets after the link's own headers: its error names are macros.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <array>
#include <climits>

namespace veltro::link {

namespace {

SOCKET socketOf(std::uintptr_t value) {
    return static_cast<SOCKET>(value);
}

WSAEVENT eventOf(void* event) {
    return static_cast<WSAEVENT>(event);
}

// Waits until the socket takes more bytes, at most `microseconds`.
int waitWritable(SOCKET s, long microseconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval limit{microseconds / 1'000'000, microseconds % 1'000'000};
    return ::select(0, nullptr, &set, nullptr, &limit);
}

}  // namespace

IpClient::IpClient(ByteConsumer& consumer, LinkFlags& flags, IpErrorHandler& errors,
                   UiDispatcher& dispatcher, LineWatch* watch)
    : m_consumer(consumer),
      m_flags(flags),
      m_ending(LineEnding::Kind::Connection, watch, &errors, dispatcher),
      m_socket(static_cast<std::uintptr_t>(INVALID_SOCKET)) {}

IpClient::~IpClient() {
    m_ending.stop();
    if (m_reader.joinable()) {
        ::WSASetEvent(eventOf(m_wake));
        m_reader.join();
    }
    const SOCKET s = socketOf(m_socket);
    if (s != INVALID_SOCKET)
        ::closesocket(s);
    for (void* event : {m_readable, m_wake}) {
        if (event != nullptr)
            ::WSACloseEvent(eventOf(event));
    }
    // The socket is closed before the library is released, else the close
    // would fail. A release failing at the end of the program is no news.
    if (m_libraryStarted)
        ::WSACleanup();
}

std::optional<IpError> IpClient::create() {
    WSADATA data{};
    if (const int error = ::WSAStartup(MAKEWORD(1, 1), &data); error != 0)
        return IpError{error, "Error: calling WSAStartup()"};
    m_libraryStarted = true;
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return makeIpError(SocketCall::Socket, ::WSAGetLastError(), "");
    m_readable = ::WSACreateEvent();
    m_wake = ::WSACreateEvent();
    if (m_readable == WSA_INVALID_EVENT || m_wake == WSA_INVALID_EVENT) {
        const int error = ::WSAGetLastError();
        ::closesocket(s);
        return makeIpError(SocketCall::Socket, error, "");
    }
    m_socket = static_cast<std::uintptr_t>(s);
    // Frames are a few bytes each and must not wait for more to join them.
    const BOOL on = TRUE;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    return std::nullopt;
}

std::optional<IpError> IpClient::connect(const std::string& address, int port) {
    constexpr const char* kPrefix = "error calling connect():\n";
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = ::htons(static_cast<u_short>(port));
    if (::inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1) {
        // Not a dotted address (the command line refuses those): nothing to connect to.
        return makeIpError(SocketCall::Connect, WSAEADDRNOTAVAIL, kPrefix);
    }
    m_peer = peer.sin_addr.s_addr;
    m_port = port;
    const SOCKET s = socketOf(m_socket);
    if (::connect(s, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0)
        return makeIpError(SocketCall::Connect, ::WSAGetLastError(), kPrefix);
    // From here on no call blocks (the events make the socket non-blocking):
    // the writer waits with a limit of its own, the reader for the events.
    if (::WSAEventSelect(s, eventOf(m_readable), FD_READ | FD_CLOSE) != 0)
        return makeIpError(SocketCall::Connect, ::WSAGetLastError(), kPrefix);
    return std::nullopt;
}

void IpClient::startReader() {
    m_reader = std::thread([this, s = socketOf(m_socket)] { readerLoop(s); });
}

LineOutput::Result IpClient::writeSome(std::span<const std::uint8_t> bytes,
                                       std::chrono::milliseconds wait) {
    std::lock_guard lock(m_socketMutex);
    const SOCKET s = socketOf(m_socket);
    if (s == INVALID_SOCKET)
        return {0, true};
    if (const auto held = m_ending.heldBack(bytes.size()))
        return *held;
    if (waitWritable(s, static_cast<long>(wait.count()) * 1000) <= 0)
        return {};  // the peer is not reading: try again
    const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
    const int n = ::send(s, reinterpret_cast<const char*>(bytes.data()), size, 0);
    bool shutDown = false;
    const Result result =
        m_ending.sent(n, n < 0 ? ::WSAGetLastError() : 0, bytes.size(), shutDown);
    if (shutDown)
        shutDownSocket(s);
    return result;
}

void IpClient::readerLoop(Socket s) {
    std::array<char, 4096> buffer{};
    while (!m_ending.stopping()) {
        const int n = ::recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
        const int error = n < 0 ? ::WSAGetLastError() : 0;
        const LineEnd end = receiveEnd(n, error);
        if (end == LineEnd::Again) {
            waitForEvents(s);
            continue;
        }
        m_lastCount = LineEnding::receiveCount(end, n);
        traceReceive(m_flags, m_lastCount);
        if (end != LineEnd::Data) {
            if (m_ending.over(end, SocketCall::Receive, error))
                shutDownSocket(s);
            return;  // the socket yields nothing more
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
        m_consumer.bytesReceived(std::span(bytes, static_cast<std::size_t>(n)));
    }
}

// Until bytes or the end arrive, or the link stops. Taking the network
// events resets the socket's event for the next wait.
void IpClient::waitForEvents(Socket s) {
    const WSAEVENT events[2] = {eventOf(m_readable), eventOf(m_wake)};
    ::WSAWaitForMultipleEvents(2, events, FALSE, WSA_INFINITE, FALSE);
    WSANETWORKEVENTS seen{};
    ::WSAEnumNetworkEvents(s, eventOf(m_readable), &seen);
}

// From the reader or the writer (which holds the socket's lock; the reader's
// socket is replaced only after it ended): the wake event ends the reader's wait.
void IpClient::shutDownSocket(Socket s) {
    ::shutdown(socketOf(s), SD_BOTH);
    ::WSASetEvent(eventOf(m_wake));
}

bool IpClient::reopen(std::stop_token stop) {
    if (m_reader.joinable())
        m_reader.join();  // it ended with the lost connection
    const SOCKET fresh = connectAgain(stop);
    if (fresh == INVALID_SOCKET)
        return false;
    {
        std::lock_guard lock(m_socketMutex);
        ::closesocket(socketOf(m_socket));
        m_socket = static_cast<std::uintptr_t>(fresh);
        m_ending.reopened();
    }
    ::WSAResetEvent(eventOf(m_wake));
    startReader();
    return true;
}

// A new connected socket that signals the reader's event, or INVALID_SOCKET.
// The connect does not block, so that an address that does not answer costs
// one time-out and a stop is seen soon.
IpClient::Socket IpClient::connectAgain(const std::stop_token& stop) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = ::htons(static_cast<u_short>(m_port));
    peer.sin_addr.s_addr = m_peer;
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return INVALID_SOCKET;
    // The events make the socket non-blocking before the connect.
    ::WSAResetEvent(eventOf(m_readable));
    bool connected = false;
    if (::WSAEventSelect(s, eventOf(m_readable), FD_READ | FD_CLOSE) == 0) {
        connected = ::connect(s, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0;
        const bool pending = !connected && ::WSAGetLastError() == WSAEWOULDBLOCK;
        for (int waited = 0; pending && waited < kReconnectTimeoutMs && !stop.stop_requested();
             waited += 50) {
            fd_set done;
            fd_set failed;
            FD_ZERO(&done);
            FD_ZERO(&failed);
            FD_SET(s, &done);
            FD_SET(s, &failed);
            timeval limit{0, 50'000};
            if (::select(0, nullptr, &done, &failed, &limit) <= 0)
                continue;
            connected = FD_ISSET(s, &done) != 0;  // a refusal marks the failed set
            break;
        }
    }
    if (!connected) {
        ::closesocket(s);
        return INVALID_SOCKET;
    }
    const BOOL on = TRUE;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    return s;
}

std::unique_ptr<IpLine> makeIpLine(const LineContext& c, IpErrorHandler& errors) {
    return std::make_unique<IpClient>(c.consumer, c.flags, errors, c.dispatcher, c.watch);
}

}  // namespace veltro::link
