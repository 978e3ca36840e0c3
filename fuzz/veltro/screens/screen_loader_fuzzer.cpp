// Feeds arbitrary bytes to the debug window loader, then drives the loaded
// window with every key so that navigation and edits meet odd pictures too.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/veltro/messages.h"
#include "support/veltro/prompts.h"
#include "support/veltro/requests.h"
#include "veltro/definitions/macro_definitions.h"
#include "veltro/definitions/silent_messages.h"
#include "veltro/screens/screen_loader.h"

namespace {

const veltro::DefinitionTable& definitions() {
    static const veltro::DefinitionTable table = [] {
        veltro::DefinitionTable t;
        veltro::SilentMessages silent;
        veltro::readMacroDefinitions(veltro::builtinMacroText(), t, silent);
        t.add("SG02", 0);
        t.add("B1", 1);
        return t;
    }();
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    test_support::RecordingMessages messages;
    std::optional<veltro::DebugScreen> screen =
        veltro::parseDebugWindow("/f/debug_001.plo", bytes, definitions(), messages);
    if (!screen) {
        return 0;
    }
    test_support::RequestRecorder requests;
    test_support::ScriptedPrompts prompts;
    prompts.answers.assign(32, true);  // every save question answered Yes
    test_support::SwitchedWriteGate writes;
    veltro::ScreenPorts ports{requests, prompts, messages, writes};
    using veltro::ScreenKey;
    for (ScreenKey key :
         {ScreenKey::Down, ScreenKey::Down, ScreenKey::Right, ScreenKey::Up, ScreenKey::Left,
          ScreenKey::Enter, ScreenKey::Blank, ScreenKey::V, ScreenKey::Escape, ScreenKey::Up}) {
        screen->handleKey(key, ports);
        if (screen->selected() >= 0) {
            screen->typeText(screen->selected(), bytes.substr(0, 20));
        }
    }
    for (const veltro::DebugItem& item : screen->items()) {
        screen->showReport(item.record());
    }
    return 0;
}
