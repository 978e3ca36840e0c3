#pragma once

#include <string_view>

#include "veltro/ports/controller_requests.h"
#include "veltro/ports/messages.h"
#include "veltro/ports/prompts.h"
#include "veltro/ports/write_gate.h"

namespace veltro {

// The engineer's side of a debug window: selection with its save question,
// arrow keys, Enter, blank, 'v', Escape, typing and clicks. The rules are
// DebugScreen's members select, handleKey, typeText and click, implemented in
// screen_interaction.cpp; these are the types they take.

// Ports that the engineer's actions on a debug window reach.
struct ScreenPorts {
    ControllerRequests& requests;
    Prompts& prompts;
    Messages& messages;       // where a refused write is told
    const WriteGate& writes;  // asked before every write
};

// Keys that the main window hands to the shown debug window. The front-end
// delivers Enter once per press, whether it saw a key-down or a character.
enum class ScreenKey { Left, Right, Up, Down, Enter, Escape, Blank, V };

// The leading integer of a field's text (blanks, a sign, digits); 0 without
// digits. Saturates instead of overflowing.
int leadingInteger(std::string_view text);

}  // namespace veltro
