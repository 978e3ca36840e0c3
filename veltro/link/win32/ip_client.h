#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <thread>

#include "veltro/link/ip_error.h"
#include "veltro/link/link_flags.h"
#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/line_output.h"
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
class IpClient : public LineOutput {
  public:
    static constexpr int kConnectionReset = -99;

    IpClient(ByteConsumer& consumer, LinkFlags& flags, IpErrorHandler& errors,
             UiDispatcher& dispatcher);
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

    bool connectionEnded() const { return m_ended.load(); }
    // The last receive count: bytes of the last read, 0 after a close, -99 after a reset.
    int lastReceiveCount() const { return m_lastCount.load(); }

  private:
    void readerLoop();
    void waitForEvents();
    void fail(const IpError& error);

    ByteConsumer& m_consumer;
    LinkFlags& m_flags;
    IpErrorHandler& m_errors;
    UiDispatcher& m_dispatcher;
    bool m_libraryStarted = false;
    std::uintptr_t m_socket;     // a SOCKET; INVALID_SOCKET until made
    void* m_readable = nullptr;  // set by the socket: bytes or the end arrived
    void* m_wake = nullptr;      // set when the link stops
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_lastCount{0};
    std::thread m_reader;
};

}  // namespace veltro::link
