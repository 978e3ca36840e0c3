#include "rendall/text_util.h"

#include <limits>

namespace rendall {

std::string textModeChars(std::string_view bytes, std::size_t maxChars) {
    std::string out;
    out.reserve(std::min(bytes.size(), maxChars));
    for (std::size_t i = 0; i < bytes.size() && out.size() < maxChars; ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        out.push_back(bytes[i]);
    }
    return out;
}

std::size_t lineEnd(std::string_view text, std::size_t pos) {
    const std::size_t end = text.find('\n', pos);
    return end == std::string_view::npos ? text.size() : end;
}

std::int32_t leadingNumber(std::string_view text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(kMax, value * 10 + (c - '0'));
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> exactNumber(std::string_view text) {
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace rendall
