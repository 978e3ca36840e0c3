// The simulator's sockets and stop request on Windows: Windows Sockets waited
// for by WSAPoll, Ctrl-C through the console's control handler, and the end of
// standard input watched by a thread of its own (WSAPoll waits for sockets
// only). Windows has no pseudo-terminals.
#include "ctrlsim/sim_transport.h"
#include "veltro/link/ip_error.h"

// Windows Sockets after the link's own headers: its error names are macros.
#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>

namespace ctrlsim {

namespace {

std::atomic<bool> g_stop{false};

BOOL WINAPI onConsoleControl(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            g_stop = true;
            return TRUE;
        default:
            return FALSE;
    }
}

// The thread ends with the program when standard input never ends.
void watchStandardInput() {
    std::thread([] {
        const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
        std::array<char, 256> ignored{};
        DWORD got = 0;
        while (::ReadFile(in, ignored.data(), static_cast<DWORD>(ignored.size()), &got, nullptr) &&
               got > 0) {
        }
        g_stop = true;
    }).detach();
}

SOCKET socketOf(std::intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

std::string errorText(int code) {
    const char* name = veltro::link::wsaErrorName(code);
    const std::string number = std::to_string(code);
    return *name ? std::string(name) + " (" + number + ")" : "error " + number;
}

class WinsockTransport final : public SimTransport {
  public:
    ~WinsockTransport() override {
        if (m_listen != INVALID_SOCKET)
            ::closesocket(m_listen);
        if (m_started)
            ::WSACleanup();
    }

    std::optional<std::string> listen(int port) override {
        WSADATA data{};
        if (const int error = ::WSAStartup(MAKEWORD(2, 2), &data); error != 0)
            return "the socket library does not start: " + errorText(error);
        m_started = true;
        // Before the port is announced, so that a Ctrl-C right after it is heard.
        ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
        m_listen = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (m_listen == INVALID_SOCKET)
            return "socket: " + errorText(::WSAGetLastError());
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);  // never beyond this machine
        address.sin_port = ::htons(static_cast<u_short>(port));
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listen, 8) != 0) {
            return "cannot listen on 127.0.0.1 port " + std::to_string(port) + ": " +
                   errorText(::WSAGetLastError());
        }
        int length = sizeof address;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ::ntohs(address.sin_port);
        return std::nullopt;
    }
    int port() const override { return m_port; }

    std::optional<std::string> openPty(Handle&, std::string&) override {
        return "--pty: " + pseudoTerminalUnavailable();
    }

    Wake wait(const std::vector<Handle>& handles, bool watchInput,
              std::chrono::milliseconds tick) override {
        if (watchInput && !m_watchingInput) {
            m_watchingInput = true;
            watchStandardInput();
        }
        std::vector<WSAPOLLFD> fds;
        fds.push_back({m_listen, POLLRDNORM, 0});
        for (Handle h : handles)
            fds.push_back({socketOf(h), POLLRDNORM, 0});
        Wake wake;
        if (::WSAPoll(fds.data(), static_cast<ULONG>(fds.size()),
                      static_cast<INT>(tick.count())) == SOCKET_ERROR) {
            wake.stop = true;
            return wake;
        }
        wake.stop = g_stop.load();
        wake.incoming = (fds[0].revents & POLLRDNORM) != 0;
        for (std::size_t i = 1; i < fds.size(); ++i)
            wake.readable.push_back((fds[i].revents & (POLLRDNORM | POLLHUP | POLLERR)) != 0);
        return wake;
    }

    Handle accept() override {
        const SOCKET connection = ::accept(m_listen, nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            return kNoHandle;
        const BOOL on = TRUE;
        ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                     sizeof on);
        const DWORD timeoutMs = 1000;  // a peer that stops reading must not stall the simulator
        ::setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO,
                     reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
        return static_cast<Handle>(connection);
    }

    Read read(Handle handle, bool, std::span<std::uint8_t> buffer, std::size_t& got) override {
        const int n = ::recv(socketOf(handle), reinterpret_cast<char*>(buffer.data()),
                             static_cast<int>(buffer.size()), 0);
        got = n > 0 ? static_cast<std::size_t>(n) : 0;
        if (n > 0)
            return Read::Bytes;
        return n < 0 && ::WSAGetLastError() == WSAEWOULDBLOCK ? Read::Nothing : Read::Gone;
    }

    void write(Handle handle, bool, std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const int n =
                ::send(socketOf(handle), reinterpret_cast<const char*>(bytes.data()),
                       static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 20)), 0);
            if (n <= 0)
                return;
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
    }

    void close(Handle handle, bool, bool reset) override {
        if (reset) {
            linger rst{1, 0};
            ::setsockopt(socketOf(handle), SOL_SOCKET, SO_LINGER,
                         reinterpret_cast<const char*>(&rst), sizeof rst);
        }
        ::closesocket(socketOf(handle));
    }

  private:
    SOCKET m_listen = INVALID_SOCKET;
    int m_port = 0;
    bool m_started = false;
    bool m_watchingInput = false;
};

}  // namespace

std::unique_ptr<SimTransport> makeSimTransport() {
    return std::make_unique<WinsockTransport>();
}

std::string pseudoTerminalUnavailable() {
    return "not available on Windows, which has no pseudo-terminals; the debugger reaches "
           "ctrlsim over TCP (veltro -IP 127.0.0.1 -IPP PORT)";
}

}  // namespace ctrlsim
