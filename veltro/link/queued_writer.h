#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "veltro/ports/byte_writer.h"
#include "veltro/ports/line_output.h"
#include "veltro/ports/steady_clock.h"

namespace veltro::link {

// Senders queue their frames here and return at once; a writer thread of its
// own drains the queue onto the line at line speed, every byte in order.
//
// A frame is taken whole or refused whole, and the queue is bounded. The
// line's write time-out is 10 ms per byte: when a piece of the queue is not
// taken within that, the line is reported blocked, once until it takes a
// piece in time again. Nothing is dropped for it: the writer keeps offering
// the same bytes, and frames that do not fit meanwhile are refused whole.
class QueuedWriter : public ByteWriter {
  public:
    static constexpr std::size_t kCapacity = 64 * 1024;
    static constexpr std::size_t kPiece = 256;
    static constexpr std::chrono::milliseconds kTimeOutPerByte{10};
    // The longest single wait on the line, so that a stop is noticed quickly.
    static constexpr std::chrono::milliseconds kLongestWait{50};

    QueuedWriter(LineOutput& line, const SteadyClock& clock);
    ~QueuedWriter() override;  // stops the writer; bytes not yet written are dropped
    QueuedWriter(const QueuedWriter&) = delete;
    QueuedWriter& operator=(const QueuedWriter&) = delete;

    bool writeBytes(std::span<const std::uint8_t> bytes) override;

    // Bytes queued or being written.
    std::size_t backlog() const;
    // True once the line said it will take no more; every write is refused then.
    bool closed() const { return m_closed.load(std::memory_order_acquire); }
    // Waits until the backlog is empty or the line closed (for an orderly end).
    bool waitUntilIdle(std::chrono::milliseconds limit) const;

  private:
    void run();
    bool takePiece(std::vector<std::uint8_t>& piece);
    void writePiece(const std::vector<std::uint8_t>& piece);
    void closeLine();

    LineOutput& m_line;
    const SteadyClock& m_clock;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::deque<std::uint8_t> m_queue;
    std::size_t m_inFlight = 0;
    bool m_stop = false;
    std::atomic<bool> m_closed{false};
    bool m_blockReported = false;  // writer thread only
    std::thread m_thread;
};

}  // namespace veltro::link
