#include "pendrel/project/table_tokens.h"

#include <cctype>

namespace pendrel {
namespace {

constexpr std::size_t kMaxBraceDistance = 254;

bool isIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ';' || c == '{' ||
           c == '}';
}

}  // namespace

std::optional<std::size_t> locateTable(std::string_view source, std::string_view name) {
    std::size_t pos = source.find(name);
    while (pos != std::string_view::npos) {
        std::size_t end = pos + name.size();
        bool whole = (pos == 0 || !isIdentifierChar(source[pos - 1])) &&
                     (end == source.size() || !isIdentifierChar(source[end]));
        if (whole) {
            // A declaration (";") or the end of something else ("}") before
            // the brace means this occurrence is not the table itself.
            for (std::size_t i = end; i < source.size() && i - end < kMaxBraceDistance; ++i) {
                char c = source[i];
                if (c == '{') {
                    return i + 1;
                }
                if (c == ';' || c == '}') {
                    break;
                }
            }
        }
        pos = source.find(name, pos + 1);
    }
    return std::nullopt;
}

std::optional<std::string_view> TableTokens::next() {
    for (;;) {
        while (m_pos < m_source.size() && isSeparator(m_source[m_pos])) {
            ++m_pos;
        }
        if (m_pos >= m_source.size()) {
            return std::nullopt;
        }
        if (m_source.compare(m_pos, 2, "/*") == 0) {
            std::size_t close = m_source.find("*/", m_pos + 2);
            m_pos = close == std::string_view::npos ? m_source.size() : close + 2;
            continue;
        }
        std::size_t start = m_pos;
        while (m_pos < m_source.size() && !isSeparator(m_source[m_pos]) &&
               m_source.compare(m_pos, 2, "/*") != 0) {
            ++m_pos;
        }
        return m_source.substr(start, m_pos - start);
    }
}

}  // namespace pendrel
