#pragma once

#include <array>
#include <cstdint>
#include <limits>

#include "veltro/monitor/frame_entry.h"
#include "veltro/monitor/frame_names.h"
#include "veltro/monitor/frame_text.h"
#include "veltro/monitor/time_text.h"

namespace veltro::monitor {

// The monitor's rows as text, each frame described once: a table asks for
// every cell of a visible row in turn, and describing a frame decodes it.
// Rows are kept by the frame's sequence number in slots enough for several
// screens of rows. User-interface thread only.
class FrameRowCache {
  public:
    static constexpr std::size_t kSlots = 512;

    // The columns of the frame numbered `sequence`.
    const FrameColumns& columns(std::uint64_t sequence, const FrameEntry& entry,
                                const FrameNames& names);
    // Forgets every row (the names may have changed).
    void clear();

    // Frames described so far.
    std::uint64_t described() const { return m_described; }

  private:
    struct Slot {
        std::uint64_t sequence = std::numeric_limits<std::uint64_t>::max();
        FrameColumns columns;
    };
    std::array<Slot, kSlots> m_slots;
    LocalOffset m_offset;
    std::uint64_t m_described = 0;
};

}  // namespace veltro::monitor
