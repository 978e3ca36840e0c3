#include "tonvia/line_reader.h"

namespace tonvia {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

namespace {

void toUpperAscii(std::string& text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

}  // namespace

bool LineReader::nextByte(char& byte) {
    if (m_position == m_size) {
        const auto got = m_input.read(m_buffer);
        if (!got) {
            m_final = LineStatus::ReadError;
            return false;
        }
        if (*got == 0) {
            m_final = LineStatus::End;
            return false;
        }
        m_size = *got < m_buffer.size() ? *got : m_buffer.size();
        m_position = 0;
    }
    byte = m_buffer[m_position++];
    return true;
}

// One raw record without its line feed. Never holds more than one character
// beyond the limit, whatever the file contains.
LineStatus LineReader::readRecord(std::string& record) {
    record.clear();
    if (m_final != LineStatus::Line) {
        return m_final;
    }
    ++m_lineNumber;
    char c = 0;
    bool sawAny = false;
    while (nextByte(c)) {
        sawAny = true;
        if (c == '\n') {
            break;
        }
        if (c == '\0') {
            return m_final = LineStatus::Binary;
        }
        // Room for a carriage return that will turn out to precede the line feed.
        if (record.size() == kMaxLineLength + 1) {
            return m_final = LineStatus::TooLong;
        }
        record.push_back(c);
    }
    if (m_final != LineStatus::Line && (m_final != LineStatus::End || !sawAny)) {
        return m_final;
    }
    if (!record.empty() && record.back() == '\r') {
        record.pop_back();
    }
    if (record.size() > kMaxLineLength) {
        return m_final = LineStatus::TooLong;
    }
    return LineStatus::Line;
}

void LineReader::removeComments(std::string& text) {
    std::string kept;
    std::size_t i = 0;
    while (i < text.size()) {
        if (m_inComment) {
            const auto close = text.find("*/", i);
            if (close == std::string::npos) {
                break;
            }
            m_inComment = false;
            i = close + 2;
            continue;
        }
        if (text.compare(i, 2, "//") == 0) {
            break;
        }
        if (text.compare(i, 2, "/*") == 0) {
            m_inComment = true;
            i += 2;
            continue;
        }
        kept.push_back(text[i++]);
    }
    text = std::move(kept);
}

LineStatus LineReader::next(SourceLine& line) {
    while (true) {
        const LineStatus status = readRecord(line.text);
        if (status != LineStatus::Line) {
            return status;
        }
        removeComments(line.text);
        const auto first = line.text.find_first_not_of(" \t");
        if (first == std::string::npos) {
            continue;
        }
        toUpperAscii(line.text);
        line.first = first;
        line.last = line.text.find_last_not_of(" \t");
        line.number = m_lineNumber;
        return LineStatus::Line;
    }
}

}  // namespace tonvia
