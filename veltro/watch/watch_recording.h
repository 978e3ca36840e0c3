#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "veltro/capture/capture_writer.h"
#include "veltro/headless/output_file.h"
#include "veltro/monitor/frame_feed.h"
#include "veltro/monitor/monitor_hub.h"
#include "veltro/ports/frame_tap.h"

namespace veltro::watch {

// The watch's --record: every frame of the link both ways into a capture
// file, taken from the link's tap on the reader thread and written on the
// loop's thread. Without a path it records nothing and costs nothing.
// Each frame written is shown to `onFrame` too, so that the value log can be
// made of exactly the frames the capture holds.
class WatchRecording final : private monitor::FrameRecorder {
  public:
    using FrameHandler = std::function<void(const monitor::FrameEntry&)>;

    WatchRecording(FrameTapSlot& slot, const std::string& path, const std::string& directory,
                   FrameHandler onFrame, monitor::WallClock clock = monitor::systemTimeMs);
    bool recording() const { return m_writer != nullptr; }
    ~WatchRecording() { close(); }

    // Writes out what the tap queued (the loop's thread).
    void drain();
    // The first failure: the file could not be made or written.
    std::string error() const;
    // What the user should know of a recording that worked: frames lost,
    // the size limit reached.
    std::vector<std::string> notes() const;
    // Takes what is still queued, detaches from the link and ends the file;
    // the failure, if any, with the file's name.
    std::optional<std::string> close();

  private:
    void take(const monitor::FrameEntry& entry) override;
    void lost(std::uint64_t frames, std::int64_t timeMs) override;
    void tick(std::int64_t nowMs) override { m_writer->tick(nowMs); }

    FrameHandler m_onFrame;
    monitor::WallClock m_clock;
    std::unique_ptr<headless::OutputFile> m_file;
    monitor::MonitorHub m_hub;
    std::unique_ptr<capture::CaptureWriter> m_writer;
};

}  // namespace veltro::watch
