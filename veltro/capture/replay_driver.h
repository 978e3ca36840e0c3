#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "veltro/capture/capture_reader.h"
#include "veltro/capture/replay_player.h"
#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/frame_tap.h"

namespace veltro::capture {

// The debugger's replay: a capture file fed, on the calling thread, into
// the link's receive path (received frames: the real decoder and routing)
// and shown to its frame tap (sent frames, for the monitor). The monitor's
// clock reads timeMs(), so its rows carry the recorded times.
class ReplayDriver final : private ReplayTarget {
  public:
    ReplayDriver(ByteConsumer& receive, const FrameTapSlot& tap, const ReplayClock& clock)
        : m_receive(receive), m_tap(tap), m_clock(clock) {}

    // Opens the capture and reads its header; the error text otherwise.
    std::optional<std::string> open(const std::string& path);
    const std::string& path() const { return m_path; }
    const CaptureHeader& header() const { return m_reader->header(); }

    ReplayPlayer& player() { return *m_player; }
    const ReplayPlayer& player() const { return *m_player; }
    ReplayPlayer::Step advance() { return m_player->advance(); }

    // The recorded time of the line last fed, in milliseconds since the epoch.
    std::int64_t timeMs() const { return m_timeMs; }
    // What to tell when the replay has reached its end or its damage.
    std::vector<std::string> endNotes() const;

  private:
    void received(std::span<const std::uint8_t> bytes, std::int64_t timeMs) override;
    void sent(std::span<const std::uint8_t> bytes, std::int64_t timeMs) override;
    void lost(std::uint64_t frames, std::int64_t timeMs) override;

    ByteConsumer& m_receive;
    const FrameTapSlot& m_tap;
    const ReplayClock& m_clock;
    std::string m_path;
    std::ifstream m_file;
    std::unique_ptr<CaptureReader> m_reader;
    std::unique_ptr<ReplayPlayer> m_player;
    std::int64_t m_timeMs = 0;
    std::uint64_t m_lost = 0;
};

// The replay bar's times, from the recording's start: "1:02:03.4" is read
// as h:mm:ss with an optional fraction, "2:03" as m:ss, "75" as seconds.
std::optional<std::int64_t> parseReplayTime(const std::string& text);
std::string replayTimeText(std::int64_t offsetMs);  // "0:01:02.3"

}  // namespace veltro::capture
