#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>

#include "veltro/link/line_ending.h"
#include "veltro/link/serial_alerts.h"
#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/line_adapters.h"
#include "veltro/ports/prompts.h"
#include "veltro/ports/ui_dispatcher.h"

struct termios;

namespace veltro::link {

// The serial link through termios: 8 data bits, no parity, one stop bit, no
// flow control, DTR raised, and a reader thread that hands every read to the
// consumer. Each failing set-up step shows its own message; only a port that
// cannot be opened stops the set-up. Messages of the set-up come on the
// calling (user-interface) thread; those of the reader thread and of a
// blocked line are posted to it through the dispatcher.
//
// A device that goes away (hang-up, or a read that fails) is reported to
// LineEnding, which decides: with a reconnect the reader ends and writes are
// dropped until reopen() finds the device again (same path, same settings,
// set up without message boxes) and starts a new reader; without one, the
// reader goes on trying as it always did.
class SerialLink final : public SerialLine {
  public:
    SerialLink(ByteConsumer& consumer, Prompts& prompts, UiDispatcher& dispatcher,
               LineWatch* watch = nullptr);
    ~SerialLink() override;  // stops the reader and restores the port, quietly
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // False (after the open message) when the device cannot be opened.
    bool open(const std::string& device, int baudRate) override;
    void close();
    bool connected() const { return m_connected.load(); }

    Result writeSome(std::span<const std::uint8_t> bytes, std::chrono::milliseconds wait) override;
    void lineBlocked() override;

    bool reopen(std::stop_token stop) override;

  private:
    void closePort(bool report);
    void configureLine(int baudRate);
    // A reader started by a reopen checks the line without message boxes.
    void readerLoop(int fd, bool quiet);
    void startReader(bool quiet = false);
    // The device is gone; true when the reader ends.
    bool deviceGone();
    bool waitForStop(int milliseconds);

    ByteConsumer& m_consumer;
    SerialAlerts m_alerts;
    LineEnding m_ending;
    std::string m_device;  // for a reopen
    int m_baudRate = 9600;
    std::mutex m_fdMutex;  // the writer against a reopen that replaces the device
    int m_fd = -1;
    int m_wake[2] = {-1, -1};          // a byte here ends the reader's wait
    std::unique_ptr<termios> m_saved;  // the port's settings before set-up
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_stop{false};
    std::thread m_reader;
};

}  // namespace veltro::link
