#include "ctrlsim/sim_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace ctrlsim {

namespace {
constexpr int kTickMs = 20;

LocalTime localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr)
        return {};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}
}  // namespace

SimServer::SimServer(SimModel& model, SimOptions options)
    : m_model(model), m_options(std::move(options)) {}

SimServer::~SimServer() {
    for (auto& c : m_connections)
        closeConnection(c);
    if (m_listenFd >= 0)
        ::close(m_listenFd);
    if (m_ptySlaveFd >= 0)
        ::close(m_ptySlaveFd);
}

std::optional<std::string> SimServer::start() {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0)
        return std::string("socket: ") + std::strerror(errno);
    const int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never beyond this machine
    address.sin_port = htons(static_cast<std::uint16_t>(m_options.port));
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listenFd, 8) != 0) {
        return "cannot listen on 127.0.0.1 port " + std::to_string(m_options.port) + ": " +
               std::strerror(errno);
    }
    socklen_t length = sizeof address;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    if (m_options.pty)
        return openPty();
    return std::nullopt;
}

std::optional<std::string> SimServer::openPty() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        if (master >= 0)
            ::close(master);
        return std::string("pseudo-terminal: ") + std::strerror(errno);
    }
    std::array<char, 128> name{};
    if (::ptsname_r(master, name.data(), name.size()) != 0) {
        ::close(master);
        return std::string("pseudo-terminal name: ") + std::strerror(errno);
    }
    m_ptyPath = name.data();
    // A raw line from the start: no echo, no line editing, no CR/LF rewriting,
    // before the debugger configures its end.
    m_ptySlaveFd = ::open(m_ptyPath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_ptySlaveFd >= 0) {
        termios raw{};
        if (::tcgetattr(m_ptySlaveFd, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(m_ptySlaveFd, TCSANOW, &raw);
        }
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    addConnection(master, true);
    return std::nullopt;
}

void SimServer::addConnection(int fd, bool pty) {
    Connection c;
    c.fd = fd;
    c.pty = pty;
    // A pseudo-terminal is never closed or reset; the other faults apply.
    FaultOptions faults = m_options.faults;
    if (pty) {
        faults.closeAfterFrames = 0;
        faults.resetOnClose = false;
    }
    c.session = std::make_unique<SimSession>(
        m_model, faults,
        [fd, pty](std::span<const std::uint8_t> bytes) {
            Connection target{fd, pty, nullptr};
            writeAll(target, bytes);
        },
        m_options.verbose ? SimSession::Log([pty](const std::string& line) {
            std::printf("%s %s\n", pty ? "pty:" : "tcp:", line.c_str());
            std::fflush(stdout);
        })
                          : SimSession::Log());
    c.session->setReportRate(m_options.rate);
    m_connections.push_back(std::move(c));
}

void SimServer::writeAll(Connection& c, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = c.pty ? ::write(c.fd, bytes.data(), bytes.size())
                                : ::send(c.fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // Nobody reads the terminal (or the peer is gone): the bytes are
        // lost, as on a serial line without a listener.
        return;
    }
}

void SimServer::accept() {
    const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    timeval timeout{1, 0};  // a peer that stops reading must not stall the simulator
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    addConnection(fd, false);
}

void SimServer::closeConnection(Connection& c) {
    if (c.fd < 0)
        return;
    if (!c.pty && m_options.faults.resetOnClose) {
        linger reset{1, 0};  // close with RST
        ::setsockopt(c.fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    ::close(c.fd);
    c.fd = -1;
}

void SimServer::serviceConnection(Connection& c, short revents) {
    if (!(revents & (POLLIN | POLLHUP | POLLERR)))
        return;
    std::array<std::uint8_t, 4096> buffer{};
    const ssize_t n = ::read(c.fd, buffer.data(), buffer.size());
    if (n > 0) {
        c.session->received(std::span(buffer.data(), static_cast<std::size_t>(n)),
                            SimSession::Clock::now());
    } else if (!c.pty && (n == 0 || (errno != EAGAIN && errno != EINTR))) {
        closeConnection(c);
    }
}

void SimServer::run(int stopFd) {
    const auto started = SimSession::Clock::now();
    bool stdinOpen = m_options.watchStdin;
    for (;;) {
        std::vector<pollfd> fds;
        fds.push_back({stopFd, POLLIN, 0});
        fds.push_back({stdinOpen ? STDIN_FILENO : -1, POLLIN, 0});
        fds.push_back({m_listenFd, POLLIN, 0});
        for (const auto& c : m_connections)
            fds.push_back({c.fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), kTickMs) < 0 && errno != EINTR)
            return;
        if (fds[0].revents)
            return;
        if (stdinOpen && fds[1].revents) {
            std::array<char, 256> ignored{};
            const ssize_t n = ::read(STDIN_FILENO, ignored.data(), ignored.size());
            if (n <= 0)
                return;  // end of standard input
        }
        if (fds[2].revents & POLLIN)
            accept();
        for (std::size_t i = 0; i < m_connections.size() && i + 3 < fds.size(); ++i) {
            serviceConnection(m_connections[i], fds[i + 3].revents);
        }
        const auto now = SimSession::Clock::now();
        m_model.advance(std::chrono::duration_cast<std::chrono::milliseconds>(now - started),
                        localTimeNow());
        for (auto& c : m_connections) {
            if (c.fd >= 0)
                c.session->pump(now);
            if (c.fd >= 0 && c.session->wantsClose())
                closeConnection(c);
        }
        std::erase_if(m_connections, [](const Connection& c) { return c.fd < 0; });
    }
}

}  // namespace ctrlsim
