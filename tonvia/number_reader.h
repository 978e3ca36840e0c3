#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tonvia {

enum class NumberStatus { Ok, Missing, TooManyDigits };

struct NumberResult {
    NumberStatus status = NumberStatus::Missing;
    std::int32_t value = 0;  // 0 unless the number is good
    std::size_t end = 0;     // behind the digits read; the start when there are none
};

// An ASCII digit, whatever the locale.
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The sources' numbers are runs of at most 8 decimal digits. A longer run is
// refused whole rather than read in part: its first 8 digits are not what the
// author wrote.
constexpr std::size_t kMaxDigits = 8;

NumberResult readNumber(std::string_view text, std::size_t position);

// As readNumber, with a minus sign allowed right before the digits.
NumberResult readSignedNumber(std::string_view text, std::size_t position);

}  // namespace tonvia
