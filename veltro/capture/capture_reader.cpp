#include "veltro/capture/capture_reader.h"

#include <algorithm>
#include <charconv>

namespace veltro::capture {

bool CaptureReader::readLine(std::string& text) {
    if (!std::getline(m_in, text))
        return false;
    ++m_lineNumber;
    // Counted rather than asked of the stream for every line (tellg is
    // slow); a last line without its line feed ends the file anyway.
    m_position += static_cast<std::streamoff>(text.size() + 1);
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return true;
}

bool CaptureReader::readHeader() {
    std::string* fields[] = {&m_header.project, &m_header.definitionDate};
    const char* keys[] = {"project", "zxapdef"};
    std::optional<std::string> problem;
    if (!readLine(m_text))
        problem = "het bestand is leeg";
    else
        problem = readMagic(m_text);
    for (int i = 0; i < 2 && !problem; ++i)
        problem = readLine(m_text) ? readHeaderField(m_text, keys[i], *fields[i])
                                   : "het bestand houdt op in de kop";
    std::string begin;
    if (!problem)
        problem = readLine(m_text) ? readHeaderField(m_text, "begin", begin)
                                   : "het bestand houdt op in de kop";
    if (!problem) {
        const auto [end, ec] =
            std::from_chars(begin.data(), begin.data() + begin.size(), m_header.beginMs);
        if (ec != std::errc() || end != begin.data() + begin.size() || m_header.beginMs < 0)
            problem = "'begin' noemt geen tijd";
    }
    if (problem) {
        m_error = "regel " + std::to_string(m_lineNumber) + ": " + *problem;
        m_final = Status::Damaged;
        return false;
    }
    return true;
}

CaptureReader::Status CaptureReader::damaged(std::string text) {
    m_error = std::move(text);
    m_final = Status::Damaged;
    return Status::Damaged;
}

CaptureReader::Status CaptureReader::readNext(CaptureLine& line) {
    if (m_final)
        return *m_final;
    const std::streampos position = m_position;
    if (!readLine(m_text)) {
        return damaged("na regel " + std::to_string(m_lineNumber) +
                       " houdt de opname op zonder 'einde' (afgebroken)");
    }
    auto where = [this] { return "regel " + std::to_string(m_lineNumber) + ": "; };
    const auto parsed =
        m_text.size() <= kLongestLine ? parseLine(m_text) : std::optional<CaptureLine>{};
    if (!parsed)
        return damaged(where() + "onleesbaar");
    if (parsed->kind == LineKind::End || parsed->kind == LineKind::EndAtLimit) {
        m_atLimit = parsed->kind == LineKind::EndAtLimit;
        m_final = Status::End;
        return Status::End;
    }
    if (parsed->offsetMs < m_lastOffset)
        return damaged(where() + "de tijd loopt terug");
    if (m_index.empty() || parsed->offsetMs >= m_index.back().offsetMs + kIndexStepMs)
        m_index.push_back({parsed->offsetMs, position, m_lineNumber - 1});
    m_lastOffset = parsed->offsetMs;
    line = *parsed;
    return Status::Line;
}

CaptureReader::Status CaptureReader::next(CaptureLine& line) {
    if (m_pending) {
        line = *m_pending;
        m_pending.reset();
        return Status::Line;
    }
    return readNext(line);
}

bool CaptureReader::seek(std::int64_t offsetMs) {
    if (m_final == Status::Damaged)
        return false;
    m_pending.reset();
    // Back to the last remembered place before the target, unless reading on
    // from here is shorter.
    auto place = std::upper_bound(m_index.begin(), m_index.end(), offsetMs,
                                  [](std::int64_t t, const Place& p) { return t < p.offsetMs; });
    if (!m_index.empty() && (offsetMs < m_lastOffset || m_final)) {
        if (place != m_index.begin())
            --place;
        m_in.clear();
        m_in.seekg(place->position);
        m_position = place->position;
        m_lineNumber = place->lineNumber;
        m_lastOffset = place->offsetMs;
        m_final.reset();
        m_atLimit = false;
    }
    CaptureLine line;
    for (;;) {
        const Status status = readNext(line);
        if (status != Status::Line)
            return status == Status::End;
        if (line.offsetMs >= offsetMs) {
            m_pending = line;
            return true;
        }
    }
}

}  // namespace veltro::capture
