#pragma once

#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "veltro/capture/capture_writer.h"
#include "veltro/monitor/monitor_hub.h"

namespace veltro::capture {

// The debugger's recording (menu Extra, --record): a capture file fed by the
// monitor's hub, on the thread that drains it. The path was chosen by the
// engineer (the save dialog asked before replacing a file); it is opened
// only when the first frame arrives. Each step returns what the message
// window should say.
class CaptureRecording {
  public:
    explicit CaptureRecording(monitor::MonitorHub& hub) : m_hub(hub) {}
    ~CaptureRecording() { stop(); }
    CaptureRecording(const CaptureRecording&) = delete;
    CaptureRecording& operator=(const CaptureRecording&) = delete;

    std::string start(const std::string& path, const std::string& projectDirectory,
                      std::uint64_t limit = CaptureWriter::kDefaultLimit);
    // Nothing when none runs.
    std::optional<std::string> stop();
    bool active() const { return m_writer != nullptr; }
    const std::string& path() const { return m_path; }

    // After a drain: a recording that ended by itself (a write error, the
    // size limit) is stopped, and its message given once.
    std::optional<std::string> check();

  private:
    monitor::MonitorHub& m_hub;
    std::string m_path;
    std::uint64_t m_limit = 0;
    std::ofstream m_file;
    std::unique_ptr<CaptureWriter> m_writer;
};

}  // namespace veltro::capture
