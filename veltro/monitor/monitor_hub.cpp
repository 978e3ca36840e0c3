#include "veltro/monitor/monitor_hub.h"

namespace veltro::monitor {

MonitorHub::MonitorHub(FrameTapSlot& slot, WallClock clock)
    : m_slot(slot), m_clock(std::move(clock)) {}

MonitorHub::~MonitorHub() {
    if (m_uses != 0)
        m_slot.attach(nullptr);
}

void MonitorHub::setUse(Use use, bool on) {
    const unsigned before = m_uses;
    if (on) {
        m_uses |= use;
        if (before == 0) {
            if (!m_intake) {
                m_intake = std::make_unique<FrameIntake>(kIntakeCapacity);
                m_feed = std::make_unique<FrameFeed>(*m_intake, m_clock);
            }
            m_slot.attach(m_feed.get());
        }
        return;
    }
    if ((before & use) != 0) {
        if ((before & ~unsigned{use}) == 0)
            m_slot.attach(nullptr);  // nothing more arrives
        drain(m_clock());            // what was queued still reaches the use that ends
        m_uses = before & ~unsigned{use};
    }
    if (use == kMonitor)
        m_history.clear();
}

void MonitorHub::setRecorder(FrameRecorder* recorder) {
    if (recorder == nullptr) {
        setUse(kRecord, false);  // what is queued still reaches the old one
        m_recorder = nullptr;
        return;
    }
    m_recorder = recorder;
    setUse(kRecord, true);
    m_refusedSeen = m_intake->refused();
}

std::size_t MonitorHub::drain(std::int64_t nowMs) {
    std::size_t taken = 0;
    if (m_intake) {
        FrameEntry entry;
        while (m_intake->pop(entry)) {
            ++taken;
            if (inUse(kMonitor)) {
                if (m_paused)
                    ++m_skipped;
                else
                    m_history.push(entry);
            }
            if (inUse(kLog))
                m_log.take(entry);
            if (inUse(kTrend))
                m_trend.take(entry);
            if (inUse(kRecord))
                m_recorder->take(entry);
        }
    }
    if (inUse(kRecord)) {
        // Refused entries came after the ones queued before them: the gap is
        // told where the recording notices it.
        const std::uint64_t refused = m_intake->refused();
        if (refused != m_refusedSeen)
            m_recorder->lost(refused - m_refusedSeen, nowMs);
        m_refusedSeen = refused;
        m_recorder->tick(nowMs);
    }
    if (inUse(kLog))
        m_log.tick(nowMs);
    return taken;
}

}  // namespace veltro::monitor
