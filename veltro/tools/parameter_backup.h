#pragma once

#include <string>
#include <vector>

#include "veltro/tools/backup_file.h"
#include "veltro/tools/backup_rows.h"
#include "veltro/tools/tool_run.h"

namespace veltro::tools {

struct BackupOutcome {
    RunResult result = RunResult::Done;  // Stopped when the user stopped it
    ReadCounts reads;
    Backup backup;  // every parameter asked, answered or not
};

// Reads every parameter of the selected categories that the skip rules keep,
// paced as the difference check reads, waits for late reports, and keeps
// what the controller answered in this round. Writes no file: the caller
// saves the backup only when something answered.
BackupOutcome runBackup(ParameterStore& store, const ToolSettings& settings, RunPorts& ports,
                        BackupOrigin origin);

// Saves the backup whole through `files` (the old file stays when that
// fails); false when it could not be written.
bool saveBackup(TextFiles& files, const std::string& path, const Backup& backup);

// The dialog's end of a backup: saves it to `path` when anything answered
// and says how it went in a box (caption "Parameters bewaren"): the file,
// how many did not answer, or that nothing was written. Done when saved
// with every parameter, Failed otherwise.
RunResult saveAndTell(const BackupOutcome& outcome, const std::string& path, RunPorts& ports);

struct RestoreOutcome {
    // Done: every value read back as written; Failed: a difference or a
    // value not read back; Stopped: the user stopped it.
    RunResult result = RunResult::Done;
    int differences = 0;
    ReadCounts reads;
};

// Writes each value of the plan, reads it back (as the adjustment run
// verifies), waits for late reports and tells every difference in the
// adjustment run's words (a box each, caption "Parameters terugzetten"),
// then how many were not read back, and a closing box. The caller has made
// sure the plan matches the project.
RestoreOutcome runRestore(ParameterStore& store, const RestorePlan& plan, RunPorts& ports);

}  // namespace veltro::tools
