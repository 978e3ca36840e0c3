#include "veltro/capture/capture_recording.h"

#include <cerrno>
#include <cstring>

#include "veltro/capture/capture_texts.h"

namespace veltro::capture {

std::string CaptureRecording::start(const std::string& path, const std::string& projectDirectory,
                                    std::uint64_t limit) {
    stop();
    m_path = path;
    m_limit = limit;
    const CaptureHeader header{projectName(projectDirectory), definitionDate(projectDirectory), 0};
    m_writer = std::make_unique<CaptureWriter>(
        header,
        [this] {
            m_file.open(m_path, std::ios::binary | std::ios::trunc);
            if (!m_file)
                return CaptureWriter::Opened{nullptr, std::strerror(errno)};
            return CaptureWriter::Opened{&m_file, {}};
        },
        limit);
    m_hub.setRecorder(m_writer.get());
    return texts::recordingStarted(path);
}

std::optional<std::string> CaptureRecording::stop() {
    if (!m_writer)
        return std::nullopt;
    m_hub.setRecorder(nullptr);  // what was queued is written first
    const auto failure = m_writer->close();
    std::string text;
    if (failure)
        text = texts::recordingFailed(m_path, *failure);
    else if (m_writer->atLimit())
        text = texts::recordingAtLimit(m_path, m_limit);
    else if (!m_writer->opened())
        text = texts::recordingEmpty(m_path);
    else
        text = texts::recordingStopped(m_path, m_writer->frames());
    if (!failure && m_writer->lostFrames() != 0)
        text += ' ' + texts::recordingGaps(m_path, m_writer->lostFrames());
    m_writer.reset();
    m_file.close();
    return text;
}

std::optional<std::string> CaptureRecording::check() {
    if (!m_writer || (m_writer->error().empty() && !m_writer->atLimit()))
        return std::nullopt;
    return stop();
}

}  // namespace veltro::capture
