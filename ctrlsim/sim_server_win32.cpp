// The simulator's sockets and stop request on Windows: Windows Sockets waited
// for by WSAPoll, Ctrl-C through the console's control handler, and the end of
// standard input watched by a thread of its own (WSAPoll waits for sockets
// only). Windows has no pseudo-terminals.
#include "ctrlsim/sim_server.h"
#include "veltro/link/ip_error.h"

// Windows Sockets after the link's own headers: its error names are macros.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <string>
#include <thread>

namespace ctrlsim {

namespace {

constexpr int kTickMs = 20;

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

}  // namespace

std::string SimServer::pseudoTerminalUnavailable() {
    return "not available on Windows, which has no pseudo-terminals; the debugger reaches "
           "ctrlsim over TCP (veltro -IP 127.0.0.1 -IPP PORT)";
}

SimServer::~SimServer() {
    for (auto& c : m_connections)
        closeConnection(c);
    if (m_listen != kNoHandle)
        ::closesocket(socketOf(m_listen));
    if (m_networkStarted)
        ::WSACleanup();
}

std::optional<std::string> SimServer::start() {
    if (m_options.pty)
        return "--pty: " + pseudoTerminalUnavailable();
    WSADATA data{};
    if (const int error = ::WSAStartup(MAKEWORD(2, 2), &data); error != 0)
        return "the socket library does not start: " + errorText(error);
    m_networkStarted = true;
    // Before the port is announced, so that a Ctrl-C right after it is heard.
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);

    const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET)
        return "socket: " + errorText(::WSAGetLastError());
    m_listen = static_cast<Handle>(listener);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);  // never beyond this machine
    address.sin_port = ::htons(static_cast<u_short>(m_options.port));
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 8) != 0) {
        return "cannot listen on 127.0.0.1 port " + std::to_string(m_options.port) + ": " +
               errorText(::WSAGetLastError());
    }
    int length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ::ntohs(address.sin_port);
    return std::nullopt;
}

std::optional<std::string> SimServer::openPty() {
    return "--pty: " + pseudoTerminalUnavailable();
}

void SimServer::writeAll(Handle handle, bool, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const int n = ::send(socketOf(handle), reinterpret_cast<const char*>(bytes.data()),
                             static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 20)), 0);
        if (n <= 0)
            return;  // the peer is gone or stopped reading: the bytes are lost
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
}

void SimServer::accept() {
    const SOCKET connection = ::accept(socketOf(m_listen), nullptr, nullptr);
    if (connection == INVALID_SOCKET)
        return;
    const BOOL on = TRUE;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                 sizeof on);
    const DWORD timeoutMs = 1000;  // a peer that stops reading must not stall the simulator
    ::setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeoutMs),
                 sizeof timeoutMs);
    addConnection(static_cast<Handle>(connection), false);
}

void SimServer::closeConnection(Connection& c) {
    if (c.handle == kNoHandle)
        return;
    if (m_options.faults.resetOnClose) {
        linger reset{1, 0};  // close with RST
        ::setsockopt(socketOf(c.handle), SOL_SOCKET, SO_LINGER,
                     reinterpret_cast<const char*>(&reset), sizeof reset);
    }
    ::closesocket(socketOf(c.handle));
    c.handle = kNoHandle;
}

void SimServer::serviceConnection(Connection& c, short revents) {
    if (!(revents & (POLLRDNORM | POLLHUP | POLLERR)))
        return;
    std::array<char, 4096> buffer{};
    const int n = ::recv(socketOf(c.handle), buffer.data(), static_cast<int>(buffer.size()), 0);
    if (n > 0) {
        c.session->received(std::span(reinterpret_cast<const std::uint8_t*>(buffer.data()),
                                      static_cast<std::size_t>(n)),
                            SimSession::Clock::now());
    } else if (n == 0 || ::WSAGetLastError() != WSAEWOULDBLOCK) {
        closeConnection(c);
    }
}

void SimServer::run() {
    if (m_options.watchStdin)
        watchStandardInput();
    const auto started = SimSession::Clock::now();
    while (!g_stop.load()) {
        std::vector<WSAPOLLFD> fds;
        fds.push_back({socketOf(m_listen), POLLRDNORM, 0});
        for (const auto& c : m_connections)
            fds.push_back({socketOf(c.handle), POLLRDNORM, 0});
        if (::WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), kTickMs) == SOCKET_ERROR)
            return;
        if (g_stop.load())
            return;
        if (fds[0].revents & POLLRDNORM)
            accept();
        for (std::size_t i = 0; i < m_connections.size() && i + 1 < fds.size(); ++i)
            serviceConnection(m_connections[i], fds[i + 1].revents);
        tick(started);
    }
}

}  // namespace ctrlsim
