#pragma once

#include <atomic>
#include <chrono>
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

namespace veltro::link {

// The serial link through the Win32 communications functions, set up and
// lost as the POSIX one (posix/serial_link.h) with the system's own calls:
// the working time-outs and buffer sizes of the line, DTR, the modem status.
// A device that goes away is a read that fails at once.
//
// The port is opened for overlapped I/O: on a synchronous handle a write
// waits until the reader's pending read ends, and a pending read could not
// be ended when the link stops.
class SerialLink final : public SerialLine {
  public:
    SerialLink(ByteConsumer& consumer, Prompts& prompts, UiDispatcher& dispatcher,
               LineWatch* watch = nullptr);
    ~SerialLink() override;  // stops the reader and restores the port, quietly
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    bool connected() const { return m_connected.load(); }
    bool open(const std::string& device, int baudRate) override;
    bool reopen(std::stop_token stop) override;
    Result writeSome(std::span<const std::uint8_t> bytes, std::chrono::milliseconds wait) override;
    void lineBlocked() override;
    void close();

  private:
    struct SavedTimeouts;

    void closePort(bool report);
    void configureLine(int baudRate);
    // A reader started by a reopen checks the line without message boxes.
    void readerLoop(bool quiet);
    void startReader(bool quiet);
    bool waitForStop(unsigned long milliseconds);
    // The device is gone; true when the reader ends.
    bool deviceGone();

    ByteConsumer& m_consumer;
    SerialAlerts m_alerts;
    LineEnding m_ending;
    std::string m_device;  // for a reopen
    int m_baudRate = 9600;
    std::mutex m_portMutex;       // the writer against a reopen that replaces the handle
    void* m_port = nullptr;       // the port's handle
    void* m_stopEvent = nullptr;  // set: the reader ends its wait
    void* m_writeEvent = nullptr;
    std::unique_ptr<SavedTimeouts> m_saved;  // the port's time-outs before set-up
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_stop{false};
    std::thread m_reader;
};

}  // namespace veltro::link
