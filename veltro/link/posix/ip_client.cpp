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
#include <cstdio>

#include "veltro/link/posix/socket_errors.h"

namespace veltro::link {

IpClient::IpClient(ByteConsumer& consumer, LinkFlags& flags, IpErrorHandler& errors,
                   UiDispatcher& dispatcher, LineWatch* watch)
    : m_consumer(consumer),
      m_flags(flags),
      m_errors(errors),
      m_dispatcher(dispatcher),
      m_watch(watch) {}

IpClient::~IpClient() {
    m_stopping = true;
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
    m_address = address;
    m_port = port;
    if (::inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1) {
        // Not a dotted address: nothing to connect to.
        return makeIpError(SocketCall::Connect, wsa::WSAEADDRNOTAVAIL, kPrefix);
    }
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
    if (m_lost.load())
        return {bytes.size(), false};  // nobody to send to until the reopen
    if (m_fd < 0 || m_ended.load())
        return {0, true};
    pollfd out{m_fd, POLLOUT, 0};
    const int ready = ::poll(&out, 1, static_cast<int>(wait.count()));
    if (ready <= 0)
        return {};  // the peer is not reading, or a signal came: try again
    const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent >= 0)
        return {static_cast<std::size_t>(sent), false};
    const int error = errno;
    if (error == EAGAIN || error == EWOULDBLOCK || error == EINTR)
        return {};  // a signal is no fault of the link
    if (reconnecting() && !m_stopping.load()) {
        lose();
        return {bytes.size(), false};
    }
    if (error == EPIPE || error == ECONNRESET || m_stopping.load()) {
        m_ended = true;  // the controller went away: the reader ends the same way
        return {0, true};
    }
    fail(makeIpError(SocketCall::Send, wsaErrorFromErrno(error), "error calling send():\n"));
    return {0, true};
}

// The handler ends the program; it is called once, on the user-interface
// thread. It outlives the link, so the posted work needs nothing of it.
void IpClient::fail(const IpError& error) {
    if (m_failed.exchange(true))
        return;
    m_dispatcher.post([&errors = m_errors, error] { errors.ipError(error); });
}

void IpClient::readerLoop(int fd) {
    std::array<std::uint8_t, 4096> buffer{};
    while (!m_stopping.load()) {
        const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (n < 0 && errno == EINTR)
            continue;
        const int error = errno;
        const int count =
            n >= 0 ? static_cast<int>(n) : (error == ECONNRESET ? kConnectionReset : -1);
        m_lastCount = count;
        if (m_flags.trace.load(std::memory_order_relaxed))
            std::printf("recvBytes = %d\n", count);
        if (n > 0) {
            m_consumer.bytesReceived(std::span(buffer.data(), static_cast<std::size_t>(n)));
            continue;
        }
        if (m_stopping.load())
            return;
        if (reconnecting()) {
            lose();
            return;
        }
        m_ended = true;
        if (m_watch != nullptr && (n == 0 || error == ECONNRESET))
            m_watch->lineLost();
        if (n < 0 && error != ECONNRESET) {
            fail(makeIpError(SocketCall::Receive, wsaErrorFromErrno(error),
                             "error calling recv():\n"));
        }
        return;
    }
}

// Once per connection, from the reader or the writer (the writer holds the
// socket's lock). Shutting the socket down ends the reader's receive.
void IpClient::lose() {
    if (m_lost.exchange(true))
        return;
    ::shutdown(m_fd, SHUT_RDWR);
    m_watch->lineLost();
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
        m_ended = false;
        m_lost = false;
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
    if (::inet_pton(AF_INET, m_address.c_str(), &peer.sin_addr) != 1)
        return -1;
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
