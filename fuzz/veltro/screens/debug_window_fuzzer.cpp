// Feeds arbitrary bytes to the debug window loader, then drives the loaded
// window with every key so that navigation and edits meet odd pictures too.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "veltro/definitions/macro_definitions.h"
#include "veltro/definitions/silent_messages.h"
#include "veltro/screens/screen_loader.h"
#include "veltro/session/message_log.h"

namespace {

class NullLines final : public veltro::MessageLines {
  public:
    bool addLine(const std::string&) override { return true; }
};

class NullRequests final : public veltro::ControllerRequests {
  public:
    void send(const veltro::ControllerRecord&, veltro::CommandMode) override {}
};

class YesPrompts final : public veltro::Prompts {
  public:
    void messageBox(std::string_view, std::string_view, veltro::PromptIcon) override {}
    bool askYesNo(std::string_view, std::string_view, veltro::PromptIcon) override { return true; }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }
};

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
    NullLines lines;
    YesPrompts prompts;
    veltro::MessageLog log(lines, prompts);
    std::optional<veltro::DebugScreen> screen =
        veltro::parseDebugWindow("/f/debug_001.plo", bytes, definitions(), log);
    if (!screen) {
        return 0;
    }
    NullRequests requests;
    veltro::ScreenPorts ports{requests, prompts};
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
