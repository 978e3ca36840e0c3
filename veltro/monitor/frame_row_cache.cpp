#include "veltro/monitor/frame_row_cache.h"

namespace veltro::monitor {

const FrameColumns& FrameRowCache::columns(std::uint64_t sequence, const FrameEntry& entry,
                                           const FrameNames& names) {
    Slot& slot = m_slots[sequence % kSlots];
    if (slot.sequence != sequence) {
        slot.columns = describeFrame(entry, names, m_offset(entry.timeMs));
        slot.sequence = sequence;
        ++m_described;
    }
    return slot.columns;
}

void FrameRowCache::clear() {
    for (Slot& slot : m_slots)
        slot.sequence = std::numeric_limits<std::uint64_t>::max();
}

}  // namespace veltro::monitor
