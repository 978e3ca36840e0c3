#pragma once

#include <atomic>
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

// The TCP client of the IP link on POSIX sockets. The reader thread blocks in
// recv and hands each bulk read on, in order; the link's write queue hands
// its bytes to writeSome, which sends what the socket takes, so a short send
// loses nothing.
//
// The end of the connection: a reset by the controller (the "-99" of the
// receive) and an orderly close both end the reader quietly; no byte is handed
// on that was not received, and no receive is tried again, since there is no
// reconnect and the socket can yield nothing more. The program goes on; sends
// after that (or a send that finds the connection gone) are dropped silently.
// Any other failure of the reader or the writer is posted, once, to the error
// handler on the user-interface thread.
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
    ~IpClient() override;
    IpClient(const IpClient&) = delete;
    IpClient& operator=(const IpClient&) = delete;

    // Makes the stream socket (the socket library needs no start here).
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
    void readerLoop(int fd);
    void fail(const IpError& error);
    bool reconnecting() const { return m_watch != nullptr && m_watch->reconnects(); }
    void lose();
    int connectAgain(const std::stop_token& stop) const;

    ByteConsumer& m_consumer;
    LinkFlags& m_flags;
    IpErrorHandler& m_errors;
    UiDispatcher& m_dispatcher;
    LineWatch* m_watch;
    std::string m_address;  // for a reopen
    int m_port = 0;
    std::mutex m_fdMutex;  // the writer against a reopen that replaces the socket
    int m_fd = -1;
    std::atomic<bool> m_lost{false};
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_lastCount{0};
    std::thread m_reader;
};

}  // namespace veltro::link
