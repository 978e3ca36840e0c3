#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "veltro/monitor/frame_entry.h"

namespace veltro::monitor {

// The last frames seen, oldest first, at most `capacity` of them: a new frame
// beyond that overwrites the oldest, so memory stays bounded however long
// the monitor runs. User-interface thread only.
class FrameHistory {
  public:
    static constexpr std::size_t kDefaultCapacity = 100000;

    explicit FrameHistory(std::size_t capacity = kDefaultCapacity)
        : m_capacity(capacity > 0 ? capacity : 1) {}

    void push(const FrameEntry& entry) {
        ++m_total;
        if (m_entries.size() < m_capacity) {
            m_entries.push_back(entry);
            return;
        }
        m_entries[m_oldest] = entry;
        m_oldest = (m_oldest + 1) % m_capacity;
    }
    void clear() {
        m_entries.clear();
        m_oldest = 0;
    }

    std::size_t size() const { return m_entries.size(); }
    std::size_t capacity() const { return m_capacity; }
    // Frames pushed since construction, those overwritten included.
    std::uint64_t total() const { return m_total; }
    const FrameEntry& at(std::size_t i) const {  // 0 is the oldest kept
        return m_entries[(m_oldest + i) % m_entries.size()];
    }

  private:
    std::size_t m_capacity;
    std::vector<FrameEntry> m_entries;
    std::size_t m_oldest = 0;
    std::uint64_t m_total = 0;
};

}  // namespace veltro::monitor
