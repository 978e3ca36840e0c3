#include "confil_bytes.h"

namespace tonvia::test {

std::string le32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
            static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
}

std::string framed(const std::string& data) {
    const std::string count = le32(static_cast<std::int32_t>(data.size()));
    return count + data + count;
}

std::string padded(const std::string& text, std::size_t length) {
    std::string result = text;
    result.resize(length, ' ');
    return result;
}

std::string ints(const std::vector<std::int32_t>& values) {
    std::string data;
    for (const std::int32_t value : values) {
        data += le32(value);
    }
    return framed(data);
}

}  // namespace tonvia::test
