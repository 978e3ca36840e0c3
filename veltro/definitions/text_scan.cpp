#include "veltro/definitions/text_scan.h"

#include <charconv>

namespace veltro::scan {

std::string_view skipBlanksAndTabs(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlankOrTab(text[i]))
        ++i;
    return text.substr(i);
}

std::string_view leadingWord(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isWordChar(text[i]))
        ++i;
    return text.substr(0, i);
}

std::optional<DefineLine> parseDefineLine(std::string_view line) {
    constexpr std::string_view kDefine = "#define";
    if (!line.starts_with(kDefine))
        return std::nullopt;
    DefineLine result;
    std::string_view rest = skipBlanksAndTabs(line.substr(kDefine.size()));
    result.name = leadingWord(rest);
    std::size_t nameEnd = static_cast<std::size_t>(rest.data() - line.data()) + result.name.size();
    result.throughName = line.substr(0, nameEnd);
    result.value = leadingWord(skipBlanksAndTabs(rest.substr(result.name.size())));
    return result;
}

std::optional<std::int32_t> definitionValue(std::string_view value) {
    constexpr std::size_t kMaxDigits = 16;
    std::uint32_t number = 0;
    std::size_t digits = 0;
    for (char c : value) {
        if (!isDigit(c))
            break;
        if (++digits > kMaxDigits)
            return std::nullopt;
        // Wraps like the 32-bit arithmetic of the definition files' readers.
        number = number * 10u + static_cast<std::uint32_t>(c - '0');
    }
    auto result = static_cast<std::int32_t>(number);
    if (result < 0)
        return std::nullopt;
    return result;
}

std::optional<std::int32_t> decimalInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::size_t start = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == start)
        return std::nullopt;
    std::int64_t value = 0;
    for (std::size_t k = start; k < i; ++k) {
        value = value * 10 + (text[k] - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

double decimalDouble(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    // from_chars takes no '+' and no locale, so the sign is handled here.
    std::string_view number = text.substr(0, i);
    bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-')
        number.remove_prefix(1);
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range)
        return 0.0;
    (void)ptr;
    return negative ? -value : value;
}

std::vector<std::string_view> splitFields(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t start = text.find_first_not_of(separators, i);
        if (start == std::string_view::npos)
            break;
        std::size_t end = text.find_first_of(separators, start);
        if (end == std::string_view::npos)
            end = text.size();
        fields.push_back(text.substr(start, end - start));
        i = end;
    }
    return fields;
}

std::vector<std::string_view> blankFields(std::string_view text) {
    return splitFields(text, std::string_view(" \t\n\v\f\r", 6));
}

std::optional<std::string_view> Lines::next() {
    if (m_pos >= m_bytes.size())
        return std::nullopt;
    std::size_t end = m_bytes.find('\n', m_pos);
    std::size_t next = end == std::string_view::npos ? m_bytes.size() : end + 1;
    if (end == std::string_view::npos)
        end = m_bytes.size();
    std::string_view line = m_bytes.substr(m_pos, end - m_pos);
    m_hadLineFeed = end < m_bytes.size();
    if (m_hadLineFeed && line.ends_with('\r'))
        line.remove_suffix(1);
    m_pos = next;
    return line;
}

}  // namespace veltro::scan
