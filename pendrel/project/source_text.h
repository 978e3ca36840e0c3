#pragma once

#include <string_view>
#include <vector>

namespace pendrel {

// Small text helpers shared by the designer's readers.

// The lines of `text` without their line feeds (a final empty piece dropped).
std::vector<std::string_view> splitLines(std::string_view text);

// The non-empty runs of `text` between characters of `separators`.
std::vector<std::string_view> splitTokens(std::string_view text, std::string_view separators);

// True when `token` is an optional sign followed by one or more digits only.
bool isNumber(std::string_view token);

// The value of the leading decimal number (optional sign, then digits) as
// atoi would take it, saturated to the int range; 0 without digits.
int leadingNumber(std::string_view token);

}  // namespace pendrel
