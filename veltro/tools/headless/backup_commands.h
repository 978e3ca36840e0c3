#pragma once

#include <optional>

#include "veltro/headless/console.h"
#include "veltro/tools/backup_rows.h"
#include "veltro/tools/difference_check.h"
#include "veltro/tools/headless/tool_command_line.h"
#include "veltro/tools/tool_run.h"

namespace veltro::tools {

// What a command checks and reads before the link opens, so that a refused
// file or a backup that does not fit the project costs no controller time.
struct CommandFiles {
    std::optional<RestorePlan> plan;  // --terugzetten: the backup matched to the project
};

// Nothing when the command may go on; else its exit code, after the reason
// went to standard error: an output file that exists and may not be
// replaced (2), a backup that cannot be read, is damaged or names a
// parameter the project lacks (3; nothing is written then).
std::optional<int> prepareCommandFiles(const ToolCommand& cmd, ElementTables& tables,
                                       headless::Console& console, CommandFiles& files);

// --bewaar: the backup into the file; the exit code.
int runBackupCommand(const ToolCommand& cmd, ParameterStore& store, RunPorts& ports,
                     headless::Console& console);

// --terugzetten: the plan written and verified; the exit code. A journal
// of the project's acceptance run that is wholly verified is retired.
int runRestoreCommand(const ToolCommand& cmd, ParameterStore& store, const RestorePlan& plan,
                      RunPorts& ports, headless::Console& console);

// --afname: the acceptance run, its originals kept in the project's journal
// (a journal left by an earlier run is taken over: its originals stand);
// the exit code.
int runAcceptanceCommand(const ToolCommand& cmd, ParameterStore& store, RunPorts& ports,
                         headless::Console& console);

// --verschillen --csv: the exact report, written whole; false (after saying
// why) when it could not be written.
bool writeDifferenceCsv(const ToolCommand& cmd, const std::vector<ComparedParameter>& compared,
                        headless::Console& console);

}  // namespace veltro::tools
