#pragma once

#include <optional>
#include <string>
#include <vector>

#include "veltro/session/session_options.h"
#include "veltro/tools/tool_settings.h"

namespace veltro::tools {

// What a command without windows does with the parameters.
enum class ToolAction { Difference, Adjustment, Backup, Restore, Acceptance };

// `veltro --verschillen DIR [CATEGORY...] [link options] [--speed MS] [--file F] [--csv F]`
// `veltro --aanpassen DIR [CATEGORY...] [link options] [--speed MS] [--no-verify] [--file F]`
// `veltro --bewaar DIR [CATEGORY...] [link options] [--speed MS] --file F [--overwrite]`
// `veltro --terugzetten DIR F [link options] [--speed MS]`
// `veltro --afname DIR [CATEGORY...] [link options] [--speed MS] [--start N] [--schakelaars-aan]`
struct ToolCommand {
    Tool tool = Tool::Difference;  // whose settings: the backup reads as the check does
    ToolAction action = ToolAction::Difference;
    std::string directory;
    std::string csvFile;     // --verschillen --csv: one line per compared parameter
    std::string backupFile;  // --bewaar --file F, --terugzetten F
    bool overwrite = false;  // --bewaar: an existing F may be replaced
    ToolSettings settings;   // categories, speed, file and verification
    SessionOptions link;     // the debugger's link options
};

struct ParsedToolCommand {
    std::optional<ToolCommand> command;  // nothing: `error` says why (exit 2)
    std::string error;
};

// `args` are the words after the program name, the command word first.
ParsedToolCommand parseToolCommand(const std::vector<std::string>& args);

inline constexpr int kDefaultHeadlessSpeed = 100;

}  // namespace veltro::tools
