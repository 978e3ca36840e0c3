#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "support/veltro/bytes.h"
#include "support/veltro/clock.h"
#include "veltro/ports/line_output.h"

namespace test_support {

// A line that takes at most `accept` bytes per call (0: blocked). A blocked
// call moves the fake clock by its whole wait, as the real line would have
// waited. `closeNow` makes it report that it will take nothing more.
class FakeLine final : public veltro::LineOutput {
  public:
    explicit FakeLine(FakeClock& clock) : m_clock(clock) {}

    Result writeSome(std::span<const std::uint8_t> bytes,
                     std::chrono::milliseconds wait) override {
        if (closeNow.load())
            return {0, true};
        const std::size_t take = std::min(bytes.size(), accept.load());
        if (take == 0) {
            m_clock.advance(wait);
            std::this_thread::yield();
            return {};
        }
        std::lock_guard lock(m_mutex);
        m_written.insert(m_written.end(), bytes.begin(), bytes.begin() + take);
        return {take, false};
    }
    void lineBlocked() override { blockedReports.fetch_add(1); }

    Bytes written() const {
        std::lock_guard lock(m_mutex);
        return m_written;
    }

    std::atomic<std::size_t> accept{1024};
    std::atomic<bool> closeNow{false};
    std::atomic<int> blockedReports{0};

  private:
    FakeClock& m_clock;
    mutable std::mutex m_mutex;
    Bytes m_written;
};

// Holds the writer thread in its first write until the test opens the gate,
// then passes every write to `line`: what the senders queued meanwhile is
// known exactly, however fast the line would have drained it.
class GatedLine final : public veltro::LineOutput {
  public:
    explicit GatedLine(veltro::LineOutput& line) : m_line(line) {}
    Result writeSome(std::span<const std::uint8_t> bytes,
                     std::chrono::milliseconds wait) override {
        {
            std::unique_lock lock(m_mutex);
            m_opened.wait(lock, [this] { return m_open; });
        }
        return m_line.writeSome(bytes, wait);
    }
    void lineBlocked() override { m_line.lineBlocked(); }
    void open() {
        {
            std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_opened.notify_all();
    }

  private:
    veltro::LineOutput& m_line;
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = false;
};

}  // namespace test_support
