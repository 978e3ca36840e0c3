#pragma once

#include <memory>

#include "rendall/console.h"

namespace rendall {

// The real console: standard output, and keys from standard input. On a
// terminal the keys come raw and unechoed (Ctrl-C arrives as a key, so the
// program ends through its own error 2 and the terminal is restored); from a
// pipe or file every byte is one key. terminal_console_posix.cpp and
// terminal_console_win32.cpp implement it; one of them is built.
class TerminalConsole : public Console {
  public:
    TerminalConsole();
    ~TerminalConsole() override;
    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    void write(std::string_view text) override;
    Key readKey() override;

  private:
    struct SavedMode;                    // the terminal's own settings
    std::unique_ptr<SavedMode> m_saved;  // set while keys are read raw
};

}  // namespace rendall
