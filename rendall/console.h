#pragma once

#include <string_view>

namespace rendall {

// One key press as the program sees it.
struct Key {
    enum class Kind {
        Byte,     // an ordinary key: its byte
        Special,  // a function or cursor key (a sequence of several bytes)
        End,      // no more keys will come; counts as Ctrl-C
    };
    Kind kind = Kind::End;
    unsigned char byte = 0;
};

inline constexpr unsigned char kCtrlC = 0x03;

// The console of the program: text out, keys in (unechoed).
class Console {
  public:
    virtual ~Console() = default;
    virtual void write(std::string_view text) = 0;
    virtual Key readKey() = 0;
};

}  // namespace rendall
