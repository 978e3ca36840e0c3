#include "common/profile_text.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "common/ignore_case.h"
#include "common/text_file.h"

namespace common {
namespace {

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// "[Name]" gives Name; any other line gives nothing.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view key = trim(line.substr(0, equals));
    if (key.empty() || key.front() == ';') {
        return std::nullopt;
    }
    return KeyLine{key, trim(line.substr(equals + 1))};
}

// Where a key lives in the file's lines.
struct Location {
    std::optional<std::size_t> sectionLine;  // the "[Section]" line
    std::optional<std::size_t> keyLine;      // the "Key=Value" line
    std::size_t sectionEnd = 0;              // one past the section's last non-blank line
};

Location locate(const std::vector<std::string>& lines, std::string_view section,
                std::string_view key) {
    Location where;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i])) {
            if (inside) {
                break;  // the first section of that name is the one used
            }
            inside = equalsIgnoreCase(*name, section);
            if (inside) {
                where.sectionLine = i;
                where.sectionEnd = i + 1;
            }
            continue;
        }
        if (!inside) {
            continue;
        }
        if (!trim(lines[i]).empty()) {
            where.sectionEnd = i + 1;
        }
        auto entry = keyLine(lines[i]);
        if (entry && !where.keyLine && equalsIgnoreCase(entry->key, key)) {
            where.keyLine = i;
        }
    }
    return where;
}

// Windows drops the quotes that enclose a whole value.
std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::optional<std::string> profileValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
    const std::vector<std::string> lines = splitTextLines(std::string(text));
    const Location where = locate(lines, section, key);
    if (!where.keyLine) {
        return std::nullopt;
    }
    return std::string(unquoted(keyLine(lines[*where.keyLine])->value));
}

int profileNumber(std::string_view value) {
    bool negative = false;
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    long long number = 0;
    for (char c : value) {
        if (c < '0' || c > '9') {
            break;
        }
        number = std::min<long long>(number * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) {
        number = -number;
    }
    return static_cast<int>(std::clamp<long long>(number, INT_MIN, INT_MAX));
}

std::string withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
    const bool crlf = text.find("\r\n") != std::string_view::npos;
    std::vector<std::string> lines = splitTextLines(std::string(text));
    const Location where = locate(lines, section, key);

    if (where.keyLine) {
        // Keep the key as the file spells it.
        const std::string_view oldKey = keyLine(lines[*where.keyLine])->key;
        lines[*where.keyLine] = std::string(oldKey) + "=" + std::string(value);
    } else {
        std::string entry = std::string(key) + "=" + std::string(value);
        if (where.sectionLine) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(where.sectionEnd), entry);
        } else {
            // Built by appending: "[" + section gives GCC 12 a false -Wrestrict.
            std::string header(1, '[');
            header.append(section).push_back(']');
            lines.push_back(std::move(header));
            lines.push_back(std::move(entry));
        }
    }

    const std::string_view newline = crlf ? "\r\n" : "\n";
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += newline;
    }
    return out;
}

}  // namespace common
