#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rendall {

// Where a search found nothing.
inline constexpr std::size_t kNpos = std::string_view::npos;

// What a text-mode reader makes of the bytes: a carriage return right before
// a line feed is dropped. At most `maxChars` characters are kept.
std::string textModeChars(std::string_view bytes, std::size_t maxChars);

inline bool contains(std::string_view text, std::string_view needle) {
    return text.find(needle) != std::string_view::npos;
}

// The end of the line that holds `pos`: the position of its line feed, or the
// end of the text.
std::size_t lineEnd(std::string_view text, std::size_t pos);

// The number formed by the leading digits (0 when there are none), held at
// the largest 32-bit value instead of overflowing.
std::int32_t leadingNumber(std::string_view text);

// A number written only with digits (1 to 10 of them) that fits in 32 bits.
std::optional<std::int32_t> exactNumber(std::string_view text);

}  // namespace rendall
