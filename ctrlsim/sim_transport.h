#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ctrlsim {

// The simulator's outside world as the server loop asks for it: a listener on
// 127.0.0.1, connections, a pseudo-terminal where the platform has one, and
// the stop request. One implementation a platform (sim_transport_posix.cpp,
// sim_transport_win32.cpp), system calls only; the loop is SimServer's.
class SimTransport {
  public:
    // A socket or terminal of the platform: a file descriptor, or a SOCKET.
    using Handle = std::intptr_t;
    static constexpr Handle kNoHandle = -1;

    // What one wait found.
    struct Wake {
        bool stop = false;           // Ctrl-C, a request to terminate, the end of input
        bool incoming = false;       // a connection waits at the listener
        std::vector<bool> readable;  // per handle waited for: bytes, or its end
    };

    // What one read found.
    enum class Read { Bytes, Nothing, Gone };

    virtual ~SimTransport() = default;

    // Watches for the stop request, then listens on 127.0.0.1 `port` (0: a
    // free one). An error text, or nothing.
    virtual std::optional<std::string> listen(int port) = 0;
    virtual int port() const = 0;
    // A raw pseudo-terminal: its master end and the path of the other, or an
    // error text.
    virtual std::optional<std::string> openPty(Handle& master, std::string& path) = 0;

    // Waits at most `tick`; with `watchInput`, the end of standard input is a stop.
    virtual Wake wait(const std::vector<Handle>& handles, bool watchInput,
                      std::chrono::milliseconds tick) = 0;
    // A new connection (no delay, a send time-out), or kNoHandle.
    virtual Handle accept() = 0;
    virtual Read read(Handle handle, bool pty, std::span<std::uint8_t> buffer,
                      std::size_t& got) = 0;
    // All of `bytes`, unless the peer is gone or stopped reading: then they are lost.
    virtual void write(Handle handle, bool pty, std::span<const std::uint8_t> bytes) = 0;
    // With `reset`, a connection ends with RST instead of an orderly close.
    virtual void close(Handle handle, bool pty, bool reset) = 0;
};

// The transport of the platform built for.
std::unique_ptr<SimTransport> makeSimTransport();
// Why this platform cannot serve a pseudo-terminal; empty where it can.
std::string pseudoTerminalUnavailable();

}  // namespace ctrlsim
