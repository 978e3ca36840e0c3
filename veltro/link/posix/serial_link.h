#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <thread>

#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/line_output.h"
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
class SerialLink : public LineOutput {
  public:
    SerialLink(ByteConsumer& consumer, Prompts& prompts, UiDispatcher& dispatcher);
    ~SerialLink() override;  // stops the reader and restores the port, quietly
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // False (after the open message) when the device cannot be opened.
    bool open(const std::string& device, int baudRate);
    void close();
    bool connected() const { return m_connected.load(); }

    Result writeSome(std::span<const std::uint8_t> bytes, std::chrono::milliseconds wait) override;
    void lineBlocked() override;

  private:
    void alert(const std::string& text);
    void alertLater(const std::string& text);
    void closePort(bool report);
    void configureLine(int baudRate);
    void readerLoop();
    bool waitForStop(int milliseconds);

    ByteConsumer& m_consumer;
    Prompts& m_prompts;
    UiDispatcher& m_dispatcher;
    int m_fd = -1;
    int m_wake[2] = {-1, -1};          // a byte here ends the reader's wait
    std::unique_ptr<termios> m_saved;  // the port's settings before set-up
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_stop{false};
    std::thread m_reader;
};

}  // namespace veltro::link
