#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>

#include "veltro/link/ip_error.h"
#include "veltro/link/line_ending.h"
#include "veltro/link/link_flags.h"
#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/line_adapters.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// The TCP client of the IP link on POSIX sockets. The reader thread blocks in
// recv and hands each bulk read on, in order; the link's write queue hands
// its bytes to writeSome, which sends what the socket takes, so a short send
// loses nothing.
//
// What the end of the connection means (a reset, a close, a failed receive or
// send; with or without a reconnect) is LineEnding's: this class only moves
// bytes, reports each end there and shuts the socket down when it says so. No
// byte is handed on that was not received. reopen() connects a new socket to
// the same address and starts a new reader.
class IpClient final : public IpLine {
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
    std::optional<IpError> create() override;
    // Connects to a dotted IPv4 address, without a name lookup.
    std::optional<IpError> connect(const std::string& address, int port) override;
    void startReader() override;

    Result writeSome(std::span<const std::uint8_t> bytes, std::chrono::milliseconds wait) override;

    bool reopen(std::stop_token stop) override;

    bool connectionEnded() const { return m_ending.writes() == LineEnding::Writes::Refuse; }
    // The last receive count: bytes of the last read, 0 after a close, -99 after a reset.
    int lastReceiveCount() const { return m_lastCount.load(); }

  private:
    void readerLoop(int fd);
    int connectAgain(const std::stop_token& stop) const;

    ByteConsumer& m_consumer;
    LinkFlags& m_flags;
    LineEnding m_ending;
    std::uint32_t m_peer = 0;  // the address connected to, for a reopen (network order)
    int m_port = 0;
    std::mutex m_fdMutex;  // the writer against a reopen that replaces the socket
    int m_fd = -1;
    std::atomic<int> m_lastCount{0};
    std::thread m_reader;
};

}  // namespace veltro::link
