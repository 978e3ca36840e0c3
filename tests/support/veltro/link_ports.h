#pragma once

// Recording fakes of the link's ports: the byte writer and consumer, the
// record sink, the dump display, the IP error handler and the display link.

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/veltro/bytes.h"
#include "support/veltro/wait.h"
#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/byte_writer.h"
#include "veltro/ports/display_link.h"
#include "veltro/ports/dump_display.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/item_view.h"
#include "veltro/ports/record_sink.h"

namespace test_support {

// Keeps every write whole, in order; refuses all once `refuse` is set.
class RecordingWriter final : public veltro::ByteWriter {
  public:
    bool writeBytes(std::span<const std::uint8_t> bytes) override {
        std::lock_guard lock(m_mutex);
        if (refuse)
            return false;
        writes.emplace_back(bytes.begin(), bytes.end());
        return true;
    }
    std::vector<Bytes> snapshot() const {
        std::lock_guard lock(m_mutex);
        return writes;
    }
    std::vector<Bytes> writes;
    bool refuse = false;

  private:
    mutable std::mutex m_mutex;
};

// Collects what a reader thread hands over.
class CollectingConsumer final : public veltro::ByteConsumer {
  public:
    void bytesReceived(std::span<const std::uint8_t> bytes) override {
        std::lock_guard lock(m_mutex);
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        ++m_reads;
    }
    Bytes bytes() const {
        std::lock_guard lock(m_mutex);
        return m_bytes;
    }
    int reads() const {
        std::lock_guard lock(m_mutex);
        return m_reads;
    }
    // Waits until `count` bytes came (or a few seconds passed).
    Bytes waitFor(std::size_t count) const {
        waitUntil([&] { return bytes().size() >= count; });
        return bytes();
    }

  private:
    mutable std::mutex m_mutex;
    Bytes m_bytes;
    int m_reads = 0;
};

// Keeps every record, from whichever thread delivers it.
class RecordingSink final : public veltro::RecordSink {
  public:
    void deliver(const veltro::ControllerRecord& record) override {
        std::lock_guard lock(m_mutex);
        m_records.push_back(record);
    }
    std::vector<veltro::ControllerRecord> records() const {
        std::lock_guard lock(m_mutex);
        return m_records;
    }
    std::vector<veltro::ControllerRecord> matching(int code, int index) const {
        std::vector<veltro::ControllerRecord> out;
        for (const auto& r : records()) {
            if (r.functionCode == code && r.index == index)
                out.push_back(r);
        }
        return out;
    }
    // Waits until `count` records of the object came (or `limit` passed).
    std::vector<veltro::ControllerRecord> waitFor(
        int code, int index, std::size_t count,
        std::chrono::milliseconds limit = std::chrono::milliseconds(60000)) const {
        waitUntil([&] { return matching(code, index).size() >= count; }, limit);
        return matching(code, index);
    }

  private:
    mutable std::mutex m_mutex;
    std::vector<veltro::ControllerRecord> m_records;
};

// The dump dialog's window: the last text of each field and how often each
// was set.
class RecordingDumpDisplay : public veltro::DumpDisplay {
  public:
    void showCount(std::int32_t count) override {
        std::lock_guard lock(m_mutex);
        m_count = count;
        ++m_countUpdates;
    }
    void showEcho(std::string_view line) override {
        std::lock_guard lock(m_mutex);
        m_echo = line;
    }
    void showStatus(std::string_view text) override {
        std::lock_guard lock(m_mutex);
        m_status = text;
    }
    void showStored(bool stored) override {
        std::lock_guard lock(m_mutex);
        m_stored = stored;
    }
    bool stored() const {
        std::lock_guard lock(m_mutex);
        return m_stored;
    }
    std::int32_t count() const {
        std::lock_guard lock(m_mutex);
        return m_count;
    }
    int countUpdates() const {
        std::lock_guard lock(m_mutex);
        return m_countUpdates;
    }
    std::string echo() const {
        std::lock_guard lock(m_mutex);
        return m_echo;
    }
    std::string status() const {
        std::lock_guard lock(m_mutex);
        return m_status;
    }
    void clearStatus() {
        std::lock_guard lock(m_mutex);
        m_status.clear();
    }

  private:
    mutable std::mutex m_mutex;
    std::int32_t m_count = -1;
    int m_countUpdates = 0;
    std::string m_echo;
    std::string m_status;
    bool m_stored = true;
};

class RecordingIpErrors final : public veltro::IpErrorHandler {
  public:
    void ipError(const veltro::IpError& error) override {
        std::lock_guard lock(m_mutex);
        m_errors.push_back(error);
    }
    std::vector<veltro::IpError> errors() const {
        std::lock_guard lock(m_mutex);
        return m_errors;
    }

  private:
    mutable std::mutex m_mutex;
    std::vector<veltro::IpError> m_errors;
};

// The window list's view of the link: the calls in order.
class LinkRecorder final : public veltro::DisplayLink {
  public:
    void setPaused(bool paused) override { events.push_back(paused ? "pause" : "resume"); }
    void windowHidden() override { events.push_back("hidden"); }
    void windowShown() override { events.push_back("shown"); }
    std::vector<std::string> events;
};

// The shown window's drawing: the items it was told to paint again.
class RecordingItemView final : public veltro::ItemView {
  public:
    void itemChanged(int item) override { changed.push_back(item); }
    std::vector<int> changed;
};

}  // namespace test_support
