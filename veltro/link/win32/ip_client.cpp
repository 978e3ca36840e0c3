// The IP link's TCP client on Windows Sockets.
#include "veltro/link/win32/ip_client.h"

// Windows Sockets after the link's own headers: its error names are macros.
#define WIN32_LEAN_AND_MEAN
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

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
                   UiDispatcher& dispatcher)
    : m_consumer(consumer),
      m_flags(flags),
      m_errors(errors),
      m_dispatcher(dispatcher),
      m_socket(static_cast<std::uintptr_t>(INVALID_SOCKET)) {}

IpClient::~IpClient() {
    m_stopping = true;
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
        // Not a dotted address: nothing to connect to.
        return makeIpError(SocketCall::Connect, WSAEADDRNOTAVAIL, kPrefix);
    }
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
    m_reader = std::thread([this] { readerLoop(); });
}

LineOutput::Result IpClient::writeSome(std::span<const std::uint8_t> bytes,
                                       std::chrono::milliseconds wait) {
    const SOCKET s = socketOf(m_socket);
    if (s == INVALID_SOCKET || m_ended.load())
        return {0, true};
    if (waitWritable(s, static_cast<long>(wait.count()) * 1000) <= 0)
        return {};  // the peer is not reading: try again
    const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
    const int sent = ::send(s, reinterpret_cast<const char*>(bytes.data()), size, 0);
    if (sent >= 0)
        return {static_cast<std::size_t>(sent), false};
    const int error = ::WSAGetLastError();
    if (error == WSAEWOULDBLOCK || error == WSAEINTR)
        return {};
    if (error == WSAECONNRESET || error == WSAECONNABORTED || error == WSAESHUTDOWN ||
        m_stopping.load()) {
        m_ended = true;  // the controller went away: the reader ends the same way
        return {0, true};
    }
    fail(makeIpError(SocketCall::Send, error, "error calling send():\n"));
    return {0, true};
}

// The handler ends the program; it is called once, on the user-interface
// thread. It outlives the link, so the posted work needs nothing of it.
void IpClient::fail(const IpError& error) {
    if (m_failed.exchange(true))
        return;
    m_dispatcher.post([&errors = m_errors, error] { errors.ipError(error); });
}

void IpClient::readerLoop() {
    const SOCKET s = socketOf(m_socket);
    std::array<char, 4096> buffer{};
    while (!m_stopping.load()) {
        const int n = ::recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
        const int error = n < 0 ? ::WSAGetLastError() : 0;
        if (error == WSAEWOULDBLOCK || error == WSAEINTR) {
            waitForEvents();
            continue;
        }
        const int count = n >= 0 ? n : (error == WSAECONNRESET ? kConnectionReset : -1);
        m_lastCount = count;
        if (m_flags.trace.load(std::memory_order_relaxed))
            std::printf("recvBytes = %d\n", count);
        if (n > 0) {
            m_consumer.bytesReceived(
                std::span(reinterpret_cast<const std::uint8_t*>(buffer.data()),
                          static_cast<std::size_t>(n)));
            continue;
        }
        m_ended = true;
        if (n < 0 && error != WSAECONNRESET && !m_stopping.load())
            fail(makeIpError(SocketCall::Receive, error, "error calling recv():\n"));
        return;
    }
}

// Until bytes or the end arrive, or the link stops. Taking the network
// events resets the socket's event for the next wait.
void IpClient::waitForEvents() {
    const WSAEVENT events[2] = {eventOf(m_readable), eventOf(m_wake)};
    ::WSAWaitForMultipleEvents(2, events, FALSE, WSA_INFINITE, FALSE);
    WSANETWORKEVENTS seen{};
    ::WSAEnumNetworkEvents(socketOf(m_socket), eventOf(m_readable), &seen);
}

}  // namespace veltro::link
