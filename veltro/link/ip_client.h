#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <thread>

#include "veltro/link/byte_consumer.h"
#include "veltro/link/byte_writer.h"
#include "veltro/link/ip_error.h"
#include "veltro/link/link_flags.h"

namespace veltro::link {

// Handling of an IP error: the front-end writes the report to standard error,
// shows the message box and ends the program with exit code 1.
class IpErrorHandler {
  public:
    virtual ~IpErrorHandler() = default;
    virtual void ipError(const IpError& error) = 0;
};

// The TCP client of the IP link on POSIX sockets. The reader thread blocks in
// recv and hands each bulk read on, in order.
//
// The end of the connection: a reset by the controller (the "-99" of the
// receive) and an orderly close both end the reader quietly; no byte is handed
// on that was not received, and no receive is tried again, since there is no
// reconnect and the socket can yield nothing more. The program goes on; sends
// after that (or a send that finds the connection gone) are dropped silently.
class IpClient : public ByteWriter {
  public:
    static constexpr int kConnectionReset = -99;

    IpClient(ByteConsumer& consumer, LinkFlags& flags, IpErrorHandler& errors);
    ~IpClient() override;
    IpClient(const IpClient&) = delete;
    IpClient& operator=(const IpClient&) = delete;

    // Makes the stream socket (the socket library needs no start here).
    std::optional<IpError> create();
    // Connects to a dotted IPv4 address, without a name lookup.
    std::optional<IpError> connect(const std::string& address, int port);
    void startReader();

    void writeBytes(std::span<const std::uint8_t> bytes) override;

    bool connectionEnded() const { return m_ended.load(); }
    // The last receive count: bytes of the last read, 0 after a close, -99 after a reset.
    int lastReceiveCount() const { return m_lastCount.load(); }

  private:
    void readerLoop();

    ByteConsumer& m_consumer;
    LinkFlags& m_flags;
    IpErrorHandler& m_errors;
    int m_fd = -1;
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_lastCount{0};
    std::thread m_reader;
};

}  // namespace veltro::link
