#include "veltro/watch/watch_recording.h"

namespace veltro::watch {

WatchRecording::WatchRecording(FrameTapSlot& slot, const std::string& path,
                               const std::string& directory, FrameHandler onFrame,
                               monitor::WallClock clock)
    : m_onFrame(std::move(onFrame)), m_clock(clock), m_hub(slot, std::move(clock)) {
    if (path.empty())
        return;
    // An existing file was refused before the watch began.
    m_file = std::make_unique<headless::OutputFile>(path, headless::ExistingFile::Refuse);
    const capture::CaptureHeader header{capture::projectName(directory),
                                        capture::definitionDate(directory), 0};
    m_writer = std::make_unique<capture::CaptureWriter>(header, [this] {
        std::ostream* out = m_file->open();
        return capture::CaptureWriter::Opened{out, m_file->error()};
    });
    m_hub.setRecorder(this);
}

void WatchRecording::take(const monitor::FrameEntry& entry) {
    const std::uint64_t before = m_writer->frames();
    m_writer->take(entry);
    if (m_writer->frames() == before) {
        m_onFrame(entry);
        return;
    }
    // The frames of the two directions reach the queue from two threads, a
    // later one now and then first: the line gets the time the file holds,
    // so that a replay's lines are the same.
    monitor::FrameEntry written = entry;
    written.timeMs = m_writer->lastTimeMs();
    m_onFrame(written);
}

void WatchRecording::lost(std::uint64_t frames, std::int64_t timeMs) {
    m_writer->lost(frames, timeMs);
}

void WatchRecording::drain() {
    if (m_writer)
        m_hub.drain(m_clock());
}

std::vector<std::string> WatchRecording::notes() const {
    std::vector<std::string> notes;
    if (!m_writer)
        return notes;
    if (m_writer->lostFrames() != 0)
        notes.push_back(m_file->path() + ": " + std::to_string(m_writer->lostFrames()) +
                        " frames konden niet opgenomen worden (regels 'gat')");
    if (m_writer->atLimit())
        notes.push_back(m_file->path() + ": de opname is bij de grens van " +
                        std::to_string(capture::CaptureWriter::kDefaultLimit >> 20) +
                        " MiB gestopt");
    return notes;
}

std::string WatchRecording::error() const {
    return m_writer && !m_writer->error().empty() ? m_file->path() + ": " + m_writer->error()
                                                  : std::string();
}

std::optional<std::string> WatchRecording::close() {
    if (!m_writer || m_writer->closed())
        return std::nullopt;
    m_hub.setRecorder(nullptr);  // the last frames queued still reach the file
    if (m_writer->close())
        return error();
    return std::nullopt;
}

}  // namespace veltro::watch
