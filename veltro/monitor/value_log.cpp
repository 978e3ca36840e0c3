#include "veltro/monitor/value_log.h"

#include <cerrno>
#include <cstring>

namespace veltro::monitor {

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
    m_file.open(path, std::ios::binary | std::ios::trunc);
    if (!m_file.is_open())
        return "Kan " + path + " niet openen: " + std::strerror(errno);
    start(m_file, path, nowMs);
    return std::nullopt;
}

void ValueLog::start(std::ostream& out, const std::string& name, std::int64_t nowMs, bool title) {
    if (&out != &m_file)
        close();
    m_error.clear();
    m_lines = 0;
    m_out = &out;
    m_path = name;
    if (title)
        *m_out << kTitleLine << '\n';
    m_pending = title;
    flush(nowMs);
}

void ValueLog::setItems(std::vector<LoggedItem> items) {
    m_items = std::move(items);
    m_byKey.clear();
    for (std::size_t i = 0; i < m_items.size(); ++i)
        m_byKey.emplace(m_items[i].key, i);  // the first item of a key, as the window's index
}

bool ValueLog::logs(const ControllerRecord& record) const {
    return m_byKey.count(reportKey(record)) != 0;
}

void ValueLog::take(const FrameEntry& entry) {
    if (m_out == nullptr || !m_error.empty())
        return;
    if (const std::optional<ControllerRecord> reported = reportedValue(entry))
        record(*reported, entry.timeMs);
}

void ValueLog::record(const ControllerRecord& record, std::int64_t timeMs) {
    if (m_out == nullptr || !m_error.empty())
        return;
    const auto it = m_byKey.find(reportKey(record));
    if (it == m_byKey.end())
        return;
    write(m_items[it->second], timeMs, record.value);
    if (timeMs - m_lastFlush >= kFlushIntervalMs)
        flush(timeMs);
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
    *m_out << m_line;
    m_pending = true;
    ++m_lines;
}

void ValueLog::tick(std::int64_t nowMs) {
    if (m_out != nullptr && m_pending && nowMs - m_lastFlush >= kFlushIntervalMs)
        flush(nowMs);
}

void ValueLog::flush(std::int64_t nowMs) {
    m_out->flush();
    m_lastFlush = nowMs;
    m_pending = false;
    if (!*m_out && m_error.empty())
        m_error = "Kan " + m_path + " niet schrijven.";
}

std::optional<std::string> ValueLog::close() {
    if (m_out == nullptr)
        return std::nullopt;
    flush(m_lastFlush);
    if (m_out == &m_file) {
        m_file.close();
        if (!m_file && m_error.empty())
            m_error = "Kan " + m_path + " niet schrijven.";
        m_file.clear();
    }
    m_out = nullptr;
    if (!m_error.empty())
        return m_error;
    return std::nullopt;
}

}  // namespace veltro::monitor
