#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "veltro/ports/prompts.h"

namespace veltro {

// For headless commands that read the link words through the debugger's own
// parser: any box it would show is collected, and makes the command line wrong.
class CollectingPrompts final : public Prompts {
  public:
    void messageBox(std::string_view, std::string_view text, PromptIcon) override {
        if (!error.empty())
            error += '\n';
        error += text;
    }
    bool askYesNo(std::string_view, std::string_view, PromptIcon) override { return false; }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }
    std::string error;
};

}  // namespace veltro
