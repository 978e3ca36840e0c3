#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "veltro/capture/capture_format.h"
#include "veltro/monitor/frame_names.h"
#include "veltro/ports/record_sink.h"

namespace veltro::capture {

// Whether a capture was recorded against the project in `directory`: the
// text that says how they differ (project name, definition header's date).
std::optional<std::string> projectMismatch(const CaptureHeader& header,
                                           const std::string& directory);

// Passes every replayed record on and counts those that name an element the
// loaded definitions do not have, so that a capture of another project is
// told rather than shown under wrong names. The decoding thread only; read
// the counts after the replay.
class ElementCheck final : public RecordSink {
  public:
    ElementCheck(const monitor::FrameNames& names, RecordSink& next)
        : m_names(names), m_next(next) {}

    void deliver(const ControllerRecord& record) override;

    std::uint64_t unknown() const { return m_unknown; }
    // "12 frames ..." with the first of them, or nothing when all were known.
    std::optional<std::string> report() const;

  private:
    bool known(const ControllerRecord& record) const;

    const monitor::FrameNames& m_names;
    RecordSink& m_next;
    std::uint64_t m_unknown = 0;
    ControllerRecord m_first;
};

}  // namespace veltro::capture
