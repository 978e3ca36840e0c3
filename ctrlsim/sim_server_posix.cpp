// The simulator's sockets, pseudo-terminal and stop request on POSIX systems,
// all waited for by one poll().
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
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "ctrlsim/sim_server.h"

namespace ctrlsim {

namespace {

constexpr int kTickMs = 20;

int g_stopPipe[2] = {-1, -1};

extern "C" void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] auto n = ::write(g_stopPipe[1], &byte, 1);
}

// Ctrl-C and a request to terminate write to a pipe that run() waits for.
bool watchStopSignals() {
    if (g_stopPipe[0] < 0 && ::pipe2(g_stopPipe, O_CLOEXEC) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

int fd(std::intptr_t handle) {
    return static_cast<int>(handle);
}

}  // namespace

std::string SimServer::pseudoTerminalUnavailable() {
    return {};
}

SimServer::~SimServer() {
    for (auto& c : m_connections)
        closeConnection(c);
    if (m_listen != kNoHandle)
        ::close(fd(m_listen));
    if (m_ptySlave != kNoHandle)
        ::close(fd(m_ptySlave));
}

std::optional<std::string> SimServer::start() {
    // Before the port is announced, so that a Ctrl-C right after it is heard.
    if (!watchStopSignals())
        return std::string("stop signal: ") + std::strerror(errno);
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0)
        return std::string("socket: ") + std::strerror(errno);
    m_listen = listener;
    const int on = 1;
    ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never beyond this machine
    address.sin_port = htons(static_cast<std::uint16_t>(m_options.port));
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 8) != 0) {
        return "cannot listen on 127.0.0.1 port " + std::to_string(m_options.port) + ": " +
               std::strerror(errno);
    }
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
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
    const int slave = ::open(m_ptyPath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave >= 0) {
        m_ptySlave = slave;
        termios raw{};
        if (::tcgetattr(slave, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(slave, TCSANOW, &raw);
        }
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    addConnection(master, true);
    return std::nullopt;
}

void SimServer::writeAll(Handle handle, bool pty, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = pty ? ::write(fd(handle), bytes.data(), bytes.size())
                              : ::send(fd(handle), bytes.data(), bytes.size(), MSG_NOSIGNAL);
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
    const int connection = ::accept4(fd(m_listen), nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0)
        return;
    const int on = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    timeval timeout{1, 0};  // a peer that stops reading must not stall the simulator
    ::setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    addConnection(connection, false);
}

void SimServer::closeConnection(Connection& c) {
    if (c.handle == kNoHandle)
        return;
    if (!c.pty && m_options.faults.resetOnClose) {
        linger reset{1, 0};  // close with RST
        ::setsockopt(fd(c.handle), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    ::close(fd(c.handle));
    c.handle = kNoHandle;
}

void SimServer::serviceConnection(Connection& c, short revents) {
    if (!(revents & (POLLIN | POLLHUP | POLLERR)))
        return;
    std::array<std::uint8_t, 4096> buffer{};
    const ssize_t n = ::read(fd(c.handle), buffer.data(), buffer.size());
    if (n > 0) {
        c.session->received(std::span(buffer.data(), static_cast<std::size_t>(n)),
                            SimSession::Clock::now());
    } else if (!c.pty && (n == 0 || (errno != EAGAIN && errno != EINTR))) {
        closeConnection(c);
    }
}

void SimServer::run() {
    const auto started = SimSession::Clock::now();
    bool stdinOpen = m_options.watchStdin;
    for (;;) {
        std::vector<pollfd> fds;
        fds.push_back({g_stopPipe[0], POLLIN, 0});
        fds.push_back({stdinOpen ? STDIN_FILENO : -1, POLLIN, 0});
        fds.push_back({fd(m_listen), POLLIN, 0});
        for (const auto& c : m_connections)
            fds.push_back({fd(c.handle), POLLIN, 0});
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
        tick(started);
    }
}

}  // namespace ctrlsim
