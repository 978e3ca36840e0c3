#include "veltro/capture/capture_writer.h"

#include <algorithm>

namespace veltro::capture {
namespace {

constexpr std::string_view kEnd = "einde\n";
constexpr std::string_view kEndAtLimit = "einde limiet\n";
constexpr std::size_t kBufferBytes = 64 * 1024;

}  // namespace

CaptureWriter::CaptureWriter(CaptureHeader header, Opener open, std::uint64_t limit)
    : m_header(std::move(header)), m_open(std::move(open)), m_limit(limit) {}

bool CaptureWriter::begin(std::int64_t timeMs) {
    if (m_closed || m_atLimit || !m_error.empty())
        return false;
    if (m_out != nullptr)
        return true;
    Opened opened = m_open();
    if (opened.stream == nullptr) {
        m_error = opened.error.empty() ? "het bestand kan niet gemaakt worden" : opened.error;
        return false;
    }
    m_out = opened.stream;
    m_header.beginMs = timeMs;
    m_lastFlush = timeMs;
    const std::string header = headerText(m_header);
    m_buffer = header;
    m_size = header.size();
    return true;
}

std::int64_t CaptureWriter::offset(std::int64_t timeMs) {
    // A clock that steps back must not make the file's times go back.
    m_lastOffset = std::max(m_lastOffset, timeMs - m_header.beginMs);
    return m_lastOffset;
}

void CaptureWriter::take(const monitor::FrameEntry& entry) {
    if (!begin(entry.timeMs))
        return;
    m_line.clear();
    appendFrameLine(m_line, offset(entry.timeMs), entry);
    add(m_line);
    if (!m_atLimit)
        ++m_frames;
}

void CaptureWriter::lost(std::uint64_t frames, std::int64_t timeMs) {
    if (frames == 0 || !begin(timeMs))
        return;
    m_lost += frames;
    add(std::to_string(offset(timeMs)) + " gat " + std::to_string(frames) + '\n');
}

void CaptureWriter::add(const std::string& line) {
    if (m_size + line.size() + kEndAtLimit.size() > m_limit) {
        m_buffer += kEndAtLimit;
        m_size += kEndAtLimit.size();
        m_atLimit = true;
        write();
        if (m_out != nullptr && m_error.empty())
            m_out->flush();
        return;
    }
    m_buffer += line;
    m_size += line.size();
    if (m_buffer.size() >= kBufferBytes)
        write();
}

void CaptureWriter::write() {
    if (m_out == nullptr || m_buffer.empty() || !m_error.empty())
        return;
    m_out->write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_buffer.clear();
    if (!*m_out)
        m_error = "het bestand kan niet volledig geschreven worden";
}

void CaptureWriter::tick(std::int64_t nowMs) {
    if (m_out == nullptr || nowMs - m_lastFlush < kFlushIntervalMs)
        return;
    m_lastFlush = nowMs;
    write();
    if (m_error.empty() && !m_out->flush())
        m_error = "het bestand kan niet volledig geschreven worden";
}

std::optional<std::string> CaptureWriter::close() {
    if (!m_closed) {
        m_closed = true;
        if (m_out != nullptr && !m_atLimit)
            m_buffer += kEnd;
        write();
        if (m_out != nullptr && m_error.empty() && !m_out->flush())
            m_error = "het bestand kan niet volledig geschreven worden";
    }
    if (m_error.empty())
        return std::nullopt;
    return m_error;
}

}  // namespace veltro::capture
