#include "veltro/link/posix/ip_client.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "veltro/link/line_factory.h"
#include "veltro/link/posix/socket_errors.h"
#include "veltro/link/receive_trace.h"

namespace veltro::link {

std::unique_ptr<IpLine> makeIpLine(const LineContext& c, IpErrorHandler& errors) {
    return std::make_unique<IpClient>(c.consumer, c.flags, errors, c.dispatcher, c.watch);
}

IpClient::IpClient(ByteConsumer& consumer, LinkFlags& flags, IpErrorHandler& errors,
                   UiDispatcher& dispatcher, LineWatch* watch)
    : m_consumer(consumer),
      m_flags(flags),
      m_ending(LineEnding::Kind::Connection, watch, &errors, dispatcher) {}

IpClient::~IpClient() {
    m_ending.stop();
    {
        std::lock_guard lock(m_fdMutex);
        if (m_fd >= 0)
            ::shutdown(m_fd, SHUT_RDWR);  // wakes the reader's recv
    }
    if (m_reader.joinable())
        m_reader.join();
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<IpError> IpClient::create() {
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return makeIpError(SocketCall::Socket, wsaErrorFromErrno(errno), "");
    // Frames are a few bytes each and must not wait for more to join them.
    const int on = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return std::nullopt;
}

std::optional<IpError> IpClient::connect(const std::string& address, int port) {
    constexpr const char* kPrefix = "error calling connect():\n";
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1) {
        // Not a dotted address (the command line refuses those): nothing to connect to.
        return makeIpError(SocketCall::Connect, wsa::WSAEADDRNOTAVAIL, kPrefix);
    }
    m_peer = peer.sin_addr.s_addr;
    m_port = port;
    int result;
    do {
        result = ::connect(m_fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        return makeIpError(SocketCall::Connect, wsaErrorFromErrno(errno), kPrefix);
    return std::nullopt;
}

void IpClient::startReader() {
    m_reader = std::thread([this, fd = m_fd] { readerLoop(fd); });
}

LineOutput::Result IpClient::writeSome(std::span<const std::uint8_t> bytes,
                                       std::chrono::milliseconds wait) {
    std::lock_guard lock(m_fdMutex);
    if (m_fd < 0)
        return {0, true};
    if (const auto held = m_ending.heldBack(bytes.size()))
        return *held;
    pollfd out{m_fd, POLLOUT, 0};
    if (::poll(&out, 1, static_cast<int>(wait.count())) <= 0)
        return {};  // the peer is not reading, or a signal came: try again
    const ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    bool shutDown = false;
    const Result result =
        m_ending.sent(n, n < 0 ? wsaErrorFromErrno(errno) : 0, bytes.size(), shutDown);
    if (shutDown)
        ::shutdown(m_fd, SHUT_RDWR);  // the reader's receive ends too
    return result;
}

void IpClient::readerLoop(int fd) {
    std::array<std::uint8_t, 4096> buffer{};
    while (!m_ending.stopping()) {
        const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
        const int error = n < 0 ? wsaErrorFromErrno(errno) : 0;
        const LineEnd end = receiveEnd(n, error);
        if (end == LineEnd::Again)
            continue;
        m_lastCount = LineEnding::receiveCount(end, n);
        traceReceive(m_flags, m_lastCount);
        if (end != LineEnd::Data) {
            if (m_ending.over(end, SocketCall::Receive, error))
                ::shutdown(fd, SHUT_RDWR);
            return;  // the socket yields nothing more
        }
        m_consumer.bytesReceived(std::span(buffer.data(), static_cast<std::size_t>(n)));
    }
}

bool IpClient::reopen(std::stop_token stop) {
    if (m_reader.joinable())
        m_reader.join();  // it ended with the lost connection
    const int fd = connectAgain(stop);
    if (fd < 0)
        return false;
    {
        std::lock_guard lock(m_fdMutex);
        ::close(m_fd);
        m_fd = fd;
        m_ending.reopened();
    }
    startReader();
    return true;
}

// A new connected socket, or -1. The connect does not block, so that an
// address that does not answer costs one time-out and a stop is seen soon.
int IpClient::connectAgain(const std::stop_token& stop) const {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(static_cast<std::uint16_t>(m_port));
    peer.sin_addr.s_addr = m_peer;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0;
    for (int waited = 0; !connected && errno == EINPROGRESS && waited < kReconnectTimeoutMs &&
                         !stop.stop_requested();
         waited += 50) {
        pollfd out{fd, POLLOUT, 0};
        if (::poll(&out, 1, 50) <= 0)
            continue;
        int error = 0;
        socklen_t length = sizeof error;
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
        connected = error == 0;
        errno = error;
        break;
    }
    if (!connected) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

}  // namespace veltro::link
