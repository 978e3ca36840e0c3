#pragma once

#include <cstdint>
#include <memory>

#include "veltro/monitor/frame_feed.h"
#include "veltro/monitor/frame_history.h"
#include "veltro/monitor/frame_intake.h"
#include "veltro/monitor/frame_recorder.h"
#include "veltro/monitor/trend_store.h"
#include "veltro/monitor/value_log.h"
#include "veltro/ports/frame_tap.h"

namespace veltro::monitor {

// The traffic of the link for the frame monitor, the value log and the trend:
// the frame tap is attached to the link only while one of them is in use (so
// the link pays nothing otherwise), and the user-interface thread drains the
// intake at its own pace into each of them.
class MonitorHub {
  public:
    enum Use : unsigned { kMonitor = 1, kLog = 2, kTrend = 4, kRecord = 8 };
    static constexpr std::size_t kIntakeCapacity = 65536;

    MonitorHub(FrameTapSlot& slot, WallClock clock);
    ~MonitorHub();  // detaches the tap; the link no longer calls it afterwards
    MonitorHub(const MonitorHub&) = delete;
    MonitorHub& operator=(const MonitorHub&) = delete;

    void setUse(Use use, bool on);
    bool inUse(Use use) const { return (m_uses & use) != 0; }
    bool attached() const { return m_uses != 0; }

    // Hands every frame to `recorder` from now on (null: ends that). What
    // the intake refuses meanwhile is told to it as lost.
    void setRecorder(FrameRecorder* recorder);
    FrameRecorder* recorder() const { return m_recorder; }

    // A paused monitor takes no frames; they are counted as skipped.
    void setPaused(bool paused) { m_paused = paused; }
    bool paused() const { return m_paused; }

    // Takes everything queued; the number of entries taken.
    std::size_t drain(std::int64_t nowMs);

    FrameHistory& history() { return m_history; }
    ValueLog& log() { return m_log; }
    TrendStore& trend() { return m_trend; }
    std::uint64_t skipped() const { return m_skipped; }
    // Frames the intake refused because the user-interface thread fell behind.
    std::uint64_t dropped() const { return m_intake ? m_intake->refused() : 0; }
    const WallClock& clock() const { return m_clock; }

  private:
    FrameTapSlot& m_slot;
    WallClock m_clock;
    unsigned m_uses = 0;
    bool m_paused = false;
    std::unique_ptr<FrameIntake> m_intake;  // made when first needed
    std::unique_ptr<FrameFeed> m_feed;
    FrameHistory m_history;
    ValueLog m_log;
    TrendStore m_trend;
    std::uint64_t m_skipped = 0;
    FrameRecorder* m_recorder = nullptr;
    std::uint64_t m_refusedSeen = 0;  // of the intake, told to the recorder
};

}  // namespace veltro::monitor
