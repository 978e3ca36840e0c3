#include "pendrel/project/source_text.h"

#include <cctype>
#include <climits>

namespace pendrel {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

std::vector<std::string_view> splitTokens(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> tokens;
    std::size_t pos = text.find_first_not_of(separators);
    while (pos != std::string_view::npos) {
        std::size_t end = text.find_first_of(separators, pos);
        if (end == std::string_view::npos) {
            tokens.push_back(text.substr(pos));
            break;
        }
        tokens.push_back(text.substr(pos, end - pos));
        pos = text.find_first_not_of(separators, end);
    }
    return tokens;
}

bool isNumber(std::string_view token) {
    if (!token.empty() && (token[0] == '-' || token[0] == '+')) {
        token.remove_prefix(1);
    }
    if (token.empty()) {
        return false;
    }
    for (char c : token) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

int leadingNumber(std::string_view token) {
    bool negative = false;
    if (!token.empty() && (token[0] == '-' || token[0] == '+')) {
        negative = token[0] == '-';
        token.remove_prefix(1);
    }
    long long value = 0;
    for (char c : token) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            break;
        }
        value = value * 10 + (c - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace pendrel
