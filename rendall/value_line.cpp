#include "rendall/value_line.h"

#include <limits>

namespace rendall {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

void ValueLine::skipBlanks() {
    while (!m_rest.empty() && isBlank(m_rest.front()))
        m_rest.remove_prefix(1);
}

bool ValueLine::word(std::string_view& out) {
    skipBlanks();
    if (m_failed || m_rest.empty())
        return fail();
    std::size_t n = 0;
    while (n < m_rest.size() && !isBlank(m_rest[n]))
        ++n;
    out = m_rest.substr(0, n);
    m_rest.remove_prefix(n);
    return true;
}

bool ValueLine::character(char& out) {
    skipBlanks();
    if (m_failed || m_rest.empty())
        return fail();
    out = m_rest.front();
    m_rest.remove_prefix(1);
    return true;
}

// Out-of-range numbers are held at the nearest 32-bit value, as the
// controller's own 32-bit conversion does.
bool ValueLine::number(std::int32_t& out) {
    skipBlanks();
    if (m_failed || m_rest.empty())
        return fail();
    std::size_t n = 0;
    bool negative = false;
    if (m_rest[0] == '-' || m_rest[0] == '+') {
        negative = m_rest[0] == '-';
        n = 1;
    }
    const std::size_t digitsStart = n;
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    while (n < m_rest.size() && m_rest[n] >= '0' && m_rest[n] <= '9') {
        value = std::min(kLimit, value * 10 + (m_rest[n] - '0'));
        ++n;
    }
    if (n == digitsStart)
        return fail();
    if (negative)
        value = -value;
    out = static_cast<std::int32_t>(
        std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
    m_rest.remove_prefix(n);
    return true;
}

}  // namespace rendall
