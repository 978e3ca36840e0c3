// The console on Windows: console input without line editing, echo or
// Ctrl-C processing when standard input is a console; bytes otherwise.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "rendall/terminal_console.h"

namespace rendall {
namespace {

// Keys that only change what the next key means produce no key of their own.
bool isModifierKey(WORD virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT:
        case VK_CONTROL:
        case VK_MENU:
        case VK_CAPITAL:
        case VK_NUMLOCK:
        case VK_SCROLL:
        case VK_LWIN:
        case VK_RWIN:
            return true;
        default:
            return false;
    }
}

Key readPipedKey() {
    unsigned char byte = 0;
    return ::_read(0, &byte, 1) == 1 ? Key{Key::Kind::Byte, byte} : Key{Key::Kind::End, 0};
}

}  // namespace

struct TerminalConsole::SavedMode {
    HANDLE input = nullptr;
    DWORD mode = 0;
};

TerminalConsole::TerminalConsole() {
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input == INVALID_HANDLE_VALUE || !::GetConsoleMode(input, &mode)) {
        // A pipe or a file: every byte is a key, carriage returns included.
        ::_setmode(0, _O_BINARY);
        return;
    }
    const DWORD raw =
        mode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT);
    if (::SetConsoleMode(input, raw))
        m_saved = std::make_unique<SavedMode>(SavedMode{input, mode});
}

TerminalConsole::~TerminalConsole() {
    if (m_saved)
        ::SetConsoleMode(m_saved->input, m_saved->mode);
}

void TerminalConsole::write(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

Key TerminalConsole::readKey() {
    if (!m_saved)
        return readPipedKey();
    for (;;) {
        INPUT_RECORD record{};
        DWORD count = 0;
        if (!::ReadConsoleInputW(m_saved->input, &record, 1, &count) || count != 1)
            return Key{Key::Kind::End, 0};
        if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown)
            continue;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        if (isModifierKey(key.wVirtualKeyCode))
            continue;
        const WCHAR c = key.uChar.UnicodeChar;
        // Function and cursor keys carry no character; a letter outside ASCII
        // is refused like them (names are printable ASCII).
        if (c == 0 || c > 0x7f)
            return Key{Key::Kind::Special, 0};
        return Key{Key::Kind::Byte, static_cast<unsigned char>(c)};
    }
}

}  // namespace rendall
