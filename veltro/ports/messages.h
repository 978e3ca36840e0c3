#pragma once

#include <string_view>

namespace veltro {

// Kinds of the message window's lines. Kept as plain numbers at the port
// because an unlisted kind is a valid request with a line of its own.
namespace message_kind {
inline constexpr int kInformation = 1;
inline constexpr int kWarning = 2;
inline constexpr int kError = 3;
inline constexpr int kSystem = 4;
inline constexpr int kDebug = 5;
}  // namespace message_kind

// Where the debugger's logic reports: the message window. While a file is
// read, the reader sets the context (file name) and line prefixes so that
// every message names the place it is about.
class Messages {
  public:
    virtual ~Messages() = default;

    // One line of kind `kind`; an empty text counts as absent.
    virtual void message(int kind, std::string_view a, std::string_view b = {},
                         std::string_view c = {}) = 0;

    // An empty name clears the context prefix.
    virtual void setContextPrefix(std::string_view name) = 0;

    // A negative number advances the current line number by its magnitude;
    // a result of 0 or less clears the prefix.
    virtual void setLinePrefix(int number) = 0;
};

}  // namespace veltro
