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

#include "ctrlsim/sim_transport.h"

namespace ctrlsim {

namespace {

int g_stopPipe[2] = {-1, -1};

extern "C" void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] auto n = ::write(g_stopPipe[1], &byte, 1);
}

// Ctrl-C and a request to terminate write to a pipe that wait() polls.
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

std::string failed(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

class PosixTransport final : public SimTransport {
  public:
    ~PosixTransport() override {
        if (m_listen >= 0)
            ::close(m_listen);
        if (m_ptySlave >= 0)
            ::close(m_ptySlave);
    }

    std::optional<std::string> listen(int port) override {
        // Before the port is announced, so that a Ctrl-C right after it is heard.
        if (!watchStopSignals())
            return failed("stop signal");
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_listen < 0)
            return failed("socket");
        const int on = 1;
        ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never beyond this machine
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listen, 8) != 0) {
            return "cannot listen on 127.0.0.1 port " + std::to_string(port) + ": " +
                   std::strerror(errno);
        }
        socklen_t length = sizeof address;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        return std::nullopt;
    }
    int port() const override { return m_port; }

    std::optional<std::string> openPty(Handle& master, std::string& path) override {
        const int m = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m < 0 || ::grantpt(m) != 0 || ::unlockpt(m) != 0) {
            if (m >= 0)
                ::close(m);
            return failed("pseudo-terminal");
        }
        std::array<char, 128> name{};
        if (::ptsname_r(m, name.data(), name.size()) != 0) {
            ::close(m);
            return failed("pseudo-terminal name");
        }
        path = name.data();
        // Kept open so that the master never sees a hang-up, and raw from the
        // start: no echo, no line editing, no CR/LF rewriting, before the
        // debugger configures its end.
        m_ptySlave = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_ptySlave >= 0) {
            termios raw{};
            if (::tcgetattr(m_ptySlave, &raw) == 0) {
                ::cfmakeraw(&raw);
                ::tcsetattr(m_ptySlave, TCSANOW, &raw);
            }
        }
        ::fcntl(m, F_SETFL, ::fcntl(m, F_GETFL) | O_NONBLOCK);
        master = m;
        return std::nullopt;
    }

    Wake wait(const std::vector<Handle>& handles, bool watchInput,
              std::chrono::milliseconds tick) override {
        std::vector<pollfd> fds;
        fds.push_back({g_stopPipe[0], POLLIN, 0});
        fds.push_back({watchInput && m_inputOpen ? STDIN_FILENO : -1, POLLIN, 0});
        fds.push_back({m_listen, POLLIN, 0});
        for (Handle h : handles)
            fds.push_back({fd(h), POLLIN, 0});
        Wake wake;
        if (::poll(fds.data(), fds.size(), static_cast<int>(tick.count())) < 0 && errno != EINTR) {
            wake.stop = true;
            return wake;
        }
        wake.stop = fds[0].revents != 0 || (fds[1].revents != 0 && inputEnded());
        wake.incoming = (fds[2].revents & POLLIN) != 0;
        for (std::size_t i = 3; i < fds.size(); ++i)
            wake.readable.push_back((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0);
        return wake;
    }

    Handle accept() override {
        const int connection = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            return kNoHandle;
        const int on = 1;
        ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        timeval timeout{1, 0};  // a peer that stops reading must not stall the simulator
        ::setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
        return connection;
    }

    Read read(Handle handle, bool, std::span<std::uint8_t> buffer, std::size_t& got) override {
        const ssize_t n = ::read(fd(handle), buffer.data(), buffer.size());
        got = n > 0 ? static_cast<std::size_t>(n) : 0;
        if (n > 0)
            return Read::Bytes;
        return n < 0 && (errno == EAGAIN || errno == EINTR) ? Read::Nothing : Read::Gone;
    }

    void write(Handle handle, bool pty, std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = pty ? ::write(fd(handle), bytes.data(), bytes.size())
                                  : ::send(fd(handle), bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n > 0) {
                bytes = bytes.subspan(static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            return;
        }
    }

    void close(Handle handle, bool pty, bool reset) override {
        if (!pty && reset) {
            linger rst{1, 0};
            ::setsockopt(fd(handle), SOL_SOCKET, SO_LINGER, &rst, sizeof rst);
        }
        ::close(fd(handle));
    }

  private:
    // Standard input is readable: true at its end.
    bool inputEnded() {
        std::array<char, 256> ignored{};
        if (::read(STDIN_FILENO, ignored.data(), ignored.size()) > 0)
            return false;
        m_inputOpen = false;
        return true;
    }

    int m_listen = -1;
    int m_port = 0;
    int m_ptySlave = -1;
    bool m_inputOpen = true;
};

}  // namespace

std::unique_ptr<SimTransport> makeSimTransport() {
    return std::make_unique<PosixTransport>();
}

std::string pseudoTerminalUnavailable() {
    return {};
}

}  // namespace ctrlsim
