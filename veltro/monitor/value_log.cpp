#include "veltro/monitor/value_log.h"

#include <cerrno>
#include <cstring>

namespace veltro::monitor {
namespace {

constexpr const char* kTitleLine = "tijd,venster,item,macro,element,waarde\n";

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::optional<std::string> ValueLog::open(const std::string& path, std::int64_t nowMs) {
    close();
    m_error.clear();
    m_lines = 0;
    m_out.open(path, std::ios::binary | std::ios::trunc);
    if (!m_out.is_open())
        return "Kan " + path + " niet openen: " + std::strerror(errno);
    m_path = path;
    m_out << kTitleLine;
    m_out.flush();
    m_lastFlush = nowMs;
    m_pending = false;
    return std::nullopt;
}

void ValueLog::setItems(std::vector<LoggedItem> items) {
    m_items = std::move(items);
    m_byKey.clear();
    for (std::size_t i = 0; i < m_items.size(); ++i)
        m_byKey.emplace(m_items[i].key, i);  // the first item of a key, as the window's index
}

void ValueLog::take(const FrameEntry& entry) {
    if (!m_out.is_open() || !m_error.empty())
        return;
    const std::optional<ControllerRecord> record = reportedValue(entry);
    if (!record)
        return;
    const auto it = m_byKey.find(reportKey(*record));
    if (it == m_byKey.end())
        return;
    write(m_items[it->second], entry.timeMs, record->value);
    if (entry.timeMs - m_lastFlush >= kFlushIntervalMs)
        flush(entry.timeMs);
}

void ValueLog::write(const LoggedItem& item, std::int64_t timeMs, std::int32_t value) {
    m_line = isoText(timeMs, m_offset(timeMs));
    for (const std::string* field : {&item.window, &item.label, &item.macro, &item.element}) {
        m_line += ',';
        m_line += csvField(*field);
    }
    m_line += ',';
    m_line += std::to_string(value);
    m_line += '\n';
    m_out << m_line;
    m_pending = true;
    ++m_lines;
}

void ValueLog::tick(std::int64_t nowMs) {
    if (m_out.is_open() && m_pending && nowMs - m_lastFlush >= kFlushIntervalMs)
        flush(nowMs);
}

void ValueLog::flush(std::int64_t nowMs) {
    m_out.flush();
    m_lastFlush = nowMs;
    m_pending = false;
    if (!m_out && m_error.empty())
        m_error = "Kan " + m_path + " niet schrijven.";
}

std::optional<std::string> ValueLog::close() {
    if (!m_out.is_open())
        return std::nullopt;
    m_out.close();
    if (!m_out && m_error.empty())
        m_error = "Kan " + m_path + " niet schrijven.";
    m_out.clear();
    if (!m_error.empty())
        return m_error;
    return std::nullopt;
}

}  // namespace veltro::monitor
