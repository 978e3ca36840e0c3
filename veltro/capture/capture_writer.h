#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "veltro/capture/capture_format.h"
#include "veltro/monitor/frame_recorder.h"

namespace veltro::capture {

// Writes a capture file from the frames the monitor's intake delivers, on
// the thread that drains it (never the reader thread). The file is opened
// with the first frame, so a recording that saw nothing leaves the place as
// it was. What is buffered reaches the file at least once a second (tick), so
// a crash loses at most the last second. At the size limit the recording
// ends with "einde limiet" and takes nothing more.
class CaptureWriter final : public monitor::FrameRecorder {
  public:
    static constexpr std::uint64_t kDefaultLimit = std::uint64_t{1} << 30;  // 1 GiB
    static constexpr std::int64_t kFlushIntervalMs = 1000;

    struct Opened {
        std::ostream* stream = nullptr;  // null: `error` says why
        std::string error;
    };
    using Opener = std::function<Opened()>;

    // `header.beginMs` is set from the first frame.
    CaptureWriter(CaptureHeader header, Opener open, std::uint64_t limit = kDefaultLimit);
    ~CaptureWriter() override { close(); }
    CaptureWriter(const CaptureWriter&) = delete;
    CaptureWriter& operator=(const CaptureWriter&) = delete;

    void take(const monitor::FrameEntry& entry) override;
    void lost(std::uint64_t frames, std::int64_t timeMs) override;
    void tick(std::int64_t nowMs) override;
    // Writes the end line and everything buffered; the error text when the
    // file could not be opened or written completely.
    std::optional<std::string> close();

    bool opened() const { return m_out != nullptr; }
    bool atLimit() const { return m_atLimit; }
    bool closed() const { return m_closed; }
    std::uint64_t frames() const { return m_frames; }
    // The time the last line written holds, as a replay reads it: never
    // before an earlier line's, whatever the frame's own time.
    std::int64_t lastTimeMs() const { return m_header.beginMs + m_lastOffset; }
    std::uint64_t lostFrames() const { return m_lost; }
    // The first failure, or empty; nothing is written after it.
    const std::string& error() const { return m_error; }

  private:
    bool begin(std::int64_t timeMs);
    std::int64_t offset(std::int64_t timeMs);
    // Adds a line unless it would pass the limit (then the recording ends).
    void add(const std::string& line);
    void write();

    CaptureHeader m_header;
    Opener m_open;
    std::uint64_t m_limit;
    std::ostream* m_out = nullptr;
    std::string m_buffer;
    std::string m_line;
    std::uint64_t m_size = 0;  // bytes given to the file so far, buffer included
    std::int64_t m_lastOffset = 0;
    std::int64_t m_lastFlush = 0;
    std::uint64_t m_frames = 0;
    std::uint64_t m_lost = 0;
    bool m_atLimit = false;
    bool m_closed = false;
    std::string m_error;
};

}  // namespace veltro::capture
