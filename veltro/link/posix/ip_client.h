#pragma once

#include <atomic>
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
class IpClient : public LineOutput {
  public:
    static constexpr int kConnectionReset = -99;

    IpClient(ByteConsumer& consumer, LinkFlags& flags, IpErrorHandler& errors,
             UiDispatcher& dispatcher);
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

    bool connectionEnded() const { return m_ended.load(); }
    // The last receive count: bytes of the last read, 0 after a close, -99 after a reset.
    int lastReceiveCount() const { return m_lastCount.load(); }

  private:
    void readerLoop();
    void fail(const IpError& error);

    ByteConsumer& m_consumer;
    LinkFlags& m_flags;
    IpErrorHandler& m_errors;
    UiDispatcher& m_dispatcher;
    int m_fd = -1;
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_lastCount{0};
    std::thread m_reader;
};

}  // namespace veltro::link
