#pragma once

#include <optional>
#include <string>
#include <vector>

#include "veltro/session/session_options.h"
#include "veltro/tools/tool_settings.h"

namespace veltro::tools {

// `veltro --verschillen DIR [CATEGORY...] [link options] [--speed MS] [--file F]`
// `veltro --aanpassen DIR [CATEGORY...] [link options] [--speed MS] [--no-verify] [--file F]`
struct ToolCommand {
    Tool tool = Tool::Difference;
    std::string directory;
    ToolSettings settings;  // categories, speed, file and verification
    SessionOptions link;    // the debugger's link options
};

struct ParsedToolCommand {
    std::optional<ToolCommand> command;  // nothing: `error` says why (exit 2)
    std::string error;
};

// `args` are the words after the program name, the command word first.
ParsedToolCommand parseToolCommand(const std::vector<std::string>& args);

inline constexpr int kDefaultHeadlessSpeed = 100;

}  // namespace veltro::tools
