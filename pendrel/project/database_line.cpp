#include "pendrel/project/database_line.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace pendrel {
namespace {

constexpr char kApostropheStandIn = '`';

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string withStandIns(std::string text) {
    std::replace(text.begin(), text.end(), '\'', kApostropheStandIn);
    return text;
}

// The whole text after the apostrophes is taken only when it is what the
// part between them stands for, so that nothing else written after a text
// can change it.
std::string wholeText(std::string shown, std::string_view rest) {
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) {
        rest.remove_suffix(1);
    }
    if (!rest.starts_with(" {") || !rest.ends_with('}')) {
        return shown;
    }
    std::string whole(rest.substr(2, rest.size() - 3));
    return withStandIns(whole) == shown ? whole : shown;
}

}  // namespace

std::optional<int> DatabaseLine::integer() {
    skipSpace();
    std::size_t pos = m_pos;
    bool negative = false;
    if (pos < m_line.size() && (m_line[pos] == '-' || m_line[pos] == '+')) {
        negative = m_line[pos] == '-';
        ++pos;
    }
    std::size_t digitsStart = pos;
    // Held to the range of int, so that every stored int reads back as itself.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    while (pos < m_line.size() && std::isdigit(static_cast<unsigned char>(m_line[pos]))) {
        value = std::min<long long>(value * 10 + (m_line[pos] - '0'), limit);
        ++pos;
    }
    if (pos == digitsStart) {
        return std::nullopt;
    }
    m_pos = pos;
    return static_cast<int>(negative ? -value : value);
}

std::optional<std::string> DatabaseLine::quoted() {
    skipSpace();
    if (m_pos >= m_line.size()) {
        return std::nullopt;
    }
    ++m_pos;
    std::size_t end = m_line.find('\'', m_pos);
    if (end == m_pos || end == std::string_view::npos) {
        return std::nullopt;
    }
    std::string shown(m_line.substr(m_pos, end - m_pos));
    m_pos = end + 1;
    return wholeText(std::move(shown), m_line.substr(m_pos));
}

std::optional<std::string> DatabaseLine::doubleQuoted() {
    std::size_t open = m_line.find('"', m_pos);
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t close = m_line.find('"', open + 1);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    m_pos = close + 1;
    return std::string(m_line.substr(open + 1, close - open - 1));
}

void DatabaseLine::skipSpace() {
    while (m_pos < m_line.size() && isSpace(m_line[m_pos])) {
        ++m_pos;
    }
}

std::string quotedText(const std::string& text) {
    if (text.find('\'') == std::string::npos) {
        return "'" + text + "'";
    }
    return "'" + withStandIns(text) + "' {" + text + "}";
}

}  // namespace pendrel
