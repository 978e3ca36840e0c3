#pragma once

#include <algorithm>
#include <string_view>

namespace common {

// ASCII letters only: file and key names of the framework's world are plain
// ASCII, and a locale must not change what matches.
constexpr char toLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return toLowerAscii(x) == toLowerAscii(y);
           });
}

}  // namespace common
