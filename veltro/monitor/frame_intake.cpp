#include "veltro/monitor/frame_intake.h"

#include <bit>

namespace veltro::monitor {

// Each cell's sequence says whose turn it is: equal to a push position when
// the cell is free for that push, one more when it holds that push's entry.
FrameIntake::FrameIntake(std::size_t capacity)
    : m_mask(std::bit_ceil(capacity < 2 ? std::size_t{2} : capacity) - 1),
      m_cells(std::make_unique<Cell[]>(m_mask + 1)) {
    for (std::size_t i = 0; i <= m_mask; ++i)
        m_cells[i].sequence.store(i, std::memory_order_relaxed);
}

bool FrameIntake::push(const FrameEntry& entry) {
    std::size_t position = m_tail.load(std::memory_order_relaxed);
    for (;;) {
        Cell& cell = m_cells[position & m_mask];
        const std::size_t sequence = cell.sequence.load(std::memory_order_acquire);
        const auto lag = static_cast<std::ptrdiff_t>(sequence - position);
        if (lag == 0) {
            if (m_tail.compare_exchange_weak(position, position + 1, std::memory_order_relaxed)) {
                cell.entry = entry;
                cell.sequence.store(position + 1, std::memory_order_release);
                return true;
            }
        } else if (lag < 0) {
            m_refused.fetch_add(1, std::memory_order_relaxed);
            return false;
        } else {
            position = m_tail.load(std::memory_order_relaxed);
        }
    }
}

bool FrameIntake::pop(FrameEntry& entry) {
    const std::size_t position = m_head.load(std::memory_order_relaxed);
    Cell& cell = m_cells[position & m_mask];
    if (cell.sequence.load(std::memory_order_acquire) != position + 1)
        return false;
    entry = cell.entry;
    cell.sequence.store(position + m_mask + 1, std::memory_order_release);
    m_head.store(position + 1, std::memory_order_relaxed);
    return true;
}

}  // namespace veltro::monitor
