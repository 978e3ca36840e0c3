#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>

#include "veltro/link/ip_error.h"
#include "veltro/link/link_flags.h"
#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/line_output.h"
#include "veltro/ports/line_watch.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// The TCP client of the IP link on Windows Sockets, whose error numbers are
// the link's own. The reader thread waits for the socket's network events (or
// the stop) and hands each bulk read on, in order; the link's write queue hands its bytes to
// writeSome, which sends what the socket takes, so a short send loses nothing.
//
// The end of the connection: a reset by the controller (the "-99" of the
// receive) and an orderly close both end the reader quietly; no byte is handed
// on that was not received, and no receive is tried again, since there is no
// reconnect. The program goes on; sends after that (or a send that finds the
// connection gone) are dropped silently. Any other failure of the reader or
// the writer is posted, once, to the error handler on the user-interface
// thread.
//
// With a line watch that reconnects, every end of the connection (a reset,
// a close, a failed receive or send) is a loss instead: the watch hears of it
// once, writes are dropped until reopen() has connected a new socket to the
// same address and started a new reader. Without one a reset or close is
// still told to the watch (if any), for the status line.
class IpClient : public LineOutput, public LineReopen {
  public:
    static constexpr int kConnectionReset = -99;
    // The longest wait for one reconnect attempt's connection.
    static constexpr int kReconnectTimeoutMs = 3000;

    IpClient(ByteConsumer& consumer, LinkFlags& flags, IpErrorHandler& errors,
             UiDispatcher& dispatcher, LineWatch* watch = nullptr);
    ~IpClient() override;  // stops the reader, closes the socket, releases the library
    IpClient(const IpClient&) = delete;
    IpClient& operator=(const IpClient&) = delete;

    // Starts the socket library (version 1.1) and makes the stream socket.
    std::optional<IpError> create();
    // Connects to a dotted IPv4 address, without a name lookup.
    std::optional<IpError> connect(const std::string& address, int port);
    void startReader();

    Result writeSome(std::span<const std::uint8_t> bytes, std::chrono::milliseconds wait) override;
    // A TCP peer that stops reading is waited for: nothing is described for it.
    void lineBlocked() override {}

    bool reopen(std::stop_token stop) override;

    bool connectionEnded() const { return m_ended.load(); }
    // The last receive count: bytes of the last read, 0 after a close, -99 after a reset.
    int lastReceiveCount() const { return m_lastCount.load(); }

  private:
    // SOCKET is an unsigned integer as wide as a pointer; the header of
    // Windows Sockets stays out of this one.
    using Socket = std::uintptr_t;

    void readerLoop(Socket s);
    void waitForEvents(Socket s);
    void fail(const IpError& error);
    bool reconnecting() const { return m_watch != nullptr && m_watch->reconnects(); }
    void lose();
    Socket connectAgain(const std::stop_token& stop);

    ByteConsumer& m_consumer;
    LinkFlags& m_flags;
    IpErrorHandler& m_errors;
    UiDispatcher& m_dispatcher;
    LineWatch* m_watch;
    std::string m_address;  // for a reopen
    int m_port = 0;
    bool m_libraryStarted = false;
    std::mutex m_socketMutex;    // the writer against a reopen that replaces the socket
    Socket m_socket;             // INVALID_SOCKET until made
    void* m_readable = nullptr;  // set by the socket: bytes or the end arrived
    void* m_wake = nullptr;      // set when the link stops
    std::atomic<bool> m_lost{false};
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_lastCount{0};
    std::thread m_reader;
};

}  // namespace veltro::link
