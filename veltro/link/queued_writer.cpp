#include "veltro/link/queued_writer.h"

#include <algorithm>

namespace veltro::link {

QueuedWriter::QueuedWriter(LineOutput& line, const SteadyClock& clock)
    : m_line(line), m_clock(clock), m_thread([this] { run(); }) {}

QueuedWriter::~QueuedWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

bool QueuedWriter::writeBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        return true;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed.load(std::memory_order_acquire) ||
            m_queue.size() + m_inFlight + bytes.size() > kCapacity) {
            return false;
        }
        m_queue.insert(m_queue.end(), bytes.begin(), bytes.end());
    }
    m_changed.notify_all();
    return true;
}

std::size_t QueuedWriter::backlog() const {
    std::lock_guard lock(m_mutex);
    return m_queue.size() + m_inFlight;
}

bool QueuedWriter::waitUntilIdle(std::chrono::milliseconds limit) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, limit, [this] {
        return (m_queue.empty() && m_inFlight == 0) || m_closed.load(std::memory_order_acquire);
    });
}

// Waits for bytes, then takes up to one piece of them off the queue. They
// still count against the capacity until they are written.
bool QueuedWriter::takePiece(std::vector<std::uint8_t>& piece) {
    std::unique_lock lock(m_mutex);
    m_inFlight = 0;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_stop || !m_queue.empty(); });
    if (m_stop)
        return false;
    const std::size_t size = std::min(kPiece, m_queue.size());
    piece.assign(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(size));
    m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(size));
    m_inFlight = size;
    return true;
}

void QueuedWriter::run() {
    std::vector<std::uint8_t> piece;
    while (takePiece(piece))
        writePiece(piece);
}

void QueuedWriter::writePiece(const std::vector<std::uint8_t>& piece) {
    const SteadyClock::Time deadline =
        m_clock.now() + kTimeOutPerByte * static_cast<std::int64_t>(piece.size());
    std::span<const std::uint8_t> rest(piece);
    while (!rest.empty()) {
        {
            std::lock_guard lock(m_mutex);
            if (m_stop)
                return;
        }
        const SteadyClock::Time now = m_clock.now();
        const auto wait = std::clamp(deadline - now, std::chrono::milliseconds(1), kLongestWait);
        const LineOutput::Result result = m_line.writeSome(rest, wait);
        if (result.closed) {
            closeLine();
            return;
        }
        rest = rest.subspan(std::min(result.written, rest.size()));
        if (!rest.empty() && m_clock.now() >= deadline && !m_blockReported) {
            m_blockReported = true;
            m_line.lineBlocked();
        }
    }
    if (m_clock.now() <= deadline)
        m_blockReported = false;  // the line keeps pace again
}

// The line is gone for good: what waits can never go out.
void QueuedWriter::closeLine() {
    {
        std::lock_guard lock(m_mutex);
        m_closed.store(true, std::memory_order_release);
        m_queue.clear();
    }
    m_changed.notify_all();
}

}  // namespace veltro::link
