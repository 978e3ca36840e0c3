// The console on POSIX systems: termios raw mode on a terminal.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "rendall/terminal_console.h"

namespace rendall {
namespace {

constexpr unsigned char kEscape = 0x1b;
// The bytes of a function or cursor key follow the escape at once.
constexpr int kSequenceWaitMs = 30;

bool readByte(unsigned char& byte) {
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, &byte, 1);
        if (n == 1)
            return true;
        if (n < 0 && errno == EINTR)
            continue;
        return false;
    }
}

bool moreBytesWaiting() {
    pollfd fd{STDIN_FILENO, POLLIN, 0};
    return ::poll(&fd, 1, kSequenceWaitMs) == 1 && (fd.revents & POLLIN) != 0;
}

}  // namespace

struct TerminalConsole::SavedMode {
    termios settings{};
};

TerminalConsole::TerminalConsole() {
    termios saved{};
    if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &saved) != 0)
        return;
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IXON);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    if (::tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) == 0)
        m_saved = std::make_unique<SavedMode>(SavedMode{saved});
}

TerminalConsole::~TerminalConsole() {
    if (m_saved)
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved->settings);
}

void TerminalConsole::write(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

Key TerminalConsole::readKey() {
    unsigned char byte = 0;
    if (!readByte(byte))
        return Key{Key::Kind::End, 0};
    if (!m_saved || byte != kEscape || !moreBytesWaiting())
        return Key{Key::Kind::Byte, byte};
    // A function or cursor key: its escape sequence (ESC [ parameters final,
    // or ESC O final) is one key, and keys typed after it stay keys.
    unsigned char next = 0;
    if (!readByte(next))
        return Key{Key::Kind::Special, 0};
    if (next == 'O') {
        if (moreBytesWaiting())
            readByte(next);
    } else if (next == '[') {
        while (moreBytesWaiting() && readByte(next) && (next < 0x40 || next > 0x7e)) {
        }
    }
    return Key{Key::Kind::Special, 0};
}

}  // namespace rendall
