#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <thread>

#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/line_output.h"
#include "veltro/ports/prompts.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// The serial link through the Win32 communications functions: 8 data bits, no
// parity, one stop bit, no flow control, DTR raised, the working time-outs
// and buffer sizes of the line, and a reader thread that hands every read to
// the consumer. Each failing set-up step shows its own message; only a port
// that cannot be opened stops the set-up. Messages of the set-up come on the
// calling (user-interface) thread; those of the reader thread and of a
// blocked line are posted to it through the dispatcher.
//
// The port is opened for overlapped I/O: on a synchronous handle a write
// waits until the reader's pending read ends, and a pending read could not
// be ended when the link stops.
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
    struct SavedTimeouts;

    void alert(const std::string& text);
    void alertLater(const std::string& text);
    void closePort(bool report);
    void configureLine(int baudRate);
    void readerLoop();
    bool waitForStop(unsigned long milliseconds);

    ByteConsumer& m_consumer;
    Prompts& m_prompts;
    UiDispatcher& m_dispatcher;
    void* m_port = nullptr;       // the port's handle
    void* m_stopEvent = nullptr;  // set: the reader ends its wait
    void* m_writeEvent = nullptr;
    std::unique_ptr<SavedTimeouts> m_saved;  // the port's time-outs before set-up
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_stop{false};
    std::thread m_reader;
};

}  // namespace veltro::link
