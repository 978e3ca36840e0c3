#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace common {

// The rules of the Windows profile format on the text of a file: "[Section]"
// headers and "Key=Value" lines, names compared without regard to case, the
// first section of a name the one used, ";" starting a comment key.

// The value of `key` in `section`, blanks around it and quotes enclosing it
// removed; nothing when the section or the key is absent.
std::optional<std::string> profileValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// The leading decimal number of a value (an optional sign, then digits),
// held to the range of int; 0 when it has no digits.
int profileNumber(std::string_view value);

// The text with `key` of `section` set to `value`: an existing key keeps its
// spelling, a new key goes after the last non-blank line of its section, a
// new section at the end. Every other line stays as it was; a text with
// Windows line ends keeps them.
std::string withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace common
