#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "veltro/monitor/frame_entry.h"

namespace veltro::monitor {

// The bounded hand-over from the link's threads to the user-interface thread:
// any number of producers push without locks and without waiting; one
// consumer takes. A full queue refuses the entry and counts it, so the reader
// thread is never held up by a slow window.
class FrameIntake {
  public:
    // The capacity is rounded up to a power of two.
    explicit FrameIntake(std::size_t capacity);

    bool push(const FrameEntry& entry);  // any thread; false when full
    bool pop(FrameEntry& entry);         // the consumer only; false when empty

    std::size_t capacity() const { return m_mask + 1; }
    std::uint64_t refused() const { return m_refused.load(std::memory_order_relaxed); }

  private:
    struct Cell {
        std::atomic<std::size_t> sequence{0};
        FrameEntry entry;
    };

    std::size_t m_mask;
    std::unique_ptr<Cell[]> m_cells;
    alignas(64) std::atomic<std::size_t> m_tail{0};  // next push
    alignas(64) std::atomic<std::size_t> m_head{0};  // next pop
    std::atomic<std::uint64_t> m_refused{0};
};

}  // namespace veltro::monitor
