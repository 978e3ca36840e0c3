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
#include "veltro/link/line_ending.h"
#include "veltro/link/link_flags.h"
#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/line_adapters.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// The TCP client of the IP link on Windows Sockets, whose error numbers are
// the link's own; it moves bytes as the POSIX one does (posix/ip_client.h),
// and LineEnding says what an end means. Its reader waits for the socket's
// network events or the stop event, so that no call blocks.
class IpClient final : public IpLine {
  public:
    static constexpr int kConnectionReset = -99;
    static constexpr int kReconnectTimeoutMs = 3000;  // one reconnect attempt's connection

    IpClient(ByteConsumer& consumer, LinkFlags& flags, IpErrorHandler& errors,
             UiDispatcher& dispatcher, LineWatch* watch = nullptr);
    ~IpClient() override;  // stops the reader, closes the socket, releases the library
    IpClient(const IpClient&) = delete;
    IpClient& operator=(const IpClient&) = delete;

    bool connectionEnded() const { return m_ending.writes() == LineEnding::Writes::Refuse; }
    // The last receive count: bytes of the last read, 0 after a close, -99 after a reset.
    int lastReceiveCount() const { return m_lastCount.load(); }

    std::optional<IpError> create() override;  // the socket library's version 1.1
    std::optional<IpError> connect(const std::string& address, int port) override;
    void startReader() override;
    Result writeSome(std::span<const std::uint8_t> bytes, std::chrono::milliseconds wait) override;
    bool reopen(std::stop_token stop) override;

  private:
    // SOCKET is an unsigned integer as wide as a pointer; the header of
    // Windows Sockets stays out of this one.
    using Socket = std::uintptr_t;

    void readerLoop(Socket s);
    void waitForEvents(Socket s);
    void shutDownSocket(Socket s);
    Socket connectAgain(const std::stop_token& stop);

    ByteConsumer& m_consumer;
    LinkFlags& m_flags;
    LineEnding m_ending;
    std::uint32_t m_peer = 0;  // the address connected to, for a reopen (network order)
    int m_port = 0;
    bool m_libraryStarted = false;
    std::mutex m_socketMutex;    // the writer against a reopen that replaces the socket
    Socket m_socket;             // INVALID_SOCKET until made
    void* m_readable = nullptr;  // set by the socket: bytes or the end arrived
    void* m_wake = nullptr;      // set when the link stops
    std::atomic<int> m_lastCount{0};
    std::thread m_reader;
};

}  // namespace veltro::link
