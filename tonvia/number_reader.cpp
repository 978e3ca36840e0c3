#include "tonvia/number_reader.h"

namespace tonvia {

NumberResult readNumber(std::string_view text, std::size_t position) {
    NumberResult result;
    result.end = position;
    std::size_t i = position;
    std::int32_t value = 0;
    while (i < text.size() && isDigit(text[i])) {
        // Eight digits always fit; further ones only move the position.
        if (i - position < kMaxDigits) {
            value = value * 10 + (text[i] - '0');
        }
        ++i;
    }
    if (i == position) {
        return result;
    }
    result.end = i;
    if (i - position > kMaxDigits) {
        result.status = NumberStatus::TooManyDigits;
        return result;
    }
    result.status = NumberStatus::Ok;
    result.value = value;
    return result;
}

NumberResult readSignedNumber(std::string_view text, std::size_t position) {
    if (position < text.size() && text[position] == '-') {
        NumberResult result = readNumber(text, position + 1);
        if (result.status == NumberStatus::Missing) {
            result.end = position;
        }
        result.value = -result.value;
        return result;
    }
    return readNumber(text, position);
}

}  // namespace tonvia
